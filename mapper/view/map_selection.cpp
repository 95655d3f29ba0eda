#include "mapper/view/map_selection.h"

#include <algorithm>

#include "mapper/model/document.h"
#include "mapper/view/hit_geometry.h"

bool CSelectionFlags::Empty() const
{
    auto none = [](const std::vector<std::int32_t>& f) { return std::all_of(f.begin(), f.end(), [](int v) { return v == 0; }); };
    return none(m_roomFlags) && none(m_linkFlags);
}

void CMapSelection::Clear()
{
    std::vector<std::int32_t>().swap(m_roomFlags);
    std::vector<std::int32_t>().swap(m_linkFlags);
    std::vector<RoomId>().swap(m_rooms);
    std::vector<LinkId>().swap(m_links);
    m_nFocusRoom = 0;
    m_nFocusLink = 0;
}

void CMapSelection::SelectRoom(RoomId id, bool select)
{
    if (select) {
        Clear();
        SetRoom(id);
        if (IsRoomSelected(id))
            m_rooms.push_back(id);
    }
    m_nFocusRoom = id;
    m_nFocusLink = 0;
}

void CMapSelection::SelectLink(LinkId id, bool select)
{
    if (select) {
        Clear();
        SetLink(id);
        if (IsLinkSelected(id))
            m_links.push_back(id);
    }
    m_nFocusLink = id;
    m_nFocusRoom = 0;
}

void CMapSelection::AddRoomToSelection(RoomId id)
{
    if (id == 0 || id == kIdUnassigned || IsRoomSelected(id))
        return;
    SetRoom(id);
    m_rooms.push_back(id);
}

bool RectsMeet(const CRect& a, const CRect& b)
{
    if (a.left >= a.right || a.top >= a.bottom || b.left >= b.right || b.top >= b.bottom)
        return false;
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

void CMapSelection::SelectInRectangle(const CVorMapperDoc& doc, const CRect& band)
{
    Clear();
    m_roomFlags.assign(doc.GetLastRoomId(), 0);
    m_linkFlags.assign(doc.GetLastLinkId(), 0);
    const CRoomMap& rooms = doc.GetRooms();
    for (auto it = rooms.begin(); it != rooms.end(); ++it) {
        const CRoom& room = it.value();
        // The hit rectangle from the cell, as the paint gives it: the band may
        // reach beyond the window, where a paint need not have been.
        if (room.m_nPlane != doc.m_nCurrentPlane || !RectsMeet(RoomHitGeometry(room.m_nX, room.m_nY).hit, band))
            continue;
        SetRoom(it.key());
        m_rooms.push_back(it.key());
        for (LinkId link : room.m_links) {
            if (link != 0 && !IsLinkSelected(link)) {
                SetLink(link);
                m_links.push_back(link);
            }
        }
    }
}
