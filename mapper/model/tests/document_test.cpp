#include <gtest/gtest.h>

#include "mapper/model/tests/test_support.h"

TEST(Document, StateAfterNew)
{
    CVorMapperDoc doc;
    doc.m_bOnline = true;
    doc.m_strFollowName = "Bob";
    doc.m_bTrace = false;
    CHintRecorder views(doc);
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_EQ(doc.GetRooms().size(), 1u);
    const CRoom room = doc.GetRoom(1);
    EXPECT_EQ(room.m_nId, 1u);
    EXPECT_EQ(room.m_nX, 0);
    EXPECT_EQ(room.m_nY, 0);
    EXPECT_EQ(room.m_nPlane, 0);
    EXPECT_EQ(doc.m_nCurrentRoom, 1u);
    EXPECT_EQ(doc.m_nCurrentPlane, 0);
    EXPECT_EQ(doc.m_dZoom, 1.0);
    EXPECT_EQ(doc.m_dRotation, 0.0);
    EXPECT_EQ(doc.m_nOriginX, 200);
    EXPECT_EQ(doc.m_nOriginY, 200);
    EXPECT_TRUE(doc.m_bTrace);
    EXPECT_TRUE(doc.m_bAutoShift);
    EXPECT_FALSE(doc.m_bFollow);
    EXPECT_EQ(doc.GetLastRoomId(), 1u);
    EXPECT_EQ(doc.GetLastLinkId(), 0u);
    EXPECT_TRUE(doc.GetPlaneNames().empty());
    EXPECT_TRUE(doc.GetLinks().empty());
    EXPECT_FALSE(doc.IsModified());
    // Online state and the followed name survive New.
    EXPECT_TRUE(doc.m_bOnline);
    EXPECT_EQ(doc.GetFollowName(), "Bob");
    EXPECT_EQ(views.hints, (std::vector<long>{HINT_PLANE_CHANGED}));
}

TEST(Document, LookupOfAbsentIdsGivesDefaultsAndLeavesTheTargetAlone)
{
    CNewDoc doc;
    EXPECT_EQ(doc.GetRoom(42).m_nId, kIdUnassigned);
    EXPECT_EQ(doc.GetLink(42).m_nId, kIdUnassigned);
    CRoom room;
    room.m_info.m_strTitle = "untouched";
    EXPECT_FALSE(doc.LookupRoom(42, room));
    EXPECT_EQ(room.m_info.m_strTitle, "untouched");
    EXPECT_TRUE(doc.LookupRoom(1, room));
    EXPECT_EQ(room.m_nId, 1u);
}

TEST(Document, StoredRecordsChangeOnlyWhenStoredBack)
{
    CNewDoc doc;
    CRoom copy = doc.GetRoom(1);
    copy.m_info.m_strTitle = "Hall";
    EXPECT_EQ(doc.GetRoom(1).m_info.m_strTitle, "");
    EXPECT_EQ(doc.SetRoom(copy), 1u);
    EXPECT_EQ(doc.GetRoom(1).m_info.m_strTitle, "Hall");
    EXPECT_FALSE(doc.IsModified());
}

TEST(Document, FindRoomAtReturnsTheFirstInContainerOrderAndFollowsMovedRooms)
{
    CNewDoc doc;
    // Ids 2 and 18 share the cell; id 18 is in bucket 1, id 2 in bucket 0, so 2 comes first.
    for (int i = 2; i <= 18; ++i)
        AddRoomAt(doc, i == 2 || i == 18 ? 5 : 100 + i, 5);
    EXPECT_EQ(doc.FindRoomIdAt(5, 5, 0), 2u);
    // Two rooms of one bucket: the newer stands first.
    AddRoomAt(doc, 5, 5);  // id 19, bucket 1, newer than 18
    EXPECT_EQ(doc.FindRoomIdAt(5, 5, 0), 2u);
    CRoom moved = doc.GetRoom(2);
    moved.m_nX = 6;
    doc.SetRoom(moved);
    EXPECT_EQ(doc.FindRoomIdAt(5, 5, 0), 19u);
    EXPECT_EQ(doc.FindRoomIdAt(6, 5, 0), 2u);
    EXPECT_EQ(doc.FindRoomIdAt(5, 5, 1), 0u);
    CRoom found;
    EXPECT_TRUE(doc.FindRoomAt(6, 5, 0, found));
    EXPECT_EQ(found.m_nId, 2u);
    ASSERT_TRUE(doc.DeleteRoom(19));
    EXPECT_EQ(doc.FindRoomIdAt(5, 5, 0), 18u);
}

