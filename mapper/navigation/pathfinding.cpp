#include "mapper/navigation/pathfinding.h"

#include <algorithm>
#include <cstring>

RoomId OtherEndOf(const CLink& link, RoomId from) { return link.m_nFromRoom == from ? link.m_nToRoom : link.m_nFromRoom; }

CPathFinder::EResult CPathFinder::FindWay(const CVorMapperDoc& doc, RoomId from, RoomId to, CWay& way)
{
    way.clear();
    m_nVisited = 0;
    const CRoomMap& rooms = doc.GetRooms();
    const CLinkMap& links = doc.GetLinks();
    const std::uint32_t start = rooms.NodeOf(from);
    const std::uint32_t goal = rooms.NodeOf(to);
    if (start == CRoomMap::npos || goal == CRoomMap::npos)
        return NO_SUCH_ROOM;
    if (start == goal)
        return WAY_FOUND;

    // Node numbers stay below the node table's size; grow the buffer to the
    // largest seen (never shrunk, so a search allocates nothing once warm).
    const std::size_t limit = rooms.NodeCount();
    if (m_visits.size() < limit)
        m_visits.resize(limit);
    if (++m_nStamp == 0) {  // stamps ran out: clear them once
        for (CVisit& v : m_visits)
            v.stamp = 0;
        m_nStamp = 1;
    }
    const std::uint32_t stamp = m_nStamp;

    std::uint32_t head = 0, tail = 0;
    m_visits[start].stamp = stamp;
    m_visits[start].parent = start;
    m_visits[tail++].queue = start;
    bool found = false;
    // The search is bound by memory, so it is pipelined: the room ten places
    // ahead in the queue is fetched, and the links of the one four places
    // ahead (whose slots have arrived by then), before they are read.
    constexpr std::uint32_t kRoomAhead = 10, kLinksAhead = 4;
    while (head < tail && !found) {
        if (head + kRoomAhead < tail)
            __builtin_prefetch(&rooms.NodeValue(m_visits[head + kRoomAhead].queue).m_links);
        if (head + kLinksAhead < tail) {
            const CRoom& ahead = rooms.NodeValue(m_visits[head + kLinksAhead].queue);
            for (int d = 0; d < kDirCount; ++d)
                if (ahead.m_links[d])
                    if (const CLink* link = links.Find(ahead.m_links[d]))
                        __builtin_prefetch(link);
        }
        const std::uint32_t node = m_visits[head++].queue;
        const CRoom& room = rooms.NodeValue(node);
        const RoomId id = rooms.NodeKey(node);
        for (int d = 0; d < kDirCount; ++d) {
            const CLink* link = room.m_links[d] ? links.Find(room.m_links[d]) : nullptr;
            if (!link)
                continue;
            const std::uint32_t next = rooms.NodeOf(OtherEndOf(*link, id));
            if (next == CRoomMap::npos || m_visits[next].stamp == stamp)
                continue;
            m_visits[next].stamp = stamp;
            m_visits[next].parent = node;
            m_visits[tail++].queue = next;
            if (next == goal) {
                found = true;
                break;
            }
        }
    }
    m_nVisited = tail;
    if (!found)
        return NO_WAY;

    // Back from the goal; each step's direction is the first slot of the
    // parent that leads to the child, the one the search took.
    for (std::uint32_t node = goal; node != start; node = m_visits[node].parent) {
        const std::uint32_t parent = m_visits[node].parent;
        const CRoom& room = rooms.NodeValue(parent);
        const RoomId id = rooms.NodeKey(parent);
        const RoomId child = rooms.NodeKey(node);
        CWayStep step;
        for (int d = 0; d < kDirCount; ++d) {
            const LinkId lid = room.m_links[d];
            const CLink* link = lid ? links.Find(lid) : nullptr;
            if (link && OtherEndOf(*link, id) == child) {
                step.dir = d;
                step.link = lid;
                break;
            }
        }
        step.room = child;
        way.push_back(step);
    }
    std::reverse(way.begin(), way.end());
    return WAY_FOUND;
}

namespace {

inline char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

bool ContainsFolded(std::string_view hay, std::string_view needle)
{
    if (needle.size() > hay.size())
        return false;
    const char first = needle[0];
    const char firstUpper = (first >= 'a' && first <= 'z') ? static_cast<char>(first - ('a' - 'A')) : first;
    const std::size_t last = hay.size() - needle.size();
    for (std::size_t i = 0; i <= last; ++i) {
        const char c = hay[i];
        if (c != first && c != firstUpper)
            continue;
        std::size_t k = 1;
        while (k < needle.size() && Fold(hay[i + k]) == needle[k])
            ++k;
        if (k == needle.size())
            return true;
    }
    return false;
}

}  // namespace

bool RoomMatches(const CRoom& room, std::string_view lowerNeedle)
{
    if (lowerNeedle.empty())
        return false;
    const CRoomInfo& info = room.m_info;
    return ContainsFolded(info.m_strTitle.view(), lowerNeedle) || ContainsFolded(info.m_strComments.view(), lowerNeedle) ||
           ContainsFolded(info.m_strLabel.view(), lowerNeedle);
}

std::vector<RoomId> FindRooms(const CVorMapperDoc& doc, std::string_view text, std::size_t limit)
{
    std::vector<RoomId> found;
    if (text.empty())
        return found;
    std::string needle(text);
    for (char& c : needle)
        c = Fold(c);
    for (auto it = doc.GetRooms().begin(); it != doc.GetRooms().end() && found.size() < limit; ++it)
        if (RoomMatches(it.value(), needle))
            found.push_back(it.key());
    return found;
}

const char* DirectionWord(Direction dir) { return IsDirection(dir) ? DirectionInfo(dir).name : ""; }
