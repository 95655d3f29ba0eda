#pragma once
// The program's own map file (.vmm) as a format unit: everything carried.
#include "mapper/formats/map_format.h"

const IMapFormat& VmmMapFormat();
