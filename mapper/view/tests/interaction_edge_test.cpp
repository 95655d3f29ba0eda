// Events in unusual orders and commands for things that went away.
#include "mapper/view/tests/interaction_test_support.h"

#include "mapper/resource_ids.h"

TEST_F(InteractionTest, ReleasesWithoutPressesChangeNothing)
{
    Room(1, 0);
    Paint();
    act.OnLButtonUp(Centre(1, 0));
    act.OnRButtonUp({500, 500});
    act.OnMouseMove({10, 10});
    EXPECT_TRUE(act.Selection().Empty());
    EXPECT_FALSE(act.IsRotating() || act.IsPanning() || act.IsRubberBand() || act.IsRoomDrag());
    EXPECT_TRUE(host.m_menus.empty());
    EXPECT_EQ(doc.m_nOriginX, 200);
}

TEST_F(InteractionTest, CaptureLostEndsTheDragWhereItStands)
{
    const RoomId a = Room(1, 0);
    Paint();
    const CPoint p = Centre(1, 0);
    act.OnLButtonDown(p);
    act.OnMouseMove({p.x + 26, p.y});
    act.OnCaptureLost();
    EXPECT_FALSE(act.IsRoomDrag());
    act.OnMouseMove({p.x + 80, p.y});  // no longer dragging
    EXPECT_EQ(Cell(a), (CPoint{2, 0}));
    act.OnLButtonUp({p.x + 80, p.y});

    // A band cut short selects nothing, even at a release that follows.
    act.OnLButtonDown({5, 5});
    act.OnMouseMove({700, 500});
    act.OnCaptureLost();
    act.OnLButtonUp({700, 500});
    EXPECT_TRUE(act.Selection().Empty());

    // A pending menu that lost the capture shows nothing.
    Paint();
    act.OnRButtonDown(Centre(2, 0));
    ASSERT_TRUE(act.IsContextMenuPending());
    act.OnCaptureLost();
    act.OnRButtonUp(Centre(2, 0));
    EXPECT_TRUE(host.m_menus.empty());
}

