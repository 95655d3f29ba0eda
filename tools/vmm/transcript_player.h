#pragma once
// Plays a recorded game session into a map, event by event, through the
// same client link and messages the mapper uses with a live client.
//
// Transcript lines (LF or CRLF): "> TEXT" a typed command, "< TEXT" a game
// line ("<" alone: an empty one), "! follow NAME", "! unfollow", "! explore",
// "! trace", "! autoshift", "! offline", "! online", "! walk ID" (as "Walk here"
// on room ID), "! undo", "! redo" (the Edit menu's commands); "#" starts a comment.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mapper/frame/client_link.h"
#include "mapper/model/history.h"
#include "mapper/navigation/walk.h"

class CVorMapperDoc;

struct CReplayStats {
    std::uint64_t events = 0;
    std::uint64_t moves = 0;
    std::uint64_t roomsCreated = 0;
    std::uint64_t linksCreated = 0;
};

class CTranscriptPlayer : private IClientChannel,
                          private IFollowNamePrompt,
                          private IMessageBoxes,
                          private IFrameWindow {
public:
    explicit CTranscriptPlayer(CVorMapperDoc& doc);

    // What a client does before the session: the settings directory text,
    // exactly as a client sends it (the prefix of the settings file's name),
    // docking, online mode, for which the mapper reads that settings file.
    // Without a directory no settings are read: online mode is switched on
    // as by the menu command, and the defaults hold.
    void Connect(const std::optional<std::string>& settingsDir);
    // One transcript line without its line end. False with `error` for a
    // line that is no event.
    bool PlayLine(std::string_view line, std::uint64_t lineNo, std::string& error);
    // A whole transcript; stops at the first bad line.
    bool Play(std::string_view transcript, std::string& error);

    CReplayStats GetStats() const;
    // Message boxes the session raised, with their line numbers.
    const std::vector<std::string>& GetNotes() const { return m_notes; }
    // Texts the mapper sent to the client.
    const std::vector<std::string>& GetSent() const { return m_sent; }
    CClientLink& GetLink() { return m_link; }
    CMappingSession& GetSession() { return m_session; }

private:
    std::intptr_t Send(std::uintptr_t code, std::string_view text);
    bool PlayBang(std::string_view what, std::string& error);
    // "! walk ID" (transcript_walk.cpp).
    void SetUpWalk();
    bool PlayWalk(std::string_view id, std::string& error);

    std::intptr_t SendCopyData(std::uintptr_t code, const void* data, std::uint32_t bytes) override;
    bool AskFollowName(std::string& name) override;
    void ShowInformation(const std::string& text, const std::string& caption) override;
    void DockIntoClient() override {}
    void DestroyFrame() override {}

    CVorMapperDoc& m_doc;
    CMapHistory m_history;
    CMappingSession m_session;
    CClientLink m_link;
    std::uint32_t m_nFirstRoomId;
    std::uint32_t m_nFirstLinkId;
    std::uint64_t m_nEvents = 0;
    std::uint64_t m_nLine = 0;
    std::string m_strFollowName;
    std::string m_strBuffer;  // text plus NUL, as a client sends it
    std::vector<std::string> m_notes;
    std::vector<std::string> m_sent;
    CWalk m_walk{m_doc, &m_link};
};
