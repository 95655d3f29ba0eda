#include "mapper/model/map_check.h"

#include <map>
#include <tuple>

#include "mapper/model/document.h"

std::vector<std::string> FindInconsistencies(const CVorMapperDoc& doc)
{
    std::vector<std::string> found;
    const auto& rooms = doc.GetRooms();
    const auto& links = doc.GetLinks();
    std::map<std::tuple<std::int32_t, std::int32_t, std::int32_t>, RoomId> cells;
    for (auto it = rooms.begin(); it != rooms.end(); ++it) {
        const CRoom& r = it.value();
        if (it.key() == 0)
            found.push_back("room 0 is stored (id 0 means none)");
        for (int d = 0; d < kDirCount; ++d) {
            if (r.m_links[d] == 0)
                continue;
            const CLink* link = links.Find(r.m_links[d]);
            const std::string slot =
                "room " + std::to_string(it.key()) + " slot " + DirectionInfo(d).label + " names ";
            if (!link)
                found.push_back(slot + "absent link " + std::to_string(r.m_links[d]));
            else if (link->m_nFromRoom != it.key() && link->m_nToRoom != it.key())
                found.push_back(slot + "link " + std::to_string(r.m_links[d]) + ", which does not name the room");
        }
        auto [cell, fresh] = cells.emplace(std::make_tuple(r.m_nX, r.m_nY, r.m_nPlane), it.key());
        if (!fresh)
            found.push_back("rooms " + std::to_string(cell->second) + " and " + std::to_string(it.key()) +
                            " share the cell (" + std::to_string(r.m_nX) + ", " + std::to_string(r.m_nY) + ", " +
                            std::to_string(r.m_nPlane) + ")");
    }
    for (auto it = links.begin(); it != links.end(); ++it) {
        const CLink& l = it.value();
        const std::string name = "link " + std::to_string(it.key());
        if (it.key() == 0)
            found.push_back("link 0 is stored (id 0 means no exit)");
        auto checkEnd = [&](RoomId roomId, Direction dir, const char* end) {
            const CRoom* room = rooms.Find(roomId);
            if (!room) {
                found.push_back(name + " names absent " + end + " room " + std::to_string(roomId));
                return;
            }
            if (dir == DIR_NONE)
                return;
            if (!IsDirection(dir))
                found.push_back(name + " has invalid " + end + " direction " + std::to_string(dir));
            else if (room->m_links[dir] != it.key())
                found.push_back(name + " is not entered in room " + std::to_string(roomId) + " slot " +
                                DirectionInfo(dir).label);
        };
        checkEnd(l.m_nFromRoom, l.m_nFromDir, "first");
        if (l.m_nFromDir != DIR_NONE)
            checkEnd(l.m_nToRoom, l.m_nToDir, "second");
        else if (!rooms.Find(l.m_nToRoom))
            found.push_back(name + " names absent second room " + std::to_string(l.m_nToRoom));
    }
    if (!rooms.Find(doc.m_nCurrentRoom))
        found.push_back("current room " + std::to_string(doc.m_nCurrentRoom) + " is missing");
    return found;
}
