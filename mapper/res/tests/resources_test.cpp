// The program's compiled resources as the running program sees them.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "mapper/res/resource.h"

namespace {

HINSTANCE Inst() { return ::GetModuleHandleA(nullptr); }

// "&Open...\tCtrl+O" -> "Open..."
std::string Visible(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size() && text[i] != '\t'; ++i)
        if (text[i] != '&') out += text[i];
    return out;
}

struct Item {
    std::string text;  // visible text, "-" for a separator
    int id;            // -1 for a submenu
};

std::vector<Item> Items(HMENU menu) {
    std::vector<Item> out;
    int n = ::GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        ::GetMenuItemInfoA(menu, i, TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            out.push_back({"-", 0});
            continue;
        }
        char text[256] = "";
        ::GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        out.push_back({Visible(text), info.hSubMenu ? -1 : static_cast<int>(info.wID)});
    }
    return out;
}

void ExpectItems(HMENU menu, const std::vector<Item>& want, const char* where) {
    std::vector<Item> got = Items(menu);
    ASSERT_EQ(got.size(), want.size()) << where;
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].text, want[i].text) << where << " item " << i;
        EXPECT_EQ(got[i].id, want[i].id) << where << " item " << i;
    }
}

std::string String(UINT id) {
    char buf[1024] = "";
    int n = ::LoadStringA(Inst(), id, buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
}

}  // namespace

