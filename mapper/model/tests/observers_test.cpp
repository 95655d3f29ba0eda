// Observers of the map see every change: a mirror kept only from what they are
// told matches the document after any mix of editing, moves and loads.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "mapper/model/map_file.h"
#include "mapper/model/tests/test_support.h"

namespace {

struct RoomFields {
    std::int32_t x, y, plane;
    std::array<LinkId, kDirCount> links;
    std::string title, comments, label;
    CPoint ptLabel;
    ColorRef color, labelText, labelBack;
    bool recursive;
    bool operator==(const RoomFields&) const = default;
};
RoomFields FieldsOf(const CRoom& r)
{
    return {r.m_nX, r.m_nY, r.m_nPlane, r.m_links, std::string(r.m_info.m_strTitle.view()),
            std::string(r.m_info.m_strComments.view()), std::string(r.m_info.m_strLabel.view()), r.m_info.m_ptLabel,
            r.m_crColor, r.m_info.m_crLabelText, r.m_info.m_crLabelBack, r.m_bRecursive};
}
using LinkFields = std::array<std::int64_t, 4>;
LinkFields FieldsOf(const CLink& l) { return {l.m_nFromRoom, l.m_nToRoom, l.m_nFromDir, l.m_nToDir}; }

struct CMirror : IMapObserver {
    explicit CMirror(CVorMapperDoc& d) : doc(d) { doc.AddObserver(this); OnMapReplaced(); }
    ~CMirror() override { doc.RemoveObserver(this); }

    void OnRoomChanging(RoomId id, const CRoom* before, const CRoom* after) override
    {
        // `before` is what the document still holds.
        const CRoom* stored = doc.GetRooms().Find(id);
        EXPECT_EQ(before, stored);
        EXPECT_EQ(before != nullptr, rooms.count(id) == 1) << "room " << id;
        if (after)
            rooms[id] = FieldsOf(*after);
        else
            rooms.erase(id);
        ++events;
    }
    void OnLinkChanging(LinkId id, const CLink* before, const CLink* after) override
    {
        EXPECT_EQ(before, doc.GetLinks().Find(id));
        if (after)
            links[id] = FieldsOf(*after);
        else
            links.erase(id);
        ++events;
    }
    void OnPlaneNameChanging(std::int32_t plane, const std::string* before, const std::string* after) override
    {
        EXPECT_EQ(before, doc.GetPlaneNames().Find(plane));
        if (after)
            planes[plane] = *after;
        else
            planes.erase(plane);
        ++events;
    }
    void OnMapReplaced() override
    {
        rooms.clear();
        links.clear();
        planes.clear();
        for (auto it = doc.GetRooms().begin(); it != doc.GetRooms().end(); ++it)
            rooms[it.key()] = FieldsOf(it.value());
        for (auto it = doc.GetLinks().begin(); it != doc.GetLinks().end(); ++it)
            links[it.key()] = FieldsOf(it.value());
        for (auto it = doc.GetPlaneNames().begin(); it != doc.GetPlaneNames().end(); ++it)
            planes[it.key()] = it.value();
    }

    void ExpectMatches() const
    {
        CMirror fresh(doc);
        EXPECT_EQ(rooms, fresh.rooms);
        EXPECT_EQ(links, fresh.links);
        EXPECT_EQ(planes, fresh.planes);
    }

