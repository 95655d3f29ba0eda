#include <cairo.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "mapper/model/document.h"
#include "mapper/view/image_export.h"
#include "mapper/view/map_paint.h"
#include "mapper/view/tests/paint_test_support.h"

// Fontconfig, under cairo's text, keeps caches for the life of the process;
// the leak checker of sanitizer builds is told so.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

namespace {
struct CPixels {
    cairo_surface_t* s;
    explicit CPixels(const std::string& path) : s(cairo_image_surface_create_from_png(path.c_str())) {}
    ~CPixels() { cairo_surface_destroy(s); }
    bool Ok() const { return cairo_surface_status(s) == CAIRO_STATUS_SUCCESS; }
    // As a colour reference, 0xBBGGRR.
    ColorRef At(int x, int y) const
    {
        const unsigned char* d = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s) + x * 4;
        const std::uint32_t argb = *reinterpret_cast<const std::uint32_t*>(d);
        return ((argb >> 16) & 0xFF) | (argb & 0xFF00) | ((argb & 0xFF) << 16);
    }
};

std::string TempFile(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("vm-export-" + name)).string();
}
}  // namespace

TEST(ImageExport, PngShowsTheMapsLayers)
{
    CVorMapperDoc doc;
    doc.OnNewDocument();
    const RoomId east = AddTestRoom(doc, 2, 0, 0);
    AddTestLink(doc, 1, DIR_E, east, DIR_W);
    CRoom r = doc.GetRoom(east);
    r.m_crColor = 0x0000FF;
    doc.SetRoom(r);
    CViewState view;
    const std::string png = TempFile("layers.png");
    std::string error;
    ASSERT_TRUE(ExportMapImage(doc, view, 400, 300, png, error)) << error;
    CPixels px(png);
    ASSERT_TRUE(px.Ok());
    EXPECT_EQ(px.At(210, 230), kColorWhite);
    EXPECT_EQ(px.At(200 + 52 + 7, 200 + 10), 0x000000u);         // the east room's outline
    EXPECT_EQ(px.At(200 + 52 + 12, 200 + 12), 0x0000FFu);        // its fill
    EXPECT_EQ(px.At(200 + 13, 200 + 13), kColorPositionFill);    // the current position
    EXPECT_EQ(px.At(200 + 26, 200 + 13), 0x000000u);             // the link
    EXPECT_EQ(px.At(200 + 26 * 3, 300 - 1), kColorGrid);         // a grid line
    EXPECT_EQ(px.At(400 - 50 + 30, 300 - 50 + 1), kColorRoseExit);  // the east triangle
    std::filesystem::remove(png);
}

TEST(ImageExport, SvgAndPdfAreWritten)
{
    CVorMapperDoc doc;
    doc.OnNewDocument();
    CViewState view;
    std::string error;
    for (const char* name : {"map.svg", "map.PDF"}) {
        const std::string path = TempFile(name);
        ASSERT_TRUE(ExportMapImage(doc, view, 200, 100, path, error)) << error;
        EXPECT_GT(std::filesystem::file_size(path), 200u);
        std::filesystem::remove(path);
    }
    EXPECT_FALSE(ExportMapImage(doc, view, 200, 100, TempFile("map.gif"), error));
    EXPECT_NE(error.find("unknown image type"), std::string::npos);
    EXPECT_FALSE(ExportMapImage(doc, view, 200, 100, "/nonexistent-dir/x.png", error));
    EXPECT_NE(error.find("cannot write"), std::string::npos);
}

TEST(ImageExport, LongLabelsAndRotatedViews)
{
    CVorMapperDoc doc;
    doc.OnNewDocument();
    CRoom r = doc.GetRoom(1);
    r.m_info.m_strLabel = std::string(100000, 'W');
    r.m_info.m_crLabelBack = 0x00FFFF;
    doc.SetRoom(r);
    doc.m_dRotation = kPi / 4;
    doc.m_dZoom = 8.0;
    CViewState view;
    const std::string png = TempFile("long.png");
    std::string error;
    ASSERT_TRUE(ExportMapImage(doc, view, 300, 200, png, error)) << error;
    CPixels px(png);
    ASSERT_TRUE(px.Ok());
    EXPECT_TRUE(doc.GetRoom(1).m_info.m_hLabelRgn != nullptr);
    std::filesystem::remove(png);
}
