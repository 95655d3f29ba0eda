#include "mapper/dialogs/room_sheet_win.h"

#include "mapper/dialogs/dialog_layout_win.h"
#include "mapper/dialogs/link_dialog_win.h"
#include "mapper/dialogs/palette_win.h"
#include "mapper/model/document.h"
#include "mapper/res/resource.h"

namespace {
constexpr char kTransparent[] = "Transparent";
}  // namespace

// ------------------------------------------------------------ General page

CRoomGeneralPage::CRoomGeneralPage() : vfw::CPropertyPage(IDD_ROOM_GENERAL, "General") {}

CRoomGeneralPage::~CRoomGeneralPage()
{
    if (m_hBrush)
        ::DeleteObject(m_hBrush);
}

void CRoomGeneralPage::Init(CVorMapperDoc& doc, RoomId id, std::uint64_t step)
{
    m_pDoc = &doc;
    m_nStep = step;
    m_room = doc.GetRoom(id);
    m_strTitle = m_room.m_info.m_strTitle.str();
    m_strLabel = m_room.m_info.m_strLabel.str();
}

BOOL CRoomGeneralPage::OnInitDialog()
{
    if (m_room.m_crColor == kColorNone)
        ::SetDlgItemTextA(m_hWnd, IDC_ROOM_COLOR, kTransparent);
    if (m_room.m_info.m_crLabelBack == kColorNone)
        ::SetDlgItemTextA(m_hWnd, IDC_LABEL_BACK_COLOR, kTransparent);
    return vfw::CPropertyPage::OnInitDialog();
}

BOOL CRoomGeneralPage::OnSetActive()
{
    // After the sheet's own focus handling of the new page.
    ::PostMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDC_ROOM_TITLE)), TRUE);
    return TRUE;
}

void CRoomGeneralPage::DoDataExchange(vfw::CDataExchange& dx)
{
    vfw::DDX_Text(dx, IDC_ROOM_TITLE, m_strTitle);
    vfw::DDX_Text(dx, IDC_ROOM_LABEL, m_strLabel);
}

void CRoomGeneralPage::OnOK()
{
    if (!m_pDoc)
        return;
    CRoomGeneralValues values = GeneralValuesOf(m_room);
    values.strTitle = m_strTitle;
    values.strLabel = m_strLabel;
    ApplyRoomGeneral(*m_pDoc, m_room.m_nId, values, m_nStep);
}

ColorRef* CRoomGeneralPage::BoxColor(int box)
{
    switch (box) {
    case IDC_ROOM_COLOR: return &m_room.m_crColor;
    case IDC_LABEL_TEXT_COLOR: return &m_room.m_info.m_crLabelText;
    case IDC_LABEL_BACK_COLOR: return &m_room.m_info.m_crLabelBack;
    }
    return nullptr;
}

HBRUSH CRoomGeneralPage::OnCtlColor(HWND control)
{
    if (m_hBrush) {
        ::DeleteObject(m_hBrush);
        m_hBrush = nullptr;
    }
    const ColorRef* color = BoxColor(::GetDlgCtrlID(control));
    if (!color || *color == kColorNone)
        return nullptr;  // the page's own brush
    m_hBrush = ::CreateSolidBrush(*color);
    return m_hBrush;
}

void CRoomGeneralPage::ChooseBoxColor(int box)
{
    ColorRef* color = BoxColor(box);
    CPaletteDialog palette(GetSheetWindow());
    palette.Init(*color);
    ColorRef chosen = 0;
    if (palette.DoModal() != IDOK || !palette.GetSelectedColor(chosen))
        return;
    if (box != IDC_LABEL_TEXT_COLOR)
        ::SetDlgItemTextA(m_hWnd, box, "");
    *color = chosen;
    ::RedrawWindow(GetDlgItem(box), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CRoomGeneralPage::MakeTransparent(int box)
{
    *BoxColor(box) = kColorNone;
    ::SetDlgItemTextA(m_hWnd, box, kTransparent);
    ::RedrawWindow(GetDlgItem(box), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

INT_PTR CRoomGeneralPage::OnMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_CTLCOLORSTATIC)
        return reinterpret_cast<INT_PTR>(OnCtlColor(reinterpret_cast<HWND>(lp)));
    if (msg == WM_NCDESTROY && m_hBrush) {
        ::DeleteObject(m_hBrush);
        m_hBrush = nullptr;
    }
    if (msg != WM_COMMAND || HIWORD(wp) != BN_CLICKED)  // STN_CLICKED is the same code
        return FALSE;
    switch (LOWORD(wp)) {
    case IDC_ROOM_COLOR:
    case IDC_LABEL_TEXT_COLOR:
    case IDC_LABEL_BACK_COLOR:
        ChooseBoxColor(LOWORD(wp));
        return TRUE;
    case IDC_ROOM_TRANSPARENT:
        MakeTransparent(IDC_ROOM_COLOR);
        return TRUE;
    case IDC_LABEL_TRANSPARENT:
        MakeTransparent(IDC_LABEL_BACK_COLOR);
        return TRUE;
    }
    return FALSE;
}

// -------------------------------------------------------------- Links page

CRoomLinksPage::CRoomLinksPage() : vfw::CPropertyPage(IDD_ROOM_LINKS, "Links") {}

void CRoomLinksPage::Init(CVorMapperDoc& doc, RoomId id)
{
    m_pDoc = &doc;
    m_room = doc.GetRoom(id);
    m_nShownLink = 0;
    m_bChanged = false;
}

BOOL CRoomLinksPage::OnInitDialog()
{
    vfw::CPropertyPage::OnInitDialog();
    m_rose.Create(WS_CHILD | WS_VISIBLE, 0, 0, m_hWnd, IDC_LINKS_ROSE);
    PlaceRose(m_hWnd, "Starting point", m_rose);
    m_rose.SetHidden(HiddenWithoutLinks(m_room));
    bool any = false;
    for (LinkId id : m_room.m_links)
        any = any || id != 0;
    ::SetDlgItemTextA(m_hWnd, IDC_LINKS_HINT, any ? "Select a link direction to see properties" : "No links");
    return TRUE;
}

INT_PTR CRoomLinksPage::OnMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (IsRelayOut(m_hWnd, msg, lp)) {
        PlaceRose(m_hWnd, "Starting point", m_rose);
        return FALSE;
    }
    if (msg != WM_COMMAND || HIWORD(wp) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wp)) {
    case IDC_LINKS_ROSE:
        OnRoseClick();
        return TRUE;
    case IDC_LINKS_DELETE:
        OnDelete();
        return TRUE;
    case IDC_LINKS_PROPERTIES:
        OnProperties();
        return TRUE;
    }
    return FALSE;
}

