#pragma once
// When a recovery copy is due: while the map is modified, once the interval
// has passed since it became modified or since the last copy began, and at
// once when 50 or more rooms have been added since the last copy (so right
// after a step that adds that many). An interval of 0 turns autosave off.
// Times are milliseconds of a steady clock.
#include <cstdint>

class CAutosaveSchedule {
public:
    static constexpr std::uint32_t kRoomBurst = 50;

    explicit CAutosaveSchedule(std::int32_t intervalSeconds = 60) { SetInterval(intervalSeconds); }
    void SetInterval(std::int32_t seconds) { m_nIntervalMs = seconds > 0 ? std::uint64_t(seconds) * 1000 : 0; }
    bool Enabled() const { return m_nIntervalMs != 0; }

    // What the map looks like after a step or at a timer tick: its modified
    // flag and its room id counter (which only grows while rooms are added,
    // and starts afresh with a new or loaded map).
    void Observe(bool modified, std::uint32_t lastRoomId, std::uint64_t now);
    bool Due(std::uint64_t now) const;
    // A copy has begun (whether its write succeeds or not: a failed one is
    // tried again an interval later).
    void CopyStarted(std::uint64_t now);
    std::uint32_t RoomsSinceCopy() const { return m_nRoomsSinceCopy; }

private:
    std::uint64_t m_nIntervalMs = 0;
    bool m_bModified = false;
    std::uint64_t m_nSince = 0;  // start of the current interval, while modified
    std::uint32_t m_nLastRoomId = 0;
    bool m_bSeenId = false;
    std::uint32_t m_nRoomsSinceCopy = 0;
};
