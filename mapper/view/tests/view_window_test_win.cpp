// The map view window under Wine, driven by synthesized mouse and key messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <vector>

#include "mapper/model/document.h"
#include "mapper/resource_ids.h"
#include "mapper/view/map_view_win.h"
#include "mapper/view/room_geometry.h"
#include "mapper/view/tests/interaction_test_support.h"

namespace {
LRESULT CALLBACK HostProc(HWND h, UINT m, WPARAM w, LPARAM l) { return ::DefWindowProcA(h, m, w, l); }

class ViewWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.OnNewDocument();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "ViewTestHost";
        ::RegisterClassA(&wc);
        host = ::CreateWindowExA(0, "ViewTestHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 700, nullptr,
                                 nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(view.Create(host, 1));
        ::MoveWindow(view.m_hWnd, 0, 0, 800, 600, TRUE);
        if (view.State().m_bShowRose)
            view.OnCommand(ID_VIEW_ROSE);  // the rose off: clicks land on the map
        view.SetDialogs(&dialogs);
        view.m_askYesNo = [this](const std::string& q) {
            questions.push_back(q);
            return true;
        };
        Paint();
    }
    void TearDown() override
    {
        view.DestroyWindow();
        ::DestroyWindow(host);
    }
    void Paint()
    {
        ::InvalidateRect(view.m_hWnd, nullptr, FALSE);
        ::UpdateWindow(view.m_hWnd);
    }
    RoomId Room(int x, int y)
    {
        const RoomId id = AddTestRoom(doc, x, y, 0);
        Paint();
        return id;
    }
    // Client point of a room centre; the window's client edge does not shift client coordinates.
    static CPoint Centre(int x, int y)
    {
        const CPoint64 c = RoomCentre(x, y);
        return {200 + static_cast<int>(c.x), 200 + static_cast<int>(c.y)};
    }
    void Send(UINT msg, CPoint p, WPARAM keys = 0)
    {
        ::SendMessageA(view.m_hWnd, msg, keys, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
    }
    CPoint Cell(RoomId id) const
    {
        const CRoom r = doc.GetRoom(id);
        return {r.m_nX, r.m_nY};
    }

    CVorMapperDoc doc;
    CVorMapperView view{doc};
    CFakeDialogs dialogs;
    HWND host = nullptr;
    std::vector<std::string> questions;
};
}  // namespace

TEST_F(ViewWindowTest, SixteenUnitDragMovesTheSelectedRoomsOneCellUnderCapture)
{
    const RoomId a = Room(2, 0), b = Room(2, 1);
    view.Interaction().Selection().SelectRoom(a, true);
    view.Interaction().Selection().AddRoomToSelection(b);
    const CPoint p = Centre(2, 0);
    Send(WM_LBUTTONDOWN, p, MK_LBUTTON);
    EXPECT_EQ(::GetCapture(), view.m_hWnd);
    Send(WM_MOUSEMOVE, {p.x + 15, p.y}, MK_LBUTTON);
    EXPECT_EQ(Cell(a), (CPoint{2, 0}));
    Send(WM_MOUSEMOVE, {p.x + 16, p.y}, MK_LBUTTON);
    EXPECT_EQ(Cell(a), (CPoint{3, 0}));
    EXPECT_EQ(Cell(b), (CPoint{3, 1}));
    Send(WM_LBUTTONUP, {p.x + 16, p.y});
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_FALSE(view.Interaction().IsRoomDrag());
    EXPECT_EQ(view.Interaction().Selection().GetRoomCount(), 2u);
}

