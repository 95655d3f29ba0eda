#include "mapper/view/playback_clip.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
constexpr double kG = CPlaybackClip::kGuard;

struct CDPoint {
    double x, y;
};

// Sutherland-Hodgman against one edge of the guard frame.
template <class Inside, class Cut>
std::vector<CDPoint> ClipEdge(const std::vector<CDPoint>& in, Inside inside, Cut cut)
{
    std::vector<CDPoint> out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const CDPoint& a = in[i];
        const CDPoint& b = in[(i + 1) % in.size()];
        const bool ia = inside(a), ib = inside(b);
        if (ia)
            out.push_back(a);
        if (ia != ib)
            out.push_back(cut(a, b));
    }
    return out;
}

CDPoint CutX(const CDPoint& a, const CDPoint& b, double x)
{
    const double t = (x - a.x) / (b.x - a.x);
    return {x, a.y + t * (b.y - a.y)};
}
CDPoint CutY(const CDPoint& a, const CDPoint& b, double y)
{
    const double t = (y - a.y) / (b.y - a.y);
    return {a.x + t * (b.x - a.x), y};
}

CPoint Round(const CDPoint& p)
{
    return {static_cast<std::int32_t>(std::lround(p.x)), static_cast<std::int32_t>(std::lround(p.y))};
}

// Liang-Barsky: the part of segment a-b inside the guard frame.
bool ClipSegment(CDPoint a, CDPoint b, CDPoint& ra, CDPoint& rb)
{
    double t0 = 0.0, t1 = 1.0;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x + kG, kG - a.x, a.y + kG, kG - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    ra = {a.x + t0 * dx, a.y + t0 * dy};
    rb = {a.x + t1 * dx, a.y + t1 * dy};
    return true;
}
}  // namespace

void DrawClippedPolygon(IPaintDC& dc, const CPlaybackClip&, const CPoint* p, int count)
{
    std::vector<CDPoint> poly;
    for (int i = 0; i < count; ++i)
        poly.push_back({static_cast<double>(p[i].x), static_cast<double>(p[i].y)});
    poly = ClipEdge(poly, [](const CDPoint& q) { return q.x >= -kG; }, [](auto& a, auto& b) { return CutX(a, b, -kG); });
    poly = ClipEdge(poly, [](const CDPoint& q) { return q.x <= kG; }, [](auto& a, auto& b) { return CutX(a, b, kG); });
    poly = ClipEdge(poly, [](const CDPoint& q) { return q.y >= -kG; }, [](auto& a, auto& b) { return CutY(a, b, -kG); });
    poly = ClipEdge(poly, [](const CDPoint& q) { return q.y <= kG; }, [](auto& a, auto& b) { return CutY(a, b, kG); });
    if (poly.size() < 2)
        return;
    std::vector<CPoint> out;
    for (const CDPoint& q : poly)
        out.push_back(Round(q));
    dc.Polygon(out.data(), static_cast<int>(out.size()));
}

void AppendClippedPolyline(const CPlaybackClip& clip, const CPoint* p, int count, std::vector<CPoint>& points,
                           std::vector<std::uint32_t>& counts)
{
    for (int i = 0; i + 1 < count; ++i) {
        CDPoint a, b;
        if (!ClipSegment({double(p[i].x), double(p[i].y)}, {double(p[i + 1].x), double(p[i + 1].y)}, a, b))
            continue;
        const CPoint ra = Round(a), rb = Round(b);
        if (clip.Outside(BoundingBox(std::array<CPoint, 2>{ra, rb}.data(), 2)))
            continue;
        points.push_back(ra);
        points.push_back(rb);
        counts.push_back(2);
    }
}
