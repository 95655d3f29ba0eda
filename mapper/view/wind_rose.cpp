#include "mapper/view/wind_rose.h"

namespace {
// [row][column]
constexpr Direction kCells[kRoseRows][kRoseColumns] = {
    {DIR_NW, DIR_N, DIR_NE, DIR_U},
    {DIR_W, DIR_NONE, DIR_E, DIR_NONE},
    {DIR_SW, DIR_S, DIR_SE, DIR_D},
};
constexpr const char* kShortNames[kDirCount] = {"N", "S", "E", "W", "NE", "NW", "SE", "SW", "U", "D"};
}  // namespace

Direction RoseCellDirection(int column, int row)
{
    if (column < 0 || column >= kRoseColumns || row < 0 || row >= kRoseRows)
        return DIR_NONE;
    return kCells[row][column];
}

Direction RoseDirectionAt(int x, int y, int cell)
{
    if (x < 0 || y < 0 || cell <= 0)
        return DIR_NONE;
    return RoseCellDirection(x / cell, y / cell);
}

const char* RoseShortName(Direction dir) { return IsDirection(dir) ? kShortNames[dir] : ""; }

bool CWindRoseState::Click(int x, int y, int cell)
{
    const Direction d = RoseDirectionAt(x, y, cell);
    if (d == DIR_NONE || IsHidden(d))
        return false;
    m_nSelected = d;
    return true;
}
