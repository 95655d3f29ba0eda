#include "mapper/navigation/pathfinding.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

std::vector<Direction> Dirs(const CWay& way)
{
    std::vector<Direction> d;
    for (const CWayStep& s : way)
        d.push_back(s.dir);
    return d;
}

// Room 1 at the origin, a row of rooms to the east of it: 1 - 2 - 3 - 4.
struct CRowDoc : CNewDoc {
    RoomId r[5] = {0, 1, 0, 0, 0};
    CRowDoc()
    {
        for (int i = 2; i <= 4; ++i) {
            r[i] = AddRoomAt(*this, i - 1, 0, 0, ("Room " + std::to_string(i)).c_str());
            Join(*this, r[i - 1], DIR_E, r[i], DIR_W);
        }
    }
};

TEST(PathFinding, WaysOverATreeGoBothWaysAlongLinks)
{
    CRowDoc doc;
    const RoomId branch = AddRoomAt(doc, 1, -1);
    const LinkId up = Join(doc, doc.r[2], DIR_N, branch, DIR_S);
    CPathFinder finder;
    CWay way;
    ASSERT_EQ(finder.FindWay(doc, 1, doc.r[4], way), CPathFinder::WAY_FOUND);
    EXPECT_EQ(Dirs(way), (std::vector<Direction>{DIR_E, DIR_E, DIR_E}));
    EXPECT_EQ(way.back().room, doc.r[4]);
    ASSERT_EQ(finder.FindWay(doc, doc.r[4], branch, way), CPathFinder::WAY_FOUND);
    EXPECT_EQ(Dirs(way), (std::vector<Direction>{DIR_W, DIR_W, DIR_N}));
    EXPECT_EQ(way[2].link, up);
    EXPECT_EQ(way[1].room, doc.r[2]);
}

TEST(PathFinding, TheShortestWayRoundACycleAndTheSameWayEveryTime)
{
    // A ring of eight rooms: 1 east 2 east 3 ... and back to 1 from 8.
    CNewDoc doc;
    RoomId ring[8] = {1};
    for (int i = 1; i < 8; ++i) {
        ring[i] = AddRoomAt(doc, i, 0);
        Join(doc, ring[i - 1], DIR_E, ring[i], DIR_W);
    }
    Join(doc, ring[7], DIR_E, ring[0], DIR_W);
    CPathFinder finder;
    CWay way;
    ASSERT_EQ(finder.FindWay(doc, ring[0], ring[6], way), CPathFinder::WAY_FOUND);
    EXPECT_EQ(Dirs(way), (std::vector<Direction>{DIR_W, DIR_W}));
    // Opposite room, two ways of four steps: the one met first in direction order (east before west).
    ASSERT_EQ(finder.FindWay(doc, ring[0], ring[4], way), CPathFinder::WAY_FOUND);
    EXPECT_EQ(Dirs(way), (std::vector<Direction>{DIR_E, DIR_E, DIR_E, DIR_E}));
    for (int i = 0; i < 3; ++i) {
        CWay again;
        finder.FindWay(doc, ring[0], ring[4], again);
        EXPECT_EQ(again, way);
    }
}

TEST(PathFinding, PlanesAreCrossedLikeAnyOtherStep)
{
    CRowDoc doc;
    const RoomId cellar = AddRoomAt(doc, 3, 0, -1, "Cellar");
    const RoomId deep = AddRoomAt(doc, 3, 1, -1, "Deep cellar");
    Join(doc, doc.r[4], DIR_D, cellar, DIR_U);
    Join(doc, cellar, DIR_S, deep, DIR_N);
    CPathFinder finder;
    CWay way;
    ASSERT_EQ(finder.FindWay(doc, 1, deep, way), CPathFinder::WAY_FOUND);
    EXPECT_EQ(Dirs(way), (std::vector<Direction>{DIR_E, DIR_E, DIR_E, DIR_D, DIR_S}));
    ASSERT_EQ(finder.FindWay(doc, deep, doc.r[3], way), CPathFinder::WAY_FOUND);
    EXPECT_EQ(Dirs(way), (std::vector<Direction>{DIR_N, DIR_U, DIR_W}));
}

