#include <chrono>
#include <limits>
#include <set>

#include <gtest/gtest.h>

#include "mapper/model/document.h"
#include "mapper/view/map_paint.h"
#include "mapper/view/tests/paint_test_support.h"
#include "mapper/view/tests/recording_dc.h"

namespace {
class PaintTest : public ::testing::Test {
protected:
    void SetUp() override { doc.OnNewDocument(); }
    CRecordingDC Paint(int w = 800, int h = 600)
    {
        CRecordingDC dc(w, h);
        PaintMapView(doc, view, dc);
        return dc;
    }
    CVorMapperDoc doc;
    CViewState view;
};

std::string Square(int x, int y, int ox = 200, int oy = 200)
{
    const int l = 26 * x + 7 + ox, t = 26 * y + 7 + oy;
    return "polygon (" + std::to_string(l) + "," + std::to_string(t) + ") (" + std::to_string(l + 12) + "," +
           std::to_string(t) + ") (" + std::to_string(l + 12) + "," + std::to_string(t + 12) + ") (" +
           std::to_string(l) + "," + std::to_string(t + 12) + ")";
}
}  // namespace

TEST_F(PaintTest, PaintLeavesHitDataForTheDocumentsHitTests)
{
    const RoomId east = AddTestRoom(doc, 1, 0, 0);
    const LinkId link = AddTestLink(doc, 1, DIR_E, east, DIR_W);
    CRoom r = doc.GetRoom(1);
    r.m_info.m_strLabel = "Hall";
    r.m_info.m_ptLabel = {57, -43};
    doc.SetRoom(r);
    EXPECT_EQ(doc.RoomAtPoint({13, 13}), 0u);  // never drawn yet
    Paint();
    const CRoom drawn = doc.GetRoom(east);
    EXPECT_EQ(drawn.m_ptSquare, (CPoint{33, 7}));
    EXPECT_EQ(drawn.m_rcHit, (CRect{31, 5, 47, 21}));
    EXPECT_EQ(doc.RoomAtPoint({13, 13}), 1u);
    EXPECT_EQ(doc.RoomAtPoint({46, 20}), east);
    EXPECT_EQ(doc.RoomAtPoint({47, 20}), 0u);
    EXPECT_EQ(doc.LinkAtPoint({26, 13}), link);  // the corridor between the rooms
    EXPECT_EQ(doc.LinkAtPoint({26, 30}), 0u);
    // The null device's text is 5 pixels a letter and 11 high at 8.5 points.
    EXPECT_EQ(doc.RoomLabelAtPoint({60, -40}), 1u);
    EXPECT_EQ(doc.RoomLabelAtPoint({50, -40}), 0u);
}

TEST_F(PaintTest, RegionsAreReplacedOnlyWhenTheirShapeChanges)
{
    const RoomId east = AddTestRoom(doc, 1, 0, 0);
    const LinkId link = AddTestLink(doc, 1, DIR_E, east, DIR_W);
    Paint();
    const HRegion first = doc.GetLink(link).m_hRgn;
    Paint();
    EXPECT_EQ(doc.GetLink(link).m_hRgn, first);
    CRoom r = doc.GetRoom(east);
    r.m_nY = 3;
    doc.SetRoom(r);
    Paint();
    EXPECT_NE(doc.GetLink(link).m_hRgn, first);
    EXPECT_EQ(doc.LinkAtPoint({26, 13}), 0u);
}

