// When copies fall due, and the worker that writes them.
#include "mapper/model/map_file.h"
#include "mapper/recovery/autosave.h"
#include "mapper/recovery/autosave_settings.h"
#include "mapper/recovery/tests/recovery_support.h"

namespace {

TEST(AutosaveSchedule, DueAnIntervalAfterTheMapBecameModifiedAndAfterEachCopy)
{
    CAutosaveSchedule s(60);
    s.Observe(false, 1, 0);
    EXPECT_FALSE(s.Due(100000));  // nothing to save
    s.Observe(true, 1, 5000);
    EXPECT_FALSE(s.Due(64999));
    EXPECT_TRUE(s.Due(65000));
    s.CopyStarted(65000);
    s.Observe(true, 1, 70000);
    EXPECT_FALSE(s.Due(124999));
    EXPECT_TRUE(s.Due(125000));
    // Saved: the clock starts again at the next change.
    s.Observe(false, 1, 126000);
    s.Observe(true, 1, 200000);
    EXPECT_FALSE(s.Due(259999));
    EXPECT_TRUE(s.Due(260000));
}

TEST(AutosaveSchedule, FiftyRoomsSinceTheLastCopyMakeOneDueAtOnce)
{
    CAutosaveSchedule s(60);
    s.Observe(true, 1, 0);
    s.Observe(true, 50, 10);  // 49 added
    EXPECT_FALSE(s.Due(10));
    s.Observe(true, 51, 20);
    EXPECT_TRUE(s.Due(20));
    s.CopyStarted(20);
    EXPECT_FALSE(s.Due(30));
    s.Observe(true, 200, 40);  // one step of 149
    EXPECT_TRUE(s.Due(40));
    s.CopyStarted(40);
    // A new map (the counter starts afresh) is no burst.
    s.Observe(true, 1, 50);
    s.Observe(true, 30, 60);
    EXPECT_FALSE(s.Due(60));
}

TEST(AutosaveSchedule, IntervalZeroTurnsEverythingOff)
{
    CAutosaveSchedule s(0);
    s.Observe(true, 1, 0);
    s.Observe(true, 500, 1);
    EXPECT_FALSE(s.Due(1u << 30));
    CAutosaveSchedule negative(-5);
    EXPECT_FALSE(negative.Enabled());
}

class Autosave : public RecoveryDirTest {
protected:
    void SetUp() override
    {
        RecoveryDirTest::SetUp();
        folder = std::make_unique<CRecoveryFolder>(Dir() + "Recovery/", files);
        doc.OnNewDocument();
        autosave = std::make_unique<CAutosave>(doc, *folder, CProcessIdentity{321, 9}, 1);
    }
    void TearDown() override
    {
        autosave.reset();
        RecoveryDirTest::TearDown();
    }
    // A copy at `now`, waited for.
    void PollAndWait(std::uint64_t now)
    {
        autosave->Poll(now);
        autosave->Wait();
        autosave->Poll(now);  // takes the result
    }
    std::size_t RoomsInCopy(const std::string& path)
    {
        CVorMapperDoc copy;
        std::string error;
        EXPECT_TRUE(LoadMapFile(copy, path, error)) << error;
        return copy.GetRooms().size();
    }

