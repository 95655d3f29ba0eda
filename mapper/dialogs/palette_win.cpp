#include "mapper/dialogs/palette_win.h"

#include <algorithm>

#include <windowsx.h>

#include "framework/win/window_dpi.h"
#include "mapper/dialogs/dialog_layout_win.h"
#include "mapper/dialogs/palette_file.h"
#include "mapper/res/resource.h"

namespace {
constexpr char kGridClass[] = "vfw:PaletteGrid";

// The framework's message for a file that could not be written.
void ReportWriteError(HWND owner, const std::string& path, unsigned long error)
{
    UINT id = IDP_FAILED_IO_ERROR_WRITE;
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        id = IDP_FAILED_ACCESS_WRITE;
        break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        id = IDP_FAILED_DISK_FULL;
        break;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILE_NOT_FOUND:
        id = IDP_FAILED_INVALID_PATH;
        break;
    }
    char format[512] = "";
    if (::LoadStringA(::GetModuleHandleA(nullptr), id, format, sizeof format) <= 0)
        lstrcpynA(format, "An unexpected error occurred while writing %1.", sizeof format);
    std::string text = format;
    const std::size_t at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, path);
    ::MessageBoxA(owner, text.c_str(), "VorMapper", MB_OK | MB_ICONEXCLAMATION);
}

void SunkenFrame(HDC dc, int x, int y, int size)
{
    HPEN shadow = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    HPEN light = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    HGDIOBJ old = ::SelectObject(dc, shadow);
    ::MoveToEx(dc, x, y + size - 1, nullptr);
    ::LineTo(dc, x, y);
    ::LineTo(dc, x + size - 1, y);
    ::SelectObject(dc, light);
    ::LineTo(dc, x + size - 1, y + size - 1);
    ::LineTo(dc, x - 1, y + size - 1);
    ::SelectObject(dc, old);
    ::DeleteObject(shadow);
    ::DeleteObject(light);
}
}  // namespace

// ------------------------------------------------------------------ grid

CPaletteGrid::~CPaletteGrid()
{
    if (m_hFont)
        ::DeleteObject(m_hFont);
}

bool CPaletteGrid::Create(DWORD style, const RECT& rc, HWND parent, UINT id)
{
    RegisterWindowClass(kGridClass, CS_DBLCLKS, nullptr, ::LoadCursorA(nullptr, IDC_ARROW),
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CreateEx(WS_EX_CLIENTEDGE, kGridClass, "Palette", style, rc.left, rc.top, rc.right - rc.left,
                  rc.bottom - rc.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
        return false;
    m_hButton = ::CreateWindowExA(0, "BUTTON", "...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 1, 1, kPaletteSwatch,
                                  kPaletteSwatch, m_hWnd, reinterpret_cast<HMENU>(IDC_PALETTE_MORE),
                                  ::GetModuleHandleA(nullptr), nullptr);
    FitToDpi();
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    m_model.Layout(client.right, client.bottom, ::GetSystemMetrics(SM_CXVSCROLL));
    SyncScrollBar();
    if (m_crInitial != kColorNone)
        SelectColor(m_crInitial);
    return true;
}

void CPaletteGrid::FitToDpi()
{
    const int dpi = vfw::ResolutionOf(m_hWnd);
    m_model.SetDpi(dpi);
    if (m_hFont)  // a second run of the same dialog, or a new resolution
        ::DeleteObject(m_hFont);
    m_hFont = ::CreateFontA(-::MulDiv(10, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                            "Tahoma");
    ::SendMessageA(m_hButton, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
}

void CPaletteGrid::Resize(const RECT& rc)
{
    FitToDpi();
    ::MoveWindow(m_hWnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    const int selected = m_model.m_nSelected;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    m_model.Layout(client.right, client.bottom, ::GetSystemMetrics(SM_CXVSCROLL));
    m_model.m_nSelected = selected;
    m_model.UpdateScrollRange();
    SyncScrollBar();
    Invalidate(true);
}

void CPaletteGrid::SyncScrollBar()
{
    if (!m_hWnd)
        return;
    ::SetScrollRange(m_hWnd, SB_VERT, 0, m_model.m_nScrollMax, FALSE);
    ::SetScrollPos(m_hWnd, SB_VERT, m_model.m_nScrollPos, TRUE);
    PlaceButton();
}

void CPaletteGrid::PlaceButton()
{
    int x, y;
    m_model.CellOrigin(static_cast<int>(m_model.m_colors.size()), x, y);
    RECT now;
    ::GetWindowRect(m_hButton, &now);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&now), 2);
    const int size = m_model.m_nSwatch;
    if (now.left != x || now.top != y || now.right - now.left != size)
        ::MoveWindow(m_hButton, x, y, size, size, TRUE);
}

void CPaletteGrid::SelectColor(ColorRef color)
{
    m_model.SelectByValue(color);
    SyncScrollBar();
    if (m_hWnd)
        Invalidate(true);
}

LRESULT CPaletteGrid::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (HandlePaint(msg, wp, [this](HDC dc) { Paint(dc); }))
        return 0;
    switch (msg) {
    case WM_LBUTTONDOWN:
        OnMouse(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), false);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnMouse(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), true);
        return 0;
    case WM_MOUSEWHEEL:
        OnWheel(GET_WHEEL_DELTA_WPARAM(wp));
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wp));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wp) == IDC_PALETTE_MORE && HIWORD(wp) == BN_CLICKED) {
            OnMoreColors();
            return 0;
        }
        break;
    }
    return Default(msg, wp, lp);
}

