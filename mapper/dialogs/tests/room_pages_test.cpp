// The room sheet's decisions: the General page's OK and what the Links page shows.
#include <gtest/gtest.h>

#include <string>

#include "mapper/dialogs/room_pages.h"
#include "mapper/dialogs/tests/dialog_test_support.h"
#include "mapper/model/history.h"

TEST(RoomGeneral, OkStoresTextsAndColoursAndPlacesANewLabel)
{
    CHallMap doc;
    CRoom hall = doc.GetRoom(1);
    hall.m_ptSquare = CPoint{7, 33};
    doc.SetRoom(hall);
    CRoomGeneralValues v = GeneralValuesOf(hall);
    EXPECT_EQ(v.strTitle, "Hall");
    EXPECT_EQ(v.crColor, kColorNone);
    v.strTitle = "Great hall";
    v.strLabel = "Entrance";
    v.crColor = 0x0000FFu;
    v.crLabelText = 0x00FF00u;
    v.crLabelBack = 0xFF0000u;
    ASSERT_TRUE(ApplyRoomGeneral(doc, 1, v));
    const CRoom r = doc.GetRoom(1);
    EXPECT_EQ(r.m_info.m_strTitle, "Great hall");
    EXPECT_EQ(r.m_info.m_strLabel, "Entrance");
    EXPECT_EQ(r.m_info.m_ptLabel, (CPoint{57, -17}));
    EXPECT_EQ(r.m_crColor, 0x0000FFu);
    EXPECT_EQ(r.m_info.m_crLabelText, 0x00FF00u);
    EXPECT_EQ(r.m_info.m_crLabelBack, 0xFF0000u);
    EXPECT_TRUE(doc.IsModified());
}

TEST(RoomGeneral, AStoredLabelKeepsItsPlaceAnEmptyOneIsPlacedAnyway)
{
    CHallMap doc;
    CRoom hall = doc.GetRoom(1);
    hall.m_ptSquare = CPoint{100, 100};
    hall.m_info.m_strLabel = "Old";
    hall.m_info.m_ptLabel = CPoint{3, 4};
    doc.SetRoom(hall);
    CRoomGeneralValues v = GeneralValuesOf(hall);
    v.strLabel = "New";
    ASSERT_TRUE(ApplyRoomGeneral(doc, 1, v));
    EXPECT_EQ(doc.GetRoom(1).m_info.m_ptLabel, (CPoint{3, 4}));

    CRoom kitchen = doc.GetRoom(doc.kitchen);
    kitchen.m_ptSquare = CPoint{20, 20};
    doc.SetRoom(kitchen);
    ASSERT_TRUE(ApplyRoomGeneral(doc, doc.kitchen, GeneralValuesOf(kitchen)));  // still no label
    EXPECT_EQ(doc.GetRoom(doc.kitchen).m_info.m_ptLabel, (CPoint{70, -30}));
}

TEST(RoomGeneral, OkKeepsLinkChangesMadeMeanwhile)
{
    CHallMap doc;
    const CRoomGeneralValues v = GeneralValuesOf(doc.GetRoom(1));  // taken before the delete
    doc.DeleteLink(doc.north);
    ASSERT_TRUE(ApplyRoomGeneral(doc, 1, v));
    EXPECT_EQ(doc.GetRoom(1).m_links[DIR_N], 0u);
    EXPECT_EQ(doc.GetRoom(1).m_links[DIR_W], doc.west);
}

