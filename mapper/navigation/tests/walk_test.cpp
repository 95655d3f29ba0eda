#include "mapper/navigation/walk.h"

#include <gtest/gtest.h>

#include <functional>

#include "test_support.h"

namespace {

// Stands in for the client: records the steps sent and can pass each back
// at once, as the client does for every command.
struct CClientStandIn : IOnlineMoveSink {
    std::vector<Direction> sent;
    CWalk* echoTo = nullptr;
    void SendDirection(Direction dir) override
    {
        sent.push_back(dir);
        if (echoTo)
            echoTo->OnClientCommand(DirectionWord(dir), dir);
    }
};

// 1 east 2 east 3 east 4, then 4 down to a cellar; titles "Room N", "Cellar".
struct CWalkDoc : CNewDoc {
    RoomId r[6] = {0, 1, 0, 0, 0, 0};
    LinkId l[6] = {};
    CWalkDoc()
    {
        CRoom one = GetRoom(1);
        one.m_info.m_strTitle = "Room 1";
        SetRoom(one);
        for (int i = 2; i <= 4; ++i) {
            r[i] = AddRoomAt(*this, i - 1, 0, 0, ("Room " + std::to_string(i)).c_str());
            l[i] = Join(*this, r[i - 1], DIR_E, r[i], DIR_W);
        }
        r[5] = AddRoomAt(*this, 3, 0, -1, "Cellar");
        l[5] = Join(*this, r[4], DIR_D, r[5], DIR_U);
    }
    // The game's answer to a step: the mapper maps the move, then tells the walk.
    void Arrive(CWalk& walk, Direction dir, const std::string& title)
    {
        CRoomInfo info;
        info.m_strTitle = title;
        const bool moved = Move(dir, &info);
        walk.OnTitleTaken(title, moved);
    }
};

struct CWalkRig {
    CWalkDoc doc;
    CClientStandIn client;
    CWalk walk{doc, &client};
    int changes = 0;
    CWalkRig()
    {
        client.echoTo = &walk;
        walk.m_onChanged = [this] { ++changes; };
        doc.m_bOnline = true;
    }
};
struct WalkTest : ::testing::Test, CWalkRig {};

TEST_F(WalkTest, OnlineStepByStepUntilTheDestination)
{
    ASSERT_TRUE(walk.Start(doc.r[5], true));
    EXPECT_TRUE(walk.IsWalking());
    EXPECT_EQ(client.sent, std::vector<Direction>{DIR_E});  // only the first step
    EXPECT_EQ(walk.StateText(), "Walking: 4 steps left");
    EXPECT_EQ(doc.m_nCurrentRoom, 1u);  // nothing moves before the game answers
    doc.Arrive(walk, DIR_E, "Room 2");
    EXPECT_EQ(client.sent, (std::vector<Direction>{DIR_E, DIR_E}));
    EXPECT_EQ(walk.StateText(), "Walking: 3 steps left");
    doc.Arrive(walk, DIR_E, "Room 3");
    doc.Arrive(walk, DIR_E, "Room 4");
    EXPECT_EQ(client.sent.back(), DIR_D);
    doc.Arrive(walk, DIR_D, "Cellar");
    EXPECT_FALSE(walk.IsWalking());
    EXPECT_EQ(walk.LastStop(), CWalk::STOP_ARRIVED);
    EXPECT_EQ(walk.StateText(), "Arrived at Cellar");
    EXPECT_EQ(doc.m_nCurrentRoom, doc.r[5]);
    EXPECT_EQ(client.sent.size(), 4u);
    EXPECT_GE(changes, 5);
}

TEST_F(WalkTest, ExploreModeWalksAsTraceModeDoes)
{
    doc.m_bTrace = false;
    ASSERT_TRUE(walk.Start(doc.r[3], true));
    doc.Arrive(walk, DIR_E, "Room 2");
    doc.Arrive(walk, DIR_E, "Room 3");
    EXPECT_EQ(walk.LastStop(), CWalk::STOP_ARRIVED);
    EXPECT_EQ(doc.m_nCurrentRoom, doc.r[3]);
}

TEST_F(WalkTest, ATitleBeforeTheEchoIsNotAnArrival)
{
    client.echoTo = nullptr;  // the client has not passed the step back yet
    ASSERT_TRUE(walk.Start(doc.r[3], true));
    walk.OnTitleTaken("Room 2", true);
    walk.OnWrongWayLine();
    EXPECT_TRUE(walk.IsWalking());
    EXPECT_EQ(client.sent.size(), 1u);
    walk.OnClientCommand("east", DIR_E);  // the echo
    EXPECT_TRUE(walk.IsWalking());
    doc.Arrive(walk, DIR_E, "Room 2");
    EXPECT_EQ(client.sent.size(), 2u);
}

TEST_F(WalkTest, EveryStopReason)
{
    struct Case {
        const char* name;
        std::function<void(CWalkRig&)> act;
        CWalk::EStop stop;
    };
    const Case cases[] = {
        {"wrong way", [](CWalkRig& t) { t.walk.OnWrongWayLine(); }, CWalk::STOP_WRONG_WAY},
        {"typed command", [](CWalkRig& t) { t.walk.OnClientCommand("look", DIR_NONE); }, CWalk::STOP_COMMAND},
        {"typed move", [](CWalkRig& t) { t.walk.OnClientCommand("west", DIR_W); }, CWalk::STOP_COMMAND},
        {"second echo", [](CWalkRig& t) { t.walk.OnClientCommand("east", DIR_E); }, CWalk::STOP_COMMAND},
        {"escape", [](CWalkRig& t) { t.walk.OnEscape(); }, CWalk::STOP_ESCAPE},
        {"other title", [](CWalkRig& t) { t.doc.Arrive(t.walk, DIR_E, "A dark cave"); }, CWalk::STOP_ELSEWHERE},
        {"no move", [](CWalkRig& t) { t.walk.OnTitleTaken("Room 2", false); }, CWalk::STOP_ELSEWHERE},
        {"room deleted", [](CWalkRig& t) { t.doc.DeleteRoom(t.doc.r[4]); }, CWalk::STOP_MAP_CHANGED},
        {"link deleted", [](CWalkRig& t) { t.doc.DeleteLink(t.doc.l[5]); }, CWalk::STOP_MAP_CHANGED},
        {"map replaced", [](CWalkRig& t) { t.doc.OnNewDocument(); }, CWalk::STOP_MAP_CHANGED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CWalkRig t;
        ASSERT_TRUE(t.walk.Start(t.doc.r[5], true));
        c.act(t);
        EXPECT_FALSE(t.walk.IsWalking());
        EXPECT_EQ(t.walk.LastStop(), c.stop);
        EXPECT_EQ(t.walk.StateText(), t.walk.StopText(c.stop));
        EXPECT_FALSE(t.walk.StateText().empty());
        EXPECT_EQ(t.walk.StateText().find('\n'), std::string::npos);
        // Nothing more is sent after a stop, whatever comes.
        const std::size_t sent = t.client.sent.size();
        t.doc.Arrive(t.walk, DIR_E, "Room 2");
        EXPECT_EQ(t.client.sent.size(), sent);
    }
}

TEST_F(WalkTest, ChangesBesideTheWayOrBehindItDoNotStopIt)
{
    const RoomId aside = AddRoomAt(doc, 0, 5);
    ASSERT_TRUE(walk.Start(doc.r[5], true));
    doc.Arrive(walk, DIR_E, "Room 2");
    doc.DeleteRoom(aside);
    doc.DeleteLink(doc.l[2]);  // the link already walked
    CRoom three = doc.GetRoom(doc.r[3]);
    three.m_info.m_strComments = "a note";
    doc.SetRoom(three);
    EXPECT_TRUE(walk.IsWalking());
    // A slot of the way pointed elsewhere is a change of the way.
    three.m_links[DIR_E] = 0;
    doc.SetRoom(three);
    EXPECT_EQ(walk.LastStop(), CWalk::STOP_MAP_CHANGED);
}

TEST_F(WalkTest, OfflineMovesAlongTheWholeWayAtOnce)
{
    doc.m_bOnline = false;
    ASSERT_TRUE(walk.Start(doc.r[5], false));
    EXPECT_FALSE(walk.IsWalking());
    EXPECT_TRUE(client.sent.empty());
    EXPECT_EQ(doc.m_nCurrentRoom, doc.r[5]);
    EXPECT_EQ(doc.m_nCurrentPlane, -1);
    EXPECT_EQ(walk.StateText(), "Arrived at Cellar");
}

TEST_F(WalkTest, NoWayMeansNothingSent)
{
    const RoomId island = AddRoomAt(doc, 9, 9, 0, "Island");
    EXPECT_FALSE(walk.Start(island, true));
    EXPECT_FALSE(walk.IsWalking());
    EXPECT_TRUE(client.sent.empty());
    EXPECT_EQ(walk.StateText(), "No way from Room 1 to Island");
    EXPECT_FALSE(walk.Start(12345, false));
    EXPECT_EQ(doc.m_nCurrentRoom, 1u);
    // The character's own room: arrived, nothing sent.
    EXPECT_TRUE(walk.Start(1, true));
    EXPECT_FALSE(walk.IsWalking());
    EXPECT_TRUE(client.sent.empty());
}

TEST_F(WalkTest, ANewWalkReplacesTheOneInProgress)
{
    ASSERT_TRUE(walk.Start(doc.r[5], true));
    ASSERT_TRUE(walk.Start(doc.r[2], true));
    EXPECT_EQ(walk.StepsLeft(), 1u);
    doc.Arrive(walk, DIR_E, "Room 2");
    EXPECT_EQ(walk.LastStop(), CWalk::STOP_ARRIVED);
}

}  // namespace
