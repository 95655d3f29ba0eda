// The map view's pointer and key handling against its state table.
#include "mapper/view/tests/interaction_test_support.h"

#include "mapper/model/tests/test_support.h"
#include "mapper/resource_ids.h"

TEST(MapSelection, IdsBeyondTheFlagsAreNotSelectedAndFocusOnlyMovesWithoutSelect)
{
    CMapSelection sel;
    EXPECT_FALSE(sel.IsRoomSelected(0));
    EXPECT_FALSE(sel.IsRoomSelected(0xFFFFFFFFu));
    sel.SelectRoom(3, true);
    EXPECT_TRUE(sel.IsRoomSelected(3));
    EXPECT_FALSE(sel.IsRoomSelected(4));
    EXPECT_FALSE(sel.IsRoomSelected(1000000));
    sel.AddRoomToSelection(7);
    sel.AddRoomToSelection(7);  // once only
    EXPECT_EQ(sel.Rooms(), (std::vector<RoomId>{3, 7}));
    EXPECT_EQ(sel.GetFocusRoom(), 3u);
    sel.SelectRoom(7, false);
    EXPECT_EQ(sel.GetRoomCount(), 2u);
    EXPECT_EQ(sel.GetFocusRoom(), 7u);
    sel.SelectLink(5, false);
    EXPECT_EQ(sel.GetFocusLink(), 5u);
    EXPECT_EQ(sel.GetFocusRoom(), 0u);
    EXPECT_EQ(sel.GetRoomCount(), 2u);
    sel.SelectLink(5, true);
    EXPECT_EQ(sel.GetRoomCount(), 0u);
    EXPECT_TRUE(sel.IsLinkSelected(5));
    EXPECT_EQ(sel.GetRoom(9), 0u);  // beyond the list
    sel.Clear();
    EXPECT_TRUE(sel.Empty());
    EXPECT_EQ(sel.GetFocusLink(), 0u);
}

TEST_F(InteractionTest, ClickSelectsARoomAloneOrKeepsASelectionItBelongsTo)
{
    const RoomId hall = Room(1, 0, "Hall");
    const RoomId yard = Room(2, 0, "Yard");
    Paint();
    Click(Centre(1, 0));
    EXPECT_EQ(act.Selection().Rooms(), std::vector<RoomId>{hall});
    EXPECT_EQ(view.m_strStatus, "[room sel] Hall");
    act.Selection().AddRoomToSelection(yard);
    Click(Centre(2, 0));  // a selected room: all stay, the focus moves
    EXPECT_EQ(act.Selection().GetRoomCount(), 2u);
    EXPECT_EQ(act.Selection().GetFocusRoom(), yard);
    EXPECT_EQ(view.m_strStatus, "[room sel] Yard");
    Click(Centre(0, 0));  // room 1, not selected: alone
    EXPECT_EQ(act.Selection().Rooms(), std::vector<RoomId>{1});
    Click(Centre(5, 5));  // nothing there
    EXPECT_TRUE(act.Selection().Empty());
    EXPECT_EQ(view.m_strStatus, "");
    EXPECT_FALSE(host.m_bCaptured);
}

TEST_F(InteractionTest, LinksWinOverRoomsWhereTheirHitAreasOverlap)
{
    const RoomId east = Room(1, 0);
    const LinkId link = AddTestLink(doc, 1, DIR_E, east, DIR_W);
    Paint();
    // Scan the square of room 1 for a point that is also on the link.
    bool found = false;
    for (int x = 7; x < 19 && !found; ++x)
        for (int y = 7; y < 19 && !found; ++y)
            if (doc.LinkAtPoint({x, y}) == link && doc.RoomAtPoint({x, y}) == 1) {
                act.OnLButtonDown({200 + x, 200 + y});
                act.OnLButtonUp({200 + x, 200 + y});
                found = true;
            }
    ASSERT_TRUE(found);
    EXPECT_TRUE(act.Selection().IsLinkSelected(link));
    EXPECT_EQ(act.Selection().GetRoomCount(), 0u);
    EXPECT_FALSE(act.IsRoomDrag());  // a link is not dragged
}

