#pragma once
// Helpers of the dialog tests under Wine: finding the modal windows that a
// dialog opens over itself, clicking the way the mouse does, and reading
// what a control painted.
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/win/window_dpi.h"
#include "mapper/view/wind_rose.h"

namespace dlgtest {

// The screen's resolution the test runs at, and a 96-dpi size at it.
inline int Dpi() { return vfw::SystemResolution(); }
inline int Px(int n) { return ScaleToDpi(n, Dpi()); }

// Client pixel at the middle of a direction's cell on a wind rose (of the
// screen's resolution unless told the cell's size).
inline POINT RoseCellPoint(Direction d, int cell = RoseCellAt(Dpi()))
{
    for (int col = 0; col < kRoseColumns; ++col)
        for (int row = 0; row < kRoseRows; ++row)
            if (RoseCellDirection(col, row) == d)
                return {col * cell + cell / 2, row * cell + cell / 2};
    return {-1, -1};
}

struct CWindowSearch {
    const char* caption;
    HWND except;
    HWND found;
};

inline BOOL CALLBACK MatchWindow(HWND h, LPARAM lp)
{
    auto* s = reinterpret_cast<CWindowSearch*>(lp);
    char text[256] = "";
    ::GetWindowTextA(h, text, sizeof text);
    if (h != s->except && lstrcmpA(text, s->caption) == 0) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

// A top-level window of this thread with the caption, or null. A modal
// window shows itself only once its loop runs: it may still be hidden.
inline HWND FindThreadWindow(const char* caption, HWND except = nullptr)
{
    CWindowSearch s{caption, except, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchWindow, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// The text of the static controls of a message box, joined.
inline std::string MessageText(HWND box)
{
    std::string all;
    for (HWND c = ::GetWindow(box, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = "", text[1024] = "";
        ::GetClassNameA(c, cls, sizeof cls);
        ::GetWindowTextA(c, text, sizeof text);
        if (lstrcmpiA(cls, "Static") == 0)
            all += text;
    }
    return all;
}

// Presses a button of a message box or dialog found by caption; false when
// no such window is open.
inline bool Answer(const char* caption, int button, std::string* text = nullptr, HWND except = nullptr)
{
    HWND box = FindThreadWindow(caption, except);
    if (!box)
        return false;
    if (text)
        *text = MessageText(box);
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, button)));
    return true;
}

// A left click at a client point, posted like the mouse's messages.
inline void PostClick(HWND w, int x, int y)
{
    ::PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// The same, handled before returning (no modal window may open from it).
inline void SendClick(HWND w, int x, int y)
{
    ::SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

inline void PostDoubleClick(HWND w, int x, int y)
{
    PostClick(w, x, y);
    ::PostMessageA(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// What a window paints into its client area, through WM_PRINTCLIENT on a
// button-face background.
class CClientPicture {
public:
    explicit CClientPicture(HWND w)
    {
        RECT rc;
        ::GetClientRect(w, &rc);
        m_w = rc.right;
        m_h = rc.bottom;
        HDC screen = ::GetDC(nullptr);
        m_dc = ::CreateCompatibleDC(screen);
        m_bmp = ::CreateCompatibleBitmap(screen, m_w, m_h);
        ::ReleaseDC(nullptr, screen);
        m_old = ::SelectObject(m_dc, m_bmp);
        ::FillRect(m_dc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
        ::SendMessageA(w, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_dc), PRF_CLIENT);
    }
    ~CClientPicture()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bmp);
        ::DeleteDC(m_dc);
    }
    COLORREF At(int x, int y) const { return ::GetPixel(m_dc, x, y); }
    // Pixels of the rectangle that differ from the button face.
    int Marked(int left, int top, int right, int bottom) const
    {
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                n += At(x, y) != face;
        return n;
    }

private:
    int m_w, m_h;
    HDC m_dc;
    HBITMAP m_bmp;
    HGDIOBJ m_old;
};

}  // namespace dlgtest

namespace dlgtest {

// Keeps a picture of a window as shown on the screen, as a 24-bit BMP.
inline bool SaveWindowPicture(HWND w, const char* path)
{
    RECT rc;
    ::GetWindowRect(w, &rc);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    ::BitBlt(dc, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    const DWORD stride = ((width * 3 + 3) / 4) * 4, size = stride * height;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + size;
    bool ok = false;
    if (std::FILE* f = std::fopen(path, "wb")) {
        ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f) == 1 &&
             std::fwrite(bits, size, 1, f) == 1;
        std::fclose(f);
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bmp);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return ok;
}

// The controls of a dialog (or page) that cross a group box or another
// control, one line each; empty when the layout is clean. A control lies
// either wholly inside a group box or wholly outside it.
inline std::vector<std::string> LayoutFaults(HWND dlg)
{
    struct CCtl {
        HWND w;
        RECT rc;
        bool group;
        std::string name;
    };
    std::vector<CCtl> ctls;
    for (HWND c = ::GetWindow(dlg, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(c))
            continue;
        char cls[64] = "", text[128] = "";
        ::GetClassNameA(c, cls, sizeof cls);
        ::GetWindowTextA(c, text, sizeof text);
        RECT rc;
        ::GetWindowRect(c, &rc);
        ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rc), 2);
        const bool group = lstrcmpiA(cls, "Button") == 0 && (::GetWindowLongA(c, GWL_STYLE) & 0x0F) == BS_GROUPBOX;
        ctls.push_back({c, rc, group, std::string(cls) + " \"" + text + "\""});
    }
    auto meets = [](const RECT& a, const RECT& b) {
        return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
    };
    auto inside = [](const RECT& in, const RECT& out) {
        return in.left >= out.left && in.right <= out.right && in.top >= out.top && in.bottom <= out.bottom;
    };
    std::vector<std::string> faults;
    RECT client;
    ::GetClientRect(dlg, &client);
    for (size_t i = 0; i < ctls.size(); ++i) {
        if (!inside(ctls[i].rc, client))
            faults.push_back(ctls[i].name + " leaves the window");
        for (size_t j = i + 1; j < ctls.size(); ++j) {
            const CCtl &a = ctls[i], &b = ctls[j];
            if (!meets(a.rc, b.rc))
                continue;
            if (a.group && inside(b.rc, a.rc))
                continue;
            if (b.group && inside(a.rc, b.rc))
                continue;
            faults.push_back(a.name + " crosses " + b.name);
        }
    }
    return faults;
}

// The colour on the screen at a client point of a window.
inline COLORREF ScreenPixel(HWND w, int x, int y)
{
    POINT p{x, y};
    ::ClientToScreen(w, &p);
    HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, p.x, p.y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

}  // namespace dlgtest
