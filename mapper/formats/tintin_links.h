#pragma once
// The ways of a TinTin++ map paired into links. A way and a way back
// (A north to B, B south to A) become one link held in both rooms' slots; a
// way with none a link held in its first room's slot only. The closest
// answers pair first: the exact opposite direction over the same cells, then
// another way over the same cells, then any way back (A east to B, B north
// to A: one link leaving A east and B north). The ways are taken by room
// vnum and direction, and of several ways back the one of the first
// direction, so that a map written out (in that order) and read again pairs
// its exits as before. A way whose room's slot an earlier way took is left
// out (counted).
#include <array>
#include <vector>

#include "mapper/formats/tintin_exits.h"
#include "mapper/model/records.h"

using CTintinSlots = std::array<LinkId, kDirCount>;

// The links, with ids 1, 2, ...; `slots` (by real room number) gets them.
std::vector<CLink> PairTintinWays(const CTintinIndex& index, const std::vector<CTintinWay>& ways,
                                  std::vector<CTintinSlots>& slots, CFormatReport& report);
