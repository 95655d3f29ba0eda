// Writing TinTin++ maps: the lines TinTin++ 2.02.20 reads, texts that can
// never run as a client command, what the report counts, and the round trip
// .vmm -> TinTin++ -> .vmm of rooms, texts and links.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "mapper/formats/tests/tintin_test_support.h"
#include "mapper/formats/tintin_parse.h"
#include "mapper/model/map_file.h"
#include "mapper/model/tests/test_support.h"

namespace {
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(TintinWrite, TheHeaderAndTheRoomAndExitLinesOfV2020)
{
    CNewDoc doc;
    EditRoom(doc, 1, [](CRoom& r) {
        r.m_info.m_strTitle = "Lounge";
        r.m_info.m_strComments = "a note";
        r.m_crColor = 0x302010;
    });
    const RoomId bar = AddRoomAt(doc, 0, -1, 0, "Bar");
    Join(doc, 1, DIR_N, bar, DIR_S);
    doc.SetPlaneName(0, "Inn");
    doc.m_nCurrentRoom = bar;
    CFormatReport report;
    EXPECT_EQ(WriteTintin(doc, report),
              "C 50000\n\nV 2020\n\nF 24588\n\nG 0\n\nI 2\n\n"
              "R {    1} {0} {<F102030>} {Lounge} { } {} {Inn} {a note} {} {} {1.000} {}\n"
              "E {    2} {n} {n} {1} {0} {} {1.000} {} {0.00}\n\n"
              "R {    2} {0} {} {Bar} { } {} {Inn} {} {} {} {1.000} {}\n"
              "E {    1} {s} {s} {4} {0} {} {1.000} {} {0.00}\n\n");
    EXPECT_EQ(Counted(report, "room positions (TinTin++ lays rooms out by their exits)"), 2u);
}

TEST(TintinWrite, NoTextCanStartALineOrUnbalanceTheBraces)
{
    const char* const titles[] = {
        "#system touch /tmp/x",
        "}\n#system touch /tmp/x\n{",
        "a } b",
        "{ open",
        "\r\n#end\r\n",
        "ends in a backslash\\",
        "\\x7B is not a brace",
        "two \\\\ and \\n and \\r",
        "} {1} {2} {3",
        "backslashes before escapes \\\n \\{",
    };
    CNewDoc doc;
    RoomId prev = 1;
    for (const char* title : titles) {
        const RoomId id = AddRoomAt(doc, static_cast<int>(prev), 0, 0, title);
        EditRoom(doc, id, [&](CRoom& r) { r.m_info.m_strComments = std::string(title) + "\n#system\n"; });
        doc.SetPlaneName(0, title);
        Join(doc, prev, DIR_E, id, DIR_W);
        prev = id;
    }
    CFormatReport report;
    const std::string text = WriteTintin(doc, report);
    for (const std::string& line : Lines(text)) {
        SCOPED_TRACE(line);
        EXPECT_TRUE(line.empty() || line[0] != '#');
        long depth = 0;
        for (char c : line) {
            depth += c == '{' ? 1 : c == '}' ? -1 : 0;
            ASSERT_GE(depth, 0);
        }
        EXPECT_EQ(depth, 0);
        if (line.rfind("R ", 0) == 0) {
            EXPECT_GE(std::count(line.begin(), line.end(), '{'), 12);
        }
    }
    // The texts read back as they were.
    CVorMapperDoc again;
    ASSERT_TRUE(ReadTintin(again, text));
    for (auto it = doc.GetRooms().begin(); it != doc.GetRooms().end(); ++it) {
        const CRoom& back = again.GetRoom(it.key());
        EXPECT_EQ(back.m_info.m_strTitle, it.value().m_info.m_strTitle);
        EXPECT_EQ(back.m_info.m_strComments, it.value().m_info.m_strComments);
    }
    EXPECT_EQ(again.GetPlaneName(0), titles[std::size(titles) - 1]);
}

TEST(TintinWrite, NulCharactersAreLeftOutAndCounted)
{
    CNewDoc doc;
    EditRoom(doc, 1, [](CRoom& r) { r.m_info.m_strTitle = std::string_view("a\0b", 3); });
    CFormatReport report;
    CVorMapperDoc again;
    ASSERT_TRUE(ReadTintin(again, WriteTintin(doc, report)));
    EXPECT_EQ(again.GetRoom(1).m_info.m_strTitle, "ab");
    EXPECT_EQ(Counted(report, "texts with NUL characters (left out)"), 1u);
}

TEST(TintinWrite, WhatTinTinCannotHoldIsCounted)
{
    CNewDoc doc;
    EditRoom(doc, 1, [](CRoom& r) {
        r.m_info.m_strLabel = "Start here";
        r.m_bRecursive = true;
    });
    const RoomId two = AddRoomAt(doc, 1, 0);
    CLink unset;
    unset.m_nFromRoom = 1;
    unset.m_nToRoom = two;
    unset.m_nFromDir = unset.m_nToDir = DIR_NONE;
    doc.AddLink(unset);
    doc.SetPlaneName(7, "Empty plane");
    CFormatReport report;
    const std::string text = WriteTintin(doc, report);
    EXPECT_EQ(Counted(report, "room labels"), 1u);
    EXPECT_EQ(Counted(report, "recursive rooms"), 1u);
    EXPECT_EQ(Counted(report, "links without directions"), 1u);
    EXPECT_EQ(Counted(report, "names of planes without rooms"), 1u);
    EXPECT_EQ(Counted(report, "room positions (TinTin++ lays rooms out by their exits)"), 2u);
    EXPECT_EQ(text.find("Start here"), std::string::npos);
}

TEST(TintinWrite, AnIdAboveTheLargestVnumFailsTheWrite)
{
    CNewDoc doc;
    CRoom r;
    r.m_nId = kTintinMaxVnum + 1;
    r.m_nX = 5;
    doc.SetRoom(r);
    std::vector<std::uint8_t> bytes{'x'};
    CFormatReport report;
    std::string error;
    EXPECT_FALSE(TintinMapFormat().Write(doc, bytes, report, error));
    EXPECT_EQ(error, "room 16777216 has an id above 16777215, the largest TinTin++ vnum this program writes");
    EXPECT_EQ(bytes, std::vector<std::uint8_t>{'x'});
}

// A map with what a TinTin++ map can hold: ids with gaps, titles, comments
// with line breaks, colours, plane names, one-way links, links between
// other directions than opposite ones, up and down, a loop to itself.
std::unique_ptr<CVorMapperDoc> VariedMap()
{
    auto doc = std::make_unique<CNewDoc>();
    CVorMapperDoc& d = *doc;
    EditRoom(d, 1, [](CRoom& r) {
        r.m_info.m_strTitle = "Town square";
        r.m_info.m_strComments = "Fountain.\r\nBench {east}.";
        r.m_crColor = 0x00FF8800;
    });
    const RoomId gate = AddRoomAt(d, 0, -1, 0, "North gate");
    const RoomId road = AddRoomAt(d, 0, -2, 0, "Road");
    const RoomId tower = AddRoomAt(d, 0, 0, 1, "Tower top");
    const RoomId cellar = AddRoomAt(d, 0, 0, -1, "Cellar");
    CRoom far;
    far.m_nId = 5000;
    far.m_nX = 9;
    far.m_info.m_strTitle = "Far away";
    d.SetRoom(far);
    d.RestoreCounters(5000, d.GetLastLinkId());
    Join(d, 1, DIR_N, gate, DIR_S);
    Join(d, gate, DIR_NE, road, DIR_W);  // another way back
    Join(d, 1, DIR_U, tower, DIR_D);
    Join(d, 1, DIR_D, cellar, DIR_NONE);  // one way
    Join(d, road, DIR_E, 5000, DIR_SW);
    Join(d, 5000, DIR_N, 5000, DIR_S);    // a loop
    d.SetPlaneName(0, "Town");
    d.SetPlaneName(1, "Tower");
    d.m_nCurrentRoom = gate;
    return doc;
}

TEST(TintinWrite, RoundTripKeepsRoomsTextsColoursPlaneNamesAndLinks)
{
    const auto doc = VariedMap();
    const auto vmmBytes = SaveMapBytes(*doc);
    CVorMapperDoc fromVmm;
    std::string error;
    ASSERT_TRUE(LoadMapBytes(fromVmm, vmmBytes.data(), vmmBytes.size(), error)) << error;

    CFormatReport report;
    CVorMapperDoc back;
    ASSERT_TRUE(ReadTintin(back, WriteTintin(fromVmm, report)));
    EXPECT_EQ(Titles(back), Titles(*doc));
    EXPECT_EQ(LinkEnds(back), LinkEnds(*doc));
    for (auto it = doc->GetRooms().begin(); it != doc->GetRooms().end(); ++it) {
        const CRoom& r = back.GetRoom(it.key());
        EXPECT_EQ(r.m_info.m_strComments, it.value().m_info.m_strComments);
        EXPECT_EQ(r.m_crColor, it.value().m_crColor);
        EXPECT_EQ(back.GetPlaneName(r.m_nPlane), doc->GetPlaneName(it.value().m_nPlane)) << it.key();
    }
    EXPECT_EQ(back.m_nCurrentRoom, doc->m_nCurrentRoom);
    EXPECT_EQ(back.GetLastRoomId(), 5000u);
    EXPECT_EQ(FindInconsistencies(back), std::vector<std::string>{});

    // And it saves as .vmm and loads again as the same map.
    const auto again = SaveMapBytes(back);
    CVorMapperDoc reloaded;
    ASSERT_TRUE(LoadMapBytes(reloaded, again.data(), again.size(), error)) << error;
    EXPECT_EQ(LinkEnds(reloaded), LinkEnds(*doc));
}
}  // namespace
