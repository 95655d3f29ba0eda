// The direction picker's layout, hidden cells, selection and clicks.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "mapper/view/wind_rose.h"

namespace {
// The centre pixel of a cell.
int Mid(int cell) { return cell * kRoseCell + kRoseCell / 2; }
}  // namespace

TEST(WindRose, CellsFollowTheCompass)
{
    EXPECT_EQ(RoseCellDirection(0, 0), DIR_NW);
    EXPECT_EQ(RoseCellDirection(1, 0), DIR_N);
    EXPECT_EQ(RoseCellDirection(2, 0), DIR_NE);
    EXPECT_EQ(RoseCellDirection(3, 0), DIR_U);
    EXPECT_EQ(RoseCellDirection(0, 1), DIR_W);
    EXPECT_EQ(RoseCellDirection(1, 1), DIR_NONE);
    EXPECT_EQ(RoseCellDirection(2, 1), DIR_E);
    EXPECT_EQ(RoseCellDirection(3, 1), DIR_NONE);
    EXPECT_EQ(RoseCellDirection(0, 2), DIR_SW);
    EXPECT_EQ(RoseCellDirection(1, 2), DIR_S);
    EXPECT_EQ(RoseCellDirection(2, 2), DIR_SE);
    EXPECT_EQ(RoseCellDirection(3, 2), DIR_D);
    // Pixels: the first and last pixel of a cell, and outside the control.
    EXPECT_EQ(RoseDirectionAt(30, 0), DIR_N);
    EXPECT_EQ(RoseDirectionAt(59, 29), DIR_N);
    EXPECT_EQ(RoseDirectionAt(119, 89), DIR_D);
    EXPECT_EQ(RoseDirectionAt(120, 0), DIR_NONE);
    EXPECT_EQ(RoseDirectionAt(0, 90), DIR_NONE);
    EXPECT_EQ(RoseDirectionAt(-1, 5), DIR_NONE);
    EXPECT_EQ(kRoseWidth, 120);
    EXPECT_EQ(kRoseHeight, 90);
}

TEST(WindRose, CellsGrowWithTheScreenResolution)
{
    EXPECT_EQ(RoseCellAt(96), 30);
    EXPECT_EQ(RoseCellAt(120), 38);  // 37.5, rounded as the platform rounds
    EXPECT_EQ(RoseCellAt(144), 45);
    EXPECT_EQ(RoseCellAt(192), 60);
    // The first and last pixel of the scaled cells, and the edge of the control.
    EXPECT_EQ(RoseDirectionAt(44, 44, 45), DIR_NW);
    EXPECT_EQ(RoseDirectionAt(45, 0, 45), DIR_N);
    EXPECT_EQ(RoseDirectionAt(89, 44, 45), DIR_N);
    EXPECT_EQ(RoseDirectionAt(90, 45, 45), DIR_E);
    EXPECT_EQ(RoseDirectionAt(179, 134, 45), DIR_D);
    EXPECT_EQ(RoseDirectionAt(180, 0, 45), DIR_NONE);
    EXPECT_EQ(RoseDirectionAt(0, 135, 45), DIR_NONE);
    EXPECT_EQ(RoseDirectionAt(239, 179, 60), DIR_D);
    EXPECT_EQ(RoseDirectionAt(240, 179, 60), DIR_NONE);
    EXPECT_EQ(RoseDirectionAt(5, 5, 0), DIR_NONE);
    // A click at 144 dpi lands on the cell a 96-dpi click there would pick,
    // and a hidden direction takes no click at any size.
    CWindRoseState rose;
    std::array<int, kDirCount> hidden{};
    hidden[DIR_SE] = 1;
    rose.SetHidden(hidden);
    EXPECT_FALSE(rose.Click(2 * 45 + 22, 2 * 45 + 22, 45));
    EXPECT_TRUE(rose.Click(3 * 45 + 1, 45 * 2 + 44, 45));
    EXPECT_EQ(rose.GetSelected(), DIR_D);
    EXPECT_FALSE(rose.Click(3 * 45 + 1, 45 + 1, 45));  // the empty cell right of east
    EXPECT_EQ(rose.GetSelected(), DIR_D);
}

TEST(WindRose, ShortNames)
{
    const char* expected[kDirCount] = {"N", "S", "E", "W", "NE", "NW", "SE", "SW", "U", "D"};
    for (int d = 0; d < kDirCount; ++d)
        EXPECT_EQ(std::string(RoseShortName(d)), expected[d]);
    EXPECT_EQ(std::string(RoseShortName(DIR_NONE)), "");
    EXPECT_EQ(std::string(RoseShortName(10)), "");
}

TEST(WindRose, OnlyNorthShownTakesOnlyNorthClicks)
{
    CWindRoseState rose;
    std::array<int, kDirCount> hidden;
    hidden.fill(1);
    hidden[DIR_N] = 0;
    rose.SetHidden(hidden);
    for (int d = 0; d < kDirCount; ++d)
        EXPECT_EQ(rose.IsHidden(d), d != DIR_N) << d;
    EXPECT_FALSE(rose.Click(Mid(2), Mid(0)));  // northeast
    EXPECT_FALSE(rose.Click(Mid(3), Mid(2)));  // down
    EXPECT_EQ(rose.GetSelected(), DIR_NONE);
    EXPECT_TRUE(rose.Click(Mid(1), Mid(0)));
    EXPECT_EQ(rose.GetSelected(), DIR_N);
    // Clicking the selected direction again is a choice too.
    EXPECT_TRUE(rose.Click(Mid(1), Mid(0)));
}

TEST(WindRose, TheSelectedDirectionIsNeverHiddenAndStaysShownAfterwards)
{
    CWindRoseState rose;
    rose.SetSelected(DIR_NE);
    std::array<std::uint32_t, kDirCount> slots{};
    slots[DIR_NE] = 7;
    slots[DIR_S] = 9;
    rose.SetHidden(slots);
    EXPECT_FALSE(rose.IsHidden(DIR_NE));
    EXPECT_EQ(rose.GetSelected(), DIR_NE);
    EXPECT_TRUE(rose.IsHidden(DIR_S));
    // The user moves to east and may come back to northeast.
    EXPECT_TRUE(rose.Click(Mid(2), Mid(1)));
    EXPECT_EQ(rose.GetSelected(), DIR_E);
    EXPECT_TRUE(rose.Click(Mid(2), Mid(0)));
    EXPECT_EQ(rose.GetSelected(), DIR_NE);
}

TEST(WindRose, EmptyCellsChangeNothing)
{
    CWindRoseState rose;
    rose.SetSelected(DIR_W);
    EXPECT_FALSE(rose.Click(Mid(1), Mid(1)));  // centre
    EXPECT_FALSE(rose.Click(Mid(3), Mid(1)));  // right of east
    EXPECT_FALSE(rose.Click(200, 10));
    EXPECT_EQ(rose.GetSelected(), DIR_W);
}

TEST(WindRose, SelectingNoneOrNonsenseClears)
{
    CWindRoseState rose;
    rose.SetSelected(DIR_U);
    rose.SetSelected(DIR_NONE);
    EXPECT_EQ(rose.GetSelected(), DIR_NONE);
    rose.SetSelected(42);  // a direction read from a damaged file
    EXPECT_EQ(rose.GetSelected(), DIR_NONE);
    EXPECT_TRUE(rose.IsHidden(42));
}
