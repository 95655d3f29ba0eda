#include <filesystem>
#include <limits>

#include <gtest/gtest.h>

#include "mapper/model/document.h"
#include "mapper/model/map_file.h"
#include "mapper/model/tests/test_support.h"
#include "tools/vmm/tests/vmm_test_support.h"
#ifdef VORMAPPER_HAVE_CAIRO
#include <cairo.h>

// Fontconfig, under cairo's text, keeps caches for the life of the process;
// the leak checker of sanitizer builds is told so.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }
#endif

namespace {
// A map with every layer: rooms on three planes, a fill, a label, a
// recursive room, up and down exits and links.
void WriteSampleMap(const std::string& path, double zoom = 1.0, double rotation = 0.0)
{
    CVorMapperDoc doc;
    doc.OnNewDocument();
    const RoomId east = AddRoomAt(doc, 2, 0, 0), up = AddRoomAt(doc, 0, 0, 1);
    AddRoomAt(doc, 1, 1, -1);
    Join(doc, 1, DIR_E, east, DIR_W);
    Join(doc, 1, DIR_U, up, DIR_D);
    CRoom r = doc.GetRoom(east);
    r.m_crColor = 0x0000FF;
    r.m_bRecursive = true;
    r.m_info.m_strLabel = "Cellar";
    r.m_info.m_ptLabel = {90, -30};
    r.m_info.m_crLabelBack = 0x00FFFF;
    doc.SetRoom(r);
    doc.m_dZoom = zoom;
    doc.m_dRotation = rotation;
    std::string error;
    ASSERT_TRUE(SaveMapFile(doc, path, error)) << error;
}

#ifdef VORMAPPER_HAVE_CAIRO
struct CPng {
    cairo_surface_t* s;
    explicit CPng(const std::string& path) : s(cairo_image_surface_create_from_png(path.c_str())) {}
    ~CPng() { cairo_surface_destroy(s); }
    bool Ok() const { return cairo_surface_status(s) == CAIRO_STATUS_SUCCESS; }
    int Width() const { return cairo_image_surface_get_width(s); }
    int Height() const { return cairo_image_surface_get_height(s); }
    std::uint32_t Rgb(int x, int y) const
    {
        const unsigned char* d = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s) + x * 4;
        return *reinterpret_cast<const std::uint32_t*>(d) & 0xFFFFFF;  // 0xRRGGBB
    }
};
#endif
}  // namespace

#ifdef VORMAPPER_HAVE_CAIRO
TEST(VmmRender, DrawsEveryLayerInAllThreeFormats)
{
    CTempDir dir;
    const std::string map = dir.File("m.vmm");
    WriteSampleMap(map);
    for (const char* name : {"m.png", "m.svg", "m.pdf"}) {
        const CVmmRun run = RunVmm({"render", map, dir.File(name)});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_GT(std::filesystem::file_size(dir.File(name)), 500u) << name;
        // Without the grid, the rose, the state labels and the other planes there is less to draw.
        const std::string bare = dir.File(std::string("bare-") + name);
        ASSERT_EQ(RunVmm({"render", map, bare, "--no-grid", "--no-rose", "--no-state", "--no-higher", "--no-lower"})
                      .code,
                  0);
        EXPECT_LT(std::filesystem::file_size(bare), std::filesystem::file_size(dir.File(name))) << name;
    }
    CPng png(dir.File("m.png"));
    ASSERT_TRUE(png.Ok());
    EXPECT_EQ(png.Width(), 800);
    EXPECT_EQ(png.Height(), 600);
    EXPECT_EQ(png.Rgb(210, 230), 0xFFFFFFu);            // background
    EXPECT_EQ(png.Rgb(200 + 26 * 3, 599), 0xDCDCDCu);   // grid
    EXPECT_EQ(png.Rgb(259, 212), 0x000000u);            // outline of the east room
    EXPECT_EQ(png.Rgb(262, 216), 0xFF0000u);            // its red fill
    EXPECT_EQ(png.Rgb(213, 213), 0x64FF64u);            // current position
    EXPECT_EQ(png.Rgb(226, 213), 0x000000u);            // the link
    EXPECT_EQ(png.Rgb(224, 209), 0x000000u);            // the up marker
    EXPECT_EQ(png.Rgb(800 - 50 + 35, 600 - 50), 0xA30000u);  // the rose's east exit
    EXPECT_EQ(png.Rgb(800 - 50, 600 - 50 - 35), 0x0086FFu);  // north, no exit
}

