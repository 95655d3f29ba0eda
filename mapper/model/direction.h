#pragma once
// The ten directions of the map, in the order of every table indexed by them.
#include <cstdint>

using Direction = std::int32_t;

enum : Direction {
    DIR_NONE = -1,
    DIR_N = 0, DIR_S, DIR_E, DIR_W, DIR_NE, DIR_NW, DIR_SE, DIR_SW, DIR_U, DIR_D,
};
constexpr int kDirCount = 10;

struct CDirectionInfo {
    const char* label;  // as the alias page shows it
    const char* name;
    int dx, dy, dplane;
    Direction opposite;
};

// The entry of a direction 0..9.
const CDirectionInfo& DirectionInfo(Direction dir);
inline bool IsDirection(Direction dir) { return dir >= 0 && dir < kDirCount; }
// The opposite of 0..9; -1 for any other value.
Direction Opposite(Direction dir);
