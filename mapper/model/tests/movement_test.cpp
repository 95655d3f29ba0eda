#include <gtest/gtest.h>

#include "mapper/model/tests/test_support.h"

namespace {
CRoomInfo Titled(const char* title)
{
    CRoomInfo info;
    info.m_strTitle = title;
    return info;
}

class CSentDirections : public IOnlineMoveSink {
public:
    void SendDirection(Direction dir) override { sent.push_back(dir); }
    std::vector<Direction> sent;
};
}  // namespace

TEST(Movement, TraceMoveIntoEmptySpaceCreatesRoomAndLink)
{
    CNewDoc doc;
    CHintRecorder views(doc);
    ASSERT_TRUE(doc.Move(DIR_E));
    const CRoom two = doc.GetRoom(2);
    EXPECT_EQ(two.m_nX, 1);
    EXPECT_EQ(two.m_nY, 0);
    EXPECT_EQ(doc.m_nCurrentRoom, 2u);
    const CLink link = doc.GetLink(1);
    EXPECT_EQ(link.m_nFromRoom, 1u);
    EXPECT_EQ(link.m_nToRoom, 2u);
    EXPECT_EQ(link.m_nFromDir, DIR_E);
    EXPECT_EQ(link.m_nToDir, DIR_W);
    EXPECT_EQ(doc.GetRoom(1).m_links[DIR_E], 1u);
    EXPECT_EQ(two.m_links[DIR_W], 1u);
    EXPECT_EQ(views.hints, (std::vector<long>{HINT_REDRAW}));
    EXPECT_TRUE(doc.IsModified());

    // Back along the same link: nothing new, not modified.
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(doc.Move(DIR_W));
    EXPECT_EQ(doc.m_nCurrentRoom, 1u);
    EXPECT_EQ(doc.GetRooms().size(), 2u);
    EXPECT_EQ(doc.GetLinks().size(), 1u);
    EXPECT_FALSE(doc.IsModified());
}

TEST(Movement, MovingUpShowsTheNewPlane)
{
    CNewDoc doc;
    CHintRecorder views(doc);
    ASSERT_TRUE(doc.Move(DIR_U));
    EXPECT_EQ(doc.GetRoom(2).m_nPlane, 1);
    EXPECT_EQ(doc.m_nCurrentPlane, 1);
    EXPECT_EQ(views.hints, (std::vector<long>{HINT_PLANE_CHANGED}));
    ASSERT_TRUE(doc.Move(DIR_D));
    EXPECT_EQ(doc.m_nCurrentPlane, 0);
}

TEST(Movement, TraceIntoAnOccupiedCellJoinsThatRoomAndReplacesItsReverseSlot)
{
    CNewDoc doc;
    for (int i = 2; i <= 9; ++i)
        AddRoomAt(doc, 50 + i, 50);
    CRoom nine = doc.GetRoom(9);
    nine.m_nX = 0;
    nine.m_nY = -1;
    doc.SetRoom(nine);
    for (int i = 0; i < 3; ++i)
        AddRoomAt(doc, 90 + i, 90);  // links need rooms: use 10..12
    Join(doc, 10, DIR_E, 11, DIR_W);
    Join(doc, 11, DIR_E, 12, DIR_W);
    Join(doc, 12, DIR_E, 10, DIR_W);
    const LinkId four = Join(doc, 10, DIR_N, 9, DIR_S);
    ASSERT_EQ(four, 4u);
    ASSERT_TRUE(doc.Move(DIR_N));
    EXPECT_EQ(doc.m_nCurrentRoom, 9u);
    EXPECT_EQ(doc.GetRoom(9).m_links[DIR_S], 5u);
    EXPECT_EQ(doc.GetRoom(1).m_links[DIR_N], 5u);
    EXPECT_EQ(doc.GetRoom(10).m_links[DIR_N], four);
    EXPECT_TRUE(doc.GetLinks().Find(four));
    EXPECT_EQ(doc.GetRooms().size(), 12u);
}

TEST(Movement, ExploreModeMovesOnlyAlongExistingLinks)
{
    CNewDoc doc;
    doc.m_bTrace = false;
    EXPECT_FALSE(doc.Move(DIR_S));
    EXPECT_EQ(doc.GetRooms().size(), 1u);
    EXPECT_FALSE(doc.IsModified());
    const RoomId far = AddRoomAt(doc, 40, 40, 3);
    Join(doc, 1, DIR_S, far, DIR_E);  // not grid neighbours: followed anyway
    ASSERT_TRUE(doc.Move(DIR_S));
    EXPECT_EQ(doc.m_nCurrentRoom, far);
    EXPECT_EQ(doc.m_nCurrentPlane, 3);
    ASSERT_TRUE(doc.Move(DIR_E));  // from the other end of the same link
    EXPECT_EQ(doc.m_nCurrentRoom, 1u);
}

