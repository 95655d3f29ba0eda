// Reading Mudlet maps as Mudlet writes them: planes, links, colours, labels,
// the player's room, and the report of what was left out.
#include <gtest/gtest.h>

#include "mapper/formats/mudlet_colors.h"
#include "mapper/formats/tests/mudlet_test_support.h"

TEST(MudletRead, OneAreaKeepsIdsAndPutsLevelsOnTheirPlanesWithYNegated)
{
    CVorMapperDoc doc;
    const json map = MudletMap({MudletArea(4, "Town", {MudletRoom(10, 2, 3, 0, {}, "Market"),
                                                       MudletRoom(25, -1, -4, 2), MudletRoom(7, 0, 0, -1)})});
    const CMudletRead r = ReadMudletJson(doc, map);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(doc.GetRooms().size(), 3u);
    const CRoom& market = *doc.GetRooms().Find(10);
    EXPECT_EQ(market.m_info.m_strTitle, "Market");
    EXPECT_EQ(market.m_nX, 2);
    EXPECT_EQ(market.m_nY, -3);
    EXPECT_EQ(market.m_nPlane, 0);
    EXPECT_EQ(doc.GetRooms().Find(25)->m_nY, 4);
    EXPECT_EQ(doc.GetRooms().Find(25)->m_nPlane, 2);
    EXPECT_EQ(doc.GetRooms().Find(7)->m_nPlane, -1);
    EXPECT_EQ(doc.GetLastRoomId(), 25u);
    EXPECT_EQ(doc.GetPlaneName(2), "Town (level 2)");
    EXPECT_FALSE(doc.IsModified());
}

TEST(MudletRead, AreasTakeConsecutivePlanesByIdWithTheirLevelsInOrder)
{
    CVorMapperDoc doc;
    const json map = MudletMap({MudletArea(9, "Caves", {MudletRoom(1, 0, 0, 5), MudletRoom(2, 0, 0, -3)}),
                                MudletArea(3, "Forest", {MudletRoom(3, 0, 0, 0)}),
                                MudletArea(5, "", {MudletRoom(4, 0, 0, 7), MudletRoom(5, 1, 0, 7)})});
    const CMudletRead r = ReadMudletJson(doc, map);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(doc.GetRooms().Find(3)->m_nPlane, 0);  // area 3, its one level
    EXPECT_EQ(doc.GetRooms().Find(4)->m_nPlane, 1);  // area 5
    EXPECT_EQ(doc.GetRooms().Find(2)->m_nPlane, 2);  // area 9, level -3 below...
    EXPECT_EQ(doc.GetRooms().Find(1)->m_nPlane, 3);  // ...level 5
    EXPECT_EQ(doc.GetPlaneName(0), "Forest");
    EXPECT_EQ(doc.GetPlaneNames().Find(1), nullptr);  // an area without a name
    EXPECT_EQ(doc.GetPlaneName(2), "Caves (level -3)");
    EXPECT_EQ(doc.GetPlaneName(3), "Caves (level 5)");
}

TEST(MudletRead, ExitPairsBecomeOneLinkAndOneWayExitsAreHeldByTheirRoomOnly)
{
    CVorMapperDoc doc;
    const json map = MudletMap({MudletArea(
        1, "A",
        {MudletRoom(1, 0, 0, 0, {{"north", 2}, {"east", 3}, {"southeastst", 4}, {"up", 2}}),
         MudletRoom(2, 0, 1, 0, {{"south", 1}, {"west", 1}}),  // south pairs with north, west with up
         MudletRoom(3, 1, 0, 0, {}),                          // east is one-way
         MudletRoom(4, 1, -1, 0, {{"northwest", 1}, {"in", 1}, {"enter portal", 1}, {"down", 99}})})});
    const CMudletRead r = ReadMudletJson(doc, map);
    ASSERT_TRUE(r.ok) << r.error;
    const CLink* north = SlotLink(doc, 1, DIR_N);
    ASSERT_NE(north, nullptr);
    EXPECT_EQ(north, SlotLink(doc, 2, DIR_S));
    const CLink* up = SlotLink(doc, 1, DIR_U);
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up, SlotLink(doc, 2, DIR_W));
    const CLink* east = SlotLink(doc, 1, DIR_E);
    ASSERT_NE(east, nullptr);
    EXPECT_EQ(east->m_nFromRoom, 1u);
    EXPECT_EQ(east->m_nToRoom, 3u);
    EXPECT_EQ(east->m_nToDir, DIR_W);
    EXPECT_EQ(SlotLink(doc, 3, DIR_W), nullptr);
    EXPECT_EQ(SlotLink(doc, 1, DIR_SE), SlotLink(doc, 4, DIR_NW));
    EXPECT_EQ(doc.GetLinks().size(), 4u);
    EXPECT_EQ(doc.GetLastLinkId(), 4u);
    const std::vector<std::string> lines = r.report.Lines();
    const std::vector<std::string> expected = {"not carried: 1 in/out exits", "not carried: 1 special exits (enter portal)",
                                               "not carried: 1 exits to rooms not in the file (down)"};
    EXPECT_EQ(lines, expected);
}

