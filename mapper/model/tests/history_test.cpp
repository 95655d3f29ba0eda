// Undo and redo: every step comes back exactly (the file bytes, whose record
// order is the containers' order), under random editing, moves and undo/redo.
#include <gtest/gtest.h>

#include <random>

#include "mapper/model/history.h"
#include "mapper/model/map_file.h"
#include "mapper/model/tests/test_support.h"
#include "mapper/resource_ids.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A document with a map of a few hundred rooms, links between neighbours, plane names.
void BuildRandomMap(CVorMapperDoc& doc, std::mt19937& rng, int rooms)
{
    doc.OnNewDocument();
    for (int i = 0; i < rooms; ++i)
        AddRoomAt(doc, int(rng() % 30) - 15, int(rng() % 30) - 15, int(rng() % 3) - 1, i % 3 ? "" : "Hall");
    for (int i = 0; i < rooms / 2; ++i) {
        const RoomId a = 1 + rng() % doc.GetLastRoomId(), b = 1 + rng() % doc.GetLastRoomId();
        const Direction da = rng() % kDirCount, db = rng() % kDirCount;
        if (doc.GetRoom(a).m_links[da] == 0 && doc.GetRoom(b).m_links[db] == 0 && a != b)
            Join(doc, a, da, b, db);
    }
    doc.SetPlaneName(0, "Ground");
    doc.SetPlaneName(-1, "Cellar");
}

RoomId RandomRoom(const CVorMapperDoc& doc, std::mt19937& rng)
{
    // Picks by id (some ids are gone): the op may find no room and change nothing.
    return 1 + rng() % (doc.GetLastRoomId() + 2);
}

// One editing operation or move with its parameters drawn: played again on
// an equal document it does the same.
struct Op {
    int kind;
    std::int64_t a, b, c, d;
    std::string text;
};

Op RandomOp(const CVorMapperDoc& doc, std::mt19937& rng, std::uint64_t& drag)
{
    Op op{int(rng() % 14), 0, 0, 0, 0, {}};
    op.a = RandomRoom(doc, rng);
    op.b = RandomRoom(doc, rng);
    op.c = rng() % kDirCount;
    op.d = rng() % kDirCount;
    static const char* const kTexts[] = {"", "Hall", "Yard", "Dark room"};
    op.text = kTexts[rng() % 4];
    switch (op.kind) {
    case 2: op.a = 1 + rng() % (doc.GetLastLinkId() + 2); break;           // delete link
    case 8: case 9: op.a = rng() % 4; break;                                // trace move: online, with texts
    case 11:                                                                // drag
        if (rng() % 3 == 0)
            ++drag;
        op.b = drag;
        op.c = int(rng() % 5) - 2;
        op.d = int(rng() % 5) - 2;
        break;
    case 7: op.a = int(rng() % 6) - 3; break;                                // plane name
    default: break;
    }
    return op;
}

void Play(CVorMapperDoc& doc, const Op& op)
{
    const RoomId a = RoomId(op.a), b = RoomId(op.b);
    const Direction c = Direction(op.c), d = Direction(op.d);
    switch (op.kind) {
    case 0: AddRoomAt(doc, int(op.c) - 5, int(op.d) - 5, 0, op.text.c_str()); break;
    case 1: doc.DeleteRoom(a); break;
    case 2: doc.DeleteLink(LinkId(op.a)); break;
    case 3:
        if (a != b && doc.GetRooms().Find(a) && doc.GetRooms().Find(b) && doc.GetRoom(a).m_links[c] == 0 &&
            doc.GetRoom(b).m_links[d] == 0) {
            CMapStep step(doc, "Create link");
            Join(doc, a, c, b, d);
        }
        break;
    case 4: doc.ShiftRooms(a, c); break;
    case 5: doc.SetRoomRecursive(a, op.text.empty()); break;
    case 6:
        if (doc.GetRooms().Find(a)) {
            CMapStep step(doc, "Room properties");
            CRoom room = doc.GetRoom(a);
            room.m_info.m_strTitle = op.text;
            room.m_crColor = ColorRef(op.c * 0x10101);
            room.m_info.m_strLabel = op.d % 2 ? "label" : "";
            doc.SetRoom(room);
        }
        break;
    case 7: {
        CMapStep step(doc, "Rename plane");
        doc.SetPlaneName(std::int32_t(op.a), op.text);
        break;
    }
    case 8:
    case 9: {
        // Trace moves: offline, or online with the game's title (auto shift, filled texts).
        doc.m_bTrace = true;
        doc.m_bOnline = op.a >= 2;
        CRoomInfo info;
        info.m_strTitle = op.text;
        doc.Move(c, op.a % 2 ? &info : nullptr);
        doc.m_bOnline = false;
        break;
    }
    case 10:
        // A move along a link in explore mode, and setting the character's room: no steps.
        doc.m_bTrace = false;
        doc.Move(c);
        doc.m_bTrace = true;
        if (doc.GetRooms().Find(b) && op.d == 0)
            doc.m_nCurrentRoom = b;
        break;
    case 11:
        if (doc.GetRooms().Find(a)) {
            CMapStep step(doc, "Move rooms", std::uint64_t(op.b));
            CRoom room = doc.GetRoom(a);
            room.m_nX = WrapAdd(room.m_nX, std::int32_t(op.c));
            room.m_nY = WrapAdd(room.m_nY, std::int32_t(op.d));
            doc.SetRoom(room);
        }
        break;
    case 12:
        doc.DeleteRoom(kIdUnassigned - 1);  // nothing there: a failed step
        break;
    default:
        if (doc.GetRooms().Find(a)) {
            CMapStep step(doc, "Move label");
            CRoom room = doc.GetRoom(a);
            room.m_info.m_ptLabel = CPoint{std::int32_t(op.c * 7), std::int32_t(op.d * 7)};
            doc.SetRoom(room);
        }
        break;
    }
}

