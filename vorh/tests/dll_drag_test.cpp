// Caption drags through the hooks: notifications, snapping, the drop, lost capture.
#include "dll_fixture.h"

namespace {

const RECT kFar{2000, 2000, 2100, 2100};      // never under the pointer
const RECT kDock{200, 150, 1000, 751};        // 800 x 601: halfW 400, halfH 300
const RECT kToolRect{100, 100, 400, 300};     // 300 x 200
const POINT kPress{150, 110};                 // on the tool's caption: grab offset (50, 10)

class CVorhDragTest : public CVorhTest {
protected:
    void SetUp() override
    {
        CVorhTest::SetUp();
        m_api.SetDockable(m_hWndTool, "tool");
        StartHook();
        g_onDragStart = [this] { GiveRects({kFar, kDock}); };
    }

    void GiveRects(std::vector<RECT> rects)
    {
        m_api.SetDockingRects(0, rects.data(), static_cast<int>(rects.size()));
    }

    void StartDrag(POINT pt = kPress)
    {
        // The pointer move that SetCursorPos queues must not become part of the drag.
        SetCursorPos(pt.x, pt.y);
        Pump(20);
        m_api.StartMove(m_hWndTool, 0, 0);
        Pump();
    }
    void MoveTo(int x, int y)
    {
        PostPointer(m_hWndTool, WM_MOUSEMOVE, x, y);
        Pump();
    }
    void Release(int x, int y)
    {
        PostPointer(m_hWndTool, WM_LBUTTONUP, x, y);
        Pump();
    }

    // The notifications received, in order.
    std::vector<LoggedMessage> Notifications()
    {
        std::vector<LoggedMessage> vec;
        for (UINT nMsg : {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP})
            for (const LoggedMessage& m : Messages(m_hWndNotify, nMsg))
                vec.push_back(m);
        return vec;
    }
    std::vector<LoggedMessage> Ends() { return Messages(m_hWndNotify, WM_LBUTTONUP); }

    RECT ToolRect()
    {
        RECT rc{};
        GetWindowRect(m_hWndTool, &rc);
        return rc;
    }
};

}  // namespace

TEST_F(CVorhDragTest, FloatingDropKeepsTheGrabOffset)
{
    m_api.SetDocked(m_hWndTool);
    StartDrag();
    auto starts = Messages(m_hWndNotify, WM_LBUTTONDOWN);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].wParam, 1u);
    EXPECT_EQ(starts[0].lParam, 0);
    EXPECT_EQ(GetCapture(), m_hWndTool);
    EXPECT_EQ(m_api.GetLastWnd(), m_hWndTool);
    EXPECT_TRUE(Ends().empty());

    POINT ptClient{600, 500};
    ScreenToClient(m_hWndTool, &ptClient);
    MoveTo(600, 500);
    auto moves = Messages(m_hWndNotify, WM_MOUSEMOVE);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back().wParam, 1u);
    EXPECT_EQ(moves.back().lParam, MAKELPARAM(ptClient.x, ptClient.y));
    EXPECT_EQ(ToolRect(), kToolRect) << "the window stays put during the drag";

    Release(600, 500);
    auto ends = Ends();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].wParam, 0u);
    EXPECT_EQ(HIWORD(ends[0].lParam), 0);
    EXPECT_EQ(ToolRect(), (RECT{550, 490, 850, 690}));
    EXPECT_TRUE(IsWindowVisible(m_hWndTool));
    EXPECT_EQ(GetFocus(), m_hWndTool);
    EXPECT_EQ(m_api.CheckDocked(m_hWndTool), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(m_api.GetLastWnd(), m_hWndTool);

    auto all = Notifications();
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ(all.front().nMsg, static_cast<UINT>(WM_LBUTTONDOWN));
    EXPECT_EQ(all.back().nMsg, static_cast<UINT>(WM_LBUTTONUP));

    // The tracker rectangle stays for vorhMoveToLastRect.
    HWND hOther = CreateTestWindow(0, 0, 10, 10, nullptr);
    EXPECT_TRUE(m_api.MoveToLastRect(hOther));
    RECT rcOther{};
    GetWindowRect(hOther, &rcOther);
    EXPECT_EQ(rcOther, (RECT{550, 490, 850, 690}));
    DestroyWindow(hOther);
}

