#include "mapper/dialogs/find_room_dialog_win.h"

#include "mapper/model/document.h"
#include "mapper/navigation/pathfinding.h"
#include "mapper/res/resource.h"

std::string FindRoomEntryText(RoomId id, const CRoom& room)
{
    return std::to_string(id) + "\t[" + std::to_string(room.m_nPlane) + "]\t" + room.m_info.m_strTitle.str();
}

CFindRoomDialog::CFindRoomDialog(const CVorMapperDoc& doc, IFindRoomActions& actions, HWND hParent)
    : vfw::CDialog(IDD_FIND_ROOM, hParent), m_doc(doc), m_actions(actions)
{
}

BOOL CFindRoomDialog::OnInitDialog()
{
    HWND list = GetDlgItem(IDC_FIND_LIST);
    const INT stops[2] = {32, 56};
    ::SendMessageA(list, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(stops));
    ::SetDlgItemTextA(m_hWnd, IDC_FIND_TEXT, m_strText.c_str());
    Refresh();
    return TRUE;
}

void CFindRoomDialog::Refresh()
{
    char buf[1024] = "";
    ::GetDlgItemTextA(m_hWnd, IDC_FIND_TEXT, buf, sizeof buf);
    m_strText = buf;
    std::vector<RoomId> found = FindRooms(m_doc, m_strText, kMaxListed + 1);
    const bool more = found.size() > kMaxListed;
    if (more)
        found.resize(kMaxListed);
    HWND list = GetDlgItem(IDC_FIND_LIST);
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (RoomId id : found)
        ::SendMessageA(list, LB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(FindRoomEntryText(id, *m_doc.GetRooms().Find(id)).c_str()));
    if (!found.empty())
        ::SendMessageA(list, LB_SETCURSEL, 0, 0);
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
    m_listed = std::move(found);
    std::string count;
    if (more)
        count = "More than " + std::to_string(kMaxListed) + " rooms match; the first " + std::to_string(kMaxListed) +
                " are listed.";
    else if (!m_strText.empty())
        count = std::to_string(m_listed.size()) + (m_listed.size() == 1 ? " room matches." : " rooms match.");
    ::SetDlgItemTextA(m_hWnd, IDC_FIND_COUNT, count.c_str());
    EnableButtons();
}

RoomId CFindRoomDialog::SelectedRoom() const
{
    const LRESULT i = ::SendMessageA(GetDlgItem(IDC_FIND_LIST), LB_GETCURSEL, 0, 0);
    return i >= 0 && static_cast<std::size_t>(i) < m_listed.size() ? m_listed[static_cast<std::size_t>(i)] : 0;
}

void CFindRoomDialog::EnableButtons()
{
    const BOOL any = SelectedRoom() != 0;
    ::EnableWindow(GetDlgItem(IDC_FIND_SHOW), any);
    ::EnableWindow(GetDlgItem(IDC_FIND_WALK), any);
}

// Return is "Show", the default button.
void CFindRoomDialog::OnOK()
{
    if (const RoomId room = SelectedRoom())
        m_actions.ShowRoom(room);
}

INT_PTR CFindRoomDialog::OnMessage(UINT msg, WPARAM wp, LPARAM)
{
    if (msg != WM_COMMAND)
        return FALSE;
    const int id = LOWORD(wp), code = HIWORD(wp);
    switch (id) {
    case IDC_FIND_TEXT:
        if (code == EN_CHANGE) {
            Refresh();
            return TRUE;
        }
        break;
    case IDC_FIND_LIST:
        if (code == LBN_DBLCLK) {
            if (const RoomId room = SelectedRoom())
                m_actions.ShowRoom(room);
            return TRUE;
        }
        if (code == LBN_SELCHANGE) {
            EnableButtons();
            return TRUE;
        }
        break;
    case IDC_FIND_SHOW:
        if (code == BN_CLICKED) {
            OnOK();
            return TRUE;
        }
        break;
    case IDC_FIND_WALK:
        if (code == BN_CLICKED) {
            if (const RoomId room = SelectedRoom()) {
                EndDialog(IDOK);
                m_actions.WalkToRoom(room);
            }
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}