TEST(Movement, AutoShiftPushesARoomOfAnotherTitleAside)
{
    CNewDoc doc;
    CRoom start = doc.GetRoom(1);
    start.m_nX = 4;
    start.m_nY = 2;
    doc.SetRoom(start);
    const RoomId b = AddRoomAt(doc, 5, 2, 0, "B");
    const RoomId other = AddRoomAt(doc, 7, -3, 1, "far");
    doc.m_bOnline = true;
    const CRoomInfo a = Titled("A");
    ASSERT_TRUE(doc.Move(DIR_E, &a));
    EXPECT_EQ(doc.GetRoom(b).m_nX, 6);
    EXPECT_EQ(doc.GetRoom(other).m_nX, 8);
    EXPECT_EQ(doc.GetRoom(1).m_nX, 4);
    const CRoom created = doc.GetRoom(doc.m_nCurrentRoom);
    EXPECT_EQ(created.m_info.m_strTitle, "A");
    EXPECT_EQ(created.m_nX, 5);
    EXPECT_EQ(created.m_links[DIR_W], doc.GetRoom(1).m_links[DIR_E]);
}

TEST(Movement, WithoutAutoShiftTheFoundRoomIsJoinedAndKeepsItsTitle)
{
    CNewDoc doc;
    const RoomId b = AddRoomAt(doc, 1, 0, 0, "B");
    doc.m_bOnline = true;
    doc.m_bAutoShift = false;
    const CRoomInfo a = Titled("A");
    ASSERT_TRUE(doc.Move(DIR_E, &a));
    EXPECT_EQ(doc.m_nCurrentRoom, b);
    EXPECT_EQ(doc.GetRoom(b).m_info.m_strTitle, "B");
    EXPECT_EQ(doc.GetRoom(b).m_nX, 1);
}

TEST(Movement, AnEmptyTitleDiffersSoTheRoomIsShifted)
{
    CNewDoc doc;
    const RoomId blank = AddRoomAt(doc, 1, 0);
    doc.m_bOnline = true;
    const CRoomInfo a = Titled("A");
    ASSERT_TRUE(doc.Move(DIR_E, &a));
    EXPECT_EQ(doc.GetRoom(blank).m_nX, 2);
    EXPECT_NE(doc.m_nCurrentRoom, blank);
}

TEST(Movement, OfflineTheFoundRoomOnlyGetsItsMissingTexts)
{
    CNewDoc doc;
    const RoomId blank = AddRoomAt(doc, 1, 0);
    const CRoomInfo a = Titled("A");
    ASSERT_TRUE(doc.Move(DIR_E, &a));
    EXPECT_EQ(doc.m_nCurrentRoom, blank);
    EXPECT_EQ(doc.GetRoom(blank).m_info.m_strTitle, "A");
}

TEST(Movement, ARecursiveRoomHoldsTheCharacterWhileTheTitleRepeats)
{
    CNewDoc doc;
    CRoom room = doc.GetRoom(1);
    room.m_info.m_strTitle = "C";
    room.m_bRecursive = true;
    doc.SetRoom(room);
    doc.m_bOnline = true;
    const CRoomInfo same = Titled("C");
    EXPECT_FALSE(doc.Move(DIR_N, &same));
    EXPECT_EQ(doc.m_nCurrentRoom, 1u);
    EXPECT_EQ(doc.GetRooms().size(), 1u);
    const CRoomInfo other = Titled("D");
    EXPECT_TRUE(doc.Move(DIR_N, &other));
    EXPECT_EQ(doc.GetRoom(doc.m_nCurrentRoom).m_info.m_strTitle, "D");
}

TEST(Movement, FollowingALinkFillsAMissingTitleWithoutSettingModified)
{
    CNewDoc doc;
    ASSERT_TRUE(doc.Move(DIR_S));
    ASSERT_TRUE(doc.Move(DIR_N));
    doc.SetModifiedFlag(false);
    const CRoomInfo t = Titled("Yard");
    ASSERT_TRUE(doc.Move(DIR_S, &t));
    EXPECT_EQ(doc.GetRoom(2).m_info.m_strTitle, "Yard");
    EXPECT_FALSE(doc.IsModified());
}

TEST(Movement, BrokenStateRefusesTheMove)
{
    CNewDoc doc;
    CRoom room = doc.GetRoom(1);
    room.m_links[DIR_E] = 50;  // no such link
    doc.SetRoom(room);
    EXPECT_FALSE(doc.Move(DIR_E));
    EXPECT_FALSE(doc.Move(10));
    EXPECT_FALSE(doc.Move(-1));
    doc.m_nCurrentRoom = 99;
    EXPECT_FALSE(doc.Move(DIR_W));
    EXPECT_EQ(doc.GetRooms().size(), 1u);
}

TEST(Movement, TraceAtTheEdgeOfTheGridWrapsWithoutOverflow)
{
    CNewDoc doc;
    CRoom room = doc.GetRoom(1);
    room.m_nX = INT32_MAX;
    doc.SetRoom(room);
    ASSERT_TRUE(doc.Move(DIR_E));
    EXPECT_EQ(doc.GetRoom(2).m_nX, INT32_MIN);
}

TEST(Movement, SendOnlineMoveOnlyInOnlineTraceMode)
{
    CNewDoc doc;
    CSentDirections frame;
    doc.SetOnlineMoveSink(&frame);
    EXPECT_FALSE(doc.SendOnlineMove(DIR_N));
    doc.m_bOnline = true;
    EXPECT_TRUE(doc.SendOnlineMove(DIR_N));
    doc.m_bTrace = false;
    EXPECT_FALSE(doc.SendOnlineMove(DIR_S));
    EXPECT_EQ(frame.sent, (std::vector<Direction>{DIR_N}));
    EXPECT_EQ(doc.m_nCurrentRoom, 1u);
}