// The kept steps: each with the moves that came before it (from the state
// the previous one left), and the map before and after it.
struct Segment {
    std::vector<Op> prefix, body;
    Bytes before, after;
};

Bytes Replay(std::uint32_t seed, int rooms, const std::vector<Segment>& segs, const std::vector<Op>& pending)
{
    CNewDoc doc;
    std::mt19937 rng(seed);
    BuildRandomMap(doc, rng, rooms);
    for (const Segment& s : segs) {
        for (const Op& op : s.prefix)
            Play(doc, op);
        for (const Op& op : s.body)
            Play(doc, op);
    }
    for (const Op& op : pending)
        Play(doc, op);
    return SaveMapBytes(doc);
}

}  // namespace

TEST(History, RandomEditingUndoRedoAndNewStepsMatchAReplayOfTheKeptSteps)
{
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        const int rooms = 150 + 100 * int(seed);
        CNewDoc doc;
        std::mt19937 build(seed);
        BuildRandomMap(doc, build, rooms);
        CMapHistory history(doc);
        std::mt19937 rng(seed * 7919);
        std::vector<Segment> segs, redo;
        std::vector<Op> pending;
        std::uint64_t drag = 1;
        for (int action = 0; action < 3000; ++action) {
            const unsigned pick = rng() % 100;
            if (pick < 12 && history.CanUndo()) {
                ASSERT_FALSE(segs.empty());
                ASSERT_TRUE(history.Undo());
                redo.push_back(std::move(segs.back()));
                segs.pop_back();
                pending = redo.back().prefix;
                ASSERT_EQ(SaveMapBytes(doc), redo.back().before) << "seed " << seed << " action " << action;
            } else if (pick < 22 && history.CanRedo()) {
                ASSERT_FALSE(redo.empty());
                ASSERT_TRUE(history.Redo());
                segs.push_back(std::move(redo.back()));
                redo.pop_back();
                pending.clear();
                ASSERT_EQ(SaveMapBytes(doc), segs.back().after) << "seed " << seed << " action " << action;
            } else {
                const Op op = RandomOp(doc, rng, drag);
                const Bytes before = SaveMapBytes(doc);
                const std::size_t steps = history.UndoCount();
                const std::uint64_t commits = history.CommitCount();
                Play(doc, op);
                if (history.CommitCount() == commits) {
                    pending.push_back(op);  // changed nothing, or a move: no step
                    ASSERT_EQ(history.UndoCount(), steps);
                } else if (history.UndoCount() == steps) {
                    ASSERT_EQ(op.kind, 11) << "only a drag's moves join the step before";
                    Segment& top = segs.back();
                    top.body.insert(top.body.end(), pending.begin(), pending.end());
                    top.body.push_back(op);
                    top.after = SaveMapBytes(doc);
                    pending.clear();
                } else {
                    ASSERT_EQ(history.UndoCount(), steps + 1);
                    ASSERT_FALSE(history.CanRedo());
                    redo.clear();
                    segs.push_back({std::move(pending), {op}, before, SaveMapBytes(doc)});
                    pending.clear();
                }
            }
            if (action % 500 == 499) {
                ASSERT_EQ(SaveMapBytes(doc), Replay(seed, rooms, segs, pending)) << "seed " << seed;
            }
        }
        ASSERT_EQ(history.UndoCount(), segs.size());
        // Undo all, then redo all.
        ASSERT_FALSE(segs.empty());
        while (history.Undo()) {
        }
        EXPECT_EQ(SaveMapBytes(doc), segs.front().before);
        while (history.Redo()) {
        }
        EXPECT_EQ(SaveMapBytes(doc), Replay(seed, rooms, segs, {}));
        EXPECT_EQ(SaveMapBytes(doc), segs.back().after);
    }
}