    CFaultyFiles files;
    std::unique_ptr<CRecoveryFolder> folder;
    CVorMapperDoc doc;
    std::unique_ptr<CAutosave> autosave;
};

TEST_F(Autosave, WritesTheCopyOnTheWorkerAndLeavesTheModifiedFlag)
{
    PollAndWait(0);
    EXPECT_EQ(autosave->WritesDone(), 0u);  // not modified: nothing
    WalkEast(doc, 5);
    doc.SetModifiedFlag(true);
    PollAndWait(100);
    EXPECT_EQ(autosave->WritesDone(), 0u);  // the interval has not passed
    PollAndWait(1100);
    ASSERT_EQ(autosave->WritesDone(), 1u);
    const std::string copy = Dir() + "Recovery/Untitled-321.vmm";
    EXPECT_EQ(autosave->CopyPath(), copy);
    EXPECT_EQ(RoomsInCopy(copy), 6u);
    EXPECT_TRUE(doc.IsModified());
    const auto owner = folder->ReadOwner("Untitled-321.vmm");
    ASSERT_TRUE(owner);
    EXPECT_EQ(owner->process, (CProcessIdentity{321, 9}));
    EXPECT_EQ(owner->mapPath, "");
    EXPECT_EQ(autosave->Note(), "");
}

TEST_F(Autosave, AFailedWriteKeepsTheLastGoodCopyShowsTheNoteAndIsRetried)
{
    WalkEast(doc, 3);
    doc.SetModifiedFlag(true);
    PollAndWait(0);
    PollAndWait(1000);
    ASSERT_EQ(autosave->WritesDone(), 1u);
    const std::string good = Read(autosave->CopyPath());
    files.FailWrites(true);
    WalkEast(doc, 3, 10);
    PollAndWait(2000);
    EXPECT_EQ(autosave->WritesDone(), 2u);
    EXPECT_EQ(autosave->Note(), kAutosaveFailedNote);
    EXPECT_EQ(Read(autosave->CopyPath()), good);
    PollAndWait(2500);
    EXPECT_EQ(autosave->WritesDone(), 2u);  // not before the next interval
    files.FailWrites(false);
    PollAndWait(3000);
    EXPECT_EQ(autosave->WritesDone(), 3u);
    EXPECT_EQ(autosave->Note(), "");
    EXPECT_EQ(RoomsInCopy(autosave->CopyPath()), 7u);
}

TEST_F(Autosave, ABurstOfFiftyRoomsWritesAtOnce)
{
    doc.SetModifiedFlag(true);
    PollAndWait(0);
    WalkEast(doc, 60);
    PollAndWait(10);  // well within the interval
    ASSERT_EQ(autosave->WritesDone(), 1u);
    EXPECT_EQ(RoomsInCopy(autosave->CopyPath()), 61u);
}

TEST_F(Autosave, RemovingTheCopyWaitsForTheWriteInProgress)
{
    doc.SetModifiedFlag(true);
    PollAndWait(0);  // the worker readies its snapshot memory and is idle again
    WalkEast(doc, 2000);
    autosave->Poll(10);  // a burst: the write starts
    const std::string copy = autosave->CopyPath();
    autosave->RemoveCopy();
    EXPECT_EQ(autosave->WritesDone(), 1u);
    EXPECT_FALSE(Exists(copy));
    EXPECT_FALSE(Exists(copy + ".owner"));
}

TEST_F(Autosave, ANamedMapKeepsOutOfAnotherMappersCopyOfTheSameName)
{
    std::string error;
    ASSERT_TRUE(folder->Ensure());
    ASSERT_TRUE(files.WriteReplacing(Dir() + "Recovery/walk.vmm", {1, 2, 3}, error));
    ASSERT_TRUE(folder->WriteOwner("walk.vmm", {{999, 1}, "D:\\other\\walk.vmm"}, error));
    autosave->SetMapPath("C:\\maps\\walk.vmm");
    doc.SetModifiedFlag(true);
    PollAndWait(0);
    WalkEast(doc, 60);
    PollAndWait(10);
    EXPECT_EQ(autosave->CopyName(), "walk-321.vmm");
    EXPECT_EQ(Read(Dir() + "Recovery/walk.vmm"), std::string("\1\2\3"));
}

TEST_F(Autosave, AnAdoptedCopyTakesThisProcesssNameAndOwner)
{
    std::string error;
    ASSERT_TRUE(folder->Ensure());
    ASSERT_TRUE(files.WriteReplacing(Dir() + "Recovery/Untitled-7.vmm", SaveMapBytes(doc), error));
    ASSERT_TRUE(folder->WriteOwner("Untitled-7.vmm", {{7, 1}, ""}, error));
    autosave->AdoptCopy("Untitled-7.vmm");
    EXPECT_EQ(autosave->CopyName(), "Untitled-321.vmm");
    EXPECT_FALSE(Exists(Dir() + "Recovery/Untitled-7.vmm"));
    EXPECT_FALSE(Exists(Dir() + "Recovery/Untitled-7.vmm.owner"));
    const auto owner = folder->ReadOwner("Untitled-321.vmm");
    ASSERT_TRUE(owner);
    EXPECT_EQ(owner->process.pid, 321u);
}

TEST_F(Autosave, SettingsDefaultAndClamp)
{
    const std::string ini = Path("vmapper.ini");
    CAutosaveSettings s = LoadAutosaveSettings(ini);
    EXPECT_EQ(s.m_nInterval, 60);
    EXPECT_EQ(s.m_nBackups, 3);
    Write(ini, "[Autosave]\r\nInterval=5\r\nBackups=42\r\n");
    s = LoadAutosaveSettings(ini);
    EXPECT_EQ(s.m_nInterval, 5);
    EXPECT_EQ(s.m_nBackups, 9);
    Write(ini, "[autosave]\r\ninterval=-3\r\nbackups=-1\r\n");
    s = LoadAutosaveSettings(ini);
    EXPECT_EQ(s.m_nInterval, 0);
    EXPECT_EQ(s.m_nBackups, 0);
}

}  // namespace
