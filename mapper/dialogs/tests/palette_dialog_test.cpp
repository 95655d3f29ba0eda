// The palette dialog run modally, driven with real messages; the palette
// file is the one in the program's directory.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include <windows.h>

#include "framework/win/tests/dialog_driver.h"
#include "mapper/dialogs/palette_file.h"
#include "mapper/dialogs/palette_win.h"
#include "mapper/dialogs/tests/win_test_support.h"
#include "mapper/res/resource.h"

using vfw::test::CDialogDriver;
using vfw::test::Click;

namespace {
class PaletteDialog : public ::testing::Test {
protected:
    void SetUp() override { std::remove(m_path.c_str()); }
    void TearDown() override { std::remove(m_path.c_str()); }

    std::string FileBytes() const
    {
        std::ifstream in(m_path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool FileExists() const { return ::GetFileAttributesA(m_path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    void WriteFile(const std::string& bytes) const
    {
        std::ofstream(m_path, std::ios::binary) << bytes;
    }
    std::vector<ColorRef> FileColors() const
    {
        std::vector<ColorRef> c;
        EXPECT_TRUE(LoadPaletteFile(m_path, c));
        return c;
    }
    static HWND Grid(HWND dlg) { return ::GetDlgItem(dlg, IDC_PALETTE_GRID); }
    // Centre of the cell of a 0-based index, in the grid's client pixels (of
    // 20-pixel cells at 96 dpi).
    static POINT CellCentre(int k, int columns = 10)
    {
        const int cell = dlgtest::Px(20), half = dlgtest::Px(10);
        return {cell * (k % columns) + half, cell * (k / columns) + half};
    }

    std::string m_path = DefaultPalettePath();
};
}  // namespace

TEST_F(PaletteDialog, OpensWithTheGridAndItsButtonAndFocus)
{
    CPaletteDialog dlg;
    dlg.Init(kColorNone);
    RECT rc{};
    HWND focus = nullptr, grid = nullptr, button = nullptr;
    char text[64] = "", buttonText[8] = "";
    RECT buttonRc{};
    CDialogDriver driver({[&](HWND h) {
        grid = Grid(h);
        focus = ::GetFocus();
        ::GetWindowRect(grid, &rc);
        ::MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&rc), 2);
        ::GetWindowTextA(grid, text, sizeof text);
        button = ::GetDlgItem(grid, IDC_PALETTE_MORE);
        ::GetWindowTextA(button, buttonText, sizeof buttonText);
        ::UpdateWindow(grid);
        ::GetWindowRect(button, &buttonRc);
        ::MapWindowPoints(nullptr, grid, reinterpret_cast<POINT*>(&buttonRc), 2);
        Click(h, IDCANCEL);
    }});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(driver.InitialCaption(), "Palette");
    EXPECT_NE(grid, nullptr);
    EXPECT_EQ(focus, grid);
    // 96-dpi pixels, in proportion at other resolutions.
    using dlgtest::Px;
    EXPECT_EQ(rc.left, Px(4));
    EXPECT_EQ(rc.top, Px(4));
    EXPECT_EQ(rc.right, Px(230));
    EXPECT_EQ(rc.bottom, Px(170));
    EXPECT_STREQ(text, "Palette");
    EXPECT_STREQ(buttonText, "...");
    // 16 colours in 10 columns: the button in the second row, seventh cell.
    EXPECT_EQ(dlg.m_grid.m_model.m_nColumns, 10);
    EXPECT_EQ(buttonRc.left, Px(1) + 6 * Px(20));
    EXPECT_EQ(buttonRc.top, Px(1) + Px(20));
    EXPECT_EQ(buttonRc.right - buttonRc.left, Px(18));
    EXPECT_FALSE(FileExists());  // Cancel writes nothing
}

TEST_F(PaletteDialog, AColourNotInThePaletteIsAppendedAndWrittenByOk)
{
    {
        CPaletteDialog dlg;
        dlg.Init(0x00123456u);
        CDialogDriver driver({[&](HWND h) { Click(h, IDCANCEL); }});
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_FALSE(FileExists());
    }
    CPaletteDialog dlg;
    dlg.Init(0x00123456u);
    CDialogDriver driver({[&](HWND h) { Click(h, IDOK); }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ColorRef chosen = 0;
    ASSERT_TRUE(dlg.GetSelectedColor(chosen));
    EXPECT_EQ(chosen, 0x00123456u);
    const std::string bytes = FileBytes();
    ASSERT_EQ(bytes.size(), 73u);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(FileColors().back(), 0x00123456u);
}

TEST_F(PaletteDialog, TheFileIsReadAtEachOpeningAndAFarColourScrollsIntoView)
{
    std::vector<ColorRef> many;
    for (int i = 0; i < 120; ++i)
        many.push_back(static_cast<ColorRef>(0x000101 * i));
    WriteFile(PaletteFileBytes(many));
    CPaletteDialog dlg;
    dlg.Init(many[110]);
    int scroll = -1;
    CDialogDriver driver({[&](HWND h) {
        scroll = ::GetScrollPos(Grid(h), SB_VERT);
        Click(h, IDOK);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_grid.m_model.m_colors.size(), 120u);
    EXPECT_EQ(dlg.m_grid.m_model.m_nSelected, 111);
    EXPECT_EQ(scroll, 4);  // row 11 of 13 in the last of 8 visible rows
    EXPECT_EQ(FileColors(), many);
}

TEST_F(PaletteDialog, ClickWheelScrollBarThenOk)
{
    std::vector<ColorRef> many;
    for (int i = 0; i < 300; ++i)
        many.push_back(static_cast<ColorRef>(i));
    WriteFile(PaletteFileBytes(many));
    CPaletteDialog dlg;
    dlg.Init(kColorNone);
    int afterWheel = -1, afterHalf = -1, afterBar = -1, afterUp = -1;
    CDialogDriver driver({[&](HWND h) {
        HWND g = Grid(h);
        ::SendMessageA(g, WM_MOUSEWHEEL, MAKEWPARAM(0, -240), 0);
        afterWheel = ::GetScrollPos(g, SB_VERT);
        ::SendMessageA(g, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0);
        afterHalf = ::GetScrollPos(g, SB_VERT);
        ::SendMessageA(g, WM_VSCROLL, SB_PAGEDOWN, 0);
        afterBar = ::GetScrollPos(g, SB_VERT);
        ::SendMessageA(g, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
        afterUp = ::GetScrollPos(g, SB_VERT);
        const POINT p = CellCentre(3);
        dlgtest::SendClick(g, p.x, p.y);  // row 2 + first row 0 ... index 2*10+3+1
        Click(h, IDOK);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(afterWheel, 2);
    EXPECT_EQ(afterHalf, 2);
    EXPECT_EQ(afterBar, 3);
    EXPECT_EQ(afterUp, 2);
    ColorRef chosen = 0;
    ASSERT_TRUE(dlg.GetSelectedColor(chosen));
    EXPECT_EQ(chosen, 23u);
}

TEST_F(PaletteDialog, ADoubleClickEndsWithOkWithoutWritingTheFile)
{
    CPaletteDialog dlg;
    dlg.Init(kColorNone);
    CDialogDriver driver({[&](HWND h) {
        const POINT p = CellCentre(4);  // blue
        dlgtest::PostDoubleClick(Grid(h), p.x, p.y);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(driver.TimedOut());
    ColorRef chosen = 0;
    ASSERT_TRUE(dlg.GetSelectedColor(chosen));
    EXPECT_EQ(chosen, 0xFF0000u);
    EXPECT_FALSE(FileExists());
}

TEST_F(PaletteDialog, AClickBelowTheLastSwatchChangesNothing)
{
    CPaletteDialog dlg;
    dlg.Init(0x00FFFF00u);  // cyan, the fourth
    CDialogDriver driver({[&](HWND h) {
        dlgtest::PostDoubleClick(Grid(h), dlgtest::Px(50), dlgtest::Px(150));
        dlgtest::PostClick(Grid(h), dlgtest::Px(215), dlgtest::Px(5));  // the strip right of the last column
    },
                          [&](HWND h) { Click(h, IDCANCEL); }});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_grid.m_model.m_nSelected, 4);
}

TEST_F(PaletteDialog, AChangeOfResolutionLaysTheGridOutAgainKeepingTheSelection)
{
    CPaletteDialog dlg;
    dlg.Init(0x00FFFF00u);  // cyan, the fourth
    RECT rc{}, buttonRc{};
    CDialogDriver driver({[&](HWND h) {
                              ::MoveWindow(Grid(h), 0, 0, 50, 50, TRUE);
                              ::SendMessageA(h, WM_DPICHANGED_AFTERPARENT, 0, 0);
                          },
                          [&](HWND h) {
                              ::GetWindowRect(Grid(h), &rc);
                              ::MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&rc), 2);
                              HWND button = ::GetDlgItem(Grid(h), IDC_PALETTE_MORE);
                              ::GetWindowRect(button, &buttonRc);
                              ::MapWindowPoints(nullptr, Grid(h), reinterpret_cast<POINT*>(&buttonRc), 2);
                              Click(h, IDCANCEL);
                          }});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    using dlgtest::Px;
    EXPECT_EQ(rc.left, Px(4));
    EXPECT_EQ(rc.right, Px(230));
    EXPECT_EQ(rc.bottom, Px(170));
    EXPECT_EQ(dlg.m_grid.m_model.m_nColumns, 10);
    EXPECT_EQ(dlg.m_grid.m_model.m_nSelected, 4);
    EXPECT_EQ(buttonRc.left, Px(1) + 6 * Px(20));
    EXPECT_EQ(buttonRc.right - buttonRc.left, Px(18));
}

TEST_F(PaletteDialog, AnEmptyPaletteShowsOnlyTheButtonAndGivesNoColour)
{
    WriteFile(std::string("\x01\x00\x00\x00\x00", 5));
    CPaletteDialog dlg;
    dlg.Init(kColorNone);
    RECT buttonRc{};
    CDialogDriver driver({[&](HWND h) {
        HWND button = ::GetDlgItem(Grid(h), IDC_PALETTE_MORE);
        ::UpdateWindow(Grid(h));
        ::GetWindowRect(button, &buttonRc);
        ::MapWindowPoints(nullptr, Grid(h), reinterpret_cast<POINT*>(&buttonRc), 2);
        dlgtest::SendClick(Grid(h), 5, 5);
        Click(h, IDOK);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(buttonRc.left, dlgtest::Px(1));
    EXPECT_EQ(buttonRc.top, dlgtest::Px(1));
    ColorRef chosen = 77;
    EXPECT_FALSE(dlg.GetSelectedColor(chosen));
    EXPECT_EQ(chosen, 77u);
    EXPECT_EQ(FileBytes().size(), 5u);
}

TEST_F(PaletteDialog, BadFilesGiveWhatTheyHold)
{
    // A count far beyond the data: the two colours that are there.
    WriteFile(std::string("\x01\xFF\xFF\xFF\x7F\x01\x02\x03\x00\x04\x05\x06\x00\x07", 14));
    CPaletteDialog dlg;
    dlg.Init(kColorNone);
    EXPECT_EQ(dlg.m_grid.m_model.m_colors, (std::vector<ColorRef>{0x030201u, 0x060504u}));
    // A negative count: an empty palette.
    WriteFile(std::string("\x01\xFE\xFF\xFF\xFF\x01\x02\x03\x00", 9));
    CPaletteDialog negative;
    negative.Init(kColorNone);
    EXPECT_TRUE(negative.m_grid.m_model.m_colors.empty());
    // Shorter than its header: the sixteen starting colours.
    WriteFile(std::string("\x01\x10", 2));
    CPaletteDialog shortFile;
    shortFile.Init(kColorNone);
    EXPECT_EQ(shortFile.m_grid.m_model.m_colors, DefaultPaletteColors());
}

TEST_F(PaletteDialog, AFileOpenedElsewhereGivesTheStartingColours)
{
    WriteFile(PaletteFileBytes({0x111111u}));
    HANDLE lock = ::CreateFileA(m_path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    CPaletteDialog dlg;
    dlg.Init(kColorNone);
    EXPECT_EQ(dlg.m_grid.m_model.m_colors, DefaultPaletteColors());
    // OK cannot write it either: the framework's message, and the dialog stays open.
    std::string message;
    bool answered = false, stillOpen = false;
    CDialogDriver driver({[&](HWND h) { ::PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); },
                          [&](HWND h) { answered = dlgtest::Answer("VorMapper", IDOK, &message); },
                          [&](HWND h) {
                              stillOpen = ::IsWindowVisible(h) != FALSE;
                              Click(h, IDCANCEL);
                          }});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ::CloseHandle(lock);
    EXPECT_TRUE(answered);
    EXPECT_TRUE(stillOpen);
    EXPECT_NE(message.find("Unable to write to "), std::string::npos) << message;
    EXPECT_NE(message.find("palette.vmp"), std::string::npos) << message;
    EXPECT_EQ(FileColors(), (std::vector<ColorRef>{0x111111u}));
}

TEST_F(PaletteDialog, TheColourChooserAddsItsColour)
{
    CPaletteDialog dlg;
    dlg.Init(kColorNone);
    HWND chooser = nullptr;
    CDialogDriver driver({[&](HWND h) {
                              ::PostMessageA(::GetDlgItem(Grid(h), IDC_PALETTE_MORE), BM_CLICK, 0, 0);
                          },
                          [&](HWND h) {
                              // The chooser: the window of this thread that the palette owns.
                              for (HWND w = ::GetWindow(::GetDesktopWindow(), GW_CHILD); w;
                                   w = ::GetWindow(w, GW_HWNDNEXT)) {
                                  if (::GetWindowThreadProcessId(w, nullptr) == ::GetCurrentThreadId() &&
                                      ::GetWindow(w, GW_OWNER) == h) {
                                      chooser = w;
                                      break;
                                  }
                              }
                              if (!chooser)
                                  return;
                              ::SetDlgItemTextA(chooser, 706, "10");   // red
                              ::SetDlgItemTextA(chooser, 707, "20");   // green
                              ::SetDlgItemTextA(chooser, 708, "30");   // blue
                          },
                          [&](HWND h) {
                              if (chooser)
                                  ::PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                          },
                          [&](HWND h) {
                              if (chooser && ::IsWindow(chooser))  // never leave it open
                                  ::PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                              else
                                  Click(h, IDOK);
                          },
                          [&](HWND h) { Click(h, IDOK); }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_NE(chooser, nullptr);
    ColorRef chosen = 0;
    ASSERT_TRUE(dlg.GetSelectedColor(chosen));
    EXPECT_EQ(chosen, RGB(10, 20, 30));
    EXPECT_EQ(dlg.m_grid.m_model.m_nSelected, 17);
    EXPECT_EQ(FileBytes().size(), 73u);
}
