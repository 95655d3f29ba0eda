#include "mapper/dialogs/dialog_layout_win.h"

#include "framework/win/window_dpi.h"
#include "mapper/view/wind_rose_win.h"

namespace {
struct CGroupSearch {
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchGroupBox(HWND w, LPARAM lp)
{
    auto* s = reinterpret_cast<CGroupSearch*>(lp);
    char cls[16] = "", text[128] = "";
    ::GetClassNameA(w, cls, sizeof cls);
    ::GetWindowTextA(w, text, sizeof text);
    if (lstrcmpiA(cls, "Button") == 0 && (::GetWindowLongA(w, GWL_STYLE) & 0x0F) == BS_GROUPBOX &&
        lstrcmpA(text, s->caption) == 0) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

HWND FindGroupBox(HWND dlg, const char* caption)
{
    CGroupSearch s{caption, nullptr};
    ::EnumChildWindows(dlg, &MatchGroupBox, reinterpret_cast<LPARAM>(&s));
    return s.found && ::GetParent(s.found) == dlg ? s.found : nullptr;
}

// The height of the dialog font's caption line.
int CaptionHeight(HWND dlg)
{
    HDC dc = ::GetDC(dlg);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(dlg, WM_GETFONT, 0, 0)));
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(dlg, dc);
    return tm.tmHeight;
}
RECT RectIn(HWND dlg, HWND w)
{
    RECT rc;
    ::GetWindowRect(w, &rc);
    ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The controls that stood wholly below a group box which has grown to `box`,
// and that it now reaches, down to just below it.
void MoveDownFrom(HWND dlg, HWND grown, const RECT& box, int oldBottom)
{
    for (HWND c = ::GetWindow(dlg, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        const RECT rc = RectIn(dlg, c);
        if (c == grown || rc.top < oldBottom || rc.top >= box.bottom || rc.right <= box.left || rc.left >= box.right)
            continue;
        ::SetWindowPos(c, nullptr, rc.left, box.bottom, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
}  // namespace

RECT GroupBoxRect(HWND dlg, const char* caption)
{
    RECT rc{0, 0, 0, 0};
    if (HWND box = FindGroupBox(dlg, caption)) {
        ::GetWindowRect(box, &rc);
        ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rc), 2);
    }
    return rc;
}

POINT PlaceInGroupBox(HWND dlg, const char* caption, int w, int h, int top)
{
    HWND box = FindGroupBox(dlg, caption);
    if (!box)
        return {0, 0};
    RECT rc = GroupBoxRect(dlg, caption);
    const int margin = vfw::ScaleFor(dlg, 3);
    const int below = top > CaptionHeight(dlg) + 1 ? top : CaptionHeight(dlg) + 1;
    const int needW = w + 2 * margin, needH = below + h + margin;
    if (rc.right - rc.left < needW || rc.bottom - rc.top < needH) {
        const int oldBottom = rc.bottom;
        if (rc.right - rc.left < needW)
            rc.right = rc.left + needW;
        if (rc.bottom - rc.top < needH)
            rc.bottom = rc.top + needH;
        ::SetWindowPos(box, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (rc.bottom > oldBottom)
            MoveDownFrom(dlg, box, rc, oldBottom);
    }
    return {rc.left + (rc.right - rc.left - w) / 2, rc.top + below};
}

void PlaceRose(HWND dlg, const char* caption, CWindRose& rose)
{
    rose.FitToDpi();
    const POINT at = PlaceInGroupBox(dlg, caption, rose.Width(), rose.Height(), vfw::ScaleFor(dlg, 15));
    ::SetWindowPos(rose.m_hWnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool IsRelayOut(HWND dlg, UINT msg, LPARAM lp)
{
    static const UINT relayOut = ::RegisterWindowMessageA("VorMapper.DialogRelayOut");
    if (msg == relayOut)
        return true;
    if (msg == WM_DPICHANGED || msg == WM_DPICHANGED_AFTERPARENT) {
        if (msg == WM_DPICHANGED && lp && !(::GetWindowLongA(dlg, GWL_STYLE) & WS_CHILD)) {
            const RECT* want = reinterpret_cast<const RECT*>(lp);
            ::SetWindowPos(dlg, nullptr, want->left, want->top, want->right - want->left, want->bottom - want->top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ::PostMessageA(dlg, relayOut, 0, 0);
    }
    return false;
}
