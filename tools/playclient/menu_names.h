#pragma once
// The mapper's menu commands by short name, for the client's "/map" command
// (the menu bar that the mapper hands over cannot always be drawn).
#include <string>

// The command id of `name`, or 0.
unsigned MenuCommandId(const std::string& name);
// "new, open, save, ..." for the help text.
std::string MenuCommandNames();
