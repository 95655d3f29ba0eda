// The mapping session on its own, without a client link: online mode read
// from the document, follow mode from the triggers, and the map's follow mark.
#include <gtest/gtest.h>

#include "mapper/mapping/mapping_session.h"

namespace {

class MappingSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.OnNewDocument();
        session.m_settings.m_aliases.InstallDefaults();
        CFollowTriggers& triggers = session.m_settings.m_followTriggers;
        triggers.SetActivation("%name beckons you.");
        triggers.SetDirection("%name leaves %dir.");
    }
    const CRoom& Current() const { return *doc.GetRooms().Find(doc.m_nCurrentRoom); }

    CVorMapperDoc doc;
    CMappingSession session{doc};
};

TEST_F(MappingSessionTest, OnlineModeIsTheDocumentsAndGatesCommands)
{
    session.HandleCommand("north");
    EXPECT_FALSE(session.m_bAwaitingTitle);  // offline: commands are not watched
    EXPECT_EQ(session.m_strLastCommand, "");
    doc.SetOnline(true);
    EXPECT_TRUE(session.IsOnline());
    session.HandleCommand("north");
    EXPECT_TRUE(session.m_bAwaitingTitle);
    EXPECT_EQ(session.OnGameLine("Hall"), 1);
    EXPECT_EQ(Current().m_info.m_strTitle, "Hall");
    EXPECT_EQ(session.GetMoveCount(), 1u);
    doc.SetOnline(false);
    EXPECT_FALSE(session.IsOnline());
    EXPECT_EQ(session.OnGameLine("Bob beckons you."), 1);
    EXPECT_FALSE(session.IsFollowing());  // offline lines start no following
}

TEST_F(MappingSessionTest, FollowingOutlivesANewMapWhoseMarkIsCleared)
{
    doc.SetOnline(true);
    session.OnGameLine("Bob beckons you.");
    ASSERT_TRUE(session.IsFollowing());
    EXPECT_TRUE(doc.IsFollowingOnline());
    EXPECT_EQ(doc.GetFollowName(), "bob");
    doc.OnNewDocument();  // a new map clears the map's mark only
    EXPECT_FALSE(doc.IsFollowingOnline());
    EXPECT_TRUE(session.IsFollowing());
    EXPECT_EQ(session.OnGameLine("Bob leaves east."), 0);
    EXPECT_EQ(session.m_nPendingDir, DIR_E);
    session.OnFollowCommand();  // off
    EXPECT_FALSE(session.IsFollowing());
    EXPECT_FALSE(doc.IsFollowingOnline());
}

TEST_F(MappingSessionTest, FollowCommandWithoutAPromptStaysOff)
{
    doc.SetOnline(true);
    session.OnFollowCommand();
    EXPECT_FALSE(session.IsFollowing());
    EXPECT_FALSE(doc.IsFollowingOnline());
}

}  // namespace
