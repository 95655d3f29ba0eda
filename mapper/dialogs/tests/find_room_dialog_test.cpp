// The Find room dialog from the program's own template.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/win/tests/dialog_driver.h"
#include "mapper/dialogs/find_room_dialog_win.h"
#include "mapper/dialogs/tests/dialog_test_support.h"
#include "mapper/res/resource.h"

using vfw::test::CDialogDriver;
using vfw::test::Click;
using vfw::test::ItemText;

namespace {

struct CActions : IFindRoomActions {
    std::vector<RoomId> shown, walked;
    void ShowRoom(RoomId room) override { shown.push_back(room); }
    void WalkToRoom(RoomId room) override { walked.push_back(room); }
};

std::vector<std::string> ListTexts(HWND dlg)
{
    HWND list = ::GetDlgItem(dlg, IDC_FIND_LIST);
    std::vector<std::string> out;
    const LRESULT n = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        char buf[512] = "";
        ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        out.push_back(buf);
    }
    return out;
}

void Type(HWND dlg, const char* text) { ::SetDlgItemTextA(dlg, IDC_FIND_TEXT, text); }

void Select(HWND dlg, int index)
{
    HWND list = ::GetDlgItem(dlg, IDC_FIND_LIST);
    ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_FIND_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

}  // namespace

TEST(FindRoomDialog, TheListFollowsTheTextAndShowKeepsTheDialogOpen)
{
    CHallMap doc;
    const RoomId upstairs = AddRoomAt(doc, 0, 0, 2, "Upper hall");
    CActions actions;
    CFindRoomDialog dlg(doc, actions);
    std::vector<std::string> empty, hall, none;
    bool buttonsOff = false;
    std::string count;
    CDialogDriver driver({[&](HWND h) {
                              empty = ListTexts(h);
                              buttonsOff = !::IsWindowEnabled(::GetDlgItem(h, IDC_FIND_SHOW)) &&
                                           !::IsWindowEnabled(::GetDlgItem(h, IDC_FIND_WALK));
                              Type(h, "HALL");
                          },
                          [&](HWND h) {
                              hall = ListTexts(h);
                              count = ItemText(h, IDC_FIND_COUNT);
                              Select(h, 1);
                              Click(h, IDC_FIND_SHOW);
                          },
                          [&](HWND h) {
                              Type(h, "attic");
                          },
                          [&](HWND h) {
                              none = ListTexts(h);
                              Click(h, IDCANCEL);
                          }});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_TRUE(empty.empty());
    EXPECT_TRUE(buttonsOff);
    ASSERT_EQ(hall.size(), 2u);
    // Container order, as the map holds them.
    std::vector<RoomId> order;
    for (auto it = doc.GetRooms().begin(); it != doc.GetRooms().end(); ++it)
        if (it.key() == 1 || it.key() == upstairs)
            order.push_back(it.key());
    EXPECT_EQ(hall[0], FindRoomEntryText(order[0], doc.GetRoom(order[0])));
    EXPECT_EQ(FindRoomEntryText(upstairs, doc.GetRoom(upstairs)), std::to_string(upstairs) + "\t[2]\tUpper hall");
    EXPECT_EQ(count, "2 rooms match.");
    EXPECT_EQ(actions.shown, std::vector<RoomId>{order[1]});
    EXPECT_TRUE(actions.walked.empty());
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(dlg.m_strText, "attic");
}

TEST(FindRoomDialog, DoubleClickShowsAndWalkThereWalksAndCloses)
{
    CHallMap doc;
    CActions actions;
    CFindRoomDialog dlg(doc, actions);
    dlg.m_strText = "kit";
    std::vector<std::string> listed;
    CDialogDriver driver({[&](HWND h) {
                              listed = ListTexts(h);
                              HWND list = ::GetDlgItem(h, IDC_FIND_LIST);
                              ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_FIND_LIST, LBN_DBLCLK),
                                             reinterpret_cast<LPARAM>(list));
                          },
                          [&](HWND h) { Click(h, IDC_FIND_WALK); }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(listed, std::vector<std::string>{std::to_string(doc.kitchen) + "\t[0]\tKitchen"});
    EXPECT_EQ(actions.shown, std::vector<RoomId>{doc.kitchen});
    EXPECT_EQ(actions.walked, std::vector<RoomId>{doc.kitchen});
}

TEST(FindRoomDialog, ManyMatchesAreCountedNotAllListed)
{
    CNewDoc doc;
    for (int i = 0; i < 1005; ++i)
        AddRoomAt(doc, i + 1, 0, 0, "Road");
    CActions actions;
    CFindRoomDialog dlg(doc, actions);
    dlg.m_strText = "road";
    std::size_t n = 0;
    std::string count;
    CDialogDriver driver({[&](HWND h) {
        n = ListTexts(h).size();
        count = ItemText(h, IDC_FIND_COUNT);
        ::SendMessageA(h, WM_COMMAND, IDOK, 0);  // Return: Show
        Click(h, IDCANCEL);
    }});
    dlg.DoModal();
    EXPECT_EQ(n, CFindRoomDialog::kMaxListed);
    EXPECT_EQ(count, "More than 1000 rooms match; the first 1000 are listed.");
    EXPECT_EQ(actions.shown.size(), 1u);
}