TEST(Resources, MenuBar) {
    HMENU bar = ::LoadMenuA(Inst(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(bar, nullptr);
    ExpectItems(bar, {{"File", -1}, {"Edit", -1}, {"View", -1}, {"Mode", -1}, {"?", -1}}, "bar");
    ExpectItems(::GetSubMenu(bar, 0),
                {{"New", ID_FILE_NEW}, {"Open...", ID_FILE_OPEN}, {"Save", ID_FILE_SAVE},
                 {"Save As...", ID_FILE_SAVE_AS}, {"-", 0}, {"Import...", ID_FILE_IMPORT}, {"Export...", ID_FILE_EXPORT},
                 {"-", 0}, {"Exit", ID_APP_EXIT}}, "File");
    ExpectItems(::GetSubMenu(bar, 1),
                {{"Undo", 57643}, {"Redo", 57644}, {"-", 0}, {"Rename plane", 32779}, {"Find room...", 33001},
                 {"-", 0}, {"Configure online mode", 32837}},
                "Edit");
    HMENU view = ::GetSubMenu(bar, 2);
    ExpectItems(view,
                {{"Toolbar", 59392}, {"Wind rose", 32801}, {"Grid", 32802}, {"Higher plane", 32803},
                 {"Lower plane", 32804}, {"State labels", 32812}, {"-", 0}, {"Plane", -1}, {"Zoom", -1},
                 {"Rotation", -1}, {"-", 0}, {"Follow movements", 32787}}, "View");
    ExpectItems(::GetSubMenu(view, 7),
                {{"Higher", 32825}, {"Lower", 32826}, {"-", 0}, {"[3]", 32835}, {"[2]", 32834}, {"[1]", 32833},
                 {"[0]", 32832}, {"[-1]", 32831}, {"[-2]", 32830}, {"[-3]", 32829}}, "Plane");
    ExpectItems(::GetSubMenu(view, 8),
                {{"12%", 32806}, {"25%", 32807}, {"50%", 32808}, {"100%", 32805}, {"200%", 32809},
                 {"400%", 32810}, {"800%", 32811}}, "Zoom");
    ExpectItems(::GetSubMenu(bar, 3),
                {{"Explore", 32780}, {"Trace", 32782}, {"-", 0}, {"Online", 32786}, {"-", 0}, {"Follow", 32790},
                 {"Auto shift", 32836}}, "Mode");
    ExpectItems(::GetSubMenu(bar, 4),
                {{"Home Page...", 32784}, {"Write to the author...", 32785}, {"-", 0},
                 {"About VorMapper...", 57664}}, "?");
    ::DestroyMenu(bar);
}

TEST(Resources, RotationItemsCarryTheDegreeSign) {
    HMENU bar = ::LoadMenuA(Inst(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    HMENU rotation = ::GetSubMenu(::GetSubMenu(bar, 2), 9);
    const wchar_t* want[] = {L"0\u00b0", L"45\u00b0", L"90\u00b0", L"135\u00b0", L"180\u00b0", L"270\u00b0",
                             L"360\u00b0"};
    const UINT ids[] = {32772, 32773, 32774, 32775, 32776, 32777, 32778};
    ASSERT_EQ(::GetMenuItemCount(rotation), 7);
    for (int i = 0; i < 7; ++i) {
        wchar_t text[64] = L"";
        ::GetMenuStringW(rotation, i, text, 64, MF_BYPOSITION);
        EXPECT_STREQ(text, want[i]) << i;
        EXPECT_EQ(::GetMenuItemID(rotation, i), ids[i]) << i;
    }
    ::DestroyMenu(bar);
}

TEST(Resources, ContextMenuGroups) {
    HMENU menu = ::LoadMenuA(Inst(), MAKEINTRESOURCEA(IDR_CONTEXT_MENU));
    ASSERT_NE(menu, nullptr);
    ExpectItems(menu, {{"Room", -1}, {"Rooms", -1}, {"Link", -1}, {"Links", -1}}, "context");
    HMENU room = ::GetSubMenu(menu, 0);
    std::set<int> roomIds;
    HMENU shift = nullptr;
    for (int i = 0; i < ::GetMenuItemCount(room); ++i) {
        if (HMENU sub = ::GetSubMenu(room, i))
            shift = sub;
        else
            roomIds.insert(static_cast<int>(::GetMenuItemID(room, i)));
    }
    for (int id : {32791, 32792, 32793, 32800, 32813, 32838, 32839}) EXPECT_TRUE(roomIds.count(id)) << id;
    ASSERT_NE(shift, nullptr);
    ExpectItems(shift, {{"North", 32814}, {"South", 32815}, {"East", 32816}, {"West", 32817}, {"-", 0},
                        {"Up", 32822}, {"Down", 32823}}, "Shift");
    std::vector<Item> got = Items(room);
    bool recursive = false;
    for (const Item& it : got) recursive |= it.text == "Room is recursive" && it.id == 32813;
    EXPECT_TRUE(recursive);
    ExpectItems(::GetSubMenu(menu, 1), {{"Change rooms color", 32795}, {"-", 0}, {"Delete rooms", 32794}}, "Rooms");
    ExpectItems(::GetSubMenu(menu, 2), {{"Link properties", 32796}, {"-", 0}, {"Delete link", 32797}}, "Link");
    ExpectItems(::GetSubMenu(menu, 3), {{"Delete links", 32798}}, "Links");
    ::DestroyMenu(menu);
}

TEST(Resources, Accelerators) {
    HACCEL table = ::LoadAcceleratorsA(Inst(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(table, nullptr);
    int n = ::CopyAcceleratorTableA(table, nullptr, 0);
    std::vector<ACCEL> keys(n);
    ::CopyAcceleratorTableA(table, keys.data(), n);
    auto has = [&](BYTE mods, WORD key, WORD cmd) {
        for (const ACCEL& a : keys)
            if ((a.fVirt & ~FNOINVERT) == (FVIRTKEY | mods) && a.key == key && a.cmd == cmd) return true;
        return false;
    };
    EXPECT_TRUE(has(FCONTROL, 'N', ID_FILE_NEW));
    EXPECT_TRUE(has(FCONTROL, 'O', ID_FILE_OPEN));
    EXPECT_TRUE(has(FCONTROL, 'S', ID_FILE_SAVE));
    EXPECT_TRUE(has(FCONTROL, 'P', 32779));
    EXPECT_TRUE(has(FCONTROL, 'Z', 57643));
    EXPECT_TRUE(has(FCONTROL, 'Y', 57644));
    EXPECT_TRUE(has(FCONTROL | FSHIFT, 'Z', 57644));
    EXPECT_TRUE(has(FCONTROL, 'G', 33001));
    EXPECT_TRUE(has(FCONTROL, 'E', 32780));
    EXPECT_TRUE(has(FCONTROL, 'T', 32782));
    EXPECT_TRUE(has(FCONTROL, 'F', 32787));
    EXPECT_TRUE(has(0, VK_F2, 32801));
    EXPECT_TRUE(has(0, VK_F3, 32802));
    EXPECT_TRUE(has(0, VK_F4, 32803));
    EXPECT_TRUE(has(0, VK_F5, 32804));
    EXPECT_TRUE(has(0, VK_F6, 32812));
    EXPECT_TRUE(has(FALT, VK_ADD, 32825));
    EXPECT_TRUE(has(FALT, VK_OEM_PLUS, 32825));
    EXPECT_TRUE(has(FALT, VK_SUBTRACT, 32826));
    EXPECT_TRUE(has(FALT, VK_OEM_MINUS, 32826));
    // A key with its modifiers runs one command: a second row would be dead.
    std::set<std::pair<int, WORD>> seen;
    for (const ACCEL& a : keys)
        EXPECT_TRUE(seen.insert({a.fVirt & ~FNOINVERT, a.key}).second) << "key " << a.key << " bound twice";
    ::DestroyAcceleratorTable(table);
}

TEST(Resources, Strings) {
    EXPECT_EQ(String(128), "Vor Mapper\n\nMap\nVorMapper map (*.vmm)\n.vmm\nVorMapper.Map\nVor Mapper map");
    EXPECT_EQ(String(57344), "VorMapper");
    EXPECT_EQ(String(104), "Windows sockets initialization failed.");
    EXPECT_EQ(String(32772), "\nReset rotation");
    EXPECT_EQ(String(32773), "Rotate map by 45 degrees");
    EXPECT_EQ(String(32778), "Rotate map by 360 degrees");
    EXPECT_EQ(String(32779), "Change name of the current plane");
    EXPECT_EQ(String(32780), "Set explore mode on/off");
    EXPECT_EQ(String(32782), "Set trace mode on/off (let you create new rooms while moving)");
    EXPECT_EQ(String(32786), "Map using VorClient");
    EXPECT_EQ(String(32825), "\nHigher plane");
    EXPECT_EQ(String(32826), "\nLower plane");
    EXPECT_EQ(String(32847), "\nZoom in");
    EXPECT_EQ(String(32848), "\nZoom out");
    // Tool tips: the text after the line break.
    for (auto [id, tip] : std::vector<std::pair<UINT, std::string>>{
             {ID_FILE_NEW, "New"}, {ID_FILE_OPEN, "Open"}, {ID_FILE_SAVE, "Save"}}) {
        std::string s = String(id);
        ASSERT_NE(s.find('\n'), std::string::npos) << id;
        EXPECT_EQ(s.substr(s.find('\n') + 1), tip) << id;
    }
    EXPECT_EQ(String(IDP_ASK_TO_SAVE), "Save changes to %1?");
}

namespace {
// The pixels of an icon drawn on a ground colour (white by default).
std::vector<COLORREF> Pixels(HICON icon, int size, COLORREF ground = RGB(255, 255, 255)) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    RECT rc{0, 0, size, size};
    HBRUSH brush = ::CreateSolidBrush(ground);
    ::FillRect(dc, &rc, brush);
    ::DeleteObject(brush);
    ::DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> px;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) px.push_back(::GetPixel(dc, x, y));
    ::SelectObject(dc, old);
    ::DeleteObject(bmp);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return px;
}

}  // namespace

TEST(Resources, ProgramIconAndTenDistinctDirectionIcons) {
    for (int size : {32, 16}) {
        HICON icon = static_cast<HICON>(::LoadImageA(Inst(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ::DestroyIcon(icon);
    }
    std::set<std::vector<COLORREF>> seen;
    for (int id = IDI_DIR_FIRST; id < IDI_DIR_FIRST + 10; ++id) {
        HICON icon = static_cast<HICON>(::LoadImageA(Inst(), MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, 0));
        ASSERT_NE(icon, nullptr) << id;
        std::vector<COLORREF> px = Pixels(icon, 32);
        EXPECT_EQ(px[0], RGB(255, 255, 255)) << id << ": the corners are transparent";
        EXPECT_NE(px[16 * 32 + 16], RGB(255, 255, 255)) << id << ": something is drawn in the middle";
        seen.insert(px);
        ::DestroyIcon(icon);
    }
    EXPECT_EQ(seen.size(), 10u);
    // North points up: more ink in the top half of the north icon than in its bottom rows.
    HICON north = static_cast<HICON>(::LoadImageA(Inst(), MAKEINTRESOURCEA(IDI_DIR_N), IMAGE_ICON, 32, 32, 0));
    std::vector<COLORREF> px = Pixels(north, 32);
    auto ink = [&](int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < 32; ++x) n += px[y * 32 + x] != RGB(255, 255, 255);
        return n;
    };
    EXPECT_GT(ink(0, 16), ink(16, 32));
    ::DestroyIcon(north);
}

TEST(Resources, DirectionIconsAreMonochromeArrowsInsideTheRoseButtons) {
    const COLORREF grey = RGB(192, 192, 192);
    for (int id = IDI_DIR_FIRST; id < IDI_DIR_FIRST + 10; ++id) {
        HICON icon = static_cast<HICON>(::LoadImageA(Inst(), MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, 0));
        ASSERT_NE(icon, nullptr) << id;
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(icon, &info)) << id;
        EXPECT_EQ(info.hbmColor, nullptr) << id << ": a monochrome icon has only its mask bitmap";
        BITMAP mask{};
        ::GetObjectA(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(mask.bmWidth, 32) << id;
        EXPECT_EQ(mask.bmHeight, 64) << id;
        EXPECT_EQ(mask.bmBitsPixel, 1) << id;
        ::DeleteObject(info.hbmMask);
        if (info.hbmColor) ::DeleteObject(info.hbmColor);
        // Black ink on a transparent ground, within the pixels 6 to 23: drawn
        // at a 30-pixel cell's corner, and one pixel further when pressed, it
        // stays clear of the button frames (pixels 2, 3, 26 and 27).
        const std::vector<COLORREF> px = Pixels(icon, 32, grey);
        int ink = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const COLORREF c = px[y * 32 + x];
                EXPECT_TRUE(c == grey || c == RGB(0, 0, 0)) << id << " at " << x << "," << y;
                if (c == RGB(0, 0, 0)) {
                    ++ink;
                    EXPECT_TRUE(x >= 6 && x <= 23 && y >= 6 && y <= 23) << id << " ink at " << x << "," << y;
                }
            }
        EXPECT_GT(ink, 60) << id;
        ::DestroyIcon(icon);
    }
}

TEST(Resources, ToolbarImageAndButtons) {
    HBITMAP bmp = static_cast<HBITMAP>(
        ::LoadImageA(Inst(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bmp, nullptr);
    BITMAP bm{};
    ::GetObjectA(bmp, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 8 * 16);
    EXPECT_EQ(bm.bmHeight, 15);
    EXPECT_EQ(bm.bmBitsPixel, 24);
    ::DeleteObject(bmp);

    HRSRC res = ::FindResourceA(Inst(), MAKEINTRESOURCEA(IDR_MAINFRAME), MAKEINTRESOURCEA(241));
    ASSERT_NE(res, nullptr);
    const WORD* words = static_cast<const WORD*>(::LockResource(::LoadResource(Inst(), res)));
    ASSERT_GE(::SizeofResource(Inst(), res), 4u * sizeof(WORD));
    EXPECT_EQ(words[0], 1);
    EXPECT_EQ(words[1], 16);
    EXPECT_EQ(words[2], 15);
    ASSERT_EQ(words[3], 11);
    const WORD want[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, 32847, 32848, 0, 32826, 32825, 0, 32772};
    for (int i = 0; i < 11; ++i) EXPECT_EQ(words[4 + i], want[i]) << i;
}

namespace {
INT_PTR CALLBACK PlainProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

struct Ctl {
    int id;
    int x, y, w, h;
};

// Creates the template, then compares the dialog's size and its controls'
// places with dialog units mapped through the dialog's own font.
void ExpectLayout(UINT tmpl, int w, int h, const std::vector<Ctl>& controls, const char* caption) {
    HWND dlg = ::CreateDialogParamA(Inst(), MAKEINTRESOURCEA(tmpl), nullptr, PlainProc, 0);
    ASSERT_NE(dlg, nullptr) << tmpl;
    char text[128] = "";
    ::GetWindowTextA(dlg, text, sizeof text);
    EXPECT_STREQ(text, caption) << tmpl;
    RECT want{0, 0, w, h}, client;
    ::MapDialogRect(dlg, &want);
    ::GetClientRect(dlg, &client);
    EXPECT_EQ(client.right, want.right) << tmpl;
    EXPECT_EQ(client.bottom, want.bottom) << tmpl;
    for (const Ctl& c : controls) {
        HWND ctl = ::GetDlgItem(dlg, c.id);
        ASSERT_NE(ctl, nullptr) << tmpl << " control " << c.id;
        // Windows maps the origin and the size separately.
        RECT at{c.x, c.y, c.w, c.h}, got;
        ::MapDialogRect(dlg, &at);
        RECT r{at.left, at.top, at.left + at.right, at.top + at.bottom};
        ::GetWindowRect(ctl, &got);
        ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&got), 2);
        EXPECT_EQ(got.left, r.left) << tmpl << " control " << c.id;
        EXPECT_EQ(got.top, r.top) << tmpl << " control " << c.id;
        EXPECT_EQ(got.right, r.right) << tmpl << " control " << c.id;
        EXPECT_EQ(got.bottom, r.bottom) << tmpl << " control " << c.id;
    }
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(dlg, WM_GETFONT, 0, 0));
    LOGFONTA lf{};
    ASSERT_TRUE(font && ::GetObjectA(font, sizeof lf, &lf)) << tmpl;
    EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif") << tmpl;
    ::DestroyWindow(dlg);
}
}  // namespace

TEST(Resources, TextDialogTemplates) {
    ExpectLayout(IDD_TEXT_INPUT, 200, 37, {{IDC_TEXT_EDIT, 4, 4, 192, 12}, {IDOK, 96, 20, 50, 14}, {IDCANCEL, 148, 20, 50, 14}},
                 "Insert label");
    ExpectLayout(IDD_PLANE_NAME, 200, 37, {{IDC_TEXT_EDIT, 4, 4, 192, 12}, {IDOK, 96, 20, 50, 14}, {IDCANCEL, 148, 20, 50, 14}},
                 "Plane name");
    ExpectLayout(IDD_FOLLOW_NAME, 200, 49,
                 {{IDC_FOLLOW_NAME, 4, 16, 192, 12}, {IDOK, 96, 32, 50, 14}, {IDCANCEL, 148, 32, 50, 14}},
                 "Follow mode initialization");
    ExpectLayout(IDD_PALETTE, 156, 122, {{IDOK, 52, 108, 50, 12}, {IDCANCEL, 104, 108, 50, 12}}, "Palette");
    ExpectLayout(IDD_LINK_PROPERTIES, 186, 116,
                 {{IDC_LINK_FROM_ROOM, 4, 72, 176, 8}, {IDC_LINK_TO_ROOM, 4, 84, 176, 8}, {IDOK, 76, 100, 50, 12},
                  {IDCANCEL, 132, 100, 50, 12}}, "Link properties");
    // The edit boxes scroll sideways, OK is the default button.
    HWND dlg = ::CreateDialogParamA(Inst(), MAKEINTRESOURCEA(IDD_TEXT_INPUT), nullptr, PlainProc, 0);
    EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(dlg, IDC_TEXT_EDIT), GWL_STYLE) & ES_AUTOHSCROLL);
    EXPECT_EQ(::GetWindowLongA(::GetDlgItem(dlg, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    ::DestroyWindow(dlg);
}

TEST(Resources, PropertyPageTemplates) {
    // Pages are child dialogs: give them a parent.
    HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 500, nullptr, nullptr, Inst(), nullptr);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    struct Page {
        UINT id;
        const char* caption;
        std::vector<int> controls;
    };
    std::vector<int> alias;
    for (int i = 0; i < 20; ++i) alias.push_back(1020 + i);
    const Page pages[] = {
        {IDD_ROOM_GENERAL, "General", {1006, 1007, 1010, 1011, 1012, 1013, 1014}},
        {IDD_ROOM_LINKS, "Links", {1014, 1015, 1016, 1017, 1018}},
        {IDD_ROOM_COMMENTS, "Comments", {1007}},
        {IDD_CONFIG_GENERAL, "General", {1023, 1024, 1025, 1026, 1027, 1028, 1029, 1030}},
        {IDD_CONFIG_ALIAS, "Directions aliases", alias},
        {IDD_CONFIG_FOLLOW, "Follow mode", {1021, 1022, 1023, 1024, 1025}},
        {IDD_CONFIG_INFO, "Information", {1015, 1027}},
    };
    for (const Page& p : pages) {
        HWND dlg = ::CreateDialogParamA(Inst(), MAKEINTRESOURCEA(p.id), parent, PlainProc, 0);
        ASSERT_NE(dlg, nullptr) << p.id;
        char text[128] = "";
        ::GetWindowTextA(dlg, text, sizeof text);
        EXPECT_STREQ(text, p.caption) << p.id;
        for (int id : p.controls) EXPECT_NE(::GetDlgItem(dlg, id), nullptr) << p.id << " control " << id;
        if (p.id == IDD_CONFIG_ALIAS) {
            for (int id : alias) EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(dlg, id), GWL_STYLE) & ES_LOWERCASE) << id;
        }
        if (p.id == IDD_ROOM_LINKS) {
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg, IDC_LINKS_DELETE)));
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg, IDC_LINKS_PROPERTIES)));
        }
        ::DestroyWindow(dlg);
    }
    HWND about = ::CreateDialogParamA(Inst(), MAKEINTRESOURCEA(IDD_ABOUTBOX), nullptr, PlainProc, 0);
    ASSERT_NE(about, nullptr);
    ::DestroyWindow(about);
    ::DestroyWindow(parent);
}
