// The exclusive-or tracker on the screen and the move to its rectangle.
#include "vorh/library_state.h"

namespace vorh {

void DrawTracker(const RECT& rc, int nThickness)
{
    if (nThickness == -1)
        nThickness = g_state.m_nTrackerThickness;
    if (HDC hDC = GetDC(nullptr)) {
        RECT r = rc;
        DrawFocusRect(hDC, &r);
        for (int i = 1; i < nThickness; ++i) {
            InflateRect(&r, -1, -1);
            DrawFocusRect(hDC, &r);
        }
        ReleaseDC(nullptr, hDC);
    }
    g_state.m_nTrackerThickness = nThickness;
}

BOOL MoveToTrackerRect(HWND hWnd)
{
    const RECT& rc = g_state.m_rcTracker;
    return MoveWindow(hWnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

}  // namespace vorh
