#include <fstream>
#include <memory>

#include "mapper/model/document.h"
#include "mapper/model/map_file.h"
#include "tools/vmm/tests/vmm_test_support.h"

namespace {

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::unique_ptr<CVorMapperDoc> LoadDoc(const std::string& path)
{
    auto doc = std::make_unique<CVorMapperDoc>();
    std::string error;
    EXPECT_TRUE(LoadMapFile(*doc, path, error)) << error;
    return doc;
}

const char kSettings[] = "[stop]\r\ncount=1\r\nstop0=You can't go\r\n[skip]\r\ncount=1\r\nskip0=[ooc]\r\n"
                         "[follow]\r\nactivation=%name beckons you.\r\ndirection=%name leaves %dir.\r\n";

class VmmReplay : public ::testing::Test {
protected:
    CVmmRun Replay(const std::string& transcript, std::vector<std::string> extra = {})
    {
        WriteText(dir.File("vmapper.ini"), kSettings);
        WriteText(dir.File("t.txt"), transcript);
        VmmArgs args = {"replay", "--settings-dir", dir.File("")};
        args.insert(args.end(), extra.begin(), extra.end());
        args.insert(args.end(), {"--out", dir.File("out.vmm"), dir.File("t.txt")});
        return RunVmm(args);
    }
    CTempDir dir;
};

TEST_F(VmmReplay, PlaysCommandsAndGameLines)
{
    const CVmmRun run = Replay("# a session\r\n> n\r\n< n\r\n< [OOC] hi\r\n< Hall\r\n\r\n> e\n< You can't go that way.\n"
                               "> say hi\n< You say hi\n> s\n< Start\n<\n");
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "replayed 11 events: 2 moves, 1 rooms and 1 links created\n");
    auto doc = LoadDoc(dir.File("out.vmm"));
    ASSERT_EQ(doc->GetRooms().size(), 2u);
    EXPECT_EQ(doc->GetRoom(2).m_info.m_strTitle, "Hall");
    EXPECT_EQ(doc->GetRoom(2).m_nY, -1);
    EXPECT_EQ(doc->GetRoom(1).m_info.m_strTitle, "Start");  // filled on the way back
    EXPECT_EQ(doc->m_nCurrentRoom, 1u);
}

TEST_F(VmmReplay, ModeEvents)
{
    const CVmmRun run = Replay("! explore\n> n\n< Nowhere\n! trace\n! offline\n> n\n< Ignored\n! online\n"
                               "> n\n< North\n! autoshift\n! autoshift\n");
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "replayed 12 events: 1 moves, 1 rooms and 1 links created\n");
    EXPECT_EQ(LoadDoc(dir.File("out.vmm"))->GetRoom(2).m_info.m_strTitle, "North");
}

TEST_F(VmmReplay, FollowEvents)
{
    const CVmmRun run = Replay("! follow Bob\n< Bob leaves east.\n< Garden\n! unfollow\n< Bob leaves east.\n"
                               "< Not a title\n< Ann beckons you.\n< Ann leaves north.\n< Lane\n");
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "replayed 9 events: 2 moves, 2 rooms and 2 links created\n");
    auto doc = LoadDoc(dir.File("out.vmm"));
    EXPECT_EQ(doc->GetRoom(2).m_info.m_strTitle, "Garden");
    EXPECT_EQ(doc->GetRoom(3).m_info.m_strTitle, "Lane");
    EXPECT_EQ(doc->GetRoom(3).m_nX, 1);
    EXPECT_EQ(doc->GetRoom(3).m_nY, -1);
}

TEST_F(VmmReplay, FollowWithoutTriggersIsNotedAndGoesOn)
{
    WriteText(dir.File("t.txt"), "! follow Bob\n> n\n< North\n");
    const CVmmRun run = RunVmm({"replay", "--out", dir.File("out.vmm"), dir.File("t.txt")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.err.find("line 1: VorMapper - follow mode: Follow mode has not been configured properly."),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.out, "replayed 3 events: 1 moves, 1 rooms and 1 links created\n");
}

TEST_F(VmmReplay, BadLinesNameTheirNumberAndWriteNothing)
{
    for (const char* bad : {"> n\n<x\n", "> n\nplain text\n", "> n\n>n\n", "> n\n! fly\n", "> n\n!\n",
                            "> n\n! follow\n"}) {
        const CVmmRun run = Replay(bad);
        EXPECT_EQ(run.code, 1) << bad;
        EXPECT_NE(run.err.find(" line 2: "), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir.File("out.vmm"))) << bad;
    }
    const CVmmRun run = Replay("> n\n\n\n! fly away\n");
    EXPECT_NE(run.err.find("line 4: unknown command '! fly away'"), std::string::npos) << run.err;
}

