// Wheel steps as key messages, mouse forwarding, the swallowed mouse message and the lock.
#include "dll_fixture.h"

namespace {

class CVorhInputTest : public CVorhTest {
protected:
    void SetUp() override
    {
        CVorhTest::SetUp();
        m_api.SetDockable(m_hWndTool, "tool");
        StartHook();
        ASSERT_EQ(GetForegroundWindow(), m_hWndHost);
    }

    void Wheel(short nDelta)
    {
        PostMessageA(m_hWndHost, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(nDelta)), MAKELPARAM(500, 400));
    }
    // Real pointer moves over the host (the tool covers 100..400 x 100..300).
    void MoveOverHost(int x)
    {
        MouseMoveTo(x, 600);
        Pump(80);
    }
    size_t Forwarded() { return Messages(m_hWndMouse, WM_MOUSEMOVE).size(); }
    size_t HostMoves() { return Messages(m_hWndHost, WM_MOUSEMOVE).size(); }
};

}  // namespace

TEST_F(CVorhInputTest, WheelStepsBecomeKeyMessages)
{
    Wheel(120);
    Wheel(-120);
    Pump();
    auto keys = Messages(m_hWndMouse, WM_KEYDOWN);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].wParam, 120u);
    EXPECT_EQ(keys[1].wParam, 0xFF88u);
    EXPECT_EQ(keys[0].lParam, 0);
    // The wheel message itself goes on unchanged.
    auto wheels = Messages(m_hWndHost, WM_MOUSEWHEEL);
    ASSERT_EQ(wheels.size(), 2u);
    EXPECT_EQ(HIWORD(wheels[1].wParam), 0xFF88u);
}

TEST_F(CVorhInputTest, OnlyARemovedWheelMessageCounts)
{
    Wheel(240);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, m_hWndHost, WM_MOUSEWHEEL, WM_MOUSEWHEEL, PM_NOREMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, m_hWndHost, WM_MOUSEWHEEL, WM_MOUSEWHEEL, PM_NOREMOVE));
    Pump();
    auto keys = Messages(m_hWndMouse, WM_KEYDOWN);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].wParam, 240u);
}

TEST_F(CVorhInputTest, WheelWithAnotherWindowInTheForegroundPostsNothing)
{
    SetForegroundWindow(m_hWndTool);
    ASSERT_EQ(GetForegroundWindow(), m_hWndTool);
    Wheel(120);
    Pump();
    EXPECT_TRUE(Messages(m_hWndMouse, WM_KEYDOWN).empty());
    EXPECT_EQ(Messages(m_hWndHost, WM_MOUSEWHEEL).size(), 1u);
}

TEST_F(CVorhInputTest, MouseMessagesAreForwardedWithTheScreenPosition)
{
    MoveOverHost(500);
    auto forwarded = Messages(m_hWndMouse, WM_MOUSEMOVE);
    ASSERT_FALSE(forwarded.empty());
    POINT pt{};
    GetCursorPos(&pt);
    EXPECT_EQ(forwarded.back().wParam, 0u);
    EXPECT_EQ(forwarded.back().lParam, MAKELPARAM(pt.x, pt.y));
    EXPECT_GT(HostMoves(), 0u);

    // Nothing while another window is in the foreground.
    SetForegroundWindow(m_hWndTool);
    ClearLog();
    MoveOverHost(520);
    EXPECT_EQ(Forwarded(), 0u);
    EXPECT_GT(HostMoves(), 0u);
}

TEST_F(CVorhInputTest, StopLastMouseConsumesExactlyTheNextMessage)
{
    MoveOverHost(500);
    ClearLog();
    m_api.StopLastMouse();
    MoveOverHost(520);
    EXPECT_EQ(Forwarded(), 1u) << "forwarded before being consumed";
    EXPECT_EQ(HostMoves(), 0u);
    MoveOverHost(540);
    EXPECT_EQ(Forwarded(), 2u);
    EXPECT_EQ(HostMoves(), 1u);

    // Consumed even when nothing is forwarded.
    SetForegroundWindow(m_hWndTool);
    ClearLog();
    m_api.StopLastMouse();
    MoveOverHost(560);
    EXPECT_EQ(HostMoves(), 0u);
    EXPECT_EQ(Forwarded(), 0u);
    MoveOverHost(580);
    EXPECT_EQ(HostMoves(), 1u);
}

TEST_F(CVorhInputTest, LockedStopsDragsAndForwardingButNotWheelSteps)
{
    m_api.SetLocked(1);
    SetCursorPos(150, 110);
    m_api.StartMove(m_hWndTool, 0, 0);
    Pump();
    PostPointer(m_hWndTool, WM_MOUSEMOVE, 600, 500);
    PostPointer(m_hWndTool, WM_LBUTTONUP, 600, 500);
    Pump();
    EXPECT_TRUE(Messages(m_hWndNotify, WM_LBUTTONDOWN).empty());
    EXPECT_TRUE(Messages(m_hWndNotify, WM_LBUTTONUP).empty());
    EXPECT_NE(GetCapture(), m_hWndTool);
    EXPECT_EQ(m_api.GetLastWnd(), nullptr);

    ClearLog();
    MoveOverHost(500);
    EXPECT_EQ(Forwarded(), 0u);
    m_api.StopLastMouse();
    MoveOverHost(520);
    EXPECT_GT(HostMoves(), 0u) << "nothing is consumed while locked";

    Wheel(120);
    Pump();
    EXPECT_EQ(Messages(m_hWndMouse, WM_KEYDOWN).size(), 1u);

    m_api.SetLocked(0);
    ClearLog();
    MoveOverHost(540);  // the pending swallow applies now
    EXPECT_EQ(Forwarded(), 1u);
    EXPECT_EQ(HostMoves(), 0u);
    MoveOverHost(560);
    EXPECT_EQ(Forwarded(), 2u);
}

TEST_F(CVorhInputTest, NothingIsForwardedDuringADrag)
{
    SetCursorPos(150, 110);
    m_api.StartMove(m_hWndTool, 0, 0);
    Pump();
    ASSERT_EQ(Messages(m_hWndNotify, WM_LBUTTONDOWN).size(), 1u);
    ClearLog();
    MoveOverHost(700);
    EXPECT_EQ(Forwarded(), 0u);
    EXPECT_FALSE(Messages(m_hWndNotify, WM_MOUSEMOVE).empty()) << "the real move drives the drag";
    MouseButton(false);
    Pump(80);
    EXPECT_EQ(Messages(m_hWndNotify, WM_LBUTTONUP).size(), 1u);
}
