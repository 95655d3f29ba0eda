#pragma once
// Modal property sheets over the common controls' PropertySheet. Each page
// exchanges its data only when the sheet closes with OK; a page that was
// never shown applies nothing. Tab changes check a page's values (a refused
// value keeps the page in front) but write no member.
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "framework/win/data_exchange.h"

namespace vfw {

class CPropertySheet;

class CPropertyPage {
public:
    // caption null: the template's caption names the tab.
    explicit CPropertyPage(UINT nIDTemplate, const char* caption = nullptr);
    CPropertyPage(const CPropertyPage&) = delete;
    CPropertyPage& operator=(const CPropertyPage&) = delete;
    virtual ~CPropertyPage() = default;

    // Default: fill the controls from the members.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange& dx) {}
    // Each time the page comes to the front; FALSE refuses it.
    virtual BOOL OnSetActive() { return TRUE; }
    // The sheet closes with OK, after this page's values went to its members.
    // Default: OnOK(); FALSE keeps the sheet open.
    virtual BOOL OnApply();
    virtual void OnOK() {}
    virtual void OnCancel() {}
    // Messages of the page before the default handling; nonzero when handled.
    virtual INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return FALSE; }

    BOOL UpdateData(BOOL save = TRUE);
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    // The sheet's window (the page's parent) while it is open.
    HWND GetSheetWindow() const { return m_hWnd ? ::GetParent(m_hWnd) : nullptr; }

    HWND m_hWnd = nullptr;
    UINT m_nIDTemplate;
    std::string m_strCaption;

protected:
    virtual void ReportDataError(const CDataExchange& dx);

private:
    friend class CPropertySheet;
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR OnNotify(const NMHDR& hdr);
    CPropertySheet* m_pSheet = nullptr;
};

class CPropertySheet {
public:
    explicit CPropertySheet(const char* caption, HWND hParent = nullptr, UINT iSelectPage = 0)
        : m_strCaption(caption ? caption : ""), m_hParent(hParent), m_nStartPage(iSelectPage) {}
    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;
    virtual ~CPropertySheet() = default;

    // Pages are not owned; they live at least as long as the modal run.
    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int i) const { return m_pages[static_cast<size_t>(i)]; }

    // Runs the sheet, owned by the parent's top-level window (disabled
    // meanwhile) and centred on it. IDOK when closed with OK, IDCANCEL
    // otherwise, -1 when it cannot open.
    INT_PTR DoModal();

    HWND m_hWnd = nullptr;
    std::string m_strCaption;
    HWND m_hParent;
    UINT m_nStartPage;
    // During the run: the window it is modal to (ModalOwner of the parent).
    HWND m_hOwner = nullptr;

private:
    friend class CPropertyPage;
    static int CALLBACK SheetCallback(HWND hwnd, UINT msg, LPARAM lp);
    std::vector<CPropertyPage*> m_pages;
    INT_PTR m_nResult = IDCANCEL;
};

}  // namespace vfw
