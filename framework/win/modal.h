#pragma once
// What every modal run of a dialog or property sheet shares: the window it is
// modal to, its place over that window, and the record of the runs under way
// so that the program's own windows can refuse what would pull the ground
// from under an open dialog (closing the program, replacing the map).
#include <windows.h>

namespace vfw {

// The window a modal run started from `parent` is modal to: the outermost
// window of this process that holds `parent` (the main frame for its view or
// for a page of a sheet), `parent` itself when it is already top-level, or
// null without a parent.
HWND ModalOwner(HWND parent);

// Centres the window on its owner, kept inside the owner's monitor work area;
// without an owner (or with a hidden one) it is left where it is.
void CenterOnOwner(HWND wnd, HWND owner);

// Modal runs under way on this thread, innermost last.
int ModalDepth();
// The window of the innermost run once it exists, else null.
HWND InnermostModalWindow();
// Brings the innermost run's window (or the last popup over it) to the
// front; a run without a window of its own (a message box, a file chooser)
// is found as the last popup of `owner`. False when no run is open.
bool ActivateModalWindow(HWND owner = nullptr);
// Ends every run under way as if the user had cancelled it, innermost first;
// each DoModal returns once its own loop sees the end.
void CancelModalRuns();
// Posts the message to the window once no run is under way any more (at
// once when none is); a later call replaces an earlier one.
void PostWhenModalRunsEnd(HWND target, UINT msg);

// Held by DoModal for the length of a run: `window` is the address of the
// member that holds the run's window once it is created; null for a run of
// the platform's own (message box, file chooser) that cannot be cancelled.
class CModalRun {
public:
    explicit CModalRun(HWND* window = nullptr, bool sheet = false);
    ~CModalRun();
    CModalRun(const CModalRun&) = delete;
    CModalRun& operator=(const CModalRun&) = delete;
};

}  // namespace vfw
