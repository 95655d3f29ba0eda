// The room properties sheet run modally over a real map: its pages driven
// with clicks, typed texts and the dialogs they open; then the document.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include <windows.h>
#include <commctrl.h>

#include "framework/win/tests/dialog_driver.h"
#include "mapper/dialogs/palette_file.h"
#include "mapper/dialogs/palette_model.h"
#include "mapper/dialogs/room_sheet_win.h"
#include "mapper/dialogs/tests/dialog_test_support.h"
#include "mapper/dialogs/tests/win_test_support.h"
#include "mapper/dialogs/view_dialogs_win.h"
#include "mapper/res/resource.h"

using vfw::test::CDialogDriver;
using vfw::test::Click;
using vfw::test::ItemText;

namespace {
// The wind roses among a window's children, left to right.
std::vector<HWND> Roses(HWND parent)
{
    std::vector<HWND> roses;
    for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        char cls[64] = "";
        ::GetClassNameA(c, cls, sizeof cls);
        if (lstrcmpA(cls, "vfw:WindRose") == 0)
            roses.push_back(c);
    }
    std::sort(roses.begin(), roses.end(), [](HWND a, HWND b) {
        RECT ra, rb;
        ::GetWindowRect(a, &ra);
        ::GetWindowRect(b, &rb);
        return ra.left < rb.left;
    });
    return roses;
}

void PostButton(HWND dlg, int id) { ::PostMessageA(::GetDlgItem(dlg, id), BM_CLICK, 0, 0); }
bool Enabled(HWND dlg, int id) { return ::IsWindowEnabled(::GetDlgItem(dlg, id)) != FALSE; }

COLORREF BrushColor(HBRUSH brush)
{
    LOGBRUSH lb{};
    if (!brush || !::GetObjectA(brush, sizeof lb, &lb))
        return CLR_INVALID;
    return lb.lbColor;
}

class RoomSheet : public ::testing::Test {
protected:
    void SetUp() override { std::remove(DefaultPalettePath().c_str()); }
    void TearDown() override { std::remove(DefaultPalettePath().c_str()); }
    static void ShowPage(HWND sheet, int i) { ::SendMessageA(sheet, PSM_SETCURSEL, i, 0); }
    CHallMap doc;
};
}  // namespace

