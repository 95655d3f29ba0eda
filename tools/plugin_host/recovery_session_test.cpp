// Autosave across processes: the docked mapper writes its recovery copy while
// the player walks, is killed as a crash would kill it, and the next mapper
// offers the unsaved map back. Each test runs its own copy of the program,
// so that its settings file and Recovery folder are its own.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "mapper/frame/client_protocol.h"
#include "mapper/model/document.h"
#include "mapper/model/map_file.h"
#include "tools/plugin_host/plugin_host.h"

namespace {

std::string SourceExe()
{
    const char* exe = std::getenv("VORMAPPER_EXE");
    return exe ? WindowsPath(exe) : std::string();
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// Every file of a folder (no subfolders).
std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((folder + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(fd.cFileName);
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
    return names;
}

void EmptyFolder(const std::string& folder)
{
    for (const std::string& name : FilesIn(folder))
        ::DeleteFileA((folder + name).c_str());
}

BOOL CALLBACK AddChildText(HWND child, LPARAM lp)
{
    char text[1024] = "";
    ::GetWindowTextA(child, text, sizeof text);
    *reinterpret_cast<std::string*>(lp) += std::string(text) + "\n";
    return TRUE;
}

// The texts of a window's children, joined.
std::string TextsOf(HWND window)
{
    std::string all;
    ::EnumChildWindows(window, AddChildText, reinterpret_cast<LPARAM>(&all));
    return all;
}

class RecoverySession : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ::GetTempPathA(sizeof temp, temp);
        dir = std::string(temp) + "vormapper-recovery\\";
        prog = dir + "prog\\";
        recovery = prog + "Recovery\\";
        ::CreateDirectoryA(dir.c_str(), nullptr);
        ::CreateDirectoryA(prog.c_str(), nullptr);
        EmptyFolder(recovery + "Discarded\\");
        EmptyFolder(recovery);
        EmptyFolder(dir);
        exe = prog + "VorMapper.exe";
        ASSERT_FALSE(SourceExe().empty()) << "VORMAPPER_EXE is not set";
        ASSERT_TRUE(::CopyFileA(SourceExe().c_str(), exe.c_str(), FALSE));
        WriteText(prog + "vmapper.ini", "[View]\r\ntoolbar=1\r\n[Autosave]\r\nInterval=1\r\n");
        WriteText(dir + "vmapper.ini", "[info]\r\nTitleLine=0\r\n");
    }

    void StartDocked(CPluginHost& host)
    {
        char args[64];
        std::snprintf(args, sizeof args, "/plugin 0 %ld", static_cast<long>(reinterpret_cast<INT_PTR>(host.Window())));
        ASSERT_TRUE(host.Start(exe, args));
        ASSERT_TRUE(host.PumpUntil([&] { return host.MapperWindow() != nullptr; }));
        EXPECT_EQ(host.SendText(CD_SETTINGS_DIR, dir), 1);
        EXPECT_EQ(host.Send(CD_ATTACH, nullptr, 0), 1);
        EXPECT_EQ(host.Send(CD_ONLINE, nullptr, 0), 1);
    }

    void Walk(CPluginHost& host, const char* command, const std::string& title)
    {
        EXPECT_EQ(host.SendText(CD_COMMAND, command), 1);
        EXPECT_EQ(host.SendText(CD_TEXT_LINE, title), 1);
    }

    // Walks a route of `rooms` new rooms east, then waits for a recovery copy
    // that holds all of them; kills the mapper.
    void WalkUntilAutosavedThenKill(int rooms)
    {
        CPluginHost host;
        StartDocked(host);
        if (HasFatalFailure())
            return;
        for (int i = 1; i <= rooms; ++i)
            Walk(host, "e", "Road " + std::to_string(i));
        copy = recovery + "Untitled-" + std::to_string(host.MapperProcessId()) + ".vmm";
        std::size_t held = 0;
        const bool saved = host.PumpUntil(
            [&] {
                CVorMapperDoc map;
                std::string error;
                held = LoadMapFile(map, copy, error) ? map.GetRooms().size() : 0;
                return held == static_cast<std::size_t>(rooms) + 1;
            },
            15000);
        ASSERT_TRUE(saved) << "the copy holds " << held << " rooms";
        ASSERT_TRUE(host.Kill());
    }

    // The recovery question of the mapper's process, answered with `button`.
    bool Answer(CPluginHost& host, int button, std::string& text)
    {
        HWND box = nullptr;
        if (!host.PumpUntil([&] { return (box = host.FindMapperDialog()) && ::GetDlgItem(box, button); }))
            return false;
        text = TextsOf(box);
        ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, button)));
        return host.PumpUntil([&] { return !::IsWindow(box); });
    }

    std::string dir, prog, recovery, exe, copy;
};

