// The one-line text dialogs and the About box, from the program's own templates.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/win/tests/dialog_driver.h"
#include "mapper/dialogs/text_dialogs_win.h"
#include "mapper/res/resource.h"

using vfw::test::CDialogDriver;
using vfw::test::Click;
using vfw::test::ItemText;

namespace {
std::string Caption(HWND h) {
    char buf[256] = "";
    ::GetWindowTextA(h, buf, sizeof buf);
    return buf;
}
}  // namespace

TEST(TextInputDialog, WithoutACaptionShowsLabel) {
    CTextInputDialog dlg;
    dlg.m_strText = "Hall";
    std::string caption, shown;
    CDialogDriver driver({[&](HWND h) {
        caption = Caption(h);
        shown = ItemText(h, IDC_TEXT_EDIT);
        Click(h, IDOK);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(caption, "Label");
    EXPECT_EQ(driver.InitialCaption(), "Label");
    EXPECT_EQ(shown, "Hall");
    EXPECT_EQ(dlg.m_strText, "Hall");
}

TEST(TextInputDialog, ShowsTheCallersCaptionAndTakesTheTypedTextOnOk) {
    CTextInputDialog dlg;
    dlg.m_strCaption = "Wrong way";
    std::string caption;
    CDialogDriver driver({[&](HWND h) {
        caption = Caption(h);
        ::SetDlgItemTextA(h, IDC_TEXT_EDIT, "You can't go that way.");
        Click(h, IDOK);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(caption, "Wrong way");
    EXPECT_EQ(dlg.m_strText, "You can't go that way.");
}

TEST(TextInputDialog, CancelLeavesTheTextAsSetEvenAfterTyping) {
    CTextInputDialog dlg;
    dlg.m_strText = "old label";
    CDialogDriver driver({[&](HWND h) {
        ::SetDlgItemTextA(h, IDC_TEXT_EDIT, "something else");
        Click(h, IDCANCEL);
    }});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_strText, "old label");
}

TEST(TextInputDialog, OkWithAnEmptyBoxGivesAnEmptyText) {
    CTextInputDialog dlg;
    dlg.m_strText = "to be cleared";
    CDialogDriver driver({[&](HWND h) {
        ::SetDlgItemTextA(h, IDC_TEXT_EDIT, "");
        Click(h, IDOK);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strText, "");
}

TEST(TextInputDialog, ReturnInTheEditBoxIsOk) {
    CTextInputDialog dlg;
    CDialogDriver driver({[&](HWND h) {
        HWND edit = ::GetDlgItem(h, IDC_TEXT_EDIT);
        ::SetWindowTextA(edit, "by keyboard");
        ::SetFocus(edit);
        ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(dlg.m_strText, "by keyboard");
}

TEST(PlaneNameDialog, HasNoParentAndExchangesOnOkOnly) {
    {
        CPlaneNameDialog dlg;
        dlg.m_strText = "Plane 2";
        std::string caption, shown;
        HWND owner = reinterpret_cast<HWND>(1);
        CDialogDriver driver({[&](HWND h) {
            caption = Caption(h);
            shown = ItemText(h, IDC_TEXT_EDIT);
            owner = ::GetWindow(h, GW_OWNER);
            ::SetDlgItemTextA(h, IDC_TEXT_EDIT, "Cellars");
            Click(h, IDCANCEL);
        }});
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(caption, "Plane name");
        EXPECT_EQ(shown, "Plane 2");
        EXPECT_EQ(owner, nullptr);
        EXPECT_EQ(dlg.m_strText, "Plane 2");
    }
    CPlaneNameDialog dlg;
    dlg.m_strText = "Plane 2";
    CDialogDriver driver({[&](HWND h) {
        ::SetDlgItemTextA(h, IDC_TEXT_EDIT, "Cellars");
        Click(h, IDOK);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strText, "Cellars");
}

TEST(FollowNameDialog, AsksWhoIsFollowed) {
    CFollowNameDialog dlg;
    dlg.m_strName = "Gandalf";
    std::string caption, shown, question;
    CDialogDriver driver({[&](HWND h) {
        caption = Caption(h);
        shown = ItemText(h, IDC_FOLLOW_NAME);
        for (HWND c = ::GetWindow(h, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            char cls[32] = "";
            ::GetClassNameA(c, cls, sizeof cls);
            if (lstrcmpiA(cls, "Static") == 0) question = Caption(c);
        }
        ::SetDlgItemTextA(h, IDC_FOLLOW_NAME, "Frodo");
        Click(h, IDOK);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(caption, "Follow mode initialization");
    EXPECT_EQ(question, "Who are you following?");
    EXPECT_EQ(shown, "Gandalf");
    EXPECT_EQ(dlg.m_strName, "Frodo");

    CFollowNameDialog cancelled;
    cancelled.m_strName = "Gandalf";
    CDialogDriver again({[&](HWND h) {
        ::SetDlgItemTextA(h, IDC_FOLLOW_NAME, "");
        Click(h, IDCANCEL);
    }});
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.m_strName, "Gandalf");
}

TEST(AboutDlg, ShowsTheIconTheVersionAndOk) {
    CAboutDlg dlg;
    std::string caption;
    bool hasIcon = false, hasVersion = false;
    CDialogDriver driver({[&](HWND h) {
        caption = Caption(h);
        for (HWND c = ::GetWindow(h, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            if (::SendMessageA(c, STM_GETICON, 0, 0)) hasIcon = true;
            if (Caption(c) == "VorMapper Version 1.0") hasVersion = true;
        }
        Click(h, IDOK);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(caption, "About Vor Mapper");
    EXPECT_TRUE(hasIcon);
    EXPECT_TRUE(hasVersion);
}
