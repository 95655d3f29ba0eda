// The game connection's filter and line cutting, fed the way a socket
// delivers: in pieces that split sequences anywhere.
#include <gtest/gtest.h>

#include "tools/playclient/line_assembler.h"
#include "tools/playclient/telnet_filter.h"

namespace {
const std::string IAC = "\xFF";

struct Fed {
    std::string text, replies;
};

// Feeds `data` in pieces of `step` bytes.
Fed FeedInPieces(const std::string& data, std::size_t step)
{
    CTelnetFilter f;
    Fed out;
    for (std::size_t i = 0; i < data.size(); i += step)
        f.Feed(data.data() + i, std::min(step, data.size() - i), out.text, out.replies);
    return out;
}

TEST(TelnetFilter, RefusesEveryOfferAndRequestWhereverTheReadsSplit)
{
    // What the game offers at connect, with text around it and a
    // subnegotiation that carries an escaped 255 and text-like bytes.
    const std::string data = "Wel" + IAC + "\xFB\x19" + IAC + "\xFD\x1F" + "come\r\n" + IAC + "\xFA\x18\x01" + IAC +
                             IAC + "abc" + IAC + "\xF0" + IAC + "\xFC\x01" + IAC + "\xFE\x03" + "Limbo\r\n";
    for (std::size_t step = 1; step <= data.size(); ++step) {
        const Fed fed = FeedInPieces(data, step);
        EXPECT_EQ(fed.text, "Welcome\nLimbo\n") << "pieces of " << step;
        // WILL EOR -> DONT EOR; DO NAWS -> WONT NAWS; WONT and DONT need no answer.
        EXPECT_EQ(fed.replies, IAC + "\xFE\x19" + IAC + "\xFC\x1F") << "pieces of " << step;
    }
}

TEST(TelnetFilter, DropsTerminalSequencesAndControlCharactersKeepsAnsiText)
{
    const std::string data = "\x1B[1;31mRed\x1B[0m room\a\b\r\n\x1B]0;title\x07" "Caf\xE9\tbar\r\n\x1B(Bx\r\n" + IAC +
                             IAC + "\n";
    for (std::size_t step : {1u, 2u, 3u, 100u}) {
        const Fed fed = FeedInPieces(data, step);
        EXPECT_EQ(fed.text, "Red room\nCaf\xE9\tbar\nx\n\xFF\n") << "pieces of " << step;
        EXPECT_EQ(fed.replies, "");
    }
}

TEST(TelnetFilter, PromptEndsItsLineOnlyWhenTextIsPending)
{
    const Fed fed = FeedInPieces("Name: " + IAC + "\xF9" + "ok\n" + IAC + "\xEF" + IAC + "\xF1", 1);
    EXPECT_EQ(fed.text, "Name: \nok\n");
}

TEST(LineAssembler, AssemblesLinesAcrossFeedsAndFlushesAPartialOne)
{
    CLineAssembler a;
    std::vector<CGameLine> lines;
    a.Feed("Town Sq", lines);
    EXPECT_TRUE(lines.empty());
    a.Feed("uare\n\nObvious", lines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "Town Square");
    EXPECT_EQ(lines[1].text, "");
    EXPECT_FALSE(lines[0].Cut());
    EXPECT_TRUE(a.HasPending());
    CGameLine last;
    ASSERT_TRUE(a.Flush(last));  // the server closed in the middle of a line
    EXPECT_EQ(last.text, "Obvious");
    EXPECT_TRUE(last.partial);
    EXPECT_FALSE(a.Flush(last));
}

TEST(LineAssembler, CutsAHugeLineAndCountsWhatWasDropped)
{
    CLineAssembler a(16384);
    std::vector<CGameLine> lines;
    const std::string huge(100 * 1024, 'x');
    for (std::size_t i = 0; i < huge.size(); i += 1000)
        a.Feed(std::string_view(huge).substr(i, 1000), lines);
    a.Feed("\nnext\n", lines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text.size(), 16384u);
    EXPECT_EQ(lines[0].length, huge.size());
    EXPECT_TRUE(lines[0].Cut());
    EXPECT_EQ(lines[1].text, "next");  // the line after it is whole
    EXPECT_FALSE(lines[1].Cut());
}
}  // namespace
