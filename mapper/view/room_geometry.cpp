#include "mapper/view/room_geometry.h"

namespace {
const CLinkEnd kEnds[kDirCount] = {
    {6, 0, 6, -7},     // north
    {6, 12, 6, 19},    // south
    {12, 6, 19, 6},    // east
    {0, 6, -7, 6},     // west
    {12, 0, 19, -7},   // northeast
    {0, 0, -7, -7},    // northwest
    {12, 12, 19, 19},  // southeast
    {0, 12, -7, 19},   // southwest
    {6, 6, 6, 6},      // up
    {6, 6, 6, 6},      // down
};

const CCorridor kCorridors[kDirCount] = {
    {{{-2, 2}, {2, 2}, {-2, 0}, {2, 0}}},     // north
    {{{-2, -2}, {2, -2}, {-2, 0}, {2, 0}}},   // south
    {{{-2, -2}, {-2, 2}, {0, -2}, {0, 2}}},   // east
    {{{2, -2}, {2, 2}, {0, -2}, {0, 2}}},     // west
    {{{-4, 0}, {0, 4}, {-2, -2}, {2, 2}}},    // northeast
    {{{4, 0}, {0, 4}, {2, -2}, {-2, 2}}},     // northwest
    {{{0, -4}, {-4, 0}, {2, -2}, {-2, 2}}},   // southeast
    {{{0, -4}, {4, 0}, {-2, -2}, {2, 2}}},    // southwest
    {{{0, 0}, {0, 0}, {0, 0}, {0, 0}}},       // up
    {{{0, 0}, {0, 0}, {0, 0}, {0, 0}}},       // down
};
}  // namespace

const CLinkEnd& LinkEnd(Direction dir) { return kEnds[IsDirection(dir) ? dir : DIR_U]; }
const CCorridor& LinkCorridor(Direction dir) { return kCorridors[IsDirection(dir) ? dir : DIR_U]; }