TEST_F(InteractionTest, CommandsForARoomOrLinkDeletedMeanwhileDoNothing)
{
    const RoomId a = Room(1, 0), b = Room(2, 0);
    const LinkId link = AddTestLink(doc, a, DIR_E, b, DIR_W);
    act.Selection().SelectRoom(a, true);
    ASSERT_TRUE(doc.DeleteRoom(a));
    doc.SetModifiedFlag(false);
    const std::size_t rooms = doc.GetRooms().size();
    for (unsigned id : {ID_ROOM_PROPERTIES, ID_ROOM_DELETE, ID_ROOM_COLOR, ID_ROOM_RECURSIVE, ID_SHIFT_NORTH,
                        ID_ROOM_SET_LABEL, ID_ROOM_SET_POSITION, ID_ROOM_CREATE_LINK})
        EXPECT_TRUE(act.OnCommand(id));
    EXPECT_EQ(doc.GetRooms().size(), rooms);
    EXPECT_FALSE(doc.GetRooms().Find(a));  // no record brought back by a store
    EXPECT_NE(doc.m_nCurrentRoom, a);
    EXPECT_TRUE(dialogs.m_rooms.empty());
    EXPECT_TRUE(dialogs.m_colorsShown.empty());
    EXPECT_FALSE(act.IsLinkPending());
    EXPECT_FALSE(doc.IsModified());

    act.Selection().SelectLink(link, true);  // the link went with room a
    act.OnCommand(ID_LINK_PROPERTIES);
    act.OnCommand(ID_LINK_DELETE);
    EXPECT_TRUE(dialogs.m_links.empty());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(InteractionTest, TheLastRoomIsNotDeletedByTheKey)
{
    act.Selection().SelectRoom(1, true);
    act.OnKeyDown(kKeyDelete);
    EXPECT_TRUE(doc.GetRooms().Find(1));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(InteractionTest, PlaneChangeClearsTheSelectionAndAPendingLink)
{
    Room(1, 0);
    act.Selection().SelectRoom(1, true);
    act.OnCommand(ID_ROOM_CREATE_LINK);
    ASSERT_TRUE(act.IsLinkPending());
    act.OnDocumentUpdate(HINT_REDRAW);
    EXPECT_FALSE(act.Selection().Empty());
    act.OnDocumentUpdate(HINT_PLANE_CHANGED);
    EXPECT_TRUE(act.Selection().Empty());
    EXPECT_FALSE(act.IsLinkPending());
}

TEST_F(InteractionTest, DragsOnFarCellsAndPointersFarOutsideTheWindow)
{
    // A room near the end of the cell range, on screen through a far origin.
    const RoomId a = Room(82000000, 0);  // 26 units a cell: near the end of 32-bit map units
    doc.m_nOriginX = -2131999800;
    doc.m_nOriginY = 0;
    Paint();
    const CRoom r = doc.GetRoom(a);
    const CPoint p{r.m_ptSquare.x + 6 - 2131999800, r.m_ptSquare.y + 6};
    ASSERT_GE(p.x, 0);
    act.OnLButtonDown(p);
    ASSERT_TRUE(act.IsRoomDrag());
    // Pointer coordinates at the ends of the 16-bit range a captured mouse reports.
    act.OnMouseMove({32767, 32767});
    act.OnMouseMove({-32768, -32768});
    act.OnLButtonUp({-32768, -32768});
    const CRoom moved = doc.GetRoom(a);
    EXPECT_EQ(doc.FindRoomIdAt(moved.m_nX, moved.m_nY, 0), a);  // the cell index follows the room
    EXPECT_EQ(doc.GetRooms().size(), 2u);
    EXPECT_FALSE(act.IsRoomDrag());
}

TEST_F(InteractionTest, ASourceDeletedDuringLinkCreationMakesNoLink)
{
    const RoomId a = Room(1, 0), b = Room(3, 0);
    Paint();
    act.Selection().SelectRoom(a, true);
    act.OnCommand(ID_ROOM_CREATE_LINK);
    ASSERT_TRUE(act.IsLinkPending());
    act.OnKeyDown(kKeyDelete);  // the selection is the source: deleted on Yes
    ASSERT_FALSE(doc.GetRooms().Find(a));
    const std::size_t links = doc.GetLinks().size();
    Paint();
    act.OnLButtonDown(Centre(3, 0));
    act.OnLButtonUp(Centre(3, 0));
    EXPECT_FALSE(act.IsLinkPending());
    EXPECT_EQ(doc.GetLinks().size(), links);
    EXPECT_TRUE(dialogs.m_links.empty());
    EXPECT_EQ(view.m_strStatus, "[create_link] Unable to create a link");
    EXPECT_TRUE(doc.GetRooms().Find(b));
}

TEST_F(InteractionTest, WheelZoomsExceptDuringLinkCreation)
{
    act.OnMouseWheel(120);
    EXPECT_EQ(doc.m_dZoom, 2.0);
    act.OnMouseWheel(-240);
    EXPECT_EQ(doc.m_dZoom, 0.5);
    act.OnMouseWheel(60);  // less than a notch
    EXPECT_EQ(doc.m_dZoom, 0.5);
}

TEST_F(InteractionTest, WheelIsIgnoredWhileTheMouseHoldsADragABandOrATurn)
{
    const RoomId a = Room(2, 0);
    Paint();
    auto wheelKeepsZoom = [&](const char* what) {
        host.m_nInvalidates = host.m_nRepaints = 0;
        act.OnMouseWheel(120);
        act.OnMouseWheel(-360);
        EXPECT_EQ(doc.m_dZoom, 1.0) << what;
        EXPECT_EQ(host.m_nInvalidates + host.m_nRepaints, 0) << what;
    };

    act.OnLButtonDown(Centre(2, 0));
    ASSERT_TRUE(act.IsRoomDrag());
    wheelKeepsZoom("room drag");
    act.OnMouseMove({Centre(2, 0).x + 26, Centre(2, 0).y});
    act.OnLButtonUp({Centre(2, 0).x + 26, Centre(2, 0).y});
    EXPECT_EQ(Cell(a), (CPoint{3, 0}));  // the drag went where the pointer went

    act.OnLButtonDown({600, 500});
    ASSERT_TRUE(act.IsRubberBand());
    wheelKeepsZoom("rubber band");
    act.OnLButtonUp({620, 520});

    act.OnRButtonDown({600, 500});
    ASSERT_TRUE(act.IsPanning());
    wheelKeepsZoom("panning");
    act.OnRButtonUp({600, 500});
    ASSERT_TRUE(act.IsRotating());  // a right click on empty space
    wheelKeepsZoom("rotation mode");
    act.OnLButtonDown({10, 10});
    act.OnLButtonUp({10, 10});
    ASSERT_FALSE(act.IsRotating());

    act.OnMouseWheel(120);  // and once all have ended it zooms again
    EXPECT_EQ(doc.m_dZoom, 2.0);
}

TEST_F(InteractionTest, TheOnlyRoomOfAMapIsNeitherOfferedForDeletionNorAskedAbout)
{
    Paint();
    act.Selection().SelectRoom(1, true);
    act.OnKeyDown(kKeyDelete);
    EXPECT_TRUE(host.m_questions.empty());
    EXPECT_EQ(view.m_strStatus, "The only room of a map cannot be deleted");
    EXPECT_TRUE(doc.GetRooms().Find(1));
    EXPECT_FALSE(doc.IsModified());

    vfw::CCmdUI ui(ID_ROOM_DELETE);
    EXPECT_TRUE(act.OnUpdateCommand(ui));
    EXPECT_FALSE(ui.m_bEnabled);
    CContextMenuPlan plan = PlanContextMenu(act.Selection(), doc);
    EXPECT_TRUE(plan.m_bLastRoom);
    std::array<CMenuModel, GROUP_COUNT> groups;
    CMenuItem properties, remove, shift;
    properties.m_nID = ID_ROOM_PROPERTIES;
    remove.m_nID = ID_ROOM_DELETE;
    shift.m_kind = CMenuItem::SUBMENU;
    shift.m_children = {remove};  // found inside submenus too
    groups[GROUP_ROOM] = {properties, shift, remove};
    CMenuModel menu = BuildContextMenu(groups, plan);
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_TRUE(menu[0].m_bEnabled);
    EXPECT_FALSE(menu[1].m_children[0].m_bEnabled);
    EXPECT_FALSE(menu[2].m_bEnabled);

    // With a second room both come back, and the key asks again.
    Room(3, 0);
    Paint();
    EXPECT_FALSE(PlanContextMenu(act.Selection(), doc).m_bLastRoom);
    vfw::CCmdUI two(ID_ROOM_DELETE);
    act.OnUpdateCommand(two);
    EXPECT_TRUE(two.m_bEnabled);
    plan.m_bLastRoom = false;
    EXPECT_TRUE(BuildContextMenu(groups, plan)[2].m_bEnabled);
    host.m_bAnswer = true;
    act.OnKeyDown(kKeyDelete);
    ASSERT_EQ(host.m_questions.size(), 1u);
    EXPECT_FALSE(doc.GetRooms().Find(1));
}
