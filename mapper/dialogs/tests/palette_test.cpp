// The palette grid's arithmetic and the palette file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "mapper/dialogs/palette_file.h"
#include "mapper/dialogs/palette_model.h"

namespace {
// The grid of the palette dialog: 222 x 162 client pixels, 16-pixel bar (at
// 96 dpi; in proportion at other resolutions).
CPaletteModel DialogGrid(std::vector<ColorRef> colors, int dpi = 96)
{
    CPaletteModel m;
    m.m_colors = std::move(colors);
    m.SetDpi(dpi);
    m.Layout(ScaleToDpi(222, dpi), ScaleToDpi(162, dpi), ScaleToDpi(16, dpi));
    return m;
}

std::vector<ColorRef> Colors(int n)
{
    std::vector<ColorRef> c;
    for (int i = 0; i < n; ++i)
        c.push_back(static_cast<ColorRef>(i * 0x010203));
    return c;
}

std::size_t ReadBytes(const std::string& data, std::size_t& at, void* p, std::size_t n)
{
    const std::size_t k = std::min(n, data.size() - at);
    std::memcpy(p, data.data() + at, k);
    at += k;
    return k;
}

bool Parse(const std::string& data, std::vector<ColorRef>& colors)
{
    std::size_t at = 0;
    return ReadPalette([&](void* p, std::size_t n) { return ReadBytes(data, at, p, n); }, colors);
}

std::string Header(std::int32_t count, unsigned char version = 1)
{
    std::string h(1, static_cast<char>(version));
    for (int i = 0; i < 4; ++i)
        h.push_back(static_cast<char>((static_cast<std::uint32_t>(count) >> (8 * i)) & 0xFF));
    return h;
}

std::string TempPath(const char* name) { return ::testing::TempDir() + name; }
}  // namespace

TEST(PaletteModel, SixteenStartingColoursInOrder)
{
    const std::vector<ColorRef> c = DefaultPaletteColors();
    ASSERT_EQ(c.size(), 16u);
    EXPECT_EQ(c[0], 0x0000FFu);   // red
    EXPECT_EQ(c[1], 0x00FFFFu);   // yellow
    EXPECT_EQ(c[4], 0xFF0000u);   // blue
    EXPECT_EQ(c[7], 0xC0C0C0u);   // light grey
    EXPECT_EQ(c[9], 0u);          // black
    EXPECT_EQ(c[15], 0x800080u);  // purple
}

TEST(PaletteModel, LayoutOfTheDialogGrid)
{
    // At 96 dpi 20-pixel cells with 18-pixel swatches one pixel in; at 144
    // and 192 the same grid in proportion.
    for (int dpi : {96, 144, 192}) {
        CPaletteModel m = DialogGrid(DefaultPaletteColors(), dpi);
        const int cell = ScaleToDpi(20, dpi), in = ScaleToDpi(1, dpi);
        EXPECT_EQ(m.m_nColumns, 10) << dpi;
        EXPECT_EQ(m.m_nVisibleRows, 8) << dpi;
        EXPECT_EQ(m.m_nScrollMax, 0) << dpi;
        EXPECT_EQ(m.m_nSelected, 1) << dpi;
        EXPECT_EQ(m.m_nSwatch, ScaleToDpi(18, dpi)) << dpi;
        EXPECT_LE(in + m.m_nSwatch, m.m_nCell) << dpi;  // a swatch stays inside its cell
        // The "..." button: cell 16, second row, seventh cell.
        int x, y;
        m.CellOrigin(16, x, y);
        EXPECT_EQ(x, in + cell * 6) << dpi;
        EXPECT_EQ(y, in + cell) << dpi;
        m.CellOrigin(0, x, y);
        EXPECT_EQ(x, in) << dpi;
        EXPECT_EQ(y, in) << dpi;
    }
    EXPECT_EQ(ScaleToDpi(20, 144), 30);
    EXPECT_EQ(ScaleToDpi(1, 144), 2);  // halves round up
}

TEST(PaletteModel, ClicksAtAScreenResolutionFindTheScaledCells)
{
    CPaletteModel m = DialogGrid(DefaultPaletteColors(), 144);
    EXPECT_TRUE(m.Click(30 + 29, 30 + 1));  // the last pixel of column 1, row 1
    EXPECT_EQ(m.m_nSelected, 12);
    EXPECT_FALSE(m.Click(30 * 6 + 5, 35));  // the button's cell
    EXPECT_FALSE(m.Click(30 * 10 + 5, 5));  // the strip right of the last column
    EXPECT_EQ(m.m_nSelected, 12);
}

