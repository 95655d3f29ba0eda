#include "mapper/frame/main_frame_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>

#include "framework/win/command_ui.h"
#include "framework/win/window_dpi.h"
#include "framework/win/modal.h"
#include "mapper/dialogs/text_dialogs_win.h"
#include "mapper/frame/client_protocol.h"
#include "mapper/frame/toolbar_win.h"
#include "mapper/model/document.h"
#include "mapper/resource_ids.h"
#include "mapper/settings/config_sheet_win.h"
#include "mapper/settings/program_settings.h"

namespace {
const char kFrameClass[] = "VorMapperFrame";
constexpr int kViewId = 0xE900;  // the framework's first pane id
constexpr int kToolbarId = 0xE800;
const char kHomePage[] = "https://vormapper.example.org/";
const char kMailLink[] = "mailto:authors@vormapper.example.org";

CClientLinkHost LinkHostOf(CMainFrame* frame)
{
    CClientLinkHost host;
    host.channel = frame;
    host.window = frame;
    return host;
}

CMappingHost MappingHostOf(CMainFrame* frame)
{
    CMappingHost host;
    host.followPrompt = frame;
    host.messages = frame;
    return host;
}
}  // namespace

CMainFrame::CMainFrame(CVorMapperDoc& doc, HWND client)
    : m_doc(doc), m_history(doc), m_session(doc, MappingHostOf(this)),
      m_link(doc, m_session, LinkHostOf(this)), m_view(doc), m_dialogs(doc), m_autosave(doc)
{
    m_link.m_hClient = reinterpret_cast<std::uintptr_t>(client);
    m_doc.SetPlaneNamePrompt(this);
    m_doc.AddView(this);
    SetUpNavigation();
}

CMainFrame::~CMainFrame()
{
    m_doc.RemoveView(this);
    m_doc.SetPlaneNamePrompt(nullptr);
}

bool CMainFrame::Create()
{
    HINSTANCE inst = ::GetModuleHandleA(nullptr);
    RegisterWindowClass(kFrameClass, 0, ::LoadIconA(inst, MAKEINTRESOURCEA(IDR_MAINFRAME)),
                        ::LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    m_hMenu = ::LoadMenuA(inst, MAKEINTRESOURCEA(IDR_MAINFRAME));
    if (!CreateEx(0, kFrameClass, "Vor Mapper", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                  vfw::ScaleFor(nullptr, 800), vfw::ScaleFor(nullptr, 600), nullptr, m_hMenu))
        return false;
    UpdateTitle();
    return true;
}

void CMainFrame::ShowStandalone()
{
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    ::UpdateWindow(m_hWnd);
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate();
    case WM_SIZE:
        OnSize();
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(*reinterpret_cast<const RECT*>(lp));
        return 0;
    case WM_SETFOCUS:
        if (m_view.m_hWnd)
            ::SetFocus(m_view.m_hWnd);
        return 0;
    case WM_COMMAND:
        // While a dialog is open nothing may change or replace the map under
        // it; a command can still come by the client's menu bar when docked.
        if (vfw::ActivateModalWindow(m_hWnd))
            return 0;
        if (OnCommand(LOWORD(wp)))
            return 0;
        break;
    case WM_INITMENUPOPUP:
        vfw::UpdateMenuPopup(reinterpret_cast<HMENU>(wp), *this);
        return 0;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lp));
    case WM_COPYDATA: {
        const LRESULT reply = OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lp));
        if (m_hWnd)  // not after a quit
            m_autosave.AfterStep();
        return reply;
    }
    case WM_TIMER:
        if (m_autosave.OnTimer(wp))
            return 0;
        break;
    case WM_CLOSE:
        // Not under an open dialog: it comes first.
        if (!vfw::ActivateModalWindow(m_hWnd))
            OnClose();
        return 0;
    case UM_DESTROY_AFTER_DIALOGS:
        DestroyFrame();
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return Default(msg, wp, lp);
}

