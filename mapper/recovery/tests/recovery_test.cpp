// The snapshot, the names of recovery copies, the owner file, and what
// start-up does with the copies it finds.
#include <chrono>
#include <map>

#include "mapper/model/map_file.h"
#include "mapper/recovery/map_snapshot.h"
#include "mapper/recovery/tests/recovery_support.h"
#include "mapper/recovery/recovery_store.h"
#include "mapper/recovery/startup_recovery.h"

namespace {

TEST(MapSnapshot, WritesTheSameBytesAsTheDocumentsOwnSave)
{
    CVorMapperDoc doc;
    doc.OnNewDocument();
    WalkEast(doc, 30);
    doc.SetPlaneName(-3, "Cellar");
    doc.SetPlaneName(2, std::string(300, 'p'));  // a long-prefixed string
    CRoom room = doc.GetRoom(5);
    room.m_info.m_strComments = std::string(70000, 'c');
    room.m_info.m_strLabel = "Inn";
    room.m_info.m_ptLabel = {-4, 9};
    room.m_info.m_crLabelBack = 0x123456;
    room.m_crColor = 0x00FF00;
    room.m_bRecursive = true;
    doc.SetRoom(room);
    doc.DeleteRoom(7);
    doc.m_dZoom = 2.5;
    doc.m_dRotation = 45;
    doc.m_nCurrentPlane = -3;

    CMapSnapshot snapshot;
    TakeMapSnapshot(doc, snapshot);
    EXPECT_EQ(MapSnapshotBytes(snapshot), SaveMapBytes(doc));
    // A snapshot reused for another map holds that map alone.
    CVorMapperDoc fresh;
    fresh.OnNewDocument();
    TakeMapSnapshot(fresh, snapshot);
    EXPECT_EQ(MapSnapshotBytes(snapshot), SaveMapBytes(fresh));
}

TEST(MapSnapshot, PreparedMemoryTakesTheSnapshotWithoutReallocating)
{
    CVorMapperDoc doc;
    doc.OnNewDocument();
    WalkEast(doc, 100);
    CMapSnapshot snapshot;
    EXPECT_FALSE(MapSnapshotFits(snapshot, doc));
    PrepareMapSnapshot(snapshot, 200, 400, 200 * 32);
    ASSERT_TRUE(MapSnapshotFits(snapshot, doc));
    EXPECT_TRUE(snapshot.rooms.empty());
    const auto* rooms = snapshot.rooms.data();
    const auto* text = snapshot.text.data();
    TakeMapSnapshot(doc, snapshot);
    EXPECT_EQ(snapshot.rooms.data(), rooms);
    EXPECT_EQ(snapshot.text.data(), text);
    EXPECT_EQ(MapSnapshotBytes(snapshot), SaveMapBytes(doc));
    WalkEast(doc, 150, 101);
    EXPECT_FALSE(MapSnapshotFits(snapshot, doc));
}

TEST(RecoveryNames, CopiesAreNamedAfterTheMapOrTheProcess)
{
    EXPECT_EQ(RecoveryCopyName("C:\\maps\\walk.vmm", 42), "walk.vmm");
    EXPECT_EQ(RecoveryCopyName("/home/u/world.map", 42), "world.vmm");
    EXPECT_EQ(RecoveryCopyName("C:\\maps\\noext", 42), "noext.vmm");
    EXPECT_EQ(RecoveryCopyName("", 42), "Untitled-42.vmm");
    EXPECT_EQ(RecoveryCopyNameOfProcess("C:\\maps\\walk.vmm", 42), "walk-42.vmm");
    EXPECT_EQ(MapTitle("C:\\maps\\walk.vmm"), "walk.vmm");
    EXPECT_EQ(MapTitle(""), "Untitled");
    EXPECT_EQ(RecoveryFolderBeside("C:\\prog\\vmapper.ini"), std::string("C:\\prog\\Recovery") + PathSeparator());
}

TEST(RecoveryNames, OwnerRecordsRoundTripAndGarbageIsRefused)
{
    const COwnerRecord owner{{4242, 133456789012345678ull}, "C:\\maps\\a b=c.vmm"};
    const auto back = ParseOwnerRecord(FormatOwnerRecord(owner));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->process, owner.process);
    EXPECT_EQ(back->mapPath, owner.mapPath);
    EXPECT_FALSE(ParseOwnerRecord(""));
    EXPECT_FALSE(ParseOwnerRecord("pid=12\r\n"));  // no map line
    EXPECT_FALSE(ParseOwnerRecord("pid=x\r\nmap=\r\n"));
    EXPECT_FALSE(ParseOwnerRecord(std::string(100, '\0')));
}