TEST_F(RoomSheet, GeneralShowsTheRoomAndOkStoresIt)
{
    CRoom hall = doc.GetRoom(1);
    hall.m_ptSquare = CPoint{7, 7};
    hall.m_info.m_crLabelText = 0x0000FFu;
    doc.SetRoom(hall);
    CRoomSheet sheet;
    sheet.Init(doc, 1);
    std::string title, label, colorBox, backBox, textBox, tab0, tab1, tab2;
    HWND focus = nullptr, titleEdit = nullptr;
    COLORREF textBrush = 0;
    CDialogDriver driver({[&](HWND h) {
                              HWND page = sheet.m_pageGeneral.m_hWnd;
                              title = ItemText(page, IDC_ROOM_TITLE);
                              label = ItemText(page, IDC_ROOM_LABEL);
                              colorBox = ItemText(page, IDC_ROOM_COLOR);
                              backBox = ItemText(page, IDC_LABEL_BACK_COLOR);
                              textBox = ItemText(page, IDC_LABEL_TEXT_COLOR);
                              HDC dc = ::GetDC(page);
                              textBrush = BrushColor(reinterpret_cast<HBRUSH>(::SendMessageA(
                                  page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                  reinterpret_cast<LPARAM>(::GetDlgItem(page, IDC_LABEL_TEXT_COLOR)))));
                              ::ReleaseDC(page, dc);
                              HWND tabs = reinterpret_cast<HWND>(::SendMessageA(h, PSM_GETTABCONTROL, 0, 0));
                              char buf[64];
                              TCITEMA item{};
                              item.mask = TCIF_TEXT;
                              item.pszText = buf;
                              item.cchTextMax = sizeof buf;
                              std::string* names[3] = {&tab0, &tab1, &tab2};
                              for (int i = 0; i < 3; ++i) {
                                  buf[0] = 0;
                                  ::SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
                                  *names[i] = buf;
                              }
                          },
                          [&](HWND h) {
                              HWND page = sheet.m_pageGeneral.m_hWnd;
                              focus = ::GetFocus();
                              titleEdit = ::GetDlgItem(page, IDC_ROOM_TITLE);
                              ::SetDlgItemTextA(page, IDC_ROOM_TITLE, "Great hall");
                              ::SetDlgItemTextA(page, IDC_ROOM_LABEL, "Entrance");
                              Click(h, IDOK);
                          }});
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(driver.InitialCaption(), "Room properties");
    EXPECT_EQ(title, "Hall");
    EXPECT_EQ(label, "");
    EXPECT_EQ(colorBox, "Transparent");
    EXPECT_EQ(backBox, "Transparent");
    EXPECT_EQ(textBox, "");
    EXPECT_EQ(textBrush, 0x0000FFu);
    EXPECT_EQ(tab0, "General");
    EXPECT_EQ(tab1, "Links");
    EXPECT_EQ(tab2, "Comments");
    EXPECT_EQ(focus, titleEdit);
    const CRoom r = doc.GetRoom(1);
    EXPECT_EQ(r.m_info.m_strTitle, "Great hall");
    EXPECT_EQ(r.m_info.m_strLabel, "Entrance");
    EXPECT_EQ(r.m_info.m_ptLabel, (CPoint{57, -43}));
    EXPECT_EQ(r.m_crColor, kColorNone);
    EXPECT_EQ(r.m_links[DIR_N], doc.north);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(RoomSheet, CancelStoresNothingFromTheGeneralPage)
{
    CRoomSheet sheet;
    sheet.Init(doc, 1);
    CDialogDriver driver({[&](HWND h) {
        ::SetDlgItemTextA(sheet.m_pageGeneral.m_hWnd, IDC_ROOM_TITLE, "Changed");
        ::SendMessageA(sheet.m_pageGeneral.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_ROOM_TRANSPARENT, BN_CLICKED), 0);
        Click(h, IDCANCEL);
    }});
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(doc.GetRoom(1).m_info.m_strTitle, "Hall");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(RoomSheet, AColourBoxOpensThePaletteAndTakesItsColour)
{
    CRoomSheet sheet;
    sheet.Init(doc, 1);
    std::string boxAfter, backAfter;
    bool paletteSeen = false;
    COLORREF boxBrush = 0;
    CDialogDriver driver({[&](HWND h) {
                              HWND box = ::GetDlgItem(sheet.m_pageGeneral.m_hWnd, IDC_ROOM_COLOR);
                              dlgtest::PostClick(box, 5, 5);  // the static notifies its page
                          },
                          [&](HWND h) {
                              HWND palette = dlgtest::FindThreadWindow("Palette");
                              paletteSeen = palette != nullptr;
                              if (palette)  // the sixth swatch, magenta
                                  dlgtest::PostDoubleClick(::GetDlgItem(palette, IDC_PALETTE_GRID), dlgtest::Px(110),
                                                           dlgtest::Px(10));
                          },
                          [&](HWND h) {
                              HWND page = sheet.m_pageGeneral.m_hWnd;
                              boxAfter = ItemText(page, IDC_ROOM_COLOR);
                              HDC dc = ::GetDC(page);
                              boxBrush = BrushColor(reinterpret_cast<HBRUSH>(
                                  ::SendMessageA(page, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(::GetDlgItem(page, IDC_ROOM_COLOR)))));
                              ::ReleaseDC(page, dc);
                              // The label background: the palette's OK button this time.
                              dlgtest::PostClick(::GetDlgItem(page, IDC_LABEL_BACK_COLOR), 5, 5);
                          },
                          [&](HWND h) {
                              HWND palette = dlgtest::FindThreadWindow("Palette");
                              if (palette) {
                                  dlgtest::SendClick(::GetDlgItem(palette, IDC_PALETTE_GRID), dlgtest::Px(10),
                                                     dlgtest::Px(10));  // red
                                  ::PostMessageA(palette, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                              }
                          },
                          [&](HWND h) {
                              backAfter = ItemText(sheet.m_pageGeneral.m_hWnd, IDC_LABEL_BACK_COLOR);
                              Click(h, IDOK);
                          }});
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_TRUE(paletteSeen);
    EXPECT_EQ(boxAfter, "");
    EXPECT_EQ(backAfter, "");
    EXPECT_EQ(boxBrush, 0xFF00FFu);
    const CRoom r = doc.GetRoom(1);
    EXPECT_EQ(r.m_crColor, 0xFF00FFu);
    EXPECT_EQ(r.m_info.m_crLabelBack, 0x0000FFu);
    // The double click wrote no palette; the OK button did.
    std::vector<ColorRef> file;
    EXPECT_TRUE(LoadPaletteFile(DefaultPalettePath(), file));
    EXPECT_EQ(file, DefaultPaletteColors());
}

TEST_F(RoomSheet, CancelInThePaletteChangesNoColour)
{
    CRoom hall = doc.GetRoom(1);
    hall.m_info.m_crLabelText = 0x00FF00u;
    doc.SetRoom(hall);
    CRoomSheet sheet;
    sheet.Init(doc, 1);
    bool paletteSeen = false;
    CDialogDriver driver({[&](HWND h) {
                              dlgtest::PostClick(::GetDlgItem(sheet.m_pageGeneral.m_hWnd, IDC_LABEL_TEXT_COLOR), 5, 5);
                          },
                          [&](HWND h) {
                              HWND palette = dlgtest::FindThreadWindow("Palette");
                              paletteSeen = palette != nullptr;
                              if (palette) {
                                  dlgtest::SendClick(::GetDlgItem(palette, IDC_PALETTE_GRID), dlgtest::Px(10), dlgtest::Px(10));
                                  ::PostMessageA(palette, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                              }
                          },
                          [&](HWND h) { Click(h, IDOK); }});
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_TRUE(paletteSeen);
    EXPECT_EQ(doc.GetRoom(1).m_info.m_crLabelText, 0x00FF00u);
    EXPECT_EQ(::GetFileAttributesA(DefaultPalettePath().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(RoomSheet, TransparentButtons)
{
    CRoom hall = doc.GetRoom(1);
    hall.m_crColor = 0x123456u;
    hall.m_info.m_crLabelBack = 0x654321u;
    hall.m_info.m_strLabel = "Sign";
    doc.SetRoom(hall);
    CRoomSheet sheet;
    sheet.Init(doc, 1);
    std::string before, after, backAfter;
    CDialogDriver driver({[&](HWND h) {
        HWND page = sheet.m_pageGeneral.m_hWnd;
        before = ItemText(page, IDC_ROOM_COLOR);
        Click(page, IDC_ROOM_TRANSPARENT);
        Click(page, IDC_LABEL_TRANSPARENT);
        after = ItemText(page, IDC_ROOM_COLOR);
        backAfter = ItemText(page, IDC_LABEL_BACK_COLOR);
        Click(h, IDOK);
    }});
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(before, "");
    EXPECT_EQ(after, "Transparent");
    EXPECT_EQ(backAfter, "Transparent");
    const CRoom r = doc.GetRoom(1);
    EXPECT_EQ(r.m_crColor, kColorNone);
    EXPECT_EQ(r.m_info.m_crLabelBack, kColorNone);
    EXPECT_EQ(r.m_info.m_ptLabel, (CPoint{}));  // a label that existed stays where it was
}

TEST_F(RoomSheet, LinksPageShowsAndDeletesALink)
{
    CRoomSheet sheet;
    sheet.Init(doc, 1);
    std::string hint, shownTitle, shownDir, question, titleAfter, dirAfter, hintAfter;
    bool enabledBefore = true, enabledShown = false, enabledAfter = true, answeredNo = false, answeredYes = false;
    bool northAfterNo = false;
    HWND page = nullptr;
    CDialogDriver driver({[&](HWND h) { ShowPage(h, 1); },
                          [&](HWND h) {
                              page = sheet.m_pageLinks.m_hWnd;
                              hint = ItemText(page, IDC_LINKS_HINT);
                              enabledBefore = Enabled(page, IDC_LINKS_DELETE) || Enabled(page, IDC_LINKS_PROPERTIES);
                              const POINT p = dlgtest::RoseCellPoint(DIR_N);
                              dlgtest::SendClick(sheet.m_pageLinks.m_rose.m_hWnd, p.x, p.y);
                              shownTitle = ItemText(page, IDC_LINKS_TITLE);
                              shownDir = ItemText(page, IDC_LINKS_DIRECTION);
                              enabledShown = Enabled(page, IDC_LINKS_DELETE) && Enabled(page, IDC_LINKS_PROPERTIES);
                              PostButton(page, IDC_LINKS_DELETE);
                          },
                          [&](HWND h) { answeredNo = dlgtest::Answer("VorMapper", IDNO, &question); },
                          [&](HWND h) {
                              northAfterNo = doc.GetRoom(1).m_links[DIR_N] == doc.north;
                              PostButton(page, IDC_LINKS_DELETE);
                          },
                          [&](HWND h) { answeredYes = dlgtest::Answer("VorMapper", IDYES); },
                          [&](HWND h) {
                              titleAfter = ItemText(page, IDC_LINKS_TITLE);
                              dirAfter = ItemText(page, IDC_LINKS_DIRECTION);
                              hintAfter = ItemText(page, IDC_LINKS_HINT);
                              enabledAfter = Enabled(page, IDC_LINKS_DELETE) || Enabled(page, IDC_LINKS_PROPERTIES);
                              Click(h, IDCANCEL);
                          }});
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_FALSE(driver.TimedOut());
    EXPECT_EQ(hint, "Select a link direction to see properties");
    EXPECT_FALSE(enabledBefore);
    EXPECT_EQ(shownTitle, "Title: Kitchen");
    EXPECT_EQ(shownDir, "Direction: south");
    EXPECT_TRUE(enabledShown);
    EXPECT_TRUE(answeredNo);
    EXPECT_EQ(question, "Delete the selected link?");
    EXPECT_TRUE(northAfterNo);
    EXPECT_TRUE(answeredYes);
    EXPECT_EQ(titleAfter, "Title:");
    EXPECT_EQ(dirAfter, "Direction:");
    EXPECT_EQ(hintAfter, hint);
    EXPECT_FALSE(enabledAfter);
    EXPECT_EQ(sheet.m_pageLinks.m_rose.GetSelected(), DIR_NONE);
    EXPECT_TRUE(sheet.m_pageLinks.m_rose.IsHidden(DIR_N));
    // The deletion stays although the sheet was cancelled, and is not lost on close.
    CLink gone;
    EXPECT_FALSE(doc.LookupLink(doc.north, gone));
    EXPECT_EQ(doc.GetRoom(doc.kitchen).m_links[DIR_S], 0u);
    EXPECT_TRUE(sheet.LinksChanged());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(RoomSheet, PropertiesMovesTheLinkAndTheRoseFollows)
{
    CRoomSheet sheet;
    sheet.Init(doc, 1);
    bool linkDialogSeen = false;
    std::string title, dir;
    CDialogDriver driver({[&](HWND h) { ShowPage(h, 1); },
                          [&](HWND h) {
                              const POINT p = dlgtest::RoseCellPoint(DIR_W);
                              dlgtest::SendClick(sheet.m_pageLinks.m_rose.m_hWnd, p.x, p.y);
                              PostButton(sheet.m_pageLinks.m_hWnd, IDC_LINKS_PROPERTIES);
                          },
                          [&](HWND h) {
                              HWND link = dlgtest::FindThreadWindow("Link properties");
                              linkDialogSeen = link != nullptr;
                              if (!link)
                                  return;
                              const std::vector<HWND> roses = Roses(link);
                              if (roses.size() == 2) {
                                  const POINT sw = dlgtest::RoseCellPoint(DIR_SW), ne = dlgtest::RoseCellPoint(DIR_NE);
                                  dlgtest::SendClick(roses[0], sw.x, sw.y);
                                  dlgtest::SendClick(roses[1], ne.x, ne.y);
                              }
                              Click(link, IDOK);
                          },
                          [&](HWND h) {
                              title = ItemText(sheet.m_pageLinks.m_hWnd, IDC_LINKS_TITLE);
                              dir = ItemText(sheet.m_pageLinks.m_hWnd, IDC_LINKS_DIRECTION);
                              Click(h, IDCANCEL);
                          }});
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_TRUE(linkDialogSeen);
    EXPECT_EQ(sheet.m_pageLinks.m_rose.GetSelected(), DIR_SW);
    EXPECT_FALSE(sheet.m_pageLinks.m_rose.IsHidden(DIR_SW));
    EXPECT_TRUE(sheet.m_pageLinks.m_rose.IsHidden(DIR_W));
    EXPECT_EQ(title, "Title: Cellar");
    EXPECT_EQ(dir, "Direction: north-east");
    const CRoom hall = doc.GetRoom(1);
    EXPECT_EQ(hall.m_links[DIR_W], 0u);
    EXPECT_EQ(hall.m_links[DIR_SW], doc.west);
    EXPECT_EQ(doc.GetRoom(doc.cellar).m_links[DIR_NE], doc.west);
    EXPECT_EQ(doc.GetRoom(doc.cellar).m_links[DIR_E], 0u);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(RoomSheet, AGeneralOkAfterALinkDeleteKeepsTheDelete)
{
    CRoomSheet sheet;
    sheet.Init(doc, 1);
    CDialogDriver driver({[&](HWND h) {
                              ::SetDlgItemTextA(sheet.m_pageGeneral.m_hWnd, IDC_ROOM_TITLE, "Renamed");
                              ShowPage(h, 1);
                          },
                          [&](HWND h) {
                              const POINT p = dlgtest::RoseCellPoint(DIR_W);
                              dlgtest::SendClick(sheet.m_pageLinks.m_rose.m_hWnd, p.x, p.y);
                              PostButton(sheet.m_pageLinks.m_hWnd, IDC_LINKS_DELETE);
                          },
                          [&](HWND h) { dlgtest::Answer("VorMapper", IDYES); },
                          [&](HWND h) { Click(h, IDOK); }});
    EXPECT_EQ(sheet.DoModal(), IDOK);
    const CRoom hall = doc.GetRoom(1);
    EXPECT_EQ(hall.m_info.m_strTitle, "Renamed");
    EXPECT_EQ(hall.m_links[DIR_W], 0u);
    EXPECT_EQ(hall.m_links[DIR_N], doc.north);
}

TEST_F(RoomSheet, ARoomWithoutLinksAndTheCommentsPage)
{
    const RoomId lone = AddRoomAt(doc, 9, 9, 0, "Lone");
    CRoom room = doc.GetRoom(lone);
    room.m_info.m_strComments = "kept";
    doc.SetRoom(room);
    CRoomSheet sheet;
    sheet.Init(doc, lone);
    std::string hint, comments;
    int shown = 0;
    CDialogDriver driver({[&](HWND h) { ShowPage(h, 1); },
                          [&](HWND h) {
                              hint = ItemText(sheet.m_pageLinks.m_hWnd, IDC_LINKS_HINT);
                              for (Direction d = 0; d < kDirCount; ++d) {
                                  shown += !sheet.m_pageLinks.m_rose.IsHidden(d);
                                  const POINT p = dlgtest::RoseCellPoint(d);
                                  dlgtest::SendClick(sheet.m_pageLinks.m_rose.m_hWnd, p.x, p.y);
                              }
                              ShowPage(h, 2);
                          },
                          [&](HWND h) {
                              comments = ItemText(sheet.m_pageComments.m_hWnd, IDC_COMMENTS_TEXT);
                              ::SetDlgItemTextA(sheet.m_pageComments.m_hWnd, IDC_COMMENTS_TEXT, "typed");
                              Click(h, IDOK);
                          }});
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(hint, "No links");
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(sheet.m_pageLinks.m_rose.GetSelected(), DIR_NONE);
    EXPECT_EQ(comments, "kept");
    EXPECT_EQ(doc.GetRoom(lone).m_info.m_strComments, "typed");
    EXPECT_TRUE(doc.IsModified());

    // Each opening shows the stored comments; Cancel drops what was typed.
    doc.SetModifiedFlag(false);
    for (int button : {IDCANCEL, IDOK}) {
        CRoomSheet again;
        again.Init(doc, lone);
        std::string seen;
        CDialogDriver second({[&](HWND h) { ShowPage(h, 2); },
                              [&](HWND h) {
                                  seen = ItemText(again.m_pageComments.m_hWnd, IDC_COMMENTS_TEXT);
                                  if (button == IDCANCEL)
                                      ::SetDlgItemTextA(again.m_pageComments.m_hWnd, IDC_COMMENTS_TEXT, "dropped");
                                  Click(h, button);
                              }});
        EXPECT_EQ(again.DoModal(), button);
        EXPECT_EQ(seen, "typed");
        EXPECT_EQ(doc.GetRoom(lone).m_info.m_strComments, "typed");
    }
}

TEST_F(RoomSheet, ViewDialogsOpenOnlyWhatExists)
{
    CViewDialogsWin dialogs(doc);
    EXPECT_FALSE(dialogs.OpenRoomSheet(400));  // returns at once: no sheet to drive
    EXPECT_FALSE(dialogs.OpenLinkDialog(400));
    {
        CDialogDriver driver({[&](HWND h) { Click(h, IDOK); }});
        EXPECT_TRUE(dialogs.OpenRoomSheet(1));
        EXPECT_EQ(driver.InitialCaption(), "Room properties");
    }
    doc.SetModifiedFlag(false);
    {
        CDialogDriver driver({[&](HWND h) { Click(h, IDOK); }});
        EXPECT_TRUE(dialogs.OpenLinkDialog(doc.north));
        EXPECT_EQ(driver.InitialCaption(), "Link properties");
        EXPECT_TRUE(doc.IsModified());
    }
    {
        ColorRef chosen = 0;
        CDialogDriver driver({[&](HWND h) { Click(h, IDOK); }});
        EXPECT_TRUE(dialogs.ChooseColor(0x00ABCDEFu, chosen));
        EXPECT_EQ(chosen, 0x00ABCDEFu);
    }
    {
        // An empty palette and no colour to start from: nothing is chosen.
        std::FILE* f = std::fopen(DefaultPalettePath().c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite("\x01\x00\x00\x00\x00", 1, 5, f);
        std::fclose(f);
        ColorRef chosen = 5;
        CDialogDriver driver({[&](HWND h) { Click(h, IDOK); }});
        EXPECT_FALSE(dialogs.ChooseColor(kColorNone, chosen));
        EXPECT_EQ(chosen, 5u);
    }
    {
        std::string text = "Hall";
        CDialogDriver driver({[&](HWND h) {
            ::SetDlgItemTextA(h, IDC_TEXT_EDIT, "Big hall");
            Click(h, IDOK);
        }});
        EXPECT_TRUE(dialogs.AskLabel(text));
        EXPECT_EQ(driver.InitialCaption(), "Label");
        EXPECT_EQ(text, "Big hall");
    }
}

TEST_F(RoomSheet, ViewDialogsRedrawTheViewsAfterALinkChangeAndCancel)
{
    CHintRecorder views(doc);
    CViewDialogsWin dialogs(doc);
    CDialogDriver driver({[&](HWND h) { ShowPage(h, 1); },
                          [&](HWND h) {
                              HWND page = reinterpret_cast<HWND>(::SendMessageA(h, PSM_GETCURRENTPAGEHWND, 0, 0));
                              const std::vector<HWND> roses = Roses(page);
                              if (roses.size() == 1) {
                                  const POINT p = dlgtest::RoseCellPoint(DIR_N);
                                  dlgtest::SendClick(roses[0], p.x, p.y);
                              }
                              PostButton(page, IDC_LINKS_DELETE);
                          },
                          [&](HWND h) { dlgtest::Answer("VorMapper", IDYES); },
                          [&](HWND h) { Click(h, IDCANCEL); }});
    EXPECT_FALSE(dialogs.OpenRoomSheet(1));
    EXPECT_EQ(doc.GetRoom(1).m_links[DIR_N], 0u);
    EXPECT_EQ(views.hints, (std::vector<long>{HINT_REDRAW}));
}

TEST_F(RoomSheet, PicturesOfTheDialogs)
{
    // Kept beside the test (room_links.bmp, link_dialog.bmp, palette.bmp) to be looked at.
    CRoom hall = doc.GetRoom(1);
    hall.m_crColor = 0x00C0FFu;
    doc.SetRoom(hall);
    CRoomSheet sheet;
    sheet.Init(doc, 1);
    bool links = false, link = false, palette = false;
    // What crosses what, on each page and dialog as the dialog font laid it out.
    std::vector<std::string> faults;
    auto look = [&](HWND w, const char* what) {
        for (const std::string& f : dlgtest::LayoutFaults(w))
            faults.push_back(std::string(what) + ": " + f);
    };
    COLORREF roseGround = 0, pageGround = 1;
    int gridRight = 0, cancelRight = -1, gridBottom = 0, buttonsTop = -1, clientRight = 0;
    CDialogDriver driver({[&](HWND h) {
                              dlgtest::SaveWindowPicture(h, "room_general.bmp");
                              look(sheet.m_pageGeneral.m_hWnd, "general page");
                          },
                          [&](HWND h) {
                              ShowPage(h, 1);
                              const POINT p = dlgtest::RoseCellPoint(DIR_N);
                              dlgtest::SendClick(sheet.m_pageLinks.m_rose.m_hWnd, p.x, p.y);
                          },
                          [&](HWND h) {
                              ::UpdateWindow(h);
                              links = dlgtest::SaveWindowPicture(h, "room_links.bmp");
                              look(sheet.m_pageLinks.m_hWnd, "links page");
                              // The empty cell right of east shows the page's own ground.
                              HWND page = sheet.m_pageLinks.m_hWnd;
                              RECT pc;
                              ::GetClientRect(page, &pc);
                              const int c = sheet.m_pageLinks.m_rose.Cell();
                              roseGround = dlgtest::ScreenPixel(sheet.m_pageLinks.m_rose.m_hWnd, 3 * c + c / 2,
                                                                c + c / 2);
                              pageGround = dlgtest::ScreenPixel(page, pc.right - 4, pc.bottom - 4);
                              PostButton(sheet.m_pageLinks.m_hWnd, IDC_LINKS_PROPERTIES);
                          },
                          [&](HWND h) {},
                          [&](HWND h) {
                              if (HWND d = dlgtest::FindThreadWindow("Link properties")) {
                                  ::UpdateWindow(d);
                                  link = dlgtest::SaveWindowPicture(d, "link_dialog.bmp");
                                  look(d, "link dialog");
                                  ::PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                              }
                          },
                          [&](HWND h) {
                              ShowPage(h, 0);
                              dlgtest::PostClick(::GetDlgItem(sheet.m_pageGeneral.m_hWnd, IDC_ROOM_COLOR), 5, 5);
                          },
                          [&](HWND h) {},
                          [&](HWND h) {
                              if (HWND d = dlgtest::FindThreadWindow("Palette")) {
                                  ::UpdateWindow(d);
                                  palette = dlgtest::SaveWindowPicture(d, "palette.bmp");
                                  look(d, "palette");
                                  RECT g, c, cl;
                                  ::GetWindowRect(::GetDlgItem(d, IDC_PALETTE_GRID), &g);
                                  ::GetWindowRect(::GetDlgItem(d, IDCANCEL), &c);
                                  ::MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&g), 2);
                                  ::MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&c), 2);
                                  ::GetClientRect(d, &cl);
                                  gridRight = g.right;
                                  cancelRight = c.right;
                                  gridBottom = g.bottom;
                                  buttonsTop = c.top;
                                  clientRight = cl.right;
                                  ::PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                              }
                          },
                          [&](HWND h) { Click(h, IDCANCEL); }});
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_TRUE(links);
    EXPECT_TRUE(link);
    EXPECT_TRUE(palette);
    EXPECT_EQ(faults, std::vector<std::string>{});
    EXPECT_EQ(roseGround, pageGround);
    // The button row under the grid, lined up with its right edge, and the
    // dialog's margin the same on both sides.
    EXPECT_EQ(cancelRight, gridRight);
    EXPECT_GT(buttonsTop, gridBottom);
    EXPECT_EQ(clientRight - gridRight, dlgtest::Px(4));
}