TEST_F(ViewWindowTest, RightClickOnEmptySpaceEntersRotationModeAndDoubleClickResets)
{
    Send(WM_RBUTTONDOWN, {600, 400}, MK_RBUTTON);
    EXPECT_EQ(::GetCapture(), view.m_hWnd);
    Send(WM_RBUTTONUP, {600, 400});
    EXPECT_TRUE(view.Interaction().IsRotating());
    EXPECT_EQ(::GetCapture(), nullptr);
    Send(WM_MOUSEMOVE, {200, 600});
    EXPECT_NE(doc.m_dRotation, 0.0);
    Send(WM_RBUTTONDBLCLK, {200, 600}, MK_RBUTTON);
    EXPECT_FALSE(view.Interaction().IsRotating());
    EXPECT_EQ(doc.m_dRotation, 0.0);
    Send(WM_RBUTTONUP, {200, 600});
    EXPECT_FALSE(view.Interaction().IsRotating());
}

TEST_F(ViewWindowTest, RubberBandSelectsRoomsAndTheirLinks)
{
    const RoomId a = Room(1, 0), b = Room(2, 0), distant = Room(6, 3);
    AddTestLink(doc, a, DIR_E, b, DIR_W);
    const LinkId out = AddTestLink(doc, b, DIR_SE, distant, DIR_NW);
    Paint();
    Send(WM_LBUTTONDOWN, {200 + 26 + 2, 200 + 2}, MK_LBUTTON);
    ASSERT_TRUE(view.Interaction().IsRubberBand());
    Send(WM_MOUSEMOVE, {200 + 26 * 3 - 2, 200 + 24}, MK_LBUTTON);
    Send(WM_LBUTTONUP, {200 + 26 * 3 - 2, 200 + 24});
    const CMapSelection& sel = view.Interaction().Selection();
    EXPECT_EQ(sel.GetRoomCount(), 2u);
    EXPECT_EQ(sel.GetLinkCount(), 2u);
    EXPECT_TRUE(sel.IsLinkSelected(out));
    EXPECT_FALSE(sel.IsRoomSelected(distant));
    EXPECT_EQ(view.State().m_strStatus, "[rooms sel] 2 rooms selected");
}

TEST_F(ViewWindowTest, DoubleClickOpensTheRoomSheet)
{
    const RoomId a = Room(1, 1);
    Send(WM_LBUTTONDOWN, Centre(1, 1), MK_LBUTTON);
    Send(WM_LBUTTONUP, Centre(1, 1));
    Send(WM_LBUTTONDBLCLK, Centre(1, 1), MK_LBUTTON);
    Send(WM_LBUTTONUP, Centre(1, 1));
    EXPECT_EQ(dialogs.m_rooms, std::vector<RoomId>{a});
    EXPECT_EQ(Cell(a), (CPoint{1, 1}));
}

