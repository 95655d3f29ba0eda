#pragma once
// The map's units: a grid cell is kCellPitch map units on a side, and its
// centre lies kCellCentre units right of and below its top-left corner.
#include <cstdint>

constexpr std::int64_t kCellPitch = 26;
constexpr std::int64_t kCellCentre = kCellPitch / 2;
