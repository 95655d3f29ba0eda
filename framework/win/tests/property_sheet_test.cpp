// Modal property sheets: data exchange on OK only, never-shown pages apply nothing.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "framework/win/property_sheet.h"
#include "framework/win/tests/dialog_driver.h"
#include "framework/win/tests/dialog_test_res.h"

using vfw::test::CDialogDriver;

namespace {

class CFirstPage : public vfw::CPropertyPage {
public:
    CFirstPage() : vfw::CPropertyPage(IDD_TEST_PAGE1, "Numbers") {}
    std::string m_strText = "one";
    int m_nValue = 1;
    int m_nApplied = 0, m_nCancelled = 0, m_nErrors = 0;
    void DoDataExchange(vfw::CDataExchange& dx) override {
        vfw::DDX_Text(dx, IDC_T_TEXT, m_strText);
        vfw::DDX_Text(dx, IDC_T_INT, m_nValue);
    }
    void OnOK() override { ++m_nApplied; }
    void OnCancel() override { ++m_nCancelled; }

protected:
    void ReportDataError(const vfw::CDataExchange&) override { ++m_nErrors; }
};

class CSecondPage : public vfw::CPropertyPage {
public:
    CSecondPage() : vfw::CPropertyPage(IDD_TEST_PAGE2) {}
    int m_nCheck = 0;
    int m_nApplied = 0, m_nActivated = 0;
    void DoDataExchange(vfw::CDataExchange& dx) override { vfw::DDX_Check(dx, IDC_T_CHECK, m_nCheck); }
    BOOL OnSetActive() override {
        ++m_nActivated;
        return TRUE;
    }
    void OnOK() override { ++m_nApplied; }
};

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

std::string TabText(HWND sheet, int i) {
    HWND tab = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    char buf[128] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    ::SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    return buf;
}

}  // namespace

TEST(Sheet, OkAppliesTheShownPages) {
    CFirstPage first;
    CSecondPage second;
    vfw::CPropertySheet sheet("Settings");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    std::string caption, tab0, tab1, shownText;
    CDialogDriver driver({[&](HWND h) {
                              char buf[128] = "";
                              ::GetWindowTextA(h, buf, sizeof buf);
                              caption = buf;
                              tab0 = TabText(h, 0);
                              tab1 = TabText(h, 1);
                              HWND page = CurrentPage(h);
                              shownText = vfw::test::ItemText(page, IDC_T_TEXT);
                              ::SetDlgItemTextA(page, IDC_T_TEXT, "changed");
                              ::SetDlgItemTextA(page, IDC_T_INT, "5");
                              PropSheet_SetCurSel(h, nullptr, 1);
                          },
                          [&](HWND h) {
                              EXPECT_EQ(first.m_strText, "one");  // a tab change writes nothing
                              vfw::test::Click(CurrentPage(h), IDC_T_CHECK);
                              PropSheet_PressButton(h, PSBTN_OK);
                          }});
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(caption, "Settings");
    EXPECT_EQ(tab0, "Numbers");
    EXPECT_EQ(tab1, "Second");
    EXPECT_EQ(shownText, "one");
    EXPECT_EQ(first.m_strText, "changed");
    EXPECT_EQ(first.m_nValue, 5);
    EXPECT_EQ(first.m_nApplied, 1);
    EXPECT_EQ(second.m_nCheck, 1);
    EXPECT_EQ(second.m_nApplied, 1);
    EXPECT_EQ(second.m_nActivated, 1);
    EXPECT_EQ(first.m_hWnd, nullptr);
    EXPECT_EQ(sheet.m_hWnd, nullptr);
}

TEST(Sheet, APageNeverShownAppliesNothing) {
    CFirstPage first;
    CSecondPage second;
    vfw::CPropertySheet sheet("Settings");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    CDialogDriver driver({[&](HWND h) { PropSheet_PressButton(h, PSBTN_OK); }});
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(first.m_nApplied, 1);
    EXPECT_EQ(second.m_nApplied, 0);
    EXPECT_EQ(second.m_nActivated, 0);
}

TEST(Sheet, CancelWritesNothing) {
    CFirstPage first;
    CSecondPage second;
    vfw::CPropertySheet sheet("Settings", nullptr, 1);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    CDialogDriver driver({[&](HWND h) {
                              vfw::test::Click(CurrentPage(h), IDC_T_CHECK);
                              PropSheet_SetCurSel(h, nullptr, 0);
                          },
                          [&](HWND h) {
                              ::SetDlgItemTextA(CurrentPage(h), IDC_T_TEXT, "typed");
                              PropSheet_PressButton(h, PSBTN_CANCEL);
                          }});
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(first.m_strText, "one");
    EXPECT_EQ(second.m_nCheck, 0);
    EXPECT_EQ(first.m_nApplied + second.m_nApplied, 0);
    EXPECT_EQ(first.m_nCancelled, 1);
}

TEST(Sheet, AnInvalidValueHoldsThePageAndTheSheet) {
    CFirstPage first;
    CSecondPage second;
    vfw::CPropertySheet sheet("Settings");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    HWND pageAfterTabTry = nullptr, firstPage = nullptr;
    bool openAfterOk = false;
    CDialogDriver driver({[&](HWND h) {
                              firstPage = CurrentPage(h);
                              ::SetDlgItemTextA(firstPage, IDC_T_INT, "many");
                              PropSheet_SetCurSel(h, nullptr, 1);  // refused
                          },
                          [&](HWND h) {
                              pageAfterTabTry = CurrentPage(h);
                              PropSheet_PressButton(h, PSBTN_OK);  // refused too
                          },
                          [&](HWND h) {
                              openAfterOk = ::IsWindow(h) != FALSE;
                              ::SetDlgItemTextA(firstPage, IDC_T_INT, "3");
                              PropSheet_PressButton(h, PSBTN_OK);
                          }});
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(pageAfterTabTry, firstPage);
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(first.m_nErrors, 2);
    EXPECT_EQ(first.m_nValue, 3);
    EXPECT_EQ(first.m_nApplied, 1);
}

TEST(Sheet, NoPagesNoSheet) {
    vfw::CPropertySheet sheet("Empty");
    EXPECT_EQ(sheet.DoModal(), -1);
}