TEST_F(PaintTest, OrderOfTheLayersOfAPaint)
{
    AddTestRoom(doc, 0, 0, -1);
    AddTestRoom(doc, 0, 0, 1);
    view.m_bRubberBand = true;
    view.m_rcBand = {0, 0, 40, 40};
    view.m_bRotating = true;
    view.m_rotation.m_ptLast = {300, 300};
    view.m_rotation.m_nRadius = 141;
    CRecordingDC dc = Paint();
    const int fill = dc.Find("fill (0,0)-(800,600) ffffff");
    const int grid = dc.Find("pen dcdcdc 1");
    const int band = dc.Find("pen ffbe9e 1");
    const int lower = dc.Find("pen c8b496 1");
    const int current = dc.Find("pen 0 1", lower);
    const int higher = dc.Find("pen 9696c8 1");
    const int marker = dc.Find("pen b400 1");
    const int guide = dc.Find("pen ff 1");
    const int rose = dc.Find("pen ffffff 1");
    const int state = dc.Find("font Tahoma 100");
    EXPECT_EQ(fill, 0);
    for (int i : {grid, band, lower, current, higher, marker, guide, rose, state})
        EXPECT_GT(i, 0);
    EXPECT_LT(grid, band);
    EXPECT_LT(band, lower);
    EXPECT_LT(lower, current);
    EXPECT_LT(current, higher);
    EXPECT_LT(higher, marker);
    EXPECT_LT(marker, guide);
    EXPECT_LT(guide, rose);
    EXPECT_LT(rose, state);
    // The planes beside the current one are drawn with their pre-offsets.
    EXPECT_GT(dc.Find(Square(0, 0, 210, 210), lower), lower);
    EXPECT_GT(dc.Find(Square(0, 0, 190, 190), higher), higher);
    // The band is filled and outlined; the marker sits inside room 1.
    EXPECT_GT(dc.Find("brush fff5f0", band), band);
    EXPECT_GT(dc.Find("polygon (208,208) (218,208) (218,218) (208,218)", marker), marker);
    EXPECT_GT(dc.Find("polypolyline 1 [(200,200) (300,300)]", guide), guide);
    EXPECT_GT(dc.Find("ellipse (59,59)-(341,341)", guide), guide);
}

TEST_F(PaintTest, EmptyMapStillDrawsBackgroundGridRoseAndState)
{
    CRoom r = doc.GetRoom(1);
    doc.m_nCurrentRoom = 42;  // no such room
    CRecordingDC dc = Paint();
    EXPECT_EQ(dc.m_log[0], "fill (0,0)-(800,600) ffffff");
    EXPECT_GE(dc.Find("pen dcdcdc 1"), 0);
    EXPECT_GE(dc.Find("pen ffffff 1"), 0);
    EXPECT_GE(dc.Find("textout 5,0 [0] Plane 0"), 0);
    EXPECT_GE(dc.Find("textout 5,15 "), 0);  // the second line is empty
    EXPECT_GE(dc.Find("textout 5,585 "), 0);
    EXPECT_EQ(dc.With("pen b400").size(), 0u);
}

TEST_F(PaintTest, LabelBackgroundTransparentOrOpaque)
{
    CRoom r = doc.GetRoom(1);
    r.m_info.m_strLabel = "Clear";
    r.m_info.m_crLabelText = 0x0000FF;
    doc.SetRoom(r);
    const RoomId b = AddTestRoom(doc, 3, 0, 0);
    CRoom rb = doc.GetRoom(b);
    rb.m_info.m_strLabel = "Boxed";
    rb.m_info.m_crLabelBack = 0x00FFFF;
    doc.SetRoom(rb);
    CRecordingDC dc = Paint();
    const int clear = dc.FindPrefix("textout 200,200 Clear");
    const int boxed = dc.FindPrefix("textout 200,200 Boxed");
    ASSERT_GE(clear, 3);
    ASSERT_GE(boxed, 4);
    EXPECT_EQ(dc.m_log[clear - 2], "bkmode transparent");
    EXPECT_EQ(dc.m_log[clear - 1], "textcolor ff");
    EXPECT_EQ(dc.m_log[boxed - 3], "bkmode opaque");
    EXPECT_EQ(dc.m_log[boxed - 2], "bkcolor ffff");
    // The label font follows the zoom: trunc(zoom · 85) tenths.
    doc.m_dZoom = 2.0;
    EXPECT_GE(Paint().Find("font Tahoma 170"), 0);
}

