#pragma once
// Screen geometry of the docking library, laid out like the platform's own
// POINT and RECT so that arrays coming from the client can be read in place.
#include <cstdint>

namespace vorh {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// Left and top edges are inside, right and bottom edges outside.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

static_assert(sizeof(Rect) == 16, "Rect must match the platform rectangle");

}  // namespace vorh
