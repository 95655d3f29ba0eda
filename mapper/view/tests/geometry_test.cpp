#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "mapper/model/document.h"
#include "mapper/view/geometry.h"

namespace {
struct CNewDoc : CVorMapperDoc {
    CNewDoc() { OnNewDocument(); }
};
}  // namespace

TEST(ViewGeometry, ZoomOneAngleZeroIsATranslationWithPreOffset)
{
    const CViewTransform t(200, 150, 0.0, 1.0);
    EXPECT_EQ(t.MapToWindow(7, -3), (CPoint{207, 147}));
    EXPECT_EQ(t.MapToWindow(7, -3, 10, 10), (CPoint{217, 157}));
    EXPECT_EQ(t.WindowToMap(207, 147), (CPoint{7, -3}));
}

TEST(ViewGeometry, TruncationIsTowardZeroAtEachStep)
{
    const CViewTransform half(0, 0, 0.0, 0.5);
    EXPECT_EQ(half.MapToWindow(-3, 3), (CPoint{-1, 1}));
    // Zoom first, then rotation, each truncated: 45° of (1, 1) after zoom 0.5 of (3, 3).
    const CViewTransform rot(0, 0, kPi / 4, 0.5);
    const double c = std::cos(kPi / 4), s = std::sin(kPi / 4);
    EXPECT_EQ(rot.MapToWindow(3, 3), (CPoint{static_cast<int>(c * 1 - s * 1), static_cast<int>(c * 1 + s * 1)}));
    // The inverse rotates before dividing, and does not undo a pre-offset.
    const CViewTransform z2(10, 10, 0.0, 2.0);
    EXPECT_EQ(z2.WindowToMap(13, 5), (CPoint{1, -2}));
    EXPECT_EQ(z2.ZoomRadius(16), 32);
    EXPECT_EQ(CViewTransform(0, 0, 0.0, 0.125).ZoomRadius(2), 0);
}

TEST(ViewGeometry, PointerAngleByQuadrantAndOnThePivot)
{
    double a = -1;
    std::int32_t r = -1;
    ASSERT_TRUE(PointerAngle(100, 100, {110, 100}, a, r));
    EXPECT_DOUBLE_EQ(a, 0.0);
    EXPECT_EQ(r, 10);
    ASSERT_TRUE(PointerAngle(100, 100, {100, 110}, a, r));  // straight down: clockwise quarter
    EXPECT_NEAR(a, kPi / 2, 1e-12);
    ASSERT_TRUE(PointerAngle(100, 100, {90, 100}, a, r));
    EXPECT_NEAR(a, kPi, 1e-12);
    ASSERT_TRUE(PointerAngle(100, 100, {100, 90}, a, r));
    EXPECT_NEAR(a, 3 * kPi / 2, 1e-12);
    ASSERT_TRUE(PointerAngle(100, 100, {90, 90}, a, r));
    EXPECT_NEAR(a, kPi + kPi / 4, 0.05);
    // Truncating the radius of (1, 1) to 1 gives s = c = 1: acos, not a NaN.
    ASSERT_TRUE(PointerAngle(0, 0, {1, 1}, a, r));
    EXPECT_FALSE(std::isnan(a));
    a = 7.0;
    EXPECT_FALSE(PointerAngle(100, 100, {100, 100}, a, r));
    EXPECT_EQ(a, 7.0);
    EXPECT_EQ(r, 0);
}

TEST(ViewGeometry, RotationModeKeepsTheAngleOnThePivot)
{
    CNewDoc doc;
    doc.m_dRotation = 1.0;
    CRotationDrag drag;
    ASSERT_TRUE(BeginRotation(doc, {300, 200}, drag));  // angle 0 at the pointer
    EXPECT_DOUBLE_EQ(drag.m_dOffset, 1.0);
    RotateTo(doc, {200, 300}, drag);
    EXPECT_NEAR(doc.m_dRotation, 1.0 + kPi / 2, 1e-12);
    EXPECT_EQ(drag.m_nRadius, 100);
    const double before = doc.m_dRotation;
    RotateTo(doc, {200, 200}, drag);
    EXPECT_EQ(doc.m_dRotation, before);
}

