#pragma once
// Geometry of rooms and links in map units, derived from grid cells. 64-bit,
// since 26 · x overflows 32 bits for cells far from the origin.
#include <cstdint>

#include "mapper/model/direction.h"
#include "mapper/model/map_units.h"

struct CPoint64 {
    std::int64_t x = 0;
    std::int64_t y = 0;
};


// Top-left corner of the room square of a cell.
inline CPoint64 RoomSquareOrigin(std::int32_t x, std::int32_t y)
{
    return {kCellPitch * x + 7, kCellPitch * y + 7};
}
inline CPoint64 RoomCentre(std::int32_t x, std::int32_t y)
{
    return {kCellPitch * x + kCellCentre, kCellPitch * y + kCellCentre};
}

// Offsets from the square's top-left corner, indexed by direction 0..9.
struct CLinkEnd {
    int ax, ay;  // anchor on the square
    int sx, sy;  // stub end on the cell boundary
};
const CLinkEnd& LinkEnd(Direction dir);

// The corridor offsets k0..k3 of a direction 0..9, for the link hit region.
struct CCorridor {
    int k[4][2];
};
const CCorridor& LinkCorridor(Direction dir);
