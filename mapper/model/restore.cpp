// Exact restores of stored records, for undo and redo: a record goes back to
// the place in its container that it had, so the enumeration order (and with
// it the first room and the order of records in the file) is as it was.
#include "mapper/model/document.h"

void CVorMapperDoc::RestoreRoom(RoomId id, const CRoom* record, const CRoomMap::Place* place)
{
    const std::uint32_t node = m_roomMap.NodeOf(id);
    if (!record) {
        if (node == CRoomMap::npos)
            return;
        NotifyRoom(id, &m_roomMap.NodeValue(node), nullptr);
        m_cells.erase(node, CellOf());
        m_roomMap.Remove(id);
        return;
    }
    CRoom room = *record;
    room.m_nId = id;
    if (node != CRoomMap::npos) {
        const CRoom& stored = m_roomMap.NodeValue(node);
        room.m_rcHit = stored.m_rcHit;
        room.m_ptSquare = stored.m_ptSquare;
        room.m_info.m_hLabelRgn = stored.m_info.m_hLabelRgn;
    } else {
        room.m_info.m_hLabelRgn.reset();
    }
    StoreRoomNode(std::move(room), place);
}

void CVorMapperDoc::RestoreRoomPosition(RoomId id, std::int32_t x, std::int32_t y, std::int32_t plane)
{
    const std::uint32_t node = m_roomMap.NodeOf(id);
    if (node == CRoomMap::npos)
        return;
    CRoom& stored = m_roomMap.NodeValue(node);
    if (Observed()) {
        CRoom after = stored;
        after.m_nX = x;
        after.m_nY = y;
        after.m_nPlane = plane;
        NotifyRoom(id, &stored, &after);
    }
    m_cells.erase(node, CellOf());
    stored.m_nX = x;
    stored.m_nY = y;
    stored.m_nPlane = plane;
    m_cells.insert(node, CellOf());
}

void CVorMapperDoc::RestoreLink(LinkId id, const CLink* record, const CLinkMap::Place* place)
{
    CLink* stored = m_linkMap.Find(id);
    if (!record) {
        if (!stored)
            return;
        NotifyLink(id, stored, nullptr);
        m_linkMap.Remove(id);
        return;
    }
    CLink link = *record;
    link.m_nId = id;
    link.m_hRgn = stored ? stored->m_hRgn : HRegion();
    NotifyLink(id, stored, &link);
    if (stored)
        *stored = std::move(link);
    else if (place)
        m_linkMap.Insert(id, std::move(link), *place);
    else
        m_linkMap.Set(id, std::move(link));
}

void CVorMapperDoc::RestorePlaneName(std::int32_t plane, const std::string* name, const CPlaneNameMap::Place* place)
{
    const std::string* stored = m_planeNames.Find(plane);
    if (!name && !stored)
        return;
    for (IMapObserver* observer : m_observers)
        observer->OnPlaneNameChanging(plane, stored, name);
    if (!name)
        m_planeNames.Remove(plane);
    else if (!stored && place)
        m_planeNames.Insert(plane, *name, *place);
    else
        m_planeNames.Set(plane, *name);
}

void CVorMapperDoc::RestoreCounters(std::uint32_t lastRoom, std::uint32_t lastLink)
{
    m_nLastRoomId = lastRoom;
    m_nLastLinkId = lastLink;
}