TEST_F(RecoverySession, AKilledMappersRoomsComeBackWithYesAndTheSaveEndsTheCopy)
{
    WalkUntilAutosavedThenKill(6);
    if (HasFatalFailure())
        return;
    EXPECT_EQ(::GetFileAttributesA(copy.c_str()) != INVALID_FILE_ATTRIBUTES, true);

    CPluginHost host;
    StartDocked(host);
    if (HasFatalFailure())
        return;
    std::string question;
    ASSERT_TRUE(Answer(host, IDYES, question));
    EXPECT_NE(question.find("VorMapper closed without saving the map Untitled (changed "), std::string::npos) << question;
    EXPECT_NE(question.find("). Restore the unsaved changes?"), std::string::npos) << question;
    // Restored and still unsaved: mapping goes on from the restored room.
    Walk(host, "e", "Road 7");

    // The close asks about the unsaved map; it is saved through the file dialog.
    ::PostMessageA(host.MapperWindow(), WM_CLOSE, 0, 0);
    std::string ignored;
    ASSERT_TRUE(Answer(host, IDYES, ignored));
    HWND dlg = nullptr;
    ASSERT_TRUE(host.PumpUntil([&] { return (dlg = host.FindMapperDialog()) && (::GetDlgItem(dlg, 0x47C) || ::GetDlgItem(dlg, 0x480)); }));
    for (int id : {0x47C, 0x480})
        if (HWND edit = ::GetDlgItem(dlg, id))
            ::SetWindowTextA(edit, (dir + "restored.vmm").c_str());
    ::PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, IDOK)));
    ASSERT_TRUE(host.WaitForExit(20000));

    CVorMapperDoc map;
    std::string error;
    ASSERT_TRUE(LoadMapFile(map, dir + "restored.vmm", error)) << error;
    ASSERT_EQ(map.GetRooms().size(), 8u);
    for (int i = 1; i <= 7; ++i) {
        const RoomId id = map.FindRoomIdAt(i, 0, 0);
        ASSERT_NE(id, 0u) << i;
        EXPECT_EQ(map.GetRoom(id).m_info.m_strTitle, "Road " + std::to_string(i));
    }
    EXPECT_EQ(map.m_nCurrentRoom, map.FindRoomIdAt(7, 0, 0));
    // The save took the copy away; nothing was discarded.
    EXPECT_TRUE(FilesIn(recovery).empty()) << FilesIn(recovery).front();
    EXPECT_TRUE(FilesIn(recovery + "Discarded\\").empty());
}

TEST_F(RecoverySession, NoMovesTheCopyToDiscardedAndStartsAnEmptyMap)
{
    WalkUntilAutosavedThenKill(3);
    if (HasFatalFailure())
        return;
    CPluginHost host;
    StartDocked(host);
    if (HasFatalFailure())
        return;
    std::string question;
    ASSERT_TRUE(Answer(host, IDNO, question));
    EXPECT_NE(question.find("closed without saving"), std::string::npos) << question;
    // The mapper moves the copy once its question has closed: on a loaded
    // machine that can come a moment after the box is gone.
    EXPECT_TRUE(host.PumpUntil([&] { return FilesIn(recovery).empty(); })) << FilesIn(recovery).front();
    const auto discarded = FilesIn(recovery + "Discarded\\");
    ASSERT_EQ(discarded.size(), 1u);
    CVorMapperDoc kept;
    std::string error;
    ASSERT_TRUE(LoadMapFile(kept, recovery + "Discarded\\" + discarded[0], error)) << error;
    EXPECT_EQ(kept.GetRooms().size(), 4u);
    // The map is the empty one: the close asks nothing.
    ::PostMessageA(host.MapperWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(host.WaitForExit(20000));
    EXPECT_EQ(host.ExitCode(), 0u);
}

TEST_F(RecoverySession, ACopyOfAMapperStillRunningIsLeftAlone)
{
    CPluginHost first;
    StartDocked(first);
    if (HasFatalFailure())
        return;
    Walk(first, "e", "Mine");
    const std::string own = recovery + "Untitled-" + std::to_string(first.MapperProcessId()) + ".vmm";
    ASSERT_TRUE(first.PumpUntil([&] { return ::GetFileAttributesA(own.c_str()) != INVALID_FILE_ATTRIBUTES; }, 15000));

    CPluginHost second;
    StartDocked(second);
    if (HasFatalFailure())
        return;
    second.Pump(1500);
    EXPECT_EQ(second.FindMapperDialog(), nullptr);
    ::PostMessageA(second.MapperWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(second.WaitForExit(20000));
    EXPECT_NE(::GetFileAttributesA(own.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(first.Kill());
}

}  // namespace
