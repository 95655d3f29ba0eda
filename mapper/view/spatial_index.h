#pragma once
// Where the rooms, links and labels of every plane lie, so that a paint finds
// what can reach its window in time proportional to what it finds: a tile
// grid each for the rooms, links and labels of a plane. Kept up to date by
// the document's change notices; built afresh (lazily, at the next question)
// when the whole map is replaced. The same notices fill the bookkeeping a
// window-bound paint needs for hit data (CPendingHitData).
#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "mapper/model/map_observer.h"
#include "mapper/view/pending_hit_data.h"
#include "mapper/view/tile_grid.h"

class CVorMapperDoc;

class CSpatialIndex : public IMapObserver {
public:
    struct CPlane {
        CTileGrid rooms;   // the room's cell
        CTileGrid links;   // cells of both rooms, grown by one cell (stubs and corridor)
        CTileGrid labels;  // the room's cell and the label position's cell
        // Labels by length class: class c holds lengths in [2^c, 2^(c+1)).
        std::array<std::uint32_t, 33> labelClasses{};
        // An upper bound of the longest label's length.
        std::uint64_t LongestLabel() const;
    };

    explicit CSpatialIndex(CVorMapperDoc& doc);
    ~CSpatialIndex() override;
    CSpatialIndex(const CSpatialIndex&) = delete;
    CSpatialIndex& operator=(const CSpatialIndex&) = delete;

    CVorMapperDoc& Document() const { return m_doc; }
    // The grids of a plane, null when nothing lies on it; brings the index up to date first.
    const CPlane* Plane(std::int32_t plane);
    // How often each byte occurs in the labels of the map.
    const std::array<std::uint64_t, 256>& LabelBytes();
    // Builds every grid from the document.
    void Rebuild();
    std::size_t Bytes() const;

    // The hit data owed since the last paint; settled by the paint.
    CPendingHitData& Pending() { return m_pending; }

    // Gives the rooms and links of the window's plane about a map point the
    // hit data a paint of the whole map gives them.
    void StoreHitGeometryNear(CPoint mapPoint);

    // IMapObserver
    void OnRoomChanging(RoomId id, const CRoom* before, const CRoom* after) override;
    void OnLinkChanging(LinkId id, const CLink* before, const CLink* after) override;
    void OnMapReplaced() override;

private:
    struct CLinkPlace {
        CCellBox box;
        std::int32_t planeA, planeB;
    };
    // The rooms as the document stores them, or with one room taken as it is
    // before or after a change the document is making (null: absent).
    struct CRoomOverride {
        bool active = false;
        RoomId id = 0;
        const CRoom* room = nullptr;
    };
    static CRoomOverride Taking(RoomId id, const CRoom* room) { return {true, id, room}; }
    // Where the link lies with the rooms seen through `rooms`; false when it is not drawn.
    bool PlaceOf(const CLink& link, const CRoomOverride& rooms, CLinkPlace& place) const;
    const CRoom* RoomOf(RoomId r, const CRoomOverride& rooms) const;
    void InsertLink(LinkId id, const CLinkPlace& p);
    void EraseLink(LinkId id, const CLinkPlace& p);
    void InsertRoom(RoomId id, const CRoom& room);
    void EraseRoom(RoomId id, const CRoom& room);
    void InsertLabel(RoomId id, const CRoom& room);
    void EraseLabel(RoomId id, const CRoom& room);
    void UpdateRoomLinks(RoomId id, const CRoom* before, const CRoom* after, bool moved);
    // True when both rooms of the link, seen through `rooms`, list it in their slots.
    bool Regular(const CLink& link, LinkId id, const CRoomOverride& rooms) const;
    void Fail() { m_bStale = true; }
    void Refresh()
    {
        if (m_bStale)
            Rebuild();
    }

    CVorMapperDoc& m_doc;
    bool m_bStale = true;
    std::unordered_map<std::int32_t, CPlane> m_planes;
    // Links that some end's room does not list in its slots (or that miss a room).
    std::unordered_set<LinkId> m_irregular;
    std::array<std::uint64_t, 256> m_labelBytes{};
    CPendingHitData m_pending;
};