TEST_F(PaintTest, AdjacentPlanesShowNoLabelRingOrMarker)
{
    CRoom r = doc.GetRoom(1);
    r.m_nPlane = 1;
    r.m_bRecursive = true;
    r.m_info.m_strLabel = "Upstairs";
    doc.SetRoom(r);
    CRecordingDC dc = Paint();
    EXPECT_TRUE(dc.With("textout 200").empty());
    EXPECT_TRUE(dc.With("ellipse").size() == 1u);  // only the rose's disc
    EXPECT_TRUE(dc.With("pen b400").empty());
    EXPECT_GE(dc.Find(Square(0, 0, 190, 190)), 0);
    // On the current plane the ring and the marker are there.
    doc.m_nCurrentPlane = 1;
    CRecordingDC on = Paint();
    EXPECT_GE(on.Find("ellipse (197,197)-(229,229)"), 0);
    EXPECT_FALSE(on.With("pen b400").empty());
    EXPECT_FALSE(on.With("textout 200,200 Upstairs").empty());
}

TEST_F(PaintTest, SelectedRoomAndLinkGoOnTheBlueLayerWithoutPreOffset)
{
    const RoomId lower = AddTestRoom(doc, 2, 0, -1);
    const RoomId east = AddTestRoom(doc, 1, 0, 0);
    const LinkId link = AddTestLink(doc, 1, DIR_E, east, DIR_W);
    view.m_selection.SetRoom(lower);
    view.m_selection.SetLink(link);
    CRecordingDC dc = Paint();
    const int blue = dc.Find("pen ff0000 2");
    ASSERT_GT(blue, 0);
    EXPECT_GT(dc.Find(Square(2, 0), blue), blue);
    EXPECT_EQ(dc.Find(Square(2, 0, 210, 210)), -1);
    EXPECT_GT(dc.Find("polypolyline 1 [(219,213) (226,213) (226,213) (233,213)]", blue), blue);
}

TEST_F(PaintTest, LinksEndingUpOrDownShowOnlyAsMarkers)
{
    const RoomId above = AddTestRoom(doc, 0, 0, 1);
    AddTestLink(doc, 1, DIR_U, above, DIR_D);
    view.m_bShowHigher = false;
    CRecordingDC dc = Paint();
    // The up marker of room 1 is the only polygon besides the square, the marker and the rose.
    EXPECT_GE(dc.Find("polygon (223,210) (226,207) (229,210)"), 0);
    EXPECT_EQ(dc.Find("polygon (223,216) (226,219) (229,216)"), -1);
    for (const auto& l : dc.With("polypolyline"))
        EXPECT_EQ(l.find("(206,206)"), std::string::npos) << l;
    EXPECT_TRUE(doc.GetLink(1).m_hRgn == nullptr);
}

TEST_F(PaintTest, RoseShowsExitsAndThePressedDirection)
{
    const RoomId east = AddTestRoom(doc, 1, 0, 0);
    AddTestLink(doc, 1, DIR_E, east, DIR_W);
    CRecordingDC dc = Paint();
    const int rose = dc.Find("pen ffffff 1");
    // The east triangle, after the disc: dark red; the north one the main colour.
    EXPECT_GE(dc.Find("brush a3", rose), 0);
    EXPECT_GE(dc.Find("polygon (760,540) (795,550) (760,560)", dc.Find("brush a3", rose)), 0);
    EXPECT_EQ(view.RoseDirectionAt({780, 550}), DIR_E);
    EXPECT_EQ(view.RoseDirectionAt({750, 520}), DIR_N);
    EXPECT_EQ(view.RoseDirectionAt({750, 545}), DIR_U);
    EXPECT_EQ(view.RoseDirectionAt({10, 10}), DIR_NONE);
    view.m_nPressedRoseDir = DIR_E;
    CRecordingDC pressed = Paint();
    EXPECT_EQ(pressed.Find("brush a3"), -1);
    EXPECT_GE(pressed.Find("brush 79ff"), 0);
}

