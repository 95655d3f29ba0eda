#include "framework/win/data_exchange.h"

#include <commctrl.h>

#include <vector>

#include "framework/win/ddx_value.h"

namespace vfw {

void CDataExchange::Fail(int id, const std::string& message) {
    if (m_bFailed) return;
    m_bFailed = true;
    m_nFailedId = id;
    m_strError = message;
}

std::string GetWindowString(HWND hwnd) {
    if (!hwnd) return {};
    int len = ::GetWindowTextLengthA(hwnd);
    if (len <= 0) return {};
    std::vector<char> buf(static_cast<size_t>(len) + 1);
    int got = ::GetWindowTextA(hwnd, buf.data(), len + 1);
    return std::string(buf.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

std::string GetDlgItemString(HWND hDlg, int id) { return GetWindowString(::GetDlgItem(hDlg, id)); }

void DDX_Text(CDataExchange& dx, int id, std::string& value) {
    HWND ctl = dx.Control(id);
    if (dx.Failed() || !ctl) return;
    if (!dx.m_bSaveAndValidate) {
        ::SetWindowTextA(ctl, value.c_str());
    } else if (dx.Storing()) {
        value = GetWindowString(ctl);
    }
}

void DDX_Text(CDataExchange& dx, int id, int& value) {
    HWND ctl = dx.Control(id);
    if (dx.Failed() || !ctl) return;
    if (!dx.m_bSaveAndValidate) {
        ::SetWindowTextA(ctl, FormatDialogInt(value).c_str());
        return;
    }
    int parsed = 0;
    if (!ParseDialogInt(GetWindowString(ctl), parsed)) {
        dx.Fail(id, "Please enter an integer.");
        return;
    }
    if (dx.Storing()) value = parsed;
}

void DDX_Check(CDataExchange& dx, int id, int& value) {
    HWND ctl = dx.Control(id);
    if (dx.Failed() || !ctl) return;
    if (!dx.m_bSaveAndValidate) {
        ::SendMessageA(ctl, BM_SETCHECK, value == 1 ? BST_CHECKED : value == 2 ? BST_INDETERMINATE : BST_UNCHECKED, 0);
    } else if (dx.Storing()) {
        LRESULT state = ::SendMessageA(ctl, BM_GETCHECK, 0, 0);
        value = state == BST_CHECKED ? 1 : state == BST_INDETERMINATE ? 2 : 0;
    }
}

namespace {
bool IsRadioButton(HWND ctl) {
    if (::SendMessageA(ctl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) return true;
    LONG type = ::GetWindowLongA(ctl, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}
}  // namespace

void DDX_Radio(CDataExchange& dx, int id, int& value) {
    HWND first = dx.Control(id);
    if (dx.Failed() || !first) return;
    int index = 0, checked = -1;
    for (HWND ctl = first; ctl; ctl = ::GetWindow(ctl, GW_HWNDNEXT)) {
        if (ctl != first && (::GetWindowLongA(ctl, GWL_STYLE) & WS_GROUP)) break;
        if (!IsRadioButton(ctl)) continue;
        if (!dx.m_bSaveAndValidate)
            ::SendMessageA(ctl, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        else if (checked < 0 && ::SendMessageA(ctl, BM_GETCHECK, 0, 0) == BST_CHECKED)
            checked = index;
        ++index;
    }
    if (dx.Storing()) value = checked;
}

void DDX_LBString(CDataExchange& dx, int id, std::string& value) {
    HWND ctl = dx.Control(id);
    if (dx.Failed() || !ctl) return;
    if (!dx.m_bSaveAndValidate) {
        LRESULT i = ::SendMessageA(ctl, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.c_str()));
        ::SendMessageA(ctl, LB_SETCURSEL, i == LB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(i), 0);
        return;
    }
    if (!dx.Storing()) return;
    LRESULT i = ::SendMessageA(ctl, LB_GETCURSEL, 0, 0);
    if (i == LB_ERR) {
        value.clear();
        return;
    }
    LRESULT len = ::SendMessageA(ctl, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::vector<char> buf(len > 0 ? static_cast<size_t>(len) + 1 : 1, '\0');
    LRESULT got = ::SendMessageA(ctl, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf.data()));
    value.assign(buf.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

void DDX_LBIndex(CDataExchange& dx, int id, int& value) {
    HWND ctl = dx.Control(id);
    if (dx.Failed() || !ctl) return;
    if (!dx.m_bSaveAndValidate) {
        ::SendMessageA(ctl, LB_SETCURSEL, static_cast<WPARAM>(value), 0);
    } else if (dx.Storing()) {
        LRESULT i = ::SendMessageA(ctl, LB_GETCURSEL, 0, 0);
        value = i == LB_ERR ? -1 : static_cast<int>(i);
    }
}

void DDX_Slider(CDataExchange& dx, int id, int& value) {
    HWND ctl = dx.Control(id);
    if (dx.Failed() || !ctl) return;
    int low = static_cast<int>(::SendMessageA(ctl, TBM_GETRANGEMIN, 0, 0));
    int high = static_cast<int>(::SendMessageA(ctl, TBM_GETRANGEMAX, 0, 0));
    if (!dx.m_bSaveAndValidate) {
        ::SendMessageA(ctl, TBM_SETPOS, TRUE, ClampToRange(value, low, high));
    } else if (dx.Storing()) {
        int pos = static_cast<int>(::SendMessageA(ctl, TBM_GETPOS, 0, 0));
        if (pos != ClampToRange(value, low, high)) value = pos;
    }
}

}  // namespace vfw
