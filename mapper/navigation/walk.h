#pragma once
// Walking the character along the shortest way to a room. Online, one step
// at a time: a step goes to the client, the client passes the command back,
// the mapper maps the move when the room title comes, and the next step goes
// only when the character stands in the way's next room. Offline the whole
// way is moved at once. The walk watches the map and stops when a room or
// link of the way is deleted or changed, or the map is replaced.
#include <functional>
#include <string>
#include <string_view>

#include "mapper/model/document.h"
#include "mapper/navigation/client_move_watcher.h"
#include "mapper/navigation/pathfinding.h"

class CWalk : public IMapObserver, public IClientMoveWatcher {
public:
    enum EStop { STOP_NONE, STOP_ARRIVED, STOP_WRONG_WAY, STOP_ELSEWHERE, STOP_COMMAND, STOP_ESCAPE, STOP_MAP_CHANGED };

    // Watches the document from construction to destruction; steps go to
    // the sink (the client link) while online.
    CWalk(CVorMapperDoc& doc, IOnlineMoveSink* sink);
    ~CWalk() override;
    CWalk(const CWalk&) = delete;
    CWalk& operator=(const CWalk&) = delete;

    // Starts a walk from the character's room to the target, replacing any
    // walk in progress. Online the first step is sent; offline the character
    // is moved along the whole way at once. False, with the reason as state
    // text, when there is no way (nothing is sent then).
    bool Start(RoomId target, bool online);
    // Ends a walk in progress with a reason (none when idle).
    void Stop(EStop reason);
    // Escape in the map view.
    void OnEscape() { Stop(STOP_ESCAPE); }

    bool IsWalking() const { return m_bWalking; }
    std::size_t StepsLeft() const { return m_bWalking ? m_way.size() - m_nNext : 0; }
    const CWay& Way() const { return m_way; }
    EStop LastStop() const { return m_nLastStop; }
    // "Walking: N steps left" while walking, then the one-line reason it
    // stopped (or why it could not start); empty before the first walk.
    const std::string& StateText() const { return m_strState; }

    // Called whenever the state text changes.
    std::function<void()> m_onChanged;

    // IClientMoveWatcher
    void OnClientCommand(std::string_view text, Direction dir) override;
    void OnWrongWayLine() override;
    void OnTitleTaken(std::string_view title, bool moved) override;

    // IMapObserver
    void OnRoomChanging(RoomId id, const CRoom* before, const CRoom* after) override;
    void OnLinkChanging(LinkId id, const CLink* before, const CLink* after) override;
    void OnMapReplaced() override;

    // The reason text of a stop.
    std::string StopText(EStop reason) const;

private:
    void SendNext();
    void SetState(std::string text);
    std::string TitleOf(RoomId id) const;

    CVorMapperDoc& m_doc;
    IOnlineMoveSink* m_pSink;
    CPathFinder m_finder;
    CWay m_way;
    RoomId m_nStart = 0;
    RoomId m_nTarget = 0;
    std::size_t m_nNext = 0;  // the step sent and not yet arrived
    bool m_bWalking = false;
    bool m_bAwaitingEcho = false;
    EStop m_nLastStop = STOP_NONE;
    std::string m_strState;
};