TEST_F(PaintTest, StateLabelsRightColumn)
{
    doc.SetOnline(true);
    doc.SetFollow("Bob");
    doc.m_bTrace = false;
    CRecordingDC dc = Paint(400, 300);
    const int right = dc.Find("align right");
    ASSERT_GT(right, 0);
    EXPECT_EQ(dc.m_log[right + 1], "textcolor c8");
    EXPECT_EQ(dc.m_log[right + 2], "textout 395,0 Explore");
    EXPECT_EQ(dc.m_log[right + 4], "textout 395,15 Online");
    EXPECT_EQ(dc.m_log[right + 5], "textcolor ff8800");
    EXPECT_EQ(dc.m_log[right + 6], "textout 395,30 Follow Bob");
}

TEST_F(PaintTest, AStateNoteGoesBelowTheModesInRed)
{
    CRecordingDC plain = Paint(400, 300);
    EXPECT_EQ(plain.Find("textout 395,15 Autosave failed"), -1);
    view.m_strNote = "Autosave failed";
    CRecordingDC dc = Paint(400, 300);
    const int note = dc.Find("textout 395,15 Autosave failed", dc.Find("textout 395,0 Trace"));
    ASSERT_GT(note, 0);
    EXPECT_EQ(dc.m_log[note - 1], "textcolor c8");
}

TEST_F(PaintTest, FollowCentringMovesTheOriginUnlessTheUserIsPanning)
{
    view.m_bFollowMovements = true;
    Paint(301, 200);
    EXPECT_EQ(doc.m_nOriginX, 150 - 13);
    doc.m_nOriginX = 5;
    view.m_bPanning = true;
    Paint(301, 200);
    EXPECT_EQ(doc.m_nOriginX, 5);
}

TEST_F(PaintTest, GridCoversTheWindowWhenTheOriginIsPannedAway)
{
    doc.m_nOriginX = -400;
    doc.m_nOriginY = 100;
    const CViewTransform t = CViewTransform::FromDocument(doc);
    EXPECT_EQ(GridHalfSide(t, 800, 600), 26 * (1800 / 26));  // 1.5 · 1200
    CRecordingDC dc = Paint();
    const auto lines = dc.With("polypolyline");
    ASSERT_FALSE(lines.empty());
    // The first polypolyline is the grid's; its lines reach past the window's edges.
    EXPECT_EQ(GridHalfSide(t, 800, 600), 1794);
    EXPECT_NE(lines[0].find("[(16,-1694) (16,1894)]"), std::string::npos);
    EXPECT_NE(lines[0].find("[(796,-1694) (796,1894)]"), std::string::npos);
    EXPECT_NE(lines[0].find("[(-2194,100) (1394,100)]"), std::string::npos);
}

TEST_F(PaintTest, UnusableZoomAndHugeRotationFromAFileDrawABoundedGrid)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double zoom : {0.0, -2.0, nan, inf, -inf, 1e-300, 1e300}) {
        for (double angle : {0.0, 1e300, -1e18, nan}) {
            for (std::int32_t origin : {200, std::numeric_limits<std::int32_t>::max(),
                                        std::numeric_limits<std::int32_t>::min()}) {
                doc.m_dZoom = zoom;
                doc.m_dRotation = angle;
                doc.m_nOriginX = origin;
                doc.m_nOriginY = origin / 2;
                const auto t0 = std::chrono::steady_clock::now();
                CMapCanvas grid(doc.m_nOriginX, doc.m_nOriginY, doc.m_dRotation, doc.m_dZoom, kColorGrid);
                RecordGrid(grid, 800, 600);
                // 800 × 600 pixels at zoom 1/64: the grid's lines stay in the thousands.
                EXPECT_LT(grid.PolylineCount(), 8000u) << zoom << " " << angle << " " << origin;
                CNullPaintDC dc(800, 600);
                PaintMapView(doc, view, dc);
                EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5));
            }
        }
    }
}