TEST_F(VmmReplay, OddBytesArePassedAsAClientWould)
{
    std::string t = "> n\n< Caf\xE9 \x80\xFF\n> s\n< ";
    t += std::string("Sou\0th", 6);  // a client's text ends at its NUL
    t += "\n> e\n< " + std::string(1 << 20, 'x') + "\n";
    const CVmmRun run = Replay(t);
    ASSERT_EQ(run.code, 0) << run.err;
    auto doc = LoadDoc(dir.File("out.vmm"));
    EXPECT_EQ(doc->GetRoom(2).m_info.m_strTitle, "Caf\xE9 \x80\xFF");
    EXPECT_EQ(doc->GetRoom(1).m_info.m_strTitle, "Sou");
    EXPECT_EQ(doc->GetRoom(3).m_info.m_strTitle.size(), std::size_t(1) << 20);
}

TEST_F(VmmReplay, StartsFromAGivenMap)
{
    CVorMapperDoc doc;
    doc.OnNewDocument();
    doc.Move(DIR_E);
    std::string error;
    ASSERT_TRUE(SaveMapFile(doc, dir.File("in.vmm"), error)) << error;
    const CVmmRun run = Replay("> w\n< Home\n> w\n< West\n", {"--map", dir.File("in.vmm")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "replayed 4 events: 2 moves, 1 rooms and 1 links created\n");
    auto back = LoadDoc(dir.File("out.vmm"));
    EXPECT_EQ(back->GetRoom(1).m_info.m_strTitle, "Home");
    EXPECT_EQ(back->GetRoom(3).m_nX, -1);
}

TEST_F(VmmReplay, BadArgumentsMapsAndSettings)
{
    EXPECT_EQ(RunVmm({"replay"}).code, 1);
    EXPECT_EQ(RunVmm({"replay", "t.txt"}).code, 1);  // no --out
    EXPECT_EQ(RunVmm({"replay", "--out"}).code, 1);
    EXPECT_NE(RunVmm({"replay", "--bogus", "x", "--out", "o", "t"}).err.find("unknown option --bogus"),
              std::string::npos);
    WriteText(dir.File("t.txt"), "> n\n");
    WriteText(dir.File("junk.vmm"), "not a map");
    CVmmRun run = RunVmm({"replay", "--map", dir.File("junk.vmm"), "--out", dir.File("o.vmm"), dir.File("t.txt")});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("cannot load map"), std::string::npos) << run.err;
    run = RunVmm({"replay", "--out", dir.File("o.vmm"), dir.File("missing.txt")});
    EXPECT_NE(run.err.find("cannot read transcript"), std::string::npos) << run.err;
    EXPECT_EQ(RunVmm({"replay", "--map", "", "--out", dir.File("o.vmm"), dir.File("t.txt")}).code, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("o.vmm")));
    WriteText(dir.File("vmapper.ini"), "[stop]\ncount=2000000000\n[skip]\ncount=lots\n[info]\nTitleLine=-2\n");
    run = RunVmm({"replay", "--settings-dir", dir.File(""), "--out", dir.File("o.vmm"), dir.File("t.txt")});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.err.find("[stop] count '2000000000' reads as 1000 entries"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("[skip] count 'lots' reads as 0 entries"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("TitleLine -2 never takes a title"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("[stop] stop0 is empty or missing: it matches every line"), std::string::npos) << run.err;
}

// The settings as the mapper reads them: the wrong-way string, when read,
// keeps the line from becoming a title, so the count of moves tells.
class VmmReplaySettings : public VmmReplay {
protected:
    void SetUp() override
    {
        WriteText(dir.File("t.txt"), "> n\n< You can't go that way.\n");
        m_cwd = std::filesystem::current_path();
    }
    void TearDown() override { std::filesystem::current_path(m_cwd); }
    CVmmRun Run(std::vector<std::string> settings)
    {
        VmmArgs args = {"replay"};
        args.insert(args.end(), settings.begin(), settings.end());
        args.insert(args.end(), {"--out", dir.File("out.vmm"), dir.File("t.txt")});
        return RunVmm(args);
    }
    static constexpr char kMoved[] = "replayed 2 events: 1 moves, 1 rooms and 1 links created\n";
    static constexpr char kStopped[] = "replayed 2 events: 0 moves, 0 rooms and 0 links created\n";
    std::filesystem::path m_cwd;
};

TEST_F(VmmReplaySettings, WithoutADirectoryNoneAreReadAndAFolderWithoutAFileGivesTheDefaults)
{
    WriteText(dir.File("vmapper.ini"), kSettings);
    std::filesystem::current_path(dir.File(""));
    CVmmRun run = Run({});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, kMoved);
    // An empty directory text, which a client may send, leaves the bare name,
    // which the Windows profile functions look up in the Windows folder.
    run = Run({"--settings-dir", ""});
    EXPECT_EQ(run.code, 0) << run.err;
#ifndef _WIN32
    EXPECT_EQ(run.out, kStopped);
#endif
    std::filesystem::current_path(m_cwd);
    run = Run({"--settings-dir", dir.File("nowhere") + "/"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, kMoved);
    EXPECT_NE(run.err.find("warning: no settings file " + dir.File("nowhere") + "/vmapper.ini: the defaults are used"),
              std::string::npos)
        << run.err;
}

TEST_F(VmmReplaySettings, TheDirectoryTextIsAPrefixTakenAsItIs)
{
    WriteText(dir.File("game1-vmapper.ini"), kSettings);
    CVmmRun run = Run({"--settings-dir", dir.File("game1-")});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, kStopped);
    EXPECT_EQ(run.err, "");
    // No separator is added: the folder's own file is not the one named.
    WriteText(dir.File("vmapper.ini"), kSettings);
    run = Run({"--settings-dir", dir.File("game1")});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, kMoved);
}

