#include "mapper/navigation/walk.h"

CWalk::CWalk(CVorMapperDoc& doc, IOnlineMoveSink* sink) : m_doc(doc), m_pSink(sink) { m_doc.AddObserver(this); }

CWalk::~CWalk() { m_doc.RemoveObserver(this); }

std::string CWalk::TitleOf(RoomId id) const
{
    const CRoom* room = m_doc.GetRooms().Find(id);
    if (!room)
        return "room " + std::to_string(id);
    if (room->m_info.m_strTitle.empty())
        return "room " + std::to_string(id);
    return room->m_info.m_strTitle.str();
}

void CWalk::SetState(std::string text)
{
    m_strState = std::move(text);
    if (m_onChanged)
        m_onChanged();
}

std::string CWalk::StopText(EStop reason) const
{
    switch (reason) {
    case STOP_ARRIVED: return "Arrived at " + TitleOf(m_nTarget);
    case STOP_WRONG_WAY: return "Walk stopped: the game refused the move";
    case STOP_ELSEWHERE: return "Walk stopped: arrived somewhere else than expected";
    case STOP_COMMAND: return "Walk stopped: a command was typed";
    case STOP_ESCAPE: return "Walk stopped by Escape";
    case STOP_MAP_CHANGED: return "Walk stopped: the map changed";
    default: return std::string();
    }
}

bool CWalk::Start(RoomId target, bool online)
{
    if (m_bWalking)
        Stop(STOP_COMMAND);
    const RoomId from = m_doc.m_nCurrentRoom;
    CWay way;
    const CPathFinder::EResult r = m_finder.FindWay(m_doc, from, target, way);
    if (r != CPathFinder::WAY_FOUND) {
        m_nLastStop = STOP_NONE;
        SetState("No way from " + TitleOf(from) + " to " + TitleOf(target));
        return false;
    }
    m_way = std::move(way);
    m_nStart = from;
    m_nTarget = target;
    m_nNext = 0;
    if (m_way.empty()) {
        m_nLastStop = STOP_ARRIVED;
        SetState(StopText(STOP_ARRIVED));
        return true;
    }
    if (!online) {
        // As that many moves along links would.
        for (const CWayStep& step : m_way) {
            if (!m_doc.Move(step.dir) || m_doc.m_nCurrentRoom != step.room) {
                m_nLastStop = STOP_ELSEWHERE;
                SetState(StopText(STOP_ELSEWHERE));
                return true;
            }
        }
        m_nLastStop = STOP_ARRIVED;
        SetState(StopText(STOP_ARRIVED));
        return true;
    }
    m_bWalking = true;
    m_nLastStop = STOP_NONE;
    SendNext();
    return true;
}

void CWalk::SendNext()
{
    SetState("Walking: " + std::to_string(m_way.size() - m_nNext) + " steps left");
    // The client may pass the command back before the send returns.
    m_bAwaitingEcho = true;
    if (m_pSink)
        m_pSink->SendDirection(m_way[m_nNext].dir);
}

void CWalk::Stop(EStop reason)
{
    if (!m_bWalking)
        return;
    m_bWalking = false;
    m_bAwaitingEcho = false;
    m_nLastStop = reason;
    SetState(StopText(reason));
}

void CWalk::OnClientCommand(std::string_view, Direction dir)
{
    if (!m_bWalking)
        return;
    if (m_bAwaitingEcho && dir == m_way[m_nNext].dir) {
        m_bAwaitingEcho = false;  // the walk's own step coming back
        return;
    }
    Stop(STOP_COMMAND);
}

void CWalk::OnWrongWayLine()
{
    if (m_bWalking && !m_bAwaitingEcho)
        Stop(STOP_WRONG_WAY);
}

void CWalk::OnTitleTaken(std::string_view title, bool moved)
{
    if (!m_bWalking || m_bAwaitingEcho)
        return;
    const CWayStep& step = m_way[m_nNext];
    const CRoom* room = m_doc.GetRooms().Find(step.room);
    const bool there = moved && m_doc.m_nCurrentRoom == step.room && room &&
                       (room->m_info.m_strTitle.empty() || room->m_info.m_strTitle == title);
    if (!there) {
        Stop(STOP_ELSEWHERE);
        return;
    }
    if (++m_nNext == m_way.size()) {
        Stop(STOP_ARRIVED);
        return;
    }
    SendNext();
}

void CWalk::OnRoomChanging(RoomId id, const CRoom* before, const CRoom* after)
{
    if (!m_bWalking)
        return;
    // The room being left by each remaining step, and the rooms reached.
    RoomId from = m_nNext == 0 ? m_nStart : m_way[m_nNext - 1].room;
    for (std::size_t i = m_nNext; i < m_way.size(); ++i) {
        const CWayStep& step = m_way[i];
        if (id == from && (!after || after->m_links[step.dir] != step.link)) {
            Stop(STOP_MAP_CHANGED);
            return;
        }
        if (id == step.room && !after) {
            Stop(STOP_MAP_CHANGED);
            return;
        }
        from = step.room;
    }
    (void)before;
}

void CWalk::OnLinkChanging(LinkId id, const CLink* before, const CLink* after)
{
    if (!m_bWalking)
        return;
    for (std::size_t i = m_nNext; i < m_way.size(); ++i) {
        if (m_way[i].link != id)
            continue;
        if (!after || !before || after->m_nFromRoom != before->m_nFromRoom || after->m_nToRoom != before->m_nToRoom) {
            Stop(STOP_MAP_CHANGED);
            return;
        }
    }
}

void CWalk::OnMapReplaced() { Stop(STOP_MAP_CHANGED); }
