#include <gtest/gtest.h>

#include "mapper/model/records.h"

TEST(Direction, OppositesPairDiagonalsAcrossAndRejectOtherCodes)
{
    EXPECT_EQ(Opposite(DIR_N), DIR_S);
    EXPECT_EQ(Opposite(DIR_E), DIR_W);
    EXPECT_EQ(Opposite(DIR_NE), DIR_SW);
    EXPECT_EQ(Opposite(DIR_NW), DIR_SE);
    EXPECT_EQ(Opposite(DIR_U), DIR_D);
    EXPECT_EQ(Opposite(10), DIR_NONE);
    EXPECT_EQ(Opposite(-1), DIR_NONE);
    for (Direction d = 0; d < kDirCount; ++d) {
        const CDirectionInfo& a = DirectionInfo(d);
        const CDirectionInfo& b = DirectionInfo(Opposite(d));
        EXPECT_EQ(a.dx + b.dx, 0);
        EXPECT_EQ(a.dy + b.dy, 0);
        EXPECT_EQ(a.dplane + b.dplane, 0);
    }
    EXPECT_STREQ(DirectionInfo(DIR_SW).label, "SW");
}

TEST(Records, ResetKeepsTextsAndRestoresDefaults)
{
    CRoom room;
    room.m_info.m_strTitle = "Hall";
    room.m_info.m_crLabelBack = 5;
    room.m_info.m_hLabelRgn = CreatePolygonRegion({{0, 0}, {1, 0}, {1, 1}});
    room.m_links[3] = 9;
    room.m_nId = 4;
    room.m_crColor = 0x123456;
    room.Reset();
    EXPECT_EQ(room.m_info.m_strTitle, "Hall");
    EXPECT_EQ(room.m_info.m_crLabelBack, kColorNone);
    EXPECT_FALSE(room.m_info.m_hLabelRgn);
    EXPECT_EQ(room.m_links[3], 0u);
    EXPECT_EQ(room.m_nId, kIdUnassigned);
    EXPECT_EQ(room.m_crColor, kColorNone);
}

TEST(Records, IdSetterTakesEffectOnlyWhileUnassigned)
{
    CLink link;
    link.SetId(3);
    link.SetId(4);
    EXPECT_EQ(link.m_nId, 3u);
    link.Reset();
    EXPECT_EQ(link.m_nId, kIdUnassigned);
    EXPECT_EQ(link.m_nFromDir, 0);
}

TEST(Records, FillMissingKeepsPresentTextsAndTakesLabelOnlyWithItsPosition)
{
    CRoomInfo source;
    source.m_strTitle = "Source";
    source.m_strComments = "c";
    source.m_strLabel = "L";
    source.m_ptLabel = {5, 6};
    source.m_crLabelText = 0xFF;
    CRoomInfo info;
    info.m_strTitle = "Mine";
    info.m_ptLabel = {1, 1};
    info.FillMissing(source);
    EXPECT_EQ(info.m_strTitle, "Mine");
    EXPECT_EQ(info.m_strComments, "c");
    EXPECT_EQ(info.m_strLabel, "L");
    EXPECT_EQ(info.m_ptLabel, (CPoint{5, 6}));
    EXPECT_EQ(info.m_crLabelText, 0u);

    CRoomInfo labelled;
    labelled.m_strLabel = "Own";
    labelled.m_ptLabel = {1, 1};
    labelled.FillMissing(source);
    EXPECT_EQ(labelled.m_ptLabel, (CPoint{1, 1}));
}

TEST(Records, WouldFillTellsExactlyWhetherFillMissingChangesTheTexts)
{
    // Every mix of empty and present texts on both sides, labels at the same
    // or another place.
    for (int bits = 0; bits < 256; ++bits) {
        CRoomInfo mine, source;
        mine.m_strTitle = bits & 1 ? "t" : "";
        mine.m_strComments = bits & 2 ? "c" : "";
        mine.m_strLabel = bits & 4 ? "l" : "";
        source.m_strTitle = bits & 8 ? "T" : "";
        source.m_strComments = bits & 16 ? "C" : "";
        source.m_strLabel = bits & 32 ? "L" : "";
        mine.m_ptLabel = {1, 2};
        source.m_ptLabel = bits & 64 ? CPoint{1, 2} : CPoint{3, 4};
        CRoomInfo filled = mine;
        filled.FillMissing(source);
        const bool changed = !(filled.m_strTitle == mine.m_strTitle) || !(filled.m_strComments == mine.m_strComments) ||
                             !(filled.m_strLabel == mine.m_strLabel) || filled.m_ptLabel != mine.m_ptLabel;
        EXPECT_EQ(mine.WouldFill(source), changed) << "case " << bits;
    }
}

TEST(Region, EvenOddTestOnATriangleAndAStar)
{
    CRegion triangle({{0, 0}, {10, 0}, {0, 10}});
    EXPECT_TRUE(triangle.Contains({1, 1}));
    EXPECT_FALSE(triangle.Contains({8, 8}));
    EXPECT_FALSE(triangle.Contains({-1, 1}));
    // A self-crossing pentagram: the centre is covered twice, so even-odd leaves it out.
    CRegion star({{50, 0}, {79, 90}, {2, 35}, {97, 35}, {21, 90}});
    EXPECT_FALSE(star.Contains({50, 50}));
    EXPECT_TRUE(star.Contains({50, 10}));
    // Coordinates near the 32-bit limits do not overflow the test.
    CRegion huge({{-2147483647, -2147483647}, {2147483647, -2147483647}, {2147483647, 2147483647}});
    EXPECT_TRUE(huge.Contains({2147483000, 0}));
    EXPECT_FALSE(huge.Contains({-2147483000, 0}));
    EXPECT_FALSE(CRegion({}).Contains({0, 0}));
}
