// Every dialog and sheet the program opens makes the frame wait: disabled
// while it is up, enabled after it, and never put behind the frame by a
// press on it; nested ones are modal to the window they open from.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/win/modal.h"
#include "framework/win/tests/dialog_driver.h"
#include "mapper/dialogs/tests/win_test_support.h"
#include "mapper/frame/main_frame_win.h"
#include "mapper/frame/tests_win/frame_test.h"
#include "mapper/model/document.h"
#include "mapper/res/resource.h"
#include "mapper/resource_ids.h"
#include "mapper/settings/config_sheet_win.h"

using vfw::test::CDialogDriver;

namespace {

bool IsSheet(HWND w) { return ::SendMessageA(w, PSM_GETTABCONTROL, 0, 0) != 0; }

void Cancel(HWND w)
{
    if (IsSheet(w))
        ::PostMessageA(w, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    else
        ::PostMessageA(w, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

// A button press on a page, handled by the run's own loop.
void PostButton(HWND page, int id)
{
    ::PostMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(page, id)));
}

// The top-level window of this thread with the caption, other than `except`.
HWND Window(const char* caption, HWND except = nullptr) { return dlgtest::FindThreadWindow(caption, except); }

// What was seen of one modal window over its owner.
struct CLook {
    std::string caption;
    HWND owner = nullptr;
    bool frameEnabled = true, ownerEnabled = true, centred = false;
    bool aboveAfterPress = false, frameEnabledAfterPress = true;
    std::vector<std::string> layoutFaults;  // of the dialog, or of every page of a sheet
};

std::vector<std::string> LayoutOf(HWND w)
{
    if (!IsSheet(w))
        return dlgtest::LayoutFaults(w);
    std::vector<std::string> all;
    HWND tab = reinterpret_cast<HWND>(::SendMessageA(w, PSM_GETTABCONTROL, 0, 0));
    const int pages = static_cast<int>(::SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < pages; ++i) {
        ::SendMessageA(w, PSM_SETCURSEL, i, 0);
        for (const std::string& f : dlgtest::LayoutFaults(CurrentPage(w)))
            all.push_back("page " + std::to_string(i) + ": " + f);
    }
    ::SendMessageA(w, PSM_SETCURSEL, 0, 0);
    return all;
}

class ModalFrameTest : public CFrameTest {
protected:
    void SetUp() override
    {
        CFrameTest::SetUp();
        // Away from the screen's middle, so that centred on the frame is not
        // centred on the screen; larger at a higher resolution, as far as the
        // test's 1280 x 1024 screen allows, so that its dialogs fit round its centre.
        ::SetWindowPos(Frame(), nullptr, 40, 30, std::min(dlgtest::Px(820), 1000), std::min(dlgtest::Px(620), 800),
                       SWP_NOZORDER);
        m_frame->ShowStandalone();
        ::SetForegroundWindow(Frame());
        ::UpdateWindow(m_frame->View().m_hWnd);
    }
    // Room 1 becomes the view's focus, as by a click on it.
    void ClickRoomOne()
    {
        ::UpdateWindow(m_frame->View().m_hWnd);
        dlgtest::SendClick(m_frame->View().m_hWnd, 213, 213);
        // A view that draws the map at the screen's scale shows the room
        // farther out.
        if (m_frame->View().State().m_selection.GetFocusRoom() != 1)
            dlgtest::SendClick(m_frame->View().m_hWnd, dlgtest::Px(213), dlgtest::Px(213));
    }

    // The steps of one look at `w` over `owner`: a press on the frame beside
    // it, then the z-order and the enabled states.
    std::vector<CDialogDriver::Step> LookSteps(std::function<HWND(HWND)> find, HWND* owner, CLook& look,
                                               std::function<void(HWND)> then)
    {
        auto target = std::make_shared<HWND>(nullptr);
        return {[=, &look](HWND first) {
                    HWND w = find(first);
                    *target = w;
                    char text[128] = "";
                    ::GetWindowTextA(w, text, sizeof text);
                    look.caption = text;
                    look.owner = ::GetWindow(w, GW_OWNER);
                    look.frameEnabled = ::IsWindowEnabled(Frame()) != FALSE;
                    look.ownerEnabled = *owner && ::IsWindowEnabled(*owner) != FALSE;
                    look.centred = *owner && vfw::test::IsCentredOn(w, *owner);
                    look.layoutFaults = LayoutOf(w);
                    vfw::test::PressAt(vfw::test::UncoveredPoint(Frame(), w));
                },
                [](HWND) {},
                [=, &look](HWND first) {
                    look.aboveAfterPress = vfw::test::IsAbove(*target, Frame());
                    look.frameEnabledAfterPress = ::IsWindowEnabled(Frame()) != FALSE;
                    then(first);
                }};
    }

    // Opens a run from the frame by `open`, looks at it, cancels it.
    CLook OpenAndLook(const std::function<void()>& open)
    {
        CLook look;
        HWND frame = Frame();
        HWND* owner = &frame;
        CDialogDriver driver(LookSteps([](HWND first) { return first; }, owner, look, [](HWND first) { Cancel(first); }));
        open();
        EXPECT_FALSE(driver.TimedOut()) << look.caption;
        EXPECT_TRUE(driver.AllStepsRan()) << look.caption;
        EXPECT_TRUE(::IsWindowEnabled(Frame())) << look.caption << ": enabled again after";
        EXPECT_EQ(vfw::ModalDepth(), 0);
        return look;
    }

    static void ExpectOverFrame(const CLook& look, HWND frame, const char* what)
    {
        EXPECT_EQ(look.owner, frame) << what;
        EXPECT_FALSE(look.frameEnabled) << what;
        EXPECT_TRUE(look.centred) << what;
        EXPECT_TRUE(look.aboveAfterPress) << what;
        EXPECT_FALSE(look.frameEnabledAfterPress) << what;
        EXPECT_EQ(look.layoutFaults, std::vector<std::string>{}) << what;
    }

};

}  // namespace

TEST_F(ModalFrameTest, EveryDialogAndSheetOfTheFrameAndTheViewMakesTheFrameWait)
{
    const struct {
        const char* what;
        std::function<void()> open;
    } runs[] = {
        {"about", [&] { Command(ID_APP_ABOUT); }},
        {"rename plane", [&] { Command(ID_EDIT_RENAME_PLANE); }},
        {"follow name", [&] {
             std::string name;
             m_frame->AskFollowName(name);
         }},
        {"room sheet", [&] {
             ClickRoomOne();
             Command(ID_ROOM_PROPERTIES);
         }},
        {"room colour", [&] {
             ClickRoomOne();
             Command(ID_ROOM_COLOR);
         }},
        {"label", [&] {
             ClickRoomOne();
             Command(ID_ROOM_SET_LABEL);
         }},
        {"configuration", [&] { RunConfigSheet(Frame(), m_frame->Session().m_settings); }},
        {"find room", [&] { Command(ID_EDIT_FIND_ROOM); }},
    };
    for (const auto& run : runs) {
        const CLook look = OpenAndLook(run.open);
        ExpectOverFrame(look, Frame(), run.what);
    }
}

TEST_F(ModalFrameTest, TheRoomSheetsPaletteIsModalToTheSheet)
{
    ClickRoomOne();
    CLook palette;
    HWND sheet = nullptr;
    auto steps = std::vector<CDialogDriver::Step>{[&](HWND s) {
        sheet = s;
        ::PostMessageA(CurrentPage(s), WM_COMMAND, MAKEWPARAM(IDC_ROOM_COLOR, STN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(CurrentPage(s), IDC_ROOM_COLOR)));
    }};
    bool sheetEnabledAfter = false, sheetActiveAfter = false, frameEnabledAfter = true;
    auto look = LookSteps([](HWND) { return Window("Palette"); }, &sheet, palette,
                          [](HWND) { Cancel(Window("Palette")); });
    steps.insert(steps.end(), look.begin(), look.end());
    steps.push_back([](HWND) {});
    steps.push_back([&](HWND s) {
        sheetEnabledAfter = ::IsWindowEnabled(s) != FALSE;
        sheetActiveAfter = ::GetActiveWindow() == s;
        frameEnabledAfter = ::IsWindowEnabled(Frame()) != FALSE;
        Cancel(s);
    });
    CDialogDriver driver(steps);
    Command(ID_ROOM_PROPERTIES);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(palette.caption, "Palette");
    EXPECT_EQ(palette.owner, sheet);
    EXPECT_FALSE(palette.ownerEnabled);
    EXPECT_FALSE(palette.frameEnabled);
    EXPECT_TRUE(palette.centred);
    EXPECT_TRUE(palette.aboveAfterPress);
    EXPECT_TRUE(sheetEnabledAfter);
    EXPECT_TRUE(sheetActiveAfter);
    EXPECT_FALSE(frameEnabledAfter);
    EXPECT_TRUE(::IsWindowEnabled(Frame()));
}

TEST_F(ModalFrameTest, TheConfigurationPromptsAreModalToTheSheetWhichComesBackAfterEach)
{
    m_frame->Session().m_settings.m_wrongWay = {"You can't go that way."};
    HWND sheet = nullptr;
    CLook add, modify;
    bool activeAfterAdd = false, activeAfterModify = false, enabledAfterModify = false;
    std::vector<CDialogDriver::Step> steps{[&](HWND s) {
        sheet = s;
        PostButton(CurrentPage(s), IDC_WRONGWAY_ADD);
    }};
    auto first = LookSteps([&](HWND) { return Window("Wrong way"); }, &sheet, add,
                           [&](HWND) { Cancel(Window("Wrong way")); });
    steps.insert(steps.end(), first.begin(), first.end());
    steps.push_back([](HWND) {});
    steps.push_back([&](HWND s) {
        activeAfterAdd = ::GetActiveWindow() == s;
        HWND page = CurrentPage(s);
        ::SendDlgItemMessageA(page, IDC_WRONGWAY_LIST, LB_SETCURSEL, 0, 0);
        PostButton(page, IDC_WRONGWAY_MODIFY);
    });
    auto second = LookSteps([&](HWND) { return Window("Wrong way"); }, &sheet, modify, [&](HWND) {
        HWND prompt = Window("Wrong way");
        ::SetDlgItemTextA(prompt, IDC_TEXT_EDIT, "No exit.");
        ::PostMessageA(prompt, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    steps.insert(steps.end(), second.begin(), second.end());
    steps.push_back([](HWND) {});
    steps.push_back([&](HWND s) {
        activeAfterModify = ::GetActiveWindow() == s;
        enabledAfterModify = ::IsWindowEnabled(s) != FALSE;
        ::PostMessageA(s, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    CDialogDriver driver(steps);
    EXPECT_EQ(RunConfigSheet(Frame(), m_frame->Session().m_settings), IDOK);
    EXPECT_FALSE(driver.TimedOut());
    for (const CLook* look : {&add, &modify}) {
        EXPECT_EQ(look->caption, "Wrong way");
        EXPECT_EQ(look->owner, sheet);
        EXPECT_FALSE(look->ownerEnabled);
        EXPECT_FALSE(look->frameEnabled);
        EXPECT_TRUE(look->centred);
        EXPECT_EQ(look->layoutFaults, std::vector<std::string>{});
    }
    EXPECT_TRUE(activeAfterAdd);
    EXPECT_TRUE(activeAfterModify);
    EXPECT_TRUE(enabledAfterModify);
    EXPECT_EQ(m_frame->Session().m_settings.m_wrongWay, (std::vector<std::string>{"No exit."}));
}

TEST_F(ModalFrameTest, ExitAndQuitWithASheetOpenDoNotEndTheProgramUnderIt)
{
    ClickRoomOne();
    bool aliveAfterExit = false, sheetAfterExit = false;
    CDialogDriver driver({[&](HWND) { ::PostMessageA(Frame(), WM_COMMAND, ID_APP_EXIT, 0); },
                          [](HWND) {},
                          [&](HWND s) {
                              aliveAfterExit = ::IsWindow(Frame()) != FALSE;
                              sheetAfterExit = ::IsWindow(s) != FALSE;
                              ::PostMessageA(Frame(), WM_CLOSE, 0, 0);
                          },
                          [](HWND) {},
                          [&](HWND) {
                              // The client's quit: the sheet goes first, then the frame.
                              m_frame->DestroyFrame();
                          }});
    Command(ID_ROOM_PROPERTIES);
    EXPECT_TRUE(aliveAfterExit);
    EXPECT_TRUE(sheetAfterExit);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_TRUE(::IsWindow(Frame()));  // still here when the sheet has returned
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
    EXPECT_EQ(m_frame->m_hWnd, nullptr);
}

TEST_F(ModalFrameTest, RenamePlaneNamesThePlaneItShowedAndMarksTheMap)
{
    std::string shown;
    bool planeCommandRefused = false;
    CDialogDriver driver({[&](HWND d) {
                              shown = vfw::test::ItemText(d, IDC_TEXT_EDIT);
                              // The menu's plane command waits for the dialog; the client's move does not.
                              Command(ID_PLANE_HIGHER);
                              planeCommandRefused = m_doc.m_nCurrentPlane == 0;
                              m_doc.m_nCurrentPlane = 5;
                              ::SetDlgItemTextA(d, IDC_TEXT_EDIT, "Cellars");
                              ::PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                          }});
    Command(ID_EDIT_RENAME_PLANE);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(shown, "Plane 0");
    EXPECT_TRUE(planeCommandRefused);
    EXPECT_EQ(m_doc.GetPlaneName(0), "Cellars");
    EXPECT_EQ(m_doc.GetPlaneName(5), "Plane 5");
    EXPECT_TRUE(m_doc.IsModified());
}
