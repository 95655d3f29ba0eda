#pragma once
// A fresh directory per test, removed afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() /
              ("vm_settings_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string Path(const char* name = "vmapper.ini") const { return (dir / name).string(); }
    void WriteRaw(const std::string& text, const char* name = "vmapper.ini") const
    {
        std::ofstream(Path(name), std::ios::binary) << text;
    }
    std::string ReadRaw(const char* name = "vmapper.ini") const
    {
        std::ifstream in(Path(name), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    std::filesystem::path dir;
};