TEST_F(ViewWindowTest, ContextMenuFromResourceWithGroupsSeparatorsAndCheck)
{
    const RoomId a = Room(1, 0);
    CRoom r = doc.GetRoom(a);
    r.m_bRecursive = true;
    doc.SetRoom(r);
    std::vector<std::string> texts;
    bool checked = false;
    int separators = 0, submenus = 0;
    view.m_runMenu = [&](HMENU menu, POINT) -> UINT {
        const int n = ::GetMenuItemCount(menu);
        for (int i = 0; i < n; ++i) {
            char buf[128] = "";
            ::GetMenuStringA(menu, static_cast<UINT>(i), buf, sizeof buf, MF_BYPOSITION);
            texts.push_back(buf);
            const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
            if (state & MF_SEPARATOR)
                ++separators;
            if (::GetSubMenu(menu, i))
                ++submenus;
        }
        checked = (::GetMenuState(menu, ID_ROOM_RECURSIVE, MF_BYCOMMAND) & MF_CHECKED) != 0;
        return ID_ROOM_RECURSIVE;  // chosen: the flag flips
    };
    Send(WM_RBUTTONDOWN, Centre(1, 0), MK_RBUTTON);
    Send(WM_RBUTTONUP, Centre(1, 0));
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), "Room properties");
    EXPECT_EQ(texts.back(), "Delete room");
    EXPECT_TRUE(checked);
    EXPECT_EQ(separators, 1);  // the Room group's own; no other group
    EXPECT_EQ(submenus, 1);    // "Shift"
    EXPECT_FALSE(doc.GetRoom(a).m_bRecursive);

    // Two rooms and their link by a band, one room right-clicked: Room | Rooms.
    const RoomId b = Room(2, 0);
    AddTestLink(doc, a, DIR_E, b, DIR_W);
    Paint();
    Send(WM_LBUTTONDOWN, {200 + 26 + 2, 200 + 2}, MK_LBUTTON);
    Send(WM_MOUSEMOVE, {200 + 26 * 3 - 2, 200 + 24}, MK_LBUTTON);
    Send(WM_LBUTTONUP, {200 + 26 * 3 - 2, 200 + 24});
    texts.clear();
    view.m_runMenu = [&](HMENU menu, POINT) -> UINT {
        const int n = ::GetMenuItemCount(menu);
        for (int i = 0; i < n; ++i) {
            char buf[128] = "";
            ::GetMenuStringA(menu, static_cast<UINT>(i), buf, sizeof buf, MF_BYPOSITION);
            texts.push_back(buf);
        }
        return ID_ROOMS_DELETE;
    };
    Send(WM_RBUTTONDOWN, Centre(2, 0), MK_RBUTTON);
    Send(WM_RBUTTONUP, Centre(2, 0));
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[texts.size() - 3], "Change rooms color");
    EXPECT_EQ(texts.back(), "Delete rooms");
    EXPECT_FALSE(doc.GetRooms().Find(a));
    EXPECT_FALSE(doc.GetRooms().Find(b));
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ViewWindowTest, KeysMoveTheCharacterAndDeleteAsks)
{
    const RoomId east = Room(1, 0);
    AddTestLink(doc, 1, DIR_E, east, DIR_W);
    doc.m_bTrace = false;
    ::SendMessageA(view.m_hWnd, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(doc.m_nCurrentRoom, east);
    Paint();
    Send(WM_LBUTTONDOWN, Centre(1, 0), MK_LBUTTON);
    Send(WM_LBUTTONUP, Centre(1, 0));
    ::SendMessageA(view.m_hWnd, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(questions, std::vector<std::string>{"Delete the selected room?"});
    EXPECT_FALSE(doc.GetRooms().Find(east));
}

TEST_F(ViewWindowTest, CaptureTakenByAnotherWindowEndsTheDrag)
{
    const RoomId a = Room(1, 0);
    const CPoint p = Centre(1, 0);
    Send(WM_LBUTTONDOWN, p, MK_LBUTTON);
    ASSERT_TRUE(view.Interaction().IsRoomDrag());
    ::SetCapture(host);
    EXPECT_FALSE(view.Interaction().IsRoomDrag());
    ::ReleaseCapture();
    Send(WM_MOUSEMOVE, {p.x + 40, p.y}, MK_LBUTTON);
    Send(WM_LBUTTONUP, {p.x + 40, p.y});
    EXPECT_EQ(Cell(a), (CPoint{1, 0}));
}

TEST_F(ViewWindowTest, LinkCreationIgnoresTheWheelAndTheRightButton)
{
    const RoomId b = Room(3, 0);
    view.Interaction().Selection().SelectRoom(1, true);
    view.OnCommand(ID_ROOM_CREATE_LINK);
    ASSERT_TRUE(view.Interaction().IsLinkPending());
    ::SendMessageA(view.m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(300, 300));
    EXPECT_EQ(doc.m_dZoom, 1.0);
    Send(WM_RBUTTONDOWN, {600, 400}, MK_RBUTTON);
    EXPECT_EQ(::GetCapture(), nullptr);
    Send(WM_RBUTTONUP, {600, 400});
    EXPECT_FALSE(view.Interaction().IsRotating());
    Send(WM_LBUTTONDOWN, Centre(3, 0), MK_LBUTTON);
    Send(WM_LBUTTONUP, Centre(3, 0));
    EXPECT_EQ(dialogs.m_links.size(), 1u);
    EXPECT_EQ(doc.GetLink(dialogs.m_links[0]).m_nToRoom, b);
    EXPECT_EQ(view.State().m_strStatus, "[create_link] Creation completed");
}

namespace {
// The view's client area as the user sees it, kept as view_band.bmp in the working directory.
COLORREF PixelOfCapture(HWND wnd, int w, int h, int x, int y, const char* path)
{
    HDC wdc = ::GetDC(wnd);
    HDC mem = ::CreateCompatibleDC(wdc);
    HBITMAP bmp = ::CreateCompatibleBitmap(wdc, w, h);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::BitBlt(mem, 0, 0, w, h, wdc, 0, 0, SRCCOPY);
    const COLORREF c = ::GetPixel(mem, x, y);
    ::SelectObject(mem, old);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    const int stride = (w * 3 + 3) & ~3;
    std::vector<unsigned char> bits(static_cast<std::size_t>(stride) * h);
    if (::GetDIBits(mem, bmp, 0, h, bits.data(), &bi, DIB_RGB_COLORS)) {
        BITMAPFILEHEADER fh{};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        fh.bfSize = fh.bfOffBits + static_cast<DWORD>(bits.size());
        if (FILE* f = std::fopen(path, "wb")) {
            std::fwrite(&fh, sizeof fh, 1, f);
            std::fwrite(&bi.bmiHeader, sizeof(BITMAPINFOHEADER), 1, f);
            std::fwrite(bits.data(), 1, bits.size(), f);
            std::fclose(f);
        }
    }
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(wnd, wdc);
    return c;
}
}  // namespace

TEST_F(ViewWindowTest, TheBandAndTheSelectionShowOnScreen)
{
    const RoomId a = Room(1, 0);
    Room(2, 0);
    AddTestLink(doc, a, DIR_E, 3, DIR_W);
    Paint();
    Send(WM_LBUTTONDOWN, {200 + 26 + 2, 200 + 2}, MK_LBUTTON);
    Send(WM_MOUSEMOVE, {200 + 26 * 3 - 2, 200 + 40}, MK_LBUTTON);
    Paint();
    // Inside the band, away from rooms and links: the band's fill.
    const COLORREF band = PixelOfCapture(view.m_hWnd, 800, 600, 200 + 26 + 4, 200 + 36, "view_band.bmp");
    EXPECT_EQ(band, COLORREF{0xFFF5F0});
    Send(WM_LBUTTONUP, {200 + 26 * 3 - 2, 200 + 40});
    Paint();
    // A selected room's square outline is blue.
    const COLORREF edge = PixelOfCapture(view.m_hWnd, 800, 600, 200 + 26 + 7, 200 + 13, "view_selected.bmp");
    EXPECT_EQ(edge, COLORREF{0xFF0000});
    EXPECT_EQ(view.State().m_strStatus, "[rooms sel] 2 rooms selected");
}

TEST_F(ViewWindowTest, DeleteRoomIsGreyedForTheOnlyRoomOfTheMap)
{
    UINT state = 0;
    bool found = false;
    view.m_runMenu = [&](HMENU menu, POINT) -> UINT {
        found = ::GetMenuItemID(menu, ::GetMenuItemCount(menu) - 1) == ID_ROOM_DELETE;
        state = ::GetMenuState(menu, ID_ROOM_DELETE, MF_BYCOMMAND);
        return 0;
    };
    Send(WM_RBUTTONDOWN, Centre(0, 0), MK_RBUTTON);
    Send(WM_RBUTTONUP, Centre(0, 0));
    ASSERT_TRUE(found);
    EXPECT_TRUE(state & MF_GRAYED);

    Room(2, 0);
    Send(WM_RBUTTONDOWN, Centre(0, 0), MK_RBUTTON);
    Send(WM_RBUTTONUP, Centre(0, 0));
    ASSERT_TRUE(found);
    EXPECT_FALSE(state & MF_GRAYED);
    EXPECT_TRUE(questions.empty());
}
