// The grid a TinTin++ map is laid out on: steps by direction, void rooms
// joined, taken cells, and groups of rooms not joined to each other.
#include <gtest/gtest.h>

#include <set>

#include "mapper/formats/tests/tintin_test_support.h"
#include "mapper/formats/tintin_layout.h"

namespace {
std::string Room(int vnum, int flags = 0)
{
    return "R {" + std::to_string(vnum) + "} {" + std::to_string(flags) + "} {} {r" + std::to_string(vnum) +
           "} { } {} {} {} {} {} {1.000} {}\n";
}
std::string Void(int vnum) { return Room(vnum, 8); }
std::string Exit(int to, int mask)
{
    return "E {" + std::to_string(to) + "} {x} {x} {" + std::to_string(mask) + "} {0} {} {1.000} {} {0.00}\n";
}
std::string Map(const std::string& body, int last = 1) { return "C 50000\nV 2020\nI " + std::to_string(last) + "\n" + body; }

bool CellsUnique(const CVorMapperDoc& doc)
{
    std::set<std::tuple<int, int, int>> cells;
    for (auto it = doc.GetRooms().begin(); it != doc.GetRooms().end(); ++it)
        if (!cells.insert({it.value().m_nX, it.value().m_nY, it.value().m_nPlane}).second)
            return false;
    return true;
}

TEST(TintinLayout, EachDirectionIsOneCellThatWay)
{
    const std::pair<int, CCellKey> steps[] = {
        {1, {0, -1, 0}}, {2, {1, 0, 0}},  {4, {0, 1, 0}},  {8, {-1, 0, 0}},  {3, {1, -1, 0}},
        {9, {-1, -1, 0}}, {6, {1, 1, 0}}, {12, {-1, 1, 0}}, {16, {0, 0, 1}}, {32, {0, 0, -1}},
    };
    for (const auto& [mask, cell] : steps) {
        CVorMapperDoc doc;
        ASSERT_TRUE(ReadTintin(doc, Map(Room(1) + Exit(2, mask) + Room(2))));
        EXPECT_EQ(CellOf(doc, 1), (CCellKey{0, 0, 0})) << mask;
        EXPECT_EQ(CellOf(doc, 2), cell) << mask;
    }
}

TEST(TintinLayout, VoidRoomsAreLeftOutAndTheirExitsJoined)
{
    // 1 east, through two void rooms bending north, to 2; and back.
    CVorMapperDoc doc;
    CFormatReport report;
    std::string error;
    ASSERT_TRUE(ReadTintin(doc,
                           Map(Room(1) + Exit(10, 2) +               //
                               Void(10) + Exit(1, 8) + Exit(11, 2) +  // straight on east
                               Void(11) + Exit(10, 8) + Exit(2, 1) +  // bends north
                               Room(2) + Exit(11, 4)),
                           report, error))
        << error;
    EXPECT_EQ(doc.GetRooms().size(), 2u);
    EXPECT_EQ(LinkEnds(doc), (std::multiset<CLinkEnds>{{1, DIR_E, 2, DIR_S}}));
    EXPECT_EQ(CellOf(doc, 2), (CCellKey{2, -1, 0}));  // the void rooms' steps are kept as spacing
    EXPECT_EQ(Counted(report, "void rooms (spacing only: the exits through them are joined)"), 2u);
}

TEST(TintinLayout, VoidRoomsThatLeadNowhereOrInACircleDropTheExit)
{
    CVorMapperDoc doc;
    CFormatReport report;
    std::string error;
    ASSERT_TRUE(ReadTintin(doc,
                           Map(Room(1) + Exit(10, 2) + Exit(20, 4) +  //
                               Void(10) + Exit(1, 8) +                  // a dead end
                               Void(20) + Exit(21, 4) +                 // a circle of void rooms
                               Void(21) + Exit(22, 2) + Void(22) + Exit(23, 1) + Void(23) + Exit(20, 8)),
                           report, error))
        << error;
    EXPECT_TRUE(doc.GetLinks().empty());
    EXPECT_EQ(Counted(report, "exits into void rooms that lead nowhere"), 2u);
}

TEST(TintinLayout, ATakenCellSendsTheRoomFurtherAlongItsDirection)
{
    // 1 east to 2 and 2 north to 3; 1 north-east to 4 finds (1, -1) taken by 3.
    CVorMapperDoc doc;
    ASSERT_TRUE(ReadTintin(doc, Map(Room(1) + Exit(2, 2) + Exit(4, 3) + Room(2) + Exit(3, 1) + Room(3) + Room(4))));
    EXPECT_EQ(CellOf(doc, 2), (CCellKey{1, 0, 0}));
    EXPECT_EQ(CellOf(doc, 4), (CCellKey{1, -1, 0}));  // reached first, from 1
    EXPECT_EQ(CellOf(doc, 3), (CCellKey{1, -2, 0}));  // one further north
    EXPECT_EQ(LinkEnds(doc),
              (std::multiset<CLinkEnds>{{1, DIR_E, 2, DIR_NONE}, {1, DIR_NE, 4, DIR_NONE}, {2, DIR_N, 3, DIR_NONE}}));
    EXPECT_EQ(FindInconsistencies(doc), std::vector<std::string>{});
}

TEST(TintinLayout, AFullRowSendsTheRoomBelowEverything)
{
    // A hub with many rooms all claiming the cell east of it (one exit is
    // carried: the others still place their rooms).
    std::string hub = Room(1);
    for (int i = 2; i <= 40; ++i)
        hub += Exit(i, 2);
    for (int i = 2; i <= 40; ++i)
        hub += Room(i);
    CVorMapperDoc star;
    ASSERT_TRUE(ReadTintin(star, Map(hub)));
    EXPECT_TRUE(CellsUnique(star));
    // The first nine go east in a row, the rest below all of them.
    for (int i = 2; i <= 10; ++i)
        EXPECT_EQ(CellOf(star, i), (CCellKey{i - 1, 0, 0})) << i;
    EXPECT_EQ(CellOf(star, 11), (CCellKey{1, 1, 0}));
    EXPECT_EQ(CellOf(star, 12), (CCellKey{1, 2, 0}));
    EXPECT_EQ(FindInconsistencies(star), std::vector<std::string>{});
}

TEST(TintinLayout, GroupsNotJoinedGoEastOfTheMapTopAligned)
{
    CVorMapperDoc doc;
    ASSERT_TRUE(ReadTintin(doc, Map(Room(1) + Exit(2, 4) + Room(2) + Exit(1, 1) +  // 1 over 2
                                        Room(5) + Exit(6, 1) + Room(6) +           // 6 north of 5
                                        Room(7),                                   // alone
                                    2)));
    EXPECT_EQ(CellOf(doc, 2), (CCellKey{0, 0, 0}));  // the I room
    EXPECT_EQ(CellOf(doc, 1), (CCellKey{0, -1, 0}));
    EXPECT_EQ(CellOf(doc, 6), (CCellKey{2, -1, 0}));
    EXPECT_EQ(CellOf(doc, 5), (CCellKey{2, 0, 0}));
    EXPECT_EQ(CellOf(doc, 7), (CCellKey{4, -1, 0}));
    EXPECT_EQ(doc.m_nCurrentPlane, 0);
}

TEST(TintinLayout, TheStartCanBeOnAnyPlaneAndTheCurrentPlaneFollows)
{
    CVorMapperDoc doc;
    ASSERT_TRUE(ReadTintin(doc, Map(Room(1) + Exit(2, 16) + Room(2) + Exit(1, 32), 1)));
    EXPECT_EQ(CellOf(doc, 2), (CCellKey{0, 0, 1}));
    CVorMapperDoc top;
    ASSERT_TRUE(ReadTintin(top, Map(Room(1) + Exit(2, 16) + Room(2) + Exit(1, 32), 2)));
    EXPECT_EQ(CellOf(top, 1), (CCellKey{0, 0, -1}));
    EXPECT_EQ(top.m_nCurrentRoom, 2u);
    EXPECT_EQ(top.m_nCurrentPlane, 0);
}

TEST(TintinLayout, LayOutRoomsWalksStepsBothWays)
{
    // Room 0 is reached from room 1 by the reverse of 0's step to 1.
    const std::vector<CLayoutStep> steps = {{0, 1, 3, 0, 0, DIR_E, DIR_E}};
    const auto cells = LayOutRooms(2, steps, 1);
    EXPECT_EQ(cells[1], (CCellKey{0, 0, 0}));
    EXPECT_EQ(cells[0], (CCellKey{-3, 0, 0}));
}
}  // namespace
