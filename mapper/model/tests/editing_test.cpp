#include <gtest/gtest.h>

#include "mapper/model/map_file.h"
#include "mapper/model/tests/test_support.h"

TEST(Editing, IdsAreNeverReused)
{
    CNewDoc doc;
    for (int i = 2; i <= 5; ++i)
        AddRoomAt(doc, i, 0);
    ASSERT_TRUE(doc.DeleteRoom(5));
    EXPECT_EQ(AddRoomAt(doc, 9, 9), 6u);
    EXPECT_FALSE(doc.IsModified());
}

TEST(Editing, DeleteRoomRefusesTheLastRoom)
{
    CNewDoc doc;
    EXPECT_FALSE(doc.DeleteRoom(1));
    EXPECT_EQ(doc.GetRooms().size(), 1u);
}

TEST(Editing, DeletingTheCurrentRoomMovesToTheOtherEndOfItsFirstLink)
{
    CNewDoc doc;
    for (int i = 2; i <= 7; ++i)
        AddRoomAt(doc, i, 0, i == 7 ? 2 : 0);
    const RoomId four = 4;
    const LinkId east = Join(doc, four, DIR_E, 3, DIR_W);
    const LinkId north = Join(doc, 7, DIR_S, four, DIR_N);  // room 4 is the second room of this link
    doc.m_nCurrentRoom = four;
    ASSERT_TRUE(doc.DeleteRoom(four));
    // North comes before east in slot order; the link's other end is room 7.
    EXPECT_EQ(doc.m_nCurrentRoom, 7u);
    EXPECT_EQ(doc.m_nCurrentPlane, 2);
    EXPECT_EQ(doc.GetRoom(7).m_links[DIR_S], 0u);
    EXPECT_EQ(doc.GetRoom(3).m_links[DIR_W], 0u);
    CLink gone;
    EXPECT_FALSE(doc.LookupLink(north, gone));
    EXPECT_FALSE(doc.LookupLink(east, gone));
}

TEST(Editing, DeletingTheCurrentRoomWithoutLinksPrefersTheNearestIdBelowThenAbove)
{
    {
        CNewDoc doc;
        for (int i = 2; i <= 9; ++i)
            AddRoomAt(doc, i, 0);
        for (RoomId id : {1u, 3u, 5u, 6u, 7u, 8u})
            ASSERT_TRUE(doc.DeleteRoom(id));
        doc.m_nCurrentRoom = 4;
        ASSERT_TRUE(doc.DeleteRoom(4));
        EXPECT_EQ(doc.m_nCurrentRoom, 2u);
    }
    {
        CNewDoc doc;
        for (int i = 2; i <= 9; ++i)
            AddRoomAt(doc, i, 0, i == 9 ? -1 : 0);
        for (RoomId id : {1u, 2u, 3u, 5u, 6u, 7u, 8u})
            ASSERT_TRUE(doc.DeleteRoom(id));
        doc.m_nCurrentRoom = 4;
        ASSERT_TRUE(doc.DeleteRoom(4));
        EXPECT_EQ(doc.m_nCurrentRoom, 9u);
        EXPECT_EQ(doc.m_nCurrentPlane, -1);
    }
}

TEST(Editing, DeletingTheCurrentRoomSkipsALinkThatLeadsNowhere)
{
    CNewDoc doc;
    AddRoomAt(doc, 1, 0);  // 2
    AddRoomAt(doc, 2, 0);  // 3
    CRoom three = doc.GetRoom(3);
    three.m_links[DIR_N] = 99;  // no such link
    doc.SetRoom(three);
    Join(doc, 3, DIR_E, 3, DIR_W);  // a link from the room to itself
    doc.m_nCurrentRoom = 3;
    ASSERT_TRUE(doc.DeleteRoom(3));
    EXPECT_EQ(doc.m_nCurrentRoom, 2u);
    EXPECT_TRUE(doc.GetLinks().empty());
}

TEST(Editing, DeletingAnotherRoomLeavesTheCurrentOneAlone)
{
    CNewDoc doc;
    AddRoomAt(doc, 0, 0, 3);
    doc.m_nCurrentPlane = 0;
    ASSERT_TRUE(doc.DeleteRoom(2));
    EXPECT_EQ(doc.m_nCurrentRoom, 1u);
    EXPECT_EQ(doc.m_nCurrentPlane, 0);
}

