// The map the TinTin++ client test gives TinTin++: every direction, one-way
// links, ids with gaps, colours, plane names, and titles and comments full of
// braces, line breaks, backslashes and client commands.
//   tintin_sample_export write OUT.map TOUCH_PATH   writes the map
//   tintin_sample_export read IN.map [OUT.vmm]      reads a map, prints
//                                                   "rooms N links M", and
//                                                   saves it as a .vmm map
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "mapper/formats/tintin_format.h"
#include "mapper/model/document.h"
#include "mapper/model/map_file.h"

namespace {
RoomId AddRoom(CVorMapperDoc& doc, int x, int y, int plane, const std::string& title, const std::string& comments = {})
{
    CRoom room;
    room.m_nX = x;
    room.m_nY = y;
    room.m_nPlane = plane;
    room.m_info.m_strTitle = title;
    room.m_info.m_strComments = comments;
    return doc.AddRoom(room);
}

void Join(CVorMapperDoc& doc, RoomId a, Direction da, RoomId b, Direction db)
{
    CLink link;
    link.m_nFromRoom = a;
    link.m_nToRoom = b;
    link.m_nFromDir = da;
    link.m_nToDir = db;
    const LinkId id = doc.AddLink(link);
    for (auto [room, dir] : {std::pair{a, da}, std::pair{b, db}}) {
        if (!IsDirection(dir))
            continue;
        CRoom r = doc.GetRoom(room);
        r.m_links[dir] = id;
        doc.SetRoom(r);
    }
}

void BuildSample(CVorMapperDoc& doc, const std::string& touch)
{
    doc.OnNewDocument();
    CRoom first = doc.GetRoom(1);
    first.m_info.m_strTitle = "#system touch " + touch;
    first.m_info.m_strComments = "\n#system touch " + touch + "\n}";
    doc.SetRoom(first);
    // A 3 by 3 square around room 1 (centre), joined both ways.
    RoomId ring[8];
    const Direction dirs[8] = {DIR_N, DIR_NE, DIR_E, DIR_SE, DIR_S, DIR_SW, DIR_W, DIR_NW};
    const char* const titles[8] = {"}{ #system touch " /* unbalanced */, "{balanced {nested}}", "back\\slash\\",
                                   "line\nbreak\r\n#end",                "Caf\xE9",           "; #end",
                                   "$var @fn() %1",                       "\\x7B"};
    for (int i = 0; i < 8; ++i) {
        const CDirectionInfo& d = DirectionInfo(dirs[i]);
        ring[i] = AddRoom(doc, d.dx, d.dy, 0, i == 0 ? titles[0] + touch : titles[i], "comment " + std::to_string(i));
        Join(doc, 1, dirs[i], ring[i], Opposite(dirs[i]));
    }
    for (int i = 0; i < 8; ++i)  // around the ring, one way
        Join(doc, ring[i], i % 2 ? DIR_S : DIR_E, ring[(i + 1) % 8], DIR_NONE);
    const RoomId up = AddRoom(doc, 0, 0, 1, "Tower");
    const RoomId down = AddRoom(doc, 0, 0, -1, "Cellar");
    Join(doc, 1, DIR_U, up, DIR_D);
    Join(doc, 1, DIR_D, down, DIR_U);
    CRoom far;
    far.m_nId = 40000;
    far.m_nX = 5;
    far.m_info.m_strTitle = "Far room";
    far.m_crColor = 0x00336699;
    doc.SetRoom(far);
    doc.RestoreCounters(40000, doc.GetLastLinkId());
    Join(doc, up, DIR_E, 40000, DIR_NW);
    doc.SetPlaneName(0, "Ground {floor}");
    doc.SetPlaneName(1, "#system touch " + touch);
}
}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    std::string error;
    CFormatReport report;
    CVorMapperDoc doc;
    if (mode == "write" && argc == 4) {
        BuildSample(doc, argv[3]);
        std::vector<std::uint8_t> bytes;
        if (!TintinMapFormat().Write(doc, bytes, report, error) || !WriteFileReplacing(argv[2], bytes, error)) {
            std::cerr << error << "\n";
            return 1;
        }
        return 0;
    }
    if (mode == "read" && (argc == 3 || argc == 4)) {
        std::vector<std::uint8_t> bytes;
        if (!ReadFileBytes(argv[2], bytes, error) ||
            !TintinMapFormat().Read(doc, bytes.data(), bytes.size(), report, error)) {
            std::cerr << argv[2] << ": " << error << "\n";
            return 1;
        }
        std::cout << "rooms " << doc.GetRooms().size() << " links " << doc.GetLinks().size() << "\n";
        if (argc == 4 && !SaveMapFile(doc, argv[3], error)) {
            std::cerr << error << "\n";
            return 1;
        }
        return 0;
    }
    std::cerr << "usage: tintin_sample_export write OUT.map TOUCH_PATH | read IN.map [OUT.vmm]\n";
    return 2;
}
