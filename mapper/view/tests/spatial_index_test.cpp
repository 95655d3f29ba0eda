// A paint bound to its window against a paint of the whole map: on random
// maps, views and edits, the same device calls and the same answers of every
// hit test at every pixel of the window and of random rubber bands.
#include <memory>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "mapper/model/document.h"
#include "mapper/view/map_paint.h"
#include "mapper/view/paint_pass.h"
#include "mapper/view/spatial_index.h"
#include "mapper/view/tests/paint_test_support.h"
#include "mapper/view/tests/recording_dc.h"

namespace {
// Coordinates far off wrap at 32 bits, as the map's own arithmetic does.
std::int32_t Wrap(std::int64_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }

// Letters of different widths, so that the widest one matters.
class CVaryingDC : public CRecordingDC {
public:
    using CRecordingDC::CRecordingDC;
    CSize GetTextExtent(std::string_view text) override
    {
        const CSize one = CRecordingDC::GetTextExtent("x");
        std::int64_t w = 0;
        for (unsigned char c : text)
            w += (c % 5) * one.cx / 2 + 1;
        return {static_cast<std::int32_t>(w), one.cy};
    }
};

// The same edits, in the same order, on two documents.
struct CPair {
    CVorMapperDoc full, windowed;
    CViewState fullView, windowedView;
    template <class F>
    void Both(F f)
    {
        f(full, fullView);
        f(windowed, windowedView);
    }
};

class CRandomMap {
public:
    explicit CRandomMap(unsigned seed) : m_rng(seed) {}
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool Chance(int percent) { return Int(1, 100) <= percent; }

    RoomId AnyRoom(const CVorMapperDoc& doc)
    {
        const RoomId last = doc.GetLastRoomId();
        for (int i = 0; i < 20; ++i) {
            const RoomId id = static_cast<RoomId>(Int(1, static_cast<int>(last)));
            if (doc.GetRooms().Find(id))
                return id;
        }
        return 1;
    }

    std::int32_t Coord()
    {
        if (Chance(4))
            return Chance(50) ? Int(2000000, 2100000000) : -Int(2000000, 2100000000);
        return Int(-25, 25);
    }

    void Label(CRoom& r)
    {
        static const char* texts[] = {"A", "Hall", "The long corridor of the north", "x", "@@@@", "Room 12 (east)"};
        r.m_info.m_strLabel = texts[Int(0, 5)];
        r.m_info.m_ptLabel = Chance(10) ? CPoint{Wrap(std::int64_t{Coord()} * 26), Wrap(std::int64_t{Coord()} * 26)}
                                         : CPoint{Wrap(26LL * r.m_nX + Int(-120, 120)), Wrap(26LL * r.m_nY + Int(-120, 120))};
        r.m_info.m_crLabelBack = Chance(50) ? kColorNone : 0x00FFFF;
    }

