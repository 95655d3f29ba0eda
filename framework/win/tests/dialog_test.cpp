// Modal dialogs from templates, driven by real control messages.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "framework/win/dialog.h"
#include "framework/win/tests/dialog_driver.h"
#include "framework/win/tests/dialog_test_res.h"

using vfw::test::CDialogDriver;
using vfw::test::Click;
using vfw::test::ItemText;

namespace {

class CAllDialog : public vfw::CDialog {
public:
    CAllDialog() : vfw::CDialog(IDD_TEST_ALL) {}

    std::string m_strText = "hello";
    int m_nValue = 7;
    int m_nCheck = 1;
    int m_nRadio = 2;
    std::string m_strItem = "beta";
    int m_nIndex = 0;
    int m_nSlider = 3;

    int m_nButtonClicks = 0;
    int m_nErrors = 0;
    int m_nErrorId = 0;

    BOOL OnInitDialog() override {
        for (const char* s : {"alpha", "beta", "gamma"})
            ::SendDlgItemMessageA(m_hWnd, IDC_T_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        ::SendDlgItemMessageA(m_hWnd, IDC_T_SLIDER, TBM_SETRANGE, TRUE, MAKELPARAM(0, 9));
        return vfw::CDialog::OnInitDialog();
    }
    void DoDataExchange(vfw::CDataExchange& dx) override {
        vfw::DDX_Text(dx, IDC_T_TEXT, m_strText);
        vfw::DDX_Text(dx, IDC_T_INT, m_nValue);
        vfw::DDX_Check(dx, IDC_T_CHECK, m_nCheck);
        vfw::DDX_Radio(dx, IDC_T_RADIO0, m_nRadio);
        vfw::DDX_LBString(dx, IDC_T_LIST, m_strItem);
        vfw::DDX_Slider(dx, IDC_T_SLIDER, m_nSlider);
    }
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM) override {
        if (msg == WM_COMMAND && LOWORD(wp) == IDC_T_BUTTON && HIWORD(wp) == BN_CLICKED) {
            ++m_nButtonClicks;
            return TRUE;
        }
        return FALSE;
    }

protected:
    void ReportDataError(const vfw::CDataExchange& dx) override {
        ++m_nErrors;
        m_nErrorId = dx.m_nFailedId;
    }
};

LRESULT Send(HWND dlg, int id, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    return ::SendDlgItemMessageA(dlg, id, msg, wp, lp);
}

}  // namespace

