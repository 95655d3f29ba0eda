// Modal runs opened from a child window make its top-level window wait:
// disabled while they are up, enabled after, never put behind it by a press.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "framework/win/dialog.h"
#include "framework/win/modal.h"
#include "framework/win/property_sheet.h"
#include "framework/win/tests/dialog_driver.h"
#include "framework/win/tests/dialog_test_res.h"

using vfw::test::CDialogDriver;

namespace {

// A visible top-level window away from the screen's middle, with a child
// that stands for the view.
class CFrameAndChild {
public:
    CFrameAndChild() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "vfwtest:Frame";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        ::RegisterClassA(&wc);
        frame = ::CreateWindowExA(0, "vfwtest:Frame", "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 50, 700, 500,
                                  nullptr, nullptr, wc.hInstance, nullptr);
        child = ::CreateWindowExA(0, "vfwtest:Frame", "", WS_CHILD | WS_VISIBLE, 0, 0, 700, 460, frame, nullptr,
                                  wc.hInstance, nullptr);
        ::SetForegroundWindow(frame);
    }
    ~CFrameAndChild() { ::DestroyWindow(frame); }
    HWND frame = nullptr, child = nullptr;
};

class CPlainDialog : public vfw::CDialog {
public:
    explicit CPlainDialog(HWND parent) : vfw::CDialog(IDD_TEST_ALL, parent) {}
};

class CPage : public vfw::CPropertyPage {
public:
    CPage() : vfw::CPropertyPage(IDD_TEST_PAGE2) {}
};

// What the steps saw while the run was up.
struct CSeen {
    HWND owner = nullptr;
    bool frameEnabled = true, childEnabled = false, centred = false;
    bool aboveAfterPress = false, frameEnabledAfterPress = true;
    int depth = 0;
    HWND innermost = nullptr;
};

std::vector<CDialogDriver::Step> LookThenPress(const CFrameAndChild& w, CSeen& seen) {
    return {[&](HWND h) {
                seen.owner = ::GetWindow(h, GW_OWNER);
                seen.frameEnabled = ::IsWindowEnabled(w.frame) != FALSE;
                seen.centred = vfw::test::IsCentredOn(h, w.frame);
                seen.depth = vfw::ModalDepth();
                seen.innermost = vfw::InnermostModalWindow();
                vfw::test::PressAt(vfw::test::UncoveredPoint(w.frame, h));
            },
            [](HWND) {},  // the press arrives
            [&](HWND h) {
                seen.aboveAfterPress = vfw::test::IsAbove(h, w.frame);
                seen.frameEnabledAfterPress = ::IsWindowEnabled(w.frame) != FALSE;
                ::PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            }};
}

}  // namespace

TEST(Modal, OwnerIsTheOutermostWindowOfThisProcess) {
    CFrameAndChild w;
    EXPECT_EQ(vfw::ModalOwner(w.child), w.frame);
    EXPECT_EQ(vfw::ModalOwner(w.frame), w.frame);
    EXPECT_EQ(vfw::ModalOwner(nullptr), nullptr);
    EXPECT_EQ(vfw::ModalDepth(), 0);
}

TEST(Modal, ADialogFromAChildDisablesAndStaysAboveTheTopLevelWindow) {
    CFrameAndChild w;
    CPlainDialog dlg(w.child);
    CSeen seen;
    CDialogDriver driver(LookThenPress(w, seen));
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(seen.owner, w.frame);
    EXPECT_FALSE(seen.frameEnabled);
    EXPECT_TRUE(seen.centred);
    EXPECT_TRUE(seen.aboveAfterPress);
    EXPECT_FALSE(seen.frameEnabledAfterPress);
    EXPECT_EQ(seen.depth, 1);
    EXPECT_EQ(seen.innermost, driver.Dialog());
    EXPECT_TRUE(::IsWindowEnabled(w.frame));
    EXPECT_EQ(vfw::ModalDepth(), 0);
}

TEST(Modal, ASheetFromAChildDisablesAndStaysAboveTheTopLevelWindow) {
    CFrameAndChild w;
    CPage page;
    vfw::CPropertySheet sheet("Sheet", w.child);
    sheet.AddPage(&page);
    CSeen seen;
    auto steps = LookThenPress(w, seen);
    steps.back() = [&](HWND h) {
        seen.aboveAfterPress = vfw::test::IsAbove(h, w.frame);
        seen.frameEnabledAfterPress = ::IsWindowEnabled(w.frame) != FALSE;
        PropSheet_PressButton(h, PSBTN_CANCEL);
    };
    CDialogDriver driver(steps);
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(seen.owner, w.frame);
    EXPECT_FALSE(seen.frameEnabled);
    EXPECT_TRUE(seen.centred);
    EXPECT_TRUE(seen.aboveAfterPress);
    EXPECT_FALSE(seen.frameEnabledAfterPress);
    EXPECT_EQ(seen.innermost, driver.Dialog());
    EXPECT_TRUE(::IsWindowEnabled(w.frame));
    EXPECT_TRUE(::IsWindowEnabled(w.child));
}

namespace {
void CALLBACK CancelAll(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    vfw::CancelModalRuns();
}
}  // namespace

TEST(Modal, CancellingTheRunsEndsThemAndTheWaitingMessageComesAfter) {
    CFrameAndChild w;
    CPage page;
    vfw::CPropertySheet sheet("Sheet", w.child);
    sheet.AddPage(&page);
    constexpr UINT kLater = WM_APP + 7;
    INT_PTR inner = 0;
    bool postedEarly = true;
    CDialogDriver driver({[&](HWND h) {
        // A dialog over the sheet, then both cancelled from inside it.
        vfw::PostWhenModalRunsEnd(w.frame, kLater);
        CPlainDialog dlg(h);
        ::SetTimer(nullptr, 0, 60, &CancelAll);
        inner = dlg.DoModal();
        MSG msg;
        postedEarly = ::PeekMessageA(&msg, w.frame, kLater, kLater, PM_NOREMOVE) != FALSE;
    }});
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(inner, IDCANCEL);
    EXPECT_FALSE(postedEarly);
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, w.frame, kLater, kLater, PM_REMOVE));
}