TEST(History, StepsOnlyFromAFreshMapUndoToItsExactBytesAndRedoToTheLast)
{
    CNewDoc doc;
    std::mt19937 rng(11);
    BuildRandomMap(doc, rng, 400);
    const Bytes first = SaveMapBytes(doc);
    CMapHistory history(doc);
    std::uint64_t drag = 1;
    for (int i = 0; i < 2000; ++i)
        Play(doc, RandomOp(doc, rng, drag));
    const Bytes last = SaveMapBytes(doc);
    ASSERT_GT(history.UndoCount(), 500u);
    while (history.Undo()) {
    }
    // The moves along links left the character elsewhere; the first step's
    // begin holds where it was then, which is where the map started.
    EXPECT_EQ(SaveMapBytes(doc), first);
    while (history.Redo()) {
    }
    const Bytes redone = SaveMapBytes(doc);
    // Moves after the last step left the character elsewhere than the last step did.
    CVorMapperDoc a, b;
    std::string error;
    ASSERT_TRUE(LoadMapBytes(a, redone.data(), redone.size(), error));
    ASSERT_TRUE(LoadMapBytes(b, last.data(), last.size(), error));
    a.m_nCurrentRoom = b.m_nCurrentRoom;
    a.m_nCurrentPlane = b.m_nCurrentPlane;
    EXPECT_EQ(SaveMapBytes(a), SaveMapBytes(b));
}

TEST(History, NamesEnableStatesAndCommands)
{
    CNewDoc doc;
    CMapHistory history(doc);
    vfw::CCmdUI undo(ID_EDIT_UNDO), redo(ID_EDIT_REDO), other(ID_FILE_SAVE);
    EXPECT_TRUE(history.OnUpdateCommand(undo));
    EXPECT_FALSE(undo.m_bEnabled);
    EXPECT_EQ(undo.m_strText, "&Undo\tCtrl+Z");
    EXPECT_FALSE(history.OnUpdateCommand(other));

    const RoomId r = AddRoomAt(doc, 1, 0);
    doc.DeleteRoom(r);
    history.OnUpdateCommand(undo);
    EXPECT_TRUE(undo.m_bEnabled);
    EXPECT_EQ(undo.m_strText, "&Undo Delete room\tCtrl+Z");
    EXPECT_TRUE(history.OnCommand(ID_EDIT_UNDO));
    EXPECT_TRUE(doc.GetRooms().Find(r));
    history.OnUpdateCommand(undo);
    history.OnUpdateCommand(redo);
    EXPECT_EQ(undo.m_strText, "&Undo Add room\tCtrl+Z");
    EXPECT_EQ(redo.m_strText, "&Redo Delete room\tCtrl+Y");
    EXPECT_TRUE(redo.m_bEnabled);
    EXPECT_TRUE(history.OnCommand(ID_EDIT_REDO));
    EXPECT_FALSE(doc.GetRooms().Find(r));
    EXPECT_FALSE(history.OnCommand(ID_FILE_SAVE));

    // A step inside another belongs to it; a step that changes nothing is no step.
    {
        CMapStep outer(doc, "Delete rooms");
        AddRoomAt(doc, 2, 0);
        AddRoomAt(doc, 3, 0);
    }
    EXPECT_EQ(history.UndoName(), "Delete rooms");
    const std::size_t steps = history.StepCount();
    doc.DeleteRoom(999);  // nothing stored there
    doc.ShiftRooms(999, DIR_N);
    { CMapStep nothing(doc, "Nothing"); }
    EXPECT_EQ(history.StepCount(), steps);
    EXPECT_EQ(history.UndoName(), "Delete rooms");
    // A new step lets the undone ones go.
    history.Undo();
    EXPECT_TRUE(history.CanRedo());
    AddRoomAt(doc, 4, 0);
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.RedoName(), "");
    // Changes outside any step make one step.
    CRoom room = doc.GetRoom(1);
    room.m_info.m_strTitle = "Stray";
    doc.SetRoom(room);
    room.m_crColor = 5;
    doc.SetRoom(room);
    EXPECT_EQ(history.UndoName(), "Change");
    EXPECT_FALSE(history.CanRedo());
    history.Undo();
    EXPECT_EQ(doc.GetRoom(1).m_info.m_strTitle, "");
    EXPECT_EQ(history.RedoName(), "Change");
    history.Redo();
    EXPECT_EQ(doc.GetRoom(1).m_crColor, 5u);
}

