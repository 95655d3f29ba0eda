#include <gtest/gtest.h>

#include "mapper/view/layer_dc.h"
#include "mapper/view/map_canvas.h"
#include "mapper/view/playback_clip.h"
#include "mapper/view/tests/recording_dc.h"

TEST(MapCanvas, PolylinesAndPolygonsKeepAtMostFourPoints)
{
    CMapCanvas c(0, 0, 0.0, 1.0, 0);
    const CPoint pts[6] = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}};
    c.AddPolyline(pts, 6);
    c.AddPolygon(pts, 6, kColorNone);
    ASSERT_EQ(c.PolylineCount(), 1u);
    EXPECT_EQ(c.Polyline(0).size(), 4u);
    EXPECT_EQ(c.Shapes()[0].count, 4);
    EXPECT_EQ(c.Polyline(0)[3], (CPoint{4, 4}));
    // One point is no line: it is left out rather than spoiling the one poly-polyline call.
    c.AddPolyline(pts, 1);
    EXPECT_EQ(c.PolylineCount(), 1u);
}

TEST(MapCanvas, PointsAreTransformedWhenRecorded)
{
    CMapCanvas c(100, 50, 0.0, 2.0, 0);
    c.SetPreOffset(10, 10);
    c.AddLine(0, 0, 5, -5);
    EXPECT_EQ(c.Polyline(0)[0], (CPoint{120, 70}));
    EXPECT_EQ(c.Polyline(0)[1], (CPoint{130, 60}));
    c.AddCircle(0, 0, 16, 0x123456);
    EXPECT_EQ(c.Shapes()[0].kind, CMapCanvas::kCircle);
    EXPECT_EQ(c.Shapes()[0].pt[1].x, 32);  // radius only zoomed
}

TEST(MapCanvas, RotatedRectangleIsADiamondAndCircleStaysACircle)
{
    CMapCanvas c(200, 200, kPi / 4, 1.0, 0);
    c.AddRectangle(-6, -6, 6, 6, kColorNone);
    c.AddCircle(0, 0, 16, kColorNone);
    c.AddText({-10, -10, 10, 10}, "N");
    CRecordingDC dc;
    c.Play(dc);
    const auto polys = dc.With("polygon");
    ASSERT_EQ(polys.size(), 1u);
    // Corners on the axes: (200, 192), (208, 200), (200, 208), (192, 200) after truncation.
    EXPECT_EQ(polys[0], "polygon (200,192) (208,200) (200,208) (192,200)");
    EXPECT_EQ(dc.With("ellipse"), std::vector<std::string>{"ellipse (184,184)-(216,216)"});
    // An upright text box bounding the turned corners.
    EXPECT_EQ(dc.With("drawtext"), std::vector<std::string>{"drawtext (186,186)-(214,214) N"});
}

TEST(MapCanvas, PlayOrderPenFontAndBrushChanges)
{
    CMapCanvas c(0, 0, 0.0, 1.0, 0xFF0000);
    c.AddText({0, 0, 10, 10}, "T");
    c.AddLine(0, 0, 10, 10);
    c.AddRectangle(0, 0, 5, 5, 0x00FF00);
    c.AddRectangle(5, 5, 9, 9, 0x00FF00);
    c.AddCircle(3, 3, 2, kColorNone);
    c.AddLine(1, 2, 3, 4);
    c.AddRectangle(1, 1, 2, 2, 0x0000FF);
    CRecordingDC dc;
    c.Play(dc);
    const std::vector<std::string> expect = {
        "pen ff0000 2",
        "font Tahoma 85",
        "textcolor ff0000",
        "bkmode transparent",
        "brush ff00",
        "polygon (0,0) (5,0) (5,5) (0,5)",
        "polygon (5,5) (9,5) (9,9) (5,9)",
        "brush null",
        "ellipse (1,1)-(5,5)",
        "brush ff",
        "polygon (1,1) (2,1) (2,2) (1,2)",
        "brush ffffff",  // the brush selected before is put back
        "polypolyline 2 [(0,0) (10,10)] [(1,2) (3,4)]",
        "drawtext (0,0)-(10,10) T",
        "pen 0 1",
        "font System 100",
    };
    EXPECT_EQ(dc.m_log, expect);
}

