#pragma once
// A window object bound to its platform window. Each window kind overrides
// WindowProc, unpacks the messages it handles once and calls small typed
// handlers; everything else goes to Default.
#include <windows.h>

namespace vfw {

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    // Registers a window class whose procedure forwards to the object.
    static bool RegisterWindowClass(const char* name, UINT style, HICON icon, HCURSOR cursor, HBRUSH background);
    // Creates the window; the object receives every message from WM_NCCREATE on.
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int w, int h,
                  HWND parent, HMENU menu);
    bool DestroyWindow();

    void Invalidate(bool erase = false) const { ::InvalidateRect(m_hWnd, nullptr, erase); }

    HWND m_hWnd = nullptr;

protected:
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return ::DefWindowProcA(m_hWnd, msg, wp, lp); }
    // Answers WM_PAINT and WM_PRINTCLIENT by calling paint(HDC); true when
    // the message was one of them.
    template <class Paint>
    bool HandlePaint(UINT msg, WPARAM wp, Paint paint)
    {
        if (msg == WM_PRINTCLIENT) {
            paint(reinterpret_cast<HDC>(wp));
            return true;
        }
        if (msg != WM_PAINT)
            return false;
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hWnd, &ps);
        paint(dc);
        ::EndPaint(m_hWnd, &ps);
        return true;
    }
    // After the last message of the window (WM_NCDESTROY): the object may go.
    virtual void PostNcDestroy() {}

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
};

// Something that handles commands and tells their menu and toolbar state.
class ICommandTarget {
public:
    virtual ~ICommandTarget() = default;
    virtual bool OnCommand(unsigned id) = 0;
    virtual bool OnUpdateCommand(class CCmdUI& ui) = 0;
};

}  // namespace vfw