TEST(History, NewAndOpenClearSaveKeepsAndTheSavedStateClearsTheModifiedFlag)
{
    CNewDoc doc;
    CMapHistory history(doc);
    AddRoomAt(doc, 1, 0);
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(false);  // saved here
    AddRoomAt(doc, 2, 0);
    EXPECT_TRUE(doc.IsModified());
    history.Undo();
    EXPECT_FALSE(doc.IsModified()) << "back at the saved state";
    history.Undo();
    EXPECT_TRUE(doc.IsModified());
    history.Redo();
    EXPECT_FALSE(doc.IsModified());
    history.Redo();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(history.UndoCount(), 2u);
    // A new step after undoing past the saved state leaves it unreachable.
    history.Undo();
    history.Undo();
    AddRoomAt(doc, 3, 0);
    history.Undo();
    EXPECT_TRUE(doc.IsModified());

    const Bytes saved = SaveMapBytes(doc);
    doc.OnNewDocument();
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.ByteCount(), 0u);
    AddRoomAt(doc, 1, 1);
    std::string error;
    ASSERT_TRUE(LoadMapBytes(doc, saved.data(), saved.size(), error));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
}

TEST(History, BoundedByStepsAndByBytesOldestFirst)
{
    CNewDoc doc;
    CMapHistory history(doc, 5, std::size_t{1} << 30);
    for (int i = 0; i < 8; ++i)
        AddRoomAt(doc, i + 1, 0);
    EXPECT_EQ(history.StepCount(), 5u);
    int undone = 0;
    while (history.Undo())
        ++undone;
    EXPECT_EQ(undone, 5);
    EXPECT_EQ(doc.GetRooms().size(), 4u);  // the first three stay

    CNewDoc big;
    CMapHistory small(big, 100, 4096);
    for (int i = 0; i < 50; ++i)
        AddRoomAt(big, i + 1, 0, 0, std::string(300, 'x').c_str());
    EXPECT_LE(small.ByteCount(), 4096u);
    EXPECT_GT(small.StepCount(), 0u);
    EXPECT_LT(small.StepCount(), 50u);
    // A single step larger than the bound is not kept at all.
    CMapHistory tiny(big, 100, 16);
    AddRoomAt(big, 99, 0);
    EXPECT_FALSE(tiny.CanUndo());
    EXPECT_EQ(tiny.ByteCount(), 0u);
}

TEST(History, AShiftIsRecordedAsMovesAndADragAsOneStep)
{
    CNewDoc doc;
    for (int i = 0; i < 1000; ++i)
        AddRoomAt(doc, i, 0, 0, "A long title that a full copy would hold twice over");
    const Bytes before = SaveMapBytes(doc);
    CMapHistory history(doc);
    doc.ShiftRooms(1, DIR_E);
    EXPECT_LT(history.ByteCount(), 1000 * 40u) << "a shifted room costs a few words";
    for (int move = 0; move < 20; ++move) {
        CMapStep step(doc, "Move rooms", 77);
        CRoom room = doc.GetRoom(5);
        ++room.m_nY;
        doc.SetRoom(room);
    }
    EXPECT_EQ(history.UndoCount(), 2u);
    EXPECT_EQ(history.UndoName(), "Move rooms");
    history.Undo();
    EXPECT_EQ(doc.GetRoom(5).m_nY, 0);
    history.Undo();
    EXPECT_EQ(SaveMapBytes(doc), before);
    // The cell index follows: the room is found where it is again.
    EXPECT_EQ(doc.FindRoomIdAt(4, 0, 0), 6u);
}
