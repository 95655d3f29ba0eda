// The map the TinTin++ client test gives TinTin++: every direction, one-way
// links, ids with gaps, colours, plane names, and titles and comments full of
// braces, line breaks, backslashes and client commands.
//   tintin_sample_export write OUT.map TOUCH_PATH   writes the map
//   tintin_sample_export read IN.map [OUT.vmm]      reads a map, prints
//                                                   "rooms N links M", and
//                                                   saves it as a .vmm map
#include <iostream>
#include <string>

#include "mapper/formats/tests/tintin_test_support.h"
#include "mapper/model/map_file.h"
#include "mapper/model/tests/test_support.h"

namespace {
void BuildSample(CVorMapperDoc& doc, const std::string& touch)
{
    doc.OnNewDocument();
    EditRoom(doc, 1, [&](CRoom& r) {
        r.m_info.m_strTitle = "#system touch " + touch;
        r.m_info.m_strComments = "\n#system touch " + touch + "\n}";
    });
    // A 3 by 3 square around room 1 (centre), joined both ways.
    RoomId ring[8];
    const Direction dirs[8] = {DIR_N, DIR_NE, DIR_E, DIR_SE, DIR_S, DIR_SW, DIR_W, DIR_NW};
    const char* const titles[8] = {"}{ #system touch " /* unbalanced */, "{balanced {nested}}", "back\\slash\\",
                                   "line\nbreak\r\n#end",                "Caf\xE9",           "; #end",
                                   "$var @fn() %1",                       "\\x7B"};
    for (int i = 0; i < 8; ++i) {
        const CDirectionInfo& d = DirectionInfo(dirs[i]);
        const std::string title = i == 0 ? titles[0] + touch : titles[i];
        ring[i] = AddRoomAt(doc, d.dx, d.dy, 0, title.c_str());
        EditRoom(doc, ring[i], [&](CRoom& r) { r.m_info.m_strComments = "comment " + std::to_string(i); });
        Join(doc, 1, dirs[i], ring[i], Opposite(dirs[i]));
    }
    for (int i = 0; i < 8; ++i)  // around the ring, one way
        Join(doc, ring[i], i % 2 ? DIR_S : DIR_E, ring[(i + 1) % 8], DIR_NONE);
    const RoomId up = AddRoomAt(doc, 0, 0, 1, "Tower");
    const RoomId down = AddRoomAt(doc, 0, 0, -1, "Cellar");
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