class CFakeProbe : public IProcessProbe {
public:
    bool IsRunning(const CProcessIdentity& p) override { return running.count(p.pid) != 0; }
    std::map<std::uint32_t, bool> running;
};

class CFakePrompt : public IRecoveryPrompt {
public:
    bool AskRestore(const std::string& q) override
    {
        questions.push_back(q);
        return answer;
    }
    void ReportUnreadable(const std::string& text) override { reports.push_back(text); }
    bool answer = true;
    std::vector<std::string> questions;
    std::vector<std::string> reports;
};

class StartupRecovery : public RecoveryDirTest {
protected:
    void SetUp() override
    {
        RecoveryDirTest::SetUp();
        folder = std::make_unique<CRecoveryFolder>(Dir(), files);
    }
    // A copy of a map walked `rooms` steps, written by process `pid` for `mapPath`.
    void PutCopy(const std::string& name, std::uint32_t pid, const std::string& mapPath, int rooms)
    {
        CVorMapperDoc doc;
        doc.OnNewDocument();
        WalkEast(doc, rooms);
        std::string error;
        ASSERT_TRUE(files.WriteReplacing(Path(name), SaveMapBytes(doc), error)) << error;
        if (pid) {
            ASSERT_TRUE(folder->WriteOwner(name, {{pid, 0}, mapPath}, error)) << error;
        }
    }
    std::vector<std::string> Discarded() const
    {
        std::vector<std::string> names;
        for (const auto& e : PlatformFiles().List(Dir() + "Discarded/"))
            names.push_back(e.name);
        return names;
    }

    CFaultyFiles files;
    CFakeProbe probe;
    CFakePrompt prompt;
    std::unique_ptr<CRecoveryFolder> folder;
};

TEST_F(StartupRecovery, YesLoadsTheCopyModifiedAndNamedAsTheOriginal)
{
    PutCopy("walk.vmm", 77, "C:\\maps\\walk.vmm", 12);
    CVorMapperDoc doc;
    doc.OnNewDocument();
    const CRestoredMap r = RecoverAtStartup(doc, *folder, probe, prompt);
    ASSERT_EQ(prompt.questions.size(), 1u);
    const std::string& q = prompt.questions[0];
    EXPECT_EQ(q.rfind("VorMapper closed without saving the map walk.vmm (changed ", 0), 0u) << q;
    EXPECT_NE(q.find("). Restore the unsaved changes?"), std::string::npos) << q;
    ASSERT_TRUE(r.restored);
    EXPECT_EQ(r.mapPath, "C:\\maps\\walk.vmm");
    EXPECT_EQ(r.copyName, "walk.vmm");
    EXPECT_EQ(doc.GetRooms().size(), 13u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(Exists(Path("walk.vmm")));  // kept until the map is saved
}

TEST_F(StartupRecovery, NoMovesTheCopyToDiscardedAndLeavesTheMap)
{
    PutCopy("Untitled-9.vmm", 9, "", 3);
    prompt.answer = false;
    CVorMapperDoc doc;
    doc.OnNewDocument();
    EXPECT_FALSE(RecoverAtStartup(doc, *folder, probe, prompt).restored);
    ASSERT_EQ(prompt.questions.size(), 1u);
    EXPECT_NE(prompt.questions[0].find("the map Untitled (changed"), std::string::npos);
    EXPECT_EQ(doc.GetRooms().size(), 1u);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(Exists(Path("Untitled-9.vmm")));
    EXPECT_FALSE(Exists(Path("Untitled-9.vmm.owner")));
    const auto moved = Discarded();
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].rfind("Untitled-9-", 0), 0u) << moved[0];
    // Asked once: the next start finds nothing.
    EXPECT_FALSE(RecoverAtStartup(doc, *folder, probe, prompt).restored);
    EXPECT_EQ(prompt.questions.size(), 1u);
}

