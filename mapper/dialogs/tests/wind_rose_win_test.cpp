// The wind rose control in a real window: clicks, notifications, painting.
#include <gtest/gtest.h>

#include <vector>

#include <windows.h>

#include "mapper/dialogs/tests/win_test_support.h"
#include "mapper/view/wind_rose_win.h"

namespace {
struct CNotice {
    WORD id, code;
    HWND from;
};

// A top-level window that records the commands its children send.
class CParent : public vfw::CWnd {
public:
    CParent()
    {
        RegisterWindowClass("vmtest:RoseParent", 0, nullptr, ::LoadCursorA(nullptr, IDC_ARROW),
                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        CreateEx(0, "vmtest:RoseParent", "Rose test", WS_POPUP | WS_VISIBLE, 40, 40, 300, 200, nullptr, nullptr);
    }
    std::vector<CNotice> notices;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_COMMAND)
            notices.push_back({LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)});
        return Default(msg, wp, lp);
    }
};

using dlgtest::Px;

// The cells' side at the screen's resolution (30 at 96 dpi), the middle of
// cell `n`, and the width of the buttons' lines.
int C() { return RoseCellAt(dlgtest::Dpi()); }
int Mid(int n) { return n * C() + C() / 2; }
int Line() { return dlgtest::Dpi() >= 192 ? dlgtest::Dpi() / 96 : 1; }

std::array<int, kDirCount> AllHiddenBut(Direction shown)
{
    std::array<int, kDirCount> h;
    h.fill(1);
    if (IsDirection(shown))
        h[shown] = 0;
    return h;
}
}  // namespace

TEST(WindRoseControl, CreatedAsAChildOfFixedSize)
{
    CParent parent;
    CWindRose rose;
    ASSERT_TRUE(rose.Create(WS_CHILD | WS_VISIBLE, 8, 15, parent.m_hWnd, 101));
    char text[32] = "";
    ::GetWindowTextA(rose.m_hWnd, text, sizeof text);
    EXPECT_STREQ(text, "WindRose");
    RECT rc;
    ::GetWindowRect(rose.m_hWnd, &rc);
    ::MapWindowPoints(nullptr, parent.m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.left, 8);
    EXPECT_EQ(rc.top, 15);
    EXPECT_EQ(rc.right - rc.left, Px(120));
    EXPECT_EQ(rc.bottom - rc.top, Px(90));
    EXPECT_EQ(rose.Width(), Px(120));
    EXPECT_EQ(rose.Cell(), Px(30));
    EXPECT_EQ(::GetDlgCtrlID(rose.m_hWnd), 101);
    EXPECT_EQ(rose.GetSelected(), DIR_NONE);
    char cls[64] = "";
    ::GetClassNameA(rose.m_hWnd, cls, sizeof cls);
    EXPECT_TRUE(::GetClassLongA(rose.m_hWnd, GCL_STYLE) & CS_DBLCLKS) << cls;
}

TEST(WindRoseControl, AClickSelectsAndTellsTheParentLikeAButton)
{
    CParent parent;
    CWindRose rose;
    ASSERT_TRUE(rose.Create(WS_CHILD | WS_VISIBLE, 0, 0, parent.m_hWnd, 101));
    dlgtest::SendClick(rose.m_hWnd, Mid(2), Mid(0));
    EXPECT_EQ(rose.GetSelected(), DIR_NE);
    ASSERT_EQ(parent.notices.size(), 1u);
    EXPECT_EQ(parent.notices[0].id, 101);
    EXPECT_EQ(parent.notices[0].code, BN_CLICKED);
    EXPECT_EQ(parent.notices[0].from, rose.m_hWnd);
    // The selected one again: told again.
    dlgtest::SendClick(rose.m_hWnd, Mid(2), Mid(0));
    EXPECT_EQ(parent.notices.size(), 2u);
    // The two empty cells: nothing.
    dlgtest::SendClick(rose.m_hWnd, Mid(1), Mid(1));
    dlgtest::SendClick(rose.m_hWnd, Mid(3), Mid(1));
    EXPECT_EQ(parent.notices.size(), 2u);
    EXPECT_EQ(rose.GetSelected(), DIR_NE);
}

TEST(WindRoseControl, HiddenDirectionsTakeNoClicksAndPaintNothing)
{
    CParent parent;
    CWindRose rose;
    ASSERT_TRUE(rose.Create(WS_CHILD | WS_VISIBLE, 0, 0, parent.m_hWnd, 0));
    rose.SetHidden(AllHiddenBut(DIR_N));
    for (int col = 0; col < kRoseColumns; ++col)
        for (int row = 0; row < kRoseRows; ++row)
            dlgtest::SendClick(rose.m_hWnd, Mid(col), Mid(row));
    EXPECT_EQ(rose.GetSelected(), DIR_N);  // the one click that counted
    ASSERT_EQ(parent.notices.size(), 1u);
    EXPECT_EQ(parent.notices[0].id, 0);

    rose.SetSelected(DIR_NONE);
    dlgtest::CClientPicture pic(rose.m_hWnd);
    // North: the black outline of a raised button; every other cell blank.
    EXPECT_EQ(pic.At(C() + Px(2), Px(2)), RGB(0, 0, 0));
    const int c = C();
    for (int col = 0; col < kRoseColumns; ++col)
        for (int row = 0; row < kRoseRows; ++row)
            if (RoseCellDirection(col, row) != DIR_N)
                EXPECT_EQ(pic.Marked(col * c, row * c, col * c + c, row * c + c), 0) << col << "," << row;
    EXPECT_GT(pic.Marked(c, 0, 2 * c, c), 60);  // frame and arrow
}

