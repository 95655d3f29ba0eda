#pragma once
// The view's selection set: flags by id (what the paint reads), the selected
// ids in the order they were selected, and the focus room or link, the item
// last clicked, which the single-item commands act on.
#include <cstddef>
#include <vector>

#include "mapper/model/records.h"
#include "mapper/model/types.h"

class CVorMapperDoc;

// Selected rooms and links: flags indexed by id - 1; an id beyond the flags
// is not selected.
struct CSelectionFlags {
    std::vector<std::int32_t> m_roomFlags;
    std::vector<std::int32_t> m_linkFlags;

    bool IsRoomSelected(RoomId id) const { return Flag(m_roomFlags, id); }
    bool IsLinkSelected(LinkId id) const { return Flag(m_linkFlags, id); }
    void SetRoom(RoomId id, bool on = true) { Set(m_roomFlags, id, on); }
    void SetLink(LinkId id, bool on = true) { Set(m_linkFlags, id, on); }
    bool Empty() const;

private:
    static bool Flag(const std::vector<std::int32_t>& f, std::uint32_t id)
    {
        return id != 0 && id <= f.size() && f[id - 1] != 0;
    }
    static void Set(std::vector<std::int32_t>& f, std::uint32_t id, bool on)
    {
        if (id == 0 || id == kIdUnassigned)
            return;
        if (id > f.size())
            f.resize(id, 0);
        f[id - 1] = on ? 1 : 0;
    }
};

class CMapSelection : public CSelectionFlags {
public:
    // Nothing selected, no focus.
    void Clear();
    // select: this room alone becomes the selection. Otherwise the selection
    // stays and only the focus moves to the room.
    void SelectRoom(RoomId id, bool select);
    void SelectLink(LinkId id, bool select);
    // Adds a room without moving the focus.
    void AddRoomToSelection(RoomId id);
    // The rooms of the current plane whose hit rectangles meet the band (map
    // units, normalised), and every link of those rooms. No focus.
    void SelectInRectangle(const CVorMapperDoc& doc, const CRect& band);

    std::size_t GetRoomCount() const { return m_rooms.size(); }
    std::size_t GetLinkCount() const { return m_links.size(); }
    RoomId GetRoom(std::size_t i) const { return i < m_rooms.size() ? m_rooms[i] : 0; }
    LinkId GetLink(std::size_t i) const { return i < m_links.size() ? m_links[i] : 0; }
    const std::vector<RoomId>& Rooms() const { return m_rooms; }
    const std::vector<LinkId>& Links() const { return m_links; }
    RoomId GetFocusRoom() const { return m_nFocusRoom; }
    LinkId GetFocusLink() const { return m_nFocusLink; }

private:
    std::vector<RoomId> m_rooms;
    std::vector<LinkId> m_links;
    RoomId m_nFocusRoom = 0;
    LinkId m_nFocusLink = 0;
};

// Whether two rectangles (right and bottom exclusive) share a point.
bool RectsMeet(const CRect& a, const CRect& b);
