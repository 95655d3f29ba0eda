#pragma once
// The main frame's toolbar: the buttons' images from the toolbar bitmap. On a
// screen of more pixels per inch the images are the bitmap enlarged by a whole
// factor, each pixel a square block: as sharp as at 96 dpi, never smoothed.
#include <windows.h>
#include <commctrl.h>

// The images' enlargement at a screen resolution: 1 below 144 dpi, 2 from
// 144, 3 from 240.
constexpr int ToolbarImageFactor(int dpi) { return dpi < 96 ? 1 : (dpi + 48) / 96; }

// A copy of a bitmap `factor` times as wide and high, pixel for pixel.
HBITMAP EnlargedBitmap(HBITMAP source, int factor);

// The toolbar with the frame's buttons, its images for the frame's resolution.
HWND CreateMainToolbar(HWND frame, DWORD style, UINT id, const TBBUTTON* buttons, int count);

// The toolbar's images and buttons for a screen resolution (after a change of
// it); at factor 1 a toolbar never enlarged keeps its own images.
void FitToolbarToDpi(HWND toolbar, int dpi);
