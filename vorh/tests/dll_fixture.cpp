#include "dll_fixture.h"

std::function<void()> g_onDragStart;

namespace {

std::vector<LoggedMessage> g_log;
const char kClassName[] = "VorhTestWindow";

LRESULT CALLBACK TestWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    g_log.push_back({hWnd, nMsg, wParam, lParam});
    // The library drives caption drags itself; the system's own move loop
    // would run a modal loop of its own inside the test.
    if (nMsg == WM_NCLBUTTONDOWN && wParam == HTCAPTION)
        return 0;
    if (nMsg == WM_LBUTTONDOWN && wParam == 1 && g_onDragStart)
        g_onDragStart();
    return DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

template <class F>
void Resolve(HMODULE hLibrary, F& pfn, const char* pszName)
{
    pfn = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(hLibrary, pszName)));
    ASSERT_NE(pfn, nullptr) << pszName;
}

void SendMouse(DWORD dwFlags, LONG dx = 0, LONG dy = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = dwFlags;
    SendInput(1, &input, sizeof input);
}

}  // namespace

void CVorhTest::SetUp()
{
    g_log.clear();
    g_onDragStart = nullptr;
    m_hLibrary = LoadLibraryA("vorh.dll");
    ASSERT_NE(m_hLibrary, nullptr);
    Resolve(m_hLibrary, m_api.CheckDockable, "vorhCheckDockable");
    Resolve(m_hLibrary, m_api.CheckDocked, "vorhCheckDocked");
    Resolve(m_hLibrary, m_api.FindWindow, "vorhFindWindow");
    Resolve(m_hLibrary, m_api.GetLastWnd, "vorhGetLastWnd");
    Resolve(m_hLibrary, m_api.GetWindowID, "vorhGetWindowID");
    Resolve(m_hLibrary, m_api.MoveToLastRect, "vorhMoveToLastRect");
    Resolve(m_hLibrary, m_api.SetDockable, "vorhSetDockable");
    Resolve(m_hLibrary, m_api.SetDocked, "vorhSetDocked");
    Resolve(m_hLibrary, m_api.SetDockingRects, "vorhSetDockingRects");
    Resolve(m_hLibrary, m_api.SetLocked, "vorhSetLocked");
    Resolve(m_hLibrary, m_api.SetMainWnd, "vorhSetMainWnd");
    Resolve(m_hLibrary, m_api.SetOwner, "vorhSetOwner");
    Resolve(m_hLibrary, m_api.SetUndockable, "vorhSetUndockable");
    Resolve(m_hLibrary, m_api.StartHook, "vorhStartHook");
    Resolve(m_hLibrary, m_api.StartMove, "vorhStartMove");
    Resolve(m_hLibrary, m_api.StopHook, "vorhStopHook");
    Resolve(m_hLibrary, m_api.StopLastMouse, "vorhStopLastMouse");

    WNDCLASSA wc{};
    wc.lpfnWndProc = TestWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);

    m_hWndHost = CreateTestWindow(0, 0, 1200, 900, nullptr);
    m_hWndNotify = CreateWindowA(kClassName, "notify", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    m_hWndMouse = CreateWindowA(kClassName, "mouse", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    m_hWndTool = CreateTestWindow(100, 100, 300, 200, m_hWndHost);
    ASSERT_TRUE(m_hWndHost && m_hWndNotify && m_hWndMouse && m_hWndTool);
    m_api.SetOwner(m_hWndTool, m_hWndHost);
    SetForegroundWindow(m_hWndHost);
    Pump();
    ClearLog();
}

void CVorhTest::TearDown()
{
    if (m_hLibrary && m_bHooked)
        m_api.StopHook();
    for (HWND hWnd : {m_hWndTool, m_hWndMouse, m_hWndNotify, m_hWndHost})
        if (IsWindow(hWnd))
            DestroyWindow(hWnd);
    Pump();
    if (m_hLibrary)
        FreeLibrary(m_hLibrary);
    g_onDragStart = nullptr;
}

HWND CVorhTest::CreateTestWindow(int x, int y, int cx, int cy, HWND hWndOwner, bool bVisible)
{
    DWORD dwStyle = WS_OVERLAPPEDWINDOW | (bVisible ? WS_VISIBLE : 0);
    return CreateWindowA(kClassName, "test", dwStyle, x, y, cx, cy, hWndOwner, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

void CVorhTest::StartHook()
{
    ASSERT_NE(m_api.StartHook(m_hWndHost, m_hWndNotify, m_hWndMouse, GetCurrentThreadId()), nullptr);
    m_bHooked = true;
}

void CVorhTest::UnloadLibrary()
{
    FreeLibrary(m_hLibrary);
    m_hLibrary = nullptr;
    m_bHooked = false;
}

void CVorhTest::Pump(DWORD nMilliseconds)
{
    const DWORD dwEnd = GetTickCount() + nMilliseconds;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        const DWORD dwNow = GetTickCount();
        if (static_cast<LONG>(dwEnd - dwNow) <= 0)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, dwEnd - dwNow, QS_ALLINPUT);
    }
}

std::vector<LoggedMessage> CVorhTest::Messages(HWND hWnd, UINT nMsg)
{
    std::vector<LoggedMessage> vec;
    for (const LoggedMessage& m : g_log)
        if (m.hWnd == hWnd && m.nMsg == nMsg)
            vec.push_back(m);
    return vec;
}

void CVorhTest::ClearLog() { g_log.clear(); }

void CVorhTest::MouseMoveTo(int x, int y)
{
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (x * 65536 + cx / 2) / cx, (y * 65536 + cy / 2) / cy);
}

void CVorhTest::MouseButton(bool bDown) { SendMouse(bDown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP); }

void CVorhTest::PostPointer(HWND hWnd, UINT nMsg, int xScreen, int yScreen)
{
    SetCursorPos(xScreen, yScreen);
    POINT pt{xScreen, yScreen};
    ScreenToClient(hWnd, &pt);
    PostMessageA(hWnd, nMsg, 0, MAKELPARAM(pt.x, pt.y));
}
