#include "mapper/dialogs/text_dialogs_win.h"

#include "mapper/res/resource.h"

CTextInputDialog::CTextInputDialog(HWND hParent) : vfw::CDialog(IDD_TEXT_INPUT, hParent) {}

BOOL CTextInputDialog::OnInitDialog() {
    ::SetWindowTextA(m_hWnd, m_strCaption.c_str());
    return vfw::CDialog::OnInitDialog();
}

void CTextInputDialog::DoDataExchange(vfw::CDataExchange& dx) { vfw::DDX_Text(dx, IDC_TEXT_EDIT, m_strText); }

CPlaneNameDialog::CPlaneNameDialog(HWND hParent) : vfw::CDialog(IDD_PLANE_NAME, hParent) {}

void CPlaneNameDialog::DoDataExchange(vfw::CDataExchange& dx) { vfw::DDX_Text(dx, IDC_TEXT_EDIT, m_strText); }

CFollowNameDialog::CFollowNameDialog(HWND hParent) : vfw::CDialog(IDD_FOLLOW_NAME, hParent) {}

void CFollowNameDialog::DoDataExchange(vfw::CDataExchange& dx) { vfw::DDX_Text(dx, IDC_FOLLOW_NAME, m_strName); }

CAboutDlg::CAboutDlg(HWND hParent) : vfw::CDialog(IDD_ABOUTBOX, hParent) {}
