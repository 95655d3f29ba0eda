#pragma once
// Small value types shared by the map model and the view.
#include <cstdint>

using ColorRef = std::uint32_t;        // 0x00BBGGRR
constexpr ColorRef kColorNone = 0xFFFFFFFFu;  // no fill, transparent background

struct CPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const CPoint&, const CPoint&) = default;
};

// Left and top inclusive, right and bottom exclusive.
struct CRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool Contains(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    friend bool operator==(const CRect&, const CRect&) = default;
};

// Two's-complement addition that wraps instead of overflowing: grid
// positions read from a file may lie anywhere in the 32-bit range.
inline std::int32_t WrapAdd(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