    // One random edit, the same on both documents.
    void Edit(CPair& p)
    {
        const int kind = Int(0, 11);
        const RoomId a = AnyRoom(p.full), b = AnyRoom(p.full);
        const int x = Coord(), y = Coord(), plane = Int(-1, 2), dir = Int(0, 9), dir2 = Int(0, 9);
        const bool flag = Chance(50);
        CRoom labelled;
        Label(labelled);
        p.Both([&](CVorMapperDoc& doc, CViewState&) {
            switch (kind) {
            case 0:
            case 1: {
                CRoom r;
                r.m_nX = x;
                r.m_nY = y;
                r.m_nPlane = plane;
                r.m_crColor = flag ? 0x80C0FF : kColorNone;
                if (kind == 1) {
                    r.m_info.m_strLabel = labelled.m_info.m_strLabel;
                    r.m_info.m_ptLabel = {Wrap(26LL * x + 50), Wrap(26LL * y - 50)};
                }
                doc.AddRoom(r);
                break;
            }
            case 2: {  // a move, of a copy that may hold hit data of an earlier paint
                CRoom r = doc.GetRoom(a);
                r.m_nX = x;
                r.m_nY = y;
                if (flag)
                    r.m_nPlane = plane;
                doc.SetRoom(r);
                break;
            }
            case 3:
                doc.DeleteRoom(a);
                break;
            case 4:
                if (doc.HasFreeExit(a) && doc.HasFreeExit(b)) {
                    CRoom ra = doc.GetRoom(a), rb = doc.GetRoom(b);
                    if (ra.m_links[dir] == 0 && rb.m_links[dir2] == 0 && (a != b || dir != dir2))
                        AddTestLink(doc, a, dir, b, dir2);
                }
                break;
            case 5: {
                const CRoom r = doc.GetRoom(a);
                for (LinkId l : r.m_links)
                    if (l != 0) {
                        doc.DeleteLink(l);
                        break;
                    }
                break;
            }
            case 6: {  // a label set, moved or taken away
                CRoom r = doc.GetRoom(a);
                if (flag && !r.m_info.m_strLabel.empty()) {
                    r.m_info.m_strLabel = "";
                } else {
                    r.m_info.m_strLabel = labelled.m_info.m_strLabel;
                    r.m_info.m_ptLabel = {Wrap(26LL * r.m_nX + 7LL * x), Wrap(26LL * r.m_nY + 5LL * y)};
                    r.m_info.m_crLabelBack = labelled.m_info.m_crLabelBack;
                }
                doc.SetRoom(r);
                break;
            }
            case 7:
                doc.ShiftRooms(a, static_cast<Direction>(dir));
                break;
            case 8: {  // a copy of a drawn room, hit data and label region included
                CRoom r = doc.GetRoom(a);
                r.m_nId = kIdUnassigned;
                r.m_links = {};
                r.m_nX = x;
                doc.AddRoom(r);
                break;
            }
            case 9: {  // a link's directions changed, to up or down too
                const CRoom r = doc.GetRoom(a);
                for (LinkId l : r.m_links)
                    if (l != 0) {
                        CLink link = doc.GetLink(l);
                        link.m_nToDir = dir;
                        doc.SetLink(link);
                        break;
                    }
                break;
            }
            case 10:
                doc.m_nCurrentRoom = a;
                break;
            default: {  // a link whose rooms do not list it
                CLink link;
                link.m_nFromRoom = a;
                link.m_nToRoom = flag ? b : 999999;
                link.m_nFromDir = dir % 8;
                link.m_nToDir = dir2 % 8;
                doc.AddLink(link);
                break;
            }
            }
        });
    }

    void Build(CPair& p, int rooms)
    {
        p.Both([](CVorMapperDoc& doc, CViewState&) { doc.OnNewDocument(); });
        if (p.windowedView.m_pIndex)
            p.windowedView.m_pIndex->Plane(0);  // built now: the rooms below arrive one by one
        for (int i = 0; i < rooms; ++i) {
            const int x = Int(-20, 20), y = Int(-20, 20), plane = Int(-1, 1);
            const bool fill = Chance(30), label = Chance(25);
            CRoom r;
            r.m_nX = x;
            r.m_nY = y;
            r.m_nPlane = plane;
            if (label)
                Label(r);
            p.Both([&](CVorMapperDoc& doc, CViewState&) {
                CRoom c = r;
                c.m_crColor = fill ? 0x80C0FF : kColorNone;
                doc.AddRoom(c);
            });
        }
        for (int i = 0; i < rooms; ++i) {
            // Links between near rooms, some to rooms far off, across the window.
            const RoomId a = AnyRoom(p.full), b = AnyRoom(p.full);
            const int da = Int(0, 9), db = Int(0, 9);
            p.Both([&](CVorMapperDoc& doc, CViewState&) {
                if (a != b && doc.GetRoom(a).m_links[da] == 0 && doc.GetRoom(b).m_links[db] == 0)
                    AddTestLink(doc, a, da, b, db);
            });
        }
        for (int i = 0; i < 6; ++i) {
            const int x = Coord(), y = Coord();
            const RoomId to = AnyRoom(p.full);
            p.Both([&](CVorMapperDoc& doc, CViewState&) {
                const RoomId far = AddTestRoom(doc, Wrap(1000LL * x), Wrap(1000LL * y), 0);
                if (doc.GetRoom(to).m_links[DIR_E] == 0)
                    AddTestLink(doc, far, DIR_W, to, DIR_E);
            });
        }
    }

