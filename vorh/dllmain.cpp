// Entry point of the docking library.
#include "vorh/library_state.h"

BOOL WINAPI DllMain(HINSTANCE /*hInstance*/, DWORD dwReason, LPVOID pReserved)
{
    // Unloaded while still hooked (no vorhStopHook): the hooks would call into
    // code that is gone, so take them out first. At process exit (pReserved not
    // null) nothing more runs on the thread and nothing needs doing.
    if (dwReason == DLL_PROCESS_DETACH && !pReserved)
        vorh::RemoveHooks();
    return TRUE;
}
