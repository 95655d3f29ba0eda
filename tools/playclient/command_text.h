#pragma once
// What goes to the game for one typed command, and what the mapper is given.
#include <string>
#include <string_view>

// The command without the line end the user or the mapper may have left on it.
std::string_view CommandText(std::string_view typed);

// The bytes sent to the game: the command with telnet's 255 doubled and CR LF.
std::string GameBytes(std::string_view command);
