// The link properties dialog run modally over a real map, driven with clicks
// on its roses and its buttons.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <utility>

#include "framework/win/tests/dialog_driver.h"
#include "mapper/dialogs/dialog_layout_win.h"
#include "mapper/dialogs/link_dialog_win.h"
#include "mapper/dialogs/tests/dialog_test_support.h"
#include "mapper/dialogs/tests/win_test_support.h"
#include "mapper/res/resource.h"

using vfw::test::CDialogDriver;
using vfw::test::Click;
using vfw::test::ItemText;

namespace {
void ClickRose(CWindRose& rose, Direction d)
{
    const POINT p = dlgtest::RoseCellPoint(d);
    dlgtest::SendClick(rose.m_hWnd, p.x, p.y);
}

SIZE SizeOf(HWND w)
{
    RECT rc;
    ::GetWindowRect(w, &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

POINT PositionIn(HWND child, HWND parent)
{
    RECT rc;
    ::GetWindowRect(child, &rc);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return {rc.left, rc.top};
}
}  // namespace

TEST(LinkDialog, OpensOnBothEndsOfTheLink)
{
    CHallMap doc;
    CLinkPropertiesDialog dlg;
    ASSERT_TRUE(dlg.Init(doc, doc.north));
    std::string from, to;
    POINT fromAt{}, toAt{};
    SIZE fromSize{}, toSize{};
    RECT fromBox{}, toBox{};
    bool westHidden = false, eastShown = false, southShownOnTo = false;
    CDialogDriver driver({[&](HWND h) {
        from = ItemText(h, IDC_LINK_FROM_ROOM);
        to = ItemText(h, IDC_LINK_TO_ROOM);
        fromAt = PositionIn(dlg.m_roseFrom.m_hWnd, h);
        toAt = PositionIn(dlg.m_roseTo.m_hWnd, h);
        fromSize = SizeOf(dlg.m_roseFrom.m_hWnd);
        toSize = SizeOf(dlg.m_roseTo.m_hWnd);
        fromBox = GroupBoxRect(h, "From");
        toBox = GroupBoxRect(h, "To");
        westHidden = dlg.m_roseFrom.IsHidden(DIR_W);
        eastShown = !dlg.m_roseFrom.IsHidden(DIR_E);
        southShownOnTo = !dlg.m_roseTo.IsHidden(DIR_S);
        Click(h, IDCANCEL);
    }});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(driver.InitialCaption(), "Link properties");
    EXPECT_EQ(from, "From room: Hall");
    EXPECT_EQ(to, "To room: Kitchen");
    EXPECT_EQ(dlg.m_roseFrom.GetSelected(), DIR_N);
    EXPECT_EQ(dlg.m_roseTo.GetSelected(), DIR_S);
    EXPECT_TRUE(westHidden);  // the Cellar link
    EXPECT_TRUE(eastShown);
    EXPECT_TRUE(southShownOnTo);
    // Each rose, of the screen's resolution (1.5 times 120 x 90 at 144 dpi),
    // inside its group box, centred across it, below its caption.
    const int w = dlgtest::Px(kRoseWidth), h = dlgtest::Px(kRoseHeight);
    for (const auto& [at, box] : {std::pair{fromAt, fromBox}, std::pair{toAt, toBox}}) {
        EXPECT_GE(at.x, box.left);
        EXPECT_LE(at.x + w, box.right);
        EXPECT_LE(at.y + h, box.bottom);
        EXPECT_LE(std::abs((at.x - box.left) - (box.right - at.x - w)), 1);
        EXPECT_EQ(at.y, dlgtest::Px(15));
    }
    for (const SIZE& size : {fromSize, toSize}) {
        EXPECT_EQ(size.cx, w);
        EXPECT_EQ(size.cy, h);
    }
}

TEST(LinkDialog, AChangeOfResolutionPlacesTheRosesAgain)
{
    // The system tells a dialog of its new resolution after rescaling its
    // template; the roses, made at run time, follow once it has.
    CHallMap doc;
    CLinkPropertiesDialog dlg;
    ASSERT_TRUE(dlg.Init(doc, doc.north));
    POINT before{}, moved{}, after{};
    SIZE size{};
    CDialogDriver driver({[&](HWND h) {
                              before = PositionIn(dlg.m_roseTo.m_hWnd, h);
                              ::SetWindowPos(dlg.m_roseTo.m_hWnd, nullptr, 0, 0, 10, 10, SWP_NOZORDER | SWP_NOACTIVATE);
                              ::SendMessageA(h, WM_DPICHANGED_AFTERPARENT, 0, 0);
                              moved = PositionIn(dlg.m_roseTo.m_hWnd, h);
                          },
                          [&](HWND h) {
                              after = PositionIn(dlg.m_roseTo.m_hWnd, h);
                              size = SizeOf(dlg.m_roseTo.m_hWnd);
                              Click(h, IDCANCEL);
                          }});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(moved.x, 0);  // not at once: after the system's own part
    EXPECT_EQ(after.x, before.x);
    EXPECT_EQ(after.y, before.y);
    EXPECT_EQ(size.cx, dlgtest::Px(kRoseWidth));
    EXPECT_EQ(size.cy, dlgtest::Px(kRoseHeight));
}

TEST(LinkDialog, ANewStartIsStoredByOkAndNothingByCancel)
{
    CHallMap doc;
    {
        CLinkPropertiesDialog dlg;
        ASSERT_TRUE(dlg.Init(doc, doc.north));
        CDialogDriver driver({[&](HWND h) {
            ClickRose(dlg.m_roseFrom, DIR_E);
            Click(h, IDCANCEL);
        }});
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(doc.GetRoom(1).m_links[DIR_N], doc.north);
        EXPECT_EQ(doc.GetRoom(1).m_links[DIR_E], 0u);
    }
    CLinkPropertiesDialog dlg;
    ASSERT_TRUE(dlg.Init(doc, doc.north));
    CDialogDriver driver({[&](HWND h) {
        ClickRose(dlg.m_roseFrom, DIR_W);  // hidden: taken by the Cellar link
        ClickRose(dlg.m_roseFrom, DIR_E);
        Click(h, IDOK);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const CRoom hall = doc.GetRoom(1);
    EXPECT_EQ(hall.m_links[DIR_N], 0u);
    EXPECT_EQ(hall.m_links[DIR_E], doc.north);
    EXPECT_EQ(hall.m_links[DIR_W], doc.west);
    EXPECT_EQ(doc.GetRoom(doc.kitchen).m_links[DIR_S], doc.north);
    EXPECT_EQ(doc.GetLink(doc.north).m_nFromDir, DIR_E);
    EXPECT_FALSE(doc.IsModified());
}

TEST(LinkDialog, OkWithoutBothDirectionsIsRefusedUntilBothAreChosen)
{
    CHallMap doc;
    CLink fresh;
    fresh.m_nFromRoom = doc.kitchen;
    fresh.m_nToRoom = doc.cellar;
    fresh.m_nFromDir = DIR_NONE;
    fresh.m_nToDir = DIR_NONE;
    const LinkId id = doc.AddLink(fresh);
    CLinkPropertiesDialog dlg;
    ASSERT_TRUE(dlg.Init(doc, id));
    std::string first, second;
    bool answered1 = false, answered2 = false, stillOpen = false;
    Direction openedFrom = 99;
    CDialogDriver driver({[&](HWND h) {
                              openedFrom = dlg.m_roseFrom.GetSelected();
                              ::PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                          },
                          [&](HWND h) { answered1 = dlgtest::Answer("VorMapper", IDOK, &first); },
                          [&](HWND h) {
                              ClickRose(dlg.m_roseFrom, DIR_E);
                              ::PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                          },
                          [&](HWND h) { answered2 = dlgtest::Answer("VorMapper", IDOK, &second); },
                          [&](HWND h) {
                              stillOpen = ::IsWindowVisible(h) != FALSE;
                              ClickRose(dlg.m_roseTo, DIR_W);
                              Click(h, IDOK);
                          }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(openedFrom, DIR_NONE);
    EXPECT_TRUE(answered1);
    EXPECT_TRUE(answered2);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(first, "You've to choose the starting and ending point of the link before confirm the creation");
    EXPECT_EQ(second, first);
    EXPECT_EQ(doc.GetRoom(doc.kitchen).m_links[DIR_E], id);
    EXPECT_EQ(doc.GetRoom(doc.cellar).m_links[DIR_W], id);
}

TEST(LinkDialog, ALinkFromARoomToItself)
{
    CHallMap doc;
    const LinkId loop = Join(doc, doc.kitchen, DIR_E, doc.kitchen, DIR_W);
    CLinkPropertiesDialog dlg;
    ASSERT_TRUE(dlg.Init(doc, loop));
    std::string from, to;
    bool sameHidden = true;
    CDialogDriver driver({[&](HWND h) {
        from = ItemText(h, IDC_LINK_FROM_ROOM);
        to = ItemText(h, IDC_LINK_TO_ROOM);
        // South (the Hall link) is hidden on both; each rose shows its own end.
        sameHidden = dlg.m_roseFrom.IsHidden(DIR_S) && dlg.m_roseTo.IsHidden(DIR_S);
        ClickRose(dlg.m_roseFrom, DIR_W);  // the other end's slot: hidden here
        ClickRose(dlg.m_roseFrom, DIR_U);
        ClickRose(dlg.m_roseTo, DIR_D);
        Click(h, IDOK);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(from, "From room: Kitchen");
    EXPECT_EQ(to, "To room: Kitchen");
    EXPECT_TRUE(sameHidden);
    const CRoom k = doc.GetRoom(doc.kitchen);
    EXPECT_EQ(k.m_links[DIR_U], loop);
    EXPECT_EQ(k.m_links[DIR_D], loop);
    EXPECT_EQ(k.m_links[DIR_E], 0u);
    EXPECT_EQ(k.m_links[DIR_W], 0u);
    EXPECT_EQ(k.m_links[DIR_S], doc.north);
}

TEST(LinkDialog, ALinkWhoseRoomsAreGone)
{
    CHallMap doc;
    CLink orphan;
    orphan.m_nFromRoom = 70;
    orphan.m_nToRoom = 71;
    orphan.m_nFromDir = DIR_NONE;
    orphan.m_nToDir = DIR_NONE;
    const LinkId id = doc.AddLink(orphan);
    CLinkPropertiesDialog dlg;
    ASSERT_TRUE(dlg.Init(doc, id));
    std::string from;
    CDialogDriver driver({[&](HWND h) {
        from = ItemText(h, IDC_LINK_FROM_ROOM);
        ClickRose(dlg.m_roseFrom, DIR_N);
        ClickRose(dlg.m_roseTo, DIR_S);
        Click(h, IDOK);
    }});
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(from, "From room: ");
    EXPECT_EQ(doc.GetRooms().size(), 3u);
    EXPECT_EQ(doc.GetLink(id).m_nFromDir, DIR_N);
}

TEST(LinkDialog, ALinkThatIsGoneEndsWithCancel)
{
    CHallMap doc;
    CLinkPropertiesDialog dlg;
    EXPECT_FALSE(dlg.Init(doc, 500));
    CDialogDriver driver({[&](HWND h) {
        ClickRose(dlg.m_roseFrom, DIR_N);
        ClickRose(dlg.m_roseTo, DIR_S);
        Click(h, IDOK);
    }});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(doc.GetLinks().size(), 2u);
    CLink none;
    EXPECT_FALSE(doc.LookupLink(kIdUnassigned, none));
}

TEST(LinkDialog, ARoomWithAllTenSlotsTakenOffersNoDirection)
{
    CHallMap doc;
    for (Direction d = 0; d < kDirCount; ++d)
        if (doc.GetRoom(1).m_links[d] == 0)
            Join(doc, 1, d, AddRoomAt(doc, 5 + d, 5), Opposite(d));
    CLink fresh;
    fresh.m_nFromRoom = 1;
    fresh.m_nToRoom = doc.cellar;
    fresh.m_nFromDir = DIR_NONE;
    fresh.m_nToDir = DIR_NONE;
    const LinkId id = doc.AddLink(fresh);
    const CRoom before = doc.GetRoom(1);
    CLinkPropertiesDialog dlg;
    ASSERT_TRUE(dlg.Init(doc, id));
    bool refused = false;
    CDialogDriver driver({[&](HWND h) {
                              for (Direction d = 0; d < kDirCount; ++d)
                                  ClickRose(dlg.m_roseFrom, d);
                              ClickRose(dlg.m_roseTo, DIR_N);
                              ::PostMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                          },
                          [&](HWND h) { refused = dlgtest::Answer("VorMapper", IDOK); },
                          [&](HWND h) { Click(h, IDCANCEL); }});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(refused);
    EXPECT_EQ(dlg.m_roseFrom.GetSelected(), DIR_NONE);
    EXPECT_EQ(doc.GetRoom(1).m_links, before.m_links);
    EXPECT_EQ(doc.GetRoom(doc.cellar).m_links[DIR_N], 0u);
}
