#include "mapper/formats/mudlet_links.h"

#include <cstdlib>

namespace {
enum class ENote { None, Pair, To, From };

struct CExitState {
    std::uint32_t target = 0;  // room index
    ENote note = ENote::None;
    Direction other = DIR_NONE;
    bool consumed = false;
};

std::string DirectionText(Direction dir) { return IsDirection(dir) ? MudletExitName(dir) : std::to_string(dir); }

bool ParseDirection(const std::string& text, Direction& dir)
{
    dir = MudletExitDirection(text);
    if (dir != DIR_NONE)
        return true;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < INT32_MIN || v > INT32_MAX)
        return false;
    dir = static_cast<Direction>(v);
    return true;
}

void ParseNote(const std::string* text, CExitState& exit)
{
    if (!text)
        return;
    const std::size_t space = text->find(' ');
    if (space == std::string::npos || !ParseDirection(text->substr(space + 1), exit.other))
        return;
    const std::string kind = text->substr(0, space);
    exit.note = kind == "pair" ? ENote::Pair : kind == "to" ? ENote::To : kind == "from" ? ENote::From : ENote::None;
    if (exit.note == ENote::Pair && !IsDirection(exit.other))
        exit.note = ENote::None;
}

class CLinkBuilder {
public:
    CLinkBuilder(const CMudletMap& map, std::vector<CRoom>& rooms, CLinkMap& links)
        : m_map(map), m_rooms(rooms), m_links(links)
    {
    }
    void Build(CFormatReport& report);

private:
    // The exit of a room by direction, or -1.
    std::int64_t Find(std::uint32_t room, Direction dir) const
    {
        const CMudletRoom& r = m_map.rooms[room];
        for (std::uint32_t i = r.firstExit; i < r.firstExit + r.exitCount; ++i)
            if (m_map.exits[i].dir == dir)
                return i;
        return -1;
    }
    // Whether exit j leads back to the room of exit i, free and unmarked.
    bool Returns(std::size_t i, std::int64_t j) const
    {
        return j >= 0 && static_cast<std::size_t>(j) != i && !m_state[j].consumed && m_state[j].note == ENote::None &&
               m_state[j].target == m_map.exits[i].room;
    }
    void Add(std::uint32_t from, Direction fromDir, std::uint32_t to, Direction toDir, bool fromHolds, bool toHolds)
    {
        CLink link;
        link.m_nId = static_cast<LinkId>(m_links.size() + 1);
        link.m_nFromRoom = m_rooms[from].m_nId;
        link.m_nToRoom = m_rooms[to].m_nId;
        link.m_nFromDir = fromDir;
        link.m_nToDir = toDir;
        if (fromHolds)
            m_rooms[from].m_links[fromDir] = link.m_nId;
        if (toHolds)
            m_rooms[to].m_links[toDir] = link.m_nId;
        m_links.Set(link.m_nId, link);
    }
    void Noted(std::size_t i);
    void Pair(std::size_t i, std::size_t j)
    {
        m_state[i].consumed = m_state[j].consumed = true;
        const CMudletExit& a = m_map.exits[i];
        Add(a.room, a.dir, m_state[i].target, m_map.exits[j].dir, true, true);
    }

    const CMudletMap& m_map;
    std::vector<CRoom>& m_rooms;
    CLinkMap& m_links;
    std::vector<CExitState> m_state;
};

void CLinkBuilder::Noted(std::size_t i)
{
    CExitState& s = m_state[i];
    const CMudletExit& e = m_map.exits[i];
    switch (s.note) {
    case ENote::Pair: {
        const std::int64_t j = Find(s.target, s.other);
        if (j < 0 || static_cast<std::size_t>(j) == i || m_state[j].consumed || m_state[j].note != ENote::Pair ||
            m_state[j].other != e.dir || m_state[j].target != e.room) {
            s.note = ENote::None;  // a note that does not fit: the exit is read as Mudlet's own
            return;
        }
        m_state[i].consumed = m_state[j].consumed = true;
        Add(e.room, e.dir, s.target, s.other, true, true);
        return;
    }
    case ENote::To:
        s.consumed = true;
        Add(e.room, e.dir, s.target, s.other, true, false);
        return;
    case ENote::From:
        s.consumed = true;
        Add(s.target, s.other, e.room, e.dir, false, true);
        return;
    default: return;
    }
}

