#pragma once
// The screen resolution a window is drawn at, and its pixel sizes and stock
// fonts made for it.
#include <windows.h>

#include "framework/dpi_scale.h"

// Sent when a window moves to a screen of another resolution (older headers
// leave them out).
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

namespace vfw {

// The resolution the system's stock fonts and metrics were made for.
inline int SystemResolution()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDefaultDpi;
}

// Pixels per inch of the window's screen: the window's own where the system
// tells it (per-monitor awareness), else the system's.
inline int ResolutionOf(HWND w)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (getDpi && w)
        if (const UINT dpi = getDpi(w))
            return static_cast<int>(dpi);
    return SystemResolution();
}

// A 96-dpi pixel size at the window's resolution.
inline int ScaleFor(HWND w, int px) { return ScaleToDpi(px, ResolutionOf(w)); }

// A copy of a stock font for the window's resolution; the stock font itself
// (`owned` false: not to be deleted) when the window has the system's.
inline HFONT StockFontFor(HWND w, int stock, bool& owned)
{
    HFONT font = static_cast<HFONT>(::GetStockObject(stock));
    owned = false;
    const int dpi = ResolutionOf(w), system = SystemResolution();
    LOGFONTA lf{};
    if (dpi == system || !::GetObjectA(font, sizeof lf, &lf))
        return font;
    lf.lfHeight = ::MulDiv(lf.lfHeight, dpi, system);
    lf.lfWidth = ::MulDiv(lf.lfWidth, dpi, system);
    if (HFONT made = ::CreateFontIndirectA(&lf)) {
        owned = true;
        return made;
    }
    return font;
}

}  // namespace vfw
