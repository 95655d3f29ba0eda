// Typed commands and game lines: waiting for the room title after a
// movement command, follow mode, and the Follow command.
#include "mapper/mapping/mapping_session.h"

#include <algorithm>
#include <limits>

namespace {

bool ContainsNoCase(std::string_view lowerLine, const std::string& entry)
{
    const auto it = std::search(lowerLine.begin(), lowerLine.end(), entry.begin(), entry.end(),
                                [](char a, char b) { return a == LowerAnsi(b); });
    return it != lowerLine.end() || entry.empty();
}

}  // namespace

CMappingSession::CMappingSession(CVorMapperDoc& doc, const CMappingHost& host) : m_doc(doc), m_host(host) {}

void CMappingSession::HandleCommand(std::string_view text)
{
    if (!IsOnline())
        return;
    if (text.size() >= 2 && text.substr(text.size() - 2) == "\r\n")
        text.remove_suffix(2);
    m_strLastCommand.assign(text);
    const Direction d = m_settings.m_aliases.Lookup(text);
    m_nPendingDir = d;
    m_bAwaitingTitle = d != DIR_NONE;
    // Every command starts a new count, so a wait that was replaced before
    // its title came does not shift the next one.
    m_nLineCount = 0;
    if (m_pMoveWatcher)
        m_pMoveWatcher->OnClientCommand(text, d);
}

CMappingSession::ELineKind CMappingSession::IsWrongWay(std::string_view line) const
{
    if (line.empty() || line == m_strLastCommand)
        return LINE_NOT_COUNTED;
    std::string& lower = m_strLower;
    ToLowerAnsiInto(line, lower);
    for (const std::string& entry : m_settings.m_wrongWay)
        if (ContainsNoCase(lower, entry))
            return LINE_WRONG_WAY;
    for (const std::string& entry : m_settings.m_ignore)
        if (ContainsNoCase(lower, entry))
            return LINE_NOT_COUNTED;
    return LINE_COUNTED;
}

std::intptr_t CMappingSession::OnGameLine(std::string_view line)
{
    if (IsOnline()) {
        CFollowTriggers& triggers = m_settings.m_followTriggers;
        if (IsFollowing()) {
            const std::string r = triggers.ProcessLine(line);
            if (r == CFollowTriggers::kStop) {
                m_doc.ClearFollow();
                return 0;
            }
            if (!r.empty()) {
                HandleCommand(r);
                return 0;
            }
        } else {
            if (triggers.CheckActivation(line))
                m_doc.SetFollow(triggers.GetName());
            else if (m_doc.m_bFollow)
                m_doc.ClearFollow();  // a line that changes nothing does not redraw the map
        }
    }
    if (m_bAwaitingTitle) {
        switch (IsWrongWay(line)) {
        case LINE_WRONG_WAY:
            m_bAwaitingTitle = false;
            m_nLineCount = 0;
            if (m_pMoveWatcher)
                m_pMoveWatcher->OnWrongWayLine();
            break;
        case LINE_NOT_COUNTED:
            break;
        case LINE_COUNTED:
            if (m_nLineCount == m_settings.m_nTitleLine)
                TakeTitleLine(line);
            else if (m_nLineCount < std::numeric_limits<std::int32_t>::max())
                ++m_nLineCount;
            break;
        }
    }
    return 1;
}

void CMappingSession::TakeTitleLine(std::string_view line)
{
    CRoomInfo info;
    info.m_strTitle.assign(line);
    m_bAwaitingTitle = false;
    const bool moved = m_doc.Move(m_nPendingDir, &info);
    if (moved)
        ++m_nMoves;
    m_nLineCount = 0;
    // Last: a walk may send its next step from here, and the client may pass
    // it back at once.
    if (m_pMoveWatcher)
        m_pMoveWatcher->OnTitleTaken(line, moved);
}

void CMappingSession::OnFollowCommand()
{
    CFollowTriggers& triggers = m_settings.m_followTriggers;
    if (IsFollowing()) {
        triggers.Deactivate();
        m_doc.ClearFollow();
        return;
    }
    if (!triggers.IsConfigured()) {
        if (m_host.messages)
            m_host.messages->ShowInformation(
                "Follow mode has not been configured properly.\r\nConfigure it and try again.",
                "VorMapper - follow mode");
        return;
    }
    std::string name = triggers.GetName();
    if (m_host.followPrompt && m_host.followPrompt->AskFollowName(name) && !name.empty()) {
        triggers.SetName(name);
        m_doc.SetFollow(triggers.GetName());
    } else {
        m_doc.ClearFollow();
    }
}
