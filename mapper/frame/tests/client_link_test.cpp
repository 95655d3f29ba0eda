#include <fstream>

#include "mapper/frame/tests/client_link_fixture.h"
#include "mapper/resource_ids.h"

namespace {

// The codes are the client's: what a client sends and expects on the wire.
TEST(ClientProtocol, CodesAreThoseOnTheWire)
{
    EXPECT_EQ(UM_MAPPER_WINDOW, 1144u);
    EXPECT_EQ(CD_ATTACH, 1145u);
    EXPECT_EQ(CD_ONLINE, 1146u);
    EXPECT_EQ(CD_QUIT, 1147u);
    EXPECT_EQ(CD_COMMAND, 1148u);
    EXPECT_EQ(CD_TEXT_LINE, 1149u);
    EXPECT_EQ(CD_NOP, 1150u);
    EXPECT_EQ(CD_SETTINGS_DIR, 1154u);
}

TEST_F(ClientLinkTest, RepliesFollowTheProtocolTable)
{
    EXPECT_EQ(Message(CD_NOP), 1);
    EXPECT_EQ(Message(CD_ATTACH), 1);
    EXPECT_EQ(Message(CD_ONLINE), 1);
    EXPECT_EQ(Message(CD_COMMAND, "look"), 1);
    EXPECT_EQ(Message(CD_TEXT_LINE, "A line"), 1);
    EXPECT_EQ(Message(CD_SETTINGS_DIR, "C:\\games\\x\\"), 1);
    EXPECT_EQ(link.m_strSettingsDir, "C:\\games\\x\\");
    std::intptr_t reply = -7;
    for (std::uintptr_t code : {std::uintptr_t(1151), std::uintptr_t(1152), std::uintptr_t(1153), std::uintptr_t(0),
                                std::uintptr_t(UM_MAPPER_WINDOW), std::uintptr_t(1155), ~std::uintptr_t(0)}) {
        EXPECT_FALSE(link.OnCopyData(code, "n", 2, reply)) << code;
        EXPECT_EQ(reply, 0);
    }
    EXPECT_EQ(frame.destroys, 0);
    EXPECT_EQ(Message(CD_QUIT), 1);
    EXPECT_EQ(frame.destroys, 1);
    EXPECT_TRUE(frame.sent.empty());
}

TEST_F(ClientLinkTest, BlocksAreReadOnlyUpToTheirByteCount)
{
    std::intptr_t reply = 0;
    // No NUL: the byte count ends the text; the bytes after it are not read.
    const char noNul[] = {'s', 'o', 'u', 't', 'h', 'X', 'Y'};
    ASSERT_TRUE(link.OnCopyData(CD_COMMAND, noNul, 5, reply));
    EXPECT_EQ(session.m_strLastCommand, "south");
    EXPECT_EQ(session.m_nPendingDir, DIR_S);
    // A NUL inside the block ends the text.
    const char inner[] = {'e', '\0', 'a', 's', 't'};
    link.OnCopyData(CD_COMMAND, inner, sizeof inner, reply);
    EXPECT_EQ(session.m_strLastCommand, "e");
    EXPECT_EQ(session.m_nPendingDir, DIR_E);
    // A byte count of 0, with or without data: empty text, which is no direction.
    link.OnCopyData(CD_COMMAND, "north", 0, reply);
    EXPECT_EQ(reply, 1);
    EXPECT_EQ(session.m_strLastCommand, "");
    EXPECT_FALSE(session.m_bAwaitingTitle);
    EXPECT_TRUE(link.OnCopyData(CD_TEXT_LINE, nullptr, 100, reply));
    EXPECT_EQ(reply, 1);
    EXPECT_TRUE(link.OnCopyData(CD_SETTINGS_DIR, nullptr, 0, reply));
    EXPECT_EQ(link.m_strSettingsDir, "");
}

TEST_F(ClientLinkTest, CommandsStartAndEndWaits)
{
    Command("so");
    EXPECT_TRUE(session.m_bAwaitingTitle);
    EXPECT_EQ(session.m_nPendingDir, DIR_S);
    Command("look");
    EXPECT_FALSE(session.m_bAwaitingTitle);
    Command("north ");
    EXPECT_FALSE(session.m_bAwaitingTitle);
    Command("n\r\n");
    EXPECT_EQ(session.m_strLastCommand, "n");
    EXPECT_EQ(session.m_nPendingDir, DIR_N);
    EXPECT_TRUE(session.m_bAwaitingTitle);
}

TEST_F(ClientLinkTest, CommandWhileOfflineChangesNothing)
{
    link.OnOnlineCommand();
    ASSERT_FALSE(doc.IsOnline());
    EXPECT_FALSE(doc.m_bOnline);
    EXPECT_EQ(Command("n"), 1);
    EXPECT_FALSE(session.m_bAwaitingTitle);
    EXPECT_EQ(session.m_strLastCommand, "");
}

TEST_F(ClientLinkTest, TitleLineMovesTheCharacter)
{
    Command("e");
    EXPECT_EQ(Line("e"), 1);  // the echo is not counted
    EXPECT_EQ(doc.m_nCurrentRoom, 1u);
    Line("Market Square");
    EXPECT_FALSE(session.m_bAwaitingTitle);
    const CRoom room = Current();
    EXPECT_EQ(room.m_nId, 2u);
    EXPECT_EQ(room.m_nX, 1);
    EXPECT_EQ(room.m_info.m_strTitle, "Market Square");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(session.GetMoveCount(), 1u);
    Line("Another line");  // no wait: nothing moves
    EXPECT_EQ(doc.m_nCurrentRoom, 2u);
}

TEST_F(ClientLinkTest, EchoInOtherCaseIsCounted)
{
    Command("e");
    Line("E");
    EXPECT_EQ(Current().m_info.m_strTitle, "E");
}

TEST_F(ClientLinkTest, WrongWayLineCancelsTheWait)
{
    game.m_wrongWay = {"you can't go"};
    Command("w");
    Line("You can't go that way.");
    EXPECT_FALSE(session.m_bAwaitingTitle);
    Line("Somewhere");
    EXPECT_EQ(doc.m_nCurrentRoom, 1u);
    EXPECT_EQ(doc.GetRooms().size(), 1u);
}

TEST_F(ClientLinkTest, TitleLineCountsOnlyCountedLines)
{
    game.m_nTitleLine = 2;
    game.m_ignore = {"[ooc]"};
    Command("n");
    for (const char* l : {"n", "line zero", "", "[OOC] chatter", "line one", "Title Here", "after"})
        Line(l);
    EXPECT_EQ(Current().m_info.m_strTitle, "Title Here");
    EXPECT_EQ(session.m_nLineCount, 0);
}

TEST_F(ClientLinkTest, EmptyWrongWayEntryCancelsOnEveryLine)
{
    game.m_wrongWay = {"nothing like this", ""};
    Command("n");
    Line("");  // empty: not counted, not wrong way
    EXPECT_TRUE(session.m_bAwaitingTitle);
    Line("n");  // the echo
    EXPECT_TRUE(session.m_bAwaitingTitle);
    Line("A Room");
    EXPECT_FALSE(session.m_bAwaitingTitle);
    EXPECT_EQ(doc.m_nCurrentRoom, 1u);
}

TEST_F(ClientLinkTest, ReplacedWaitStartsCountingAfresh)
{
    game.m_nTitleLine = 1;
    Command("n");
    Line("first");  // counter 1
    Command("s");   // replaces the wait before its title came
    Line("line zero");
    EXPECT_TRUE(session.m_bAwaitingTitle);
    Line("South Room");
    EXPECT_EQ(Current().m_info.m_strTitle, "South Room");
    EXPECT_EQ(Current().m_nY, 1);
}

TEST_F(ClientLinkTest, WaitStartedOnlineEndsOfflineToo)
{
    Command("n");
    link.OnOnlineCommand();  // offline, the wait stays
    Line("Cold Room");
    EXPECT_EQ(Current().m_info.m_strTitle, "Cold Room");
}

TEST_F(ClientLinkTest, HugeOrNegativeTitleLineNeverOverflows)
{
    game.m_nTitleLine = -1;
    Command("n");
    session.m_nLineCount = 2147483646;
    for (int i = 0; i < 3; ++i)
        Line("x");
    EXPECT_EQ(session.m_nLineCount, 2147483647);
    EXPECT_TRUE(session.m_bAwaitingTitle);
    EXPECT_EQ(doc.m_nCurrentRoom, 1u);
}

TEST_F(ClientLinkTest, HostileLines)
{
    game.m_wrongWay = {"\xC9"};
    game.m_ignore = {"zz"};
    Command("n");
    const std::string big(1 << 20, '\x80');
    EXPECT_EQ(Line(big), 1);  // counted: the title
    EXPECT_EQ(Current().m_info.m_strTitle.size(), std::size_t(1) << 20);
    Command("s");
    Line("caf\xC9");  // bytes above 0x7F match byte for byte
    EXPECT_FALSE(session.m_bAwaitingTitle);
    Command("s");
    Line("caf\xE9");
    // 0xE9 is not 0xC9: only ASCII letters change case. Counted: back south.
    EXPECT_EQ(doc.m_nCurrentRoom, 1u);
    EXPECT_EQ(Current().m_info.m_strTitle, "caf\xE9");
}

TEST_F(ClientLinkTest, DirectionSentOnlyWhileDockedAndOnline)
{
    link.SendDirection(DIR_S);
    ASSERT_EQ(frame.sent.size(), 1u);
    EXPECT_EQ(frame.sent[0].code, CD_COMMAND);
    EXPECT_EQ(frame.sent[0].bytes, std::string("south\0", 6));
    game.m_aliases.SetLong(DIR_E, "");
    link.SendDirection(DIR_E);
    EXPECT_EQ(frame.sent.back().bytes, std::string(1, '\0'));
    // Through the document: trace mode and online.
    EXPECT_TRUE(doc.SendOnlineMove(DIR_N));
    EXPECT_EQ(frame.sent.back().bytes, std::string("north\0", 6));
    EXPECT_FALSE(session.m_bAwaitingTitle);  // no wait for what the mapper sends
    link.OnOnlineCommand();
    link.SendDirection(DIR_N);
    EXPECT_EQ(frame.sent.size(), 3u);
    EXPECT_EQ(link.SendToClient(CD_COMMAND, "x", 2), 0);
}

TEST_F(ClientLinkTest, SecondAttachStoresTheDefaultsOverTheConfiguredAliases)
{
    game.m_aliases.SetLong(DIR_N, "nord");
    game.m_aliases.SetShort(DIR_E, "o");  // the configured "o" beats "ost"'s prefix
    game.m_aliases.SetLong(DIR_E, "ost");
    EXPECT_EQ(Message(CD_ATTACH), 1);
    EXPECT_EQ(frame.docks, 2);
    EXPECT_EQ(game.m_aliases.GetLong(DIR_N), "north");
    EXPECT_EQ(game.m_aliases.GetShort(DIR_E), "e");
    // The configured keys stay; the defaults are added over them.
    EXPECT_EQ(game.m_aliases.Lookup("nord"), DIR_N);
    EXPECT_EQ(game.m_aliases.Lookup("No"), DIR_N);
    EXPECT_EQ(game.m_aliases.Lookup("o"), DIR_E);
    EXPECT_EQ(game.m_aliases.Lookup("north"), DIR_N);
    EXPECT_EQ(game.m_aliases.Lookup("northe"), DIR_NE);
    EXPECT_EQ(game.m_aliases.Lookup("se"), DIR_SE);
    Command("nord");
    EXPECT_TRUE(session.m_bAwaitingTitle);
    EXPECT_EQ(session.m_nPendingDir, DIR_N);
}

TEST(ClientLinkStandalone, NoClientNoDockingButOnlineFromClientStillWorks)
{
    CVorMapperDoc doc;
    doc.OnNewDocument();
    CFakeFrame frame;
    CMappingSession session(doc, frame.MappingHost());
    CClientLink link(doc, session, frame.Host());
    EXPECT_EQ(link.AttachToClient(), 1);
    EXPECT_FALSE(link.m_bAttached);
    EXPECT_EQ(frame.docks, 0);
    vfw::CCmdUI online(ID_MODE_ONLINE), follow(ID_MODE_FOLLOW);
    EXPECT_TRUE(link.OnUpdateCommand(online));
    EXPECT_FALSE(online.m_bEnabled);
    link.OnCommand(ID_MODE_ONLINE);
    EXPECT_FALSE(doc.IsOnline());
    link.m_strSettingsDir = "/nonexistent-vm-dir/";
    link.GoOnline();
    EXPECT_TRUE(doc.IsOnline());
    EXPECT_TRUE(doc.m_bOnline);
    link.OnUpdateCommand(follow);
    EXPECT_TRUE(follow.m_bEnabled);
    EXPECT_TRUE(doc.SendOnlineMove(DIR_S));  // the document asks; the frame sends nothing
    EXPECT_TRUE(frame.sent.empty());
}

}  // namespace

