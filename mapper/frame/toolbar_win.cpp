#include "mapper/frame/toolbar_win.h"

#include "framework/win/window_dpi.h"
#include "mapper/res/resource.h"

namespace {
constexpr int kImages = 8;
constexpr int kImageWidth = 16, kImageHeight = 15;
constexpr COLORREF kGround = RGB(192, 192, 192);  // the bitmap's background, shown as the button face
constexpr UINT_PTR kImagesSubclass = 1;
constexpr char kImagesProp[] = "VorMapper.ToolbarImages";  // the enlarged images the toolbar shows

// Frees the enlarged images with the toolbar.
LRESULT CALLBACK OwnImages(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR)
{
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(w, &OwnImages, id);
        ::ImageList_Destroy(static_cast<HIMAGELIST>(::RemovePropA(w, kImagesProp)));
    }
    return ::DefSubclassProc(w, msg, wp, lp);
}

HIMAGELIST EnlargedImages(int factor)
{
    HBITMAP strip = static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!strip)
        return nullptr;
    HBITMAP big = EnlargedBitmap(strip, factor);
    ::DeleteObject(strip);
    if (!big)
        return nullptr;
    HIMAGELIST list = ::ImageList_Create(kImageWidth * factor, kImageHeight * factor, ILC_COLOR24 | ILC_MASK, kImages, 0);
    if (list && ::ImageList_AddMasked(list, big, kGround) < 0) {
        ::ImageList_Destroy(list);
        list = nullptr;
    }
    ::DeleteObject(big);
    return list;
}
}  // namespace

HBITMAP EnlargedBitmap(HBITMAP source, int factor)
{
    BITMAP bm{};
    if (factor < 1 || !::GetObjectA(source, sizeof bm, &bm))
        return nullptr;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = bm.bmWidth * factor;
    bi.bmiHeader.biHeight = bm.bmHeight * factor;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    HDC screen = ::GetDC(nullptr);
    void* bits = nullptr;
    HBITMAP big = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC from = ::CreateCompatibleDC(screen), to = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    if (big) {
        HGDIOBJ oldFrom = ::SelectObject(from, source), oldTo = ::SelectObject(to, big);
        ::SetStretchBltMode(to, COLORONCOLOR);  // whole factors: every pixel becomes a block
        ::StretchBlt(to, 0, 0, bm.bmWidth * factor, bm.bmHeight * factor, from, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        ::SelectObject(from, oldFrom);
        ::SelectObject(to, oldTo);
    }
    ::DeleteDC(from);
    ::DeleteDC(to);
    return big;
}

HWND CreateMainToolbar(HWND frame, DWORD style, UINT id, const TBBUTTON* buttons, int count)
{
    HWND toolbar = ::CreateToolbarEx(frame, style, id, kImages, ::GetModuleHandleA(nullptr), IDR_MAINFRAME, buttons,
                                     count, kImageWidth, kImageHeight, kImageWidth, kImageHeight, sizeof(TBBUTTON));
    if (toolbar)
        FitToolbarToDpi(toolbar, vfw::ResolutionOf(frame));
    return toolbar;
}

void FitToolbarToDpi(HWND toolbar, int dpi)
{
    const int factor = ToolbarImageFactor(dpi);
    HIMAGELIST old = static_cast<HIMAGELIST>(::GetPropA(toolbar, kImagesProp));
    const bool enlarged = old != nullptr;
    if (factor == 1 && !enlarged)
        return;
    HIMAGELIST list = EnlargedImages(factor);
    if (!list)
        return;
    // The buttons keep their margins around the larger images.
    const DWORD size = static_cast<DWORD>(::SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0));
    int w = 0, h = 0;
    if (HIMAGELIST now = reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0)))
        ::ImageList_GetIconSize(now, &w, &h);
    else
        w = kImageWidth, h = kImageHeight;
    const int marginX = LOWORD(size) - w, marginY = HIWORD(size) - h;
    ::SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELONG(kImageWidth * factor, kImageHeight * factor));
    ::SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
    ::SendMessageA(toolbar, TB_SETBUTTONSIZE, 0,
                   MAKELONG(kImageWidth * factor + marginX, kImageHeight * factor + marginY));
    ::SetPropA(toolbar, kImagesProp, list);
    if (enlarged)
        ::ImageList_Destroy(old);
    else
        ::SetWindowSubclass(toolbar, &OwnImages, kImagesSubclass, 0);
    ::SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
    ::InvalidateRect(toolbar, nullptr, TRUE);
}
