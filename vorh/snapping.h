#pragma once
// Snapping of the dragged window's tracker rectangle to the client's docking
// rectangles, and the list of those rectangles kept for one drag.
#include <cstdint>
#include <span>
#include <vector>

#include "vorh/geometry.h"

namespace vorh {

enum class DockSide : std::int32_t { None = 0, Left = 1, Top = 2, Right = 3, Bottom = 4 };

// Depths of the strips along the edges of a docking rectangle that catch the pointer.
constexpr std::int32_t kNearStripDepth = 20;  // top and left edges
constexpr std::int32_t kFarStripDepth = 40;   // bottom and right edges

Rect TopStrip(const Rect& r);
Rect BottomStrip(const Rect& r);
Rect LeftStrip(const Rect& r);
Rect RightStrip(const Rect& r);

// Where the window goes when the pointer is at p and was grabbed at grab
// (offset from the window's top-left corner); size is the window's.
Rect DragRect(Point p, Point grab, std::int32_t nWidth, std::int32_t nHeight);

struct SnapState {
    DockSide m_nSide = DockSide::None;
    std::int32_t m_nIndex = 0;  // 1-based; meaningful only when the side is not None
};

// Adjusts r for the pointer p: the first strip (top, bottom, left, right of each
// rectangle in list order) holding p decides side, index and the new r. With no
// hit r stays, the side becomes None and the index keeps its value.
void SnapToDockingRects(Rect& r, Point p, std::span<const Rect> rects, SnapState& state);

// More docking rectangles than any screen holds: a count beyond this is a
// corrupt argument, and reading that far would run off the caller's memory.
constexpr std::int32_t kMaxDockingRects = 65536;

// The docking rectangles given for the next drag.
class CDockingRects {
public:
    // Copies count rectangles; a null array, a count of 0 or less, or a count
    // above kMaxDockingRects gives an empty list.
    void Assign(const Rect* pRects, std::int32_t nCount);
    void Clear() { m_vecRects.clear(); }
    std::span<const Rect> Rects() const { return m_vecRects; }

private:
    std::vector<Rect> m_vecRects;
};

}  // namespace vorh
