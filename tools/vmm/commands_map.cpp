// vmm new, info, dump, convert, check.
#include <map>
#include <ostream>
#include <set>
#include <tuple>

#include <nlohmann/json.hpp>

#include "mapper/model/document.h"
#include "mapper/model/map_file.h"
#include "tools/vmm/commands.h"
#include "tools/vmm/map_io.h"

namespace {

bool Usage(std::size_t got, std::size_t want, const char* usage, std::ostream& err)
{
    if (got == want)
        return true;
    err << "usage: vmm " << usage << "\n";
    return false;
}

}  // namespace

int VmmNew(const VmmArgs& args, std::ostream& out, std::ostream& err)
{
    if (!Usage(args.size(), 1, "new FILE", err))
        return 1;
    CVorMapperDoc doc;
    doc.OnNewDocument();
    return SaveOrReport(doc, args[0], err) ? 0 : 1;
}

int VmmInfo(const VmmArgs& args, std::ostream& out, std::ostream& err)
{
    if (!Usage(args.size(), 1, "info FILE", err))
        return 1;
    CVorMapperDoc doc;
    std::uint32_t version = 0;
    if (!LoadOrReport(doc, args[0], err, &version))
        return 1;
    out << "version: " << version << "\n"
        << "rooms: " << doc.GetRooms().size() << "\n"
        << "links: " << doc.GetLinks().size() << "\n"
        << "last room id: " << doc.GetLastRoomId() << "\n"
        << "last link id: " << doc.GetLastLinkId() << "\n"
        << "current room: " << doc.m_nCurrentRoom << "\n"
        << "current plane: " << doc.m_nCurrentPlane << "\n"
        << "plane names: " << doc.GetPlaneNames().size() << "\n";
    for (auto it = doc.GetPlaneNames().begin(); it != doc.GetPlaneNames().end(); ++it)
        out << "  " << it.key() << ": " << it.value() << "\n";
    return 0;
}

int VmmDump(const VmmArgs& args, std::ostream& out, std::ostream& err)
{
    if (!Usage(args.size(), 1, "dump FILE", err))
        return 1;
    CVorMapperDoc doc;
    std::uint32_t version = 0;
    if (!LoadOrReport(doc, args[0], err, &version))
        return 1;
    using nlohmann::ordered_json;
    ordered_json j;
    j["version"] = version;
    j["originX"] = doc.m_nOriginX;
    j["originY"] = doc.m_nOriginY;
    j["rotation"] = doc.m_dRotation;
    j["zoom"] = doc.m_dZoom;
    j["currentPlane"] = doc.m_nCurrentPlane;
    j["currentRoom"] = doc.m_nCurrentRoom;
    j["lastRoomId"] = doc.GetLastRoomId();
    j["lastLinkId"] = doc.GetLastLinkId();
    ordered_json planes = ordered_json::array();
    for (auto it = doc.GetPlaneNames().begin(); it != doc.GetPlaneNames().end(); ++it)
        planes.push_back({{"plane", it.key()}, {"name", MapTextToUtf8(it.value())}});
    j["planeNames"] = planes;
    ordered_json rooms = ordered_json::array();
    for (auto it = doc.GetRooms().begin(); it != doc.GetRooms().end(); ++it) {
        const CRoom& r = it.value();
        rooms.push_back({{"id", it.key()},
                         {"x", r.m_nX},
                         {"y", r.m_nY},
                         {"plane", r.m_nPlane},
                         {"recursive", r.m_bRecursive},
                         {"color", r.m_crColor},
                         {"title", MapTextToUtf8(r.m_info.m_strTitle)},
                         {"comments", MapTextToUtf8(r.m_info.m_strComments)},
                         {"label", MapTextToUtf8(r.m_info.m_strLabel)},
                         {"labelX", r.m_info.m_ptLabel.x},
                         {"labelY", r.m_info.m_ptLabel.y},
                         {"labelText", r.m_info.m_crLabelText},
                         {"labelBack", r.m_info.m_crLabelBack},
                         {"links", r.m_links}});
    }
    j["rooms"] = rooms;
    ordered_json links = ordered_json::array();
    for (auto it = doc.GetLinks().begin(); it != doc.GetLinks().end(); ++it) {
        const CLink& l = it.value();
        links.push_back({{"id", it.key()},
                         {"fromRoom", l.m_nFromRoom},
                         {"toRoom", l.m_nToRoom},
                         {"fromDir", l.m_nFromDir},
                         {"toDir", l.m_nToDir}});
    }
    j["links"] = links;
    out << j.dump(2, ' ', true) << "\n";
    return 0;
}

int VmmConvert(const VmmArgs& args, std::ostream& out, std::ostream& err)
{
    if (!Usage(args.size(), 2, "convert IN OUT", err))
        return 1;
    CVorMapperDoc doc;
    if (!LoadOrReport(doc, args[0], err))
        return 1;
    return SaveOrReport(doc, args[1], err) ? 0 : 1;
}

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

int VmmCheck(const VmmArgs& args, std::ostream& out, std::ostream& err)
{
    if (!Usage(args.size(), 1, "check FILE", err))
        return 1;
    // The raw file, before the repairs that loading makes (a missing current
    // room is replaced there): check looks at what is stored.
    CVorMapperDoc doc;
    std::uint32_t storedCurrent = 0;
    if (!LoadOrReport(doc, args[0], err, nullptr, &storedCurrent))
        return 1;
    std::vector<std::string> found = FindInconsistencies(doc);
    if (!doc.GetRooms().Find(storedCurrent) && doc.GetRooms().Find(doc.m_nCurrentRoom))
        found.push_back("current room " + std::to_string(storedCurrent) + " is missing");
    for (const std::string& line : found)
        out << line << "\n";
    if (found.empty())
        out << "no inconsistencies\n";
    return found.empty() ? 0 : 1;
}
