// Proxy mode's streams: every byte passed on unchanged both ways, however the
// reads split them, with the decoded copy of each side and the map's echoes
// put in only where they break nothing.
#include <gtest/gtest.h>

#include "tools/playclient/proxy_relay.h"

namespace {
const std::string IAC = "\xFF";
// What a game sends at connect and after: offers, a subnegotiation holding
// an LF, an escaped 255, colour, a GA-ended prompt.
const std::string kGame = "Wel" + IAC + "\xFB\x19" + "come\r\n" + IAC + "\xFA\x18\x01\n" + IAC + IAC + IAC + "\xF0" +
                          "\x1B[1mTown Square\x1B[0m\r\nA " + IAC + IAC + " sign.\r\n" + "> " + IAC + "\xF9";

struct GameOut {
    std::string toClient;
    std::vector<std::string> lines;
};

GameOut FeedGame(CProxyRelay& r, const std::string& data, std::size_t step)
{
    GameOut out;
    std::vector<CGameLine> lines;
    for (std::size_t i = 0; i < data.size(); i += step)
        r.FromGame(std::string_view(data).substr(i, step), out.toClient, lines);
    for (const CGameLine& l : lines)
        out.lines.push_back(l.text);
    return out;
}

std::vector<std::string> ReadCommands(const std::string& data, std::size_t step, std::string* toGame = nullptr)
{
    CProxyRelay r;
    std::string game;
    std::vector<std::string> commands;
    for (std::size_t i = 0; i < data.size(); i += step)
        r.FromClient(std::string_view(data).substr(i, step), game, commands);
    if (toGame)
        *toGame = game;
    return commands;
}

TEST(ProxyRelay, PassesEveryByteBothWaysWhereverTheReadsSplit)
{
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    all += all + kGame;
    for (std::size_t step : {std::size_t(1), std::size_t(2), std::size_t(3), std::size_t(7), all.size()}) {
        CProxyRelay r;
        EXPECT_EQ(FeedGame(r, all, step).toClient, all) << step;
        std::string toGame;
        ReadCommands(all, step, &toGame);
        EXPECT_EQ(toGame, all) << step;
    }
}

TEST(ProxyRelay, DecodesGameLinesLikeTheGameConnectionAndAnswersNothing)
{
    const std::vector<std::string> want = {"Welcome", "Town Square", "A \xFF sign.", "> "};
    for (std::size_t step : {std::size_t(1), std::size_t(4), kGame.size()}) {
        CProxyRelay r;
        const GameOut out = FeedGame(r, kGame, step);
        EXPECT_EQ(out.lines, want) << step;
        EXPECT_EQ(out.toClient, kGame) << "no refusals or other bytes of its own";
    }
}

TEST(ProxyRelay, LongLinesPassWholeAndTheirCopyIsCut)
{
    const std::string line(100000, 'x');
    CProxyRelay r;
    std::string toClient;
    std::vector<CGameLine> lines;
    for (std::size_t i = 0; i < line.size(); i += 4096)
        r.FromGame(std::string_view(line).substr(i, 4096), toClient, lines);
    r.FromGame("\r\n", toClient, lines);
    EXPECT_EQ(toClient, line + "\r\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].length, line.size());
    EXPECT_EQ(lines[0].text.size(), CLineAssembler::kDefaultLimit);
}

TEST(ProxyRelay, ReadsTheClientsCommandsAroundTelnetAndLineEndsOfEveryKind)
{
    const std::string data = "connect Ann secret\r\n" + IAC + "\xFB\x1F" + IAC + "\xFA\x1F\x00\x50\x00\x18" + IAC +
                             "\xF0" + "no" + IAC + "\xFD\x01" + "rth\r\n" + "south\r" + std::string(1, '\0') +
                             "east\rwest\n\r\nsay " + IAC + IAC + "\tx\x07y\r\n" + "lookk\x08\r\n" + "unfinished";
    const std::vector<std::string> want = {"connect Ann secret", "north", "south", "east", "west", "",
                                           "say \xFF\txy", "look"};
    for (std::size_t step : {std::size_t(1), std::size_t(2), std::size_t(5), data.size()})
        EXPECT_EQ(ReadCommands(data, step), want) << step;
    CClientCommandReader cut(8);
    std::vector<std::string> commands;
    cut.Feed("0123456789abc\r\nn", commands);
    EXPECT_EQ(commands, std::vector<std::string>{"01234567"});
    EXPECT_TRUE(cut.HasPending());
}

TEST(ProxyRelay, MapCommandsGoToTheGameAndTheirEchoWaitsForALineEnd)
{
    CProxyRelay r;
    std::string toGame, toClient;
    std::vector<CGameLine> lines;
    r.FromMapper("north", toGame, toClient);
    EXPECT_EQ(toGame, "north\r\n");
    EXPECT_EQ(toClient, "[map] north\r\n") << "at a line start the echo goes at once";

    // In the middle of a line, and of a subnegotiation split across reads.
    toClient.clear();
    r.FromGame("North Ro", toClient, lines);
    r.FromMapper("e\xFF", toGame, toClient);
    EXPECT_EQ(toGame, "north\r\ne\xFF\xFF\r\n");
    r.FromGame("ad\r", toClient, lines);
    r.FromGame("\n" + IAC + "\xFA\x18", toClient, lines);
    EXPECT_EQ(toClient, "North Road\r\n[map] e\xFF\xFF\r\n" + IAC + "\xFA\x18");
    r.FromMapper("up", toGame, toClient);
    r.FromGame("\n\x01" + IAC, toClient, lines);  // an LF inside the subnegotiation ends no line
    EXPECT_FALSE(r.FlushEcho(toClient)) << "nothing goes inside an open sequence";
    r.FromGame("\xF0\r\n", toClient, lines);
    EXPECT_EQ(toClient, "North Road\r\n[map] e\xFF\xFF\r\n" + IAC + "\xFA\x18\n\x01" + IAC + "\xF0\r\n[map] up\r\n");
    EXPECT_FALSE(r.HasWaitingEcho());

    // A prompt without a line end: after the quiet spell the echo goes on a line of its own.
    toClient.clear();
    r.FromGame("HP 10> ", toClient, lines);
    r.FromMapper("down", toGame, toClient);
    EXPECT_EQ(toClient, "HP 10> ");
    EXPECT_EQ(r.Pending(), "HP 10> ");
    EXPECT_TRUE(r.FlushEcho(toClient));
    EXPECT_EQ(toClient, "HP 10> \r\n[map] down\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "North Road");
    EXPECT_EQ(lines[1].text, "");
}
TEST(ProxyRelay, MapCommandsWaitForTheClientsUnfinishedLine)
{
    CProxyRelay r;
    std::string toGame, toClient;
    std::vector<std::string> commands;
    r.FromClient("nor", toGame, commands);  // a client that sends as the player types
    r.FromMapper("east", toGame, toClient);
    EXPECT_EQ(toGame, "nor");
    EXPECT_EQ(toClient, "[map] east\r\n") << "the echo needs no wait";
    EXPECT_FALSE(r.FlushCommand(toGame)) << "the client's line is not ended";
    r.FromClient("th\r", toGame, commands);
    EXPECT_EQ(toGame, "north\r") << "its LF may come yet";
    r.FromClient("\nlook\r\n", toGame, commands);
    EXPECT_EQ(toGame, "north\r\neast\r\nlook\r\n");
    EXPECT_EQ(commands, (std::vector<std::string>{"north", "look"}));

    // Inside a subnegotiation split across reads, then a line ended by a lone CR.
    toGame.clear();
    r.FromClient(IAC + "\xFA\x1F" + std::string(1, '\0'), toGame, commands);
    r.FromMapper("up", toGame, toClient);
    r.FromClient("\x50" + IAC + "\xF0" + "say hi\r", toGame, commands);
    EXPECT_TRUE(r.HasWaitingCommand());
    EXPECT_TRUE(r.FlushCommand(toGame)) << "after a quiet spell a last CR ends the line";
    EXPECT_EQ(toGame, IAC + "\xFA\x1F" + std::string(1, '\0') + "\x50" + IAC + "\xF0" + "say hi\rup\r\n");
    EXPECT_FALSE(r.HasWaitingCommand());
    EXPECT_EQ(commands.back(), "say hi");
}
}  // namespace
