#include "mapper/view/view_keys.h"

Direction DirectionOfKey(unsigned key)
{
    switch (key) {
    case 38: return DIR_N;   // up arrow
    case 40: return DIR_S;   // down arrow
    case 39: return DIR_E;   // right arrow
    case 37: return DIR_W;   // left arrow
    case 33: return DIR_NE;  // page up
    case 36: return DIR_NW;  // home
    case 34: return DIR_SE;  // page down
    case 35: return DIR_SW;  // end
    case 107:                // numeric-pad plus
    case 187: return DIR_U;  // plus/equals
    case 109:                // numeric-pad minus
    case 189: return DIR_D;  // minus
    default: return DIR_NONE;
    }
}
