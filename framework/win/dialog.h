#pragma once
// Modal dialogs built from numbered templates in the executable's resources.
// Values pass between members and controls only through DoDataExchange:
// into the controls when the dialog opens, back into the members only when
// it closes with OK (Cancel never writes a member).
#include <string>

#include <windows.h>

#include "framework/win/data_exchange.h"

namespace vfw {

class CDialog {
public:
    explicit CDialog(UINT nIDTemplate, HWND hParent = nullptr) : m_nIDTemplate(nIDTemplate), m_hParent(hParent) {}
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;
    virtual ~CDialog() = default;

    // Runs the dialog, owned by the parent's top-level window (disabled
    // meanwhile) and centred on it; IDOK or IDCANCEL, -1 when the template
    // cannot be loaded.
    INT_PTR DoModal();

    // Default: fill the controls from the members; TRUE lets the dialog
    // give the focus to its first control.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange& dx) {}
    // Default: take the values from the controls and close with IDOK; when a
    // value is invalid the dialog stays open and no member changes.
    virtual void OnOK();
    // Default: close with IDCANCEL.
    virtual void OnCancel();
    // Messages of the dialog before the default handling (OK, Cancel):
    // return nonzero when handled (for WM_CTLCOLOR* the brush).
    virtual INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return FALSE; }

    // save TRUE: controls to members (all or nothing), FALSE: members to controls.
    BOOL UpdateData(BOOL save = TRUE);
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void EndDialog(INT_PTR result);

    HWND m_hWnd = nullptr;
    UINT m_nIDTemplate;
    HWND m_hParent;
    // During the run: the window it is modal to (ModalOwner of the parent).
    HWND m_hOwner = nullptr;

protected:
    // Tells the user why a value was refused and puts the focus on its control.
    virtual void ReportDataError(const CDataExchange& dx);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
};

// The shared data-exchange rule of dialogs and property pages: a validation
// pass, then the store pass only if every value was valid.
bool ExchangeData(HWND hDlg, BOOL save, void (*exchange)(void* self, CDataExchange&), void* self,
                  CDataExchange* failed);
// Registers the common controls that templates use (trackbars, tabs...).
void InitDialogControls();
// Default report of a refused value: a message box, then focus and selection
// on the control.
void ShowDataError(HWND hDlg, const CDataExchange& dx);

}  // namespace vfw
