#include "mapper/view/map_view_win.h"

#include "mapper/model/document.h"
#include "mapper/resource_ids.h"
#include "mapper/settings/program_settings.h"
#include "mapper/view/gdi_dc_win.h"
#include "mapper/view/geometry.h"
#include "mapper/view/view_keys.h"

namespace {
const char kViewClass[] = "VorMapperView";

// The pointer position of a mouse message (signed: it may lie left of or
// above the window while the mouse is captured).
CPoint PointOf(LPARAM lp) { return {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

struct CToggle {
    unsigned id;
    bool CViewState::*flag;
};
constexpr CToggle kToggles[] = {
    {ID_VIEW_ROSE, &CViewState::m_bShowRose},     {ID_VIEW_GRID, &CViewState::m_bShowGrid},
    {ID_VIEW_HIGHER, &CViewState::m_bShowHigher}, {ID_VIEW_LOWER, &CViewState::m_bShowLower},
    {ID_VIEW_STATE, &CViewState::m_bShowState},   {ID_VIEW_FOLLOW_MOVEMENTS, &CViewState::m_bFollowMovements},
};
const CToggle* FindToggle(unsigned id)
{
    for (const CToggle& t : kToggles)
        if (t.id == id)
            return &t;
    return nullptr;
}
}  // namespace

CVorMapperView::CVorMapperView(CVorMapperDoc& doc) : m_doc(doc) { m_doc.AddView(this); }

CVorMapperView::~CVorMapperView() { m_doc.RemoveView(this); }

bool CVorMapperView::Create(HWND parent, int id)
{
    RegisterWindowClass(kViewClass, CS_DBLCLKS, nullptr, ::LoadCursor(nullptr, IDC_ARROW), nullptr);
    return CreateEx(WS_EX_CLIENTEDGE, kViewClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

LRESULT CVorMapperView::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate();
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_ERASEBKGND:
        return 1;  // the paint covers every pixel
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wp));
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wp));
        return 0;
    case WM_LBUTTONDOWN:
        ::SetFocus(m_hWnd);
        OnLButtonDown(PointOf(lp));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(PointOf(lp));
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        ::SetFocus(m_hWnd);
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    default:
        break;
    }
    return Default(msg, wp, lp);
}

int CVorMapperView::OnCreate()
{
    const CViewSettings s = LoadViewSettings();
    m_state.m_bShowRose = s.m_bRose;
    m_state.m_bShowGrid = s.m_bGrid;
    m_state.m_bShowHigher = s.m_bHigher;
    m_state.m_bShowLower = s.m_bLower;
    m_state.m_bShowState = s.m_bState;
    m_state.m_bOnline = m_doc.IsOnline();
    return 0;
}

void CVorMapperView::OnDestroy()
{
    CViewSettings s;
    s.m_bRose = m_state.m_bShowRose;
    s.m_bGrid = m_state.m_bShowGrid;
    s.m_bHigher = m_state.m_bShowHigher;
    s.m_bLower = m_state.m_bShowLower;
    s.m_bState = m_state.m_bShowState;
    SaveViewSettings(s);
}

void CVorMapperView::OnPaint()
{
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    if (rc.right > 0 && rc.bottom > 0)
        PaintMapToWindow(hdc, m_doc, m_state, rc.right, rc.bottom);
    ::EndPaint(m_hWnd, &ps);
}

void CVorMapperView::OnUpdate(vfw::CDocument&, long hint)
{
    m_state.m_bOnline = m_doc.IsOnline();
    if (hint == HINT_PLANE_CHANGED)
        m_state.m_selection.Clear();
    if (m_hWnd)
        Invalidate();
}

void CVorMapperView::MoveInDirection(Direction dir)
{
    const bool moved = m_state.m_bOnline ? m_doc.SendOnlineMove(dir) : m_doc.Move(dir);
    if (moved)
        Invalidate();
}

void CVorMapperView::OnKeyDown(UINT key)
{
    const Direction dir = DirectionOfKey(key);
    if (dir != DIR_NONE)
        MoveInDirection(dir);
}

void CVorMapperView::OnMouseWheel(int delta)
{
    if (m_state.m_bDraggingRoom || m_state.m_bRotating || m_state.m_bPanning || m_state.m_bRubberBand)
        return;
    if (WheelZoom(m_doc, delta))
        Invalidate();
}

void CVorMapperView::OnLButtonDown(CPoint p)
{
    // A click on a rose triangle moves the character; the triangle stays
    // lit until the button is released.
    if (!m_state.m_bShowRose)
        return;
    m_state.m_nPressedRoseDir = m_state.RoseDirectionAt(p);
    if (m_state.m_nPressedRoseDir != DIR_NONE) {
        MoveInDirection(m_state.m_nPressedRoseDir);
        Invalidate();
    }
}

void CVorMapperView::OnLButtonUp(CPoint)
{
    if (m_state.m_nPressedRoseDir != DIR_NONE) {
        m_state.m_nPressedRoseDir = DIR_NONE;
        Invalidate();
    }
}

bool CVorMapperView::OnCmdMsg(unsigned id)
{
    if (const CToggle* t = FindToggle(id)) {
        m_state.*(t->flag) = !(m_state.*(t->flag));
        Invalidate();
        return true;
    }
    return false;
}

bool CVorMapperView::OnUpdateCmdUI(vfw::CCmdUI& ui)
{
    if (const CToggle* t = FindToggle(ui.m_nID)) {
        ui.SetCheck(m_state.*(t->flag) ? 1 : 0);
        return true;
    }
    return false;
}