TEST_F(InteractionTest, DragMovesBySixteenUnitStepsAndCarriesTheRemainder)
{
    const RoomId a = Room(2, 0), b = Room(2, 1);
    Paint();
    act.Selection().SelectRoom(a, true);
    act.Selection().AddRoomToSelection(b);
    const CPoint p = Centre(2, 0);
    act.OnLButtonDown(p);  // a selected room: both stay selected and both move
    ASSERT_TRUE(act.IsRoomDrag());
    EXPECT_TRUE(host.m_bCaptured);
    act.OnMouseMove({p.x + 15, p.y});
    EXPECT_EQ(Cell(a), (CPoint{2, 0}));
    act.OnMouseMove({p.x + 16, p.y});
    EXPECT_EQ(Cell(a), (CPoint{3, 0}));
    EXPECT_EQ(Cell(b), (CPoint{3, 1}));
    EXPECT_EQ(act.GetAnchor().x, p.x - 200 + 26);
    // The anchor is now 10 units ahead of the pointer: 6 more do nothing, 22 one more cell.
    act.OnMouseMove({p.x + 32, p.y});
    EXPECT_EQ(Cell(a), (CPoint{3, 0}));
    act.OnMouseMove({p.x + 26 + 16, p.y});
    EXPECT_EQ(Cell(a), (CPoint{4, 0}));
    // Backwards: -15 truncates to zero cells.
    act.OnMouseMove({p.x + 52 - 15, p.y});
    EXPECT_EQ(Cell(a), (CPoint{4, 0}));
    act.OnMouseMove({p.x + 52 - 16, p.y});
    EXPECT_EQ(Cell(a), (CPoint{3, 0}));
    act.OnLButtonUp({p.x, p.y});
    EXPECT_FALSE(act.IsRoomDrag());
    EXPECT_FALSE(host.m_bCaptured);
    EXPECT_EQ(doc.FindRoomIdAt(3, 0, 0), a);
    EXPECT_EQ(doc.FindRoomIdAt(2, 0, 0), 0u);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(InteractionTest, DragOntoAnOccupiedCellIsRefusedAndTheAnchorStays)
{
    const RoomId a = Room(2, 0);
    Room(3, 0);  // not selected
    Paint();
    const CPoint p = Centre(2, 0);
    act.OnLButtonDown(p);
    const CPoint anchor = act.GetAnchor();
    act.OnMouseMove({p.x + 20, p.y});
    EXPECT_EQ(Cell(a), (CPoint{2, 0}));
    EXPECT_EQ(act.GetAnchor(), anchor);
    // A longer drag passes over it onto the free cell beyond.
    act.OnMouseMove({p.x + 40, p.y});
    EXPECT_EQ(Cell(a), (CPoint{4, 0}));
    EXPECT_EQ(act.GetAnchor().x, anchor.x + 52);
    act.OnLButtonUp(p);
}

TEST_F(InteractionTest, RubberBandSelectsRoomsAndAllTheirLinks)
{
    const RoomId a = Room(1, 0), b = Room(2, 0), far = Room(8, 0);
    const LinkId ab = AddTestLink(doc, a, DIR_E, b, DIR_W);
    const LinkId bfar = AddTestLink(doc, b, DIR_E, far, DIR_W);
    Paint();
    // From below-right to above-left: the band is normalised.
    act.OnLButtonDown({200 + 26 * 3, 200 + 40});
    ASSERT_TRUE(act.IsRubberBand());
    act.OnMouseMove({200 + 26 * 1, 200 + 2});
    act.OnLButtonUp({200 + 26 * 1, 200 + 2});
    EXPECT_FALSE(act.IsRubberBand());
    EXPECT_EQ(act.Selection().GetRoomCount(), 2u);
    EXPECT_TRUE(act.Selection().IsRoomSelected(a) && act.Selection().IsRoomSelected(b));
    EXPECT_TRUE(act.Selection().IsLinkSelected(ab));
    EXPECT_TRUE(act.Selection().IsLinkSelected(bfar));  // its far end lies outside
    EXPECT_EQ(act.Selection().GetLinkCount(), 2u);
    EXPECT_FALSE(act.Selection().IsRoomSelected(far));
    EXPECT_EQ(act.Selection().GetFocusRoom(), 0u);
    EXPECT_EQ(view.m_strStatus, "[rooms sel] 2 rooms selected");
    EXPECT_FALSE(host.m_bCaptured);
}

TEST_F(InteractionTest, ABandWithoutWidthOrHeightActsAsAClickAtTheRelease)
{
    const RoomId a = Room(1, 0, "Hall");
    Paint();
    const CPoint empty{200 + 26 + 2, 200 + 2};  // outside the square, on no link
    act.OnLButtonDown(empty);
    ASSERT_TRUE(act.IsRubberBand());
    act.OnMouseMove({empty.x, empty.y + 30});  // no width
    act.OnLButtonUp(Centre(1, 0));
    EXPECT_EQ(act.Selection().Rooms(), std::vector<RoomId>{a});
    EXPECT_EQ(view.m_strStatus, "[room sel] Hall");
}

TEST_F(InteractionTest, RightClickOnEmptySpaceEntersRotationModeAndRightDragPans)
{
    Paint();
    const CPoint p{500, 300};
    RightClick(p);
    EXPECT_TRUE(act.IsRotating());
    EXPECT_FALSE(host.m_bCaptured);
    act.OnMouseMove({200, 500});  // straight below the origin
    const double angle = doc.m_dRotation;
    EXPECT_NE(angle, 0.0);
    act.OnLButtonDown({10, 10});  // leaves the mode, angle kept, nothing selected
    act.OnLButtonUp({10, 10});
    EXPECT_FALSE(act.IsRotating());
    EXPECT_EQ(doc.m_dRotation, angle);
    EXPECT_FALSE(act.IsRubberBand());

    act.OnRButtonDown({400, 400});
    EXPECT_TRUE(act.IsPanning());
    act.OnMouseMove({410, 430});
    act.OnRButtonUp({410, 430});
    EXPECT_FALSE(act.IsPanning());
    EXPECT_FALSE(act.IsRotating());
    EXPECT_EQ(doc.m_nOriginX, 210);
    EXPECT_EQ(doc.m_nOriginY, 230);

    RightClick(p);
    ASSERT_TRUE(act.IsRotating());
    act.OnRButtonDblClk(p);
    EXPECT_FALSE(act.IsRotating());
    EXPECT_EQ(doc.m_dRotation, 0.0);
    act.OnRButtonUp(p);  // the release after the double click does nothing
    EXPECT_FALSE(act.IsRotating());
}

TEST_F(InteractionTest, RightClickOnARoomOpensTheMenuOfItsGroups)
{
    const RoomId a = Room(1, 0);
    Room(2, 0);
    Room(3, 0);
    AddTestLink(doc, 1, DIR_E, a, DIR_W);
    AddTestLink(doc, a, DIR_E, 3, DIR_W);
    Paint();
    RightClick(Centre(1, 0));
    ASSERT_EQ(host.m_menus.size(), 1u);
    EXPECT_TRUE(host.m_menus[0].m_bRoom);
    EXPECT_FALSE(host.m_menus[0].m_bRooms || host.m_menus[0].m_bLink || host.m_menus[0].m_bLinks);
    EXPECT_EQ(host.m_ptMenu, Centre(1, 0));
    EXPECT_FALSE(host.m_bCaptured);

    // Three rooms and two links by a band, one room right-clicked.
    act.OnLButtonDown({200 + 26 + 1, 200 + 1});
    act.OnMouseMove({200 + 26 * 4 - 1, 200 + 25});
    act.OnLButtonUp({200 + 26 * 4 - 1, 200 + 25});
    ASSERT_EQ(act.Selection().GetRoomCount(), 3u);
    RightClick(Centre(2, 0));
    ASSERT_EQ(host.m_menus.size(), 2u);
    EXPECT_TRUE(host.m_menus[1].m_bRoom);
    EXPECT_TRUE(host.m_menus[1].m_bRooms);
    EXPECT_TRUE(host.m_menus[1].m_bLinks);
    EXPECT_FALSE(host.m_menus[1].m_bLink);
    EXPECT_EQ(act.Selection().GetRoomCount(), 3u);
}

TEST(ContextMenu, GroupsInOrderWithSeparatorsAndTheRecursiveCheck)
{
    auto item = [](unsigned id, const char* text) {
        CMenuItem i;
        i.m_nID = id;
        i.m_strText = text;
        return i;
    };
    std::array<CMenuModel, GROUP_COUNT> groups;
    groups[GROUP_ROOM] = {item(ID_ROOM_PROPERTIES, "Room properties"), item(ID_ROOM_RECURSIVE, "Room is recursive")};
    groups[GROUP_ROOMS] = {item(ID_ROOMS_DELETE, "Delete rooms")};
    groups[GROUP_LINK] = {item(ID_LINK_DELETE, "Delete link")};
    groups[GROUP_LINKS] = {item(ID_LINKS_DELETE, "Delete links")};
    CContextMenuPlan plan;
    plan.m_bRoom = plan.m_bRooms = plan.m_bLinks = plan.m_bRecursive = true;
    const CMenuModel menu = BuildContextMenu(groups, plan);
    ASSERT_EQ(menu.size(), 6u);
    EXPECT_EQ(menu[1].m_nID, unsigned{ID_ROOM_RECURSIVE});
    EXPECT_TRUE(menu[1].m_bChecked);
    EXPECT_EQ(menu[2].m_kind, CMenuItem::SEPARATOR);
    EXPECT_EQ(menu[3].m_nID, unsigned{ID_ROOMS_DELETE});
    EXPECT_EQ(menu[4].m_kind, CMenuItem::SEPARATOR);
    EXPECT_EQ(menu[5].m_nID, unsigned{ID_LINKS_DELETE});
    plan = CContextMenuPlan{};
    plan.m_bLink = true;
    const CMenuModel link = BuildContextMenu(groups, plan);
    ASSERT_EQ(link.size(), 1u);  // no leading separator
    EXPECT_EQ(link[0].m_nID, unsigned{ID_LINK_DELETE});
}

TEST(ContextMenu, WalkHereFollowsSetCharacterPositionForAnotherRoomOnly)
{
    auto item = [](unsigned id, const char* text) {
        CMenuItem i;
        i.m_nID = id;
        i.m_strText = text;
        return i;
    };
    std::array<CMenuModel, GROUP_COUNT> groups;
    groups[GROUP_ROOM] = {item(ID_ROOM_PROPERTIES, "Room properties"), item(ID_ROOM_SET_POSITION, "Set character position"),
                          item(ID_ROOM_DELETE, "Delete room")};
    CNewDoc doc;
    const RoomId other = AddRoomAt(doc, 3, 3);
    CMapSelection sel;
    sel.SelectRoom(other, true);
    CContextMenuPlan plan = PlanContextMenu(sel, doc);
    EXPECT_TRUE(plan.m_bWalkHere);
    CMenuModel menu = BuildContextMenu(groups, plan);
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[2].m_nID, unsigned{ID_ROOM_WALK_HERE});
    EXPECT_EQ(menu[2].m_strText, "Walk here");
    EXPECT_EQ(menu[3].m_nID, unsigned{ID_ROOM_DELETE});
    sel.Clear();
    sel.SelectRoom(1, true);  // the character's own room
    plan = PlanContextMenu(sel, doc);
    EXPECT_FALSE(plan.m_bWalkHere);
    EXPECT_EQ(BuildContextMenu(groups, plan).size(), 3u);
}

