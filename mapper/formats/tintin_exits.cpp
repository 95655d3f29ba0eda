#include "mapper/formats/tintin_exits.h"

#include <algorithm>

#include "mapper/formats/tintin_text.h"

namespace {
// Whether an exit's command is just its direction ("n" or "north").
bool IsDirectionCommand(std::string_view cmd, Direction dir)
{
    static const char* const kShort[kDirCount] = {"n", "s", "e", "w", "ne", "nw", "se", "sw", "u", "d"};
    cmd = TrimTintinField(cmd);
    return cmd.empty() || cmd == kShort[dir] || cmd == DirectionInfo(dir).name;
}

// Counts what an exit of a real room holds beyond its direction.
void ReportExitExtras(const CTintinExit& e, Direction dir, CFormatReport& report)
{
    if (!IsDirectionCommand(e.cmd, dir))
        report.NotCarried("exit commands other than the direction", 1, std::string(TrimTintinField(e.cmd)));
    std::uint64_t flags = 0;
    for (char c : TrimTintinField(e.flags))
        if (c >= '0' && c <= '9')
            flags = std::min<std::uint64_t>(flags * 10 + static_cast<std::uint64_t>(c - '0'), 0xFFFFFFFFu);
    if (flags)
        report.NotCarried("exit flags", 1, TintinFlagNames(static_cast<std::uint32_t>(flags), false));
    if (!TintinNumberIs(e.weight, 1.0, true))
        report.NotCarried("exit weights", 1, std::string(TrimTintinField(e.weight)));
    if (!TrimTintinField(e.color).empty())
        report.NotCarried("exit colours", 1, std::string(TrimTintinField(e.color)));
    if (!TintinNumberIs(e.delay, 0.0, true))
        report.NotCarried("exit delays", 1, std::string(TrimTintinField(e.delay)));
    if (!TrimTintinField(e.data).empty())
        report.NotCarried("exit data", 1);
}

class CVoidWalk {
public:
    CVoidWalk(const CTintinIndex& index, CFormatReport& report) : m_index(index), m_report(report) {}

    // Follows a way into void room `room` on to a real room. False when it
    // leads nowhere (counted): a void room with no way on, or a circle.
    bool Follow(CTintinWay& way, std::uint32_t room)
    {
        std::uint32_t prev = way.from;
        for (std::uint64_t hops = 0;; ++hops) {
            const CTintinExit* e = hops <= m_index.VoidCount() ? ExitOut(room, prev, way.last) : nullptr;
            if (!e) {
                m_report.NotCarried("exits into void rooms that lead nowhere", 1,
                                    "from " + std::to_string(m_index.Vnum(way.from)));
                return false;
            }
            const std::uint32_t next = m_index.RoomOfVnum(e->toVnum);
            if (next == CTintinIndex::kNone) {
                m_report.NotCarried("exits to rooms not in the file", 1, std::to_string(e->toVnum));
                return false;
            }
            const Direction d = DirectionOfTintinMask(e->dir);
            const CDirectionInfo& info = DirectionInfo(d);
            way.dx += info.dx;
            way.dy += info.dy;
            way.dplane += info.dplane;
            way.last = d;
            if (!m_index.IsVoid(next)) {
                way.to = next;
                return true;
            }
            prev = room;
            room = next;
        }
    }

private:
    // The exit out of void room `room`, entered from `prev` going `dir`:
    // straight on if it can, else the first that does not go back.
    const CTintinExit* ExitOut(std::uint32_t room, std::uint32_t prev, Direction dir) const
    {
        const CTintinFile& file = m_index.File();
        const CTintinRoom& r = file.rooms[room];
        const CTintinExit* other = nullptr;
        for (std::uint32_t k = r.firstExit; k < r.firstExit + r.exitCount; ++k) {
            const CTintinExit& e = file.exits[k];
            const Direction d = DirectionOfTintinMask(e.dir);
            if (d == DIR_NONE || m_index.RoomOfVnum(e.toVnum) == prev)
                continue;
            if (d == dir)
                return &e;
            if (!other)
                other = &e;
        }
        return other;
    }

    const CTintinIndex& m_index;
    CFormatReport& m_report;
};
}  // namespace

CTintinIndex::CTintinIndex(const CTintinFile& file, CFormatReport& report)
    : m_file(file), m_real(file.rooms.size(), kNone)
{
    m_byVnum.reserve(file.rooms.size());
    for (std::uint32_t i = 0; i < file.rooms.size(); ++i) {
        if (!m_byVnum.emplace(file.rooms[i].vnum, i).second) {
            report.NotCarried("rooms whose vnum an earlier room has", 1, std::to_string(file.rooms[i].vnum));
            continue;
        }
        if (IsVoid(i))
            ++m_voidCount;
        else
            m_real[i] = m_realCount++;
    }
    if (m_voidCount)
        report.NotCarried("void rooms (spacing only: the exits through them are joined)", m_voidCount);
}

Direction DirectionOfTintinMask(std::int32_t mask)
{
    switch (mask) {
    case 1: return DIR_N;
    case 2: return DIR_E;
    case 4: return DIR_S;
    case 8: return DIR_W;
    case 3: return DIR_NE;
    case 9: return DIR_NW;
    case 6: return DIR_SE;
    case 12: return DIR_SW;
    case 16: return DIR_U;
    case 32: return DIR_D;
    default: return DIR_NONE;
    }
}

std::vector<CTintinWay> ResolveTintinExits(const CTintinIndex& index, CFormatReport& report)
{
    std::vector<CTintinWay> ways;
    CVoidWalk voids(index, report);
    const CTintinFile& file = index.File();
    for (std::uint32_t i = 0; i < file.rooms.size(); ++i) {
        if (index.RealNumber(i) == CTintinIndex::kNone)
            continue;
        const CTintinRoom& r = file.rooms[i];
        for (std::uint32_t k = r.firstExit; k < r.firstExit + r.exitCount; ++k) {
            const CTintinExit& e = file.exits[k];
            const Direction dir = DirectionOfTintinMask(e.dir);
            if (dir == DIR_NONE) {
                const std::string_view cmd = TrimTintinField(e.cmd);
                report.NotCarried("special exits", 1, std::string(cmd.empty() ? TrimTintinField(e.name) : cmd));
                continue;
            }
            ReportExitExtras(e, dir, report);
            const std::uint32_t to = index.RoomOfVnum(e.toVnum);
            if (to == CTintinIndex::kNone) {
                report.NotCarried("exits to rooms not in the file", 1, std::to_string(e.toVnum));
                continue;
            }
            const CDirectionInfo& info = DirectionInfo(dir);
            CTintinWay way{i, to, dir, info.dx, info.dy, info.dplane, dir};
            if (index.IsVoid(to) && !voids.Follow(way, to))
                continue;
            ways.push_back(way);
        }
    }
    return ways;
}
