// Backups at save: exact rotation, and a failed save that changes nothing.
#include <filesystem>

#include "mapper/recovery/backups.h"
#include "mapper/recovery/tests/recovery_support.h"

namespace {

class Backups : public RecoveryDirTest {
protected:
    bool Save(const std::string& text, int backups)
    {
        std::string error;
        return SaveWithBackups(files, Path("map.vmm"), std::vector<std::uint8_t>(text.begin(), text.end()), backups,
                               error);
    }
    // The map file and its backups 1..9, "-" for a missing one.
    std::string State()
    {
        std::string s = Exists(Path("map.vmm")) ? Read(Path("map.vmm")) : "-";
        for (int n = 1; n <= 9; ++n)
            s += " " + (Exists(BackupPath(Path("map.vmm"), n)) ? Read(BackupPath(Path("map.vmm"), n)) : "-");
        return s;
    }
    CFaultyFiles files;
};

TEST_F(Backups, EachSaveShiftsTheEarlierVersionsUpToTheLimit)
{
    ASSERT_TRUE(Save("a", 3));
    EXPECT_EQ(State(), "a - - - - - - - - -");  // a new file has no earlier version
    ASSERT_TRUE(Save("b", 3));
    EXPECT_EQ(State(), "b a - - - - - - - -");
    ASSERT_TRUE(Save("c", 3));
    ASSERT_TRUE(Save("d", 3));
    EXPECT_EQ(State(), "d c b a - - - - - -");
    ASSERT_TRUE(Save("e", 3));
    EXPECT_EQ(State(), "e d c b - - - - - -");  // the oldest fell off
    ASSERT_TRUE(Save("f", 0));
    EXPECT_EQ(State(), "f d c b - - - - - -");  // none kept: backups untouched
    ASSERT_TRUE(Save("g", 12));                 // clamped to nine
    EXPECT_EQ(State(), "g f d c b - - - - -");
    for (const auto& e : PlatformFiles().List(Dir()))
        EXPECT_TRUE(e.name.rfind("map.vmm", 0) == 0 && e.name.find(".new") == std::string::npos &&
                    e.name.find(".old") == std::string::npos)
            << e.name;
}

TEST_F(Backups, AFailedWriteLeavesTheFileAndEveryBackup)
{
    ASSERT_TRUE(Save("a", 3));
    ASSERT_TRUE(Save("b", 3));
    ASSERT_TRUE(Save("c", 3));
    const std::string before = State();
    // The new file's temporary cannot be made.
    std::filesystem::create_directories(Path("map.vmm.new.saving"));
    EXPECT_FALSE(Save("d", 3));
    EXPECT_EQ(State(), before);
    std::filesystem::remove(Path("map.vmm.new.saving"));
    files.FailWrites(true);
    EXPECT_FALSE(Save("d", 3));
    EXPECT_EQ(State(), before);
}

TEST_F(Backups, ARenameThatFailsHalfWayIsUndone)
{
    for (const char* v : {"a", "b", "c", "d"})
        ASSERT_TRUE(Save(v, 3));
    const std::string before = State();
    // Five renames: bak3 aside, bak2, bak1, the map, the new file.
    for (int failing = 1; failing <= 5; ++failing) {
        files.renames = 0;
        files.failRename = failing;
        EXPECT_FALSE(Save("x", 3)) << failing;
        files.failRename = 0;
        EXPECT_EQ(State(), before) << failing;
        EXPECT_FALSE(Exists(Path("map.vmm.new")));
    }
    ASSERT_TRUE(Save("x", 3));
    EXPECT_EQ(State(), "x d c b - - - - - -");
}

}  // namespace
