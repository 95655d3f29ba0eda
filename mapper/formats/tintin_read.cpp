#include "mapper/formats/tintin_read.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#include "mapper/formats/tintin_layout.h"
#include "mapper/formats/tintin_parse.h"
#include "mapper/formats/tintin_text.h"
#include "mapper/model/document.h"

namespace {
constexpr std::uint32_t kNone = 0xFFFFFFFFu;

Direction DirectionOfMask(std::int32_t mask)
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

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r' || s.front() == '\n'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

// The names of the set bits, from a table of {bit, name}.
template <std::size_t N>
std::string FlagNames(std::uint32_t flags, const std::pair<std::uint32_t, const char*> (&names)[N])
{
    std::string out;
    for (const auto& [bit, name] : names)
        if (flags & bit) {
            out += out.empty() ? "" : " ";
            out += name;
            flags &= ~bit;
        }
    if (flags)
        out += (out.empty() ? "flag " : " flag ") + std::to_string(flags);
    return out;
}

constexpr std::pair<std::uint32_t, const char*> kRoomFlags[] = {
    {1, "avoid"},     {2, "hide"},       {4, "leave"}, {16, "static"},  {32, "curved"},
    {64, "path"},     {128, "noglobal"}, {256, "invis"}, {16384, "block"},
};
constexpr std::pair<std::uint32_t, const char*> kExitFlags[] = {{1, "hide"}, {2, "avoid"}, {4, "invis"}, {8, "block"}};

bool IsOne(std::string_view weight)
{
    weight = Trim(weight);
    if (weight.empty() || weight == "1.000")
        return true;
    const std::string text(weight);
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && value == 1.0;
}

bool IsZero(std::string_view number)
{
    number = Trim(number);
    if (number.empty())
        return true;
    const std::string text(number);
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && value == 0.0;
}

// Whether an exit's command is just its direction ("n" or "north").
bool IsDirectionCommand(std::string_view cmd, Direction dir)
{
    static const char* const kShort[kDirCount] = {"n", "s", "e", "w", "ne", "nw", "se", "sw", "u", "d"};
    cmd = Trim(cmd);
    return cmd.empty() || cmd == kShort[dir] || cmd == DirectionInfo(dir).name;
}

// An exit of a real room, followed through any void rooms to a real one.
struct CWay {
    std::uint32_t from, to;  // room indices in the file
    Direction dir;           // at `from`
    std::int32_t dx, dy, dplane;
    Direction last;  // of the last step
};

class CReader {
public:
    CReader(const CTintinFile& file, CFormatReport& report) : m_file(file), m_report(report) {}

    bool Read(CMapContents& contents, std::string& error)
    {
        IndexRooms();
        if (m_realCount == 0) {
            error = "the map holds no rooms but void rooms";
            return false;
        }
        ResolveExits();
        MakeLinks();
        LayOut();
        Fill(contents);
        return true;
    }

private:
    bool IsVoid(std::uint32_t i) const { return (m_file.rooms[i].flags & kTintinRoomVoid) != 0; }

    std::uint32_t RoomOfVnum(std::uint32_t vnum) const
    {
        const auto it = m_byVnum.find(vnum);
        return it == m_byVnum.end() ? kNone : it->second;
    }

    void IndexRooms()
    {
        const auto& rooms = m_file.rooms;
        m_byVnum.reserve(rooms.size());
        m_compact.assign(rooms.size(), kNone);
        for (std::uint32_t i = 0; i < rooms.size(); ++i) {
            if (!m_byVnum.emplace(rooms[i].vnum, i).second) {
                m_report.NotCarried("rooms whose vnum an earlier room has", 1, std::to_string(rooms[i].vnum));
                continue;
            }
            if (IsVoid(i))
                ++m_voidCount;
            else
                m_compact[i] = m_realCount++;
        }
        if (m_voidCount)
            m_report.NotCarried("void rooms (spacing only: the exits through them are joined)", m_voidCount);
    }

    // Counts what an exit of a real room holds beyond its direction.
    void ReportExitExtras(const CTintinExit& e, Direction dir)
    {
        if (!IsDirectionCommand(e.cmd, dir))
            m_report.NotCarried("exit commands other than the direction", 1, std::string(Trim(e.cmd)));
        std::uint64_t flags = 0;
        for (char c : Trim(e.flags))
            flags = c >= '0' && c <= '9' ? std::min<std::uint64_t>(flags * 10 + (c - '0'), 0xFFFFFFFFu) : flags;
        if (flags)
            m_report.NotCarried("exit flags", 1, FlagNames(static_cast<std::uint32_t>(flags), kExitFlags));
        if (!IsOne(e.weight))
            m_report.NotCarried("exit weights", 1, std::string(Trim(e.weight)));
        if (!Trim(e.color).empty())
            m_report.NotCarried("exit colours", 1, std::string(Trim(e.color)));
        if (!IsZero(e.delay))
            m_report.NotCarried("exit delays", 1, std::string(Trim(e.delay)));
        if (!Trim(e.data).empty())
            m_report.NotCarried("exit data", 1);
    }