TEST_F(InteractionTest, RoseClickMovesTheCharacterAndStaysLitUntilRelease)
{
    const RoomId east = Room(1, 0);
    AddTestLink(doc, 1, DIR_E, east, DIR_W);
    doc.m_bTrace = false;
    view.m_bShowRose = true;
    Paint();
    ASSERT_TRUE(view.m_roseRegions[DIR_E]);
    // A point inside the east triangle: the average of its corners.
    const auto& pts = view.m_roseRegions[DIR_E]->Points();
    std::int64_t sx = 0, sy = 0;
    for (const CPoint& q : pts) {
        sx += q.x;
        sy += q.y;
    }
    const CPoint p{static_cast<int>(sx / std::int64_t(pts.size())), static_cast<int>(sy / std::int64_t(pts.size()))};
    ASSERT_EQ(view.RoseDirectionAt(p), DIR_E);
    act.OnLButtonDown(p);
    EXPECT_EQ(doc.m_nCurrentRoom, east);
    EXPECT_EQ(view.m_nPressedRoseDir, DIR_E);
    EXPECT_FALSE(act.IsRubberBand());
    EXPECT_TRUE(host.m_bCaptured);  // the release comes back even from outside the window
    act.OnLButtonUp({-500, -500});
    EXPECT_EQ(view.m_nPressedRoseDir, DIR_NONE);
    EXPECT_FALSE(host.m_bCaptured);
}

