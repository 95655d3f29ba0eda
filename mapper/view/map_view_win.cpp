#include "mapper/view/map_view_win.h"

#include "framework/win/window_dpi.h"
#include "framework/win/modal.h"
#include "mapper/model/document.h"
#include "mapper/resource_ids.h"
#include "mapper/settings/program_settings.h"
#include "mapper/view/gdi_dc_win.h"
#include "mapper/view/spatial_index.h"

namespace {
const char kViewClass[] = "VorMapperView";
const char kProgramTitle[] = "VorMapper";

// The pointer position of a mouse message (signed: it may lie left of or
// above the window while the mouse is captured).
CPoint PointOf(LPARAM lp) { return {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }
}  // namespace

CVorMapperView::CVorMapperView(CVorMapperDoc& doc)
    : m_doc(doc), m_interaction(doc, m_state, *this, &m_standIn)
{
    m_doc.AddView(this);
    m_state.m_pIndex = std::make_shared<CSpatialIndex>(doc);
}

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
        if (wp == VK_ESCAPE && m_onEscape)
            m_onEscape();
        m_interaction.OnKeyDown(static_cast<unsigned>(wp));
        return 0;
    case WM_MOUSEWHEEL:
        m_interaction.OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wp));
        return 0;
    case WM_MOUSEMOVE:
        m_interaction.OnMouseMove(PointOf(lp));
        return 0;
    case WM_LBUTTONDOWN:
        ::SetFocus(m_hWnd);
        m_interaction.OnLButtonDown(PointOf(lp));
        return 0;
    case WM_LBUTTONUP:
        m_interaction.OnLButtonUp(PointOf(lp));
        return 0;
    case WM_LBUTTONDBLCLK:
        m_interaction.OnLButtonDblClk(PointOf(lp));
        return 0;
    case WM_RBUTTONDOWN:
        ::SetFocus(m_hWnd);
        m_interaction.OnRButtonDown(PointOf(lp));
        return 0;
    case WM_RBUTTONUP:
        m_interaction.OnRButtonUp(PointOf(lp));
        return 0;
    case WM_RBUTTONDBLCLK:
        m_interaction.OnRButtonDblClk(PointOf(lp));
        return 0;
    case WM_MBUTTONDOWN:
        ::SetFocus(m_hWnd);
        break;
    case WM_CAPTURECHANGED:
        if (!m_bReleasing && reinterpret_cast<HWND>(lp) != m_hWnd)
            m_interaction.OnCaptureLost();
        return 0;
    case WM_COMMAND:
        // Commands of the context menu; what the view does not handle goes to the frame.
        if (HIWORD(wp) == 0 && lp == 0) {
            if (!OnCommand(LOWORD(wp)))
                ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, wp, lp);
            return 0;
        }
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
    m_standIn.SetParent(m_hWnd);
    const CViewSettings s = LoadViewSettings();
    m_state.m_bShowRose = s.m_bRose;
    m_state.m_bShowGrid = s.m_bGrid;
    m_state.m_bShowHigher = s.m_bHigher;
    m_state.m_bShowLower = s.m_bLower;
    m_state.m_bShowState = s.m_bState;
    m_state.m_nDpi = vfw::ResolutionOf(m_hWnd);
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
    // The window may have moved to a screen of another resolution.
    m_state.m_nDpi = vfw::ResolutionOf(m_hWnd);
    if (rc.right > 0 && rc.bottom > 0)
        PaintMapToWindow(hdc, m_doc, m_state, rc.right, rc.bottom, m_back);
    ::EndPaint(m_hWnd, &ps);
}

void CVorMapperView::OnUpdate(vfw::CDocument&, long hint)
{
    m_interaction.OnDocumentUpdate(hint);
    if (m_hWnd)
        Invalidate(false);
}

bool CVorMapperView::OnCommand(unsigned id) { return m_interaction.OnCommand(id); }

bool CVorMapperView::OnUpdateCommand(vfw::CCmdUI& ui) { return m_interaction.OnUpdateCommand(ui); }

// ---------------------------------------------------------------- IViewHost

void CVorMapperView::SetStateNote(const std::string& note)
{
    if (note == m_state.m_strNote)
        return;
    m_state.m_strNote = note;
    Invalidate();
}

void CVorMapperView::Invalidate(bool now)
{
    if (!m_hWnd)
        return;
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    if (now)
        ::UpdateWindow(m_hWnd);
}

void CVorMapperView::SetCapture()
{
    if (m_hWnd)
        ::SetCapture(m_hWnd);
}

void CVorMapperView::ReleaseCapture()
{
    if (!m_hWnd || ::GetCapture() != m_hWnd)
        return;
    m_bReleasing = true;
    ::ReleaseCapture();
    m_bReleasing = false;
}

bool CVorMapperView::AskYesNo(const std::string& question)
{
    if (m_askYesNo)
        return m_askYesNo(question);
    HWND owner = vfw::ModalOwner(m_hWnd);
    vfw::CModalRun run;
    return ::MessageBoxA(owner, question.c_str(), kProgramTitle, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CVorMapperView::ShowContextMenu(const CContextMenuPlan& plan, CPoint windowPoint)
{
    HMENU menu = CreateContextMenu(plan);
    if (!menu)
        return;
    POINT pt{windowPoint.x, windowPoint.y};
    ::ClientToScreen(m_hWnd, &pt);
    const UINT cmd = m_runMenu ? m_runMenu(menu, pt)
                               : static_cast<UINT>(::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                                                    pt.x, pt.y, 0, m_hWnd, nullptr));
    ::DestroyMenu(menu);
    if (cmd != 0)
        ::SendMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(cmd, 0), 0);
}