void CPaletteGrid::Paint(HDC dc)
{
    HPEN grey = ::CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
    HGDIOBJ oldPen = ::SelectObject(dc, grey);
    const CPaletteModel& m = m_model;
    const int count = static_cast<int>(m.m_colors.size());
    // Only the rows in the window are drawn; the button goes to its cell wherever it is.
    const int first = m.m_nScrollPos * m.m_nColumns;
    const long long lastRow = static_cast<long long>(m.m_nScrollPos) + m.m_nVisibleRows + 1;
    const long long end = std::min<long long>(count, lastRow * m.m_nColumns);
    PlaceButton();
    const int size = m.m_nSwatch, edge = m.m_nMargin, mark = 3 * m.m_nMargin;
    int x, y;
    for (int k = first; k < end; ++k) {
        m.CellOrigin(k, x, y);
        SunkenFrame(dc, x, y, size);
        HBRUSH fill = ::CreateSolidBrush(m.m_colors[static_cast<size_t>(k)]);
        HGDIOBJ oldBrush = ::SelectObject(dc, fill);
        HGDIOBJ pen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
        ::Rectangle(dc, x + edge, y + edge, x + size - edge, y + size - edge);
        if (k + 1 == m.m_nSelected) {
            ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
            const int oldRop = ::SetROP2(dc, R2_NOT);
            ::Rectangle(dc, x + mark, y + mark, x + size - mark, y + size - mark);
            ::SetROP2(dc, oldRop);
        }
        ::SelectObject(dc, pen);
        ::SelectObject(dc, oldBrush);
        ::DeleteObject(fill);
    }
    ::SelectObject(dc, oldPen);
    ::DeleteObject(grey);
}

void CPaletteGrid::OnMouse(int x, int y, bool doubleClick)
{
    if (!m_model.Click(x, y))
        return;
    Invalidate(true);
    if (doubleClick) {
        const int id = ::GetDlgCtrlID(m_hWnd);
        ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(id, kPaletteDoubleClick),
                       reinterpret_cast<LPARAM>(m_hWnd));
    }
}

void CPaletteGrid::OnWheel(int delta)
{
    if (!m_model.Wheel(delta))
        return;
    SyncScrollBar();
    Invalidate(true);
}