TEST(PaletteModel, AnEmptyPaletteShowsOnlyTheButtonAndSelectsNothing)
{
    CPaletteModel m = DialogGrid({});
    int x, y;
    m.CellOrigin(0, x, y);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 1);
    ColorRef c = 123;
    EXPECT_FALSE(m.SelectedColor(c));
    EXPECT_EQ(c, 123u);
    EXPECT_FALSE(m.Click(5, 5));
    EXPECT_FALSE(m.Wheel(-120));
}

TEST(PaletteModel, ClicksSelectOnlyColours)
{
    CPaletteModel m = DialogGrid(DefaultPaletteColors());
    EXPECT_TRUE(m.Click(25, 25));  // column 1, row 1
    EXPECT_EQ(m.m_nSelected, 12);
    EXPECT_FALSE(m.Click(125, 25));  // the button's cell
    EXPECT_FALSE(m.Click(5, 45));    // below the last swatch
    EXPECT_FALSE(m.Click(205, 5));   // the strip right of the last column
    EXPECT_EQ(m.m_nSelected, 12);
    ColorRef c = 0;
    ASSERT_TRUE(m.SelectedColor(c));
    EXPECT_EQ(c, 0x008080u);  // olive
}

TEST(PaletteModel, SelectingByValueFindsOrAppendsAndScrolls)
{
    CPaletteModel m = DialogGrid(DefaultPaletteColors());
    m.SelectByValue(0x00FF00u);
    EXPECT_EQ(m.m_nSelected, 3);
    EXPECT_EQ(m.m_colors.size(), 16u);
    m.SelectByValue(0x123456u);
    EXPECT_EQ(m.m_colors.size(), 17u);
    EXPECT_EQ(m.m_nSelected, 17);
    EXPECT_EQ(m.m_nScrollPos, 0);

    // 100 colours: 101 cells, 11 rows, 3 beyond the 8 visible.
    CPaletteModel big = DialogGrid(Colors(100));
    EXPECT_EQ(big.m_nScrollMax, 3);
    big.SelectByValue(0xABCDEFu);  // appended as the 101st: needs the 11th row
    EXPECT_EQ(big.m_nSelected, 101);
    EXPECT_EQ(big.m_nScrollMax, 3);
    EXPECT_EQ(big.m_nScrollPos, 3);
    EXPECT_EQ(big.IndexAt(5, 7 * 20 + 5), 101);
}

TEST(PaletteModel, WheelAndScrollBar)
{
    CPaletteModel m = DialogGrid(Colors(200));  // 201 cells: 21 rows, maximum 13
    ASSERT_EQ(m.m_nScrollMax, 13);
    EXPECT_TRUE(m.Wheel(-240));
    EXPECT_EQ(m.m_nScrollPos, 2);
    EXPECT_TRUE(m.Wheel(120));
    EXPECT_EQ(m.m_nScrollPos, 1);
    EXPECT_FALSE(m.Wheel(60));
    EXPECT_FALSE(m.Wheel(-119));
    EXPECT_EQ(m.m_nScrollPos, 1);
    EXPECT_TRUE(m.Wheel(-120 * 50));
    EXPECT_EQ(m.m_nScrollPos, 13);
    EXPECT_FALSE(m.Scroll(PALETTE_LINEDOWN, 0));
    EXPECT_TRUE(m.Scroll(PALETTE_PAGEUP, 0));
    EXPECT_EQ(m.m_nScrollPos, 12);
    EXPECT_TRUE(m.Scroll(PALETTE_THUMBTRACK, 4));
    EXPECT_EQ(m.m_nScrollPos, 4);
    EXPECT_FALSE(m.Scroll(4 /* thumb position */, 9));
    EXPECT_FALSE(m.Scroll(8 /* end scroll */, 9));
    EXPECT_TRUE(m.Scroll(PALETTE_THUMBTRACK, 99));
    EXPECT_EQ(m.m_nScrollPos, 13);
    // Clicks count from the first visible row.
    EXPECT_EQ(m.IndexAt(5, 5), 131);
}

