#include "mapper/settings/config_pages_win.h"

#include <commctrl.h>

#include "mapper/res/resource.h"

// ---------------------------------------------------------------- aliases

CAliasPage::CAliasPage(CDirectionAliases& aliases)
    : vfw::CPropertyPage(IDD_CONFIG_ALIAS, "Directions aliases"), m_aliases(aliases)
{
}

BOOL CAliasPage::OnInitDialog()
{
    for (Direction r = 0; r < kDirCount; ++r) {
        m_longForms[static_cast<std::size_t>(r)] = m_aliases.GetLong(r);
        m_shortForms[static_cast<std::size_t>(r)] = m_aliases.GetShort(r);
    }
    return vfw::CPropertyPage::OnInitDialog();
}

void CAliasPage::DoDataExchange(vfw::CDataExchange& dx)
{
    for (int r = 0; r < kDirCount; ++r) {
        vfw::DDX_Text(dx, IDC_ALIAS_LONG_FIRST + r, m_longForms[static_cast<std::size_t>(r)]);
        vfw::DDX_Text(dx, IDC_ALIAS_SHORT_FIRST + r, m_shortForms[static_cast<std::size_t>(r)]);
    }
}

void CAliasPage::OnOK() { ApplyAliases(m_aliases, m_longForms, m_shortForms); }

// ---------------------------------------------------------------- follow triggers

CFollowPage::CFollowPage(CFollowTriggers& triggers)
    : vfw::CPropertyPage(IDD_CONFIG_FOLLOW, "Follow mode"), m_triggers(triggers)
{
}

BOOL CFollowPage::OnInitDialog()
{
    m_values = CFollowPageValues::From(m_triggers);
    const BOOL result = vfw::CPropertyPage::OnInitDialog();
    EnableFollowEdit(false);
    return result;
}

void CFollowPage::DoDataExchange(vfw::CDataExchange& dx)
{
    int ticked = m_values.m_bFollowOn ? 1 : 0;
    vfw::DDX_Text(dx, IDC_FOLLOW_ACTIVATION, m_values.m_strActivation);
    vfw::DDX_Text(dx, IDC_FOLLOW_DIRECTION, m_values.m_strDirection);
    vfw::DDX_Check(dx, IDC_FOLLOW_CHECK, ticked);
    vfw::DDX_Text(dx, IDC_FOLLOW_FOLLOW, m_values.m_strFollow);
    vfw::DDX_Text(dx, IDC_FOLLOW_STOP, m_values.m_strStop);
    if (dx.Storing())
        m_values.m_bFollowOn = ticked == 1;
}

void CFollowPage::OnOK() { m_values.ApplyTo(m_triggers); }

void CFollowPage::EnableFollowEdit(bool focus)
{
    const bool on = ::IsDlgButtonChecked(m_hWnd, IDC_FOLLOW_CHECK) == BST_CHECKED;
    HWND edit = GetDlgItem(IDC_FOLLOW_FOLLOW);
    ::EnableWindow(edit, on);
    if (focus)
        ::SetFocus(edit);
}

INT_PTR CFollowPage::OnMessage(UINT msg, WPARAM wp, LPARAM)
{
    if (msg == WM_COMMAND && LOWORD(wp) == IDC_FOLLOW_CHECK && HIWORD(wp) == BN_CLICKED) {
        EnableFollowEdit(true);
        return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------- title line

CInfoPage::CInfoPage() : vfw::CPropertyPage(IDD_CONFIG_INFO, "Information") {}

BOOL CInfoPage::OnInitDialog()
{
    ::SendMessageA(GetDlgItem(IDC_INFO_SLIDER), TBM_SETRANGE, TRUE, MAKELPARAM(kTitleLineMin, kTitleLineMax));
    const BOOL result = vfw::CPropertyPage::OnInitDialog();
    ShowText(m_nValue);
    return result;
}

void CInfoPage::DoDataExchange(vfw::CDataExchange& dx)
{
    int value = m_nValue;
    vfw::DDX_Slider(dx, IDC_INFO_SLIDER, value);
    if (dx.Storing())
        m_nValue = value;
}

void CInfoPage::ShowText(int value) { ::SetDlgItemTextA(m_hWnd, IDC_INFO_TEXT, TitleLineText(value).c_str()); }

INT_PTR CInfoPage::OnMessage(UINT msg, WPARAM, LPARAM lp)
{
    if (msg == WM_HSCROLL && reinterpret_cast<HWND>(lp) == GetDlgItem(IDC_INFO_SLIDER)) {
        m_nValue = static_cast<std::int32_t>(::SendMessageA(GetDlgItem(IDC_INFO_SLIDER), TBM_GETPOS, 0, 0));
        ShowText(m_nValue);
        return TRUE;
    }
    return FALSE;
}