    void View(CPair& p, int w, int h)
    {
        static const double zooms[] = {0.125, 0.25, 0.5, 1.0, 2.0, 4.0, 8.0, 0.3, 1.7};
        static const double angles[] = {0.0, 0.785398163397448, 1.5707963267949, 3.14159265358979, 0.3, 5.9};
        double zoom = zooms[Int(0, 8)], angle = angles[Int(0, 5)];
        int ox = Int(-600, 600) + w / 2, oy = Int(-600, 600) + h / 2, plane = Int(-1, 2);
        if (Chance(60)) {
            // Near the last view: a short pan, or the zoom or angle alone changed,
            // so that what an earlier paint left lies in the window.
            const CVorMapperDoc& d = p.full;
            ox = d.m_nOriginX + Int(-60, 60);
            oy = d.m_nOriginY + Int(-60, 60);
            plane = d.m_nCurrentPlane;
            if (Chance(70))
                zoom = d.m_dZoom;
            if (Chance(70))
                angle = d.m_dRotation;
        }
        const bool grid = Chance(50), lower = Chance(70), higher = Chance(70), band = Chance(15);
        const RoomId selected = Chance(40) ? AnyRoom(p.full) : 0;
        const CRect rc{Int(-400, 400), Int(-400, 400), Int(-400, 400), Int(-400, 400)};
        p.Both([&](CVorMapperDoc& doc, CViewState& v) {
            doc.m_dZoom = zoom;
            doc.m_dRotation = angle;
            doc.m_nOriginX = ox;
            doc.m_nOriginY = oy;
            doc.m_nCurrentPlane = plane;
            v.m_bShowGrid = grid;
            v.m_bShowLower = lower;
            v.m_bShowHigher = higher;
            v.m_bRubberBand = band;
            v.m_rcBand = rc;
            v.m_selection.Clear();
            if (selected)
                v.m_selection.SelectRoom(selected, true);
        });
    }

    std::mt19937 m_rng;
};

std::string FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const std::string x = i < a.size() ? a[i] : "(none)", y = i < b.size() ? b[i] : "(none)";
        if (x != y)
            return "call " + std::to_string(i) + ": whole map \"" + x + "\", window \"" + y + "\"";
    }
    return "";
}

// Paints both, then compares the device calls and every hit test.
int g_windowedPaints = 0, g_paints = 0;

template <class DC>
void PaintAndCompare(CPair& p, CRandomMap& rnd, int w, int h, const std::string& what)
{
    DC full(w, h), windowed(w, h);
    PaintMapView(p.full, p.fullView, full);
    PaintMapView(p.windowed, p.windowedView, windowed);
    ++g_paints;
    g_windowedPaints += p.windowedView.m_pPaintBuffers->windowed;
    ASSERT_TRUE(full.m_log == windowed.m_log) << what << ": " << FirstDifference(full.m_log, windowed.m_log);

    const CViewTransform t = CViewTransform::FromDocument(p.full);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const CPoint m = t.WindowToMap(x, y);
            ASSERT_EQ(p.full.RoomAtPoint(m), p.windowed.RoomAtPoint(m)) << what << " room at " << x << "," << y;
            ASSERT_EQ(p.full.LinkAtPoint(m), p.windowed.LinkAtPoint(m)) << what << " link at " << x << "," << y;
            ASSERT_EQ(p.full.RoomLabelAtPoint(m), p.windowed.RoomLabelAtPoint(m))
                << what << " label at " << x << "," << y;
        }
    // Clicks beyond the window (the pointer captured): the hit data about the point first.
    for (int i = 0; i < 40; ++i) {
        const CPoint m = t.WindowToMap(rnd.Int(-3 * w, 4 * w), rnd.Int(-3 * h, 4 * h));
        p.windowedView.m_pIndex->StoreHitGeometryNear(m);
        ASSERT_EQ(p.full.RoomAtPoint(m), p.windowed.RoomAtPoint(m)) << what << " room beyond, " << m.x << "," << m.y;
        ASSERT_EQ(p.full.LinkAtPoint(m), p.windowed.LinkAtPoint(m)) << what << " link beyond, " << m.x << "," << m.y;
    }
    // Bands, many reaching beyond the window.
    for (int i = 0; i < 20; ++i) {
        const CPoint a = t.WindowToMap(rnd.Int(-2 * w, 3 * w), rnd.Int(-2 * h, 3 * h));
        const CPoint b = t.WindowToMap(rnd.Int(-2 * w, 3 * w), rnd.Int(-2 * h, 3 * h));
        const CRect band{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
        CMapSelection sf, sw;
        sf.SelectInRectangle(p.full, band);
        sw.SelectInRectangle(p.windowed, band);
        ASSERT_EQ(sf.GetRoomCount(), sw.GetRoomCount()) << what << " band";
        for (std::size_t k = 0; k < sf.GetRoomCount(); ++k)
            ASSERT_EQ(sf.GetRoom(k), sw.GetRoom(k)) << what << " band";
    }
}

