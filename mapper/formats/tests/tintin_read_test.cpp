// Reading TinTin++ maps: both layouts, rooms and their texts, exits paired
// into links, and what the report counts.
#include <gtest/gtest.h>

#include <algorithm>

#include "mapper/formats/tests/tintin_test_support.h"

namespace {
// One map in the three spellings real files have: 2019 (no V line, padded,
// 11 room and 7 exit fields), 2.02.20 (V 2020, padded, 12 and 9) and 2024
// (V 20231, no padding or spaces).
const char* const kOldLayout =
    "C 50000\n\nCE <078>\n\nF 9\n\nG 0\n\nI     2\n\n"
    "R {    1} {0} {} {Lounge} { } {} {Inn} {a note} {} {} {1.000}\n"
    "E {    2} {n} {n} {1} {0} {} {1.000}\n"
    "E {    3} {d} {d} {32} {0} {} {1.000}\n\n"
    "R {    2} {0} {} {Devo's Bar} { } {} {Inn} {} {} {} {1.000}\n"
    "E {    1} {s} {s} {4} {0} {} {1.000}\n\n"
    "R {    3} {0} {} {Cellar} { } {} {Inn} {} {} {} {1.000}\n";
const char* const kV2020Layout =
    "C 50000\n\nV 2020\n\nF 24588\n\nG 0\n\nI 2\n\n"
    "R {    1} {0} {} {Lounge} { } {} {Inn} {a note} {} {} {1.000} {}\n"
    "E {    2} {n} {n} {1} {0} {} {1.000} {} {0.00}\n"
    "E {    3} {d} {d} {32} {0} {} {1.000} {} {0.00}\n\n"
    "R {    2} {0} {} {Devo's Bar} { } {} {Inn} {} {} {} {1.000} {}\n"
    "E {    1} {s} {s} {4} {0} {} {1.000} {} {0.00}\n\n"
    "R {    3} {0} {} {Cellar} { } {} {Inn} {} {} {} {1.000} {}\n";
const char* const kV20231Layout =
    "C 50000\r\n\r\nV 20231\r\n\r\nF 1056783\r\n\r\nG 0\r\n\r\nI 2\r\n\r\n"
    "R {1}{0}{}{Lounge}{ }{}{Inn}{a note}{}{}{1.000}{}\r\n"
    "E {2}{n}{n}{1}{0}{}{1.000}{}{0.00}\r\n"
    "E {3}{d}{d}{32}{0}{}{1.000}{}{0.00}\r\n"
    "R {2}{0}{}{Devo's Bar}{ }{}{Inn}{}{}{}{1.000}{}\r\n"
    "E {1}{s}{s}{4}{0}{}{1.000}{}{0.00}\r\n"
    "R {3}{0}{}{Cellar}{ }{}{Inn}{}{}{}{1.000}{}\r\n";

// A map of one header and the given room and exit lines.
std::string Map(const std::string& body, int last = 1) { return "C 50000\nV 2020\nI " + std::to_string(last) + "\n" + body; }

// An R line of the V 2020 layout with the fields given, the rest empty.
struct CRoomLine {
    int vnum = 1;
    std::string title = {}, color = {}, area = {}, terrain = {};
    std::string Text() const
    {
        return "R {" + std::to_string(vnum) + "} {0} {" + color + "} {" + title + "} { } {} {" + area + "} {} {" +
               terrain + "} {} {1.000} {}\n";
    }
};

std::string Room(int vnum, const std::string& title = "") { return CRoomLine{.vnum = vnum, .title = title}.Text(); }

std::string Exit(int to, int mask, const std::string& cmd = "x")
{
    return "E {" + std::to_string(to) + "} {" + cmd + "} {" + cmd + "} {" + std::to_string(mask) +
           "} {0} {} {1.000} {} {0.00}\n";
}

TEST(TintinRead, TheRegistryKnowsItByNameAndExtension)
{
    ASSERT_EQ(MapFormats().size(), 3u);
    EXPECT_EQ(MapFormats()[2], &TintinMapFormat());
    EXPECT_EQ(FindMapFormat("tintin"), &TintinMapFormat());
    EXPECT_EQ(MapFormatForPath("maps/Arctica.MAP"), &TintinMapFormat());
    EXPECT_EQ(MapFormatForPath("town.tin"), &TintinMapFormat());
    EXPECT_STREQ(TintinMapFormat().Description(), "TinTin++ map");
    EXPECT_TRUE(TintinMapFormat().CanRead() && TintinMapFormat().CanWrite());
}

TEST(TintinRead, TheThreeLayoutsGiveTheSameMap)
{
    for (const char* text : {kOldLayout, kV2020Layout, kV20231Layout}) {
        SCOPED_TRACE(text);
        CVorMapperDoc doc;
        CFormatReport report;
        std::string error;
        ASSERT_TRUE(ReadTintin(doc, text, report, error)) << error;
        EXPECT_EQ(Titles(doc), (std::map<RoomId, std::string>{{1, "Lounge"}, {2, "Devo's Bar"}, {3, "Cellar"}}));
        EXPECT_EQ(doc.GetRoom(1).m_info.m_strComments, "a note");
        EXPECT_EQ(LinkEnds(doc), (std::multiset<CLinkEnds>{{1, DIR_N, 2, DIR_S}, {1, DIR_D, 3, DIR_NONE}}));
        // The I room is the current room, at the origin; north is up the
        // screen (y - 1), down the plane below.
        EXPECT_EQ(doc.m_nCurrentRoom, 2u);
        EXPECT_EQ(CellOf(doc, 2), (CCellKey{0, 0, 0}));
        EXPECT_EQ(CellOf(doc, 1), (CCellKey{0, 1, 0}));
        EXPECT_EQ(CellOf(doc, 3), (CCellKey{0, 1, -1}));
        EXPECT_EQ(doc.GetPlaneName(0), "Inn");
        EXPECT_EQ(doc.GetPlaneName(-1), "Inn");
        EXPECT_EQ(doc.GetLastRoomId(), 3u);
        EXPECT_EQ(doc.GetLastLinkId(), 2u);
        EXPECT_EQ(FindInconsistencies(doc), std::vector<std::string>{});
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST(TintinRead, MissingTrailingFieldsKeepWhatIsThereAndAreCounted)
{
    CVorMapperDoc doc;
    CFormatReport report;
    std::string error;
    ASSERT_TRUE(ReadTintin(doc,
                           Map("R {1} {0} {} {Short room}\n"
                               "E {2} {n} {n} {1}\n"  // direction there: kept
                               "E {2} {e} {e}\n"      // no direction: left out
                               "R {2}\n"),
                           report, error))
        << error;
    EXPECT_EQ(doc.GetRoom(1).m_info.m_strTitle, "Short room");
    EXPECT_TRUE(doc.GetRooms().Find(2));
    EXPECT_EQ(LinkEnds(doc), (std::multiset<CLinkEnds>{{1, DIR_N, 2, DIR_NONE}}));
    EXPECT_EQ(Counted(report, "lines with missing fields"), 4u);
}

TEST(TintinRead, VnumsBecomeIdsAndTheCountersTheLargest)
{
    CVorMapperDoc doc;
    ASSERT_TRUE(ReadTintin(doc, Map(Room(7000, "far") + Exit(12, 2) + Room(12, "near") + Exit(7000, 8), 12)));
    EXPECT_EQ(doc.GetRooms().size(), 2u);
    EXPECT_FALSE(doc.GetRooms().Find(1));
    EXPECT_EQ(doc.GetLastRoomId(), 7000u);
    EXPECT_EQ(doc.m_nCurrentRoom, 12u);
    // A room added afterwards takes a new id.
    EXPECT_EQ(doc.AddRoom(CRoom()), 7001u);
}

TEST(TintinRead, ExitsPairIntoLinksOneWayExitsStayInTheirRoom)
{
    CVorMapperDoc doc;
    CFormatReport report;
    std::string error;
    ASSERT_TRUE(ReadTintin(doc,
                           Map(Room(1) + Exit(2, 1) + Exit(3, 2) + Exit(3, 4) +  // 1-2 both ways, 1-3 one way twice
                               Exit(4, 16) + Exit(4, 1) +                         // north taken already
                               Room(2) + Exit(1, 4) +                             //
                               Room(3) +                                          //
                               Room(4) + Exit(1, 6) + Exit(1, 32)),               // back down to 1, and south-east
                           report, error))
        << error;
    EXPECT_EQ(LinkEnds(doc), (std::multiset<CLinkEnds>{{1, DIR_N, 2, DIR_S},
                                                       {1, DIR_E, 3, DIR_NONE},
                                                       {1, DIR_S, 3, DIR_NONE},
                                                       {1, DIR_U, 4, DIR_D},
                                                       {4, DIR_SE, 1, DIR_NONE}}));
    EXPECT_EQ(Counted(report, "exits whose direction an earlier exit of the room takes"), 1u);
    EXPECT_EQ(FindInconsistencies(doc), std::vector<std::string>{});
}

TEST(TintinRead, AWayBackInAnotherDirectionStillMakesOneLink)
{
    // 1 east to 2, 2 north to 1: one link, drawn, entered at both ends.
    CVorMapperDoc doc;
    ASSERT_TRUE(ReadTintin(doc, Map(Room(1) + Exit(2, 2) + Room(2) + Exit(1, 1))));
    EXPECT_EQ(LinkEnds(doc), (std::multiset<CLinkEnds>{{1, DIR_E, 2, DIR_N}}));
}

TEST(TintinRead, SpecialExitsAndExitsToAbsentRoomsAreCounted)
{
    CVorMapperDoc doc;
    CFormatReport report;
    std::string error;
    ASSERT_TRUE(ReadTintin(doc,
                           Map(Room(1) + Exit(2, 0, "enter portal") + Exit(2, 11, "climb") + Exit(99, 1) +
                               Exit(0, 2) + Room(2)),
                           report, error))
        << error;
    EXPECT_TRUE(doc.GetLinks().empty());
    EXPECT_EQ(Counted(report, "special exits"), 2u);
    EXPECT_EQ(Counted(report, "exits to rooms not in the file"), 2u);
    const auto lines = report.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "not carried: 2 special exits (enter portal, climb)"),
              lines.end());
}

TEST(TintinRead, NotesAndDescriptionsBecomeComments)
{
    CVorMapperDoc doc;
    ASSERT_TRUE(ReadTintin(doc, Map("R {1} {0} {} {Hall} { } {A long hall.} {} {shop} {} {} {1.000} {}\n"
                                    "R {2} {0} {} {Yard} { } {Mud.} {} {} {} {} {1.000} {}\n")));
    EXPECT_EQ(doc.GetRoom(1).m_info.m_strComments, "shop\r\nA long hall.");
    EXPECT_EQ(doc.GetRoom(2).m_info.m_strComments, "Mud.");
}

TEST(TintinRead, TextsAreUtf8AndTheirEscapesAreDecoded)
{
    CFormatReport report;
    std::string error;
    CVorMapperDoc doc;
    ASSERT_TRUE(ReadTintin(doc,
                           Map(Room(1, "Caf\xC3\xA9 \xE2\x8D\x8B") + Room(2, "a\\nb \\x7B \\\\n \\q") +
                               Room(3, "Latin-1 \xE9 byte") + Room(4, "{nested} braces")),
                           report, error))
        << error;
    EXPECT_EQ(doc.GetRoom(1).m_info.m_strTitle, "Caf\xE9 ?");
    EXPECT_EQ(doc.GetRoom(2).m_info.m_strTitle, "a\nb { \\n \\q");
    EXPECT_EQ(doc.GetRoom(3).m_info.m_strTitle, "Latin-1 \xE9 byte");
    EXPECT_EQ(doc.GetRoom(4).m_info.m_strTitle, "{nested} braces");
    EXPECT_EQ(Counted(report, "texts with characters beyond Latin-1 (read as ?)"), 1u);
}

TEST(TintinRead, RoomColoursFromTheirColourCodes)
{
    CFormatReport report;
    std::string error;
    CVorMapperDoc doc;
    std::string body;
    const char* const codes[] = {"<fff>", "<F0B5345>", "<178>", "<038>", "<g23>", "<F1A2>", "<118><F102030>", "<xyz>",
                                 "<AAA>"};
    for (int i = 0; i < 9; ++i)
        body += CRoomLine{.vnum = i + 1, .color = codes[i]}.Text();
    ASSERT_TRUE(ReadTintin(doc, Map(body), report, error)) << error;
    EXPECT_EQ(doc.GetRoom(1).m_crColor, 0xFFFFFFu);
    EXPECT_EQ(doc.GetRoom(2).m_crColor, 0x45530Bu);  // 0x00BBGGRR
    EXPECT_EQ(doc.GetRoom(3).m_crColor, 0xFFFFFFu);  // bold white
    EXPECT_EQ(doc.GetRoom(4).m_crColor, 0x00CDCDu);  // yellow
    EXPECT_EQ(doc.GetRoom(5).m_crColor, 0xEEEEEEu);
    EXPECT_EQ(doc.GetRoom(6).m_crColor, 0x22AA11u);
    EXPECT_EQ(doc.GetRoom(7).m_crColor, 0x302010u);  // the last foreground wins
    EXPECT_EQ(doc.GetRoom(8).m_crColor, kColorNone);
    EXPECT_EQ(doc.GetRoom(9).m_crColor, kColorNone);  // a background only
    EXPECT_EQ(Counted(report, "room colours not understood"), 2u);
}

TEST(TintinRead, APlaneIsNamedAfterMostOfItsRoomsAreas)
{
    CFormatReport report;
    std::string error;
    CVorMapperDoc doc;
    auto room = [](int vnum, const char* area) { return CRoomLine{.vnum = vnum, .area = area}.Text(); };
    ASSERT_TRUE(ReadTintin(doc,
                           Map(room(1, "Town") + Exit(2, 2) + room(2, "Road") + Exit(3, 2) + room(3, "Town") +
                               Exit(4, 16) + room(4, "Tower")),
                           report, error))
        << error;
    EXPECT_EQ(doc.GetPlaneName(0), "Town");
    EXPECT_EQ(doc.GetPlaneName(1), "Tower");
    EXPECT_EQ(Counted(report, "room areas other than their plane's name"), 1u);
}

TEST(TintinRead, WhatTheModelHasNoPlaceForIsCounted)
{
    CFormatReport report;
    std::string error;
    CVorMapperDoc doc;
    ASSERT_TRUE(ReadTintin(doc,
                           "C 50000\nV 2020\nCAVOID <118>\nCROOMS <178>\nF 8207\nG 5\nI 1\n"
                           "L {ASCII NESW LINE} {N} {o}\nLM {Inn} {1} {} {}\nT {FOREST} {<F0B5345>x} {WIDE}\n"
                           "#system touch hacked\nX {unknown}\n  stray text\n"
                           "R {1} {1} {} {} {*} {} {} {} {FOREST} {d} {2.500} {abc}\n"
                           "E {1} {n} {open door;n} {1} {3} {d} {2.000} {<118>} {1.50}\n",
                           report, error))
        << error;
    const std::pair<const char*, std::uint64_t> expected[] = {
        {"map colours", 2},        {"map flags", 1},
        {"global exit rooms", 1},  {"legend entries", 1},
        {"landmarks", 1},          {"terrains", 1},
        {"lines starting with # (ignored)", 1},
        {"unknown lines", 2},      {"room flags", 1},
        {"room symbols", 1},       {"room terrains", 1},
        {"room data", 1},          {"room weights", 1},
        {"room id texts", 1},      {"exit commands other than the direction", 1},
        {"exit flags", 1},         {"exit weights", 1},
        {"exit colours", 1},       {"exit delays", 1},
        {"exit data", 1},
    };
    for (const auto& [kind, count] : expected)
        EXPECT_EQ(Counted(report, kind), count) << kind;
    EXPECT_EQ(report.Items().size(), std::size(expected));
    // The exit to its own room is kept, as a one-way link.
    EXPECT_EQ(LinkEnds(doc), (std::multiset<CLinkEnds>{{1, DIR_N, 1, DIR_NONE}}));
}

TEST(TintinRead, TheReportGivesEachExampleOnce)
{
    CFormatReport report;
    std::string error;
    CVorMapperDoc doc;
    auto room = [](int vnum, const char* terrain) { return CRoomLine{.vnum = vnum, .terrain = terrain}.Text(); };
    ASSERT_TRUE(ReadTintin(doc, Map(room(1, "FOREST") + room(2, "FOREST") + room(3, "HILLS")), report, error)) << error;
    EXPECT_EQ(report.Lines(), std::vector<std::string>{"not carried: 3 room terrains (FOREST, HILLS, ...)"});
}

TEST(TintinRead, DuplicateVnumsKeepTheFirstRoom)
{
    CFormatReport report;
    std::string error;
    CVorMapperDoc doc;
    ASSERT_TRUE(ReadTintin(doc, Map(Room(1, "first") + Room(1, "second") + Exit(1, 1)), report, error)) << error;
    EXPECT_EQ(doc.GetRoom(1).m_info.m_strTitle, "first");
    EXPECT_TRUE(doc.GetLinks().empty());
    EXPECT_EQ(Counted(report, "rooms whose vnum an earlier room has"), 1u);
}
}  // namespace
