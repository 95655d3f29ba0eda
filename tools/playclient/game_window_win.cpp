#include "tools/playclient/client_win.h"

#include "framework/win/window_dpi.h"

namespace {
const char kGameClass[] = "PlayClientGame";
constexpr int kOutputId = 1, kInputId = 2;
constexpr int kInputHeight = 22;  // at 96 dpi
constexpr int kKeepText = 256 * 1024;  // the pane drops its oldest text beyond this
}  // namespace

bool CGameWindow::Create(HWND owner)
{
    m_hOwner = owner;
    HINSTANCE inst = ::GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = inst;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kGameClass;
    ::RegisterClassA(&wc);
    m_hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, kGameClass, "Game", WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_CLIPCHILDREN,
                               0, 0, vfw::ScaleFor(owner, 600), vfw::ScaleFor(owner, 300), owner, nullptr, inst,
                               this);
    if (!m_hWnd)
        return false;
    const DWORD pane = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL;
    m_hOutput = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", pane, 0, 0, 10, 10, m_hWnd,
                                  reinterpret_cast<HMENU>(kOutputId), inst, nullptr);
    m_hInput = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 10, 10,
                                 m_hWnd, reinterpret_cast<HMENU>(kInputId), inst, nullptr);
    if (!m_hOutput || !m_hInput)
        return false;
    ::SendMessageA(m_hOutput, EM_SETLIMITTEXT, 0, 0);
    FitToDpi();
    ::SetWindowLongPtrA(m_hInput, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_pfnInput = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(m_hInput, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(InputProc)));
    OnSize();
    return true;
}

void CGameWindow::Append(const std::string& line)
{
    const std::string pending = m_strPending;
    SetPending("");
    int length = ::GetWindowTextLengthA(m_hOutput);
    if (length > kKeepText) {
        // Drop the oldest lines, up to a line end.
        int cut = static_cast<int>(::SendMessageA(m_hOutput, EM_LINEINDEX,
                                                  ::SendMessageA(m_hOutput, EM_LINEFROMCHAR, length / 2, 0) + 1, 0));
        if (cut <= 0)
            cut = length / 2;
        ::SendMessageA(m_hOutput, EM_SETSEL, 0, cut);
        ::SendMessageA(m_hOutput, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
    }
    AppendRaw(line);
    SetPending(pending);
}

void CGameWindow::SetPending(const std::string& text)
{
    if (text == m_strPending)
        return;
    if (m_nPendingStart >= 0) {
        // Take the provisional line off the end again.
        const int length = ::GetWindowTextLengthA(m_hOutput);
        ::SendMessageA(m_hOutput, EM_SETSEL, m_nPendingStart, length);
        ::SendMessageA(m_hOutput, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
        m_nPendingStart = -1;
    }
    m_strPending = text;
    if (!text.empty())
        m_nPendingStart = AppendRaw(text);
}

int CGameWindow::AppendRaw(const std::string& line)
{
    const int length = ::GetWindowTextLengthA(m_hOutput);
    std::string text = (length > 0 ? "\r\n" : "") + line;
    // The edit control ends its text at a NUL.
    for (char& c : text)
        if (c == '\0')
            c = ' ';
    ::SendMessageA(m_hOutput, EM_SETSEL, length, length);
    ::SendMessageA(m_hOutput, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageA(m_hOutput, EM_SCROLLCARET, 0, 0);
    return length;
}

void CGameWindow::SetReadOnly(const std::string& note)
{
    m_bReadOnly = !note.empty();
    ::SendMessageA(m_hInput, EM_SETREADONLY, m_bReadOnly, 0);
    ::SetWindowTextA(m_hInput, note.c_str());
    ::SetWindowTextA(m_hWnd, m_bReadOnly ? "Game - a client is connected (read-only)" : "Game");
}

std::string CGameWindow::TakeInput()
{
    if (m_bReadOnly)
        return std::string();
    const int n = ::GetWindowTextLengthA(m_hInput);
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    ::GetWindowTextA(m_hInput, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n));
    ::SetWindowTextA(m_hInput, "");
    return text;
}

void CGameWindow::FocusInput() const
{
    if (m_hInput)
        ::SetFocus(m_hInput);
}

void CGameWindow::FitToDpi()
{
    HFONT old = m_bOwnFont ? m_hFont : nullptr;
    m_hFont = vfw::StockFontFor(m_hWnd, ANSI_FIXED_FONT, m_bOwnFont);
    ::SendMessageA(m_hOutput, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), TRUE);
    ::SendMessageA(m_hInput, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), TRUE);
    if (old)
        ::DeleteObject(old);
}

void CGameWindow::OnSize() const
{
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    const int input = vfw::ScaleFor(m_hWnd, kInputHeight);
    const int split = rc.bottom > input ? rc.bottom - input : 0;
    ::MoveWindow(m_hOutput, 0, 0, rc.right, split, TRUE);
    ::MoveWindow(m_hInput, 0, split, rc.right, rc.bottom - split, TRUE);
}

LRESULT CALLBACK CGameWindow::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<CGameWindow*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CGameWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_SIZE:
        if (self && self->m_hOutput)
            self->OnSize();
        return 0;
    case WM_DPICHANGED_AFTERPARENT:
    case WM_DPICHANGED:
        // A new screen resolution: its font, and the input line's height.
        if (self && self->m_hOutput) {
            self->FitToDpi();
            self->OnSize();
        }
        return ::DefWindowProcA(hwnd, msg, wp, lp);
    case WM_NCDESTROY:
        if (self && self->m_bOwnFont) {
            ::DeleteObject(self->m_hFont);
            self->m_bOwnFont = false;
        }
        return ::DefWindowProcA(hwnd, msg, wp, lp);
    case WM_SETFOCUS:
        if (self)
            self->FocusInput();
        return 0;
    case WM_CLOSE:
        // Closing the game window closes the client.
        if (self)
            ::PostMessageA(self->m_hOwner, WM_CLOSE, 0, 0);
        return 0;
    default:
        return ::DefWindowProcA(hwnd, msg, wp, lp);
    }
}

LRESULT CALLBACK CGameWindow::InputProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = reinterpret_cast<CGameWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_CHAR && wp == '\r') {
        ::PostMessageA(self->m_hOwner, WM_APP_TYPED, 0, 0);
        return 0;
    }
    if (msg == WM_GETDLGCODE)
        return DLGC_WANTALLKEYS | ::CallWindowProcA(self->m_pfnInput, hwnd, msg, wp, lp);
    return ::CallWindowProcA(self->m_pfnInput, hwnd, msg, wp, lp);
}
