#include "mapper/frame/tests/client_link_fixture.h"
#include "mapper/resource_ids.h"

namespace {

class FollowModeTest : public ClientLinkTest {
protected:
    void SetUp() override
    {
        ClientLinkTest::SetUp();
        game.m_followTriggers.SetActivation("%name beckons you.");
        game.m_followTriggers.SetDirection("%name leaves %dir.");
        game.m_followTriggers.SetStop("You stop following %name.");
    }
};

TEST_F(FollowModeTest, ActivationLineStartsFollowingAndEveryOtherLineClears)
{
    Line("Nothing to see.");
    EXPECT_FALSE(session.IsFollowing());
    EXPECT_FALSE(doc.m_bFollow);
    EXPECT_EQ(Line("Bob beckons you."), 1);
    EXPECT_TRUE(session.IsFollowing());
    EXPECT_TRUE(doc.m_bFollow);
    EXPECT_EQ(doc.m_strFollowName, "bob");
}

TEST_F(FollowModeTest, DirectionLineMovesAndStopLineEnds)
{
    Line("Bob beckons you.");
    EXPECT_EQ(Line("Bob leaves east."), 0);
    EXPECT_TRUE(session.m_bAwaitingTitle);
    EXPECT_EQ(session.m_nPendingDir, DIR_E);
    EXPECT_EQ(session.m_strLastCommand, "east");
    EXPECT_EQ(Line("Garden"), 1);
    EXPECT_EQ(Current().m_info.m_strTitle, "Garden");
    EXPECT_EQ(Current().m_nX, 1);
    Command("s");
    EXPECT_EQ(Line("You stop following Bob."), 0);  // not taken as the title
    EXPECT_TRUE(session.m_bAwaitingTitle);
    EXPECT_FALSE(session.IsFollowing());
    EXPECT_FALSE(doc.m_bFollow);
    Line("Path");
    EXPECT_EQ(Current().m_info.m_strTitle, "Path");
}

TEST_F(FollowModeTest, WithConfirmationOnlyTheFollowLineMoves)
{
    game.m_followTriggers.SetFollow("You follow %name.");
    Line("Bob beckons you.");
    EXPECT_EQ(Line("Bob leaves north."), 1);  // waits for the confirmation; examined as usual
    EXPECT_FALSE(session.m_bAwaitingTitle);
    EXPECT_EQ(Line("You follow Bob."), 0);
    EXPECT_EQ(session.m_nPendingDir, DIR_N);
    Line("Hall");
    EXPECT_EQ(Current().m_info.m_strTitle, "Hall");
    EXPECT_EQ(Current().m_nY, -1);
}

TEST_F(FollowModeTest, UnknownDirectionTextEndsTheWait)
{
    game.m_followTriggers.SetDirection("%name goes %dir");
    Line("Bob beckons you.");
    Command("n");
    EXPECT_EQ(Line("Bob goes the north"), 0);
    EXPECT_FALSE(session.m_bAwaitingTitle);
    Line("Somewhere");
    EXPECT_EQ(doc.m_nCurrentRoom, 1u);
}

TEST_F(FollowModeTest, OfflineLinesAreNotGivenToFollowMode)
{
    Line("Bob beckons you.");
    link.OnOnlineCommand();
    EXPECT_TRUE(session.IsFollowing());  // going offline keeps follow mode
    EXPECT_EQ(Line("Bob leaves east."), 1);
    EXPECT_FALSE(session.m_bAwaitingTitle);
    link.OnOnlineCommand();
    EXPECT_EQ(Line("Bob leaves east."), 0);
}

TEST_F(FollowModeTest, FollowCommandAsksForTheName)
{
    frame.answer = "Bob";
    game.m_followTriggers.SetName("Old");
    game.m_followTriggers.Deactivate();
    EXPECT_TRUE(link.OnCommand(ID_MODE_FOLLOW));
    EXPECT_EQ(frame.shownName, "Old");
    EXPECT_TRUE(session.IsFollowing());
    EXPECT_EQ(doc.m_strFollowName, "Bob");  // typed names keep their case
    EXPECT_EQ(Line("Bob leaves west."), 0);
    link.OnCommand(ID_MODE_FOLLOW);  // off
    EXPECT_FALSE(session.IsFollowing());
    EXPECT_FALSE(doc.m_bFollow);
    EXPECT_FALSE(game.m_followTriggers.IsActive());
    EXPECT_EQ(frame.prompts, 1);
}

TEST_F(FollowModeTest, FollowCommandCancelledOrEmptyStaysOff)
{
    frame.answerOk = false;
    session.OnFollowCommand();
    EXPECT_FALSE(session.IsFollowing());
    EXPECT_FALSE(doc.m_bFollow);
    frame.answerOk = true;
    frame.answer = "";
    session.OnFollowCommand();
    EXPECT_FALSE(session.IsFollowing());
    EXPECT_EQ(frame.prompts, 2);
}

TEST_F(FollowModeTest, FollowCommandNeedsTriggersAndOnline)
{
    game.m_followTriggers.SetDirection("");
    session.OnFollowCommand();
    ASSERT_EQ(frame.boxes.size(), 1u);
    EXPECT_EQ(frame.boxes[0],
              "VorMapper - follow mode|Follow mode has not been configured properly.\r\nConfigure it and try again.");
    EXPECT_EQ(frame.prompts, 0);
    EXPECT_FALSE(session.IsFollowing());
    game.m_followTriggers.SetDirection("%name leaves %dir.");
    link.OnOnlineCommand();  // offline: the command is disabled
    vfw::CCmdUI ui(ID_MODE_FOLLOW);
    link.OnUpdateCommand(ui);
    EXPECT_FALSE(ui.m_bEnabled);
    link.OnCommand(ID_MODE_FOLLOW);
    EXPECT_EQ(frame.prompts, 0);
}

}  // namespace
