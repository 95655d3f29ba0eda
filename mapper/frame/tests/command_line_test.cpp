#include <gtest/gtest.h>

#include "mapper/frame/command_line.h"

TEST(CommandLine, PluginSwitchWithTwoNumbers)
{
    const CPluginCommandLine line = ParseCommandLine("/plugin 3 65812");
    EXPECT_TRUE(line.m_bPlugin);
    EXPECT_EQ(line.m_nFirstNumber, 3);
    EXPECT_EQ(line.m_nClientWindow, 65812);
}

TEST(CommandLine, TheSwitchIsCaseSensitive)
{
    const CPluginCommandLine line = ParseCommandLine("/Plugin 0 65812");
    EXPECT_FALSE(line.m_bPlugin);
    EXPECT_EQ(line.m_nClientWindow, 0);
    EXPECT_FALSE(ParseCommandLine("").m_bPlugin);
    EXPECT_FALSE(ParseCommandLine("map.vmm").m_bPlugin);
}

TEST(CommandLine, ASingleNumberIsTheClientWindow)
{
    const CPluginCommandLine line = ParseCommandLine("/plugin 4242");
    EXPECT_EQ(line.m_nFirstNumber, 0);
    EXPECT_EQ(line.m_nClientWindow, 4242);
}

TEST(CommandLine, TheCharacterAfterTheSwitchIsSkippedWhateverItIs)
{
    EXPECT_EQ(ParseCommandLine("/pluginX7 99").m_nFirstNumber, 7);
    EXPECT_EQ(ParseCommandLine("/pluginX7 99").m_nClientWindow, 99);
    EXPECT_EQ(ParseCommandLine("/plugin").m_nClientWindow, 0);
    EXPECT_TRUE(ParseCommandLine("/plugin").m_bPlugin);
}

TEST(CommandLine, GarbageAndHugeNumbersReadAsZero)
{
    EXPECT_EQ(ParseCommandLine("/plugin 0 0").m_nClientWindow, 0);
    EXPECT_EQ(ParseCommandLine("/plugin abc def").m_nClientWindow, 0);
    EXPECT_EQ(ParseCommandLine("/plugin 1 99999999999999999999").m_nClientWindow, 0);
    EXPECT_EQ(ParseCommandLine("/plugin 1   123abc").m_nClientWindow, 123);
    EXPECT_EQ(ParseCommandLine("/plugin 1 -5").m_nClientWindow, -5);
    EXPECT_EQ(ParseCommandLine("/plugin 12x 7").m_nFirstNumber, 12);
}

TEST(CommandLine, OnlyATextThatIsNoSwitchNamesAMapFile)
{
    EXPECT_EQ(GetCommandLineMapFile("map.vmm"), "map.vmm");
    EXPECT_EQ(GetCommandLineMapFile("C:\\maps\\a b.vmm"), "C:\\maps\\a b.vmm");
    EXPECT_EQ(GetCommandLineMapFile("\"C:\\my maps\\a.vmm\""), "C:\\my maps\\a.vmm");
    EXPECT_EQ(GetCommandLineMapFile("\"-odd name.vmm\""), "-odd name.vmm");  // quoted: a file
    // Switches, the plug-in switch in any letter case among them, name none.
    for (const char* s : {"", "/Plugin 0 65812", "/PLUGIN", "/plugin 0 123456789", "-plugin 0 5", "/x", "-", "/"})
        EXPECT_EQ(GetCommandLineMapFile(s), "") << s;
}