TEST(MudletRead, WhatHasNoPlaceIsCountedByKind)
{
    CVorMapperDoc doc;
    json room = MudletRoom(1, 0, 0, 0, {{"north", 1}});
    room["exits"][0]["door"] = 2;
    room["exits"][0]["weight"] = 5;
    room["exits"][0]["locked"] = true;
    room["exits"][0]["customLine"] = {{"color", "red"}};
    room["stubExits"] = {{{"name", "east"}}, {{"name", "west"}}};
    room["locked"] = true;
    room["weight"] = 3;
    room["symbol"] = "S";
    room["userData"] = {{"herbs", "many"}, {"vormapper.comments", "kept"}};
    room["novelty"] = 1;
    json label = {{"id", 1}, {"coordinates", {0.0, 0.0, 0.0}}, {"size", {1.0, 1.0}}, {"image", {"AAAA"}}};
    json area = MudletArea(1, "A", {room});
    area["labels"] = {label};
    json map = MudletMap({area});
    map["userData"] = {{"game", "x"}};
    const CMudletRead r = ReadMudletJson(doc, map);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(doc.GetRooms().Find(1)->m_info.m_strComments, "kept");
    std::map<std::string, std::uint64_t> counts;
    for (const auto& item : r.report.Items())
        counts[item.kind] = item.count;
    const std::map<std::string, std::uint64_t> expected = {
        {"doors", 1}, {"weights", 2}, {"locks", 2}, {"custom lines", 1}, {"stubs", 2}, {"symbols", 1},
        {"user data", 2}, {"unknown keys", 1}, {"image-only labels", 1}};
    EXPECT_EQ(counts, expected);
}

TEST(MudletRead, RoomColoursFollowMudletsEnvironmentRules)
{
    CMudletEnvironments env;
    env.custom = {{300, Rgb(1, 2, 3)}, {5, Rgb(9, 9, 9)}, {20, Rgb(7, 7, 7)}};
    env.mapping = {{40, 300}, {41, 2}, {42, 196}};
    EXPECT_EQ(MudletEnvironmentColor(-1, env), kColorNone);
    EXPECT_EQ(MudletEnvironmentColor(300, env), Rgb(1, 2, 3));
    EXPECT_EQ(MudletEnvironmentColor(40, env), Rgb(1, 2, 3));     // mapped to a custom colour
    EXPECT_EQ(MudletEnvironmentColor(41, env), Rgb(0, 128, 0));   // mapped to ANSI green
    EXPECT_EQ(MudletEnvironmentColor(42, env), Rgb(255, 0, 0));   // mapped into the xterm cube
    EXPECT_EQ(MudletEnvironmentColor(5, env), Rgb(128, 0, 128));  // ANSI before a custom colour of the same id
    EXPECT_EQ(MudletEnvironmentColor(20, env), Rgb(7, 7, 7));     // a custom colour before the xterm palette
    EXPECT_EQ(MudletEnvironmentColor(999, env), Rgb(128, 0, 0));  // neither mapped nor custom: red
    EXPECT_EQ(MudletEnvironmentColor(3, env), Rgb(128, 0, 0));    // the same, however low
    env.mapping[43] = 244;
    EXPECT_EQ(MudletEnvironmentColor(43, env), Rgb(128, 128, 128));  // the grey ramp
    env.mapping[44] = 16;
    EXPECT_EQ(MudletEnvironmentColor(44, env), Rgb(128, 128, 128));  // light black

    CVorMapperDoc doc;
    json map = MudletMap({MudletArea(1, "A", {MudletRoom(1, 0, 0, 0), MudletRoom(2, 1, 0, 0)})});
    map["areas"][0]["rooms"][0]["environment"] = 300;
    map["areas"][0]["rooms"][1]["environment"] = 12;
    map["customEnvColors"] = {{{"id", 300}, {"color32RGBA", {10, 20, 30, 255}}}};
    const CMudletRead r = ReadMudletJson(doc, map);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(doc.GetRooms().Find(1)->m_crColor, Rgb(10, 20, 30));
    EXPECT_EQ(doc.GetRooms().Find(2)->m_crColor, Rgb(128, 0, 0));
}