TEST(MapCanvas, EmptyCanvasStillSelectsAndRestoresPenAndFont)
{
    CMapCanvas c(0, 0, 0.0, 1.0, 0x123456);
    CRecordingDC dc;
    c.Play(dc);
    EXPECT_EQ(dc.With("pen"), (std::vector<std::string>{"pen 123456 1", "pen 0 1"}));
    EXPECT_EQ(dc.With("font"), (std::vector<std::string>{"font Tahoma 85", "font System 100"}));
    EXPECT_TRUE(dc.With("polypolyline").empty());
    EXPECT_TRUE(dc.With("brush").empty());
}

TEST(MapCanvas, ShapesWhollyOutsideTheSurfaceAreSkipped)
{
    CMapCanvas c(0, 0, 0.0, 1.0, 0);
    c.AddRectangle(-100, -100, -50, -50, 0xFF);
    c.AddRectangle(10, 10, 20, 20, 0xFF);
    c.AddLine(900, 0, 1000, 0);
    c.AddLine(0, 0, 10, 0);
    c.AddText({2000, 0, 2010, 10}, "far");
    CRecordingDC dc(100, 100);
    c.Play(dc);
    EXPECT_EQ(dc.With("polygon").size(), 1u);
    EXPECT_EQ(dc.With("polypolyline"), std::vector<std::string>{"polypolyline 1 [(0,0) (10,0)]"});
    EXPECT_TRUE(dc.With("drawtext").empty());
}

TEST(MapCanvas, FarCoordinatesAreCutAtTheGuardFrame)
{
    CMapCanvas c(0, 0, 0.0, 1.0, 0);
    c.AddLine(50, 50, 2000000000, 50);
    c.AddRectangle(-2000000000, 10, 2000000000, 20, 0xFF);
    c.AddCircle(50, 50, 2000000000, kColorNone);  // left out: no device takes it
    CRecordingDC dc(100, 100);
    c.Play(dc);
    EXPECT_TRUE(dc.With("ellipse").empty());
    const int g = CPlaybackClip::kGuard;
    EXPECT_EQ(dc.With("polypolyline"),
              std::vector<std::string>{"polypolyline 1 [(50,50) (" + std::to_string(g) + ",50)]"});
    ASSERT_EQ(dc.With("polygon").size(), 1u);
    EXPECT_EQ(dc.With("polygon")[0], "polygon (-" + std::to_string(g) + ",10) (" + std::to_string(g) + ",10) (" +
                                         std::to_string(g) + ",20) (-" + std::to_string(g) + ",20)");
}

TEST(MapCanvas, TriangleReplacesTheRegionInItsSlot)
{
    CMapCanvas c(50, 50, 0.0, 1.0, 0);
    HRegion slot = CreatePolygonRegion({{0, 0}, {1, 0}, {0, 1}});
    const HRegion old = slot;
    c.AddTriangle(-10, -10, 0, -45, 10, -10, 0xFF8600, &slot);
    EXPECT_FALSE(slot == old);
    ASSERT_TRUE(slot);
    EXPECT_TRUE(slot->Contains({50, 30}));  // window pixels
    EXPECT_FALSE(slot->Contains({0, -20}));
}

TEST(LayerDC, LayersAreMadeOnFirstUseAndPlayedInHashOrder)
{
    CLayerDC dc(0, 0, 0.0, 1.0);
    CRecordingDC out;
    dc.Attach(&out);
    // -1 before any layer was used goes to the layer of colour 0.
    dc.LayerRectangle(0, 0, 4, 4, kColorNone, kColorNone);
    EXPECT_NE(dc.Layers().Find(0), nullptr);
    dc.LayerRectangle(10, 10, 18, 18, 0x00B400, 0x64FF64);
    dc.LayerRectangle(7, 7, 19, 19, 0xFF0000, kColorNone);
    dc.LayerCircle(13, 13, 16, kColorNone, kColorNone);  // current layer: the blue one
    EXPECT_EQ(dc.CurrentLayerColor(), 0xFF0000u);
    EXPECT_EQ(dc.Layers().Find(0xFF0000)->get()->Shapes().size(), 2u);
    dc.PlayLayers();
    const int nullBrush = out.Find("brush null");
    const int blue = out.FindPrefix("polygon (7,7)"), black = out.FindPrefix("polygon (0,0)"),
              green = out.FindPrefix("polygon (10,10)");
    // Buckets: 0 and 0xFF0000 in 0 (blue made later, so first), 0x00B400 in 7.
    ASSERT_GE(nullBrush, 0);
    EXPECT_LT(nullBrush, blue);
    EXPECT_LT(blue, black);
    EXPECT_LT(black, green);
}
