// The configuration sheet under Wine: controls, texts, and changes applied only on OK.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <deque>

#include "framework/win/tests/dialog_driver.h"
#include "mapper/mapping/game_settings.h"
#include "mapper/res/resource.h"
#include "mapper/settings/config_sheet_win.h"

using vfw::test::CDialogDriver;
using vfw::test::Click;
using vfw::test::ItemText;

namespace {
// Answers the list pages' text questions from a script.
class CScriptedPrompt : public ITextPrompt {
public:
    bool AskText(const std::string& caption, std::string& text) override
    {
        m_captions.push_back(caption);
        m_shown.push_back(text);
        if (m_answers.empty())
            return false;
        text = m_answers.front();
        m_answers.pop_front();
        return true;
    }
    std::deque<std::string> m_answers;
    std::vector<std::string> m_captions, m_shown;
};

HWND Page(HWND sheet) { return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

std::vector<std::string> ListItems(HWND page, int id)
{
    HWND box = ::GetDlgItem(page, id);
    std::vector<std::string> items;
    const int n = static_cast<int>(::SendMessageA(box, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char buf[256] = "";
        ::SendMessageA(box, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
        items.push_back(buf);
    }
    return items;
}
int ListSel(HWND page, int id) { return static_cast<int>(::SendDlgItemMessageA(page, id, LB_GETCURSEL, 0, 0)); }

std::string TabText(HWND sheet, int i)
{
    HWND tab = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    char buf[128] = "";
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    ::SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    return buf;
}

class ConfigSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings.m_wrongWay = {"You can't go"};
        settings.m_ignore = {"a", "b"};
        settings.m_aliases.InstallDefaults();
        settings.m_followTriggers.SetActivation("%name arrives");
        settings.m_followTriggers.SetDirection("%name leaves %dir");
        settings.m_followTriggers.SetFollow("You follow %name");
        settings.m_followTriggers.SetStop("%name stops");
        settings.m_nTitleLine = 2;
    }
    CGameSettings settings;
    CScriptedPrompt prompt;
};
}  // namespace

TEST_F(ConfigSheetTest, CaptionTabsAndCancelAfterAddingChangesNothing)
{
    CConfigSheet sheet(nullptr, settings, prompt);
    prompt.m_answers = {"Nope", ""};
    std::string caption;
    std::vector<std::string> tabs, shown;
    CDialogDriver driver({[&](HWND h) {
                              char buf[64] = "";
                              ::GetWindowTextA(h, buf, sizeof buf);
                              caption = buf;
                              for (int i = 0; i < 4; ++i)
                                  tabs.push_back(TabText(h, i));
                              shown = ListItems(Page(h), IDC_IGNORE_LIST);
                              Click(Page(h), IDC_WRONGWAY_ADD);
                              Click(Page(h), IDC_WRONGWAY_ADD);  // an empty entry is accepted
                          },
                          [&](HWND h) {
                              EXPECT_EQ(ListItems(Page(h), IDC_WRONGWAY_LIST),
                                        (std::vector<std::string>{"You can't go", "Nope", ""}));
                              EXPECT_EQ(ListSel(Page(h), IDC_WRONGWAY_LIST), 2);
                              EXPECT_EQ(::GetFocus(), ::GetDlgItem(Page(h), IDC_WRONGWAY_LIST));
                              PropSheet_PressButton(h, PSBTN_CANCEL);
                          }});
    EXPECT_EQ(sheet.Run(), IDCANCEL);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(caption, "Configure");
    EXPECT_EQ(tabs, (std::vector<std::string>{"General", "Directions aliases", "Follow mode", "Information"}));
    EXPECT_EQ(shown, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(prompt.m_captions, (std::vector<std::string>{"Wrong way", "Wrong way"}));
    EXPECT_EQ(settings.m_wrongWay, std::vector<std::string>{"You can't go"});
    EXPECT_EQ(settings.m_nTitleLine, 2);
}

TEST_F(ConfigSheetTest, ListEditsApplyOnOkAndDeletionSelectsTheNeighbour)
{
    settings.m_ignore = {"a", "b", "c", "d"};
    CConfigSheet sheet(nullptr, settings, prompt);
    prompt.m_answers = {"B!"};
    int afterLast = 0, afterOnly = 0, afterKey = 0;
    CDialogDriver driver({[&](HWND h) {
                              HWND page = Page(h);
                              // Modify by a double click on the selected item.
                              ::SendDlgItemMessageA(page, IDC_IGNORE_LIST, LB_SETCURSEL, 1, 0);
                              ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_IGNORE_LIST, LBN_DBLCLK),
                                             reinterpret_cast<LPARAM>(::GetDlgItem(page, IDC_IGNORE_LIST)));
                              // Delete the last: the new last is selected.
                              ::SendDlgItemMessageA(page, IDC_IGNORE_LIST, LB_SETCURSEL, 3, 0);
                              Click(page, IDC_IGNORE_DELETE);
                              afterLast = ListSel(page, IDC_IGNORE_LIST);
                              // The Delete key removes the item at the caret.
                              HWND box = ::GetDlgItem(page, IDC_IGNORE_LIST);
                              ::SendMessageA(box, LB_SETCURSEL, 0, 0);
                              ::SetFocus(box);
                              ::SendMessageA(box, WM_KEYDOWN, VK_DELETE, 0);
                              afterKey = ListSel(page, IDC_IGNORE_LIST);
                              // The only wrong-way string: nothing selected after.
                              ::SendDlgItemMessageA(page, IDC_WRONGWAY_LIST, LB_SETCURSEL, 0, 0);
                              Click(page, IDC_WRONGWAY_DELETE);
                              afterOnly = ListSel(page, IDC_WRONGWAY_LIST);
                              Click(page, IDC_WRONGWAY_MODIFY);  // nothing selected: no question
                              Click(page, IDC_WRONGWAY_DELETE);
                          },
                          [&](HWND h) { PropSheet_PressButton(h, PSBTN_OK); }});
    EXPECT_EQ(sheet.Run(), IDOK);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(prompt.m_shown, std::vector<std::string>{"b"});
    EXPECT_EQ(prompt.m_captions, std::vector<std::string>{"Ignore string"});
    EXPECT_EQ(afterLast, 2);
    EXPECT_EQ(afterKey, 0);  // "B!" took the place of "a"; the key did nothing more
    EXPECT_EQ(afterOnly, LB_ERR);
    EXPECT_EQ(settings.m_ignore, (std::vector<std::string>{"B!", "c"}));
    EXPECT_TRUE(settings.m_wrongWay.empty());
}