TEST_F(StartupRecovery, CopiesOfRunningMappersAreLeftAlone)
{
    PutCopy("a.vmm", 5, "C:\\a.vmm", 2);
    probe.running[5] = true;
    CVorMapperDoc doc;
    doc.OnNewDocument();
    EXPECT_FALSE(RecoverAtStartup(doc, *folder, probe, prompt).restored);
    EXPECT_TRUE(prompt.questions.empty());
    EXPECT_TRUE(Exists(Path("a.vmm")));
    EXPECT_TRUE(Exists(Path("a.vmm.owner")));
}

TEST_F(StartupRecovery, UnreadableCopiesAreReportedAndDiscardedNeverLoaded)
{
    PutCopy("broken.vmm", 6, "C:\\broken.vmm", 40);
    std::string bytes = Read(Path("broken.vmm"));
    Write(Path("broken.vmm"), bytes.substr(0, bytes.size() / 2));  // truncated
    Write(Path("noise.vmm"), "not a map at all");                   // and no owner file
    CVorMapperDoc doc;
    doc.OnNewDocument();
    EXPECT_FALSE(RecoverAtStartup(doc, *folder, probe, prompt).restored);
    EXPECT_TRUE(prompt.questions.empty());
    ASSERT_EQ(prompt.reports.size(), 2u);
    const std::string all = prompt.reports[0] + prompt.reports[1];
    EXPECT_NE(all.find("The recovery copy broken.vmm cannot be read and was moved to Recovery\\Discarded"),
              std::string::npos)
        << all;
    EXPECT_NE(all.find("noise.vmm"), std::string::npos);
    EXPECT_EQ(doc.GetRooms().size(), 1u);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Discarded().size(), 2u);
    EXPECT_FALSE(Exists(Path("broken.vmm")));
}

TEST_F(StartupRecovery, TheNewestIsOfferedFirstAndTheRestWaitForTheNextStart)
{
    PutCopy("old.vmm", 1, "C:\\old.vmm", 2);
    PutCopy("new.vmm", 2, "C:\\new.vmm", 4);
    std::filesystem::last_write_time(Path("old.vmm"), std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    CVorMapperDoc doc;
    doc.OnNewDocument();
    const CRestoredMap r = RecoverAtStartup(doc, *folder, probe, prompt);
    ASSERT_TRUE(r.restored);
    EXPECT_EQ(r.copyName, "new.vmm");
    EXPECT_EQ(prompt.questions.size(), 1u);
    EXPECT_TRUE(Exists(Path("old.vmm")));
}

TEST_F(StartupRecovery, DiscardedCopiesGoAfterSevenDays)
{
    PutCopy("x.vmm", 3, "", 1);
    PutCopy("y.vmm", 4, "", 1);
    prompt.answer = false;
    CVorMapperDoc doc;
    doc.OnNewDocument();
    RecoverAtStartup(doc, *folder, probe, prompt);
    ASSERT_EQ(Discarded().size(), 2u);
    const std::string first = Dir() + "Discarded/" + Discarded()[0];
    std::filesystem::last_write_time(first, std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 8));
    RecoverAtStartup(doc, *folder, probe, prompt);
    ASSERT_EQ(Discarded().size(), 1u);
    EXPECT_FALSE(Exists(first));
}

}  // namespace