    // The exit a way takes out of void room `room`, entered from `prev` going
    // `dir`: straight on if it can, else the first that does not go back.
    const CTintinExit* ExitOutOfVoid(std::uint32_t room, std::uint32_t prev, Direction dir) const
    {
        const CTintinRoom& r = m_file.rooms[room];
        const CTintinExit* other = nullptr;
        for (std::uint32_t k = r.firstExit; k < r.firstExit + r.exitCount; ++k) {
            const CTintinExit& e = m_file.exits[k];
            const Direction d = DirectionOfMask(e.dir);
            if (d == DIR_NONE || RoomOfVnum(e.toVnum) == prev)
                continue;
            if (d == dir)
                return &e;
            if (!other)
                other = &e;
        }
        return other;
    }

    // Follows a way into void room `room` on to a real room. False when it
    // leads nowhere (counted).
    bool ThroughVoids(CWay& way, std::uint32_t room)
    {
        std::uint32_t prev = way.from;
        for (std::uint64_t hops = 0;; ++hops) {
            const CTintinExit* e = hops <= m_voidCount ? ExitOutOfVoid(room, prev, way.last) : nullptr;
            if (!e) {
                m_report.NotCarried("exits into void rooms that lead nowhere", 1, "from " + Vnum(way.from));
                return false;
            }
            const std::uint32_t next = RoomOfVnum(e->toVnum);
            if (next == kNone) {
                m_report.NotCarried("exits to rooms not in the file", 1, std::to_string(e->toVnum));
                return false;
            }
            const Direction d = DirectionOfMask(e->dir);
            const CDirectionInfo& info = DirectionInfo(d);
            way.dx += info.dx;
            way.dy += info.dy;
            way.dplane += info.dplane;
            way.last = d;
            if (!IsVoid(next)) {
                way.to = next;
                return true;
            }
            prev = room;
            room = next;
        }
    }

    std::string Vnum(std::uint32_t room) const { return std::to_string(m_file.rooms[room].vnum); }

    void ResolveExits()
    {
        const auto& rooms = m_file.rooms;
        for (std::uint32_t i = 0; i < rooms.size(); ++i) {
            if (m_compact[i] == kNone)
                continue;
            const CTintinRoom& r = rooms[i];
            for (std::uint32_t k = r.firstExit; k < r.firstExit + r.exitCount; ++k) {
                const CTintinExit& e = m_file.exits[k];
                const Direction dir = DirectionOfMask(e.dir);
                if (dir == DIR_NONE) {
                    const std::string_view what = Trim(e.cmd).empty() ? Trim(e.name) : Trim(e.cmd);
                    m_report.NotCarried("special exits", 1, std::string(what));
                    continue;
                }
                ReportExitExtras(e, dir);
                const std::uint32_t to = RoomOfVnum(e.toVnum);
                if (to == kNone) {
                    m_report.NotCarried("exits to rooms not in the file", 1, std::to_string(e.toVnum));
                    continue;
                }
                const CDirectionInfo& info = DirectionInfo(dir);
                CWay way{i, to, dir, info.dx, info.dy, info.dplane, dir};
                if (IsVoid(to) && !ThroughVoids(way, to))
                    continue;
                m_ways.push_back(way);
            }
        }
    }

    // How well a way back answers a way: the exact opposite direction over
    // the same cells, another way over the same cells, or any way back.
    enum class CMatch { Opposite, SameCells, Any };

    static bool Answers(const CWay& way, const CWay& back, CMatch match)
    {
        const bool sameCells = back.dx == -way.dx && back.dy == -way.dy && back.dplane == -way.dplane;
        switch (match) {
        case CMatch::Opposite: return sameCells && back.dir == Opposite(way.dir);
        case CMatch::SameCells: return sameCells;
        default: return true;
        }
    }

    bool SlotFree(const CWay& way) const { return m_rooms[m_compact[way.from]].m_links[way.dir] == 0; }

