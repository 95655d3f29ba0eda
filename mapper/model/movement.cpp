// The character's movement: along links, and in trace mode into new rooms.
#include "mapper/model/document.h"

bool CVorMapperDoc::Move(Direction dir, const CRoomInfo* info)
{
    if (!IsDirection(dir))
        return false;
    CRoom cur;
    if (!LookupRoom(m_nCurrentRoom, cur))
        return false;

    // A recursive room keeps the character while the game reports its title.
    if (m_bOnline && cur.m_bRecursive && info && info->m_strTitle == cur.m_info.m_strTitle)
        return false;

    auto showPlaneOf = [this](const CRoom& room) {
        if (m_nCurrentPlane != room.m_nPlane) {
            m_nCurrentPlane = room.m_nPlane;
            UpdateAllViews(nullptr, HINT_PLANE_CHANGED);
        } else {
            UpdateAllViews(nullptr, HINT_REDRAW);
        }
    };

    if (cur.m_links[dir] != 0) {
        CLink link;
        if (!LookupLink(cur.m_links[dir], link))
            return false;
        const RoomId nextId = link.m_nFromRoom == m_nCurrentRoom ? link.m_nToRoom : link.m_nFromRoom;
        CRoom next;
        if (!LookupRoom(nextId, next))
            return false;
        m_nCurrentRoom = nextId;
        if (info) {
            next.m_info.FillMissing(*info);
            SetRoom(next);
        }
        showPlaneOf(next);
        return true;
    }

    if (!m_bTrace)
        return false;

    const CDirectionInfo& step = DirectionInfo(dir);
    const std::int32_t tx = WrapAdd(cur.m_nX, step.dx);
    const std::int32_t ty = WrapAdd(cur.m_nY, step.dy);
    const std::int32_t tplane = WrapAdd(cur.m_nPlane, step.dplane);
    CRoom target;
    bool found = FindRoomAt(tx, ty, tplane, target);
    if (found && m_bOnline && m_bAutoShift && info && target.m_info.m_strTitle != info->m_strTitle) {
        ShiftRooms(target.m_nId, dir);
        found = false;
        // The shift may have moved the current room too (it lies behind the
        // found room when the move goes against the axis); take it afresh.
        LookupRoom(m_nCurrentRoom, cur);
    }
    if (found) {
        if (info)
            target.m_info.FillMissing(*info);
    } else {
        target = CRoom();
        target.m_nX = tx;
        target.m_nY = ty;
        target.m_nPlane = tplane;
        if (info) {
            target.m_info = *info;
            target.m_info.m_hLabelRgn.reset();
        }
        target.SetId(AddRoom(target));
    }

    CLink link;
    link.m_nFromRoom = m_nCurrentRoom;
    link.m_nToRoom = target.m_nId;
    link.m_nFromDir = dir;
    link.m_nToDir = Opposite(dir);
    const LinkId linkId = AddLink(link);

    cur.m_links[dir] = linkId;
    target.m_links[Opposite(dir)] = linkId;
    SetRoom(cur);
    SetRoom(target);
    m_nCurrentRoom = target.m_nId;
    showPlaneOf(target);
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