TEST(Document, HasFreeExitIsFalseOnlyWhenAllTenSlotsAreTaken)
{
    CNewDoc doc;
    CRoom room = doc.GetRoom(1);
    room.m_links.fill(3);
    doc.SetRoom(room);
    EXPECT_FALSE(doc.HasFreeExit(1));
    room.m_links[9] = 0;
    doc.SetRoom(room);
    EXPECT_TRUE(doc.HasFreeExit(1));
}

TEST(Document, HitTestsLookOnlyAtTheCurrentPlaneAndAtDrawnRecords)
{
    CNewDoc doc;
    const RoomId upper = AddRoomAt(doc, 0, 0, 1);
    doc.SetRoomHitData(upper, {7, 7}, {5, 5, 21, 21});
    EXPECT_EQ(doc.RoomAtPoint({10, 10}), 0u);  // room 1 never drawn, room 2 on plane 1
    doc.SetRoomHitData(1, {7, 7}, {5, 5, 21, 21});
    EXPECT_EQ(doc.RoomAtPoint({10, 10}), 1u);
    EXPECT_EQ(doc.RoomAtPoint({5, 5}), 1u);
    EXPECT_EQ(doc.RoomAtPoint({21, 10}), 0u);  // right edge exclusive
    doc.m_nCurrentPlane = 1;
    EXPECT_EQ(doc.RoomAtPoint({10, 10}), upper);

    doc.m_nCurrentPlane = 0;
    doc.SetRoomLabelRegion(1, CreatePolygonRegion({{40, 40}, {60, 40}, {60, 50}, {40, 50}}));
    EXPECT_EQ(doc.RoomLabelAtPoint({45, 45}), 1u);
    EXPECT_EQ(doc.RoomLabelAtPoint({45, 55}), 0u);

    const LinkId link = Join(doc, 1, DIR_E, upper, DIR_W);
    EXPECT_EQ(doc.LinkAtPoint({100, 100}), 0u);  // not drawn yet
    doc.SetLinkRegion(link, CreatePolygonRegion({{90, 90}, {110, 90}, {110, 110}, {90, 110}}));
    EXPECT_EQ(doc.LinkAtPoint({100, 100}), link);
    doc.m_nCurrentPlane = 5;  // neither end on view
    EXPECT_EQ(doc.LinkAtPoint({100, 100}), 0u);

    doc.m_nCurrentPlane = 0;
    doc.ReleaseRegions();
    EXPECT_EQ(doc.LinkAtPoint({100, 100}), 0u);
    EXPECT_EQ(doc.RoomLabelAtPoint({45, 45}), 0u);
}

TEST(Document, RegionsHeldByCopiesStayValidAfterTheStoredOnesAreReleased)
{
    CNewDoc doc;
    doc.SetRoomLabelRegion(1, CreatePolygonRegion({{0, 0}, {4, 0}, {4, 4}}));
    const CRoom copy = doc.GetRoom(1);
    doc.ReleaseRegions();
    ASSERT_TRUE(copy.m_info.m_hLabelRgn);
    EXPECT_TRUE(copy.m_info.m_hLabelRgn->Contains({3, 1}));
}

TEST(Document, PlaneNames)
{
    CNewDoc doc;
    EXPECT_EQ(doc.GetPlaneName(-3), "Plane -3");
    EXPECT_EQ(doc.GetPlaneName(7), "Plane 7");
    doc.SetPlaneName(-3, "Cellar");
    EXPECT_EQ(doc.GetPlaneName(-3), "Cellar");
    doc.SetPlaneName(-3, "");
    EXPECT_EQ(doc.GetPlaneName(-3), "");
    EXPECT_EQ(doc.GetPlaneNames().size(), 1u);
}

TEST(Document, ModeStateUpdatesViewsAndKeepsTheFollowedName)
{
    CNewDoc doc;
    CHintRecorder views(doc);
    doc.SetFollow("Ann");
    EXPECT_FALSE(doc.IsFollowingOnline());
    doc.SetOnline(true);
    EXPECT_TRUE(doc.IsFollowingOnline());
    doc.ClearFollow();
    EXPECT_FALSE(doc.IsFollowingOnline());
    EXPECT_EQ(doc.GetFollowName(), "Ann");
    EXPECT_TRUE(doc.IsOnline());
    EXPECT_EQ(views.hints, (std::vector<long>{0, 0, 0}));
}
