// The window table and the docking state through the exported functions.
#include <string>

#include "dll_fixture.h"

TEST_F(CVorhTest, RegistrationKeepsTheFirstIdentifier)
{
    EXPECT_EQ(m_api.CheckDockable(m_hWndTool), 0);
    m_api.SetDockable(m_hWndTool, "tool");
    EXPECT_EQ(m_api.CheckDockable(m_hWndTool), 1);
    EXPECT_EQ(m_api.CheckDocked(m_hWndTool), 0);
    EXPECT_EQ(m_api.SetDockable(m_hWndTool, "other"), 1);

    char buffer[16] = "unchanged";
    EXPECT_EQ(m_api.GetWindowID(m_hWndTool, buffer, 0), 4);
    EXPECT_STREQ(buffer, "tool");
    EXPECT_EQ(m_api.FindWindow("tool"), m_hWndTool);
    EXPECT_EQ(m_api.FindWindow("Tool"), nullptr);
    EXPECT_EQ(m_api.FindWindow("other"), nullptr);

    m_api.SetUndockable(m_hWndTool);
    EXPECT_EQ(m_api.CheckDockable(m_hWndTool), 0);
    EXPECT_EQ(m_api.FindWindow("tool"), nullptr);
    m_api.SetDockable(m_hWndTool, "other");
    EXPECT_EQ(m_api.FindWindow("other"), m_hWndTool);
}

TEST_F(CVorhTest, FindWindowPrefersTheLowerLiveHandle)
{
    HWND a = CreateTestWindow(0, 0, 50, 50, nullptr, false);
    HWND b = CreateTestWindow(0, 0, 50, 50, nullptr, false);
    m_api.SetDockable(a, "twin");
    m_api.SetDockable(b, "twin");
    HWND hLow = reinterpret_cast<UINT_PTR>(a) < reinterpret_cast<UINT_PTR>(b) ? a : b;
    HWND hHigh = hLow == a ? b : a;
    EXPECT_EQ(m_api.FindWindow("twin"), hLow);
    DestroyWindow(hLow);
    EXPECT_EQ(m_api.FindWindow("twin"), hHigh);
    DestroyWindow(hHigh);
    EXPECT_EQ(m_api.FindWindow("twin"), nullptr);
    // The entries of dead windows stay.
    EXPECT_EQ(m_api.CheckDockable(hLow), 1);
    EXPECT_EQ(m_api.CheckDockable(hHigh), 1);
}

TEST_F(CVorhTest, WindowIdOfUnregisteredAndEmptyIdentifiers)
{
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(m_api.GetWindowID(m_hWndTool, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "xxxxxxx");
    m_api.SetDockable(m_hWndTool, "");
    EXPECT_EQ(m_api.GetWindowID(m_hWndTool, buffer, sizeof buffer), 0);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], 'x');
    EXPECT_EQ(m_api.FindWindow(""), m_hWndTool);
}

TEST_F(CVorhTest, NullAndStaleHandlesChangeNothing)
{
    HWND hDead = CreateTestWindow(0, 0, 50, 50, nullptr, false);
    DestroyWindow(hDead);

    // Null or dead windows get no entry: a dead handle may come back for another window.
    EXPECT_EQ(m_api.SetDockable(nullptr, "x"), 0);
    EXPECT_EQ(m_api.SetDockable(hDead, "x"), 0);
    EXPECT_EQ(m_api.CheckDockable(nullptr), 0);
    EXPECT_EQ(m_api.CheckDockable(hDead), 0);
    EXPECT_EQ(m_api.FindWindow("x"), nullptr);

    m_api.SetDocked(nullptr);
    m_api.SetDocked(hDead);
    m_api.SetDocked(m_hWndTool);  // not registered yet
    EXPECT_EQ(m_api.CheckDocked(nullptr), 0);
    EXPECT_EQ(m_api.CheckDocked(hDead), 0);
    m_api.SetDockable(m_hWndTool, "tool");
    EXPECT_EQ(m_api.CheckDocked(m_hWndTool), 0);
    m_api.SetUndockable(nullptr);
    m_api.SetUndockable(hDead);
    EXPECT_EQ(m_api.CheckDockable(m_hWndTool), 1);

    char buffer[4] = "abc";
    EXPECT_EQ(m_api.GetWindowID(nullptr, buffer, 4), 0);
    EXPECT_EQ(m_api.GetWindowID(hDead, buffer, 4), 0);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(m_api.GetWindowID(m_hWndTool, nullptr, 0), 0);  // no buffer: nothing written
    EXPECT_EQ(m_api.FindWindow(nullptr), nullptr);
    m_api.SetDockable(m_hWndHost, nullptr);  // no identifier: an empty one
    EXPECT_EQ(m_api.CheckDockable(m_hWndHost), 1);
    EXPECT_EQ(m_api.GetWindowID(m_hWndHost, buffer, 4), 0);

    EXPECT_FALSE(m_api.MoveToLastRect(nullptr));
    EXPECT_FALSE(m_api.MoveToLastRect(hDead));
    EXPECT_FALSE(m_api.StartMove(nullptr, 0, 0));  // would post to the thread itself
    EXPECT_FALSE(m_api.StartMove(hDead, 0, 0));
    EXPECT_EQ(m_api.SetOwner(hDead, m_hWndHost), 0);
    EXPECT_EQ(m_api.GetLastWnd(), nullptr);
}

