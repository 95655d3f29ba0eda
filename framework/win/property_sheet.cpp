#include "framework/win/property_sheet.h"

#include "framework/win/dialog.h"
#include "framework/win/modal.h"

namespace vfw {

CPropertyPage::CPropertyPage(UINT nIDTemplate, const char* caption)
    : m_nIDTemplate(nIDTemplate), m_strCaption(caption ? caption : "") {}

BOOL CPropertyPage::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnApply() {
    OnOK();
    return TRUE;
}

BOOL CPropertyPage::UpdateData(BOOL save) {
    CDataExchange failed(m_hWnd, save);
    auto exchange = [](void* self, CDataExchange& dx) { static_cast<CPropertyPage*>(self)->DoDataExchange(dx); };
    if (ExchangeData(m_hWnd, save, exchange, this, &failed)) return TRUE;
    ReportDataError(failed);
    return FALSE;
}

void CPropertyPage::ReportDataError(const CDataExchange& dx) { ShowDataError(m_hWnd, dx); }

INT_PTR CPropertyPage::OnNotify(const NMHDR& hdr) {
    switch (hdr.code) {
    case PSN_SETACTIVE:
        return OnSetActive() ? 0 : -1;
    case PSN_KILLACTIVE: {
        // Check only: the members change when the sheet closes with OK.
        CDataExchange check(m_hWnd, TRUE, false);
        DoDataExchange(check);
        if (!check.Failed()) return FALSE;
        ReportDataError(check);
        return TRUE;
    }
    case PSN_APPLY:
        if (!UpdateData(TRUE) || !OnApply()) {
            if (m_pSheet) {
                // Bring the refusing page to the front.
                for (size_t i = 0; i < m_pSheet->m_pages.size(); ++i)
                    if (m_pSheet->m_pages[i] == this) ::SendMessageA(GetSheetWindow(), PSM_SETCURSEL, i, 0);
            }
            return PSNRET_INVALID_NOCHANGEPAGE;
        }
        if (m_pSheet) m_pSheet->m_nResult = IDOK;
        return PSNRET_NOERROR;
    case PSN_RESET:
        OnCancel();
        if (m_pSheet) m_pSheet->m_nResult = IDCANCEL;
        return 0;
    }
    return 0;
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    CPropertyPage* self;
    if (msg == WM_INITDIALOG) {
        auto* psp = reinterpret_cast<PROPSHEETPAGEA*>(lp);
        self = reinterpret_cast<CPropertyPage*>(psp->lParam);
        ::SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->m_hWnd = hwnd;
        if (self->m_pSheet) self->m_pSheet->m_hWnd = ::GetParent(hwnd);
        return self->OnInitDialog();
    }
    self = reinterpret_cast<CPropertyPage*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!self) return FALSE;
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->OnMessage(msg, wp, lp);
        self->m_hWnd = nullptr;
        return FALSE;
    }
    if (INT_PTR handled = self->OnMessage(msg, wp, lp)) return handled;
    if (msg == WM_NOTIFY) {
        const NMHDR& hdr = *reinterpret_cast<const NMHDR*>(lp);
        if (hdr.code == PSN_SETACTIVE || hdr.code == PSN_KILLACTIVE || hdr.code == PSN_APPLY || hdr.code == PSN_RESET) {
            ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, self->OnNotify(hdr));
            return TRUE;
        }
    }
    return FALSE;
}

namespace {
// The sheet being created; its callback carries no data of its own.
CPropertySheet* g_creating = nullptr;
}  // namespace

int CALLBACK CPropertySheet::SheetCallback(HWND hwnd, UINT msg, LPARAM)
{
    if (msg == PSCB_INITIALIZED && g_creating) {
        g_creating->m_hWnd = hwnd;
        CenterOnOwner(hwnd, g_creating->m_hOwner);
    }
    return 0;
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    page->m_pSheet = this;
    m_pages.push_back(page);
}

INT_PTR CPropertySheet::DoModal() {
    if (m_pages.empty()) return -1;
    InitDialogControls();
    HINSTANCE inst = ::GetModuleHandleA(nullptr);
    std::vector<PROPSHEETPAGEA> psp(m_pages.size());
    for (size_t i = 0; i < m_pages.size(); ++i) {
        CPropertyPage* page = m_pages[i];
        PROPSHEETPAGEA& p = psp[i];
        p = {};
        p.dwSize = sizeof p;
        p.dwFlags = PSP_DEFAULT;
        p.hInstance = inst;
        p.pszTemplate = MAKEINTRESOURCEA(page->m_nIDTemplate);
        p.pfnDlgProc = &CPropertyPage::PageProc;
        p.lParam = reinterpret_cast<LPARAM>(page);
        if (!page->m_strCaption.empty()) {
            p.dwFlags |= PSP_USETITLE;
            p.pszTitle = page->m_strCaption.c_str();
        }
    }
    PROPSHEETHEADERA h{};
    h.dwSize = sizeof h;
    h.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
    h.pfnCallback = &CPropertySheet::SheetCallback;
    // The platform's sheet disables the window it is given: give it the
    // top-level one, so that a sheet opened from the view makes the whole
    // frame wait (and stays above it).
    m_hOwner = ModalOwner(m_hParent);
    h.hwndParent = m_hOwner;
    h.hInstance = inst;
    h.pszCaption = m_strCaption.c_str();
    h.nPages = static_cast<UINT>(psp.size());
    h.nStartPage = m_nStartPage < h.nPages ? m_nStartPage : 0;
    h.ppsp = psp.data();
    m_nResult = IDCANCEL;
    CModalRun run(&m_hWnd, true);
    CPropertySheet* outer = g_creating;
    g_creating = this;
    INT_PTR r = ::PropertySheetA(&h);
    g_creating = outer;
    m_hWnd = nullptr;
    if (r < 0) return -1;
    return m_nResult;
}

}  // namespace vfw
