#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "vorh/snapping.h"

using vorh::DockSide;
using vorh::Point;
using vorh::Rect;
using vorh::SnapState;
using vorh::SnapToDockingRects;

namespace {

struct Snap {
    Rect r;
    SnapState state;
};

// A 300 x 200 window snapped for pointer p.
Snap SnapAt(Point p, const std::vector<Rect>& rects, Rect r = {0, 0, 300, 200}, SnapState state = {})
{
    SnapToDockingRects(r, p, rects, state);
    return {r, state};
}

const Rect kDock{200, 150, 1000, 751};  // 800 x 601: halfW 400, halfH 300

}  // namespace

TEST(Snapping, EachSideTakesTheWholeEdge)
{
    Snap top = SnapAt({500, 160}, {kDock});
    EXPECT_EQ(top.state.m_nSide, DockSide::Top);
    EXPECT_EQ(top.state.m_nIndex, 1);
    EXPECT_EQ(top.r, (Rect{200, 150, 1000, 350}));

    Snap bottom = SnapAt({500, 721}, {kDock});
    EXPECT_EQ(bottom.state.m_nSide, DockSide::Bottom);
    EXPECT_EQ(bottom.r, (Rect{200, 551, 1000, 751}));

    Snap left = SnapAt({210, 400}, {kDock});
    EXPECT_EQ(left.state.m_nSide, DockSide::Left);
    EXPECT_EQ(left.r, (Rect{200, 150, 500, 751}));

    Snap right = SnapAt({970, 400}, {kDock});
    EXPECT_EQ(right.state.m_nSide, DockSide::Right);
    EXPECT_EQ(right.r, (Rect{700, 150, 1000, 751}));
}

TEST(Snapping, DepthIsAtMostHalfTheDockingRectangle)
{
    const Rect dock{0, 0, 500, 400};
    EXPECT_EQ(SnapAt({100, 5}, {dock}, {0, 0, 100, 300}).r, (Rect{0, 0, 500, 200}));
    EXPECT_EQ(SnapAt({100, 5}, {dock}, {0, 0, 100, 150}).r, (Rect{0, 0, 500, 150}));
    const Rect odd{0, 0, 501, 401};
    EXPECT_EQ(SnapAt({100, 5}, {odd}, {0, 0, 100, 300}).r, (Rect{0, 0, 501, 200}));
    EXPECT_EQ(SnapAt({5, 100}, {odd}, {0, 0, 400, 30}).r, (Rect{0, 0, 250, 401}));
    EXPECT_EQ(SnapAt({480, 100}, {odd}, {0, 0, 100, 30}).r, (Rect{401, 0, 501, 401}));
}

TEST(Snapping, OverlapsAreDecidedByStripOrderThenListOrder)
{
    // Top-left corner lies in the top and the left strip: top wins.
    EXPECT_EQ(SnapAt({205, 155}, {kDock}).state.m_nSide, DockSide::Top);
    // Bottom-right corner: bottom before right.
    EXPECT_EQ(SnapAt({990, 740}, {kDock}).state.m_nSide, DockSide::Bottom);
    // Two overlapping rectangles: the earlier one wins, whatever its strip.
    const Rect other{150, 100, 950, 700};
    Snap s = SnapAt({210, 680}, {other, kDock});  // also in the left strip of kDock
    EXPECT_EQ(s.state.m_nIndex, 1);
    EXPECT_EQ(s.state.m_nSide, DockSide::Bottom);
    EXPECT_EQ(SnapAt({210, 680}, {kDock, other}).state.m_nSide, DockSide::Left);
    EXPECT_EQ(SnapAt({500, 740}, {other, kDock}).state.m_nIndex, 2);
}

