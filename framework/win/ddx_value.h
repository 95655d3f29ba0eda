#pragma once
// Reading numbers typed into dialog controls. No platform code: the dialog
// data exchange calls these with the control's text.
#include <string>

namespace vfw {

// A signed decimal integer with optional blanks around it and an optional
// sign. Fails on an empty text, any other character, or a value outside int.
bool ParseDialogInt(const std::string& text, int& value);

// The text a control shows for an integer.
std::string FormatDialogInt(int value);

// The position a slider may show for a stored value: the nearest end of the
// range when the value lies outside it.
int ClampToRange(int value, int low, int high);

}  // namespace vfw