TEST(PathFinding, UnreachableMissingAndSelf)
{
    CRowDoc doc;
    const RoomId island = AddRoomAt(doc, 9, 9);
    CPathFinder finder;
    CWay way{CWayStep{DIR_N, 1, 1}};
    EXPECT_EQ(finder.FindWay(doc, 1, island, way), CPathFinder::NO_WAY);
    EXPECT_TRUE(way.empty());
    EXPECT_EQ(finder.GetVisitedCount(), 4u);  // the whole part of the map that can be reached
    EXPECT_EQ(finder.FindWay(doc, 1, 999, way), CPathFinder::NO_SUCH_ROOM);
    EXPECT_EQ(finder.FindWay(doc, 999, 1, way), CPathFinder::NO_SUCH_ROOM);
    EXPECT_EQ(finder.FindWay(doc, doc.r[3], doc.r[3], way), CPathFinder::WAY_FOUND);
    EXPECT_TRUE(way.empty());
    // After a room of the way is deleted the far side is cut off.
    doc.DeleteRoom(doc.r[3]);
    EXPECT_EQ(finder.FindWay(doc, 1, doc.r[4], way), CPathFinder::NO_WAY);
}

TEST(PathFinding, ALinkIsTakenOnlyFromTheSlotsThatHoldIt)
{
    // A one-way link: held only in room 1's east slot.
    CNewDoc doc;
    const RoomId b = AddRoomAt(doc, 1, 0);
    Join(doc, 1, DIR_E, b, DIR_NONE);
    CPathFinder finder;
    CWay way;
    EXPECT_EQ(finder.FindWay(doc, 1, b, way), CPathFinder::WAY_FOUND);
    EXPECT_EQ(finder.FindWay(doc, b, 1, way), CPathFinder::NO_WAY);
    // A link held in a slot other than its own direction goes the slot's way,
    // as a move along it would.
    const RoomId c = AddRoomAt(doc, 5, 5);
    Join(doc, b, DIR_U, c, DIR_SW);
    ASSERT_EQ(finder.FindWay(doc, c, 1, way), CPathFinder::NO_WAY);
    ASSERT_EQ(finder.FindWay(doc, 1, c, way), CPathFinder::WAY_FOUND);
    EXPECT_EQ(Dirs(way), (std::vector<Direction>{DIR_E, DIR_U}));
    doc.m_nCurrentRoom = 1;
    for (const CWayStep& s : way)
        ASSERT_TRUE(doc.Move(s.dir));
    EXPECT_EQ(doc.m_nCurrentRoom, c);
}

TEST(PathFinding, StaleSlotsAndSelfLinksAreSkipped)
{
    CRowDoc doc;
    CRoom one = doc.GetRoom(1);
    one.m_links[DIR_N] = 777;  // no such link
    doc.SetRoom(one);
    Join(doc, doc.r[2], DIR_U, doc.r[2], DIR_D);  // a loop onto itself
    CPathFinder finder;
    CWay way;
    ASSERT_EQ(finder.FindWay(doc, 1, doc.r[4], way), CPathFinder::WAY_FOUND);
    EXPECT_EQ(way.size(), 3u);
}

TEST(RoomSearch, CaseFoldedSubstringOfTitlesCommentsAndLabelsInContainerOrder)
{
    CNewDoc doc;
    const RoomId a = AddRoomAt(doc, 1, 0, 0, "The Old MILL");
    const RoomId b = AddRoomAt(doc, 2, 0, 0, "Square");
    const RoomId c = AddRoomAt(doc, 3, 0, 0, "Road");
    CRoom rb = doc.GetRoom(b);
    rb.m_info.m_strComments = "a mill-pond lies to the east";
    doc.SetRoom(rb);
    CRoom rc = doc.GetRoom(c);
    rc.m_info.m_strLabel = "Millers";
    doc.SetRoom(rc);
    std::vector<RoomId> expected;
    for (auto it = doc.GetRooms().begin(); it != doc.GetRooms().end(); ++it)
        if (it.key() == a || it.key() == b || it.key() == c)
            expected.push_back(it.key());
    EXPECT_EQ(FindRooms(doc, "mIlL"), expected);
    EXPECT_EQ(FindRooms(doc, "old mill"), std::vector<RoomId>{a});
    EXPECT_EQ(FindRooms(doc, "mill", 1).size(), 1u);
    EXPECT_TRUE(FindRooms(doc, "").empty());
    EXPECT_TRUE(FindRooms(doc, "windmill").empty());
    // Only ASCII letters fold: 0xC4 and 0xE4 are different letters here.
    CRoom ra = doc.GetRoom(a);
    ra.m_info.m_strTitle = "\xC4pfel";
    doc.SetRoom(ra);
    EXPECT_EQ(FindRooms(doc, "\xC4P"), std::vector<RoomId>{a});
    EXPECT_TRUE(FindRooms(doc, "\xE4p").empty());
}

TEST(RoomSearch, DirectionWords)
{
    EXPECT_STREQ(DirectionWord(DIR_N), "north");
    EXPECT_STREQ(DirectionWord(DIR_SW), "southwest");
    EXPECT_STREQ(DirectionWord(DIR_D), "down");
    EXPECT_STREQ(DirectionWord(DIR_NONE), "");
}

}  // namespace
