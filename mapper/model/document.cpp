#include "mapper/model/document.h"

#include <cstdio>

CVorMapperDoc::CVorMapperDoc() = default;

CVorMapperDoc::~CVorMapperDoc() { ClearMap(); }

void CVorMapperDoc::ClearMap()
{
    ReleaseRegions();
    m_roomMap.clear();
    m_linkMap.clear();
    m_planeNames.clear();
    m_cells.clear();
}

bool CVorMapperDoc::OnNewDocument()
{
    if (!vfw::CDocument::OnNewDocument())
        return false;
    m_nOriginX = m_nOriginY = 200;
    m_dRotation = 0.0;
    m_dZoom = 1.0;
    m_nCurrentPlane = 0;
    m_nLastRoomId = m_nLastLinkId = 0;
    // Observers hear of the new map as a whole, not of its first room.
    std::vector<IMapObserver*> observers = std::move(m_observers);
    m_observers.clear();
    ClearMap();
    m_bTrace = true;
    m_bAutoShift = true;
    m_bFollow = false;
    CRoom room;
    m_nCurrentRoom = AddRoom(room);
    m_nFileVersion = kMapVersionWritten;
    m_nStoredCurrentRoom = m_nCurrentRoom;
    m_observers = std::move(observers);
    NotifyMapReplaced();
    UpdateAllViews(nullptr, HINT_PLANE_CHANGED);
    return true;
}

// ---------------------------------------------------------------- storage

CRoom CVorMapperDoc::GetRoom(RoomId id) const
{
    const CRoom* room = m_roomMap.Find(id);
    return room ? *room : CRoom();
}

bool CVorMapperDoc::LookupRoom(RoomId id, CRoom& room) const
{
    const CRoom* stored = m_roomMap.Find(id);
    if (!stored)
        return false;
    room = *stored;
    return true;
}

std::uint32_t CVorMapperDoc::StoreRoomNode(CRoom room, const CRoomMap::Place* place)
{
    const std::uint32_t node = m_roomMap.NodeOf(room.m_nId);
    if (Observed())
        NotifyRoom(room.m_nId, node == CRoomMap::npos ? nullptr : &m_roomMap.NodeValue(node), &room);
    if (node != CRoomMap::npos) {
        CRoom& stored = m_roomMap.NodeValue(node);
        const bool moves = stored.m_nX != room.m_nX || stored.m_nY != room.m_nY || stored.m_nPlane != room.m_nPlane;
        if (moves)
            m_cells.erase(node, CellOf());  // while the node still has its old cell
        stored = std::move(room);
        if (moves)
            m_cells.insert(node, CellOf());
        return node;
    }
    const RoomId id = room.m_nId;
    const std::uint32_t added =
        place ? m_roomMap.Insert(id, std::move(room), *place) : m_roomMap.Set(id, std::move(room)).first;
    m_cells.insert(added, CellOf());
    return added;
}

RoomId CVorMapperDoc::SetRoom(const CRoom& room)
{
    StoreRoomNode(room);
    return room.m_nId;
}

CLink CVorMapperDoc::GetLink(LinkId id) const
{
    const CLink* link = m_linkMap.Find(id);
    return link ? *link : CLink();
}

bool CVorMapperDoc::LookupLink(LinkId id, CLink& link) const
{
    const CLink* stored = m_linkMap.Find(id);
    if (!stored)
        return false;
    link = *stored;
    return true;
}

LinkId CVorMapperDoc::SetLink(const CLink& link)
{
    if (Observed())
        NotifyLink(link.m_nId, m_linkMap.Find(link.m_nId), &link);
    m_linkMap.Set(link.m_nId, link);
    return link.m_nId;
}

// Of the rooms in the cell, the one met first in container order.
std::uint32_t CVorMapperDoc::FirstNodeAt(std::int32_t x, std::int32_t y, std::int32_t plane) const
{
    std::uint32_t best = CRoomMap::npos;
    m_cells.for_each({x, y, plane}, CellOf(), [&](std::uint32_t node) {
        if (best == CRoomMap::npos || m_roomMap.NodeBefore(node, best))
            best = node;
    });
    return best;
}