namespace {

TEST_F(ClientLinkTest, OnlineReadsTheSettingsFileEachTimeAndCloseWritesIt)
{
    {
        std::ofstream ini(dir / "vmapper.ini", std::ios::binary);
        ini << "[alias]\r\nlong0=forward\r\nshort0=fw\r\n[stop]\r\ncount=1\r\nstop0=Alas\r\n[info]\r\nTitleLine=1\r\n"
               "[follow]\r\nactivation=%name beckons you.\r\ndirection=%name leaves %dir.\r\n";
    }
    EXPECT_EQ(Message(CD_ONLINE), 1);
    EXPECT_EQ(game.m_aliases.GetLong(DIR_N), "forward");
    EXPECT_EQ(game.m_aliases.Lookup("fw"), DIR_N);
    EXPECT_EQ(game.m_wrongWay, (std::vector<std::string>{"Alas"}));
    EXPECT_EQ(game.m_nTitleLine, 1);
    EXPECT_TRUE(game.m_followTriggers.IsConfigured());
    // Docking again puts the default texts back; the configured keys stay.
    Message(CD_ATTACH);
    EXPECT_EQ(game.m_aliases.GetLong(DIR_N), "north");
    EXPECT_EQ(game.m_aliases.Lookup("fw"), DIR_N);
    Message(CD_ONLINE);
    EXPECT_EQ(game.m_aliases.GetLong(DIR_N), "forward");
    EXPECT_EQ(game.m_aliases.Lookup("fw"), DIR_N);
    // What the configuration sheet changed reaches the file at close.
    game.m_ignore = {"[ooc]"};
    game.m_nTitleLine = 4;
    link.SaveClientSettings();
    game.m_ignore.clear();
    game.m_nTitleLine = 0;
    Message(CD_ONLINE);
    EXPECT_EQ(game.m_ignore, (std::vector<std::string>{"[ooc]"}));
    EXPECT_EQ(game.m_nTitleLine, 4);
    EXPECT_EQ(link.GetClientSettingsPath(), dir.string() + "/vmapper.ini");
}

}  // namespace
