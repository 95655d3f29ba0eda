// "! walk ID" in a transcript: a walk to the room as "Walk here" starts it,
// its steps sent to the client one by one and its stop noted.
#include <charconv>

#include "tools/vmm/transcript_player.h"

void CTranscriptPlayer::SetUpWalk()
{
    m_session.m_pMoveWatcher = &m_walk;
    m_walk.m_onChanged = [this] {
        if (!m_walk.IsWalking())
            m_notes.push_back("line " + std::to_string(m_nLine) + ": walk: " + m_walk.StateText());
    };
}

bool CTranscriptPlayer::PlayWalk(std::string_view id, std::string& error)
{
    RoomId room = 0;
    const auto r = std::from_chars(id.data(), id.data() + id.size(), room);
    if (id.empty() || r.ec != std::errc() || r.ptr != id.data() + id.size()) {
        error = "'! walk' needs a room id, not '" + std::string(id) + "'";
        return false;
    }
    m_walk.Start(room, m_link.m_bAttached && m_doc.IsOnline());
    return true;
}