TEST_F(PaintTest, RoomsNearThe32BitLimits)
{
    const std::int32_t hi = std::numeric_limits<std::int32_t>::max(), lo = std::numeric_limits<std::int32_t>::min();
    const RoomId a = AddTestRoom(doc, hi, lo, 0);
    const RoomId b = AddTestRoom(doc, lo, hi, 0);
    AddTestLink(doc, a, DIR_NE, b, DIR_SW);
    AddTestLink(doc, 1, DIR_E, a, DIR_W);
    CRoom r = doc.GetRoom(a);
    r.m_info.m_strLabel = "Edge";
    r.m_info.m_ptLabel = {hi, lo};
    r.m_bRecursive = true;
    doc.SetRoom(r);
    doc.m_nCurrentRoom = a;
    view.m_bFollowMovements = true;
    doc.m_dRotation = 0.3;
    Paint();
    const CRoom drawn = doc.GetRoom(a);
    EXPECT_EQ(drawn.m_ptSquare, (CPoint{hi, lo}));  // 26 · x saturates
    // A room whose square fits is unchanged by the 64-bit arithmetic.
    const RoomId c = AddTestRoom(doc, 82595524, -82595524, 0);  // 26 · x + 21 still fits
    Paint();
    EXPECT_EQ(doc.GetRoom(c).m_rcHit, (CRect{26 * 82595524 + 5, -26 * 82595524 + 5, 26 * 82595524 + 21,
                                             -26 * 82595524 + 21}));
}

TEST_F(PaintTest, LabelOfAHundredThousandCharacters)
{
    CRoom r = doc.GetRoom(1);
    r.m_info.m_strLabel = std::string(100000, 'x');
    r.m_info.m_ptLabel = {57, -43};
    doc.SetRoom(r);
    CRecordingDC dc = Paint();
    EXPECT_EQ(dc.With("textout 257,157 xxxx").size(), 1u);
    EXPECT_EQ(doc.RoomLabelAtPoint({57 + 400000, -40}), 1u);
    EXPECT_EQ(doc.RoomLabelAtPoint({57 + 600000, -40}), 0u);
}

TEST_F(PaintTest, DamagedLinksDrawNothing)
{
    CLink dangling;
    dangling.m_nFromRoom = 1;
    dangling.m_nToRoom = 77;  // no such room
    dangling.m_nFromDir = DIR_N;
    dangling.m_nToDir = DIR_S;
    const LinkId d = doc.AddLink(dangling);
    CLink odd;
    odd.m_nFromRoom = 1;
    odd.m_nToRoom = 1;
    odd.m_nFromDir = 42;
    odd.m_nToDir = DIR_S;
    const LinkId o = doc.AddLink(odd);
    CRecordingDC dc = Paint();
    EXPECT_EQ(doc.GetLink(d).m_hRgn, nullptr);
    EXPECT_EQ(doc.GetLink(o).m_hRgn, nullptr);
}