TEST(WindRoseControl, MarkingTheSelectedDirectionHiddenKeepsItShownAndSelected)
{
    CParent parent;
    CWindRose rose;
    ASSERT_TRUE(rose.Create(WS_CHILD | WS_VISIBLE, 0, 0, parent.m_hWnd, 0));
    rose.SetSelected(DIR_D);
    rose.SetHidden(AllHiddenBut(DIR_NONE));
    EXPECT_EQ(rose.GetSelected(), DIR_D);
    EXPECT_FALSE(rose.IsHidden(DIR_D));
    dlgtest::CClientPicture pic(rose.m_hWnd);
    // Pressed: the shadow on the top-left corner, the window colour inside.
    const int c = C();
    EXPECT_EQ(pic.At(3 * c + Px(2), 2 * c + Px(2)), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pic.At(4 * c - Px(2) - 1, 3 * c - Px(2) - 1), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_GT(pic.Marked(3 * c, 2 * c, 4 * c, 3 * c), 60);
}

TEST(WindRoseControl, TheShortNameShowsInTheMiddleOnlyWhenSelected)
{
    CParent parent;
    CWindRose rose;
    ASSERT_TRUE(rose.Create(WS_CHILD | WS_VISIBLE, 0, 0, parent.m_hWnd, 0));
    rose.SetSelected(DIR_NE);
    {
        dlgtest::CClientPicture pic(rose.m_hWnd);
        const int c = C(), in = Px(2);
        EXPECT_GT(pic.Marked(c + in, c + in, 2 * c - in, 2 * c - in), 5);  // "NE" over the empty centre cell
        EXPECT_EQ(pic.Marked(3 * c + in, c + in, 4 * c - in, 2 * c - in), 0);
    }
    rose.SetSelected(DIR_NONE);
    {
        dlgtest::CClientPicture pic(rose.m_hWnd);
        const int c = C(), in = Px(2);
        EXPECT_EQ(pic.Marked(c + in, c + in, 2 * c - in, 2 * c - in), 0);
        // No cell pressed: the raised frame's highlight at every shown cell.
        EXPECT_EQ(pic.At(2 * c + in + Line(), in + Line()), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    }
}

namespace {
// The black outline of a cell's button, shrunk by `by` from the cell, is whole.
int BrokenOutline(const dlgtest::CClientPicture& pic, int col, int row, int by)
{
    const int x0 = col * C(), y0 = row * C(), lo = by, hi = C() - 1 - by;
    int broken = 0;
    for (int i = lo; i <= hi; ++i) {
        broken += pic.At(x0 + i, y0 + lo) != RGB(0, 0, 0);
        broken += pic.At(x0 + i, y0 + hi) != RGB(0, 0, 0);
        broken += pic.At(x0 + lo, y0 + i) != RGB(0, 0, 0);
        broken += pic.At(x0 + hi, y0 + i) != RGB(0, 0, 0);
    }
    return broken;
}
}  // namespace

TEST(WindRoseControl, ArrowsStayInsideTheirButtons)
{
    CParent parent;
    CWindRose rose;
    ASSERT_TRUE(rose.Create(WS_CHILD | WS_VISIBLE, 0, 0, parent.m_hWnd, 0));
    rose.SetSelected(DIR_SE);
    dlgtest::CClientPicture pic(rose.m_hWnd);
    for (int col = 0; col < kRoseColumns; ++col)
        for (int row = 0; row < kRoseRows; ++row) {
            const Direction d = RoseCellDirection(col, row);
            if (d == DIR_NONE)
                continue;
            // Raised: outline and highlight untouched; pressed: the inner outline.
            const bool pressed = d == DIR_SE;
            EXPECT_EQ(BrokenOutline(pic, col, row, Px(pressed ? 3 : 2)), 0) << RoseShortName(d);
            const int c = C(), x = col * c, y = row * c, light = Px(2) + Line();
            if (!pressed)
                for (int i = light + 1; i <= c - 2 - light; ++i)
                    EXPECT_EQ(pic.At(x + i, y + light), ::GetSysColor(COLOR_BTNHIGHLIGHT))
                        << RoseShortName(d) << " at " << i;
            EXPECT_GT(pic.Marked(x + Px(5), y + Px(5), x + c - Px(5), y + c - Px(5)), 40) << RoseShortName(d);
        }
}

namespace {
// A parent whose static controls stand on white, as on a themed page.
class CWhiteParent : public CParent {
protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_CTLCOLORSTATIC)
            return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
        return CParent::WindowProc(msg, wp, lp);
    }
};
}  // namespace

TEST(WindRoseControl, TheGroundIsTheParentsGroundForItsStatics)
{
    CWhiteParent white;
    CWindRose rose;
    ASSERT_TRUE(rose.Create(WS_CHILD | WS_VISIBLE, 10, 10, white.m_hWnd, 0));
    HDC dc = ::GetDC(rose.m_hWnd);
    ::SendMessageA(rose.m_hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const POINT empty{3 * C() + C() / 2, C() + C() / 2};  // the empty cell right of east
    EXPECT_EQ(::GetPixel(dc, empty.x, empty.y), RGB(255, 255, 255));
    ::ReleaseDC(rose.m_hWnd, dc);

    CParent plain;
    CWindRose other;
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, 10, 10, plain.m_hWnd, 0));
    dc = ::GetDC(other.m_hWnd);
    ::SendMessageA(other.m_hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    EXPECT_EQ(::GetPixel(dc, empty.x, empty.y), ::GetSysColor(COLOR_BTNFACE));
    ::ReleaseDC(other.m_hWnd, dc);
}