namespace {
struct CSink : IOnlineMoveSink {
    std::vector<Direction> sent;
    void SendDirection(Direction d) override { sent.push_back(d); }
};
}  // namespace

TEST_F(InteractionTest, OnlineMoveKeysGoToTheClientAndDoNotMoveLocally)
{
    const RoomId north = Room(0, -1);
    AddTestLink(doc, 1, DIR_N, north, DIR_S);
    CSink sink;
    doc.SetOnlineMoveSink(&sink);
    doc.SetOnline(true);
    act.OnDocumentUpdate(HINT_REDRAW);
    ASSERT_TRUE(doc.IsOnline());
    act.OnKeyDown(38);  // up arrow
    EXPECT_EQ(doc.m_nCurrentRoom, 1u);
    EXPECT_EQ(sink.sent, std::vector<Direction>{DIR_N});
    doc.m_bTrace = false;  // sent only while trace mode is on
    act.OnKeyDown(38);
    EXPECT_EQ(sink.sent.size(), 1u);
    doc.SetOnline(false);
    act.OnDocumentUpdate(HINT_REDRAW);
    act.OnKeyDown(38);
    EXPECT_EQ(doc.m_nCurrentRoom, north);
    act.OnKeyDown('A');  // other keys do nothing
    EXPECT_EQ(doc.m_nCurrentRoom, north);
}

