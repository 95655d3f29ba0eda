#include "mapper/settings/ini_file.h"
#include "mapper/settings/profile_text.h"
#include "mapper/settings/program_settings.h"
#include "mapper/settings/tests/temp_dir.h"

namespace {

using IniFileTest = TempDirTest;

TEST_F(IniFileTest, MissingFileOrKeyGivesTheDefault)
{
    const CIniFile ini(Path());
    EXPECT_EQ(ini.GetString("alias", "long0", "north"), "north");
    EXPECT_EQ(ini.GetInt("info", "TitleLine", 7), 7);
    EXPECT_FALSE(std::filesystem::exists(Path()));  // reading creates nothing
}

TEST_F(IniFileTest, NamesIgnoreCaseAndTheFirstMatchWins)
{
    WriteRaw("; a comment\r\n[Alias]\r\n  LONG0 = forward  \r\nlong0=second\r\n[alias]\r\nshort0=x\r\n"
             "[other]\r\nshort0=y\r\n");
    const CIniFile ini(Path());
    EXPECT_EQ(ini.GetString("alias", "long0", "d"), "forward");
    // Only the first section of a name is searched.
    EXPECT_EQ(ini.GetString("ALIAS", "short0", "d"), "d");
    EXPECT_EQ(ini.GetString("other", "Short0", "d"), "y");
}

TEST_F(IniFileTest, ValuesAreCutAt127Characters)
{
    CIniFile ini(Path());
    const std::string trigger(200, 't');
    ini.WriteString("follow", "direction", trigger);
    EXPECT_EQ(CIniFile(Path()).GetString("follow", "direction", ""), trigger.substr(0, 127));
    EXPECT_EQ(ini.GetString("follow", "missing", std::string(300, 'd')), std::string(127, 'd'));
}

// The portable writer (the platform's own one is compared with it in
// profile_cross_test.cpp).
TEST_F(IniFileTest, PortableWriteReplacesInPlaceAndKeepsEveryOtherLine)
{
    const std::string before = "junk line without equals\r\n[View]\r\ngrid=0\r\n; note\r\nrose = 0\r\n\r\n"
                               "[stop]\r\ncount=1\r\n";
    WriteRaw(before);
    std::vector<std::string> lines;
    ASSERT_TRUE(ProfileWriteString(Path(), lines, "view", "ROSE", "1"));
    EXPECT_EQ(ReadRaw(), "junk line without equals\r\n[View]\r\ngrid=0\r\n; note\r\nrose=1\r\n\r\n[stop]\r\ncount=1\r\n");
    ASSERT_TRUE(ProfileWriteString(Path(), lines, "View", "state", "0"));  // at the end of its section
    EXPECT_EQ(ReadRaw(), "junk line without equals\r\n[View]\r\ngrid=0\r\n; note\r\nrose=1\r\nstate=0\r\n\r\n"
                         "[stop]\r\ncount=1\r\n");
    ASSERT_TRUE(ProfileWriteString(Path(), lines, "follow", "stop", "You stop."));  // a new section at the end
    const std::string tail = "count=1\r\n\r\n[follow]\r\nstop=You stop.\r\n";
    const std::string raw = ReadRaw();
    ASSERT_GE(raw.size(), tail.size());
    EXPECT_EQ(raw.substr(raw.size() - tail.size()), tail);
    EXPECT_EQ(CIniFile(Path()).GetInt("View", "state", 1), 0);
    EXPECT_FALSE(std::filesystem::exists(Path() + ".saving"));
    // An LF file keeps its lines and gets CRLF ends.
    WriteRaw("[a]\nk=1\nother=2");
    ASSERT_TRUE(ProfileWriteString(Path(), lines, "a", "k", "3"));
    EXPECT_EQ(ReadRaw(), "[a]\r\nk=3\r\nother=2\r\n");
}

TEST_F(IniFileTest, LfFilesAreReadAndBlanksAndQuotesSurvive)
{
    WriteRaw("[skip]\nskip0=\"  quoted  \"\nskip1='x'\n");
    CIniFile ini(Path());
    EXPECT_EQ(ini.GetString("skip", "skip0", ""), "  quoted  ");
    EXPECT_EQ(ini.GetString("skip", "skip1", ""), "x");
    for (const std::string v : {" lead", "trail ", "\"both\"", "'single'", "\"", "mid \"q\" dle", ""}) {
        ini.WriteString("skip", "v", v);
        EXPECT_EQ(CIniFile(Path()).GetString("skip", "v", "?"), v) << v;
    }
    ini.WriteString("skip", "v", "one\r\ntwo=2");  // a line break cannot make a new key
    EXPECT_EQ(CIniFile(Path()).GetString("skip", "v", "?"), "one");
    EXPECT_EQ(CIniFile(Path()).GetString("skip", "two", "?"), "?");
}

TEST_F(IniFileTest, IntegersReadLikeAtoiWithoutOverflow)
{
    WriteRaw("[n]\na=12abc\nb=abc\nc=-5\nd=99999999999999\ne=-99999999999999\nf=  +3\ng=\n");
    const CIniFile ini(Path());
    EXPECT_EQ(ini.GetInt("n", "a", 1), 12);
    EXPECT_EQ(ini.GetInt("n", "b", 1), 0);
    EXPECT_EQ(ini.GetInt("n", "c", 1), -5);
    EXPECT_EQ(ini.GetInt("n", "d", 1), 2147483647);
    EXPECT_EQ(ini.GetInt("n", "e", 1), -2147483647 - 1);
    EXPECT_EQ(ini.GetInt("n", "f", 1), 3);
    EXPECT_EQ(ini.GetInt("n", "g", 1), 0);  // present but empty
    EXPECT_EQ(ini.GetInt("n", "missing", -42), -42);
}

TEST_F(IniFileTest, UnwritableFileIsIgnored)
{
    CIniFile ini((dir / "no" / "such" / "dir" / "vmapper.ini").string());
    ini.WriteString("a", "b", "c");  // no exception, nothing reported
    EXPECT_EQ(ini.GetString("a", "b", "d"), "d");
}

TEST_F(IniFileTest, ProgramSideSettings)
{
    EXPECT_TRUE(LoadToolbarSetting(Path()));
    const CViewSettings defaults = LoadViewSettings(Path());
    EXPECT_TRUE(defaults.m_bGrid && defaults.m_bHigher && defaults.m_bLower && defaults.m_bRose && defaults.m_bState);
    SaveToolbarSetting(false, Path());
    CViewSettings s;
    s.m_bHigher = false;
    s.m_bState = false;
    SaveViewSettings(s, Path());
    EXPECT_FALSE(LoadToolbarSetting(Path()));
    const CViewSettings back = LoadViewSettings(Path());
    EXPECT_TRUE(back.m_bGrid);
    EXPECT_FALSE(back.m_bHigher);
    EXPECT_TRUE(back.m_bLower);
    EXPECT_FALSE(back.m_bState);
    const std::vector<std::string> lines = ReadProfileLines(Path());
    EXPECT_EQ(ProfileGetString(lines, "View", "toolbar", "?"), "0");
    EXPECT_EQ(ProfileGetString(lines, "View", "rose", "?"), "1");
    const std::string programDir = GetProgramDir();
    ASSERT_FALSE(programDir.empty());
    EXPECT_TRUE(programDir.back() == '/' || programDir.back() == '\\');
    EXPECT_EQ(GetProgramSettingsPath(), programDir + "vmapper.ini");
}

}  // namespace
