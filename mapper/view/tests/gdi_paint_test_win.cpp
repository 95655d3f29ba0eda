// The real paint on a GDI memory bitmap, checked pixel by pixel. Writes the
// picture as paint_gdi.bmp into the working directory.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "mapper/model/document.h"
#include "mapper/view/gdi_dc_win.h"
#include "mapper/view/map_paint.h"
#include "mapper/view/room_geometry.h"
#include "mapper/view/tests/paint_test_support.h"

namespace {
constexpr int kW = 400, kH = 300;

class CScreenDC {
public:
    CScreenDC() : m_hdc(::GetDC(nullptr)) {}
    ~CScreenDC() { ::ReleaseDC(nullptr, m_hdc); }
    HDC Get() const { return m_hdc; }

private:
    HDC m_hdc;
};

bool WriteBmp(HDC hdc, HBITMAP bmp, int w, int h, const char* path)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;  // bottom-up, as a BMP file stores it
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    const int stride = (w * 3 + 3) & ~3;
    std::vector<unsigned char> bits(static_cast<std::size_t>(stride) * h);
    if (!::GetDIBits(hdc, bmp, 0, h, bits.data(), &bi, DIB_RGB_COLORS))
        return false;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(bits.size());
    FILE* f = std::fopen(path, "wb");
    if (!f)
        return false;
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&bi.bmiHeader, sizeof(BITMAPINFOHEADER), 1, f);
    std::fwrite(bits.data(), 1, bits.size(), f);
    return std::fclose(f) == 0;
}

class GdiPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.OnNewDocument();
        east = AddTestRoom(doc, 2, 0, 0);
        AddTestLink(doc, 1, DIR_E, east, DIR_W);
        CRoom r = doc.GetRoom(east);
        r.m_crColor = 0x0000FF;
        r.m_info.m_strLabel = "Cellar";
        r.m_info.m_ptLabel = {90, -30};
        doc.SetRoom(r);
        CRoom one = doc.GetRoom(1);
        one.m_info.m_strTitle = "Market square";
        doc.SetRoom(one);
        AddTestRoom(doc, 1, 2, -1);
        AddTestRoom(doc, 3, 2, 1);
    }
    CVorMapperDoc doc;
    CViewState view;
    RoomId east = 0;
};
}  // namespace

TEST_F(GdiPaint, PixelsOfTheRealPaint)
{
    CScreenDC screen;
    ASSERT_TRUE(screen.Get());
    CGdiOffscreen off(screen.Get(), kW, kH);
    ASSERT_TRUE(off.Ok());
    {
        CGdiDC dc(off.Dc(), kW, kH);
        PaintMapView(doc, view, dc);
    }
    HDC m = off.Dc();
    EXPECT_EQ(::GetPixel(m, 210, 230), 0xFFFFFFu) << "background";
    EXPECT_EQ(::GetPixel(m, 259, 212), 0x000000u) << "outline of the east room";
    EXPECT_EQ(::GetPixel(m, 262, 216), 0x0000FFu) << "fill of the east room";
    EXPECT_EQ(::GetPixel(m, 213, 213), kColorPositionFill) << "current-position marker";
    EXPECT_EQ(::GetPixel(m, 208, 212), kColorPositionPen) << "current-position outline";
    EXPECT_EQ(::GetPixel(m, 385, 250), kColorRoseExit) << "rose triangle of the east exit";
    EXPECT_EQ(::GetPixel(m, 350, 225), kColorRoseMain) << "rose triangle north, no exit";
    EXPECT_EQ(::GetPixel(m, 278, 299), kColorGrid) << "grid line";
    EXPECT_EQ(::GetPixel(m, 226, 213), 0x000000u) << "the link";
    EXPECT_TRUE(WriteBmp(m, off.Bitmap(), kW, kH, "paint_gdi.bmp"));
    // The hit data of the paint serves the document's hit tests.
    EXPECT_EQ(doc.RoomAtPoint({60, 10}), east);
    EXPECT_EQ(doc.LinkAtPoint({26, 13}), 1u);
    EXPECT_EQ(doc.RoomLabelAtPoint({92, -28}), east);
    EXPECT_EQ(view.RoseDirectionAt({385, 250}), DIR_E);
}

TEST_F(GdiPaint, RealTextExtentsShapeTheLabelRegion)
{
    CScreenDC screen;
    CGdiOffscreen off(screen.Get(), kW, kH);
    ASSERT_TRUE(off.Ok());
    CGdiDC dc(off.Dc(), kW, kH);
    dc.SelectFont({"Tahoma", 85});
    const CSize ext = dc.GetTextExtent("Cellar");
    EXPECT_GT(ext.cx, 10);
    EXPECT_GT(ext.cy, 5);
    PaintMapView(doc, view, dc);
    EXPECT_EQ(doc.RoomLabelAtPoint({90 + ext.cx - 1, -30 + ext.cy - 1}), east);
    EXPECT_EQ(doc.RoomLabelAtPoint({90 + ext.cx + 2, -30}), 0u);
}

