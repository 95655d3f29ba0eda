#include "tools/vmm/transcript_player.h"

#include <cstring>

#include "mapper/frame/client_protocol.h"
#include "mapper/model/document.h"
#include "mapper/resource_ids.h"

namespace {

CClientLinkHost LinkHostOf(IClientChannel* channel, IFrameWindow* window)
{
    CClientLinkHost host;
    host.channel = channel;
    host.window = window;
    return host;
}

CMappingHost MappingHostOf(IFollowNamePrompt* prompt, IMessageBoxes* messages)
{
    CMappingHost host;
    host.followPrompt = prompt;
    host.messages = messages;
    return host;
}

}  // namespace

CTranscriptPlayer::CTranscriptPlayer(CVorMapperDoc& doc)
    : m_doc(doc),
      m_history(doc),
      m_session(doc, MappingHostOf(this, this)),
      m_link(doc, m_session, LinkHostOf(this, this)),
      m_nFirstRoomId(doc.GetLastRoomId()),
      m_nFirstLinkId(doc.GetLastLinkId())
{
    m_link.m_hClient = 1;  // a client is there
    SetUpWalk();
}

void CTranscriptPlayer::Connect(const std::optional<std::string>& settingsDir)
{
    if (settingsDir)
        Send(CD_SETTINGS_DIR, *settingsDir);
    Send(CD_ATTACH, {});
    if (settingsDir)
        Send(CD_ONLINE, {});
    else
        m_link.OnCommand(ID_MODE_ONLINE);
}

std::intptr_t CTranscriptPlayer::Send(std::uintptr_t code, std::string_view text)
{
    m_strBuffer.assign(text);
    m_strBuffer.push_back('\0');
    std::intptr_t reply = 0;
    m_link.OnCopyData(code, m_strBuffer.data(), static_cast<std::uint32_t>(m_strBuffer.size()), reply);
    return reply;
}

bool CTranscriptPlayer::Play(std::string_view transcript, std::string& error)
{
    std::uint64_t lineNo = 0;
    while (!transcript.empty()) {
        std::size_t nl = transcript.find('\n');
        std::string_view line = transcript.substr(0, nl);
        transcript.remove_prefix(nl == std::string_view::npos ? transcript.size() : nl + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!PlayLine(line, ++lineNo, error))
            return false;
    }
    return true;
}

bool CTranscriptPlayer::PlayLine(std::string_view line, std::uint64_t lineNo, std::string& error)
{
    m_nLine = lineNo;
    if (line.empty() || line.front() == '#')
        return true;
    const char kind = line.front();
    const bool bare = line.size() == 1;
    const bool spaced = line.size() >= 2 && line[1] == ' ';
    const std::string_view rest = spaced ? line.substr(2) : std::string_view();
    if ((kind == '<' || kind == '>') && (bare || spaced)) {
        ++m_nEvents;
        Send(kind == '<' ? CD_TEXT_LINE : CD_COMMAND, rest);
        return true;
    }
    std::string why = "not an event (expected '> TEXT', '< TEXT', '! COMMAND' or a '#' comment)";
    if (kind == '!' && spaced) {
        if (PlayBang(rest, why)) {
            ++m_nEvents;
            return true;
        }
    }
    error = "line " + std::to_string(lineNo) + ": " + why;
    return false;
}

bool CTranscriptPlayer::PlayBang(std::string_view what, std::string& error)
{
    if (what.substr(0, 7) == "follow ") {
        if (m_session.IsFollowing())
            m_link.OnCommand(ID_MODE_FOLLOW);  // off first: the command toggles
        m_strFollowName.assign(what.substr(7));
        m_link.OnCommand(ID_MODE_FOLLOW);
        return true;
    }
    if (what == "unfollow") {
        if (m_session.IsFollowing())
            m_link.OnCommand(ID_MODE_FOLLOW);
        return true;
    }
    if (what.substr(0, 5) == "walk ")
        return PlayWalk(what.substr(5), error);
    if (what == "undo")
        return m_history.OnCommand(ID_EDIT_UNDO);
    if (what == "redo")
        return m_history.OnCommand(ID_EDIT_REDO);
    if (what == "explore")
        return m_doc.OnCommand(ID_MODE_EXPLORE);
    if (what == "trace")
        return m_doc.OnCommand(ID_MODE_TRACE);
    if (what == "autoshift")
        return m_doc.OnCommand(ID_MODE_AUTOSHIFT);
    if (what == "offline" || what == "online") {
        if (m_doc.IsOnline() != (what == "online"))
            m_link.OnCommand(ID_MODE_ONLINE);
        return true;
    }
    error = "unknown command '! " + std::string(what) +
            "' (expected follow NAME, unfollow, explore, trace, autoshift, offline, online, walk ID, undo or redo)";
    return false;
}

CReplayStats CTranscriptPlayer::GetStats() const
{
    CReplayStats s;
    s.events = m_nEvents;
    s.moves = m_session.GetMoveCount();
    s.roomsCreated = m_doc.GetLastRoomId() - m_nFirstRoomId;
    s.linksCreated = m_doc.GetLastLinkId() - m_nFirstLinkId;
    return s;
}

std::intptr_t CTranscriptPlayer::SendCopyData(std::uintptr_t code, const void* data, std::uint32_t bytes)
{
    if (code == CD_COMMAND)
        m_sent.emplace_back(CopyDataText(data, bytes));
    return 1;
}

bool CTranscriptPlayer::AskFollowName(std::string& name)
{
    name = m_strFollowName;
    return true;
}

void CTranscriptPlayer::ShowInformation(const std::string& text, const std::string& caption)
{
    std::string flat = text;
    for (char& c : flat)
        if (c == '\r' || c == '\n')
            c = ' ';
    std::string::size_type pos;
    while ((pos = flat.find("  ")) != std::string::npos)
        flat.erase(pos, 1);
    m_notes.push_back("line " + std::to_string(m_nLine) + ": " + caption + ": " + flat);
}