TEST_F(InteractionTest, DeleteKeyAsksFirstAndDeletesOnlyOnYes)
{
    const RoomId a = Room(1, 0), b = Room(2, 0);
    const LinkId link = AddTestLink(doc, a, DIR_E, b, DIR_W);
    act.OnKeyDown(kKeyDelete);  // nothing selected: no question
    EXPECT_TRUE(host.m_questions.empty());

    act.Selection().SelectRoom(a, true);
    host.m_bAnswer = false;
    act.OnKeyDown(kKeyDelete);
    EXPECT_EQ(host.m_questions.back(), "Delete the selected room?");
    EXPECT_TRUE(doc.GetRooms().Find(a));
    EXPECT_FALSE(doc.IsModified());

    act.Selection().SelectLink(link, true);
    host.m_bAnswer = true;
    act.OnKeyDown(kKeyDelete);
    EXPECT_EQ(host.m_questions.back(), "Delete the selected link?");
    EXPECT_FALSE(doc.GetLinks().Find(link));
    EXPECT_TRUE(act.Selection().Empty());

    act.Selection().SelectRoom(a, true);
    act.Selection().AddRoomToSelection(b);
    view.m_strStatus = "[rooms sel] 2 rooms selected";
    act.OnKeyDown(kKeyDelete);
    EXPECT_EQ(host.m_questions.back(), "Delete the selected rooms?");
    EXPECT_FALSE(doc.GetRooms().Find(a));
    EXPECT_FALSE(doc.GetRooms().Find(b));
    EXPECT_EQ(view.m_strStatus, "");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(host.m_questions.size(), 3u);
}

