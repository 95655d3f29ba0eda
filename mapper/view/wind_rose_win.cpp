#include "mapper/view/wind_rose_win.h"

#include <windowsx.h>

#include "framework/win/window_dpi.h"

namespace {
constexpr char kClassName[] = "vfw:WindRose";
constexpr int kFirstIcon = 141;  // north; one icon per direction in direction order

void Frame3D(HDC dc, RECT rc, COLORREF topLeft, COLORREF bottomRight)
{
    HPEN tl = ::CreatePen(PS_SOLID, 1, topLeft);
    HPEN br = ::CreatePen(PS_SOLID, 1, bottomRight);
    HGDIOBJ old = ::SelectObject(dc, tl);
    ::MoveToEx(dc, rc.left, rc.bottom - 1, nullptr);
    ::LineTo(dc, rc.left, rc.top);
    ::LineTo(dc, rc.right - 1, rc.top);
    ::SelectObject(dc, br);
    ::LineTo(dc, rc.right - 1, rc.bottom - 1);
    ::LineTo(dc, rc.left - 1, rc.bottom - 1);
    ::SelectObject(dc, old);
    ::DeleteObject(tl);
    ::DeleteObject(br);
}

RECT Shrunk(RECT rc, int by) { return RECT{rc.left + by, rc.top + by, rc.right - by, rc.bottom - by}; }

// `width` one-pixel frames, each inside the one before.
void Frame3D(HDC dc, RECT rc, COLORREF topLeft, COLORREF bottomRight, int width)
{
    for (int i = 0; i < width; ++i)
        Frame3D(dc, Shrunk(rc, i), topLeft, bottomRight);
}
}  // namespace

bool CWindRose::Create(DWORD style, int x, int y, HWND parent, UINT id)
{
    RegisterWindowClass(kClassName, CS_DBLCLKS, nullptr, ::LoadCursorA(nullptr, IDC_ARROW),
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    m_state.SetSelected(DIR_NONE);
    m_nCell = RoseCellAt(vfw::ResolutionOf(parent));
    return CreateEx(0, kClassName, "WindRose", style, x, y, Width(), Height(), parent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void CWindRose::FitToDpi()
{
    if (!m_hWnd)
        return;
    m_nCell = RoseCellAt(vfw::ResolutionOf(m_hWnd));
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, Width(), Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate(true);
}

void CWindRose::SetSelected(Direction dir)
{
    m_state.SetSelected(dir);
    if (m_hWnd)
        Invalidate(true);
}

LRESULT CWindRose::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (HandlePaint(msg, wp, [this](HDC dc) { Paint(dc); }))
        return 0;
    switch (msg) {
    case WM_ERASEBKGND: {
        // The parent's ground, as a static control gets it: on a themed page
        // the rose is no grey box. Without an answer, the button face.
        HDC dc = reinterpret_cast<HDC>(wp);
        HWND parent = ::GetParent(m_hWnd);
        HBRUSH ground = parent ? reinterpret_cast<HBRUSH>(::SendMessageA(parent, WM_CTLCOLORSTATIC,
                                                                         reinterpret_cast<WPARAM>(dc),
                                                                         reinterpret_cast<LPARAM>(m_hWnd)))
                               : nullptr;
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        POINT origin{0, 0};
        ::MapWindowPoints(m_hWnd, parent, &origin, 1);
        POINT old;
        ::SetBrushOrgEx(dc, -origin.x, -origin.y, &old);  // a textured ground lines up with the parent's
        ::FillRect(dc, &rc, ground ? ground : ::GetSysColorBrush(COLOR_BTNFACE));
        ::SetBrushOrgEx(dc, old.x, old.y, nullptr);
        return 1;
    }
    case WM_LBUTTONDOWN:
        OnLButtonDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        break;
    }
    return Default(msg, wp, lp);
}

void CWindRose::Paint(HDC dc)
{
    // Every length is the 96-dpi one at the cells' scale; lines grow one
    // pixel thicker per whole step of it, and the arrows come from the icon
    // image drawn for that size.
    const int dpi = m_nCell * kDefaultDpi / kRoseCell;
    auto px = [dpi](int n) { return ScaleToDpi(n, dpi); };
    const int line = dpi >= 2 * kDefaultDpi ? dpi / kDefaultDpi : 1;
    const int icon = px(32);
    HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    HPEN outline = line > 1 ? ::CreatePen(PS_INSIDEFRAME, line, RGB(0, 0, 0)) : nullptr;
    HGDIOBJ oldPen = outline ? ::SelectObject(dc, outline) : nullptr;
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    HINSTANCE inst = ::GetModuleHandleA(nullptr);
    const Direction selected = m_state.GetSelected();
    const int c = m_nCell;
    for (int column = 0; column < kRoseColumns; ++column) {
        for (int row = 0; row < kRoseRows; ++row) {
            const Direction d = RoseCellDirection(column, row);
            if (d == DIR_NONE)
                continue;
            const RECT cell{column * c, row * c, (column + 1) * c, (row + 1) * c};
            if (d == selected) {
                HBRUSH window = ::CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
                ::SelectObject(dc, window);
                const RECT in = Shrunk(cell, px(3));
                ::Rectangle(dc, in.left, in.top, in.right, in.bottom);
                ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
                Frame3D(dc, Shrunk(cell, px(2)), shadow, highlight, line);
                ::DeleteObject(window);
            } else if (m_state.IsHidden(d)) {
                continue;
            } else {
                const RECT out = Shrunk(cell, px(2));
                ::Rectangle(dc, out.left, out.top, out.right, out.bottom);
                Frame3D(dc, Shrunk(cell, px(2) + line), highlight, shadow, line);
            }
            const int shift = d == selected ? px(1) : 0;
            if (dpi == kDefaultDpi) {
                if (HICON i = ::LoadIconA(inst, MAKEINTRESOURCEA(kFirstIcon + d)))
                    ::DrawIcon(dc, cell.left + shift, cell.top + shift, i);
            } else if (HICON i = static_cast<HICON>(::LoadImageA(inst, MAKEINTRESOURCEA(kFirstIcon + d), IMAGE_ICON,
                                                                   icon, icon, 0))) {
                ::DrawIconEx(dc, cell.left + shift, cell.top + shift, i, icon, icon, 0, nullptr, DI_NORMAL);
                ::DestroyIcon(i);
            }
        }
    }
    if (IsDirection(selected)) {
        bool owned = false;
        HFONT font = vfw::StockFontFor(m_hWnd, DEFAULT_GUI_FONT, owned);
        HGDIOBJ oldFont = ::SelectObject(dc, font);
        const int oldMode = ::SetBkMode(dc, TRANSPARENT);
        RECT compass{0, 0, 3 * c, 3 * c};
        ::DrawTextA(dc, RoseShortName(selected), -1, &compass, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::SetBkMode(dc, oldMode);
        ::SelectObject(dc, oldFont);
        if (owned)
            ::DeleteObject(font);
    }
    if (outline) {
        ::SelectObject(dc, oldPen);
        ::DeleteObject(outline);
    }
    ::SelectObject(dc, oldBrush);
}

void CWindRose::OnLButtonDown(int x, int y)
{
    if (!m_state.Click(x, y, m_nCell))
        return;
    Invalidate(true);
    const int id = ::GetDlgCtrlID(m_hWnd);
    ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
}