int CMainFrame::OnCreate()
{
    m_bToolbarVisible = LoadToolbarSetting();
    if (!CreateToolbar())
        return -1;
    if (!m_view.Create(m_hWnd, kViewId))
        return -1;
    m_dialogs.SetParent(m_view.m_hWnd);
    m_view.SetDialogs(&m_dialogs);
    m_autosave.Start(m_hWnd, [this](const std::string& note) { m_view.SetStateNote(note); });
    // Announce the window; the client's reply is not used. A client of 0
    // gets nothing.
    if (HWND client = reinterpret_cast<HWND>(m_link.m_hClient))
        ::SendMessageA(client, UM_MAPPER_WINDOW, reinterpret_cast<WPARAM>(m_hWnd), 0);
    return 0;
}

bool CMainFrame::CreateToolbar()
{
    // Image indices in the toolbar bitmap: New, Open, Save, Zoom in, Zoom
    // out, Lower plane, Higher plane, Reset rotation.
    const struct {
        int image;
        int command;
    } layout[] = {{0, ID_FILE_NEW}, {1, ID_FILE_OPEN}, {2, ID_FILE_SAVE}, {-1, 0},
                  {3, ID_ZOOM_IN},  {4, ID_ZOOM_OUT},  {-1, 0},           {5, ID_PLANE_LOWER},
                  {6, ID_PLANE_HIGHER}, {-1, 0},       {7, ID_ROTATION_0}};
    TBBUTTON buttons[sizeof layout / sizeof layout[0]] = {};
    int n = 0;
    for (const auto& b : layout) {
        TBBUTTON& t = buttons[n++];
        t.iBitmap = b.image < 0 ? 0 : b.image;
        t.idCommand = b.command;
        t.fsState = TBSTATE_ENABLED;
        t.fsStyle = b.image < 0 ? BTNS_SEP : BTNS_BUTTON;
    }
    DWORD style = WS_CHILD | CCS_TOP | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS;
    if (m_bToolbarVisible)
        style |= WS_VISIBLE;
    m_hToolbar = CreateMainToolbar(m_hWnd, style, kToolbarId, buttons, n);
    return m_hToolbar != nullptr;
}

// The toolbar's own visibility, whatever the frame's: the close handling
// hides the frame before it saves the setting.
bool CMainFrame::ToolbarShown() const
{
    return m_hToolbar && (::GetWindowLongA(m_hToolbar, GWL_STYLE) & WS_VISIBLE) != 0;
}

void CMainFrame::OnSize()
{
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    int top = 0;
    if (ToolbarShown()) {
        ::SendMessageA(m_hToolbar, TB_AUTOSIZE, 0, 0);
        RECT tb;
        ::GetWindowRect(m_hToolbar, &tb);
        top = tb.bottom - tb.top;
    }
    if (m_view.m_hWnd)
        ::MoveWindow(m_view.m_hWnd, 0, top, rc.right, rc.bottom - top > 0 ? rc.bottom - top : 0, TRUE);
}

void CMainFrame::OnDpiChanged(const RECT& suggested)
{
    ::SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_hToolbar)
        FitToolbarToDpi(m_hToolbar, vfw::ResolutionOf(m_hWnd));
    OnSize();
    m_view.Invalidate();
}

LRESULT CMainFrame::OnNotify(NMHDR* hdr)
{
    if (hdr->code == TTN_GETDISPINFOA) {
        // Tool tips are the text after the line break of the command's string.
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(hdr);
        static char tip[128];
        char text[256] = "";
        ::LoadStringA(::GetModuleHandleA(nullptr), static_cast<UINT>(hdr->idFrom), text, sizeof text);
        const char* nl = std::strchr(text, '\n');
        lstrcpynA(tip, nl ? nl + 1 : text, sizeof tip);
        info->lpszText = tip;
        return 0;
    }
    return Default(WM_NOTIFY, hdr->idFrom, reinterpret_cast<LPARAM>(hdr));
}

