#pragma once
// Keys of the map view that move the character.
#include "mapper/model/direction.h"

// The direction a virtual-key code moves in, or -1.
Direction DirectionOfKey(unsigned key);