TEST_F(CVorhTest, IdentifiersOfTenThousandBytes)
{
    std::string strId(10000, 'k');
    strId.back() = 'Z';
    m_api.SetDockable(m_hWndTool, strId.c_str());
    EXPECT_EQ(m_api.FindWindow(strId.c_str()), m_hWndTool);
    EXPECT_EQ(m_api.FindWindow(strId.substr(0, 9999).c_str()), nullptr);
    std::string buffer(10002, '#');
    EXPECT_EQ(m_api.GetWindowID(m_hWndTool, buffer.data(), 0), 10000);
    EXPECT_EQ(buffer.substr(0, 10000), strId);
    EXPECT_EQ(buffer[10000], '\0');
    EXPECT_EQ(buffer[10001], '#');
}

TEST_F(CVorhTest, MainWindowMovesTheDockedBit)
{
    HWND hOther = CreateTestWindow(0, 0, 50, 50, nullptr, false);
    HWND hUnregistered = CreateTestWindow(0, 0, 50, 50, nullptr, false);
    m_api.SetDockable(m_hWndTool, "tool");
    m_api.SetDockable(hOther, "other");

    EXPECT_EQ(m_api.SetMainWnd(m_hWndTool), nullptr);
    EXPECT_EQ(m_api.CheckDocked(m_hWndTool), 1);
    EXPECT_EQ(m_api.SetMainWnd(hOther), m_hWndTool);
    EXPECT_EQ(m_api.CheckDocked(m_hWndTool), 0);
    EXPECT_EQ(m_api.CheckDocked(hOther), 1);
    EXPECT_EQ(m_api.CheckDockable(m_hWndTool), 1);

    EXPECT_EQ(m_api.SetMainWnd(nullptr), hOther);
    EXPECT_EQ(m_api.CheckDocked(hOther), 0);
    EXPECT_EQ(m_api.SetMainWnd(hUnregistered), nullptr);
    EXPECT_EQ(m_api.CheckDockable(hUnregistered), 0);
    EXPECT_EQ(m_api.CheckDocked(hUnregistered), 0);
    EXPECT_EQ(m_api.SetMainWnd(m_hWndTool), hUnregistered);
    DestroyWindow(hOther);
    DestroyWindow(hUnregistered);
}

TEST_F(CVorhTest, OwnerAndLockedResults)
{
    HWND hTool = CreateTestWindow(0, 0, 50, 50, nullptr, false);
    EXPECT_EQ(m_api.SetOwner(hTool, m_hWndHost), 0);
    EXPECT_EQ(GetWindow(hTool, GW_OWNER), m_hWndHost);
    EXPECT_EQ(m_api.SetOwner(hTool, nullptr), static_cast<LONG>(reinterpret_cast<LONG_PTR>(m_hWndHost)));
    EXPECT_EQ(GetWindow(hTool, GW_OWNER), nullptr);
    DestroyWindow(hTool);

    EXPECT_EQ(m_api.SetLocked(7), 7);
    EXPECT_EQ(m_api.SetLocked(0), 0);
}

TEST_F(CVorhTest, HooksWithAndWithoutMouseWindow)
{
    EXPECT_FALSE(m_api.StopHook());  // never started
    EXPECT_EQ(m_api.StartHook(m_hWndHost, m_hWndNotify, nullptr, GetCurrentThreadId()), nullptr);
    EXPECT_FALSE(m_api.StopHook());
    EXPECT_NE(m_api.StartHook(m_hWndHost, m_hWndNotify, m_hWndMouse, GetCurrentThreadId()), nullptr);
    EXPECT_TRUE(m_api.StopHook());
    EXPECT_FALSE(m_api.StopHook());  // already removed
}

TEST_F(CVorhTest, SecondStartHookWithoutMouseWindowForgetsTheEarlierOne)
{
    StartHook();
    EXPECT_EQ(m_api.StartHook(m_hWndHost, m_hWndNotify, nullptr, GetCurrentThreadId()), nullptr);
    ASSERT_EQ(GetForegroundWindow(), m_hWndHost);
    PostMessageA(m_hWndHost, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    Pump();
    EXPECT_TRUE(Messages(m_hWndMouse, WM_KEYDOWN).empty()) << "no mouse window, no wheel keys";
    EXPECT_EQ(Messages(m_hWndHost, WM_MOUSEWHEEL).size(), 1u);  // the message hook is still there
    EXPECT_FALSE(m_api.StopHook());  // as after a first call without mouse window
    m_bHooked = false;

    // A start with a mouse window after it works in full.
    ClearLog();
    EXPECT_NE(m_api.StartHook(m_hWndHost, m_hWndNotify, m_hWndMouse, GetCurrentThreadId()), nullptr);
    PostMessageA(m_hWndHost, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    Pump();
    EXPECT_EQ(Messages(m_hWndMouse, WM_KEYDOWN).size(), 1u);
    EXPECT_TRUE(m_api.StopHook());
}

TEST_F(CVorhTest, UnloadingWhileHookedLeavesNoDanglingHook)
{
    StartHook();
    UnloadLibrary();
    // Were the hooks still installed, retrieving these would call into freed code.
    PostMessageA(m_hWndHost, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    PostMessageA(m_hWndHost, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    MouseMoveTo(300, 300);
    MouseMoveTo(310, 300);
    Pump(100);
    SUCCEED();
}

TEST_F(CVorhTest, SecondStartHookReplacesTheFirst)
{
    StartHook();
    StartHook();
    ASSERT_EQ(GetForegroundWindow(), m_hWndHost);
    PostMessageA(m_hWndHost, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    Pump();
    EXPECT_EQ(Messages(m_hWndMouse, WM_KEYDOWN).size(), 1u);
    EXPECT_TRUE(m_api.StopHook());
    m_bHooked = false;
    ClearLog();
    PostMessageA(m_hWndHost, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    Pump();
    EXPECT_TRUE(Messages(m_hWndMouse, WM_KEYDOWN).empty()) << "no hook left behind";
}