TEST(Editing, DeleteLinkClearsBothSlotsOrNothing)
{
    CNewDoc doc;
    const RoomId two = AddRoomAt(doc, 1, 0);
    const LinkId id = Join(doc, 1, DIR_E, two, DIR_W);
    doc.DeleteLink(id);
    EXPECT_EQ(doc.GetRoom(1).m_links[DIR_E], 0u);
    EXPECT_EQ(doc.GetRoom(two).m_links[DIR_W], 0u);
    EXPECT_TRUE(doc.GetLinks().empty());

    // First room missing: the link stays.
    CLink orphan;
    orphan.m_nFromRoom = 77;
    orphan.m_nToRoom = two;
    const LinkId orphanId = doc.AddLink(orphan);
    doc.DeleteLink(orphanId);
    EXPECT_EQ(doc.GetLinks().size(), 1u);

    // Made by hand and never given directions: removed without touching rooms.
    CLink loose;
    loose.m_nFromRoom = 77;
    loose.m_nFromDir = loose.m_nToDir = -1;
    const LinkId looseId = doc.AddLink(loose);
    doc.DeleteLink(looseId);
    CLink check;
    EXPECT_FALSE(doc.LookupLink(looseId, check));

    // A direction outside 0..9 (from a hostile file) names no slot and does not crash.
    CLink odd;
    odd.m_nFromRoom = 1;
    odd.m_nFromDir = 1000;
    const LinkId oddId = doc.AddLink(odd);
    doc.DeleteLink(oddId);
    EXPECT_FALSE(doc.LookupLink(oddId, check));
    doc.DeleteLink(12345);  // absent: nothing
}

TEST(Editing, DeleteLinkClearsTheSlotWhateverItHeld)
{
    CNewDoc doc;
    const RoomId two = AddRoomAt(doc, 1, 0);
    const LinkId first = Join(doc, 1, DIR_E, two, DIR_W);
    const LinkId second = Join(doc, 1, DIR_E, two, DIR_W);  // replaces both slots
    doc.DeleteLink(first);
    EXPECT_EQ(doc.GetRoom(1).m_links[DIR_E], 0u);
    EXPECT_TRUE(doc.GetLinks().Find(second));
}

TEST(Editing, ShiftRoomsEastMovesEveryRoomAtOrBeyondTheColumnOnEveryPlane)
{
    CNewDoc doc;
    const RoomId a = AddRoomAt(doc, 3, 5);
    const RoomId b = AddRoomAt(doc, 4, -8, 2);
    const RoomId c = AddRoomAt(doc, 2, 5);
    const RoomId d = AddRoomAt(doc, 3, 0, -1);
    doc.ShiftRooms(a, DIR_NE);  // diagonals shift along x only
    EXPECT_EQ(doc.GetRoom(a).m_nX, 4);
    EXPECT_EQ(doc.GetRoom(a).m_nY, 5);
    EXPECT_EQ(doc.GetRoom(b).m_nX, 5);
    EXPECT_EQ(doc.GetRoom(c).m_nX, 2);
    EXPECT_EQ(doc.GetRoom(d).m_nX, 4);
    EXPECT_EQ(doc.GetRoom(1).m_nX, 0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.FindRoomIdAt(4, 5, 0), a);
    EXPECT_EQ(doc.FindRoomIdAt(3, 5, 0), 0u);
}

TEST(Editing, ShiftRoomsNorthAndDownUseTheirAxis)
{
    CNewDoc doc;
    const RoomId a = AddRoomAt(doc, 0, -2);
    const RoomId b = AddRoomAt(doc, 9, -5);
    doc.ShiftRooms(a, DIR_N);
    EXPECT_EQ(doc.GetRoom(a).m_nY, -3);
    EXPECT_EQ(doc.GetRoom(b).m_nY, -6);
    EXPECT_EQ(doc.GetRoom(1).m_nY, 0);
    const RoomId low = AddRoomAt(doc, 0, 0, -1);
    doc.ShiftRooms(low, DIR_D);
    EXPECT_EQ(doc.GetRoom(low).m_nPlane, -2);
    EXPECT_EQ(doc.GetRoom(1).m_nPlane, 0);
    EXPECT_EQ(doc.m_nCurrentPlane, -2);
}

