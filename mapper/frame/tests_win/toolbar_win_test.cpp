// The frame's toolbar at the screen's resolution: whole-factor enlarged
// images, pixel for pixel, and buttons around them.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "framework/win/window_dpi.h"
#include "mapper/frame/tests_win/frame_test.h"
#include "mapper/frame/toolbar_win.h"
#include "mapper/res/resource.h"

TEST(Toolbar, WholeFactorsByResolution)
{
    EXPECT_EQ(ToolbarImageFactor(96), 1);
    EXPECT_EQ(ToolbarImageFactor(120), 1);
    EXPECT_EQ(ToolbarImageFactor(143), 1);
    EXPECT_EQ(ToolbarImageFactor(144), 2);
    EXPECT_EQ(ToolbarImageFactor(192), 2);
    EXPECT_EQ(ToolbarImageFactor(240), 3);
    EXPECT_EQ(ToolbarImageFactor(0), 1);
}

TEST(Toolbar, EnlargedImagesArePixelForPixel)
{
    HBITMAP strip = static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(strip, nullptr);
    HDC screen = ::GetDC(nullptr);
    HDC small = ::CreateCompatibleDC(screen), large = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    for (int factor : {2, 3}) {
        HBITMAP big = EnlargedBitmap(strip, factor);  // the source in no other context meanwhile
        ASSERT_NE(big, nullptr);
        HGDIOBJ oldSmall = ::SelectObject(small, strip);
        BITMAP bm{};
        ::GetObjectA(big, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, 128 * factor);
        EXPECT_EQ(bm.bmHeight, 15 * factor);
        HGDIOBJ oldLarge = ::SelectObject(large, big);
        int differ = 0;
        for (int y = 0; y < bm.bmHeight; ++y)
            for (int x = 0; x < bm.bmWidth; ++x)
                differ += ::GetPixel(large, x, y) != ::GetPixel(small, x / factor, y / factor);
        EXPECT_EQ(differ, 0) << "factor " << factor;  // no pixel blended with a neighbour
        ::SelectObject(large, oldLarge);
        ::SelectObject(small, oldSmall);
        ::DeleteObject(big);
    }
    ::DeleteDC(small);
    ::DeleteDC(large);
    ::DeleteObject(strip);
}

class ToolbarAtResolution : public CFrameTest {};

TEST_F(ToolbarAtResolution, ImagesAndButtonsFitTheScreen)
{
    HWND toolbar = ::FindWindowExA(Frame(), nullptr, TOOLBARCLASSNAMEA, nullptr);
    ASSERT_NE(toolbar, nullptr);
    const int factor = ToolbarImageFactor(vfw::ResolutionOf(Frame()));
    HIMAGELIST list = reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
    ASSERT_NE(list, nullptr);
    int w = 0, h = 0;
    ::ImageList_GetIconSize(list, &w, &h);
    EXPECT_EQ(w, 16 * factor);
    EXPECT_EQ(h, 15 * factor);
    EXPECT_EQ(::ImageList_GetImageCount(list), 8);
    const DWORD size = static_cast<DWORD>(::SendMessageA(toolbar, TB_GETBUTTONSIZE, 0, 0));
    EXPECT_GT(LOWORD(size), 16 * factor);
    EXPECT_GT(HIWORD(size), 15 * factor);
    RECT rc;
    ::GetWindowRect(toolbar, &rc);
    EXPECT_GE(rc.bottom - rc.top, HIWORD(size));  // the bar holds its buttons
    // A later change to 96 dpi takes the plain images back; to 144 again, the doubled ones.
    FitToolbarToDpi(toolbar, 96);
    list = reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
    ::ImageList_GetIconSize(list, &w, &h);
    EXPECT_EQ(w, 16);
    EXPECT_EQ(h, 15);
    FitToolbarToDpi(toolbar, 144);
    list = reinterpret_cast<HIMAGELIST>(::SendMessageA(toolbar, TB_GETIMAGELIST, 0, 0));
    ::ImageList_GetIconSize(list, &w, &h);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 30);
}