struct SideCase {
    POINT pt;
    RECT rcDocked;
    int nSide;
};

class CVorhDockSideTest : public CVorhDragTest, public ::testing::WithParamInterface<SideCase> {};

TEST_P(CVorhDockSideTest, DocksToTheSecondRectangle)
{
    const SideCase& c = GetParam();
    StartDrag();
    MoveTo(c.pt.x, c.pt.y);
    Release(c.pt.x, c.pt.y);
    auto ends = Ends();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].wParam, 0u);
    EXPECT_EQ(LOWORD(ends[0].lParam), 2);
    EXPECT_EQ(HIWORD(ends[0].lParam), c.nSide);
    EXPECT_FALSE(IsWindowVisible(m_hWndTool));
    EXPECT_EQ(m_api.CheckDocked(m_hWndTool), 1);
    EXPECT_EQ(m_api.CheckDockable(m_hWndTool), 1);
    EXPECT_EQ(ToolRect(), c.rcDocked);
}

INSTANTIATE_TEST_SUITE_P(Sides, CVorhDockSideTest,
                         ::testing::Values(SideCase{{500, 160}, {200, 150, 1000, 350}, 2},
                                           SideCase{{500, 721}, {200, 551, 1000, 751}, 4},
                                           SideCase{{210, 400}, {200, 150, 500, 751}, 1},
                                           SideCase{{970, 400}, {700, 150, 1000, 751}, 3},
                                           SideCase{{205, 155}, {200, 150, 1000, 350}, 2}));

// How the client answers the start notification; none of these gives a target.
enum class EmptyAnswer { Zero, Negative, NullPointer, NoAnswer };

class CVorhEmptyListTest : public CVorhDragTest, public ::testing::WithParamInterface<EmptyAnswer> {};

TEST_P(CVorhEmptyListTest, NothingToSnapToEndsFloating)
{
    if (GetParam() == EmptyAnswer::NoAnswer) {
        // The list given for one drag is gone after it.
        StartDrag();
        MoveTo(500, 160);
        Release(500, 160);
        ASSERT_EQ(HIWORD(Ends().at(0).lParam), 2);
        ClearLog();
    }
    g_onDragStart = [this] {
        std::vector<RECT> rects{kDock, kDock, kDock};
        switch (GetParam()) {
        case EmptyAnswer::Zero: m_api.SetDockingRects(0, rects.data(), 0); break;
        case EmptyAnswer::Negative: m_api.SetDockingRects(0, rects.data(), -3); break;
        case EmptyAnswer::NullPointer: m_api.SetDockingRects(0, nullptr, 3); break;
        case EmptyAnswer::NoAnswer: break;
        }
    };
    RECT rcStart = ToolRect();
    StartDrag({rcStart.left + 50, rcStart.top + 10});
    MoveTo(500, 160);
    Release(500, 160);
    auto ends = Ends();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(HIWORD(ends[0].lParam), 0);
    EXPECT_TRUE(IsWindowVisible(m_hWndTool));
    EXPECT_EQ(m_api.CheckDocked(m_hWndTool), 0);
    const RECT rcEnd = ToolRect();
    EXPECT_EQ(rcEnd.left, 450);
    EXPECT_EQ(rcEnd.top, 150);
    EXPECT_EQ(rcEnd.right - rcEnd.left, rcStart.right - rcStart.left);
    EXPECT_EQ(rcEnd.bottom - rcEnd.top, rcStart.bottom - rcStart.top);
}

INSTANTIATE_TEST_SUITE_P(Answers, CVorhEmptyListTest,
                         ::testing::Values(EmptyAnswer::Zero, EmptyAnswer::Negative, EmptyAnswer::NullPointer,
                                           EmptyAnswer::NoAnswer));

