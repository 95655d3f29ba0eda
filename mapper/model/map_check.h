#pragma once
// The consistency of a map: rooms and links that name each other, cells
// shared by two rooms, ids that mean "none", the current room.
#include <string>
#include <vector>

class CVorMapperDoc;

// One line per inconsistency, in the order rooms then links then the
// current room; empty when the map is consistent.
std::vector<std::string> FindInconsistencies(const CVorMapperDoc& doc);
