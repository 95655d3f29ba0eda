#include "mapper/model/region.h"

#include <algorithm>
#include <cstdint>

CRegion::CRegion(const CPoint* points, std::size_t count) : m_nCount(count)
{
    if (count <= kInline)
        std::copy(points, points + count, m_inline);
    else
        m_more.assign(points, points + count);
}

bool CRegion::Contains(CPoint p) const
{
    const std::span<const CPoint> points = Points();
    // Crossing count of a ray to the right; edges are half-open in y so that a
    // vertex is counted once. Differences of 32-bit coordinates need 33 bits and
    // their products 66: long double (64-bit mantissa on x86) keeps them exact
    // enough that points near the 32-bit limits are tested correctly.
    bool inside = false;
    const std::size_t n = points.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const CPoint a = points[i], b = points[j];
        if ((a.y > p.y) == (b.y > p.y))
            continue;
        // x of the edge at p.y, compared without division: p.x < a.x + (p.y-a.y)(b.x-a.x)/(b.y-a.y)
        const long double dy = static_cast<long double>(std::int64_t(b.y) - a.y);
        const long double lhs = static_cast<long double>(std::int64_t(p.x) - a.x) * dy;
        const long double rhs =
            static_cast<long double>(std::int64_t(p.y) - a.y) * static_cast<long double>(std::int64_t(b.x) - a.x);
        if (dy > 0 ? lhs < rhs : lhs > rhs)
            inside = !inside;
    }
    return inside;
}