void CLinkBuilder::Build(CFormatReport& report)
{
    const std::vector<CMudletExit>& exits = m_map.exits;
    m_state.resize(exits.size());
    for (std::size_t i = 0; i < exits.size(); ++i) {
        const auto target = m_map.roomIndex.find(exits[i].target);
        if (target == m_map.roomIndex.end()) {
            m_state[i].consumed = true;
            report.NotCarried("exits to rooms not in the file", 1, MudletExitName(exits[i].dir));
            continue;
        }
        m_state[i].target = target->second;
        const CMudletRoom& room = m_map.rooms[exits[i].room];
        ParseNote(FindUserData(room.vormapper, mudlet_keys::kExit + std::string(MudletExitName(exits[i].dir))),
                  m_state[i]);
    }
    for (std::size_t i = 0; i < exits.size(); ++i)
        if (!m_state[i].consumed && m_state[i].note != ENote::None)
            Noted(i);
    // Exits in opposite directions first, so that no other pairing takes one of them.
    for (std::size_t i = 0; i < exits.size(); ++i) {
        if (m_state[i].consumed || m_state[i].note != ENote::None)
            continue;
        const std::int64_t j = Find(m_state[i].target, Opposite(exits[i].dir));
        if (Returns(i, j))
            Pair(i, static_cast<std::size_t>(j));
    }
    for (std::size_t i = 0; i < exits.size(); ++i) {
        if (m_state[i].consumed || m_state[i].note != ENote::None)
            continue;
        for (Direction d = 0; d < kDirCount && !m_state[i].consumed; ++d) {
            const std::int64_t j = Find(m_state[i].target, d);
            if (Returns(i, j))
                Pair(i, static_cast<std::size_t>(j));
        }
    }
    for (std::size_t i = 0; i < exits.size(); ++i) {
        if (m_state[i].consumed)
            continue;
        m_state[i].consumed = true;
        Add(exits[i].room, exits[i].dir, m_state[i].target, Opposite(exits[i].dir), true, false);
    }
}

// Whether some slot of `from` holds a link that leads to `to`.
bool HasExitTo(const CVorMapperDoc& doc, const CRoom& from, RoomId to)
{
    for (LinkId id : from.m_links) {
        const CLink* link = id ? doc.GetLinks().Find(id) : nullptr;
        if (link && ((link->m_nFromRoom == from.m_nId && link->m_nToRoom == to) ||
                     (link->m_nToRoom == from.m_nId && link->m_nFromRoom == to)))
            return true;
    }
    return false;
}
}  // namespace

void BuildMudletLinks(const CMudletMap& map, std::vector<CRoom>& rooms, CLinkMap& links, CFormatReport& report)
{
    CLinkBuilder(map, rooms, links).Build(report);
}

std::string MudletExitNote(const CVorMapperDoc& doc, const CRoom& room, Direction dir, const CLink& link)
{
    const bool first = link.m_nFromRoom == room.m_nId && link.m_nFromDir == dir;
    const RoomId otherId = first ? link.m_nToRoom : link.m_nFromRoom;
    const Direction otherDir = first ? link.m_nToDir : link.m_nFromDir;
    const CRoom* other = doc.GetRooms().Find(otherId);
    const bool otherHolds = other && IsDirection(otherDir) && other->m_links[otherDir] == link.m_nId &&
                            !(otherId == room.m_nId && otherDir == dir);
    if (otherHolds)
        return otherDir == Opposite(dir) ? std::string() : "pair " + DirectionText(otherDir);
    if (!first)
        return "from " + DirectionText(otherDir);
    if (otherDir == Opposite(dir) && other && !HasExitTo(doc, *other, room.m_nId))
        return {};
    return "to " + DirectionText(otherDir);
}
