// The character's movement: along links, and in trace mode into new rooms.
// Works on the stored records directly (by node), with the same results as
// fetching copies and storing them back, because a move is on the hot path
// of mapping and must not cost more in a large map.
#include <optional>

#include "mapper/model/document.h"

bool CVorMapperDoc::Move(Direction dir, const CRoomInfo* info)
{
    if (!IsDirection(dir))
        return false;
    const RoomId curId = m_nCurrentRoom;
    const CRoom* cur = m_roomMap.Find(curId);
    if (!cur)
        return false;

    // A recursive room keeps the character while the game reports its title.
    if (m_bOnline && cur->m_bRecursive && info && info->m_strTitle == cur->m_info.m_strTitle)
        return false;

    auto showPlaneOf = [this](std::int32_t plane) {
        if (m_nCurrentPlane != plane) {
            m_nCurrentPlane = plane;
            UpdateAllViews(nullptr, HINT_PLANE_CHANGED);
        } else {
            UpdateAllViews(nullptr, HINT_REDRAW);
        }
    };

    if (cur->m_links[dir] != 0) {
        const CLink* link = m_linkMap.Find(cur->m_links[dir]);
        if (!link)
            return false;
        const RoomId nextId = link->m_nFromRoom == curId ? link->m_nToRoom : link->m_nFromRoom;
        CRoom* next = m_roomMap.Find(nextId);
        if (!next)
            return false;
        // Filling missing texts is a change of the map (undone with the move
        // that made it); a move that fills nothing is no step.
        std::optional<CMapStep> fill;
        if (info)
            fill.emplace(*this, "Room texts");
        m_nCurrentRoom = nextId;
        if (info)
            FillRoomTexts(m_roomMap.NodeOf(nextId), *info);  // texts only: the cell index is not touched
        showPlaneOf(next->m_nPlane);
        return true;
    }

    if (!m_bTrace)
        return false;
    CMapStep traceStep(*this, "Trace move");

    const CDirectionInfo& step = DirectionInfo(dir);
    const std::int32_t tx = WrapAdd(cur->m_nX, step.dx);
    const std::int32_t ty = WrapAdd(cur->m_nY, step.dy);
    const std::int32_t tplane = WrapAdd(cur->m_nPlane, step.dplane);
    std::uint32_t found = FirstNodeAt(tx, ty, tplane);
    if (found != CRoomMap::npos && m_bOnline && m_bAutoShift && info &&
        m_roomMap.NodeValue(found).m_info.m_strTitle != info->m_strTitle) {
        ShiftRooms(m_roomMap.NodeKey(found), dir);
        found = CRoomMap::npos;
    }
    RoomId targetId;
    if (found != CRoomMap::npos) {
        targetId = m_roomMap.NodeKey(found);
        if (info)
            FillRoomTexts(found, *info);
    } else {
        CRoom target;
        target.m_nX = tx;
        target.m_nY = ty;
        target.m_nPlane = tplane;
        if (info) {
            target.m_info = *info;
            target.m_info.m_hLabelRgn.reset();
        }
        targetId = AddRoom(std::move(target));
    }

    CLink link;
    link.m_nFromRoom = curId;
    link.m_nToRoom = targetId;
    link.m_nFromDir = dir;
    link.m_nToDir = Opposite(dir);
    const LinkId linkId = AddLink(std::move(link));

    // Adding may have moved the stored records: look both up afresh.
    SetRoomSlot(curId, dir, linkId);
    SetRoomSlot(targetId, Opposite(dir), linkId);
    m_nCurrentRoom = targetId;
    showPlaneOf(m_roomMap.Find(targetId)->m_nPlane);
    SetModifiedFlag();
    return true;
}

bool CVorMapperDoc::SendOnlineMove(Direction dir)
{
    if (!m_bTrace || !m_bOnline || !IsDirection(dir))
        return false;
    if (m_pMoveSink)
        m_pMoveSink->SendDirection(dir);
    return true;
}

void CVorMapperDoc::FillRoomTexts(std::uint32_t node, const CRoomInfo& info)
{
    CRoom& stored = m_roomMap.NodeValue(node);
    if (!Observed()) {
        stored.m_info.FillMissing(info);
        return;
    }
    if (!stored.m_info.WouldFill(info))
        return;  // nothing was missing: no change to report, no copy made
    CRoom after = stored;
    after.m_info.FillMissing(info);
    NotifyRoom(stored.m_nId, &stored, &after);
    stored = std::move(after);
}

void CVorMapperDoc::SetRoomSlot(RoomId id, Direction dir, LinkId link)
{
    CRoom& stored = *m_roomMap.Find(id);
    if (Observed()) {
        CRoom after = stored;
        after.m_links[dir] = link;
        NotifyRoom(id, &stored, &after);
    }
    stored.m_links[dir] = link;
}
