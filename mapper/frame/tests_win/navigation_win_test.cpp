// "Walk here", "Find room..." and Escape in the main frame, driven by real
// window messages; a stand-in client window records what the mapper sends.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "mapper/frame/client_protocol.h"
#include "mapper/frame/main_frame_win.h"
#include "mapper/frame/tests_win/frame_test.h"
#include "mapper/model/document.h"
#include "mapper/model/tests/test_support.h"
#include "mapper/res/resource.h"
#include "mapper/resource_ids.h"
#include "mapper/view/geometry.h"

namespace {

std::vector<std::string> g_sent;

LRESULT CALLBACK ClientProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COPYDATA) {
        const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        if (cds->dwData == CD_COMMAND)
            g_sent.emplace_back(CopyDataText(cds->lpData, cds->cbData));
        return 1;
    }
    return ::DefWindowProcA(h, msg, wp, lp);
}

class NavigationFrameTest : public CFrameTest {
protected:
    void SetUp() override
    {
        g_sent.clear();
        CFrameTest::SetUp();
        m_frame->ShowStandalone();
        CRoom one = m_doc.GetRoom(1);
        one.m_info.m_strTitle = "Gate";
        m_doc.SetRoom(one);
        m_yard = AddRoomAt(m_doc, 1, 0, 0, "Yard");
        m_tower = AddRoomAt(m_doc, 1, 0, 1, "Tower");
        Join(m_doc, 1, DIR_E, m_yard, DIR_W);
        Join(m_doc, m_yard, DIR_U, m_tower, DIR_D);
        m_island = AddRoomAt(m_doc, 9, 9, 0, "Island");
        m_doc.SetModifiedFlag(false);
    }
    void TearDown() override
    {
        CFrameTest::TearDown();
        if (m_client)
            ::DestroyWindow(m_client);
        DropMessages();
    }
    // As if docked and online, with the stand-in client.
    void GoOnline()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ClientProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "NavigationTestClient";
        ::RegisterClassA(&wc);
        m_client = ::CreateWindowA("NavigationTestClient", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   wc.hInstance, nullptr);
        CClientLink& link = m_frame->Link();
        link.m_hClient = reinterpret_cast<std::uintptr_t>(m_client);
        link.m_bAttached = true;
        m_frame->Session().m_settings.m_aliases.InstallDefaults();
        link.GoOnline();
    }
    void FromClient(std::uintptr_t code, const std::string& text)
    {
        COPYDATASTRUCT cds = {code, static_cast<DWORD>(text.size() + 1), const_cast<char*>(text.c_str())};
        ::SendMessageA(m_frame->m_hWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
    }
    void WalkHere(RoomId room)
    {
        CMapSelection& sel = m_frame->View().Interaction().Selection();
        sel.Clear();
        sel.SelectRoom(room, true);
        Command(ID_ROOM_WALK_HERE);
    }
    const std::string& Status() const { return m_frame->View().State().m_strStatus; }

    HWND m_client = nullptr;
    RoomId m_yard = 0, m_tower = 0, m_island = 0;
};

}  // namespace

TEST_F(NavigationFrameTest, TheEditMenuHasFindRoomAndCtrlGIsItsKey)
{
    HMENU edit = ::GetSubMenu(::GetMenu(m_frame->m_hWnd), 1);
    int rename = -1;  // the item follows Rename plane, wherever that stands
    for (int i = 0; i < ::GetMenuItemCount(edit); ++i)
        if (::GetMenuItemID(edit, i) == ID_EDIT_RENAME_PLANE)
            rename = i;
    ASSERT_GE(rename, 0);
    char text[128] = "";
    ::GetMenuStringA(edit, rename + 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Find room...\tCtrl+G");
    // The program's own key table, as the message loop loads it.
    HACCEL keys = ::LoadAcceleratorsA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(keys, nullptr);
    std::vector<ACCEL> table(static_cast<std::size_t>(::CopyAcceleratorTableA(keys, nullptr, 0)));
    ::CopyAcceleratorTableA(keys, table.data(), static_cast<int>(table.size()));
    const auto it = std::find_if(table.begin(), table.end(), [](const ACCEL& a) { return a.cmd == ID_EDIT_FIND_ROOM; });
    ASSERT_NE(it, table.end());
    const ACCEL accel = *it;
    EXPECT_EQ(accel.key, 'G');
    EXPECT_EQ(accel.cmd, ID_EDIT_FIND_ROOM);
    EXPECT_TRUE(accel.fVirt & FCONTROL);
}

TEST_F(NavigationFrameTest, StandaloneWalkHereMovesAtOnce)
{
    WalkHere(m_tower);
    EXPECT_EQ(m_doc.m_nCurrentRoom, m_tower);
    EXPECT_EQ(m_doc.m_nCurrentPlane, 1);
    EXPECT_TRUE(g_sent.empty());
    EXPECT_EQ(Status(), "Arrived at Tower");
    WalkHere(m_island);
    EXPECT_EQ(m_doc.m_nCurrentRoom, m_tower);
    EXPECT_EQ(Status(), "No way from Tower to Island");
}

TEST_F(NavigationFrameTest, OnlineWalkSendsOneStepPerArrivalAndEscapeStopsIt)
{
    GoOnline();
    m_doc.m_bTrace = false;  // any mapping mode
    WalkHere(m_tower);
    EXPECT_EQ(g_sent, std::vector<std::string>{"east"});
    EXPECT_EQ(Status(), "Walking: 2 steps left");
    FromClient(CD_COMMAND, "east");  // the client passes the step back
    FromClient(CD_TEXT_LINE, "Yard");
    EXPECT_EQ(m_doc.m_nCurrentRoom, m_yard);
    EXPECT_EQ(g_sent, (std::vector<std::string>{"east", "up"}));
    EXPECT_EQ(Status(), "Walking: 1 steps left");
    ::SendMessageA(m_frame->View().m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(m_frame->Walk().IsWalking());
    EXPECT_EQ(Status(), "Walk stopped by Escape");
    FromClient(CD_COMMAND, "up");
    FromClient(CD_TEXT_LINE, "Tower");
    EXPECT_EQ(g_sent.size(), 2u);  // nothing more after the stop
}

TEST_F(NavigationFrameTest, FindRoomShowChangesPlaneCentresAndSelects)
{
    m_frame->ShowRoom(m_tower);
    EXPECT_EQ(m_doc.m_nCurrentPlane, 1);
    EXPECT_TRUE(m_frame->View().State().m_selection.IsRoomSelected(m_tower));
    EXPECT_EQ(m_frame->View().State().m_selection.GetFocusRoom(), m_tower);
    RECT rc;
    ::GetClientRect(m_frame->View().m_hWnd, &rc);
    const double scale = m_frame->View().State().Scale();
    const CPoint o = CentreOriginOn(m_doc, m_tower, rc.right, rc.bottom, scale);
    EXPECT_EQ(m_doc.m_nOriginX, o.x);
    EXPECT_EQ(m_doc.m_nOriginY, o.y);
    // At zoom 1 and no rotation the room's centre (26 * 1 + 13, in window
    // pixels at the screen's resolution) lands mid-window.
    EXPECT_EQ(m_doc.m_nOriginX + static_cast<int>(39 * scale), rc.right / 2);
    EXPECT_EQ(m_doc.m_nCurrentRoom, 1u);  // the character stays
}
