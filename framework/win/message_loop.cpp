#include "framework/win/message_loop.h"

namespace vfw {

int RunMessageLoop(HWND mainWindow, HACCEL accelerators, const std::function<void()>& onIdle)
{
    MSG msg;
    bool idleDone = false;
    for (;;) {
        while (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!idleDone && onIdle) {
                onIdle();
                idleDone = true;
                continue;
            }
            ::WaitMessage();
        }
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            return got == 0 ? static_cast<int>(msg.wParam) : 1;
        // Docked, the main window is a child of the client's window: accept
        // keys for any window inside it.
        const bool ours = msg.hwnd && (msg.hwnd == mainWindow || ::IsChild(mainWindow, msg.hwnd));
        if (!(accelerators && ours && ::TranslateAcceleratorA(mainWindow, accelerators, &msg))) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        idleDone = false;
    }
}

}  // namespace vfw