// A window at twice 96 dpi: the map draws twice as large, and the label font
// is made for that resolution, so a label covers the same map units.
TEST_F(GdiPaint, AtTwiceTheResolutionTheMapAndItsTextKeepTheirSize)
{
    CScreenDC screen;
    CGdiOffscreen off(screen.Get(), 2 * kW, 2 * kH);
    ASSERT_TRUE(off.Ok());
    CSize normal, twice;
    {
        CGdiDC dc(off.Dc(), kW, kH, 96);
        dc.SelectFont({"Tahoma", 85});
        normal = dc.GetTextExtent("Cellar");
    }
    view.m_nDpi = 192;
    {
        CGdiDC dc(off.Dc(), 2 * kW, 2 * kH, 192);
        dc.SelectFont({"Tahoma", 85});
        twice = dc.GetTextExtent("Cellar");
        PaintMapView(doc, view, dc);
    }
    EXPECT_NEAR(twice.cy, 2 * normal.cy, 2);
    EXPECT_NEAR(twice.cx, 2 * normal.cx, normal.cx / 4);
    HDC m = off.Dc();
    EXPECT_EQ(::GetPixel(m, 200 + 2 * 59, 200 + 2 * 12), 0x000000u) << "outline of the east room";
    EXPECT_EQ(::GetPixel(m, 200 + 2 * 62, 200 + 2 * 16), 0x0000FFu) << "fill of the east room";
    EXPECT_EQ(doc.RoomAtPoint({60, 10}), east);
    EXPECT_EQ(doc.RoomLabelAtPoint({90 + normal.cx - 3, -30 + normal.cy - 3}), east);
    EXPECT_EQ(doc.RoomLabelAtPoint({90 + normal.cx + normal.cx / 4, -30}), 0u);
}

TEST_F(GdiPaint, PaintToWindowCopiesOneBlock)
{
    CScreenDC screen;
    CGdiOffscreen target(screen.Get(), kW, kH);
    ASSERT_TRUE(target.Ok());
    ::PatBlt(target.Dc(), 0, 0, kW, kH, BLACKNESS);
    ASSERT_TRUE(PaintMapToWindow(target.Dc(), doc, view, kW, kH));
    EXPECT_EQ(::GetPixel(target.Dc(), 210, 230), 0xFFFFFFu);
    EXPECT_EQ(::GetPixel(target.Dc(), 213, 213), kColorPositionFill);
}

TEST_F(GdiPaint, BadInputPaintsWithoutFault)
{
    CRoom r = doc.GetRoom(east);
    r.m_info.m_strLabel = std::string(100000, 'x');
    r.m_nX = 0x7FFFFFFF;
    doc.SetRoom(r);
    doc.m_dZoom = 0.0;
    doc.m_dRotation = 1e300;
    CScreenDC screen;
    CGdiOffscreen off(screen.Get(), kW, kH);
    ASSERT_TRUE(off.Ok());
    CGdiDC dc(off.Dc(), kW, kH);
    PaintMapView(doc, view, dc);
    EXPECT_EQ(::GetPixel(off.Dc(), kW - 50, kH - 50 - 48), kColorRoseDisc);
}

TEST_F(GdiPaint, TheWindowsBitmapIsKeptBetweenPaintsAndMadeAgainForANewSize)
{
    CScreenDC screen;
    CGdiOffscreen target(screen.Get(), kW, kH);
    ASSERT_TRUE(target.Ok());
    std::unique_ptr<CGdiOffscreen> back;
    ASSERT_TRUE(PaintMapToWindow(target.Dc(), doc, view, kW, kH, back));
    const CGdiOffscreen* first = back.get();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(::GetPixel(target.Dc(), 262, 216), 0x0000FFu);

    // The next paint draws the changed map over the kept picture.
    CRoom r = doc.GetRoom(east);
    r.m_crColor = 0x00FF00;
    doc.SetRoom(r);
    ASSERT_TRUE(PaintMapToWindow(target.Dc(), doc, view, kW, kH, back));
    EXPECT_EQ(back.get(), first);
    EXPECT_EQ(::GetPixel(target.Dc(), 262, 216), 0x00FF00u);

    // A smaller window (without the rose, which would cover the room there):
    // a bitmap of its size, the rest of the target untouched.
    view.m_bShowRose = false;
    ::PatBlt(target.Dc(), 0, 0, kW, kH, BLACKNESS);
    ASSERT_TRUE(PaintMapToWindow(target.Dc(), doc, view, kW - 100, kH - 50, back));
    EXPECT_EQ(back->Width(), kW - 100);
    EXPECT_EQ(back->Height(), kH - 50);
    EXPECT_EQ(::GetPixel(target.Dc(), 262, 216), 0x00FF00u);
    EXPECT_EQ(::GetPixel(target.Dc(), kW - 50, kH - 20), 0x000000u);
}

TEST_F(GdiPaint, EveryRoomGetsItsOwnFillWithMoreColoursThanBrushesKept)
{
    // A row of rooms in 20 colours, each colour twice and in turn, so that
    // kept brushes are reused and replaced.
    std::vector<std::pair<RoomId, ColorRef>> rooms;
    for (int i = 0; i < 40; ++i) {
        const RoomId id = AddTestRoom(doc, -7 + i % 14, -3 - i / 14, 0);
        CRoom r = doc.GetRoom(id);
        r.m_crColor = static_cast<ColorRef>(0x0A0A0A * (i % 20 + 1) + (i % 3));
        doc.SetRoom(r);
        rooms.push_back({id, r.m_crColor});
    }
    CScreenDC screen;
    CGdiOffscreen off(screen.Get(), kW, kH);
    ASSERT_TRUE(off.Ok());
    {
        CGdiDC dc(off.Dc(), kW, kH);
        PaintMapView(doc, view, dc);
    }
    for (const auto& [id, color] : rooms) {
        const CRoom& r = doc.GetRoom(id);
        const CPoint64 c = RoomCentre(r.m_nX, r.m_nY);
        const int x = 200 + static_cast<int>(c.x), y = 200 + static_cast<int>(c.y);
        EXPECT_EQ(::GetPixel(off.Dc(), x, y), color) << "room " << id << " at " << x << ", " << y;
    }
}
