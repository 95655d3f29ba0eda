// The two thread hooks: the caption drag with its tracker and notifications,
// wheel steps as key messages, and mouse forwarding to the mouse window.
#include "vorh/library_state.h"

namespace vorh {
namespace {

CLibraryState& s = g_state;

bool IsMouseMessage(UINT nMsg)
{
    return (nMsg >= WM_MOUSEFIRST && nMsg <= WM_MOUSELAST) || (nMsg >= WM_NCMOUSEMOVE && nMsg <= WM_NCXBUTTONDBLCLK);
}

void EraseTracker()
{
    if (!s.m_bTrackerHidden)
        DrawTracker(s.m_rcTracker, -1);
}

void Notify(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (s.m_hWndNotify)
        SendMessageA(s.m_hWndNotify, nMsg, wParam, lParam);
}

void NotifyEnd()
{
    Notify(WM_LBUTTONUP, 0,
           MAKELPARAM(static_cast<WORD>(s.m_snap.m_nIndex), static_cast<WORD>(s.m_snap.m_nSide)));
}

// A wheel step removed from the queue while the host is in front becomes a key message.
void OnWheel(const MSG& msg, WPARAM nRemove)
{
    if (!(nRemove & PM_REMOVE) || !s.m_hWndHost || !s.m_hWndMouse || GetForegroundWindow() != s.m_hWndHost)
        return;
    PostMessageA(s.m_hWndMouse, WM_KEYDOWN, static_cast<WORD>(HIWORD(msg.wParam)), 0);
}

// A press on the caption of a registered window owned by the host starts a drag.
void OnCaptionPress(const MSG& msg)
{
    if (!s.m_hWndHost || GetWindow(msg.hwnd, GW_OWNER) != s.m_hWndHost)
        return;
    if (s.m_bMoving)
        EraseTracker();
    s.m_bMoving = s.m_table.IsDockable(Key(msg.hwnd));
    if (!s.m_bMoving)
        return;
    s.m_bTrackerHidden = true;
    s.m_hWndLast = msg.hwnd;
    // A press without a move in between docks nowhere: it must not repeat the
    // previous drag's side with that drag's (released) list.
    s.m_snap = SnapState{};
    GetWindowRect(msg.hwnd, &s.m_rcTracker);
    const POINTS pts = MAKEPOINTS(msg.lParam);
    s.m_ptGrab = {pts.x - s.m_rcTracker.left, pts.y - s.m_rcTracker.top};
    Notify(WM_LBUTTONDOWN, 1, 0);
    SetCapture(msg.hwnd);
}

void OnDragMove(const MSG& msg)
{
    RECT rcWindow{};
    GetWindowRect(msg.hwnd, &rcWindow);
    const Point p{msg.pt.x, msg.pt.y};
    Rect r = DragRect(p, {s.m_ptGrab.x, s.m_ptGrab.y}, rcWindow.right - rcWindow.left,
                      rcWindow.bottom - rcWindow.top);
    SnapToDockingRects(r, p, s.m_rects.Rects(), s.m_snap);
    EraseTracker();
    const RECT rc = ToRECT(r);
    DrawTracker(rc, 3);
    s.m_rcTracker = rc;
    s.m_bTrackerHidden = false;
    Notify(WM_MOUSEMOVE, 1, msg.lParam);
}

void OnDragEnd(HWND hWnd)
{
    ReleaseCapture();
    EraseTracker();
    s.m_bMoving = false;
    if (s.m_snap.m_nSide != DockSide::None) {
        s.m_table.SetDocked(Key(hWnd));
        ShowWindow(hWnd, SW_HIDE);
    } else {
        s.m_table.ClearDocked(Key(hWnd));
        ShowWindow(hWnd, SW_SHOW);
        SetFocus(hWnd);
    }
    MoveToTrackerRect(hWnd);
    s.m_rects.Clear();
    NotifyEnd();
}

// The dragged window lost the mouse capture before the button came up (another
// window took it, the window went away): its release would never reach the
// hook. End the drag as a floating drop where the window already is.
void OnCaptureLost()
{
    HWND hWnd = s.m_hWndLast;
    EraseTracker();
    s.m_bMoving = false;
    s.m_snap.m_nSide = DockSide::None;
    if (IsWindow(hWnd)) {
        GetWindowRect(hWnd, &s.m_rcTracker);
        s.m_table.ClearDocked(Key(hWnd));
        ShowWindow(hWnd, SW_SHOW);
    }
    s.m_rects.Clear();
    NotifyEnd();
}

void OnMessage(const MSG& msg)
{
    if (msg.message == WM_NCLBUTTONDOWN && msg.wParam == HTCAPTION) {
        OnCaptionPress(msg);
        return;
    }
    if (!s.m_bMoving)
        return;
    if (IsMouseMessage(msg.message) && GetCapture() != s.m_hWndLast) {
        OnCaptureLost();
        return;
    }
    if (msg.hwnd != s.m_hWndLast)
        return;
    if (msg.message == WM_MOUSEMOVE)
        OnDragMove(msg);
    else if (msg.message == WM_LBUTTONUP)
        OnDragEnd(msg.hwnd);
}

}  // namespace

void RemoveHooks()
{
    if (s.m_hMessageHook)
        UnhookWindowsHookEx(s.m_hMessageHook);
    if (s.m_hMouseHook)
        UnhookWindowsHookEx(s.m_hMouseHook);
    s.m_hMessageHook = s.m_hMouseHook = nullptr;
}

void AbandonDrag()
{
    if (!s.m_bMoving)
        return;
    EraseTracker();
    s.m_bTrackerHidden = true;
    s.m_bMoving = false;
    if (GetCapture() == s.m_hWndLast)
        ReleaseCapture();
    s.m_rects.Clear();
}

LRESULT CALLBACK MessageHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode >= 0 && lParam) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        if (msg.message == WM_MOUSEWHEEL)
            OnWheel(msg, wParam);
        if (!s.m_nLocked)
            OnMessage(msg);
    }
    return CallNextHookEx(s.m_hMessageHook, nCode, wParam, lParam);
}

LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode >= 0 && !s.m_bMoving && !s.m_nLocked) {
        const auto* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        if (pInfo && s.m_hWndMouse && GetForegroundWindow() == s.m_hWndHost)
            SendMessageA(s.m_hWndMouse, static_cast<UINT>(wParam), 0,
                         MAKELPARAM(static_cast<WORD>(pInfo->pt.x), static_cast<WORD>(pInfo->pt.y)));
        if (s.m_bSwallowNextMouse) {
            s.m_bSwallowNextMouse = false;
            return 1;
        }
    }
    return CallNextHookEx(s.m_hMouseHook, nCode, wParam, lParam);
}

}  // namespace vorh
