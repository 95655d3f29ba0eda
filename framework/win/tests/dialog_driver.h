#pragma once
// Drives a modal dialog of this thread from inside its own message loop: the
// steps run one per timer tick once the dialog has been initialised, each with
// the dialog's window. A dialog still open well after the last step is closed
// with Cancel and the driver reports that it timed out, so no test can hang.
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

namespace vfw::test {

class CDialogDriver {
public:
    using Step = std::function<void(HWND dlg)>;
    explicit CDialogDriver(std::vector<Step> steps);
    ~CDialogDriver();
    CDialogDriver(const CDialogDriver&) = delete;
    CDialogDriver& operator=(const CDialogDriver&) = delete;

    HWND Dialog() const { return m_hDlg; }
    bool AllStepsRan() const { return m_nNext == m_steps.size(); }
    bool TimedOut() const { return m_bTimedOut; }
    // Caption of the dialog as it was right after its initialisation.
    const std::string& InitialCaption() const { return m_strCaption; }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wp, LPARAM lp);
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::vector<Step> m_steps;
    size_t m_nNext = 0;
    int m_nIdleTicks = 0;
    bool m_bTimedOut = false;
    HWND m_hDlg = nullptr;
    std::string m_strCaption;
    HHOOK m_hHook = nullptr;
    UINT_PTR m_nTimer = 0;
};

// Clicks a button of the dialog the way the user does (BM_CLICK).
void Click(HWND dlg, int id);
// The text of a control.
std::string ItemText(HWND dlg, int id);

// A press and release of the left button at a screen point, through the
// system's input queue like the user's mouse.
void PressAt(POINT screen);
// A point of `under`'s client area that `over` does not cover (top-left
// first, then the other corners); {-1, -1} when there is none.
POINT UncoveredPoint(HWND under, HWND over);
// True when `upper` comes before `lower` in the z-order of top-level windows.
bool IsAbove(HWND upper, HWND lower);
// The centres of the two windows' rectangles differ by at most one pixel.
bool IsCentredOn(HWND w, HWND owner);

}  // namespace vfw::test