TEST(Dialog, OpeningShowsTheMembers) {
    CAllDialog dlg;
    std::string text, value, item;
    LRESULT check = -1, radio2 = -1, radio0 = -1, slider = -1;
    CDialogDriver driver({[&](HWND h) {
        text = ItemText(h, IDC_T_TEXT);
        value = ItemText(h, IDC_T_INT);
        check = Send(h, IDC_T_CHECK, BM_GETCHECK);
        radio0 = Send(h, IDC_T_RADIO0, BM_GETCHECK);
        radio2 = Send(h, IDC_T_RADIO2, BM_GETCHECK);
        LRESULT sel = Send(h, IDC_T_LIST, LB_GETCURSEL);
        char buf[64] = "";
        if (sel >= 0) Send(h, IDC_T_LIST, LB_GETTEXT, sel, reinterpret_cast<LPARAM>(buf));
        item = buf;
        slider = Send(h, IDC_T_SLIDER, TBM_GETPOS);
        Click(h, IDCANCEL);
    }});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(text, "hello");
    EXPECT_EQ(value, "7");
    EXPECT_EQ(check, BST_CHECKED);
    EXPECT_EQ(radio0, BST_UNCHECKED);
    EXPECT_EQ(radio2, BST_CHECKED);
    EXPECT_EQ(item, "beta");
    EXPECT_EQ(slider, 3);
    EXPECT_EQ(driver.InitialCaption(), "Exchange");
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(Dialog, OkTakesEveryControlsValue) {
    CAllDialog dlg;
    CDialogDriver driver({[&](HWND h) {
        ::SetDlgItemTextA(h, IDC_T_TEXT, "typed text");
        ::SetDlgItemTextA(h, IDC_T_INT, " -42 ");
        Click(h, IDC_T_CHECK);  // ticked -> clear
        Click(h, IDC_T_RADIO1);
        Send(h, IDC_T_LIST, LB_SETCURSEL, 2);
        Send(h, IDC_T_SLIDER, TBM_SETPOS, TRUE, 8);
        Click(h, IDOK);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(dlg.m_strText, "typed text");
    EXPECT_EQ(dlg.m_nValue, -42);
    EXPECT_EQ(dlg.m_nCheck, 0);
    EXPECT_EQ(dlg.m_nRadio, 1);
    EXPECT_EQ(dlg.m_strItem, "gamma");
    EXPECT_EQ(dlg.m_nSlider, 8);
}

TEST(Dialog, CancelWritesNoMemberWhateverWasTyped) {
    CAllDialog dlg;
    CDialogDriver driver({[&](HWND h) {
        ::SetDlgItemTextA(h, IDC_T_TEXT, "typed text");
        ::SetDlgItemTextA(h, IDC_T_INT, "99");
        Click(h, IDC_T_CHECK);
        Click(h, IDC_T_RADIO0);
        Send(h, IDC_T_LIST, LB_SETCURSEL, 0);
        Send(h, IDC_T_SLIDER, TBM_SETPOS, TRUE, 1);
        Click(h, IDCANCEL);
    }});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_strText, "hello");
    EXPECT_EQ(dlg.m_nValue, 7);
    EXPECT_EQ(dlg.m_nCheck, 1);
    EXPECT_EQ(dlg.m_nRadio, 2);
    EXPECT_EQ(dlg.m_strItem, "beta");
    EXPECT_EQ(dlg.m_nSlider, 3);
}

TEST(Dialog, EscapeAndTheCloseBoxCancel) {
    for (int how = 0; how < 2; ++how) {
        CAllDialog dlg;
        CDialogDriver driver({[&](HWND h) {
            ::SetDlgItemTextA(h, IDC_T_TEXT, "typed");
            if (how == 0)
                ::PostMessageA(h, WM_COMMAND, IDCANCEL, 0);  // what Escape sends
            else
                ::PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
        }});
        EXPECT_EQ(dlg.DoModal(), IDCANCEL) << how;
        EXPECT_FALSE(driver.TimedOut()) << how;
        EXPECT_EQ(dlg.m_strText, "hello") << how;
    }
}

TEST(Dialog, AnInvalidNumberKeepsTheDialogOpenAndChangesNothing) {
    CAllDialog dlg;
    bool stillOpen = false;
    CDialogDriver driver({[&](HWND h) {
                              ::SetDlgItemTextA(h, IDC_T_TEXT, "changed");
                              ::SetDlgItemTextA(h, IDC_T_INT, "12abc");
                              Click(h, IDOK);
                          },
                          [&](HWND h) {
                              stillOpen = ::IsWindowVisible(h) != FALSE;
                              EXPECT_EQ(dlg.m_strText, "hello");  // not half written
                              ::SetDlgItemTextA(h, IDC_T_INT, "2147483648");  // beyond int
                              Click(h, IDOK);
                          },
                          [&](HWND h) {
                              ::SetDlgItemTextA(h, IDC_T_INT, "12");
                              Click(h, IDOK);
                          }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(dlg.m_nErrors, 2);
    EXPECT_EQ(dlg.m_nErrorId, IDC_T_INT);
    EXPECT_EQ(dlg.m_nValue, 12);
    EXPECT_EQ(dlg.m_strText, "changed");
}

TEST(Dialog, ControlCommandsReachTheSubclass) {
    CAllDialog dlg;
    CDialogDriver driver({[&](HWND h) {
        Click(h, IDC_T_BUTTON);
        Click(h, IDC_T_BUTTON);
        Click(h, IDOK);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nButtonClicks, 2);
}

TEST(Dialog, SliderKeepsAnOutOfRangeValueUnlessMoved) {
    CAllDialog dlg;
    dlg.m_nSlider = 15;
    LRESULT shown = -1;
    CDialogDriver driver({[&](HWND h) {
        shown = Send(h, IDC_T_SLIDER, TBM_GETPOS);
        Click(h, IDOK);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(shown, 9);
    EXPECT_EQ(dlg.m_nSlider, 15);
}

TEST(Dialog, ANoSelectionListAndHugeTextRoundTrip) {
    CAllDialog dlg;
    dlg.m_strItem = "not in the list";
    std::string huge(20000, 'x');
    LRESULT sel = 0;
    CDialogDriver driver({[&](HWND h) {
        sel = Send(h, IDC_T_LIST, LB_GETCURSEL);
        Send(h, IDC_T_TEXT, EM_SETLIMITTEXT, 0);
        ::SetDlgItemTextA(h, IDC_T_TEXT, huge.c_str());
        Click(h, IDOK);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(sel, LB_ERR);
    EXPECT_EQ(dlg.m_strItem, "");
    EXPECT_EQ(dlg.m_strText, huge);
}

TEST(Dialog, AMissingTemplateFails) {
    vfw::CDialog dlg(4242);
    EXPECT_EQ(dlg.DoModal(), -1);
}
