// What the link dialog shows at opening and stores on OK.
#include <gtest/gtest.h>

#include "mapper/dialogs/link_directions.h"
#include "mapper/dialogs/tests/dialog_test_support.h"

TEST(LinkDirections, OpeningShowsBothEndsAndTheirOccupiedDirections)
{
    CHallMap doc;
    CLinkDirections dlg;
    ASSERT_TRUE(dlg.Init(doc, doc.north));
    const CLinkEndView from = dlg.FromEnd(doc);
    EXPECT_TRUE(from.bShown);
    EXPECT_EQ(from.strText, "From room: Hall");
    EXPECT_EQ(from.nSelected, DIR_N);
    EXPECT_NE(from.hidden[DIR_W], 0u);  // the Cellar link
    EXPECT_EQ(from.hidden[DIR_E], 0u);
    const CLinkEndView to = dlg.ToEnd(doc);
    EXPECT_EQ(to.strText, "To room: Kitchen");
    EXPECT_EQ(to.nSelected, DIR_S);
}

TEST(LinkDirections, MovingTheStartEmptiesTheOldSlotOnly)
{
    CHallMap doc;
    CLinkDirections dlg;
    ASSERT_TRUE(dlg.Init(doc, doc.north));
    EXPECT_EQ(dlg.Apply(doc, DIR_E, DIR_S), CLinkDirections::STORED);
    const CRoom hall = doc.GetRoom(1);
    EXPECT_EQ(hall.m_links[DIR_N], 0u);
    EXPECT_EQ(hall.m_links[DIR_E], doc.north);
    EXPECT_EQ(hall.m_links[DIR_W], doc.west);
    const CRoom kitchen = doc.GetRoom(doc.kitchen);
    EXPECT_EQ(kitchen.m_links[DIR_S], doc.north);
    const CLink link = doc.GetLink(doc.north);
    EXPECT_EQ(link.m_nFromDir, DIR_E);
    EXPECT_EQ(link.m_nToDir, DIR_S);
    EXPECT_FALSE(doc.IsModified());  // the callers mark the document
}

TEST(LinkDirections, OkWithoutBothDirectionsChangesNothing)
{
    CHallMap doc;
    CLinkDirections dlg;
    ASSERT_TRUE(dlg.Init(doc, doc.north));
    EXPECT_EQ(dlg.Apply(doc, DIR_E, DIR_NONE), CLinkDirections::NEED_BOTH);
    EXPECT_EQ(dlg.Apply(doc, DIR_NONE, DIR_U), CLinkDirections::NEED_BOTH);
    EXPECT_EQ(doc.GetRoom(1).m_links[DIR_N], doc.north);
    EXPECT_EQ(doc.GetRoom(1).m_links[DIR_E], 0u);
    EXPECT_EQ(doc.GetLink(doc.north).m_nFromDir, DIR_N);
    // Refused as often as asked, then taken.
    EXPECT_EQ(dlg.Apply(doc, DIR_NE, DIR_SW), CLinkDirections::STORED);
    EXPECT_EQ(doc.GetRoom(doc.kitchen).m_links[DIR_SW], doc.north);
    EXPECT_EQ(doc.GetRoom(doc.kitchen).m_links[DIR_S], 0u);
}

TEST(LinkDirections, ANewLinkOpensWithoutSelectionsAndEntersBothRooms)
{
    CHallMap doc;
    CLink fresh;
    fresh.m_nFromRoom = doc.kitchen;
    fresh.m_nToRoom = doc.cellar;
    fresh.m_nFromDir = DIR_NONE;
    fresh.m_nToDir = DIR_NONE;
    const LinkId id = doc.AddLink(fresh);
    CLinkDirections dlg;
    ASSERT_TRUE(dlg.Init(doc, id));
    EXPECT_EQ(dlg.FromEnd(doc).nSelected, DIR_NONE);
    EXPECT_NE(dlg.FromEnd(doc).hidden[DIR_S], 0u);
    EXPECT_EQ(dlg.ToEnd(doc).nSelected, DIR_NONE);
    EXPECT_NE(dlg.ToEnd(doc).hidden[DIR_E], 0u);
    ASSERT_EQ(dlg.Apply(doc, DIR_D, DIR_U), CLinkDirections::STORED);
    EXPECT_EQ(doc.GetRoom(doc.kitchen).m_links[DIR_D], id);
    EXPECT_EQ(doc.GetRoom(doc.cellar).m_links[DIR_U], id);
    EXPECT_EQ(doc.GetRoom(doc.cellar).m_links[DIR_E], doc.west);
}