TEST_F(PaintTest, ShapesThatCannotReachTheWindowAreNotDrawnButKeepTheirHitData)
{
    view.m_bShowRose = view.m_bShowGrid = view.m_bShowState = false;
    // Origin (200, 200): the cell x = -9 has its centre at x = -21, so its
    // ring (radius 16) reaches no pixel, while x = -8 (centre at 5) shows.
    CRoom ring = doc.GetRoom(1);
    ring.m_nX = -8;
    ring.m_bRecursive = true;
    doc.SetRoom(ring);
    const RoomId far = AddTestRoom(doc, -9, 0, 0);
    const RoomId distant = AddTestRoom(doc, 500, 500, 0);
    CRoom labelled = doc.GetRoom(distant);
    labelled.m_info.m_strLabel = "Seen from afar";
    labelled.m_info.m_ptLabel = {-150, -150};  // on screen, far from its room
    doc.SetRoom(labelled);
    // A link between two off-screen rooms that crosses the window.
    const RoomId west = AddTestRoom(doc, -20, 3, 0);
    const RoomId east = AddTestRoom(doc, 60, 3, 0);
    AddTestLink(doc, west, DIR_E, east, DIR_W);
    const CRecordingDC dc = Paint();
    // The ring; the label pin's dot lies at the distant room, off the window.
    EXPECT_EQ(dc.With("ellipse").size(), 1u);
    EXPECT_NE(dc.Find(Square(-8, 0)), -1);
    EXPECT_EQ(dc.Find(Square(-9, 0)), -1);
    EXPECT_NE(dc.FindPrefix("textout 50,50 Seen from afar"), -1);
    // The label's pin (rooms are played first), then the link across the window.
    ASSERT_EQ(dc.With("polypolyline").size(), 2u);
    EXPECT_EQ(dc.With("polypolyline")[1], "polypolyline 1 [(-301,291) (-294,291) (1760,291) (1767,291)]");
    // Undrawn rooms still carry their hit data.
    EXPECT_EQ(doc.GetRoom(far).m_rcHit, (CRect{-229, 5, -213, 21}));
    EXPECT_EQ(doc.RoomAtPoint({-220, 10}), far);
}

TEST_F(PaintTest, ASelectedRoomOrLinkOnANeighbouringPlaneKeepsItsOutlineAtTheWindowEdge)
{
    // The outlines of the selection go on the blue layer without the plane's
    // offset: near the window's edge they must be drawn exactly when the same
    // room and link on the plane on view would be.
    view.m_bShowRose = view.m_bShowGrid = view.m_bShowState = false;
    CRoom first = doc.GetRoom(1);
    first.m_nPlane = 5;  // out of the way
    doc.SetRoom(first);
    const RoomId a = AddTestRoom(doc, 0, 0, 0), b = AddTestRoom(doc, 1, 0, 0);
    const LinkId link = AddTestLink(doc, a, DIR_E, b, DIR_W);
    view.m_selection.SetRoom(a);
    view.m_selection.SetRoom(b);
    view.m_selection.SetLink(link);
    auto place = [&](int x, int y, int plane) {
        for (RoomId id : {a, b}) {
            CRoom r = doc.GetRoom(id);
            r.m_nX = x + (id == b ? 1 : 0);
            r.m_nY = y;
            r.m_nPlane = plane;
            doc.SetRoom(r);
        }
    };
    int differing = 0, seen = 0;
    for (double angle : {3.14159265358979 / 4, 0.3}) {
        for (double zoom : {1.0, 2.0}) {
            doc.m_dRotation = angle;
            doc.m_dZoom = zoom;
            for (int x = -30; x <= 40; ++x) {
                for (int y = -30; y <= 30; ++y) {
                    place(x, y, 0);
                    const CRecordingDC onView = Paint();
                    const auto squares = onView.With("polygon"), lines = onView.With("polypolyline");
                    seen += !squares.empty();
                    for (int plane : {-1, 1}) {
                        place(x, y, plane);
                        const CRecordingDC neighbour = Paint();
                        const bool same =
                            neighbour.With("polygon") == squares && neighbour.With("polypolyline") == lines;
                        differing += !same;
                        EXPECT_TRUE(same) << x << "," << y << " plane " << plane << " angle " << angle << " zoom "
                                          << zoom;
                    }
                }
            }
        }
    }
    EXPECT_GT(seen, 100);
    EXPECT_EQ(differing, 0);
}

TEST_F(PaintTest, ALabelTakenAwayLeavesNoRegionToClick)
{
    CRoom r = doc.GetRoom(1);
    r.m_info.m_strLabel = "Hall";
    r.m_info.m_ptLabel = {57, -43};
    doc.SetRoom(r);
    Paint();
    ASSERT_EQ(doc.RoomLabelAtPoint({60, -40}), 1u);
    r = doc.GetRoom(1);
    r.m_info.m_strLabel = "";
    doc.SetRoom(r);
    Paint();
    EXPECT_EQ(doc.RoomLabelAtPoint({60, -40}), 0u);
}

