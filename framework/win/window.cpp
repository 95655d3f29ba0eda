#include "framework/win/window.h"

namespace vfw {

CWnd::~CWnd()
{
    // A window must not outlive its object.
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
}

bool CWnd::RegisterWindowClass(const char* name, UINT style, HICON icon, HCURSOR cursor, HBRUSH background)
{
    WNDCLASSEXA wc = {};
    if (::GetClassInfoExA(::GetModuleHandleA(nullptr), name, &wc))
        return true;
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = StaticWndProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return ::RegisterClassExA(&wc) != 0;
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int w, int h,
                    HWND parent, HMENU menu)
{
    HWND hwnd = ::CreateWindowExA(exStyle, className, title, style, x, y, w, h, parent, menu,
                                  ::GetModuleHandleA(nullptr), this);
    return hwnd != nullptr && m_hWnd == hwnd;
}

bool CWnd::DestroyWindow() { return m_hWnd && ::DestroyWindow(m_hWnd); }

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    CWnd* self;
    if (msg == WM_NCCREATE) {
        self = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->m_hWnd = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self)
        return ::DefWindowProcA(hwnd, msg, wp, lp);
    const LRESULT result = self->WindowProc(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->m_hWnd = nullptr;
        self->PostNcDestroy();
    }
    return result;
}

}  // namespace vfw