void CRoomLinksPage::ShowLink(Direction dir)
{
    const CShownLink shown = ShownLinkAt(*m_pDoc, m_room, dir);
    // A slot naming a link that is not in the map offers nothing to change.
    ::EnableWindow(GetDlgItem(IDC_LINKS_DELETE), shown.nLink != 0);
    ::EnableWindow(GetDlgItem(IDC_LINKS_PROPERTIES), shown.nLink != 0);
    ::SetDlgItemTextA(m_hWnd, IDC_LINKS_DIRECTION, shown.strDirection.c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_LINKS_TITLE, shown.strTitle.c_str());
    m_nShownLink = shown.nLink;
}

void CRoomLinksPage::ClearShown()
{
    m_rose.SetSelected(DIR_NONE);
    m_rose.SetHidden(HiddenWithoutLinks(m_room));
    ::SetDlgItemTextA(m_hWnd, IDC_LINKS_TITLE, "Title:");
    ::SetDlgItemTextA(m_hWnd, IDC_LINKS_DIRECTION, "Direction:");
    ::EnableWindow(GetDlgItem(IDC_LINKS_DELETE), FALSE);
    ::EnableWindow(GetDlgItem(IDC_LINKS_PROPERTIES), FALSE);
    m_nShownLink = 0;
}

void CRoomLinksPage::OnRoseClick()
{
    if (m_pDoc)
        ShowLink(m_rose.GetSelected());
}

void CRoomLinksPage::OnDelete()
{
    const Direction dir = m_rose.GetSelected();
    if (!m_pDoc || !IsDirection(dir))
        return;
    if (::MessageBoxA(GetSheetWindow(), "Delete the selected link?", "VorMapper", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_pDoc->DeleteLink(m_room.m_links[dir]);
    m_pDoc->SetModifiedFlag();
    m_bChanged = true;
    m_room = m_pDoc->GetRoom(m_room.m_nId);
    ClearShown();
}

void CRoomLinksPage::OnProperties()
{
    if (!m_pDoc || m_nShownLink == 0)
        return;
    CLinkPropertiesDialog dlg(GetSheetWindow());
    if (!dlg.Init(*m_pDoc, m_nShownLink) || dlg.DoModal() != IDOK)
        return;
    m_pDoc->SetModifiedFlag();
    m_bChanged = true;
    m_room = m_pDoc->GetRoom(m_room.m_nId);
    const CLink link = m_pDoc->GetLink(m_nShownLink);
    Direction at = link.m_nFromRoom == m_room.m_nId ? link.m_nFromDir : link.m_nToDir;
    if (!IsDirection(at) || m_room.m_links[at] != link.m_nId)
        at = SlotOfLink(m_room, link.m_nId);
    if (!IsDirection(at)) {
        ClearShown();
        return;
    }
    // Selected before the hidden flags are set, so the slot the link left is hidden.
    m_rose.SetSelected(at);
    m_rose.SetHidden(HiddenWithoutLinks(m_room));
    ShowLink(at);
}

// ----------------------------------------------------------- Comments page

CRoomCommentsPage::CRoomCommentsPage() : vfw::CPropertyPage(IDD_ROOM_COMMENTS, "Comments") {}

void CRoomCommentsPage::Init(CVorMapperDoc& doc, RoomId id, std::uint64_t step)
{
    m_pDoc = &doc;
    m_nStep = step;
    m_nRoom = id;
    m_strComments = doc.GetRoom(id).m_info.m_strComments.str();
}

void CRoomCommentsPage::DoDataExchange(vfw::CDataExchange& dx)
{
    vfw::DDX_Text(dx, IDC_COMMENTS_TEXT, m_strComments);
}

void CRoomCommentsPage::OnOK()
{
    if (m_pDoc)
        ApplyRoomComments(*m_pDoc, m_nRoom, m_strComments, m_nStep);
}

// ------------------------------------------------------------------- sheet

CRoomSheet::CRoomSheet(HWND hParent) : vfw::CPropertySheet("Room properties", hParent, 0)
{
    AddPage(&m_pageGeneral);
    AddPage(&m_pageLinks);
    AddPage(&m_pageComments);
}

void CRoomSheet::Init(CVorMapperDoc& doc, RoomId id)
{
    // The General and Comments pages' OK make one step.
    const std::uint64_t step = CMapStep::NewMergeKey();
    m_pageGeneral.Init(doc, id, step);
    m_pageLinks.Init(doc, id);
    m_pageComments.Init(doc, id, step);
}
