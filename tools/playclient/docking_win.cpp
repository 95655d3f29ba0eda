#include "tools/playclient/client_win.h"

#include "framework/dpi_scale.h"
#include "tools/playclient/dock_layout.h"

namespace {
const char kNotifyClass[] = "PlayClientDockNotify";
const char kGameWindowId[] = "playclient.game";
const char* const kSideNames[] = {"floating", "left", "top", "right", "bottom"};


CBox BoxOf(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT RectOf(const CBox& b) { return {b.left, b.top, b.right, b.bottom}; }
}  // namespace

void CPlayClient::SetUpDocking()
{
    const std::string path = m_options.vorh.empty() ? ProgramDir() + "vorh.dll" : m_options.vorh;
    std::string error;
    if (!m_dock.Load(path, error)) {
        Report(error + "; the game window stays docked at the bottom");
        return;
    }
    // The drag notifications come to a window of their own: they are mouse
    // messages and must not be taken for the user's.
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DockNotifyProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kNotifyClass;
    ::RegisterClassA(&wc);
    m_hDockNotify = ::CreateWindowExA(0, kNotifyClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this);
    ::SetWindowLongPtrA(m_hDockNotify, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_dock.StartHook(m_hWnd, m_hDockNotify, nullptr, ::GetCurrentThreadId());
    m_dock.SetDockable(m_game.Window(), kGameWindowId);
    m_dock.SetOwner(m_game.Window(), m_hWnd);
    m_dock.SetDocked(m_game.Window());
    Report("docking library loaded: drag the game window by its caption to dock it to a side or float it");
}

void CPlayClient::OnDockNotify(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_LBUTTONDOWN && wp == 1) {
        // A drag starts: the main window's client area is the one target.
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
        std::vector<RECT> rects;
        for (const CBox& b : DockingTargets(BoxOf(rc)))
            rects.push_back(RectOf(b));
        m_dock.SetDockingRects(0, rects.data(), static_cast<int>(rects.size()));
        return;
    }
    if (msg == WM_LBUTTONUP) {
        const int index = LOWORD(lp);
        const int side = HIWORD(lp);
        if (side >= kLeft && side <= kBottom && index == 1) {
            // The library moved the window to the snapped rectangle and hid it.
            RECT wr;
            ::GetWindowRect(m_game.Window(), &wr);
            m_nDepth = DepthAt(side, BoxOf(wr));
            m_nSide = side;
            LayOutWindows();
            ::ShowWindow(m_game.Window(), SW_SHOW);
        } else {
            m_nSide = kFloating;
            LayOutWindows();
        }
        m_game.FocusInput();
        Report(std::string("game window ") + (m_nSide ? "docked " : "") + kSideNames[m_nSide]);
    }
}

bool RunningOnWine()
{
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

void CPlayClient::OverlayMapper()
{
    // Wine draws a child window only for the process that owns the top-level
    // window above it: the docked mapper would stay blank. It is made a
    // borderless window owned by ours instead, kept over the map area; it
    // still talks to this window and its menu bar stays here.
    HWND w = m_mapper.m_hWnd;
    const LONG style = ::GetWindowLongA(w, GWL_STYLE);
    ::SetWindowLongA(w, GWL_STYLE, (style & ~(WS_CHILD | WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZE)) | WS_POPUP);
    ::SetParent(w, nullptr);
    ::SetWindowLongPtrA(w, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(m_hWnd));
    m_bMapperOverlay = true;
    Report("under Wine the mapper is shown over the client's map area rather than inside it (--child-mapper keeps "
           "it inside, where Wine leaves it blank)");
}

void CPlayClient::LayOutWindows()
{
    if (!m_hWnd || !m_game.Window() || ::IsIconic(m_hWnd))
        return;
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    const CDockLayout layout = LayOut(BoxOf(rc), m_nSide, m_nDepth, ScaleToDpi(kMinPane, m_nDpi));
    if (m_nSide != kFloating) {
        // The game window stays a window of its own (so it can be dragged
        // away again), laid over its part of the main window.
        RECT t = RectOf(layout.terminal);
        ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&t), 2);
        ::SetWindowPos(m_game.Window(), nullptr, t.left, t.top, t.right - t.left, t.bottom - t.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!m_mapper.m_hWnd || !::IsWindow(m_mapper.m_hWnd))
        return;
    if (m_bMapperOverlay) {
        if (::GetAncestor(m_mapper.m_hWnd, GA_PARENT) == m_hWnd) {
            m_bMapperOverlay = false;  // docked again (a second attach)
        } else if (::IsWindowVisible(m_mapper.m_hWnd)) {  // hidden: it is closing
            RECT m = RectOf(layout.map);
            ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&m), 2);
            ::SetWindowPos(m_mapper.m_hWnd, nullptr, m.left, m.top, m.right - m.left, m.bottom - m.top,
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            return;
        }
    }
    ::MoveWindow(m_mapper.m_hWnd, layout.map.left, layout.map.top, layout.map.Width(), layout.map.Height(), TRUE);
}

LRESULT CALLBACK CPlayClient::DockNotifyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = reinterpret_cast<CPlayClient*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP || msg == WM_MOUSEMOVE)) {
        self->OnDockNotify(msg, wp, lp);
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wp, lp);
}
