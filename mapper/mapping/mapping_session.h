#pragma once
// The mapping session: the game settings and the turning of typed commands
// and game lines into moves of the character, follow mode included.
// Online mode is the document's (IsOnline); follow mode is the follow
// triggers' (IsFollowing), shown on the map through the document's SetFollow
// and ClearFollow. Portable; the main frame owns one.
#include <cstdint>
#include <string>
#include <string_view>

#include "mapper/mapping/game_settings.h"
#include "mapper/mapping/mapping_host.h"
#include "mapper/model/document.h"
#include "mapper/navigation/client_move_watcher.h"

class CMappingSession {
public:
    enum ELineKind { LINE_COUNTED, LINE_NOT_COUNTED, LINE_WRONG_WAY };

    explicit CMappingSession(CVorMapperDoc& doc, const CMappingHost& host = {});
    CMappingSession(const CMappingSession&) = delete;
    CMappingSession& operator=(const CMappingSession&) = delete;

    bool IsOnline() const { return m_doc.IsOnline(); }
    bool IsFollowing() const { return m_settings.m_followTriggers.IsActive(); }

    void HandleCommand(std::string_view text);
    // The reply to the line: 0 when follow mode took it as a stop or a move.
    std::intptr_t OnGameLine(std::string_view line);
    ELineKind IsWrongWay(std::string_view line) const;
    // The Follow command: asks for the name to follow, or stops following.
    void OnFollowCommand();

    // Moves made by title lines since the session began (for tools).
    std::uint64_t GetMoveCount() const { return m_nMoves; }

    CGameSettings m_settings;

    // --- the wait for a room title, read by tests and tools
    std::string m_strLastCommand;
    Direction m_nPendingDir = DIR_NONE;
    bool m_bAwaitingTitle = false;
    // Counted lines since the current wait began. One frame per process,
    // so this is the program's one line counter.
    std::int32_t m_nLineCount = 0;
    // Told of every command, wrong-way line and title taken (a walk); not owned.
    IClientMoveWatcher* m_pMoveWatcher = nullptr;

private:
    void TakeTitleLine(std::string_view line);

    CVorMapperDoc& m_doc;
    CMappingHost m_host;
    std::uint64_t m_nMoves = 0;
    mutable std::string m_strLower;  // reused by IsWrongWay
};
