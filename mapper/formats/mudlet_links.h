#pragma once
// How links travel as Mudlet exits. Every link becomes an exit from each room
// whose slot holds it. Read back, an exit and the exit of its target room in
// the opposite direction back to it make one link held by both rooms; then
// any other pair of exits between two rooms; an exit left over is a link
// held by its own room only (a one-way exit), its other end the opposite
// direction. Where that rule would not give back the link the map has, the
// room's user data says how the exit's link joins, under
// "vormapper.exit.<direction>":
//   "pair <direction>"   held by both rooms, by the target's slot of that direction
//   "to <direction>"     held by this room only; the link's first room is this one
//   "from <direction>"   held by this room only; the link's first room is the target
// (a direction that is not one of the ten is written as its number).
#include <string>
#include <vector>

#include "mapper/formats/format_report.h"
#include "mapper/formats/mudlet_map.h"
#include "mapper/model/document.h"

// The links of the parsed exits, entered into `rooms` (indexed as
// map.rooms) and added to `links` with ids from 1.
void BuildMudletLinks(const CMudletMap& map, std::vector<CRoom>& rooms, CLinkMap& links, CFormatReport& report);

// The note the writer adds for the exit of `room` by its slot `dir`, which
// holds `link` (a link that names the room at that end); empty when the rule
// above gives the link back by itself.
std::string MudletExitNote(const CVorMapperDoc& doc, const CRoom& room, Direction dir, const CLink& link);