void CPaletteGrid::OnVScroll(int code)
{
    int thumb = 0;
    if (code == SB_THUMBTRACK) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_TRACKPOS;
        ::GetScrollInfo(m_hWnd, SB_VERT, &si);
        thumb = si.nTrackPos;
    }
    if (!m_model.Scroll(code, thumb))
        return;
    SyncScrollBar();
    Invalidate(true);
}

bool CPaletteGrid::ChooseColorFromPlatform(HWND owner, ColorRef current, ColorRef& chosen)
{
    static COLORREF custom[16] = {};
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = current;
    cc.lpCustColors = custom;
    cc.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!::ChooseColorA(&cc))
        return false;
    chosen = cc.rgbResult;
    return true;
}

void CPaletteGrid::OnMoreColors()
{
    ColorRef current = 0;
    m_model.SelectedColor(current);
    ColorRef chosen = 0;
    if (ChooseColorFromPlatform(::GetParent(m_hWnd), current, chosen))
        SelectColor(chosen & 0x00FFFFFFu);
}

// ---------------------------------------------------------------- dialog

CPaletteDialog::CPaletteDialog(HWND hParent) : vfw::CDialog(IDD_PALETTE, hParent), m_strPath(DefaultPalettePath()) {}

void CPaletteDialog::Init(ColorRef color)
{
    m_grid.LoadFile(m_strPath);
    m_grid.m_crInitial = color;
}

// The grid's place in the dialog, at the dialog's resolution.
RECT CPaletteDialog::GridRect() const
{
    return RECT{vfw::ScaleFor(m_hWnd, 4), vfw::ScaleFor(m_hWnd, 4), vfw::ScaleFor(m_hWnd, 230),
                vfw::ScaleFor(m_hWnd, 170)};
}

BOOL CPaletteDialog::OnInitDialog()
{
    vfw::CDialog::OnInitDialog();
    const RECT rc = GridRect();
    m_grid.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, rc, m_hWnd, IDC_PALETTE_GRID);
    LayOutButtons(rc);
    ::SetFocus(m_grid.m_hWnd);
    return FALSE;
}

// The OK and Cancel row under the grid, its right edge on the grid's, and
// the dialog around both with the grid's margin, whatever the dialog font.
void CPaletteDialog::LayOutButtons(const RECT& grid)
{
    HWND ok = GetDlgItem(IDOK), cancel = GetDlgItem(IDCANCEL);
    if (!ok || !cancel)
        return;
    RECT o, c;
    ::GetWindowRect(ok, &o);
    ::GetWindowRect(cancel, &c);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&o), 2);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&c), 2);
    const int margin = grid.left, gap = c.left > o.right ? c.left - o.right : margin;
    const int top = grid.bottom + 2 * margin;
    const int cancelLeft = grid.right - (c.right - c.left);
    const int okLeft = cancelLeft - gap - (o.right - o.left);
    ::SetWindowPos(cancel, nullptr, cancelLeft, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(ok, nullptr, okLeft, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT want{0, 0, grid.right + margin, top + (c.bottom - c.top) + margin};
    ::AdjustWindowRectEx(&want, static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)));
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, want.right - want.left, want.bottom - want.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPaletteDialog::OnOK()
{
    unsigned long error = 0;
    if (!m_grid.SaveFile(m_strPath, error)) {
        ReportWriteError(m_hWnd, m_strPath, error);
        return;
    }
    EndDialog(IDOK);
}

INT_PTR CPaletteDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (IsRelayOut(m_hWnd, msg, lp)) {
        const RECT rc = GridRect();
        m_grid.Resize(rc);
        LayOutButtons(rc);
        return FALSE;
    }
    if (msg == WM_COMMAND && LOWORD(wp) == IDC_PALETTE_GRID && HIWORD(wp) == kPaletteDoubleClick) {
        EndDialog(IDOK);
        return TRUE;
    }
    return FALSE;
}