TEST_F(PaintTest, FarFromTheOriginEveryGridLineDrawnIsASpecifiedLineWithItsOwnEndPoints)
{
    // Beyond about 680 cells at zoom 1 only the lines that can reach the
    // window are drawn; each must still be the whole specified line, or its
    // pixels would be rounded elsewhere (by a pixel or two on a turned map).
    for (double angle : {0.3, 3.14159265358979 / 4, 2.0}) {
        for (std::int32_t ox : {-30000, 40000}) {
            doc.m_nOriginX = ox;
            doc.m_nOriginY = 250;
            doc.m_dRotation = angle;
            const CViewTransform t = CViewTransform::FromDocument(doc);
            const std::int64_t L = GridHalfSide(t, 800, 600);
            ASSERT_GT(L, 26 * 1024);
            std::set<std::pair<std::pair<int, int>, std::pair<int, int>>> specified;
            auto window = [&](std::int64_t x, std::int64_t y) {
                const CPoint p = t.MapToWindow(x, y);
                return std::make_pair(p.x, p.y);
            };
            for (std::int64_t i = -L; i < L; i += 26) {
                specified.insert({window(i, -L), window(i, L)});
                specified.insert({window(-L, i), window(L, i)});
            }
            CMapCanvas grid(doc.m_nOriginX, doc.m_nOriginY, doc.m_dRotation, doc.m_dZoom, kColorGrid);
            RecordGrid(grid, 800, 600);
            ASSERT_GT(grid.PolylineCount(), 20u);
            EXPECT_LT(grid.PolylineCount(), 200u);  // not the thousands of the whole grid
            for (std::size_t k = 0; k < grid.PolylineCount(); ++k) {
                const std::vector<CPoint> line = grid.Polyline(k);
                ASSERT_EQ(line.size(), 2u);
                EXPECT_TRUE(specified.count({{line[0].x, line[0].y}, {line[1].x, line[1].y}}))
                    << "line " << k << " at angle " << angle << ", origin " << ox;
            }
        }
    }
}

// On a screen of 144 DPI the map and what is drawn over it keep their size:
// every length in window pixels is one and a half times that at 96 DPI.
TEST_F(PaintTest, AtOneAndAHalfTimesTheResolutionEverythingKeepsItsSizeOnTheScreen)
{
    const RoomId east = AddTestRoom(doc, 1, 0, 0);
    AddTestLink(doc, 1, DIR_E, east, DIR_W);
    doc.SetOnline(true);
    view.m_nDpi = 144;
    CRecordingDC dc = Paint();
    // Rooms 39 pixels apart instead of 26, their squares 18 wide instead of 12.
    EXPECT_GE(dc.Find("polygon (210,210) (228,210) (228,228) (210,228)"), 0);
    EXPECT_GE(dc.Find("polygon (249,210) (267,210) (267,228) (249,228)"), 0);
    EXPECT_EQ(doc.m_dZoom, 1.0);  // the map's own zoom is the user's
    // The rose: 75 pixels from the corner, the east triangle 1.5 times as long.
    EXPECT_GE(dc.Find("polygon (740,510) (792,525) (740,540)"), 0);
    EXPECT_EQ(view.RoseDirectionAt({785, 525}), DIR_E);
    EXPECT_EQ(view.RoseDirectionAt({725, 480}), DIR_N);
    // The state labels: 8 pixels from the edge, lines 23 pixels apart.
    EXPECT_GE(dc.Find("textout 792,0 Trace"), 0);
    EXPECT_GE(dc.Find("textout 792,23 Online"), 0);
    EXPECT_GE(dc.Find("textout 8,23 "), 0);

    // Follow centring puts the room's centre in the middle at the same scale.
    view.m_bFollowMovements = true;
    Paint(301, 200);
    EXPECT_EQ(doc.m_nOriginX, 150 - 19);
}
