// Layout of the docked terminal and the mapper, command bytes and the
// client's command line.
#include <gtest/gtest.h>

#include "tools/playclient/client_options.h"
#include "tools/playclient/command_text.h"
#include "tools/playclient/dock_layout.h"
#include "tools/playclient/menu_names.h"

namespace {
const CBox kClient{0, 0, 1000, 600};

TEST(DockLayout, EachSideTakesItsDepthAndLeavesTheRestToTheMap)
{
    EXPECT_EQ(LayOut(kClient, kBottom, 200).terminal, (CBox{0, 400, 1000, 600}));
    EXPECT_EQ(LayOut(kClient, kBottom, 200).map, (CBox{0, 0, 1000, 400}));
    EXPECT_EQ(LayOut(kClient, kTop, 150).terminal, (CBox{0, 0, 1000, 150}));
    EXPECT_EQ(LayOut(kClient, kTop, 150).map, (CBox{0, 150, 1000, 600}));
    EXPECT_EQ(LayOut(kClient, kLeft, 300).terminal, (CBox{0, 0, 300, 600}));
    EXPECT_EQ(LayOut(kClient, kLeft, 300).map, (CBox{300, 0, 1000, 600}));
    EXPECT_EQ(LayOut(kClient, kRight, 300).terminal, (CBox{700, 0, 1000, 600}));
    EXPECT_EQ(LayOut(kClient, kRight, 300).map, (CBox{0, 0, 700, 600}));
}

TEST(DockLayout, FloatingLeavesEverythingToTheMap)
{
    const CDockLayout l = LayOut(kClient, kFloating, 200);
    EXPECT_EQ(l.map, kClient);
    EXPECT_EQ(l.terminal.Width(), 0);
    EXPECT_EQ(LayOut(kClient, 7, 200).map, kClient);  // an unknown side floats
}

TEST(DockLayout, DepthIsKeptWithinTheWindowAndTinyWindowsAreHalved)
{
    EXPECT_EQ(LayOut(kClient, kBottom, 5000).terminal.Height(), 600 - kMinPane);
    EXPECT_EQ(LayOut(kClient, kBottom, 3).terminal.Height(), kMinPane);
    EXPECT_EQ(LayOut(kClient, kBottom, -40).terminal.Height(), kMinPane);
    const CBox tiny{10, 10, 90, 60};
    EXPECT_EQ(LayOut(tiny, kLeft, 70).terminal, (CBox{10, 10, 50, 60}));
    EXPECT_EQ(LayOut(CBox{0, 0, 0, 0}, kTop, 100).terminal.Height(), 0);  // minimised
    EXPECT_EQ(DepthAt(kLeft, CBox{700, 0, 1000, 600}), 300);
    EXPECT_EQ(DepthAt(kBottom, CBox{0, 400, 1000, 600}), 200);
}

TEST(DockLayout, TheSmallestPaneGrowsWithTheScreenResolution)
{
    // 90 pixels at 144 dpi: a depth of 60 grows to it, and the map keeps 90.
    EXPECT_EQ(LayOut(kClient, kBottom, 60, 90).terminal.Height(), 90);
    EXPECT_EQ(LayOut(kClient, kRight, 5000, 90).map, (CBox{0, 0, 90, 600}));
    EXPECT_EQ(LayOut(CBox{0, 0, 170, 100}, kLeft, 100, 90).terminal.Width(), 85);  // too small for two: halves
}

TEST(CommandText, LineEndsGoAndTelnetByteIsEscaped)
{
    EXPECT_EQ(CommandText("north\r\n"), "north");
    EXPECT_EQ(CommandText(std::string_view("south\0junk", 10)), "south");
    EXPECT_EQ(GameBytes("n"), "n\r\n");
    EXPECT_EQ(GameBytes("say \xFF!"), "say \xFF\xFF!\r\n");
    EXPECT_EQ(GameBytes("a\nb"), "a b\r\n");
    EXPECT_EQ(GameBytes(""), "\r\n");
}

TEST(ClientOptions, ReadsEveryOptionAndRejectsBadOnes)
{
    CClientOptions o;
    std::string error;
    ASSERT_TRUE(ParseClientOptions({"--port", "4201", "--trace", "--walk", "w.txt", "--step-ms", "0", "--save-map",
                                    "m.vmm", "--host", "10.0.0.1"},
                                   o, error))
        << error;
    EXPECT_EQ(o.port, 4201);
    EXPECT_TRUE(o.trace);
    EXPECT_EQ(o.walk, "w.txt");
    EXPECT_EQ(o.stepMs, 0);
    EXPECT_EQ(o.saveMap, "m.vmm");
    EXPECT_EQ(o.host, "10.0.0.1");
    EXPECT_EQ(o.listen, 0);
    ASSERT_TRUE(ParseClientOptions({"--listen", "4000", "--port", "4201", "--save-on", "s"}, o, error)) << error;
    EXPECT_EQ(o.listen, 4000);
    EXPECT_EQ(o.saveOn, "s");
    for (auto bad : std::vector<std::vector<std::string>>{
             {"--listen", "4000"}, {"--listen", "0", "--port", "1"}, {"--port", "0"}, {"--port", "70000"}, {"--port", "12x"}, {"--walk"}, {"--bogus", "1"}, {"stray"}}) {
        CClientOptions p;
        EXPECT_FALSE(ParseClientOptions(bad, p, error)) << bad[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(ClientOptions, WalkFileSkipsBlanksAndComments)
{
    EXPECT_EQ(ParseWalk("# demo\r\nconnect Ann secret\r\n\r\n  north \r\n\t# back\nsouth"),
              (std::vector<std::string>{"connect Ann secret", "north", "south"}));
}
}  // namespace

namespace {
TEST(MenuNames, NamesReachTheMapperCommands)
{
    EXPECT_EQ(MenuCommandId("trace"), 32782u);
    EXPECT_EQ(MenuCommandId("saveas"), 57604u);
    EXPECT_EQ(MenuCommandId("Trace"), 0u);
    EXPECT_EQ(MenuCommandId(""), 0u);
    EXPECT_NE(MenuCommandNames().find("zoomin"), std::string::npos);
}
}  // namespace
