#pragma once
// Keys of the map view: the ones that move the character, and Delete.
#include "mapper/model/direction.h"

constexpr unsigned kKeyDelete = 46;

// The direction a virtual-key code moves in, or -1.
Direction DirectionOfKey(unsigned key);
