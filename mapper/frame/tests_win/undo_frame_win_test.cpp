// The Edit menu's Undo and Redo in the main frame: texts naming the step,
// enable states, the accelerators, and a drag undone on screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "mapper/frame/main_frame_win.h"
#include "mapper/frame/tests_win/frame_test.h"
#include "mapper/model/document.h"
#include "mapper/resource_ids.h"

namespace {

class UndoFrameTest : public CFrameTest {
protected:
    void SetUp() override
    {
        CFrameTest::SetUp();
        m_frame->ShowStandalone();
        ::MoveWindow(Frame(), 0, 0, 900, 700, TRUE);
        m_bRose = m_frame->View().State().m_bShowRose;
        if (m_bRose)
            m_frame->View().OnCommand(ID_VIEW_ROSE);  // the rose off: presses land on the map
        Paint();
    }
    void TearDown() override
    {
        if (m_bRose)
            m_frame->View().OnCommand(ID_VIEW_ROSE);  // as the other tests expect it
        CFrameTest::TearDown();
    }
    HWND View() const { return m_frame->View().m_hWnd; }
    void Paint()
    {
        ::InvalidateRect(View(), nullptr, FALSE);
        ::UpdateWindow(View());
    }
    HMENU EditMenu()
    {
        HMENU bar = ::GetMenu(Frame());
        HMENU edit = ::GetSubMenu(bar, 1);
        ::SendMessageA(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
        return edit;
    }
    std::string TextOf(HMENU menu, unsigned id)
    {
        char text[128] = "";
        ::GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
        return text;
    }
    bool Grayed(HMENU menu, unsigned id) { return (::GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }
    // A key with Ctrl (and Shift) held, through the program's accelerator table.
    bool Accelerator(WORD key, bool shift)
    {
        static HACCEL table = ::LoadAcceleratorsA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        MSG msg = {View(), WM_KEYDOWN, key, 1};
        const bool done = ::TranslateAcceleratorA(Frame(), table, &msg) != 0;
        keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
        return done;
    }
    void Mouse(UINT msg, int x, int y, WPARAM keys)
    {
        ::SendMessageA(View(), msg, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    }
    // The colour on screen at a point of the view.
    COLORREF Pixel(int x, int y)
    {
        HDC dc = ::GetDC(View());
        const COLORREF c = ::GetPixel(dc, x, y);
        ::ReleaseDC(View(), dc);
        return c;
    }

    bool m_bRose = false;
};

}  // namespace

TEST_F(UndoFrameTest, MenuTextsNameTheStepAndAreGrayedWithNothingToDo)
{
    HMENU edit = EditMenu();
    EXPECT_EQ(TextOf(edit, ID_EDIT_UNDO), "&Undo\tCtrl+Z");
    EXPECT_EQ(TextOf(edit, ID_EDIT_REDO), "&Redo\tCtrl+Y");
    EXPECT_TRUE(Grayed(edit, ID_EDIT_UNDO));
    EXPECT_TRUE(Grayed(edit, ID_EDIT_REDO));

    ::SendMessageA(View(), WM_KEYDOWN, VK_RIGHT, 0);  // a trace move: a new room
    ASSERT_EQ(m_doc.GetRooms().size(), 2u);
    edit = EditMenu();
    EXPECT_EQ(TextOf(edit, ID_EDIT_UNDO), "&Undo Trace move\tCtrl+Z");
    EXPECT_FALSE(Grayed(edit, ID_EDIT_UNDO));
    EXPECT_TRUE(Grayed(edit, ID_EDIT_REDO));

    Command(ID_EDIT_UNDO);
    EXPECT_EQ(m_doc.GetRooms().size(), 1u);
    EXPECT_FALSE(m_doc.IsModified()) << "back where New left it";
    edit = EditMenu();
    EXPECT_EQ(TextOf(edit, ID_EDIT_REDO), "&Redo Trace move\tCtrl+Y");
    EXPECT_TRUE(Grayed(edit, ID_EDIT_UNDO));
    EXPECT_FALSE(Grayed(edit, ID_EDIT_REDO));
    Command(ID_EDIT_REDO);
    EXPECT_EQ(m_doc.GetRooms().size(), 2u);
    EXPECT_TRUE(m_doc.IsModified());

    // New clears the history.
    m_doc.SetModifiedFlag(false);
    Command(ID_FILE_NEW);
    edit = EditMenu();
    EXPECT_TRUE(Grayed(edit, ID_EDIT_UNDO));
    EXPECT_TRUE(Grayed(edit, ID_EDIT_REDO));
}

TEST_F(UndoFrameTest, ControlZUndoesControlYAndControlShiftZRedo)
{
    ::SendMessageA(View(), WM_KEYDOWN, VK_RIGHT, 0);
    ::SendMessageA(View(), WM_KEYDOWN, VK_DOWN, 0);
    ASSERT_EQ(m_doc.GetRooms().size(), 3u);
    EXPECT_TRUE(Accelerator('Z', false));
    EXPECT_EQ(m_doc.GetRooms().size(), 2u);
    EXPECT_TRUE(Accelerator('Z', false));
    EXPECT_EQ(m_doc.GetRooms().size(), 1u);
    EXPECT_TRUE(Accelerator('Y', false));
    EXPECT_EQ(m_doc.GetRooms().size(), 2u);
    EXPECT_TRUE(Accelerator('Z', true));
    EXPECT_EQ(m_doc.GetRooms().size(), 3u);
}

TEST_F(UndoFrameTest, AnUndoneDragShowsTheRoomBackWhereItWas)
{
    CRoom room;
    room.m_nX = 2;
    room.m_crColor = 0x0000FF;  // filled red: told from the empty grid at its centre
    const RoomId id = m_doc.AddRoom(room);
    Paint();
    // Window pixels at the screen's resolution (the map keeps its size).
    const CViewState& view = m_frame->View().State();
    const int x0 = 200 + view.Pixels(26 * 2 + 13), cell = view.Pixels(26), x1 = x0 + cell, y = 200 + view.Pixels(13);
    Mouse(WM_LBUTTONDOWN, x0, y, MK_LBUTTON);  // selects the room
    Mouse(WM_LBUTTONUP, x0, y, 0);
    Paint();
    const COLORREF roomColour = Pixel(x0, y), empty = Pixel(x1, y);
    ASSERT_NE(roomColour, empty);
    Mouse(WM_LBUTTONDOWN, x0, y, MK_LBUTTON);
    for (int dx = 4; dx <= cell; dx += 4)
        Mouse(WM_MOUSEMOVE, x0 + dx, y, MK_LBUTTON);  // pointer moves past one cell and then some
    Mouse(WM_LBUTTONUP, x0 + cell, y, 0);
    ASSERT_EQ(m_doc.GetRoom(id).m_nX, 3);
    Paint();
    EXPECT_EQ(Pixel(x1, y), roomColour);
    EXPECT_EQ(Pixel(x0, y), empty);

    HMENU edit = EditMenu();
    EXPECT_EQ(TextOf(edit, ID_EDIT_UNDO), "&Undo Move rooms\tCtrl+Z");
    EXPECT_TRUE(Accelerator('Z', false));
    Paint();
    EXPECT_EQ(m_doc.GetRoom(id).m_nX, 2);
    EXPECT_EQ(Pixel(x0, y), roomColour);
    EXPECT_EQ(Pixel(x1, y), empty);
    // One step for the whole drag: the one before it is the added room.
    edit = EditMenu();
    EXPECT_EQ(TextOf(edit, ID_EDIT_UNDO), "&Undo Add room\tCtrl+Z");
}
