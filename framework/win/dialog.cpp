#include "framework/win/dialog.h"

#include <commctrl.h>

#include "framework/win/modal.h"

namespace vfw {

bool ExchangeData(HWND hDlg, BOOL save, void (*exchange)(void* self, CDataExchange&), void* self,
                  CDataExchange* failed) {
    if (save) {
        CDataExchange check(hDlg, TRUE, false);
        exchange(self, check);
        if (check.Failed()) {
            if (failed) *failed = check;
            return false;
        }
    }
    CDataExchange dx(hDlg, save, true);
    exchange(self, dx);
    if (dx.Failed()) {
        if (failed) *failed = dx;
        return false;
    }
    return true;
}

void ShowDataError(HWND hDlg, const CDataExchange& dx) {
    char title[256] = "";
    if (::LoadStringA(::GetModuleHandleA(nullptr), 57344, title, sizeof title) <= 0)
        ::GetWindowTextA(hDlg, title, sizeof title);
    ::MessageBoxA(hDlg, dx.m_strError.c_str(), title, MB_OK | MB_ICONEXCLAMATION);
    if (HWND ctl = ::GetDlgItem(hDlg, dx.m_nFailedId)) {
        ::SetFocus(ctl);
        ::SendMessageA(ctl, EM_SETSEL, 0, -1);
    }
}

void InitDialogControls() {
    static bool done = false;
    if (done) return;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&icc);
    done = true;
}

INT_PTR CDialog::DoModal() {
    InitDialogControls();
    // Owned by the parent's top-level window, which the run disables: a
    // dialog opened from the view makes the whole frame wait for it.
    m_hOwner = ModalOwner(m_hParent);
    CModalRun run(&m_hWnd, false);
    INT_PTR result = ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate), m_hOwner,
                                       &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    m_hWnd = nullptr;
    return result;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::UpdateData(BOOL save) {
    CDataExchange failed(m_hWnd, save);
    auto exchange = [](void* self, CDataExchange& dx) { static_cast<CDialog*>(self)->DoDataExchange(dx); };
    if (ExchangeData(m_hWnd, save, exchange, this, &failed)) return TRUE;
    ReportDataError(failed);
    return FALSE;
}

void CDialog::ReportDataError(const CDataExchange& dx) { ShowDataError(m_hWnd, dx); }

void CDialog::EndDialog(INT_PTR result) {
    if (m_hWnd) ::EndDialog(m_hWnd, result);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    CDialog* self;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lp);
        ::SetWindowLongPtrA(hwnd, DWLP_USER, lp);
        self->m_hWnd = hwnd;
        const BOOL focus = self->OnInitDialog();
        // After OnInitDialog, which may have resized it; still hidden here.
        CenterOnOwner(hwnd, self->m_hOwner);
        return focus;
    }
    self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!self) return FALSE;
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->OnMessage(msg, wp, lp);
        self->m_hWnd = nullptr;
        return FALSE;
    }
    if (INT_PTR handled = self->OnMessage(msg, wp, lp)) return handled;
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        switch (LOWORD(wp)) {
        case IDOK: self->OnOK(); return TRUE;
        case IDCANCEL: self->OnCancel(); return TRUE;
        }
    }
    return FALSE;
}

}  // namespace vfw