TEST_F(InteractionTest, LinkCreationStatusesAndItsPendingState)
{
    // One room only: refused.
    act.Selection().SelectRoom(1, true);
    act.OnCommand(ID_ROOM_CREATE_LINK);
    EXPECT_EQ(view.m_strStatus, "[create_link] Unable to create a link");
    EXPECT_FALSE(act.IsLinkPending());

    const RoomId b = Room(2, 0), c = Room(4, 0);
    Paint();
    act.Selection().SelectRoom(1, true);
    act.OnCommand(ID_ROOM_CREATE_LINK);
    ASSERT_TRUE(act.IsLinkPending());
    EXPECT_EQ(view.m_strStatus, "[create_link] Please select the destination room");
    EXPECT_GT(host.m_nRepaints, 0);
    act.OnCommand(ID_ROOM_CREATE_LINK);  // already pending
    EXPECT_EQ(view.m_strStatus, "[create_link] Unable to create a link");
    EXPECT_TRUE(act.IsLinkPending());

    // Right button, wheel and empty space change nothing.
    const double zoom = doc.m_dZoom;
    act.OnMouseWheel(120);
    RightClick({600, 500});
    act.OnRButtonDblClk({600, 500});
    Click({600, 500});
    EXPECT_EQ(doc.m_dZoom, zoom);
    EXPECT_FALSE(act.IsRotating() || act.IsPanning());
    EXPECT_TRUE(act.IsLinkPending());

    // The dialog cancels: the new link goes again.
    dialogs.m_bOk = false;
    const std::size_t links = doc.GetLinks().size();
    Click(Centre(2, 0));
    EXPECT_FALSE(act.IsLinkPending());
    ASSERT_EQ(dialogs.m_links.size(), 1u);
    EXPECT_EQ(view.m_strStatus, "[create_link] Creation cancelled");
    EXPECT_EQ(doc.GetLinks().size(), links);

    // OK keeps it, from the source to the chosen room, no directions yet.
    dialogs.m_bOk = true;
    act.Selection().SelectRoom(1, true);
    act.OnCommand(ID_ROOM_CREATE_LINK);
    act.OnLButtonDown(Centre(4, 0));
    const CLink made = doc.GetLink(dialogs.m_links.back());
    EXPECT_EQ(made.m_nFromRoom, 1u);
    EXPECT_EQ(made.m_nToRoom, c);
    EXPECT_EQ(made.m_nFromDir, DIR_NONE);
    EXPECT_EQ(view.m_strStatus, "[create_link] Creation completed");
    EXPECT_TRUE(act.Selection().Empty());

    // The source again: aborted.
    act.Selection().SelectRoom(b, true);
    act.OnCommand(ID_ROOM_CREATE_LINK);
    act.OnLButtonDown(Centre(2, 0));
    EXPECT_FALSE(act.IsLinkPending());
    EXPECT_EQ(view.m_strStatus, "[create_link] Action aborted");
}

TEST_F(InteractionTest, LinkCreationRefusesAFullRoomAndWaitsOnFullDestinations)
{
    const RoomId b = Room(2, 0);
    CRoom full = doc.GetRoom(b);
    for (LinkId& l : full.m_links)
        l = 999;
    doc.SetRoom(full);
    Paint();
    act.Selection().SelectRoom(b, true);
    act.OnCommand(ID_ROOM_CREATE_LINK);
    EXPECT_FALSE(act.IsLinkPending());
    act.Selection().SelectRoom(1, true);
    act.OnCommand(ID_ROOM_CREATE_LINK);
    act.OnLButtonDown(Centre(2, 0));  // no free slot: still waiting
    EXPECT_TRUE(act.IsLinkPending());
    EXPECT_TRUE(dialogs.m_links.empty());
}

