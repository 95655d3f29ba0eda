#include "mapper/recovery/autosave_schedule.h"

void CAutosaveSchedule::Observe(bool modified, std::uint32_t lastRoomId, std::uint64_t now)
{
    if (m_bSeenId && lastRoomId > m_nLastRoomId)
        m_nRoomsSinceCopy += lastRoomId - m_nLastRoomId;
    else if (m_bSeenId && lastRoomId < m_nLastRoomId)
        m_nRoomsSinceCopy = 0;  // another map
    m_nLastRoomId = lastRoomId;
    m_bSeenId = true;
    if (!modified) {
        m_bModified = false;
        m_nRoomsSinceCopy = 0;
        return;
    }
    if (!m_bModified) {
        m_bModified = true;
        m_nSince = now;
    }
}

bool CAutosaveSchedule::Due(std::uint64_t now) const
{
    if (!Enabled() || !m_bModified)
        return false;
    return now - m_nSince >= m_nIntervalMs || m_nRoomsSinceCopy >= kRoomBurst;
}

void CAutosaveSchedule::CopyStarted(std::uint64_t now)
{
    m_nSince = now;
    m_nRoomsSinceCopy = 0;
}