RoomId CVorMapperDoc::FindRoomIdAt(std::int32_t x, std::int32_t y, std::int32_t plane) const
{
    const std::uint32_t node = FirstNodeAt(x, y, plane);
    return node == CRoomMap::npos ? 0 : m_roomMap.NodeKey(node);
}

bool CVorMapperDoc::FindRoomAt(std::int32_t x, std::int32_t y, std::int32_t plane, CRoom& room) const
{
    const std::uint32_t node = FirstNodeAt(x, y, plane);
    if (node == CRoomMap::npos)
        return false;
    room = m_roomMap.NodeValue(node);
    return true;
}

bool CVorMapperDoc::HasFreeExit(RoomId id) const
{
    // An absent room counts as the default record: every slot free.
    const CRoom* room = m_roomMap.Find(id);
    if (!room)
        return true;
    for (LinkId link : room->m_links)
        if (link == 0)
            return true;
    return false;
}

void CVorMapperDoc::SetRoomHitData(RoomId id, CPoint square, const CRect& hit)
{
    if (CRoom* room = m_roomMap.Find(id)) {
        room->m_ptSquare = square;
        room->m_rcHit = hit;
    }
}

void CVorMapperDoc::SetRoomLabelRegion(RoomId id, HRegion region)
{
    if (CRoom* room = m_roomMap.Find(id))
        room->m_info.m_hLabelRgn = std::move(region);
}

void CVorMapperDoc::SetLinkRegion(LinkId id, HRegion region)
{
    if (CLink* link = m_linkMap.Find(id))
        link->m_hRgn = std::move(region);
}

void CVorMapperDoc::ReleaseRegions()
{
    // The handles are shared with any copies; dropping the stored ones frees
    // each region as soon as no copy holds it.
    m_linkMap.ForEach([](LinkId, CLink& link) { link.m_hRgn.reset(); });
    m_roomMap.ForEach([](RoomId, CRoom& room) { room.m_info.m_hLabelRgn.reset(); });
}

// ---------------------------------------------------------------- hit tests

RoomId CVorMapperDoc::RoomAtPoint(CPoint pt) const
{
    for (auto it = m_roomMap.begin(); it != m_roomMap.end(); ++it) {
        const CRoom& room = it.value();
        if (room.m_nPlane == m_nCurrentPlane && room.m_rcHit.Contains(pt))
            return it.key();
    }
    return 0;
}

RoomId CVorMapperDoc::RoomLabelAtPoint(CPoint pt) const
{
    for (auto it = m_roomMap.begin(); it != m_roomMap.end(); ++it) {
        const CRoom& room = it.value();
        if (room.m_nPlane == m_nCurrentPlane && room.m_info.m_hLabelRgn && room.m_info.m_hLabelRgn->Contains(pt))
            return it.key();
    }
    return 0;
}

LinkId CVorMapperDoc::LinkAtPoint(CPoint pt) const
{
    for (auto it = m_linkMap.begin(); it != m_linkMap.end(); ++it) {
        const CLink& link = it.value();
        if (!link.m_hRgn)
            continue;
        const CRoom* from = m_roomMap.Find(link.m_nFromRoom);
        const CRoom* to = m_roomMap.Find(link.m_nToRoom);
        const bool onPlane = (from && from->m_nPlane == m_nCurrentPlane) || (to && to->m_nPlane == m_nCurrentPlane);
        if (onPlane && link.m_hRgn->Contains(pt))
            return it.key();
    }
    return 0;
}

// ---------------------------------------------------------------- planes and modes

std::string CVorMapperDoc::GetPlaneName(std::int32_t plane) const
{
    if (const std::string* name = m_planeNames.Find(plane))
        return *name;
    char text[32];
    std::snprintf(text, sizeof text, "Plane %i", static_cast<int>(plane));
    return text;
}


void CVorMapperDoc::SetOnline(bool online)
{
    m_bOnline = online;
    UpdateAllViews(nullptr, HINT_REDRAW);
}

void CVorMapperDoc::SetFollow(const std::string& name)
{
    m_bFollow = true;
    m_strFollowName = name;
    UpdateAllViews(nullptr, HINT_REDRAW);
}

void CVorMapperDoc::ClearFollow()
{
    m_bFollow = false;
    UpdateAllViews(nullptr, HINT_REDRAW);
}