TEST_F(CVorhDragTest, PressAndReleaseWithoutMoveLeavesTheWindowFloatingInPlace)
{
    StartDrag();
    MoveTo(500, 160);
    Release(500, 160);
    ASSERT_EQ(HIWORD(Ends().at(0).lParam), 2);
    const RECT rcDocked = ToolRect();
    ClearLog();

    StartDrag({rcDocked.left + 50, rcDocked.top + 10});
    Release(rcDocked.left + 50, rcDocked.top + 10);
    auto ends = Ends();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(HIWORD(ends[0].lParam), 0);
    EXPECT_TRUE(IsWindowVisible(m_hWndTool));
    EXPECT_EQ(ToolRect(), rcDocked);
}

TEST_F(CVorhDragTest, RealCaptionPressDragsAndDocks)
{
    RECT rc = ToolRect();
    POINT press{rc.left + 150, rc.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
    ASSERT_EQ(SendMessageA(m_hWndTool, WM_NCHITTEST, 0, MAKELPARAM(press.x, press.y)), HTCAPTION);
    // Without a window manager the host's late activation can raise it above
    // its owned window; keep the tool on top so that the press lands on it.
    SetWindowPos(m_hWndTool, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_EQ(WindowFromPoint(press), m_hWndTool);
    MouseMoveTo(press.x, press.y);
    Pump(50);
    GetCursorPos(&press);
    MouseButton(true);
    Pump(100);
    ASSERT_EQ(Messages(m_hWndNotify, WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(GetCapture(), m_hWndTool);

    MouseMoveTo(640, 520);
    Pump(100);
    POINT pt{};
    GetCursorPos(&pt);
    EXPECT_FALSE(Messages(m_hWndNotify, WM_MOUSEMOVE).empty());
    MouseButton(false);
    Pump(100);
    auto ends = Ends();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(HIWORD(ends[0].lParam), 0);
    const RECT rcExpected{pt.x - (press.x - rc.left), pt.y - (press.y - rc.top),
                          pt.x - (press.x - rc.left) + 300, pt.y - (press.y - rc.top) + 200};
    EXPECT_EQ(ToolRect(), rcExpected);
    EXPECT_TRUE(IsWindowVisible(m_hWndTool));

    // Again, this time onto the right edge of the docking rectangle.
    ClearLog();
    rc = ToolRect();
    press = {rc.left + 150, rc.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
    MouseMoveTo(press.x, press.y);
    Pump(50);
    MouseButton(true);
    Pump(100);
    MouseMoveTo(980, 400);
    Pump(100);
    MouseButton(false);
    Pump(100);
    ends = Ends();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].lParam, MAKELPARAM(2, 3));
    EXPECT_FALSE(IsWindowVisible(m_hWndTool));
    EXPECT_EQ(ToolRect(), (RECT{700, 150, 1000, 751}));
}

TEST_F(CVorhDragTest, CaptionPressOfUnownedOrUnregisteredWindowStartsNothing)
{
    HWND hUnowned = CreateTestWindow(500, 500, 200, 100, nullptr);
    m_api.SetDockable(hUnowned, "unowned");
    HWND hUnregistered = CreateTestWindow(500, 500, 200, 100, m_hWndHost);
    for (HWND hWnd : {hUnowned, hUnregistered, m_hWndHost}) {
        SetCursorPos(550, 510);
        m_api.StartMove(hWnd, 0, 0);
        Pump();
        PostPointer(hWnd, WM_MOUSEMOVE, 600, 600);
        PostPointer(hWnd, WM_LBUTTONUP, 600, 600);
        Pump();
    }
    EXPECT_TRUE(Notifications().empty());
    EXPECT_EQ(m_api.GetLastWnd(), nullptr);
    DestroyWindow(hUnowned);
    DestroyWindow(hUnregistered);
}

TEST_F(CVorhDragTest, LostCaptureEndsTheDragWhereTheWindowIs)
{
    m_api.SetDocked(m_hWndTool);
    StartDrag();
    MoveTo(500, 160);
    SetCapture(m_hWndHost);  // someone else takes the mouse
    MoveTo(510, 170);
    auto ends = Ends();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(HIWORD(ends[0].lParam), 0);
    EXPECT_EQ(ToolRect(), kToolRect);
    EXPECT_TRUE(IsWindowVisible(m_hWndTool));
    EXPECT_EQ(m_api.CheckDocked(m_hWndTool), 0);
    ReleaseCapture();

    // The stray release changes nothing; the next drag works as usual.
    const size_t nMoves = Messages(m_hWndNotify, WM_MOUSEMOVE).size();
    Release(510, 170);
    EXPECT_EQ(Ends().size(), 1u);
    EXPECT_EQ(Messages(m_hWndNotify, WM_MOUSEMOVE).size(), nMoves);
    StartDrag();
    MoveTo(600, 500);
    Release(600, 500);
    ASSERT_EQ(Ends().size(), 2u);
    EXPECT_EQ(ToolRect(), (RECT{550, 490, 850, 690}));
}

TEST_F(CVorhDragTest, ReleaseOnAnotherWindowAfterLostCaptureEndsTheDrag)
{
    StartDrag();
    MoveTo(600, 500);
    ReleaseCapture();
    PostPointer(m_hWndHost, WM_LBUTTONUP, 600, 500);
    Pump();
    ASSERT_EQ(Ends().size(), 1u);
    EXPECT_EQ(ToolRect(), kToolRect);
    EXPECT_TRUE(IsWindowVisible(m_hWndTool));
}

TEST_F(CVorhDragTest, DraggedWindowDestroyedMidDrag)
{
    StartDrag();
    MoveTo(600, 500);
    HWND hDead = m_hWndTool;
    DestroyWindow(m_hWndTool);
    PostPointer(m_hWndHost, WM_MOUSEMOVE, 610, 510);
    Pump();
    ASSERT_EQ(Ends().size(), 1u);
    EXPECT_EQ(HIWORD(Ends()[0].lParam), 0);
    EXPECT_EQ(m_api.GetLastWnd(), hDead);
}

TEST_F(CVorhDragTest, StopHookDuringADragReleasesTheMouse)
{
    StartDrag();
    MoveTo(600, 500);
    ASSERT_EQ(GetCapture(), m_hWndTool);
    EXPECT_TRUE(m_api.StopHook());
    m_bHooked = false;
    EXPECT_EQ(GetCapture(), nullptr);
    Release(600, 500);
    EXPECT_TRUE(Ends().empty());
    EXPECT_EQ(ToolRect(), kToolRect);
}

namespace {

// The screen's pixels along the top edge of r, three rows deep.
std::vector<COLORREF> TopEdgePixels(const RECT& r)
{
    std::vector<COLORREF> vec;
    HDC hDC = GetDC(nullptr);
    for (int y = r.top; y < r.top + 3; ++y)
        for (int x = r.left + 10; x < r.right - 10; ++x)
            vec.push_back(GetPixel(hDC, x, y));
    ReleaseDC(nullptr, hDC);
    return vec;
}

}  // namespace

TEST_F(CVorhDragTest, TrackerIsDrawnAndErasedOnTheScreen)
{
    const RECT rcFirst{550, 490, 850, 690};
    const RECT rcSecond{550, 550, 850, 750};
    Pump(50);
    const std::vector<COLORREF> first = TopEdgePixels(rcFirst);
    const std::vector<COLORREF> second = TopEdgePixels(rcSecond);
    StartDrag();
    MoveTo(600, 500);
    EXPECT_NE(TopEdgePixels(rcFirst), first);
    // The next move erases the old outline and draws the new one.
    MoveTo(600, 560);
    EXPECT_EQ(TopEdgePixels(rcFirst), first);
    EXPECT_NE(TopEdgePixels(rcSecond), second);
    // A lost capture takes the tracker away with the drag.
    SetCapture(m_hWndHost);
    MoveTo(610, 570);
    ReleaseCapture();
    EXPECT_EQ(TopEdgePixels(rcSecond), second);
}
