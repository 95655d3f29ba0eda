#include "vorh/snapping.h"

#include <algorithm>
#include <limits>

namespace vorh {
namespace {

// Rectangles come from the client as they are: do the arithmetic wide and
// saturate, so that extreme coordinates cannot overflow.
std::int32_t Clamp32(std::int64_t n)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        n, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t Offset(std::int32_t n, std::int64_t nDelta) { return Clamp32(n + nDelta); }

// Half of an extent, truncated toward zero.
std::int64_t Half(std::int32_t nFrom, std::int32_t nTo) { return (std::int64_t{nTo} - nFrom) / 2; }

}  // namespace

Rect TopStrip(const Rect& r) { return {r.left, r.top, r.right, Offset(r.top, kNearStripDepth)}; }
Rect BottomStrip(const Rect& r) { return {r.left, Offset(r.bottom, -kFarStripDepth), r.right, r.bottom}; }
Rect LeftStrip(const Rect& r) { return {r.left, r.top, Offset(r.left, kNearStripDepth), r.bottom}; }
Rect RightStrip(const Rect& r) { return {Offset(r.right, -kFarStripDepth), r.top, r.right, r.bottom}; }

Rect DragRect(Point p, Point grab, std::int32_t nWidth, std::int32_t nHeight)
{
    const std::int32_t nLeft = Offset(p.x, -std::int64_t{grab.x});
    const std::int32_t nTop = Offset(p.y, -std::int64_t{grab.y});
    return {nLeft, nTop, Offset(nLeft, nWidth), Offset(nTop, nHeight)};
}

void SnapToDockingRects(Rect& r, Point p, std::span<const Rect> rects, SnapState& state)
{
    const std::int64_t nWidth = std::int64_t{r.right} - r.left;
    const std::int64_t nHeight = std::int64_t{r.bottom} - r.top;
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const Rect& R = rects[i];
        const std::int64_t nHalfH = Half(R.top, R.bottom);
        const std::int64_t nHalfW = Half(R.left, R.right);
        Rect rNew;
        DockSide nSide;
        if (TopStrip(R).Contains(p)) {
            rNew = {R.left, R.top, R.right, Offset(R.top, std::min(nHeight, nHalfH))};
            nSide = DockSide::Top;
        } else if (BottomStrip(R).Contains(p)) {
            rNew = {R.left, Offset(R.bottom, -std::min(nHeight, nHalfH)), R.right, R.bottom};
            nSide = DockSide::Bottom;
        } else if (LeftStrip(R).Contains(p)) {
            rNew = {R.left, R.top, Offset(R.left, std::min(nWidth, nHalfW)), R.bottom};
            nSide = DockSide::Left;
        } else if (RightStrip(R).Contains(p)) {
            rNew = {Offset(R.right, -std::min(nWidth, nHalfW)), R.top, R.right, R.bottom};
            nSide = DockSide::Right;
        } else {
            continue;
        }
        r = rNew;
        state.m_nSide = nSide;
        state.m_nIndex = static_cast<std::int32_t>(i + 1);
        return;
    }
    state.m_nSide = DockSide::None;
}

void CDockingRects::Assign(const Rect* pRects, std::int32_t nCount)
{
    if (!pRects || nCount <= 0 || nCount > kMaxDockingRects) {
        m_vecRects.clear();
        return;
    }
    m_vecRects.assign(pRects, pRects + nCount);
}

}  // namespace vorh