    // A way and a way back (A north to B, B south to A) become one link held
    // in both rooms' slots; a way with none a link in its first room's slot
    // only. The closest answers are paired first, the ways taken by room
    // vnum and direction and a way back chosen by its direction, so that a
    // map written out (in that order) and read again pairs as before.
    void MakeLinks()
    {
        m_rooms.resize(m_realCount);
        // The ways by (from, to), in file order within a pair.
        std::vector<std::pair<std::uint64_t, std::uint32_t>> byPair(m_ways.size());
        for (std::uint32_t i = 0; i < byPair.size(); ++i)
            byPair[i] = {(std::uint64_t(m_ways[i].from) << 32) | m_ways[i].to, i};
        std::sort(byPair.begin(), byPair.end());
        std::vector<std::uint32_t> order(m_ways.size());
        for (std::uint32_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            const std::uint32_t va = m_file.rooms[m_ways[a].from].vnum, vb = m_file.rooms[m_ways[b].from].vnum;
            return va != vb ? va < vb : m_ways[a].dir < m_ways[b].dir;
        });
        std::vector<bool> used(m_ways.size(), false);
        for (CMatch match : {CMatch::Opposite, CMatch::SameCells, CMatch::Any}) {
            for (std::uint32_t w : order) {
                const CWay& way = m_ways[w];
                if (used[w] || !SlotFree(way))
                    continue;
                used[w] = true;
                const std::uint64_t back = (std::uint64_t(way.to) << 32) | way.from;
                std::uint32_t partner = kNone;
                for (auto it = std::lower_bound(byPair.begin(), byPair.end(), std::make_pair(back, 0u));
                     it != byPair.end() && it->first == back; ++it) {
                    const CWay& p = m_ways[it->second];
                    if (!used[it->second] && SlotFree(p) && Answers(way, p, match) &&
                        !(p.from == way.from && p.dir == way.dir) &&
                        (partner == kNone || p.dir < m_ways[partner].dir))
                        partner = it->second;
                }
                if (partner == kNone && match != CMatch::Any) {
                    used[w] = false;
                    continue;
                }
                if (partner != kNone)
                    used[partner] = true;
                AddLink(way, partner == kNone ? nullptr : &m_ways[partner]);
            }
        }
        for (std::uint32_t w : order)
            if (!used[w])
                m_report.NotCarried("exits whose direction an earlier exit of the room takes", 1,
                                    Vnum(m_ways[w].from) + " " + DirectionInfo(m_ways[w].dir).name);
    }

    void AddLink(const CWay& way, const CWay* back)
    {
        CLink link;
        link.m_nId = static_cast<LinkId>(m_links.size() + 1);
        link.m_nFromRoom = m_file.rooms[way.from].vnum;
        link.m_nToRoom = m_file.rooms[way.to].vnum;
        link.m_nFromDir = way.dir;
        link.m_nToDir = back ? back->dir : DIR_NONE;
        m_rooms[m_compact[way.from]].m_links[way.dir] = link.m_nId;
        if (back)
            m_rooms[m_compact[back->from]].m_links[back->dir] = link.m_nId;
        m_links.push_back(link);
    }

    void LayOut()
    {
        std::vector<CLayoutStep> steps;
        steps.reserve(m_ways.size());
        for (const CWay& w : m_ways)
            steps.push_back({m_compact[w.from], m_compact[w.to], w.dx, w.dy, w.dplane, w.dir, w.last});
        m_start = 0;
        const std::uint32_t last = RoomOfVnum(m_file.lastRoomVnum);
        if (last != kNone && m_compact[last] != kNone)
            m_start = m_compact[last];
        m_cells = LayOutRooms(m_realCount, steps, m_start);
    }

    struct CAreaCount {
        std::uint64_t rooms = 0;
        std::uint32_t firstSeen = 0;
    };
    using CPlaneAreas = std::unordered_map<std::int32_t, std::unordered_map<std::string_view, CAreaCount>>;

