#pragma once
// The exits of a parsed TinTin++ map as ways between its real rooms: void
// rooms (spacing only) are passed through, so that a way joins the two real
// rooms at its ends and keeps the steps it took.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "mapper/formats/format_report.h"
#include "mapper/formats/tintin_parse.h"
#include "mapper/model/direction.h"

// The rooms of a file by vnum, the real (not void) ones numbered 0, 1, ...
// in file order. A room whose vnum an earlier one has is left out (counted).
class CTintinIndex {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    CTintinIndex(const CTintinFile& file, CFormatReport& report);

    const CTintinFile& File() const { return m_file; }
    // The index in the file of the room of that vnum, or kNone.
    std::uint32_t RoomOfVnum(std::uint32_t vnum) const
    {
        const auto it = m_byVnum.find(vnum);
        return it == m_byVnum.end() ? kNone : it->second;
    }
    bool IsVoid(std::uint32_t room) const { return (m_file.rooms[room].flags & kTintinRoomVoid) != 0; }
    // The number of a real room, kNone for a void room or one left out.
    std::uint32_t RealNumber(std::uint32_t room) const { return m_real[room]; }
    std::uint32_t RealCount() const { return m_realCount; }
    std::uint64_t VoidCount() const { return m_voidCount; }
    std::uint32_t Vnum(std::uint32_t room) const { return m_file.rooms[room].vnum; }

private:
    const CTintinFile& m_file;
    std::unordered_map<std::uint32_t, std::uint32_t> m_byVnum;
    std::vector<std::uint32_t> m_real;
    std::uint32_t m_realCount = 0;
    std::uint64_t m_voidCount = 0;
};

// An exit of a real room, followed through any void rooms to a real one.
struct CTintinWay {
    std::uint32_t from, to;       // rooms, by index in the file
    Direction dir;                // at `from`
    std::int32_t dx, dy, dplane;  // the steps taken, added up
    Direction last;               // of the last step
};

// The direction of a TinTin++ direction bit mask, DIR_NONE for 0 or any
// other mask.
Direction DirectionOfTintinMask(std::int32_t mask);

// The ways of the real rooms' exits in file order. Counts special exits,
// exits to rooms not in the file or into void rooms that lead nowhere, and
// what exits hold beyond their direction.
std::vector<CTintinWay> ResolveTintinExits(const CTintinIndex& index, CFormatReport& report);
