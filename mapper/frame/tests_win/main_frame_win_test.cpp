// The main frame in this process, driven by real window messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "mapper/frame/client_protocol.h"
#include "mapper/frame/main_frame_win.h"
#include "mapper/frame/tests_win/frame_test.h"
#include "mapper/model/document.h"
#include "mapper/resource_ids.h"

namespace {

class MainFrameTest : public CFrameTest {
protected:
    void SetUp() override
    {
        CFrameTest::SetUp();
        m_frame->ShowStandalone();
    }
    void TearDown() override
    {
        CFrameTest::TearDown();
        EXPECT_EQ(m_frame->m_hWnd, nullptr);
    }
    LRESULT CopyData(ULONG_PTR code, const char* text, DWORD bytes)
    {
        COPYDATASTRUCT cds = {code, bytes, const_cast<char*>(text)};
        return ::SendMessageA(Frame(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
    }
    // The popup of the menu bar (or of a popup) whose text starts with `text`.
    static HMENU SubMenu(HMENU menu, const char* text)
    {
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            char item[128] = "";
            ::GetMenuStringA(menu, i, item, sizeof item, MF_BYPOSITION);
            std::string s(item);
            s.erase(std::remove(s.begin(), s.end(), '&'), s.end());
            if (s.rfind(text, 0) == 0)
                return ::GetSubMenu(menu, i);
        }
        return nullptr;
    }
    UINT StateOf(HMENU menu, unsigned id) { return ::GetMenuState(menu, id, MF_BYCOMMAND); }
    std::string TextOf(HMENU menu, unsigned id)
    {
        char text[128] = "";
        ::GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
        return text;
    }

};

}  // namespace

TEST_F(MainFrameTest, DocumentCommandsArriveThroughTheMenuRouting)
{
    Command(ID_ZOOM_IN);
    EXPECT_EQ(m_doc.m_dZoom, 2.0);
    Command(ID_ROTATION_90);
    EXPECT_EQ(m_doc.m_dRotation, 1.570796326794895);
    Command(ID_PLANE_HIGHER);
    EXPECT_EQ(m_doc.m_nCurrentPlane, 1);
    Command(ID_MODE_EXPLORE);
    EXPECT_FALSE(m_doc.m_bTrace);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(MainFrameTest, MenusShowPlaneNamesChecksAndTheStandaloneState)
{
    HMENU bar = ::GetMenu(Frame());
    ASSERT_NE(bar, nullptr);
    HMENU plane = SubMenu(SubMenu(bar, "View"), "Plane");
    ASSERT_NE(plane, nullptr);
    m_doc.SetPlaneName(1, "Attic");
    Command(ID_PLANE_1);
    ::SendMessageA(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(plane), 0);
    EXPECT_EQ(TextOf(plane, ID_PLANE_1), "[1]Attic");
    EXPECT_EQ(TextOf(plane, ID_PLANE_3), "[3]Plane 3");
    EXPECT_TRUE(StateOf(plane, ID_PLANE_1) & MF_CHECKED);
    EXPECT_FALSE(StateOf(plane, ID_PLANE_0) & MF_CHECKED);

    HMENU mode = SubMenu(bar, "Mode");
    ASSERT_NE(mode, nullptr);
    ::SendMessageA(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(mode), 0);
    EXPECT_TRUE(StateOf(mode, ID_MODE_TRACE) & MF_CHECKED);
    EXPECT_FALSE(StateOf(mode, ID_MODE_EXPLORE) & MF_CHECKED);
    EXPECT_TRUE(StateOf(mode, ID_MODE_ONLINE) & MF_GRAYED);  // standalone: never docked
    EXPECT_TRUE(StateOf(mode, ID_MODE_FOLLOW) & MF_GRAYED);
    EXPECT_TRUE(StateOf(mode, ID_MODE_AUTOSHIFT) & MF_GRAYED);
    EXPECT_TRUE(StateOf(mode, ID_MODE_AUTOSHIFT) & MF_CHECKED);

    Command(ID_VIEW_GRID);
    HMENU view = SubMenu(bar, "View");
    ::SendMessageA(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 0);
    EXPECT_FALSE(StateOf(view, ID_VIEW_GRID) & MF_CHECKED);
    EXPECT_TRUE(StateOf(view, ID_VIEW_ROSE) & MF_CHECKED);
    Command(ID_VIEW_GRID);
}

TEST_F(MainFrameTest, CopyDataRepliesStandalone)
{
    EXPECT_EQ(CopyData(CD_ATTACH, nullptr, 0), 1);  // attach without a client: nothing
    EXPECT_FALSE(m_frame->IsAttached());
    EXPECT_EQ(::GetParent(Frame()), nullptr);
    EXPECT_EQ(CopyData(CD_NOP, "x", 2), 1);
    EXPECT_EQ(CopyData(1151, "x", 2), 0);
    EXPECT_EQ(CopyData(1153, nullptr, 0), 0);
    EXPECT_EQ(CopyData(99999, nullptr, 0), 0);
    EXPECT_EQ(CopyData(CD_COMMAND, "north", 6), 1);  // offline: accepted, nothing happens
    EXPECT_EQ(CopyData(CD_SETTINGS_DIR, "C:\\games\\", 10), 1);
    EXPECT_EQ(m_frame->Link().m_strSettingsDir, "C:\\games\\");
    EXPECT_EQ(CopyData(CD_SETTINGS_DIR, "C:\\no-nul", 4), 1);  // only the bytes counted
    EXPECT_EQ(m_frame->Link().m_strSettingsDir, "C:\\n");
    EXPECT_EQ(m_doc.GetRooms().size(), 1u);
}

TEST_F(MainFrameTest, MoveKeysInTheViewMoveTheCharacterOffline)
{
    HWND view = m_frame->View().m_hWnd;
    ASSERT_NE(view, nullptr);
    ::SendMessageA(view, WM_KEYDOWN, VK_RIGHT, 0);
    ::SendMessageA(view, WM_KEYDOWN, VK_PRIOR, 0);  // page up: northeast
    ::SendMessageA(view, WM_KEYDOWN, 'Q', 0);       // not a move key
    EXPECT_EQ(m_doc.GetRooms().size(), 3u);
    const CRoom current = m_doc.GetRoom(m_doc.m_nCurrentRoom);
    EXPECT_EQ(current.m_nX, 2);
    EXPECT_EQ(current.m_nY, -1);
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(MainFrameTest, TheTitleNamesTheDocument)
{
    char title[256] = "";
    ::GetWindowTextA(Frame(), title, sizeof title);
    EXPECT_STREQ(title, "Untitled - Vor Mapper");
}

// Moved to a screen of another resolution, the frame takes the place the
// system suggests and lays its toolbar and view out again in it; its first
// size is 800 x 600 at 96 dpi and in proportion at any other.
TEST_F(MainFrameTest, AMoveToAScreenOfAnotherResolutionTakesTheSuggestedPlace)
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    RECT first;
    ::GetWindowRect(Frame(), &first);
    EXPECT_EQ(first.right - first.left, ::MulDiv(800, dpi, 96));
    EXPECT_EQ(first.bottom - first.top, ::MulDiv(600, dpi, 96));

    RECT suggested{40, 30, 40 + 1000, 30 + 700};
    ::SendMessageA(Frame(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT now;
    ::GetWindowRect(Frame(), &now);
    EXPECT_EQ(now.left, 40);
    EXPECT_EQ(now.top, 30);
    EXPECT_EQ(now.right - now.left, 1000);
    EXPECT_EQ(now.bottom - now.top, 700);
    HWND view = ::FindWindowExA(Frame(), nullptr, "VorMapperView", nullptr);
    ASSERT_TRUE(view);
    RECT client, viewRect;
    ::GetClientRect(Frame(), &client);
    ::GetWindowRect(view, &viewRect);
    ::MapWindowPoints(nullptr, Frame(), reinterpret_cast<POINT*>(&viewRect), 2);
    EXPECT_EQ(viewRect.right - viewRect.left, client.right);
    EXPECT_EQ(viewRect.bottom, client.bottom);
}