TEST(ViewGeometry, FollowCentresTheCurrentRoom)
{
    CNewDoc doc;
    EXPECT_EQ(FollowOrigin(doc, 301, 200), (CPoint{150 - 13, 100 - 13}));
    CRoom room = doc.GetRoom(1);
    room.m_nX = 2;
    room.m_nY = -1;
    doc.SetRoom(room);
    doc.m_dZoom = 2.0;
    const CPoint o = FollowOrigin(doc, 400, 300);
    const CViewTransform t(o.x, o.y, 0.0, 2.0);
    EXPECT_EQ(t.MapToWindow(26 * 2 + 13, -26 + 13), (CPoint{200, 150}));
    // Rotation comes before the zoom here.
    doc.m_dRotation = kPi / 2;
    const CPoint r = FollowOrigin(doc, 400, 300);
    EXPECT_EQ(r, (CPoint{static_cast<int>(std::trunc(std::cos(kPi / 2) * -65 - std::sin(kPi / 2) * 13)) * 2 + 200,
                         static_cast<int>(std::trunc(std::cos(kPi / 2) * 13 + std::sin(kPi / 2) * -65)) * 2 + 150}));
    // A current room that is not in the map counts as cell (0, 0).
    doc.m_dRotation = 0.0;
    doc.m_dZoom = 1.0;
    doc.m_nCurrentRoom = 99;
    EXPECT_EQ(FollowOrigin(doc, 301, 200), (CPoint{137, 87}));
}

TEST(ViewGeometry, PanningKeepsTheGrabOffset)
{
    const CPoint grab = PanGrab({250, 260}, 200, 200);
    EXPECT_EQ(grab, (CPoint{50, 60}));
    EXPECT_EQ(PanOrigin({300, 100}, grab), (CPoint{250, 40}));
}

TEST(ViewGeometry, WheelZoomDoublesToEightAndHalvesToAnEighth)
{
    CNewDoc doc;
    doc.m_dZoom = 2.0;
    EXPECT_TRUE(WheelZoom(doc, 360));
    EXPECT_EQ(doc.m_dZoom, 8.0);
    EXPECT_FALSE(WheelZoom(doc, 120));
    doc.m_dZoom = 0.125;
    EXPECT_FALSE(WheelZoom(doc, -120));
    EXPECT_EQ(doc.m_dZoom, 0.125);
    doc.m_dZoom = 1.0;
    EXPECT_FALSE(WheelZoom(doc, 119));
    EXPECT_FALSE(WheelZoom(doc, -119));
    EXPECT_EQ(doc.m_dZoom, 1.0);
    // A zoom from a file above 8 does not grow without end.
    doc.m_dZoom = 12.0;
    EXPECT_FALSE(WheelZoom(doc, 1200));
    EXPECT_TRUE(WheelZoom(doc, -120));
    EXPECT_EQ(doc.m_dZoom, 6.0);
}

TEST(ViewGeometry, UnusableZoomAndAngleFromAFile)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double z : {0.0, -1.0, -0.0, nan, inf, -inf})
        EXPECT_EQ(UsableZoom(z), 1.0) << z;
    EXPECT_EQ(UsableZoom(1e-9), 1.0 / 64);
    EXPECT_EQ(UsableZoom(1e9), 64.0);
    for (double z : {0.125, 0.25, 0.5, 1.0, 2.0, 3.0, 8.0})
        EXPECT_EQ(UsableZoom(z), z);
    EXPECT_EQ(UsableAngle(nan), 0.0);
    EXPECT_EQ(UsableAngle(inf), 0.0);
    EXPECT_EQ(UsableAngle(1e300), 1e300);
    const CViewTransform t(0, 0, nan, nan);
    EXPECT_EQ(t.MapToWindow(5, 5), (CPoint{5, 5}));
    const CViewTransform huge(0, 0, 1e300, 1.0);
    const CPoint p = huge.MapToWindow(100, 0);
    EXPECT_LE(std::abs(p.x), 100);
    EXPECT_LE(std::abs(p.y), 100);
}

TEST(ViewGeometry, CoordinatesNearThe32BitLimitsSaturate)
{
    const std::int64_t big = std::int64_t{26} * std::numeric_limits<std::int32_t>::max() + 7;
    const CViewTransform t(200, 200, 0.0, 1.0);
    EXPECT_EQ(t.MapToWindow(big, -big), (CPoint{std::numeric_limits<std::int32_t>::max(),
                                                std::numeric_limits<std::int32_t>::min()}));
    // Where the result fits, 64-bit arithmetic gives the 32-bit answer.
    EXPECT_EQ(t.MapToWindow(std::int64_t{26} * 1000 + 7, 0), (CPoint{26 * 1000 + 207, 200}));
    const CViewTransform z(std::numeric_limits<std::int32_t>::max(), 0, 0.7, 8.0);
    const CPoint w = z.WindowToMap(std::numeric_limits<std::int32_t>::min(), 0);
    EXPECT_LT(w.x, 0);
    EXPECT_EQ(Trunc32(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(Trunc32(-1e300), std::numeric_limits<std::int32_t>::min());
}