TEST(Snapping, StripEdges)
{
    // Top and left strips are 20 deep, bottom and right 40, far edges excluded.
    EXPECT_EQ(SnapAt({500, 169}, {kDock}).state.m_nSide, DockSide::Top);
    EXPECT_EQ(SnapAt({500, 170}, {kDock}).state.m_nSide, DockSide::None);
    EXPECT_EQ(SnapAt({500, 180}, {kDock}).state.m_nSide, DockSide::None);  // 30 below the top
    EXPECT_EQ(SnapAt({500, 711}, {kDock}).state.m_nSide, DockSide::Bottom);
    EXPECT_EQ(SnapAt({500, 710}, {kDock}).state.m_nSide, DockSide::None);
    EXPECT_EQ(SnapAt({500, 751}, {kDock}).state.m_nSide, DockSide::None);
    EXPECT_EQ(SnapAt({219, 400}, {kDock}).state.m_nSide, DockSide::Left);
    EXPECT_EQ(SnapAt({220, 400}, {kDock}).state.m_nSide, DockSide::None);
    EXPECT_EQ(SnapAt({960, 400}, {kDock}).state.m_nSide, DockSide::Right);
    EXPECT_EQ(SnapAt({959, 400}, {kDock}).state.m_nSide, DockSide::None);
    EXPECT_EQ(SnapAt({1000, 400}, {kDock}).state.m_nSide, DockSide::None);
    EXPECT_EQ(SnapAt({199, 400}, {kDock}).state.m_nSide, DockSide::None);
}

TEST(Snapping, AMissFloatsAndKeepsTheIndex)
{
    const Rect r{40, 50, 340, 250};
    Snap s = SnapAt({600, 400}, {kDock, kDock}, r, SnapState{DockSide::Right, 2});
    EXPECT_EQ(s.r, r);
    EXPECT_EQ(s.state.m_nSide, DockSide::None);
    EXPECT_EQ(s.state.m_nIndex, 2);

    Snap empty = SnapAt({205, 155}, {}, r, SnapState{DockSide::Top, 1});
    EXPECT_EQ(empty.r, r);
    EXPECT_EQ(empty.state.m_nSide, DockSide::None);
}

TEST(Snapping, ExtremeCoordinatesDoNotOverflow)
{
    constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t hi = std::numeric_limits<std::int32_t>::max();
    const Rect huge{lo, lo, hi, hi};
    Snap top = SnapAt({0, lo}, {huge});
    EXPECT_EQ(top.state.m_nSide, DockSide::Top);
    EXPECT_EQ(top.r, (Rect{lo, lo, hi, lo + 200}));
    Snap right = SnapAt({hi - 1, 0}, {huge});
    EXPECT_EQ(right.state.m_nSide, DockSide::Right);
    EXPECT_EQ(right.r, (Rect{hi - 300, lo, hi, hi}));
    // Strips near the limits saturate instead of wrapping around.
    EXPECT_EQ(vorh::TopStrip({0, hi - 5, 10, hi}).bottom, hi);
    EXPECT_EQ(vorh::DragRect({hi, hi}, {-10, -10}, 300, 200), (Rect{hi, hi, hi, hi}));
}

TEST(Snapping, DragRectKeepsTheGrabOffset)
{
    EXPECT_EQ(vorh::DragRect({600, 500}, {50, 10}, 300, 200), (Rect{550, 490, 850, 690}));
    EXPECT_EQ(vorh::DragRect({-20, -30}, {50, 10}, 300, 200), (Rect{-70, -40, 230, 160}));
}

TEST(DockingRects, AssignCopiesOrEmpties)
{
    vorh::CDockingRects rects;
    Rect source[3] = {{0, 0, 10, 10}, {1, 2, 3, 4}, {5, 6, 7, 8}};
    rects.Assign(source, 2);
    source[0] = {9, 9, 9, 9};
    ASSERT_EQ(rects.Rects().size(), 2u);
    EXPECT_EQ(rects.Rects()[0], (Rect{0, 0, 10, 10}));
    EXPECT_EQ(rects.Rects()[1], (Rect{1, 2, 3, 4}));

    rects.Assign(source + 2, 1);
    ASSERT_EQ(rects.Rects().size(), 1u);
    EXPECT_EQ(rects.Rects()[0], (Rect{5, 6, 7, 8}));

    rects.Assign(source, 0);
    EXPECT_TRUE(rects.Rects().empty());
    rects.Assign(source, 3);
    rects.Assign(source, -4);
    EXPECT_TRUE(rects.Rects().empty());
    rects.Assign(source, 3);
    rects.Assign(nullptr, 3);
    EXPECT_TRUE(rects.Rects().empty());
    // An absurd count is refused before anything is read.
    rects.Assign(source, 3);
    rects.Assign(source, std::numeric_limits<std::int32_t>::max());
    EXPECT_TRUE(rects.Rects().empty());
    std::vector<Rect> many(vorh::kMaxDockingRects, Rect{1, 1, 2, 2});
    rects.Assign(many.data(), vorh::kMaxDockingRects);
    EXPECT_EQ(rects.Rects().size(), many.size());
}