TEST_F(VmmReplaySettings, LinesTheProfileReaderIgnoresAreIgnored)
{
    WriteText(dir.File("vmapper.ini"), "garbage before any section\n[stop]\ncount=1\nthis is no setting\n=no key\n"
                                       "stop0=You can't go\n[unclosed\nx=y\n");
    const CVmmRun run = Run({"--settings-dir", dir.File("")});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, kStopped);
    EXPECT_TRUE(std::filesystem::exists(dir.File("out.vmm")));
}

}  // namespace

TEST_F(VmmReplay, UndoAndRedoPlayTheEditMenusCommands)
{
    CVorMapperDoc doc;
    doc.OnNewDocument();
    doc.Move(DIR_E);
    std::string error;
    ASSERT_TRUE(SaveMapFile(doc, dir.File("in.vmm"), error)) << error;
    const std::vector<std::string> map = {"--map", dir.File("in.vmm")};
    auto dump = [&](const std::string& file) { return RunVmm({"dump", dir.File(file)}).out; };
    // A file read and written again has its records in the order loading
    // gave them: the map before the session is the one played with no events.
    ASSERT_EQ(Replay("# nothing\n", map).code, 0);
    const std::string before = dump("out.vmm");
    const std::string walk = "> n\n< Hall\n> e\n< Yard\n> w\n< Hall\n";
    ASSERT_EQ(Replay(walk, map).code, 0);
    const std::string after = dump("out.vmm");
    // Undoing both trace moves gives the map the session started from, to the byte of its dump.
    const CVmmRun undone = Replay(walk + "! undo\n! undo\n", map);
    ASSERT_EQ(undone.code, 0) << undone.err;
    EXPECT_EQ(dump("out.vmm"), before);
    EXPECT_NE(dump("out.vmm"), after);
    // Redoing them gives the map after them; undo with nothing left does nothing.
    ASSERT_EQ(Replay(walk + "! undo\n! undo\n! undo\n! redo\n! redo\n! redo\n", map).code, 0);
    std::string redone = dump("out.vmm");
    // The walk back west was no step: the redo leaves the character where the last step did.
    const std::string at4 = "\"currentRoom\": 4", at3 = "\"currentRoom\": 3";
    ASSERT_NE(redone.find(at4), std::string::npos);
    EXPECT_EQ(redone.replace(redone.find(at4), at4.size(), at3), after);
}