    void Fill(CMapContents& contents)
    {
        CPlaneAreas areas;
        bool lossy = false;
        contents.rooms.reserve(m_realCount);
        const auto& rooms = m_file.rooms;
        for (std::uint32_t i = 0; i < rooms.size(); ++i) {
            const std::uint32_t c = m_compact[i];
            if (c == kNone)
                continue;
            const CTintinRoom& r = rooms[i];
            CRoom& room = m_rooms[c];
            room.m_nId = r.vnum;
            room.m_nX = m_cells[c].x;
            room.m_nY = m_cells[c].y;
            room.m_nPlane = m_cells[c].plane;
            room.m_info.m_strTitle = MapTextFromTintinField(r.name, &lossy);
            std::string comments = MapTextFromTintinField(r.note, &lossy);
            if (!Trim(r.desc).empty())
                comments += (comments.empty() ? "" : "\r\n") + MapTextFromTintinField(r.desc, &lossy);
            room.m_info.m_strComments = comments;
            if (!Trim(r.color).empty() && !ParseTintinColor(r.color, room.m_crColor))
                m_report.NotCarried("room colours not understood", 1, std::string(Trim(r.color)));
            ReportRoomExtras(r);
            const std::string_view area = Trim(r.area);
            if (!area.empty()) {
                auto& counts = areas[room.m_nPlane];
                auto [it, fresh] = counts.try_emplace(area);
                if (fresh)
                    it->second.firstSeen = static_cast<std::uint32_t>(counts.size());
                ++it->second.rooms;
            }
            if (c == m_start) {
                contents.currentRoom = r.vnum;
                contents.currentPlane = room.m_nPlane;
            }
            contents.lastRoomId = std::max(contents.lastRoomId, r.vnum);
        }
        if (lossy)
            m_report.NotCarried("texts with characters beyond Latin-1 (read as ?)", 1);
        NamePlanes(areas, contents);
        for (std::uint32_t i = 0; i < rooms.size(); ++i)
            if (m_compact[i] != kNone)
                contents.rooms.Set(rooms[i].vnum, std::move(m_rooms[m_compact[i]]));
        contents.links.reserve(m_links.size());
        for (CLink& link : m_links)
            contents.links.Set(link.m_nId, std::move(link));
        contents.lastLinkId = static_cast<std::uint32_t>(m_links.size());
    }

    void ReportRoomExtras(const CTintinRoom& r)
    {
        if (const std::uint32_t flags = r.flags & ~kTintinRoomVoid)
            m_report.NotCarried("room flags", 1, FlagNames(flags, kRoomFlags));
        if (!Trim(r.symbol).empty())
            m_report.NotCarried("room symbols", 1, std::string(Trim(r.symbol)));
        if (!Trim(r.terrain).empty())
            m_report.NotCarried("room terrains", 1, std::string(Trim(r.terrain)));
        if (!Trim(r.data).empty())
            m_report.NotCarried("room data", 1);
        if (!IsOne(r.weight))
            m_report.NotCarried("room weights", 1, std::string(Trim(r.weight)));
        if (!Trim(r.id).empty())
            m_report.NotCarried("room id texts", 1, std::string(Trim(r.id)));
    }

    // A plane takes the name of the area most of its rooms are in.
    void NamePlanes(const CPlaneAreas& areas, CMapContents& contents)
    {
        std::vector<std::int32_t> planes;
        for (const auto& entry : areas)
            planes.push_back(entry.first);
        std::sort(planes.begin(), planes.end());
        for (std::int32_t plane : planes) {
            const auto& counts = areas.at(plane);
            const std::pair<const std::string_view, CAreaCount>* best = nullptr;
            std::uint64_t others = 0;
            std::string_view example;
            for (const auto& entry : counts)
                if (!best || entry.second.rooms > best->second.rooms ||
                    (entry.second.rooms == best->second.rooms && entry.second.firstSeen < best->second.firstSeen))
                    best = &entry;
            for (const auto& entry : counts)
                if (&entry != best) {
                    others += entry.second.rooms;
                    if (example.empty() || entry.first < example)
                        example = entry.first;
                }
            contents.planeNames.Set(plane, MapTextFromTintinField(best->first));
            if (others)
                m_report.NotCarried("room areas other than their plane's name", others, MapTextFromTintinField(example));
        }
    }

    const CTintinFile& m_file;
    CFormatReport& m_report;
    std::unordered_map<std::uint32_t, std::uint32_t> m_byVnum;
    std::vector<std::uint32_t> m_compact;  // file index to index among the real rooms
    std::uint32_t m_realCount = 0;
    std::uint64_t m_voidCount = 0;
    std::vector<CWay> m_ways;
    std::vector<CRoom> m_rooms;  // by compact index
    std::vector<CLink> m_links;
    std::vector<CCellKey> m_cells;
    std::uint32_t m_start = 0;
};
}  // namespace

bool ReadTintinMap(CVorMapperDoc& doc, const std::uint8_t* data, std::size_t size, CFormatReport& report,
                   std::string& error)
{
    CTintinFile file;
    if (!ParseTintinFile(data, size, file, report, error))
        return false;
    CMapContents contents;
    if (!CReader(file, report).Read(contents, error))
        return false;
    doc.ReplaceMap(std::move(contents));
    return true;
}