TEST(VmmRender, DisplayTogglesSizeAndPlane)
{
    CTempDir dir;
    const std::string map = dir.File("m.vmm");
    WriteSampleMap(map);
    const std::string out = dir.File("t.png");
    ASSERT_EQ(RunVmm({"render", map, out, "--size", "300x200", "--no-grid", "--no-rose", "--no-state"}).code, 0);
    CPng png(out);
    ASSERT_TRUE(png.Ok());
    EXPECT_EQ(png.Width(), 300);
    EXPECT_EQ(png.Height(), 200);
    EXPECT_EQ(png.Rgb(200 + 26 * 3, 199), 0xFFFFFFu);  // no grid line
    EXPECT_EQ(png.Rgb(250, 150), 0xFFFFFFu);           // no rose
    // Plane 1 holds the room above: drawn black at the origin, room 1 below it with the lower pen.
    ASSERT_EQ(RunVmm({"render", map, out, "--plane", "1", "--no-grid"}).code, 0);
    CPng up(out);
    ASSERT_TRUE(up.Ok());
    EXPECT_EQ(up.Rgb(207, 212), 0x000000u);
    EXPECT_EQ(up.Rgb(217, 222), 0x96B4C8u);  // plane 0 as the lower plane, offset by 10
    ASSERT_EQ(RunVmm({"render", map, out, "--plane", "1", "--no-grid", "--no-lower"}).code, 0);
    CPng noLower(out);
    EXPECT_EQ(noLower.Rgb(217, 222), 0xFFFFFFu);
    // Follow centres the current room.
    ASSERT_EQ(RunVmm({"render", map, out, "--follow", "--size", "301x201", "--no-grid"}).code, 0);
    CPng follow(out);
    EXPECT_EQ(follow.Rgb(150, 100), 0x64FF64u);
}

TEST(VmmRender, UnusableZoomAndHugeRotationInTheFile)
{
    CTempDir dir;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double zoom : {0.0, -3.0, nan, std::numeric_limits<double>::infinity()}) {
        const std::string map = dir.File("z.vmm");
        WriteSampleMap(map, zoom, 1e300);
        const CVmmRun run = RunVmm({"render", map, dir.File("z.png")});
        EXPECT_EQ(run.code, 0) << zoom << " " << run.err;
    }
}
#else
TEST(VmmRender, ReportsThatImageExportIsMissing)
{
    CTempDir dir;
    const std::string map = dir.File("m.vmm");
    WriteSampleMap(map);
    const CVmmRun run = RunVmm({"render", map, dir.File("m.png")});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("not available"), std::string::npos);
}
#endif

TEST(VmmRender, BadArgumentsAreReported)
{
    CTempDir dir;
    const std::string map = dir.File("m.vmm");
    WriteSampleMap(map);
    const std::string png = dir.File("x.png");
    for (const VmmArgs& args : std::vector<VmmArgs>{{"render", map},
                                                    {"render", map, png, "--size", "0x10"},
                                                    {"render", map, png, "--size", "100"},
                                                    {"render", map, png, "--size", "9000x10"},
                                                    {"render", map, png, "--plane", "x"},
                                                    {"render", map, png, "--frobnicate"}}) {
        const CVmmRun run = RunVmm(args);
        EXPECT_EQ(run.code, 1) << args.back();
        EXPECT_FALSE(run.err.empty());
        EXPECT_FALSE(std::filesystem::exists(png));
    }
#ifdef VORMAPPER_HAVE_CAIRO
    CVmmRun run = RunVmm({"render", dir.File("missing.vmm"), png});
    EXPECT_EQ(run.code, 1);
    run = RunVmm({"render", map, dir.File("x.gif")});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("unknown image type"), std::string::npos);
#endif
}
