#include "mapper/dialogs/link_dialog_win.h"

#include "mapper/dialogs/dialog_layout_win.h"
#include "mapper/model/document.h"
#include "mapper/res/resource.h"

namespace {
constexpr char kNeedBoth[] = "You've to choose the starting and ending point of the link before confirm the creation";

void ShowEnd(HWND dlg, int textId, CWindRose& rose, const CLinkEndView& end)
{
    if (!end.bShown)
        return;
    ::SetDlgItemTextA(dlg, textId, end.strText.c_str());
    rose.SetSelected(end.nSelected);
    rose.SetHidden(end.hidden);
}
}  // namespace

CLinkPropertiesDialog::CLinkPropertiesDialog(HWND hParent) : vfw::CDialog(IDD_LINK_PROPERTIES, hParent) {}

bool CLinkPropertiesDialog::Init(CVorMapperDoc& doc, LinkId id)
{
    m_pDoc = &doc;
    return m_directions.Init(doc, id);
}

BOOL CLinkPropertiesDialog::OnInitDialog()
{
    vfw::CDialog::OnInitDialog();
    m_roseFrom.Create(WS_CHILD | WS_VISIBLE, 0, 0, m_hWnd, 0);
    m_roseTo.Create(WS_CHILD | WS_VISIBLE, 0, 0, m_hWnd, 0);
    PlaceRoses();
    if (m_pDoc) {
        ShowEnd(m_hWnd, IDC_LINK_FROM_ROOM, m_roseFrom, m_directions.FromEnd(*m_pDoc));
        ShowEnd(m_hWnd, IDC_LINK_TO_ROOM, m_roseTo, m_directions.ToEnd(*m_pDoc));
    }
    return TRUE;
}

void CLinkPropertiesDialog::PlaceRoses()
{
    PlaceRose(m_hWnd, "From", m_roseFrom);
    PlaceRose(m_hWnd, "To", m_roseTo);
}

INT_PTR CLinkPropertiesDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (IsRelayOut(m_hWnd, msg, lp))
        PlaceRoses();
    return FALSE;
}

void CLinkPropertiesDialog::OnOK()
{
    if (!m_pDoc) {
        EndDialog(IDCANCEL);
        return;
    }
    switch (m_directions.Apply(*m_pDoc, m_roseFrom.GetSelected(), m_roseTo.GetSelected())) {
    case CLinkDirections::NEED_BOTH:
        ::MessageBoxA(m_hWnd, kNeedBoth, "VorMapper", MB_OK);
        return;
    case CLinkDirections::NO_LINK:
        EndDialog(IDCANCEL);
        return;
    case CLinkDirections::STORED:
        EndDialog(IDOK);
        return;
    }
}
