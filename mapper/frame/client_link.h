#pragma once
// The main frame's link to the terminal client: online and follow mode, the
// game settings, and the turning of typed commands and game lines into moves
// of the character. Portable; the windowed frame owns one and routes the
// client's copy-data messages and the Online and Follow commands to it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/document.h"
#include "mapper/frame/client_link_host.h"
#include "mapper/frame/direction_aliases.h"
#include "mapper/frame/follow_triggers.h"
#include "mapper/model/document.h"
#include "mapper/navigation/client_move_watcher.h"

class CClientLink : public IOnlineMoveSink {
public:
    enum ELineKind { LINE_COUNTED, LINE_NOT_COUNTED, LINE_WRONG_WAY };

    CClientLink(CVorMapperDoc& doc, const CClientLinkHost& host = {});
    ~CClientLink() override;
    CClientLink(const CClientLink&) = delete;
    CClientLink& operator=(const CClientLink&) = delete;

    // A copy-data message from the client. Returns false for codes that get
    // the platform's default handling (reply 0); otherwise sets `reply`.
    bool OnCopyData(std::uintptr_t code, const void* data, std::uint32_t bytes, std::intptr_t& reply);

    // Docking; returns 1. Nothing happens without a client window.
    std::intptr_t AttachToClient();
    // Online mode from the client: flags set, then the settings file read.
    void GoOnline();

    void HandleCommand(std::string_view text);
    // The reply to the line: 0 when follow mode took it as a stop or a move.
    std::intptr_t OnGameLine(std::string_view line);
    ELineKind IsWrongWay(std::string_view line) const;

    // The Online and Follow commands (menu ids), and their menu state.
    bool OnCommand(unsigned id);
    bool OnUpdateCommandUI(vfw::CCmdUI& ui) const;
    void OnOnlineCommand();
    void OnFollowCommand();

    // Sends the direction's long alias to the client while docked and online.
    void SendDirection(Direction dir) override;
    std::intptr_t SendToClient(std::uintptr_t code, const void* data, std::uint32_t bytes);

    void LoadClientSettings();
    void SaveClientSettings();
    std::string GetClientSettingsPath() const;

    // Moves made by title lines since the link was made (for tools).
    std::uint64_t GetMoveCount() const { return m_nMoves; }

    // --- state, read and written by the frame and the configuration sheet
    std::uintptr_t m_hClient = 0;
    bool m_bAttached = false;
    std::string m_strSettingsDir;

    bool m_bOnline = false;
    bool m_bFollow = false;
    std::int32_t m_nTitleLine = 0;
    std::string m_strLastCommand;
    Direction m_nPendingDir = DIR_NONE;
    bool m_bAwaitingTitle = false;
    std::vector<std::string> m_wrongWay;
    std::vector<std::string> m_ignore;
    CDirectionAliases m_aliases;
    CFollowTriggers m_followTriggers;
    // Counted lines since the current wait began. One frame per process,
    // so this is the program's one line counter.
    std::int32_t m_nLineCount = 0;
    // Told of every command, wrong-way line and title taken (a walk); not owned.
    IClientMoveWatcher* m_pMoveWatcher = nullptr;

private:
    void TakeTitleLine(std::string_view line);

    CVorMapperDoc& m_doc;
    CClientLinkHost m_host;
    std::uint64_t m_nMoves = 0;
    mutable std::string m_strLower;  // reused by IsWrongWay
};