TEST_F(ConfigSheetTest, FollowBoxClearedStoresAnEmptyTriggerAndAliasesTypeLowerCase)
{
    const std::size_t lookup = settings.m_aliases.GetLookupSize();
    {
        CConfigSheet sheet(nullptr, settings, prompt);
        bool enabledAtOpen = false, enabledAfter = true;
        std::string followShown;
        CDialogDriver driver({[&](HWND h) { PropSheet_SetCurSel(h, nullptr, 2); },
                              [&](HWND h) {
                                  HWND page = Page(h);
                                  enabledAtOpen = ::IsWindowEnabled(::GetDlgItem(page, IDC_FOLLOW_FOLLOW));
                                  followShown = ItemText(page, IDC_FOLLOW_FOLLOW);
                                  Click(page, IDC_FOLLOW_CHECK);
                                  enabledAfter = ::IsWindowEnabled(::GetDlgItem(page, IDC_FOLLOW_FOLLOW));
                                  ::SetDlgItemTextA(page, IDC_FOLLOW_STOP, "%name halts");
                                  PropSheet_PressButton(h, PSBTN_OK);
                              }});
        EXPECT_EQ(sheet.Run(), IDOK);
        EXPECT_FALSE(driver.TimedOut());
        EXPECT_TRUE(enabledAtOpen);
        EXPECT_EQ(followShown, "You follow %name");
        EXPECT_FALSE(enabledAfter);
    }
    EXPECT_EQ(settings.m_followTriggers.GetFollow(), "");
    EXPECT_EQ(settings.m_followTriggers.GetStop(), "%name halts");
    EXPECT_EQ(settings.m_followTriggers.GetActivation(), "%name arrives");
    // The alias page was never shown: the table, prefixes and all, is as it was.
    EXPECT_EQ(settings.m_aliases.GetLookupSize(), lookup);
    EXPECT_EQ(settings.m_aliases.GetLong(DIR_N), "north");

    CConfigSheet again(nullptr, settings, prompt);
    int ticked = -1;
    bool enabled = true;
    std::string text = "x";
    CDialogDriver driver({[&](HWND h) { PropSheet_SetCurSel(h, nullptr, 2); },
                          [&](HWND h) {
                              HWND page = Page(h);
                              ticked = static_cast<int>(::IsDlgButtonChecked(page, IDC_FOLLOW_CHECK));
                              enabled = ::IsWindowEnabled(::GetDlgItem(page, IDC_FOLLOW_FOLLOW));
                              text = ItemText(page, IDC_FOLLOW_FOLLOW);
                              PropSheet_SetCurSel(h, nullptr, 1);
                          },
                          [&](HWND h) {
                              HWND edit = ::GetDlgItem(Page(h), IDC_ALIAS_LONG_FIRST + DIR_U);
                              ::SetWindowTextA(edit, "");
                              for (char c : std::string("UPward"))
                                  ::SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(c), 0);
                              ::SetDlgItemTextA(Page(h), IDC_ALIAS_SHORT_FIRST + DIR_D, "");
                              PropSheet_PressButton(h, PSBTN_OK);
                          }});
    EXPECT_EQ(again.Run(), IDOK);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(ticked, 0);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(text, "");
    EXPECT_EQ(settings.m_aliases.GetLong(DIR_U), "upward");
    EXPECT_EQ(settings.m_aliases.Lookup("upw"), DIR_U);
    EXPECT_EQ(settings.m_aliases.GetShort(DIR_D), "");
    EXPECT_EQ(settings.m_aliases.GetLong(DIR_N), "north");
}

