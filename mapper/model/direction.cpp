#include "mapper/model/direction.h"

namespace {
constexpr CDirectionInfo kDirections[kDirCount] = {
    {"N", "north", 0, -1, 0, DIR_S},      {"S", "south", 0, +1, 0, DIR_N},
    {"E", "east", +1, 0, 0, DIR_W},       {"W", "west", -1, 0, 0, DIR_E},
    {"NE", "northeast", +1, -1, 0, DIR_SW}, {"NW", "northwest", -1, -1, 0, DIR_SE},
    {"SE", "southeast", +1, +1, 0, DIR_NW}, {"SW", "southwest", -1, +1, 0, DIR_NE},
    {"U", "up", 0, 0, +1, DIR_D},         {"D", "down", 0, 0, -1, DIR_U},
};
}  // namespace

const CDirectionInfo& DirectionInfo(Direction dir) { return kDirections[dir]; }

Direction Opposite(Direction dir) { return IsDirection(dir) ? kDirections[dir].opposite : DIR_NONE; }
