#include "mapper/view/paint_dc.h"

int PointFontPixels(int pointTenths)
{
    // MulDiv(96, tenths, 720), rounded half away from zero.
    const long long n = 96LL * pointTenths;
    const long long q = (n >= 0 ? n + 360 : n - 360) / 720;
    return static_cast<int>(q < 0 ? -q : q);
}

CSize CNullPaintDC::GetTextExtent(std::string_view text)
{
    const int h = PointFontPixels(m_font.pointTenths);
    const long long w = static_cast<long long>(text.size()) * (h / 2 > 0 ? h / 2 : 1);
    return {static_cast<std::int32_t>(w > 0x3FFFFFFF ? 0x3FFFFFFF : w), h};
}
