#pragma once
// A fresh folder per test, and files that can be made to fail.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>

#include "mapper/model/document.h"
#include "mapper/recovery/recovery_files.h"

class RecoveryDirTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = std::filesystem::temp_directory_path() /
               ("vm_recovery_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root);
    }
    void TearDown() override { std::filesystem::remove_all(root); }

    std::string Dir() const { return root.string() + "/"; }
    std::string Path(const std::string& name) const { return (root / name).string(); }
    void Write(const std::string& path, const std::string& text) const { std::ofstream(path, std::ios::binary) << text; }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    static bool Exists(const std::string& path) { return std::filesystem::exists(path); }

    std::filesystem::path root;
};

// The platform's files, with one rename or every write made to fail, and a
// clock that can be set.
class CFaultyFiles : public IRecoveryFiles {
public:
    bool Exists(const std::string& p) override { return Base().Exists(p); }
    bool MakeFolder(const std::string& p) override { return Base().MakeFolder(p); }
    std::vector<CFileEntry> List(const std::string& f) override { return Base().List(f); }
    bool Rename(const std::string& from, const std::string& to) override
    {
        if (++renames == failRename)
            return false;
        return Base().Rename(from, to);
    }
    bool Remove(const std::string& p) override { return Base().Remove(p); }
    bool Touch(const std::string& p) override { return Base().Touch(p); }
    bool Read(const std::string& p, std::vector<std::uint8_t>& b, std::string& e) override { return Base().Read(p, b, e); }
    bool WriteReplacing(const std::string& p, const std::vector<std::uint8_t>& b, std::string& e) override
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (failWrites) {
                e = "disk full";
                return false;
            }
        }
        return Base().WriteReplacing(p, b, e);
    }
    std::int64_t Now() override { return now ? now : Base().Now(); }
    void FailWrites(bool fail)
    {
        std::lock_guard<std::mutex> lock(mutex);
        failWrites = fail;
    }

    int renames = 0;
    int failRename = 0;  // the number of the rename that fails, 0 for none
    std::int64_t now = 0;  // 0: the real clock

private:
    static IRecoveryFiles& Base() { return PlatformFiles(); }
    std::mutex mutex;
    bool failWrites = false;
};

// A map with rooms walked east in trace mode, titled "Room 1", "Room 2", ...
inline void WalkEast(CVorMapperDoc& doc, int steps, int first = 1)
{
    CRoomInfo info;
    for (int i = 0; i < steps; ++i) {
        info.m_strTitle = "Room " + std::to_string(first + i);
        doc.Move(DIR_E, &info);
    }
}