template <class DC>
void RunEquivalence(unsigned seed, bool indexFirst, int rounds)
{
    CPair p;
    CRandomMap rnd(seed);
    // The index either follows the map as it is built, or is built from it afterwards.
    if (indexFirst)
        p.windowedView.m_pIndex = std::make_shared<CSpatialIndex>(p.windowed);
    rnd.Build(p, 160);
    if (!indexFirst)
        p.windowedView.m_pIndex = std::make_shared<CSpatialIndex>(p.windowed);
    const int w = 96, h = 72;
    for (int round = 0; round < rounds; ++round) {
        rnd.View(p, w, h);
        const std::string what = "seed " + std::to_string(seed) + " round " + std::to_string(round);
        PaintAndCompare<DC>(p, rnd, w, h, what);
        if (::testing::Test::HasFatalFailure())
            return;
        for (int e = rnd.Int(0, 4); e > 0; --e)
            rnd.Edit(p);
        if (rnd.Chance(10)) {
            // A hit test between an edit and the next paint meets what each left.
            PaintAndCompare<DC>(p, rnd, w, h, what + " repaint");
            if (::testing::Test::HasFatalFailure())
                return;
        }
    }
}
}  // namespace

TEST(WindowedPaint, MatchesAPaintOfTheWholeMapOnRandomMapsViewsAndEdits)
{
    g_paints = g_windowedPaints = 0;
    for (unsigned seed = 1; seed <= 4; ++seed) {
        RunEquivalence<CRecordingDC>(seed, seed % 2 == 0, 30);
        if (HasFatalFailure())
            return;
    }
    // Most views show a part of the map; the others walk it whole.
    EXPECT_GT(g_windowedPaints, g_paints / 2);
    EXPECT_LT(g_windowedPaints, g_paints);
}

TEST(WindowedPaint, MatchesWithLettersOfDifferentWidths)
{
    for (unsigned seed = 11; seed <= 12; ++seed) {
        RunEquivalence<CVaryingDC>(seed, true, 25);
        if (HasFatalFailure())
            return;
    }
}

namespace {
struct CTwoPaints : ::testing::Test {
    void SetUp() override
    {
        p.windowedView.m_pIndex = std::make_shared<CSpatialIndex>(p.windowed);
        p.Both([](CVorMapperDoc& doc, CViewState& v) {
            doc.OnNewDocument();
            v.m_bShowRose = v.m_bShowState = false;
        });
    }
    void Paint(int w, int h)
    {
        p.Both([&](CVorMapperDoc& doc, CViewState& v) {
            CRecordingDC dc(w, h);
            PaintMapView(doc, v, dc);
        });
        EXPECT_TRUE(p.windowedView.m_pPaintBuffers->windowed);
    }
    CPair p;
};
}  // namespace

TEST_F(CTwoPaints, ARoomStoredFromAStaleCopyLeavesNoHitWhereItWas)
{
    p.Both([](CVorMapperDoc& doc, CViewState&) {
        for (int x = 0; x < 40; ++x)
            AddTestRoom(doc, x + 100, 40, 0);  // enough rooms for the window to show only some
    });
    Paint(400, 300);
    p.Both([](CVorMapperDoc& doc, CViewState&) {
        CRoom copy = doc.GetRoom(1);  // drawn at (0, 0): its hit data with it
        copy.m_nX = 300;
        doc.SetRoom(copy);
    });
    Paint(400, 300);
    EXPECT_EQ(p.full.RoomAtPoint({13, 13}), 0u);
    EXPECT_EQ(p.windowed.RoomAtPoint({13, 13}), 0u);
}

