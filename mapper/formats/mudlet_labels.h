#pragma once
// Mudlet's labels as VorMapper's room labels. A label of the area belongs to
// the room whose user data names it ("vormapper.label"); any other label with
// text goes to the nearest room of its plane that has no label yet (within
// kLabelReach cells of the label's centre), pinned to that room.
// Label geometry: Mudlet's (x, y) is the label's top-left corner in room
// units with y up; VorMapper's label point is the same corner in map units,
// kCellPitch to a cell, cell (x, y) centred on kCellPitch * (x, y) + kCellCentre.
#include <vector>

#include "mapper/formats/format_report.h"
#include "mapper/formats/mudlet_map.h"
#include "mapper/formats/mudlet_planes.h"
#include "mapper/model/records.h"

constexpr int kLabelReach = 8;

// Mudlet label corner <-> VorMapper label point.
double MudletLabelX(std::int32_t x);
double MudletLabelY(std::int32_t y);
CPoint VorMapperLabelPoint(double x, double y);

// Puts the labels of the map into `rooms` (indexed as map.rooms).
void PlaceMudletLabels(const CMudletMap& map, const CMudletPlanes& planes, std::vector<CRoom>& rooms,
                       CFormatReport& report);
