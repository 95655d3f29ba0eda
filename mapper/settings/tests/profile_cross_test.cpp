// Files written by the platform's profile functions read the same through the
// portable reader, and the other way round. Natively both sides are the
// portable code; under Wine, CIniFile is the platform's.
#include "mapper/settings/ini_file.h"
#include "mapper/settings/profile_text.h"
#include "mapper/settings/tests/temp_dir.h"

namespace {

using ProfileCrossTest = TempDirTest;

const std::vector<std::string> kValues = {
    "north", "You can't go that way.", "%name leaves %dir.", " leading", "trailing ", "  both  ", "\"quoted\"",
    "'single'", "\"", "a=b=c", "[not a section]", ";not a comment", "", std::string(150, 'x'),
    "caf\xE9 \xC0\xFF\x80",
};

std::string Key(std::size_t i) { return "Key" + std::to_string(i); }

TEST_F(ProfileCrossTest, PlatformWritesPortableReads)
{
    CIniFile ini(Path());
    for (std::size_t i = 0; i < kValues.size(); ++i)
        ini.WriteString(i % 2 ? "Alias" : "stop", Key(i), kValues[i]);
    ini.WriteString("stop", "KEY0", "replaced");  // same key in other letter case
    ini.WriteInt("info", "TitleLine", -3);
    const std::vector<std::string> lines = ReadProfileLines(Path());
    ASSERT_FALSE(lines.empty());
    for (std::size_t i = 0; i < kValues.size(); ++i) {
        const std::string want = i == 0 ? "replaced" : kValues[i].substr(0, CIniFile::kMaxValue);
        EXPECT_EQ(ProfileGetString(lines, i % 2 ? "alias" : "STOP", Key(i), "?"), want) << i;
        EXPECT_EQ(CIniFile(Path()).GetString(i % 2 ? "alias" : "STOP", Key(i), "?"), want) << i;
    }
    EXPECT_EQ(ProfileGetString(lines, "info", "titleline", "0"), "-3");
}

TEST_F(ProfileCrossTest, PortableWritesPlatformReads)
{
    WriteRaw("; written by hand\r\n[View]\r\ntoolbar = 0 \r\n\r\n");
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < kValues.size(); ++i)
        ASSERT_TRUE(ProfileWriteString(Path(), lines, i % 2 ? "Alias" : "stop", Key(i), kValues[i]));
    ASSERT_TRUE(ProfileWriteString(Path(), lines, "STOP", "key0", "replaced"));
    const CIniFile ini(Path());
    for (std::size_t i = 0; i < kValues.size(); ++i) {
        const std::string want = i == 0 ? "replaced" : kValues[i].substr(0, CIniFile::kMaxValue);
        EXPECT_EQ(ini.GetString(i % 2 ? "ALIAS" : "Stop", Key(i), "?"), want) << i;
    }
    EXPECT_EQ(ini.GetInt("view", "TOOLBAR", 1), 0);
    EXPECT_EQ(ini.GetString("view", "missing", "def  "), "def");
    EXPECT_EQ(ini.GetString("missing", "missing", std::string(200, 'd')), std::string(127, 'd'));
}

TEST_F(ProfileCrossTest, HandWrittenFileReadsTheSame)
{
    WriteRaw("[Stop]\nCount=2\nstop0 =  spaced  \nstop0=second\nstop1=\"  kept  \"\n[stop]\nstop2=other\n"
             "no equals here\n[follow]\ndirection=%name leaves %dir.\n");
    const std::vector<std::string> lines = ReadProfileLines(Path());
    const CIniFile ini(Path());
    for (const char* key : {"count", "stop0", "stop1", "stop2", "nothing"})
        EXPECT_EQ(ini.GetString("stop", key, "?"), ProfileGetString(lines, "stop", key, "?")) << key;
    EXPECT_EQ(ini.GetString("stop", "stop0", "?"), "spaced");
    EXPECT_EQ(ini.GetString("stop", "stop1", "?"), "  kept  ");
    EXPECT_EQ(ini.GetString("follow", "direction", "?"), "%name leaves %dir.");
}

}  // namespace