    CVorMapperDoc& doc;
    std::map<RoomId, RoomFields> rooms;
    std::map<LinkId, LinkFields> links;
    std::map<std::int32_t, std::string> planes;
    int events = 0;
};

TEST(MapObservers, EveryKindOfChangeIsReported)
{
    CNewDoc doc;
    CMirror mirror(doc);
    const RoomId a = AddRoomAt(doc, 1, 0, 0, "A");
    const RoomId b = AddRoomAt(doc, 2, 0, 0);
    const LinkId ab = Join(doc, a, DIR_E, b, DIR_W);
    doc.SetRoomRecursive(a, true);
    doc.SetPlaneName(0, "Ground");
    doc.SetPlaneName(0, "Floor");
    mirror.ExpectMatches();

    // Moves: trace into a new cell, along a link filling a missing title,
    // and auto shift making room.
    doc.m_nCurrentRoom = a;
    CRoomInfo titled;
    titled.m_strTitle = "B";
    ASSERT_TRUE(doc.Move(DIR_E, &titled));
    EXPECT_EQ(mirror.rooms.at(b).title, "B");
    doc.SetOnline(true);
    CRoomInfo other;
    other.m_strTitle = "Elsewhere";
    doc.m_nCurrentRoom = b;
    ASSERT_TRUE(doc.Move(DIR_W, &other));  // along the link: A keeps its title
    ASSERT_TRUE(doc.Move(DIR_N, &other));
    AddRoomAt(doc, 1, 0, 0, "Blocker");
    doc.m_nCurrentRoom = AddRoomAt(doc, 0, 0, 0, "West");
    ASSERT_TRUE(doc.Move(DIR_E, &other));  // A's cell holds another title: shift east
    mirror.ExpectMatches();

    doc.DeleteLink(ab);
    doc.ShiftRooms(b, DIR_U);
    EXPECT_TRUE(doc.DeleteRoom(a));
    mirror.ExpectMatches();

    const auto bytes = SaveMapBytes(doc);
    CNewDoc loaded;
    CMirror loadedMirror(loaded);
    std::string error;
    ASSERT_TRUE(LoadMapBytes(loaded, bytes.data(), bytes.size(), error)) << error;
    EXPECT_EQ(loadedMirror.rooms, mirror.rooms);
    EXPECT_FALSE(LoadMapBytes(loaded, bytes.data(), bytes.size() / 2, error));
    loadedMirror.ExpectMatches();
    doc.OnNewDocument();
    mirror.ExpectMatches();
}

TEST(MapObservers, MovesThatChangeNothingReportNothing)
{
    CNewDoc doc;
    const RoomId a = doc.m_nCurrentRoom;
    const RoomId b = AddRoomAt(doc, 0, -1, 0, "North");
    Join(doc, a, DIR_N, b, DIR_S);
    CMirror mirror(doc);
    CRoomInfo same;
    same.m_strTitle = "North";
    ASSERT_TRUE(doc.Move(DIR_N, &same));
    ASSERT_TRUE(doc.Move(DIR_S));
    EXPECT_EQ(mirror.events, 0);
    doc.m_bTrace = false;
    EXPECT_FALSE(doc.Move(DIR_E, &same));
    EXPECT_EQ(mirror.events, 0);
}

TEST(MapObservers, RandomEditsKeepTheMirror)
{
    std::mt19937 rng(7);
    CNewDoc doc;
    CMirror mirror(doc);
    doc.SetOnline(true);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto anyRoom = [&]() {
        auto it = doc.GetRooms().begin();
        for (int skip = pick(static_cast<int>(doc.GetRooms().size())); skip > 0; --skip)
            ++it;
        return it.key();
    };
    for (int step = 0; step < 3000; ++step) {
        CRoomInfo info;
        info.m_strTitle = std::string(1, static_cast<char>('a' + pick(3)));
        switch (pick(7)) {
        case 0: case 1: case 2: doc.Move(pick(kDirCount), pick(2) ? &info : nullptr); break;
        case 3: doc.DeleteRoom(anyRoom()); break;
        case 4: doc.ShiftRooms(anyRoom(), pick(kDirCount)); break;
        case 5: if (!doc.GetLinks().empty()) doc.DeleteLink(doc.GetLinks().begin().key()); break;
        default: {
            CRoom room = doc.GetRoom(anyRoom());
            room.m_crColor = static_cast<ColorRef>(pick(5));
            room.m_nX += pick(3) - 1;
            doc.SetRoom(room);
        }
        }
        if (!doc.GetRooms().Find(doc.m_nCurrentRoom))
            doc.m_nCurrentRoom = anyRoom();
    }
    mirror.ExpectMatches();
}

}  // namespace