TEST_F(InteractionTest, SetLabelStartsFromTheTitleAndPlacesANewLabel)
{
    const RoomId a = Room(1, 0, "Hall");
    Paint();
    act.Selection().SelectRoom(a, true);
    dialogs.m_strLabel = "Great hall";
    act.OnCommand(ID_ROOM_SET_LABEL);
    ASSERT_EQ(dialogs.m_labelsShown, std::vector<std::string>{"Hall"});
    CRoom r = doc.GetRoom(a);
    EXPECT_EQ(r.m_info.m_strLabel, "Great hall");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(r.m_info.m_ptLabel, (CPoint{r.m_ptSquare.x + 50, r.m_ptSquare.y - 50}));
    r.m_info.m_ptLabel = {1, 2};
    doc.SetRoom(r);
    act.OnCommand(ID_ROOM_SET_LABEL);  // a label already there keeps its place
    EXPECT_EQ(dialogs.m_labelsShown.back(), "Great hall");
    EXPECT_EQ(doc.GetRoom(a).m_info.m_ptLabel, (CPoint{1, 2}));
}

TEST_F(InteractionTest, LabelDragMovesTheLabelWithTheGrabOffset)
{
    const RoomId a = Room(1, 0, "Hall");
    CRoom r = doc.GetRoom(a);
    r.m_info.m_strLabel = "Hall";
    r.m_info.m_ptLabel = {26 + 7 + 50, 7 - 50};
    doc.SetRoom(r);
    Paint();
    ASSERT_TRUE(doc.GetRoom(a).m_info.m_hLabelRgn);
    const auto& pts = doc.GetRoom(a).m_info.m_hLabelRgn->Points();
    const CPoint inLabel{(pts[0].x + pts[2].x) / 2, (pts[0].y + pts[2].y) / 2};
    ASSERT_EQ(doc.RoomLabelAtPoint(inLabel), a);
    const CPoint press{inLabel.x + 200, inLabel.y + 200};
    act.OnLButtonDown(press);
    ASSERT_TRUE(act.IsLabelDrag());
    act.OnMouseMove({press.x + 30, press.y - 5});
    EXPECT_EQ(doc.GetRoom(a).m_info.m_ptLabel, (CPoint{26 + 7 + 50 + 30, 7 - 50 - 5}));
    // The wheel does not zoom under the label the pointer holds.
    act.OnMouseWheel(120);
    EXPECT_EQ(doc.m_dZoom, 1.0);
    act.OnMouseMove({press.x + 40, press.y - 5});
    EXPECT_EQ(doc.GetRoom(a).m_info.m_ptLabel, (CPoint{26 + 7 + 50 + 40, 7 - 50 - 5}));
    act.OnLButtonUp({press.x + 40, press.y - 5});
    EXPECT_FALSE(act.IsLabelDrag());
    EXPECT_EQ(doc.GetRoom(a).m_nX, 1);  // the room stays
}

TEST_F(InteractionTest, RoomAndColourCommands)
{
    const RoomId a = Room(1, 0), b = Room(2, 0);
    act.Selection().SelectRoom(a, true);
    act.Selection().AddRoomToSelection(b);
    dialogs.m_crChosen = 0x00FF00;
    act.OnCommand(ID_ROOMS_COLOR);
    EXPECT_EQ(doc.GetRoom(a).m_crColor, 0x00FF00u);
    EXPECT_EQ(doc.GetRoom(b).m_crColor, 0x00FF00u);
    EXPECT_TRUE(doc.IsModified());
    dialogs.m_crChosen = 0x0000FF;
    dialogs.m_bOk = false;
    act.OnCommand(ID_ROOM_COLOR);  // cancelled
    EXPECT_EQ(doc.GetRoom(a).m_crColor, 0x00FF00u);
    EXPECT_EQ(dialogs.m_colorsShown.back(), 0x00FF00u);
    dialogs.m_bOk = true;
    act.OnCommand(ID_ROOM_COLOR);
    EXPECT_EQ(doc.GetRoom(a).m_crColor, 0x0000FFu);
    EXPECT_EQ(doc.GetRoom(b).m_crColor, 0x00FF00u);

    act.OnCommand(ID_ROOM_RECURSIVE);
    EXPECT_TRUE(doc.GetRoom(a).m_bRecursive);
    vfw::CCmdUI ui(ID_ROOM_RECURSIVE);
    act.OnUpdateCommand(ui);
    EXPECT_EQ(ui.m_nCheck, 1);

    doc.SetModifiedFlag(false);
    act.OnCommand(ID_ROOM_SET_POSITION);
    EXPECT_EQ(doc.m_nCurrentRoom, a);
    EXPECT_FALSE(doc.IsModified());  // as a move of the character
    act.OnCommand(ID_ROOM_PROPERTIES);
    EXPECT_EQ(dialogs.m_rooms, std::vector<RoomId>{a});

    act.OnCommand(ID_SHIFT_SOUTH);
    EXPECT_EQ(Cell(a), (CPoint{1, 1}));

    act.OnCommand(ID_ROOM_DELETE);
    EXPECT_FALSE(doc.GetRooms().Find(a));
    EXPECT_TRUE(act.Selection().Empty());
}

