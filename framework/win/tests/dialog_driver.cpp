#include "framework/win/tests/dialog_driver.h"

#include <string>

namespace vfw::test {

namespace {
CDialogDriver* g_driver = nullptr;
constexpr int kTickMs = 15;
constexpr int kGraceTicks = 200;  // 3 s after the last step
}  // namespace

CDialogDriver::CDialogDriver(std::vector<Step> steps) : m_steps(std::move(steps)) {
    g_driver = this;
    m_hHook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, &CDialogDriver::HookProc, nullptr, ::GetCurrentThreadId());
    m_nTimer = ::SetTimer(nullptr, 0, kTickMs, &CDialogDriver::TimerProc);
}

CDialogDriver::~CDialogDriver() {
    if (m_nTimer) ::KillTimer(nullptr, m_nTimer);
    if (m_hHook) ::UnhookWindowsHookEx(m_hHook);
    g_driver = nullptr;
}

LRESULT CALLBACK CDialogDriver::HookProc(int code, WPARAM wp, LPARAM lp) {
    auto* msg = reinterpret_cast<CWPRETSTRUCT*>(lp);
    if (code == HC_ACTION && g_driver && !g_driver->m_hDlg && msg->message == WM_INITDIALOG &&
        !(::GetWindowLongA(msg->hwnd, GWL_STYLE) & WS_CHILD)) {
        g_driver->m_hDlg = msg->hwnd;
        char text[512] = "";
        ::GetWindowTextA(msg->hwnd, text, sizeof text);
        g_driver->m_strCaption = text;
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

void CALLBACK CDialogDriver::TimerProc(HWND, UINT, UINT_PTR, DWORD) {
    if (g_driver) g_driver->Tick();
}

void CDialogDriver::Tick() {
    if (!m_hDlg || !::IsWindow(m_hDlg) || m_bTimedOut) return;
    if (m_nNext < m_steps.size()) {
        Step& step = m_steps[m_nNext++];
        step(m_hDlg);
        return;
    }
    if (++m_nIdleTicks > kGraceTicks) {
        m_bTimedOut = true;
        ::PostMessageA(m_hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
}

void Click(HWND dlg, int id) { ::SendMessageA(::GetDlgItem(dlg, id), BM_CLICK, 0, 0); }

std::string ItemText(HWND dlg, int id) {
    char text[4096] = "";
    ::GetDlgItemTextA(dlg, id, text, sizeof text);
    return text;
}

void PressAt(POINT screen) {
    ::SetCursorPos(screen.x, screen.y);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, in, sizeof(INPUT));
}

POINT UncoveredPoint(HWND under, HWND over) {
    RECT client, covered;
    ::GetClientRect(under, &client);
    ::MapWindowPoints(under, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ::GetWindowRect(over, &covered);
    const POINT tries[] = {{client.left + 6, client.top + 6},
                           {client.right - 6, client.top + 6},
                           {client.left + 6, client.bottom - 6},
                           {client.right - 6, client.bottom - 6}};
    for (POINT p : tries)
        if (!::PtInRect(&covered, p)) return p;
    return {-1, -1};
}

bool IsAbove(HWND upper, HWND lower) {
    for (HWND w = ::GetWindow(upper, GW_HWNDNEXT); w; w = ::GetWindow(w, GW_HWNDNEXT))
        if (w == lower) return true;
    return false;
}

bool IsCentredOn(HWND w, HWND owner) {
    RECT a, b;
    ::GetWindowRect(w, &a);
    ::GetWindowRect(owner, &b);
    const int dx = (a.left + a.right) - (b.left + b.right), dy = (a.top + a.bottom) - (b.top + b.bottom);
    return dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2;
}

}  // namespace vfw::test