TEST_F(ConfigSheetTest, TitleLineOutsideTheSliderKeepsItsValueUnlessMoved)
{
    settings.m_nTitleLine = 15;
    {
        CConfigSheet sheet(nullptr, settings, prompt);
        int pos = -1;
        std::string text;
        CDialogDriver driver({[&](HWND h) { PropSheet_SetCurSel(h, nullptr, 3); },
                              [&](HWND h) {
                                  pos = static_cast<int>(::SendDlgItemMessageA(Page(h), IDC_INFO_SLIDER, TBM_GETPOS, 0, 0));
                                  text = ItemText(Page(h), IDC_INFO_TEXT);
                                  PropSheet_PressButton(h, PSBTN_OK);
                              }});
        EXPECT_EQ(sheet.Run(), IDOK);
        EXPECT_FALSE(driver.TimedOut());
        EXPECT_EQ(pos, 9);
        EXPECT_EQ(text, "Get the title from line 16");
        EXPECT_EQ(settings.m_nTitleLine, 15);
    }
    CConfigSheet sheet(nullptr, settings, prompt);
    std::string text;
    CDialogDriver driver({[&](HWND h) { PropSheet_SetCurSel(h, nullptr, 3); },
                          [&](HWND h) {
                              HWND slider = ::GetDlgItem(Page(h), IDC_INFO_SLIDER);
                              ::SendMessageA(slider, TBM_SETPOS, TRUE, 4);
                              ::SendMessageA(Page(h), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 4),
                                             reinterpret_cast<LPARAM>(slider));
                              text = ItemText(Page(h), IDC_INFO_TEXT);
                              PropSheet_PressButton(h, PSBTN_CANCEL);
                          }});
    EXPECT_EQ(sheet.Run(), IDCANCEL);
    EXPECT_EQ(text, "Get the title from line 5");
    EXPECT_EQ(settings.m_nTitleLine, 15);  // cancelled
}

TEST(TextPrompt, CaptionTextAndOkOrCancel)
{
    CTextPromptWin prompt;
    std::string text = "old";
    std::string shown;
    CDialogDriver ok({[&](HWND h) {
        shown = ItemText(h, IDC_TEXT_EDIT);
        ::SetDlgItemTextA(h, IDC_TEXT_EDIT, "You cannot go that way");
        Click(h, IDOK);
    }});
    EXPECT_TRUE(prompt.AskText("Wrong way", text));
    EXPECT_FALSE(ok.TimedOut());
    EXPECT_EQ(ok.InitialCaption(), "Wrong way");
    EXPECT_EQ(shown, "old");
    EXPECT_EQ(text, "You cannot go that way");

    CDialogDriver cancel({[&](HWND h) {
        ::SetDlgItemTextA(h, IDC_TEXT_EDIT, "lost");
        Click(h, IDCANCEL);
    }});
    EXPECT_FALSE(prompt.AskText("Ignore string", text));
    EXPECT_EQ(cancel.InitialCaption(), "Ignore string");
    EXPECT_EQ(text, "You cannot go that way");
}