TEST_F(InteractionTest, DoubleClickOpensTheRoomSheetOrTheLinkDialog)
{
    const RoomId a = Room(1, 0);
    Paint();
    act.OnLButtonDblClk(Centre(1, 0));
    EXPECT_EQ(dialogs.m_rooms, std::vector<RoomId>{a});
    act.OnLButtonDblClk({600, 500});  // nothing there
    EXPECT_EQ(dialogs.m_rooms.size(), 1u);
    EXPECT_TRUE(dialogs.m_links.empty());
}

TEST_F(InteractionTest, DisplayTogglesFlipAndShowTheirCheck)
{
    const bool grid = view.m_bShowGrid;
    EXPECT_TRUE(act.OnCommand(ID_VIEW_GRID));
    EXPECT_NE(view.m_bShowGrid, grid);
    vfw::CCmdUI ui(ID_VIEW_GRID);
    EXPECT_TRUE(act.OnUpdateCommand(ui));
    EXPECT_EQ(ui.m_nCheck, view.m_bShowGrid ? 1 : 0);
    EXPECT_TRUE(act.OnCommand(ID_VIEW_FOLLOW_MOVEMENTS));
    EXPECT_TRUE(view.m_bFollowMovements);
    EXPECT_FALSE(act.OnCommand(ID_FILE_NEW));
}

// On a screen of twice 96 DPI the map draws twice as large: clicks, drags
// and the band work in the same scaled geometry, the drag still in steps of
// sixteen map units.
TEST_F(InteractionTest, AtTwiceTheResolutionHitsDragsAndBandsFollowTheScaledMap)
{
    view.m_nDpi = 192;
    const RoomId hall = Room(1, 0, "Hall"), yard = Room(3, 0, "Yard");
    Paint();
    const auto scaled = [](int x, int y) {
        const CPoint64 c = RoomCentre(x, y);
        return CPoint{200 + 2 * static_cast<int>(c.x), 200 + 2 * static_cast<int>(c.y)};
    };
    Click(Centre(3, 0));  // where the yard is at 96 DPI: the hall is there now
    EXPECT_EQ(act.Selection().Rooms(), std::vector<RoomId>{hall});
    Click(scaled(3, 0));
    EXPECT_EQ(act.Selection().Rooms(), std::vector<RoomId>{yard});

    const CPoint p = scaled(3, 0);
    act.OnLButtonDown(p);
    ASSERT_TRUE(act.IsRoomDrag());
    act.OnMouseMove({p.x + 31, p.y});  // 15 map units
    EXPECT_EQ(Cell(yard), (CPoint{3, 0}));
    act.OnMouseMove({p.x + 32, p.y});  // 16
    EXPECT_EQ(Cell(yard), (CPoint{4, 0}));
    act.OnLButtonUp(p);

    // A band from 30 to 60 map units across: over the hall only.
    act.OnLButtonDown({200 + 2 * 30, 190});
    ASSERT_TRUE(act.IsRubberBand());
    act.OnMouseMove({200 + 2 * 60, 240});
    EXPECT_EQ(view.m_rcBand.right, 60);
    act.OnLButtonUp({200 + 2 * 60, 240});
    EXPECT_EQ(act.Selection().Rooms(), std::vector<RoomId>{hall});
}