TEST(MudletRead, LabelsGoToTheNearestFreeRoomOfTheirPlane)
{
    CVorMapperDoc doc;
    json area = MudletArea(1, "A", {MudletRoom(1, 0, 0, 0), MudletRoom(2, 5, 0, 0), MudletRoom(3, 5, 0, 1)});
    area["labels"] = {
        {{"id", 1}, {"coordinates", {4.2, 0.5, 0}}, {"size", {1.0, 1.0}}, {"text", "Gate"},
         {"colors", {{{"color32RGBA", {255, 0, 0, 255}}}, {{"color32RGBA", {0, 0, 0, 0}}}}}},
        {{"id", 2}, {"coordinates", {4.0, 0.5, 0}}, {"size", {1.0, 1.0}}, {"text", "Wall"}},
        {{"id", 3}, {"coordinates", {40.0, 0.0, 0}}, {"size", {1.0, 1.0}}, {"text", "Far"}},
    };
    const CMudletRead r = ReadMudletJson(doc, MudletMap({area}));
    ASSERT_TRUE(r.ok) << r.error;
    const CRoomInfo& gate = doc.GetRooms().Find(2)->m_info;
    EXPECT_EQ(gate.m_strLabel, "Gate");
    EXPECT_EQ(gate.m_ptLabel, (CPoint{static_cast<std::int32_t>(std::lround(4.2 * 26 + 13)), 0}));
    EXPECT_EQ(gate.m_crLabelText, Rgb(255, 0, 0));
    EXPECT_EQ(gate.m_crLabelBack, kColorNone);
    // Room 2 has a label: the next free room within reach takes it, not
    // room 3 in the same cell of another plane.
    EXPECT_EQ(doc.GetRooms().Find(1)->m_info.m_strLabel, "Wall");
    EXPECT_EQ(doc.GetRooms().Find(3)->m_info.m_strLabel, "");
    EXPECT_EQ(r.report.Lines(), std::vector<std::string>({"not carried: 1 labels with no room near them (Far)"}));
}

TEST(MudletRead, ThePlayersRoomIsTheCurrentRoomAndItsPlaneOnView)
{
    CVorMapperDoc doc;
    json map = MudletMap({MudletArea(1, "A", {MudletRoom(1, 0, 0, 0), MudletRoom(2, 0, 0, 3)})});
    map["playersRoomId"] = {{"Someone", 2}};
    const CMudletRead r = ReadMudletJson(doc, map);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(doc.m_nCurrentRoom, 2u);
    EXPECT_EQ(doc.m_nCurrentPlane, 3);
}

TEST(MudletRead, TextOutsideLatin1BecomesQuestionMarksAndIsCounted)
{
    CVorMapperDoc doc;
    const CMudletRead r =
        ReadMudletJson(doc, MudletMap({MudletArea(1, "A", {MudletRoom(1, 0, 0, 0, {}, "Caf\u00e9 \u2603\u2603")})}));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(doc.GetRooms().Find(1)->m_info.m_strTitle, "Caf\xE9 ??");
    EXPECT_EQ(r.report.Lines(), std::vector<std::string>({"not carried: 2 characters outside Latin-1 (written as ?)"}));
}
