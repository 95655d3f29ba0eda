#pragma once
// Culling and guard clipping at playback. Shapes wholly outside the surface
// are skipped (their pixels would not change); shapes reaching far beyond it
// are cut at a guard frame well outside the surface, since devices cannot
// take arbitrary 32-bit coordinates.
#include <cstdint>
#include <vector>

#include "mapper/model/types.h"
#include "mapper/view/paint_dc.h"

inline CRect BoundingBox(const CPoint* p, int count)
{
    CRect box{p[0].x, p[0].y, p[0].x, p[0].y};
    for (int i = 1; i < count; ++i) {
        box.left = p[i].x < box.left ? p[i].x : box.left;
        box.top = p[i].y < box.top ? p[i].y : box.top;
        box.right = p[i].x > box.right ? p[i].x : box.right;
        box.bottom = p[i].y > box.bottom ? p[i].y : box.bottom;
    }
    return box;
}

class CPlaybackClip {
public:
    static constexpr std::int32_t kGuard = 1 << 20;
    static constexpr std::int32_t kMargin = 4;  // wider than any pen

    CPlaybackClip(int w, int h) : m_nWidth(w), m_nHeight(h) {}

    bool Outside(const CRect& box) const
    {
        return box.right < -kMargin || box.bottom < -kMargin || box.left > m_nWidth + kMargin ||
               box.top > m_nHeight + kMargin;
    }
    bool Fits(const CRect& box) const
    {
        return box.left >= -kGuard && box.top >= -kGuard && box.right <= kGuard && box.bottom <= kGuard;
    }

private:
    int m_nWidth, m_nHeight;
};

// The polygon cut to the guard frame, drawn with the device's polygon call.
void DrawClippedPolygon(IPaintDC& dc, const CPlaybackClip& clip, const CPoint* p, int count);
// The polyline's segments cut to the guard frame, appended as two-point polylines.
void AppendClippedPolyline(const CPlaybackClip& clip, const CPoint* p, int count, std::vector<CPoint>& points,
                           std::vector<std::uint32_t>& counts);