TEST(PaletteModel, ATinyWindowStillHasOneCell)
{
    CPaletteModel m;
    m.Layout(10, 10, 16);
    EXPECT_EQ(m.m_nColumns, 1);
    EXPECT_EQ(m.m_nVisibleRows, 1);
    EXPECT_EQ(m.m_nScrollMax, 16);
}

TEST(PaletteFile, BytesOfSeventeenColours)
{
    std::vector<ColorRef> c = DefaultPaletteColors();
    c.push_back(0x00ABCDEFu);
    const std::string bytes = PaletteFileBytes(c);
    ASSERT_EQ(bytes.size(), 73u);
    EXPECT_EQ(bytes.substr(0, 5), Header(17));
    EXPECT_EQ(bytes.substr(69), std::string("\xEF\xCD\xAB\x00", 4));
    std::vector<ColorRef> back;
    ASSERT_TRUE(Parse(bytes, back));
    EXPECT_EQ(back, c);
}

TEST(PaletteFile, VersionIsIgnoredAndCountZeroEmpties)
{
    std::vector<ColorRef> c = DefaultPaletteColors();
    ASSERT_TRUE(Parse(Header(0, 7), c));
    EXPECT_TRUE(c.empty());
}

TEST(PaletteFile, AShortHeaderChangesNothing)
{
    std::vector<ColorRef> c = DefaultPaletteColors();
    EXPECT_FALSE(Parse("", c));
    EXPECT_FALSE(Parse(Header(3).substr(0, 4), c));
    EXPECT_EQ(c, DefaultPaletteColors());
}

TEST(PaletteFile, ACountBeyondTheDataReadsWhatIsThere)
{
    std::vector<ColorRef> c;
    std::string data = Header(5) + std::string("\x01\x02\x03\x00\x04\x05\x06\x00\x07\x08", 10);
    ASSERT_TRUE(Parse(data, c));
    EXPECT_EQ(c, (std::vector<ColorRef>{0x030201u, 0x060504u}));  // the cut third colour is dropped

    // A hostile count: nothing is allocated for it, what the data holds is read.
    ASSERT_TRUE(Parse(Header(0x7FFFFFFF) + std::string("\x11\x22\x33\x00", 4), c));
    EXPECT_EQ(c, (std::vector<ColorRef>{0x332211u}));
}

TEST(PaletteFile, ANegativeCountReadsNothing)
{
    std::vector<ColorRef> c = DefaultPaletteColors();
    ASSERT_TRUE(Parse(Header(-1) + std::string(8, '\x05'), c));
    EXPECT_TRUE(c.empty());
    ASSERT_TRUE(Parse(Header(INT32_MIN), c));
    EXPECT_TRUE(c.empty());
}

TEST(PaletteFile, ACountLongerThanTheBlockReadsInFull)
{
    const std::vector<ColorRef> many = Colors(5000);
    std::vector<ColorRef> c;
    ASSERT_TRUE(Parse(PaletteFileBytes(many), c));
    EXPECT_EQ(c, many);
}

TEST(PaletteFile, SaveAndLoadByPath)
{
    const std::string path = TempPath("palette_roundtrip.vmp");
    std::vector<ColorRef> c = {0x010203u, 0xFFFFFFu};
    unsigned long error = 1;
    ASSERT_TRUE(SavePaletteFile(path, c, error));
    EXPECT_EQ(error, 0u);
    std::vector<ColorRef> back = DefaultPaletteColors();
    ASSERT_TRUE(LoadPaletteFile(path, back));
    EXPECT_EQ(back, c);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}).size(), 13u);
    std::remove(path.c_str());
}

TEST(PaletteFile, AMissingFileOrFolderKeepsTheColours)
{
    std::vector<ColorRef> c = DefaultPaletteColors();
    EXPECT_FALSE(LoadPaletteFile(TempPath("no_such_palette.vmp"), c));
    EXPECT_EQ(c, DefaultPaletteColors());
    unsigned long error = 0;
    EXPECT_FALSE(SavePaletteFile(TempPath("no_such_folder/palette.vmp"), c, error));
    EXPECT_NE(error, 0u);
}

TEST(PaletteFile, LiesInTheProgramDirectory)
{
    const std::string path = DefaultPalettePath();
    ASSERT_GT(path.size(), std::strlen(kPaletteFileName));
    EXPECT_EQ(path.substr(path.size() - 11), "palette.vmp");
    const char sep = path[path.size() - 12];
    EXPECT_TRUE(sep == '/' || sep == '\\');
}
