#pragma once
// The TinTin++ map format ("tintin"): the map files of TinTin++'s #map
// write and #map read.
#include "mapper/formats/map_format.h"

const IMapFormat& TintinMapFormat();
