#pragma once
// Grid cells for rooms whose file stores no coordinates: the rooms are
// walked breadth-first along their exits from a start room (then from each
// room not yet reached, in index order), each placed from the room it is
// reached from by the way of the exit (one cell per step, up and down to the
// next plane). Every room gets a cell of its own: when the cell is taken,
// the room goes to the first free cell further along the exit's direction
// (at most kFurtherCells further), and failing that to the first free cell
// in its column below all the rooms laid out so far. Each group of rooms
// joined by exits is laid out on its own and put to the east of those
// before it, its top row level with the map's; the first group keeps the
// start room at (0, 0) on plane 0.
#include <cstdint>
#include <vector>

#include "mapper/model/cell_index.h"
#include "mapper/model/direction.h"

struct CLayoutStep {
    std::uint32_t from = 0, to = 0;           // room indices
    std::int32_t dx = 0, dy = 0, dplane = 0;  // the whole way, from `from` to `to`
    Direction first = DIR_N;                  // direction of its first step
    Direction last = DIR_N;                   // direction of its last step
};

constexpr int kFurtherCells = 8;

// The cell of each room 0..roomCount-1. The steps are walked both ways.
std::vector<CCellKey> LayOutRooms(std::uint32_t roomCount, const std::vector<CLayoutStep>& steps, std::uint32_t start);