TEST(Editing, ShiftRoomsUpMovesPlanesAtOrAboveAndShowsTheNewPlane)
{
    CNewDoc doc;
    const RoomId below = AddRoomAt(doc, 0, 0, -1);
    const RoomId above = AddRoomAt(doc, 5, 5, 4);
    const LinkId link = Join(doc, 1, DIR_U, above, DIR_D);
    doc.ShiftRooms(1, DIR_U);
    EXPECT_EQ(doc.GetRoom(1).m_nPlane, 1);
    EXPECT_EQ(doc.GetRoom(above).m_nPlane, 5);
    EXPECT_EQ(doc.GetRoom(below).m_nPlane, -1);
    EXPECT_EQ(doc.m_nCurrentPlane, 1);
    EXPECT_EQ(doc.GetRoom(1).m_links[DIR_U], link);  // links are untouched
}

TEST(Editing, ShiftRoomsOfAnAbsentRoomDoesNothing)
{
    CNewDoc doc;
    AddRoomAt(doc, 4, 4);
    doc.ShiftRooms(99, DIR_E);
    doc.ShiftRooms(1, 12);
    EXPECT_EQ(doc.GetRoom(2).m_nX, 4);
    EXPECT_FALSE(doc.IsModified());
}

TEST(Editing, SetRoomRecursiveMarksAndSetsModified)
{
    CNewDoc doc;
    doc.SetRoomRecursive(1, true);
    EXPECT_TRUE(doc.GetRoom(1).m_bRecursive);
    EXPECT_TRUE(doc.IsModified());
}

TEST(Editing, IdsSkipNoneAndStoredIdsAfterAStrayIdNearTheTop)
{
    // A file holding ids at the very top of the range raises the counters
    // there; new rooms and links must then wrap past 0 and the stored ids.
    CNewDoc source;
    ASSERT_TRUE(source.Move(DIR_E));  // room 2, link 1
    CRoom top;
    top.m_nX = 50;
    top.m_nId = 0xFFFFFFFFu;
    source.SetRoom(top);
    for (LinkId id : {0xFFFFFFFEu, 0xFFFFFFFFu}) {
        CLink stray;
        stray.m_nId = id;
        stray.m_nFromRoom = 1;
        stray.m_nToRoom = 2;
        stray.m_nFromDir = DIR_NONE;
        stray.m_nToDir = DIR_NONE;
        source.SetLink(stray);
    }
    const std::vector<std::uint8_t> bytes = SaveMapBytes(source);
    CVorMapperDoc doc;
    std::string error;
    ASSERT_TRUE(LoadMapBytes(doc, bytes.data(), bytes.size(), error)) << error;
    ASSERT_EQ(doc.GetLastRoomId(), 0xFFFFFFFFu);
    ASSERT_EQ(doc.GetLastLinkId(), 0xFFFFFFFFu);

    doc.m_nCurrentRoom = 2;
    ASSERT_TRUE(doc.Move(DIR_E));
    ASSERT_TRUE(doc.Move(DIR_E));
    EXPECT_EQ(doc.GetRooms().size(), 5u);
    EXPECT_EQ(doc.GetLinks().size(), 5u);
    EXPECT_EQ(doc.GetRooms().Find(0), nullptr);
    EXPECT_EQ(doc.GetLinks().Find(0), nullptr);
    EXPECT_EQ(doc.GetRoom(1).m_links[DIR_E], 1u);  // room 1 and link 1 untouched
    EXPECT_EQ(doc.GetLink(1).m_nToRoom, 2u);
    EXPECT_EQ(doc.GetRoom(2).m_links[DIR_E], 2u);
    EXPECT_EQ(doc.GetLink(2).m_nToRoom, 3u);
    EXPECT_EQ(doc.GetLink(3).m_nToRoom, 4u);
    EXPECT_EQ(doc.m_nCurrentRoom, 4u);
    EXPECT_EQ(doc.GetRoom(4).m_nX, 3);

    // An id stored just above the counter is stepped over as well.
    CRoom five;
    five.m_nId = 5;
    five.m_nY = 7;
    doc.SetRoom(five);
    EXPECT_EQ(AddRoomAt(doc, 0, 8), 6u);
}
