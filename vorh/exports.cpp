// The exported functions: window table, docking state, hooks and drags.
#include "vorh/vorh.h"

#include "vorh/library_state.h"

namespace vorh {
CLibraryState g_state;
}

using vorh::g_state;
using vorh::Key;

extern "C" {

int WINAPI vorhCheckDockable(HWND hWnd) { return g_state.m_table.IsDockable(Key(hWnd)) ? 1 : 0; }

int WINAPI vorhCheckDocked(HWND hWnd) { return g_state.m_table.IsDocked(Key(hWnd)) ? 1 : 0; }

HWND WINAPI vorhFindWindow(const char* pszIdentifier)
{
    if (!pszIdentifier)
        return nullptr;
    return vorh::Handle(g_state.m_table.FindByIdentifier(
        pszIdentifier, [](vorh::WindowHandle h) { return IsWindow(vorh::Handle(h)) != FALSE; }));
}

HWND WINAPI vorhGetLastWnd() { return g_state.m_hWndLast; }

int WINAPI vorhGetWindowID(HWND hWnd, char* pszBuffer, int /*nUnused*/)
{
    return g_state.m_table.CopyIdentifier(Key(hWnd), pszBuffer);
}

BOOL WINAPI vorhMoveToLastRect(HWND hWnd) { return vorh::MoveToTrackerRect(hWnd); }

int WINAPI vorhSetDockable(HWND hWnd, const char* pszIdentifier)
{
    if (g_state.m_table.IsDockable(Key(hWnd)))
        return 1;
    // Only live windows get an entry: a dead handle may later name some other window.
    if (!IsWindow(hWnd))
        return 0;
    try {
        g_state.m_table.Register(Key(hWnd), pszIdentifier ? pszIdentifier : "");
    } catch (...) {
    }
    return 0;
}

int WINAPI vorhSetDocked(HWND hWnd)
{
    g_state.m_table.SetDocked(Key(hWnd));
    return 0;
}

int WINAPI vorhSetDockingRects(int /*nUnused*/, const RECT* pRects, int nCount)
{
    static_assert(sizeof(RECT) == sizeof(vorh::Rect));
    try {
        g_state.m_rects.Assign(reinterpret_cast<const vorh::Rect*>(pRects), nCount);
    } catch (...) {
        g_state.m_rects.Clear();
    }
    return 0;
}

int WINAPI vorhSetLocked(int nLocked)
{
    g_state.m_nLocked = nLocked;
    return nLocked;
}

HWND WINAPI vorhSetMainWnd(HWND hWnd)
{
    if (g_state.m_hWndMainDocked)
        g_state.m_table.ClearDocked(Key(g_state.m_hWndMainDocked));
    g_state.m_table.SetDocked(Key(hWnd));
    HWND hWndPrevious = g_state.m_hWndMainDocked;
    g_state.m_hWndMainDocked = hWnd;
    return hWndPrevious;
}

LONG WINAPI vorhSetOwner(HWND hWnd, HWND hWndOwner)
{
    // The pointer-sized call on every architecture; the previous owner is
    // returned as LONG, as declared, since window handles fit in 32 bits.
    return static_cast<LONG>(SetWindowLongPtrA(hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hWndOwner)));
}

int WINAPI vorhSetUndockable(HWND hWnd)
{
    g_state.m_table.Remove(Key(hWnd));
    return 0;
}

HHOOK WINAPI vorhStartHook(HWND hWndHost, HWND hWndNotify, HWND hWndMouse, DWORD dwThreadId)
{
    // Hooks of an earlier call without vorhStopHook would see every message a
    // second time (two key messages per wheel step) and could never be removed.
    vorh::RemoveHooks();
    g_state.m_hWndHost = hWndHost;
    g_state.m_hWndNotify = hWndNotify;
    g_state.m_hMessageHook = SetWindowsHookExA(WH_GETMESSAGE, vorh::MessageHookProc, nullptr, dwThreadId);
    // The mouse window of an earlier call went with its hook: without one now,
    // no wheel steps are posted and vorhStopHook has no mouse hook to remove.
    g_state.m_hWndMouse = hWndMouse;
    if (!hWndMouse)
        return nullptr;
    g_state.m_hMouseHook = SetWindowsHookExA(WH_MOUSE, vorh::MouseHookProc, nullptr, dwThreadId);
    return g_state.m_hMouseHook;
}

BOOL WINAPI vorhStartMove(HWND hWnd, int /*nUnused1*/, int /*nUnused2*/)
{
    // A null window would post to the calling thread itself.
    if (!hWnd)
        return FALSE;
    POINT pt{};
    GetCursorPos(&pt);
    return PostMessageA(hWnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
}

BOOL WINAPI vorhStopHook()
{
    // A drag cut short by the unhooking must not leave its tracker or capture behind.
    vorh::AbandonDrag();
    UnhookWindowsHookEx(g_state.m_hMessageHook);
    g_state.m_hMessageHook = nullptr;
    if (!g_state.m_hWndMouse)
        return FALSE;
    BOOL bResult = UnhookWindowsHookEx(g_state.m_hMouseHook);
    g_state.m_hMouseHook = nullptr;
    return bResult;
}

int WINAPI vorhStopLastMouse()
{
    g_state.m_bSwallowNextMouse = true;
    return 0;
}

}  // extern "C"