TEST_F(CTwoPaints, ALabelRegionOfAnEarlierViewIsNotHitInTheWindow)
{
    p.Both([](CVorMapperDoc& doc, CViewState&) {
        for (int x = 0; x < 40; ++x)
            AddTestRoom(doc, x + 100, 40, 0);
        CRoom r = doc.GetRoom(1);
        r.m_nX = -5;
        r.m_info.m_strLabel = "Hall hall hall hall";
        r.m_info.m_ptLabel = {0, 0};
        doc.SetRoom(r);
    });
    Paint(400, 300);
    ASSERT_EQ(p.windowed.RoomLabelAtPoint({80, 5}), 1u);
    // Turned a quarter: map point (80, 5) at window (10, 10), the label above the window.
    p.Both([](CVorMapperDoc& doc, CViewState&) {
        doc.m_dRotation = 1.5707963267949;
        doc.m_nOriginX = 15;
        doc.m_nOriginY = -70;
    });
    Paint(20, 20);
    const CPoint m = CViewTransform::FromDocument(p.full).WindowToMap(10, 10);
    EXPECT_EQ(p.full.RoomLabelAtPoint(m), 0u);
    EXPECT_EQ(p.windowed.RoomLabelAtPoint(m), 0u);
}

TEST(SpatialIndex, FindsLinksCrossingABoxWithBothEndsFarOutside)
{
    CNewDoc doc;
    CSpatialIndex index(doc);
    const RoomId west = AddTestRoom(doc, -100000, 0, 0), east = AddTestRoom(doc, 100000, 0, 0);
    const LinkId link = AddTestLink(doc, west, DIR_E, east, DIR_W);
    AddTestLink(doc, 1, DIR_S, AddTestRoom(doc, 0, 1, 0), DIR_N);
    auto linksIn = [&](const CCellBox& q) {
        std::vector<std::uint32_t> ids;
        index.Plane(0)->links.Query([&](std::int64_t) { return q; }, [&](std::uint32_t id, const CCellBox&) { ids.push_back(id); });
        std::sort(ids.begin(), ids.end());
        return ids;
    };
    EXPECT_EQ(linksIn({50, -2, 60, 2}), std::vector<std::uint32_t>{link});
    EXPECT_EQ(linksIn({50, 5, 60, 9}), std::vector<std::uint32_t>{});
    // Moving an end moves the link; deleting it takes it away.
    CRoom r = doc.GetRoom(east);
    r.m_nY = 50;
    doc.SetRoom(r);
    EXPECT_EQ(linksIn({50, -2, 60, 2}), std::vector<std::uint32_t>{link});
    EXPECT_EQ(linksIn({99990, 45, 99995, 55}), std::vector<std::uint32_t>{link});
    doc.DeleteLink(link);
    EXPECT_EQ(linksIn({50, -2, 60, 2}), std::vector<std::uint32_t>{});
    EXPECT_EQ(linksIn({-1, -1, 1, 2}).size(), 1u);
}

TEST(SpatialIndex, OwesHitDataForEachStoredRecordUnderItsPlanesUntilTaken)
{
    CNewDoc doc;
    CSpatialIndex index(doc);
    // A drawn link may join rooms of two planes.
    const RoomId low = AddTestRoom(doc, 0, 0, 0), high = AddTestRoom(doc, 1, 0, 3);
    const LinkId across = AddTestLink(doc, low, DIR_E, high, DIR_W);
    CPendingHitData& pending = index.Pending();
    auto has = [](const std::vector<std::uint32_t>& ids, std::uint32_t id) {
        return std::count(ids.begin(), ids.end(), id);
    };
    const std::vector<RoomId> ground = pending.TakeRooms(0);
    EXPECT_GE(has(ground, low), 1);
    EXPECT_EQ(has(ground, high), 0);
    EXPECT_TRUE(pending.TakeRooms(0).empty());  // taken: owed no more
    EXPECT_EQ(has(pending.TakeLinks(0), across), 1);
    EXPECT_EQ(has(pending.TakeLinks(3), across), 1);
    // A link between rooms of one plane is listed there once.
    const LinkId hall = AddTestLink(doc, low, DIR_S, AddTestRoom(doc, 0, 1, 0), DIR_N);
    EXPECT_EQ(has(pending.TakeLinks(0), hall), 1);
    // A new map owes nothing.
    AddTestRoom(doc, 5, 5, 0);
    doc.ReplaceMap({});
    EXPECT_TRUE(pending.TakeRooms(0).empty());
    EXPECT_TRUE(pending.LabelRegionRooms().empty());
}
