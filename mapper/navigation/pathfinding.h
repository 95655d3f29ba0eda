#pragma once
// The shortest way between two rooms, by number of steps over the map's
// links, and the search for rooms by text. A link is taken from either end,
// in the direction of the slot that holds it in the room being left, as a
// move along it would; planes are crossed like any other step. Ways are
// deterministic: neighbours are tried in direction order, so the same map
// and rooms always give the same way.
#include <cstdint>
#include <string_view>
#include <vector>

#include "mapper/model/document.h"

// One step of a way: the direction taken and the room it leads to.
struct CWayStep {
    Direction dir = DIR_NONE;
    RoomId room = 0;
    LinkId link = 0;
    friend bool operator==(const CWayStep&, const CWayStep&) = default;
};
using CWay = std::vector<CWayStep>;

class CPathFinder {
public:
    enum EResult { WAY_FOUND, NO_SUCH_ROOM, NO_WAY };

    // The way from one room to another: empty for the room itself.
    // Keeps one buffer between searches, sized by the map's node count.
    EResult FindWay(const CVorMapperDoc& doc, RoomId from, RoomId to, CWay& way);

    // Rooms visited by the last search (for tools and benchmarks).
    std::uint32_t GetVisitedCount() const { return m_nVisited; }

private:
    struct CVisit {
        std::uint32_t stamp = 0;   // equals m_nStamp when visited by the current search
        std::uint32_t parent = 0;  // node reached from
        std::uint32_t queue = 0;   // the i-th node of the search's queue
    };
    std::vector<CVisit> m_visits;  // indexed by room node number
    std::uint32_t m_nStamp = 0;
    std::uint32_t m_nVisited = 0;
};

// The room a link leads to when taken from a room; 0 when it does not exist.
RoomId OtherEndOf(const CLink& link, RoomId from);

// Rooms whose title, comments or label contain the text, ASCII case folded,
// in the container's order. An empty text matches nothing.
std::vector<RoomId> FindRooms(const CVorMapperDoc& doc, std::string_view text, std::size_t limit = SIZE_MAX);
// True when the room's title, comments or label contain the lower-case needle.
bool RoomMatches(const CRoom& room, std::string_view lowerNeedle);

// The direction's word: north, south, ..., up, down.
const char* DirectionWord(Direction dir);
