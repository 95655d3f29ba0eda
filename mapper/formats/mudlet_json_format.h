#pragma once
// Mudlet's JSON map (formatVersion 1.0) as a format unit: read with
// mudlet_parse.h and mudlet_build.h, written with mudlet_write.h.
#include "mapper/formats/map_format.h"

const IMapFormat& MudletJsonMapFormat();
