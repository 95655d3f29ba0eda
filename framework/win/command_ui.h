#pragma once
// Applying the enable, check and text states of commands to a popup menu
// and to a toolbar.
#include <windows.h>

#include "framework/win/window.h"

namespace vfw {

// Asks the target about every command item of the popup (not submenus) and
// applies the answers: enabled or greyed, checked, new text.
void UpdateMenuPopup(HMENU popup, ICommandTarget& target);
// The same for every button of a toolbar control.
void UpdateToolbar(HWND toolbar, ICommandTarget& target);

}  // namespace vfw