TEST(LinkDirections, ALinkFromARoomToItself)
{
    CHallMap doc;
    const LinkId loop = Join(doc, doc.kitchen, DIR_E, doc.kitchen, DIR_W);
    CLinkDirections dlg;
    ASSERT_TRUE(dlg.Init(doc, loop));
    EXPECT_EQ(dlg.FromEnd(doc).strText, "From room: Kitchen");
    EXPECT_EQ(dlg.ToEnd(doc).strText, "To room: Kitchen");
    EXPECT_EQ(dlg.FromEnd(doc).hidden, dlg.ToEnd(doc).hidden);
    ASSERT_EQ(dlg.Apply(doc, DIR_U, DIR_D), CLinkDirections::STORED);
    CRoom k = doc.GetRoom(doc.kitchen);
    EXPECT_EQ(k.m_links[DIR_U], loop);
    EXPECT_EQ(k.m_links[DIR_D], loop);
    EXPECT_EQ(k.m_links[DIR_E], 0u);
    EXPECT_EQ(k.m_links[DIR_W], 0u);
    EXPECT_EQ(k.m_links[DIR_S], doc.north);
}

TEST(LinkDirections, ALoopWithItsEndsSwappedKeepsBothSlots)
{
    CHallMap doc;
    const LinkId loop = Join(doc, doc.kitchen, DIR_E, doc.kitchen, DIR_W);
    CLinkDirections dlg;
    ASSERT_TRUE(dlg.Init(doc, loop));
    ASSERT_EQ(dlg.Apply(doc, DIR_W, DIR_E), CLinkDirections::STORED);
    CRoom k = doc.GetRoom(doc.kitchen);
    EXPECT_EQ(k.m_links[DIR_E], loop);
    EXPECT_EQ(k.m_links[DIR_W], loop);
    // One end kept, the other moved.
    CLinkDirections again;
    ASSERT_TRUE(again.Init(doc, loop));
    ASSERT_EQ(again.Apply(doc, DIR_W, DIR_NE), CLinkDirections::STORED);
    k = doc.GetRoom(doc.kitchen);
    EXPECT_EQ(k.m_links[DIR_W], loop);
    EXPECT_EQ(k.m_links[DIR_NE], loop);
    EXPECT_EQ(k.m_links[DIR_E], 0u);
}

TEST(LinkDirections, RoomsThatAreGoneAreNotCreated)
{
    CHallMap doc;
    CLink orphan;
    orphan.m_nFromRoom = 1;
    orphan.m_nToRoom = 77;  // never existed
    orphan.m_nFromDir = DIR_NONE;
    orphan.m_nToDir = DIR_NONE;
    const LinkId id = doc.AddLink(orphan);
    CLinkDirections dlg;
    ASSERT_TRUE(dlg.Init(doc, id));
    EXPECT_EQ(dlg.ToEnd(doc).strText, "To room: ");
    const std::size_t rooms = doc.GetRooms().size();
    ASSERT_EQ(dlg.Apply(doc, DIR_SE, DIR_N), CLinkDirections::STORED);
    EXPECT_EQ(doc.GetRooms().size(), rooms);
    CRoom none;
    EXPECT_FALSE(doc.LookupRoom(77, none));
    EXPECT_FALSE(doc.LookupRoom(kIdUnassigned, none));
    EXPECT_EQ(doc.GetRoom(1).m_links[DIR_SE], id);
    EXPECT_EQ(doc.GetLink(id).m_nToDir, DIR_N);
}

TEST(LinkDirections, ALinkThatIsGoneStoresNothing)
{
    CHallMap doc;
    CLinkDirections dlg;
    EXPECT_FALSE(dlg.Init(doc, 99));
    EXPECT_FALSE(dlg.FromEnd(doc).bShown);
    EXPECT_EQ(dlg.Apply(doc, DIR_E, DIR_W), CLinkDirections::NO_LINK);
    EXPECT_EQ(doc.GetLinks().size(), 2u);
    EXPECT_EQ(doc.GetRoom(1).m_links[DIR_E], 0u);
}

TEST(LinkDirections, AFullRoomHidesEveryDirectionButTheLinksOwn)
{
    CHallMap doc;
    for (Direction d = 0; d < kDirCount; ++d)
        if (doc.GetRoom(1).m_links[d] == 0)
            Join(doc, 1, d, AddRoomAt(doc, 5 + d, 5), Opposite(d));
    CLinkDirections dlg;
    ASSERT_TRUE(dlg.Init(doc, doc.north));
    const CLinkEndView from = dlg.FromEnd(doc);
    for (Direction d = 0; d < kDirCount; ++d)
        EXPECT_NE(from.hidden[d], 0u) << d;  // the rose keeps the selected north shown
    EXPECT_EQ(from.nSelected, DIR_N);
}

TEST(LinkDirections, DirectionsOutOfRangeAreNoDirections)
{
    CHallMap doc;
    CLink odd = doc.GetLink(doc.north);
    odd.m_nFromDir = 12;  // as a damaged file may hold
    doc.SetLink(odd);
    CLinkDirections dlg;
    ASSERT_TRUE(dlg.Init(doc, doc.north));
    EXPECT_EQ(dlg.FromEnd(doc).nSelected, DIR_NONE);
    ASSERT_EQ(dlg.Apply(doc, DIR_E, DIR_S), CLinkDirections::STORED);
    EXPECT_EQ(doc.GetRoom(1).m_links[DIR_E], doc.north);
}
