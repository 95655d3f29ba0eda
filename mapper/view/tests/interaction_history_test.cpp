// The view's editing makes one undo step per operation: a whole drag, a
// deletion of many rooms, a link created through its dialog or cancelled.
#include "mapper/model/history.h"
#include "mapper/model/map_file.h"
#include "mapper/resource_ids.h"
#include "mapper/view/tests/interaction_test_support.h"

TEST_F(InteractionTest, AWholeDragIsOneStepAndEachDragItsOwn)
{
    const RoomId a = Room(2, 0), b = Room(2, 1);
    Paint();
    CMapHistory history(doc);
    const auto before = SaveMapBytes(doc);
    act.Selection().SelectRoom(a, true);
    act.Selection().AddRoomToSelection(b);
    const CPoint p = Centre(2, 0);
    act.OnLButtonDown(p);
    for (int dx = 16; dx <= 80; dx += 16)
        act.OnMouseMove({p.x + dx, p.y});
    act.OnLButtonUp({p.x + 80, p.y});
    ASSERT_EQ(Cell(a), (CPoint{5, 0}));
    const auto afterFirst = SaveMapBytes(doc);
    EXPECT_EQ(history.UndoCount(), 1u);
    EXPECT_EQ(history.UndoName(), "Move rooms");
    // A second drag of the same rooms is a step of its own.
    Paint();
    const CPoint q = Centre(5, 0);
    act.OnLButtonDown(q);
    act.OnMouseMove({q.x, q.y + 16});
    act.OnLButtonUp({q.x, q.y + 16});
    EXPECT_EQ(history.UndoCount(), 2u);
    history.Undo();
    EXPECT_EQ(SaveMapBytes(doc), afterFirst);
    history.Undo();
    EXPECT_EQ(SaveMapBytes(doc), before);
    EXPECT_EQ(doc.FindRoomIdAt(2, 0, 0), a);
    history.Redo();
    EXPECT_EQ(Cell(b), (CPoint{5, 1}));
}

TEST_F(InteractionTest, DeletingRoomsColoursAndLinkCreationAreOneStepEach)
{
    const RoomId a = Room(1, 0), b = Room(2, 0), c = Room(3, 0);
    Paint();
    CMapHistory history(doc);
    const auto start = SaveMapBytes(doc);
    act.Selection().SelectRoom(a, true);
    act.Selection().AddRoomToSelection(b);
    act.Selection().AddRoomToSelection(c);
    act.OnCommand(ID_ROOMS_COLOR);
    EXPECT_EQ(history.UndoName(), "Colour rooms");
    act.OnCommand(ID_ROOMS_DELETE);
    EXPECT_EQ(history.UndoName(), "Delete rooms");
    EXPECT_EQ(history.UndoCount(), 2u);
    history.Undo();
    history.Undo();
    EXPECT_EQ(SaveMapBytes(doc), start);

    // A link made and then cancelled in its dialog: one step, which only
    // used up a link id.
    Paint();
    act.Selection().SelectRoom(a, true);
    act.OnCommand(ID_ROOM_CREATE_LINK);
    dialogs.m_bOk = false;
    act.OnLButtonDown(Centre(3, 0));
    EXPECT_TRUE(doc.GetLinks().empty());
    EXPECT_EQ(history.UndoName(), "Create link");
    EXPECT_EQ(history.UndoCount(), 1u);
    history.Undo();
    EXPECT_EQ(SaveMapBytes(doc), start);
}
