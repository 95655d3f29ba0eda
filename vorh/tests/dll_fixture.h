#pragma once
// Test host for vorh.dll under Wine: loads the library the way the client
// does, creates a host window, a notification window, a mouse window and a
// dockable tool window, and records the messages they receive.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <ostream>
#include <vector>

#include "vorh/vorh.h"

// Found by gtest through argument lookup: RECT lives in the global namespace.
inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
inline std::ostream& operator<<(std::ostream& os, const RECT& r)
{
    return os << '{' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << '}';
}

struct VorhApi {
    decltype(&vorhCheckDockable) CheckDockable;
    decltype(&vorhCheckDocked) CheckDocked;
    decltype(&vorhFindWindow) FindWindow;
    decltype(&vorhGetLastWnd) GetLastWnd;
    decltype(&vorhGetWindowID) GetWindowID;
    decltype(&vorhMoveToLastRect) MoveToLastRect;
    decltype(&vorhSetDockable) SetDockable;
    decltype(&vorhSetDocked) SetDocked;
    decltype(&vorhSetDockingRects) SetDockingRects;
    decltype(&vorhSetLocked) SetLocked;
    decltype(&vorhSetMainWnd) SetMainWnd;
    decltype(&vorhSetOwner) SetOwner;
    decltype(&vorhSetUndockable) SetUndockable;
    decltype(&vorhStartHook) StartHook;
    decltype(&vorhStartMove) StartMove;
    decltype(&vorhStopHook) StopHook;
    decltype(&vorhStopLastMouse) StopLastMouse;
};

struct LoggedMessage {
    HWND hWnd;
    UINT nMsg;
    WPARAM wParam;
    LPARAM lParam;
};

class CVorhTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates a captioned top-level window of the recording class.
    HWND CreateTestWindow(int x, int y, int cx, int cy, HWND hWndOwner, bool bVisible = true);
    // Hooks this thread with host, notification and mouse windows.
    void StartHook();
    void UnloadLibrary();

    // Handles every queued message; with nMilliseconds also waits for input still on its way.
    static void Pump(DWORD nMilliseconds = 0);
    static std::vector<LoggedMessage> Messages(HWND hWnd, UINT nMsg);
    static void ClearLog();

    // Real input through the system, as the user's mouse would give it.
    static void MouseMoveTo(int x, int y);
    static void MouseButton(bool bDown);

    // Posts a pointer message the way the system queues one: cursor first, then the message.
    static void PostPointer(HWND hWnd, UINT nMsg, int xScreen, int yScreen);

    HMODULE m_hLibrary = nullptr;
    VorhApi m_api{};
    HWND m_hWndHost = nullptr;
    HWND m_hWndNotify = nullptr;
    HWND m_hWndMouse = nullptr;
    HWND m_hWndTool = nullptr;
    bool m_bHooked = false;
};

// What the notification window does when a drag starts (the client's answer).
extern std::function<void()> g_onDragStart;
