#include <chrono>

#include "mapper/settings/client_settings.h"
#include "mapper/settings/ini_file.h"
#include "mapper/settings/tests/temp_dir.h"

namespace {

class ClientSettingsTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        aliases.InstallDefaults();
        wrongWay = ignore = {"old"};
        titleLine = 5;
    }
    void Load() { LoadClientSettings(Path(), settings); }
    void Save() { SaveClientSettings(Path(), settings); }

    CGameSettings settings;
    CDirectionAliases& aliases = settings.m_aliases;
    std::vector<std::string>& wrongWay = settings.m_wrongWay;
    std::vector<std::string>& ignore = settings.m_ignore;
    std::int32_t& titleLine = settings.m_nTitleLine;
    CFollowTriggers& triggers = settings.m_followTriggers;
};

TEST_F(ClientSettingsTest, NoFileGivesDefaults)
{
    triggers.SetActivation("old");
    Load();
    EXPECT_EQ(aliases.GetLong(DIR_NE), "northeast");
    EXPECT_EQ(aliases.Lookup("so"), DIR_S);
    EXPECT_TRUE(wrongWay.empty());
    EXPECT_TRUE(ignore.empty());
    EXPECT_EQ(titleLine, 0);
    EXPECT_EQ(triggers.GetActivation(), "");
    EXPECT_EQ(triggers.GetDirection(), "");
    EXPECT_EQ(GetClientSettingsPath("C:\\x\\"), "C:\\x\\vmapper.ini");
    EXPECT_EQ(GetClientSettingsPath(""), "vmapper.ini");
}

TEST_F(ClientSettingsTest, SavedValuesReadBack)
{
    aliases.SetLong(DIR_U, "climb");
    aliases.SetShort(DIR_U, " cl ");
    wrongWay = {"You can't go", "Alas,"};
    ignore = {"[ooc]"};
    titleLine = 3;
    triggers.SetActivation("%name beckons you.");
    triggers.SetDirection("%name leaves %dir.");
    triggers.SetFollow("You follow %name.");
    triggers.SetStop(std::string(200, 's'));
    Save();

    CGameSettings loaded;
    CDirectionAliases& a2 = loaded.m_aliases;
    a2.InstallDefaults();
    const std::vector<std::string>& w2 = loaded.m_wrongWay;
    const std::vector<std::string>& i2 = loaded.m_ignore;
    const std::int32_t& t2 = loaded.m_nTitleLine;
    const CFollowTriggers& f2 = loaded.m_followTriggers;
    LoadClientSettings(Path(), loaded);
    EXPECT_EQ(a2.GetLong(DIR_U), "climb");
    EXPECT_EQ(a2.GetShort(DIR_U), " cl ");
    EXPECT_EQ(a2.Lookup("clim"), DIR_U);
    EXPECT_EQ(w2, wrongWay);
    EXPECT_EQ(i2, ignore);
    EXPECT_EQ(t2, 3);
    EXPECT_EQ(f2.GetActivation(), "%name beckons you.");
    EXPECT_EQ(f2.GetFollow(), "You follow %name.");
    EXPECT_EQ(f2.GetStop(), std::string(127, 's'));
    const std::string raw = ReadRaw();
    EXPECT_NE(raw.find("[alias]\r\nlong0=north\r\nshort0=n\r\nlong1=south\r\n"), std::string::npos);
    EXPECT_NE(raw.find("[info]\r\nTitleLine=3\r\n"), std::string::npos);
}

TEST_F(ClientSettingsTest, ShrunkListLeavesOldKeysButReadsTheCount)
{
    wrongWay = {"a", "b", "c", "d", "e"};
    Save();
    wrongWay = {"x", "y"};
    Save();
    EXPECT_EQ(CIniFile(Path()).GetString("stop", "stop4", ""), "e");
    EXPECT_EQ(CIniFile(Path()).GetInt("stop", "count", -1), 2);
    Load();
    EXPECT_EQ(wrongWay, (std::vector<std::string>{"x", "y"}));
}

TEST_F(ClientSettingsTest, FileAliasesRegisterInDirectionOrder)
{
    // long0 "down" then long9 "door": "do" belongs to north's alias, read first.
    WriteRaw("[alias]\r\nlong0=down\r\nlong9=door\r\n");
    Load();
    EXPECT_EQ(aliases.Lookup("do"), DIR_N);
    EXPECT_EQ(aliases.Lookup("door"), DIR_D);
    // The table was emptied before reading: "north" is now only a prefix of "northeast".
    EXPECT_EQ(aliases.Lookup("north"), DIR_NE);
    EXPECT_EQ(aliases.Lookup("s"), DIR_S);          // defaults from memory for the rest
}

TEST_F(ClientSettingsTest, BadCountsAndTitleLines)
{
    WriteRaw("[stop]\r\ncount=many\r\nstop0=a\r\n[skip]\r\ncount=-3\r\nskip0=b\r\n[info]\r\nTitleLine=42\r\n");
    Load();
    EXPECT_TRUE(wrongWay.empty());
    EXPECT_TRUE(ignore.empty());
    EXPECT_EQ(titleLine, 42);  // used unchanged
    WriteRaw("[stop]\r\ncount=3\r\nstop1=mid\r\n[info]\r\nTitleLine=-1\r\n");
    Load();
    EXPECT_EQ(wrongWay, (std::vector<std::string>{"", "mid", ""}));
    EXPECT_EQ(titleLine, -1);
}

TEST_F(ClientSettingsTest, HugeCountIsBounded)
{
    WriteRaw("[stop]\r\ncount=2000000000\r\nstop0=first\r\n[skip]\r\ncount=99999999999\r\n");
    const auto start = std::chrono::steady_clock::now();
    Load();
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(wrongWay.size(), std::size_t(kMaxListCount));
    EXPECT_EQ(wrongWay[0], "first");
    EXPECT_EQ(ignore.size(), std::size_t(kMaxListCount));
    EXPECT_LT(took, std::chrono::seconds(5));
}

}  // namespace
