#include "mapper/dialogs/dialog_layout_win.h"

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
    const int margin = 3;
    const int below = top > CaptionHeight(dlg) + 1 ? top : CaptionHeight(dlg) + 1;
    const int needW = w + 2 * margin, needH = below + h + margin;
    if (rc.right - rc.left < needW || rc.bottom - rc.top < needH) {
        if (rc.right - rc.left < needW)
            rc.right = rc.left + needW;
        if (rc.bottom - rc.top < needH)
            rc.bottom = rc.top + needH;
        ::SetWindowPos(box, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return {rc.left + (rc.right - rc.left - w) / 2, rc.top + below};
}
