#pragma once
// Pixel sizes are written for a screen of 96 pixels per inch; a window on a
// screen of another resolution takes them at its own. Rounded to the nearest
// pixel, halves away from zero (as the platform's MulDiv), so 96 changes
// nothing.
constexpr int kDefaultDpi = 96;

constexpr int ScaleToDpi(int px, int dpi)
{
    const long long n = static_cast<long long>(px) * dpi;
    return static_cast<int>(n >= 0 ? (n + kDefaultDpi / 2) / kDefaultDpi : -((-n + kDefaultDpi / 2) / kDefaultDpi));
}

