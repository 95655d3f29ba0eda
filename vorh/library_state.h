#pragma once
// The library's state: one set per process, on the client's user-interface thread.
#include <windows.h>

#include "vorh/snapping.h"
#include "vorh/window_table.h"

namespace vorh {

struct CLibraryState {
    HWND m_hWndHost = nullptr;    // owner of the windows that may be dragged
    HWND m_hWndNotify = nullptr;  // receives the drag notifications
    HWND m_hWndMouse = nullptr;   // receives forwarded mouse messages and wheel steps
    HHOOK m_hMessageHook = nullptr;
    HHOOK m_hMouseHook = nullptr;
    HWND m_hWndMainDocked = nullptr;
    HWND m_hWndLast = nullptr;    // window of the latest drag
    bool m_bMoving = false;
    int m_nLocked = 0;
    bool m_bSwallowNextMouse = false;
    POINT m_ptGrab{};             // cursor minus the window's top-left corner at the press
    RECT m_rcTracker{};           // last tracker shown; where the window goes at the end
    int m_nTrackerThickness = 1;
    bool m_bTrackerHidden = true;
    SnapState m_snap;
    CDockingRects m_rects;
    CWindowTable m_table;
};

extern CLibraryState g_state;

inline WindowHandle Key(HWND hWnd) { return static_cast<WindowHandle>(reinterpret_cast<UINT_PTR>(hWnd)); }
inline HWND Handle(WindowHandle h) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(h)); }

inline Rect ToRect(const RECT& rc) { return {rc.left, rc.top, rc.right, rc.bottom}; }
inline RECT ToRECT(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// Draws the exclusive-or tracker on the screen; -1 means the thickness last drawn.
void DrawTracker(const RECT& rc, int nThickness);
BOOL MoveToTrackerRect(HWND hWnd);
// Unhooks whatever hooks are still installed and forgets their handles.
void RemoveHooks();
// Ends a drag without notifying: tracker erased, capture released, list dropped.
void AbandonDrag();

LRESULT CALLBACK MessageHookProc(int nCode, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);

}  // namespace vorh