TEST(RoomComments, OkStoresTheTextAndMarksModifiedOnlyWhenItChanged)
{
    CHallMap doc;
    CRoom room = doc.GetRoom(1);
    room.m_info.m_strComments = "old";
    doc.SetRoom(room);
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(ApplyRoomComments(doc, 1, "old"));
    EXPECT_FALSE(doc.IsModified());
    doc.DeleteLink(doc.north);  // a change made meanwhile on the Links page stays
    ASSERT_TRUE(ApplyRoomComments(doc, 1, "line one\r\nline two"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetRoom(1).m_info.m_strComments, "line one\r\nline two");
    EXPECT_EQ(doc.GetRoom(1).m_links[DIR_N], 0u);
    EXPECT_EQ(doc.GetRoom(1).m_info.m_strTitle, room.m_info.m_strTitle);
    ASSERT_TRUE(ApplyRoomComments(doc, 1, ""));
    EXPECT_TRUE(doc.GetRoom(1).m_info.m_strComments.empty());

    doc.SetModifiedFlag(false);
    const std::size_t rooms = doc.GetRooms().size();
    EXPECT_FALSE(ApplyRoomComments(doc, 55, "x"));
    EXPECT_EQ(doc.GetRooms().size(), rooms);
    EXPECT_FALSE(doc.IsModified());
}

TEST(RoomGeneral, ARoomThatIsGoneIsNotStored)
{
    CHallMap doc;
    const std::size_t rooms = doc.GetRooms().size();
    EXPECT_FALSE(ApplyRoomGeneral(doc, 55, CRoomGeneralValues{}));
    EXPECT_EQ(doc.GetRooms().size(), rooms);
    EXPECT_FALSE(doc.IsModified());
}

TEST(RoomLinks, HiddenAreTheDirectionsWithoutALink)
{
    CHallMap doc;
    const auto hidden = HiddenWithoutLinks(doc.GetRoom(1));
    for (Direction d = 0; d < kDirCount; ++d)
        EXPECT_EQ(hidden[d], (d == DIR_N || d == DIR_W) ? 0 : 1) << d;
}

TEST(RoomLinks, TheOtherEndIsShownFromEitherSide)
{
    CHallMap doc;
    CShownLink s = ShownLinkAt(doc, doc.GetRoom(1), DIR_N);
    EXPECT_EQ(s.nLink, doc.north);
    EXPECT_EQ(s.strTitle, "Title: Kitchen");
    EXPECT_EQ(s.strDirection, "Direction: south");
    EXPECT_EQ(s.nAtRoom, DIR_N);
    s = ShownLinkAt(doc, doc.GetRoom(doc.cellar), DIR_E);  // the link's second room
    EXPECT_EQ(s.strTitle, "Title: Hall");
    EXPECT_EQ(s.strDirection, "Direction: west");
    EXPECT_EQ(s.nAtRoom, DIR_E);
}

TEST(RoomLinks, ALoopShowsItsSecondDirection)
{
    CHallMap doc;
    const LinkId loop = Join(doc, doc.kitchen, DIR_NE, doc.kitchen, DIR_SW);
    const CRoom k = doc.GetRoom(doc.kitchen);
    CShownLink s = ShownLinkAt(doc, k, DIR_NE);
    EXPECT_EQ(s.nLink, loop);
    EXPECT_EQ(s.strTitle, "Title: Kitchen");
    EXPECT_EQ(s.strDirection, "Direction: south-west");
    s = ShownLinkAt(doc, k, DIR_SW);
    EXPECT_EQ(s.strDirection, "Direction: south-west");
    EXPECT_EQ(SlotOfLink(k, loop), DIR_NE);
}

TEST(RoomLinks, EmptyOrDanglingSlotsShowNothing)
{
    CHallMap doc;
    CShownLink s = ShownLinkAt(doc, doc.GetRoom(1), DIR_U);
    EXPECT_EQ(s.nLink, 0u);
    EXPECT_EQ(s.strTitle, "Title:");
    EXPECT_EQ(s.strDirection, "Direction:");
    CRoom hall = doc.GetRoom(1);
    hall.m_links[DIR_D] = 4242;  // names no link
    s = ShownLinkAt(doc, hall, DIR_D);
    EXPECT_EQ(s.nLink, 0u);
    EXPECT_EQ(SlotOfLink(hall, 0), DIR_NONE);
    EXPECT_EQ(SlotOfLink(hall, doc.west), DIR_W);
}

TEST(RoomLinks, ALinkToARoomThatIsGoneShowsAnEmptyTitle)
{
    CHallMap doc;
    CLink l = doc.GetLink(doc.north);
    l.m_nToRoom = 999;
    doc.SetLink(l);
    const CShownLink s = ShownLinkAt(doc, doc.GetRoom(1), DIR_N);
    EXPECT_EQ(s.nLink, doc.north);
    EXPECT_EQ(s.strTitle, "Title: ");
}

TEST(RoomLinks, DirectionNames)
{
    const char* expected[kDirCount] = {"north",      "south",      "east",       "west", "north-east",
                                       "north-west", "south-east", "south-west", "up",   "down"};
    for (Direction d = 0; d < kDirCount; ++d)
        EXPECT_EQ(std::string(LinksPageDirectionName(d)), expected[d]);
    EXPECT_EQ(std::string(LinksPageDirectionName(-1)), "");
}

TEST(RoomSheetOk, GeneralAndCommentsOfOneSheetAreOneUndoStep)
{
    CHallMap doc;
    CMapHistory history(doc);
    const std::uint64_t sheet = CMapStep::NewMergeKey();
    CRoomGeneralValues v = GeneralValuesOf(doc.GetRoom(1));
    v.strTitle = "Great hall";
    ASSERT_TRUE(ApplyRoomGeneral(doc, 1, v, sheet));
    ASSERT_TRUE(ApplyRoomComments(doc, 1, "dusty", sheet));
    EXPECT_EQ(history.UndoCount(), 1u);
    EXPECT_EQ(history.UndoName(), "Room properties");
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(doc.GetRoom(1).m_info.m_strTitle, "Hall");
    EXPECT_TRUE(doc.GetRoom(1).m_info.m_strComments.empty());
    EXPECT_FALSE(history.CanUndo());

    // A later sheet is a step of its own, even with only its comments changed.
    ASSERT_TRUE(history.Redo());
    ASSERT_TRUE(ApplyRoomComments(doc, 1, "swept", CMapStep::NewMergeKey()));
    EXPECT_EQ(history.UndoCount(), 2u);
    EXPECT_EQ(history.UndoName(), "Room properties");
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(doc.GetRoom(1).m_info.m_strComments, "dusty");
}