LRESULT CMainFrame::OnCopyData(const COPYDATASTRUCT* cds)
{
    std::intptr_t reply = 0;
    // The platform copies cbData bytes; lpData may be null when it is 0.
    if (cds && m_link.OnCopyData(cds->dwData, cds->lpData, cds->cbData, reply))
        return reply;
    return Default(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(cds));
}

void CMainFrame::OnIdle()
{
    if (m_hToolbar)
        vfw::UpdateToolbar(m_hToolbar, *this);
}

// ---------------------------------------------------------------- command routing

// The frame's own commands: what each runs and, where the frame tells it, its
// menu and toolbar state. A row without a state leaves the item as it is.
struct CMainFrame::CCommandRow {
    unsigned id;
    void (*run)(CMainFrame&);
    void (*update)(const CMainFrame&, vfw::CCmdUI&);
};

const CMainFrame::CCommandRow* CMainFrame::FindCommand(unsigned id)
{
    static const CCommandRow kRows[] = {
        {ID_FILE_NEW, [](CMainFrame& f) { f.OnFileNew(); }, nullptr},
        {ID_FILE_OPEN, [](CMainFrame& f) { f.OnFileOpen(); }, nullptr},
        {ID_FILE_SAVE, [](CMainFrame& f) { f.OnFileSave(); }, nullptr},
        {ID_FILE_SAVE_AS, [](CMainFrame& f) { f.OnFileSaveAs(); }, nullptr},
        {ID_FILE_IMPORT, [](CMainFrame& f) { f.OnFileImport(); }, nullptr},
        {ID_FILE_EXPORT, [](CMainFrame& f) { f.OnFileExport(); }, nullptr},
        {ID_APP_EXIT, [](CMainFrame& f) { ::PostMessageA(f.m_hWnd, WM_CLOSE, 0, 0); }, nullptr},
        {ID_CONFIGURE_ONLINE,
         [](CMainFrame& f) {
             if (f.m_link.m_bAttached)
                 RunConfigSheet(f.m_hWnd, f.m_session.m_settings);
         },
         // the client-side settings exist only while docked
         [](const CMainFrame& f, vfw::CCmdUI& ui) { ui.Enable(f.m_link.m_bAttached); }},
        {ID_APP_ABOUT,
         [](CMainFrame& f) {
             CAboutDlg about(f.m_hWnd);
             about.DoModal();
         },
         nullptr},
        {ID_HELP_HOMEPAGE,
         [](CMainFrame& f) { ::ShellExecuteA(f.m_hWnd, "open", kHomePage, nullptr, nullptr, SW_SHOWNORMAL); }, nullptr},
        {ID_HELP_WRITE_AUTHOR,
         [](CMainFrame& f) { ::ShellExecuteA(f.m_hWnd, "open", kMailLink, nullptr, nullptr, SW_SHOWNORMAL); }, nullptr},
        {ID_VIEW_TOOLBAR,
         [](CMainFrame& f) {
             if (f.m_hToolbar) {
                 ::ShowWindow(f.m_hToolbar, f.ToolbarShown() ? SW_HIDE : SW_SHOW);
                 f.OnSize();
             }
         },
         [](const CMainFrame& f, vfw::CCmdUI& ui) { ui.SetCheck(f.ToolbarShown() ? 1 : 0); }},
        {ID_ROOM_WALK_HERE, [](CMainFrame& f) { f.OnWalkHere(); }, nullptr},
        {ID_EDIT_FIND_ROOM, [](CMainFrame& f) { f.OnFindRoom(); },
         [](const CMainFrame&, vfw::CCmdUI& ui) { ui.Enable(true); }},
    };
    for (const CCommandRow& row : kRows)
        if (row.id == id)
            return &row;
    return nullptr;
}

bool CMainFrame::OnCommand(unsigned id)
{
    bool handled = m_view.OnCommand(id) || m_doc.OnCommand(id) || m_history.OnCommand(id) || m_link.OnCommand(id);
    if (!handled) {
        if (const CCommandRow* own = FindCommand(id)) {
            own->run(*this);
            handled = true;
        }
    }
    if (!handled)
        return false;
    OnIdle();
    if (m_hWnd)
        m_autosave.AfterStep();
    return true;
}

