#include "framework/win/modal.h"

#include <commctrl.h>

#include <vector>

namespace vfw {

namespace {
struct CRun {
    HWND* window;
    bool sheet;
};
std::vector<CRun>& Runs()
{
    static std::vector<CRun> runs;
    return runs;
}
struct CPending {
    HWND target = nullptr;
    UINT msg = 0;
};
CPending g_pending;

bool OfThisProcess(HWND w)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    return pid == ::GetCurrentProcessId();
}
}  // namespace

HWND ModalOwner(HWND parent)
{
    if (!parent || !::IsWindow(parent))
        return nullptr;
    HWND w = parent;
    while (::GetWindowLongA(w, GWL_STYLE) & WS_CHILD) {
        HWND up = ::GetParent(w);
        // Docked into another program's window, the frame is the outermost of ours.
        if (!up || up == ::GetDesktopWindow() || !OfThisProcess(up))
            break;
        w = up;
    }
    return w;
}

void CenterOnOwner(HWND wnd, HWND owner)
{
    if (!wnd || !owner || !::IsWindowVisible(owner))
        return;
    RECT o, r;
    ::GetWindowRect(owner, &o);
    ::GetWindowRect(wnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    int x = o.left + ((o.right - o.left) - w) / 2;
    int y = o.top + ((o.bottom - o.top) - h) / 2;
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (::GetMonitorInfoA(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &mi)) {
        const RECT& wa = mi.rcWork;
        if (x + w > wa.right) x = wa.right - w;
        if (y + h > wa.bottom) y = wa.bottom - h;
        if (x < wa.left) x = wa.left;
        if (y < wa.top) y = wa.top;
    }
    ::SetWindowPos(wnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int ModalDepth() { return static_cast<int>(Runs().size()); }

HWND InnermostModalWindow()
{
    for (auto it = Runs().rbegin(); it != Runs().rend(); ++it)
        if (it->window && *it->window && ::IsWindow(*it->window))
            return *it->window;
    return nullptr;
}

bool ActivateModalWindow(HWND owner)
{
    if (Runs().empty())
        return false;
    HWND w = InnermostModalWindow();
    if (!w)
        w = owner;
    if (!w)
        return true;
    // A message box or a chooser opened over the run is the one to bring up.
    HWND popup = ::GetLastActivePopup(w);
    ::SetForegroundWindow(popup ? popup : w);
    return true;
}

void CancelModalRuns()
{
    for (auto it = Runs().rbegin(); it != Runs().rend(); ++it) {
        HWND w = it->window ? *it->window : nullptr;
        if (!w || !::IsWindow(w))
            continue;
        if (it->sheet)
            ::PostMessageA(w, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        else
            ::PostMessageA(w, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
}

void PostWhenModalRunsEnd(HWND target, UINT msg)
{
    if (Runs().empty()) {
        ::PostMessageA(target, msg, 0, 0);
        return;
    }
    g_pending = {target, msg};
}

CModalRun::CModalRun(HWND* window, bool sheet) { Runs().push_back({window, sheet}); }

CModalRun::~CModalRun()
{
    Runs().pop_back();
    if (Runs().empty() && g_pending.target) {
        const CPending p = g_pending;
        g_pending = {};
        ::PostMessageA(p.target, p.msg, 0, 0);
    }
}

}  // namespace vfw
