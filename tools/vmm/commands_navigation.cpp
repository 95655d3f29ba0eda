// vmm path and vmm find: the shortest way between two rooms, and rooms by text.
#include <charconv>
#include <ostream>

#include "mapper/model/document.h"
#include "mapper/navigation/pathfinding.h"
#include "tools/vmm/commands.h"
#include "tools/vmm/map_io.h"

namespace {

bool ParseRoomId(const std::string& text, RoomId& id)
{
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, id);
    return !text.empty() && r.ec == std::errc() && r.ptr == end;
}

}  // namespace

int VmmPath(const VmmArgs& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 3) {
        err << "usage: vmm path FILE FROM TO\n";
        return 1;
    }
    RoomId ids[2] = {};
    for (int i = 0; i < 2; ++i)
        if (!ParseRoomId(args[1 + i], ids[i])) {
            err << "vmm path: not a room id: " << args[1 + i] << "\n";
            return 1;
        }
    CVorMapperDoc doc;
    if (!LoadOrReport(doc, args[0], err))
        return 1;
    for (RoomId id : ids)
        if (!doc.GetRooms().Find(id)) {
            err << "vmm path: no room " << id << " in " << args[0] << "\n";
            return 1;
        }
    CPathFinder finder;
    CWay way;
    if (finder.FindWay(doc, ids[0], ids[1], way) != CPathFinder::WAY_FOUND) {
        err << "vmm path: no way from room " << ids[0] << " to room " << ids[1] << "\n";
        return 1;
    }
    for (const CWayStep& step : way)
        out << DirectionWord(step.dir) << "\n";
    return 0;
}

int VmmFind(const VmmArgs& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 2) {
        err << "usage: vmm find FILE TEXT\n";
        return 1;
    }
    CVorMapperDoc doc;
    if (!LoadOrReport(doc, args[0], err))
        return 1;
    for (RoomId id : FindRooms(doc, args[1])) {
        const CRoom& room = *doc.GetRooms().Find(id);
        out << id << '\t' << room.m_nPlane << '\t' << room.m_nX << '\t' << room.m_nY << '\t'
            << room.m_info.m_strTitle.view() << "\n";
    }
    return 0;
}