bool CMainFrame::OnUpdateCommand(vfw::CCmdUI& ui)
{
    if (m_view.OnUpdateCommand(ui) || m_doc.OnUpdateCommand(ui) || m_history.OnUpdateCommand(ui) ||
        m_link.OnUpdateCommand(ui))
        return true;
    const CCommandRow* own = FindCommand(ui.m_nID);
    if (!own || !own->update)
        return false;
    own->update(*this, ui);
    return true;
}

// ---------------------------------------------------------------- the client link's host

std::intptr_t CMainFrame::SendCopyData(std::uintptr_t code, const void* data, std::uint32_t bytes)
{
    COPYDATASTRUCT cds;
    cds.dwData = code;
    cds.cbData = bytes;
    cds.lpData = const_cast<void*>(data);
    return ::SendMessageA(reinterpret_cast<HWND>(m_link.m_hClient), WM_COPYDATA, reinterpret_cast<WPARAM>(m_hWnd),
                          reinterpret_cast<LPARAM>(&cds));
}

bool CMainFrame::AskFollowName(std::string& name)
{
    CFollowNameDialog dlg(m_hWnd);
    dlg.m_strName = name;
    if (dlg.DoModal() != IDOK)
        return false;
    name = dlg.m_strName;
    return true;
}

void CMainFrame::ShowInformation(const std::string& text, const std::string& caption)
{
    vfw::CModalRun run;
    ::MessageBoxA(m_hWnd, text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

std::string CMainFrame::AskPlaneName(const std::string& current)
{
    CPlaneNameDialog dlg(m_hWnd);
    dlg.m_strText = current;
    dlg.DoModal();
    return dlg.m_strText;  // after Cancel still the text shown at opening
}

void CMainFrame::DockIntoClient()
{
    HWND client = reinterpret_cast<HWND>(m_link.m_hClient);
    HMENU menu = ::GetMenu(m_hWnd);
    ::SetMenu(m_hWnd, nullptr);
    const LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
    ::SetWindowLongA(m_hWnd, GWL_STYLE, (style & ~WS_POPUP) | WS_CHILD);
    ::SetParent(m_hWnd, client);
    ::ShowWindow(m_hWnd, SW_SHOWMAXIMIZED);
    ::SetMenu(client, menu);
}

void CMainFrame::DestroyFrame()
{
    if (vfw::ModalDepth() > 0) {
        // Not under an open dialog: cancel them and go once the last returned.
        vfw::PostWhenModalRunsEnd(m_hWnd, UM_DESTROY_AFTER_DIALOGS);
        vfw::CancelModalRuns();
        return;
    }
    // Posted handling would let more client messages in first: go now.
    ::DestroyWindow(m_hWnd);
}

void CMainFrame::OnUpdate(vfw::CDocument&, long) { UpdateTitle(); }

// ---------------------------------------------------------------- closing

void CMainFrame::OnClose()
{
    HWND client = reinterpret_cast<HWND>(m_link.m_hClient);
    if (client) {
        // Docked, the close cannot be cancelled: ask until the map is saved
        // or the user lets it go.
        while (m_doc.IsModified() && !SaveModified()) {
        }
        m_doc.SetModifiedFlag(false);
        m_autosave.OnClosed();
        if (m_link.m_bAttached && ::GetMenu(client) == m_hMenu)
            ::SetMenu(client, nullptr);
        ::ShowWindow(m_hWnd, SW_HIDE);
        const LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
        ::SetWindowLongA(m_hWnd, GWL_STYLE, style & ~WS_CHILD);
        ::SetParent(m_hWnd, nullptr);
        m_link.SaveClientSettings();
    }
    SaveToolbarSetting(ToolbarShown());
    if (!SaveModified())
        return;
    m_autosave.OnClosed();
    ::DestroyWindow(m_hWnd);
}
