#pragma once
// Runs vmm commands in-process and keeps what they print.
#include <filesystem>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "tools/vmm/commands.h"

struct CVmmRun {
    int code = -1;
    std::string out, err;
};

inline CVmmRun RunVmm(const VmmArgs& args)
{
    std::ostringstream out, err;
    CVmmRun run;
    run.code = VmmMain(args, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// A fresh directory per test, removed afterwards.
class CTempDir {
public:
    CTempDir()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::filesystem::temp_directory_path() /
                 (std::string("vmm-") + info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~CTempDir() { std::filesystem::remove_all(m_path); }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};
