#pragma once
// The program's message loop: accelerators for the main window, and an idle
// call whenever the queue runs empty (command states are refreshed there).
#include <functional>

#include <windows.h>

namespace vfw {

int RunMessageLoop(HWND mainWindow, HACCEL accelerators, const std::function<void()>& onIdle);

}  // namespace vfw
