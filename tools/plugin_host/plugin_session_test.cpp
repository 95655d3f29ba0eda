// The mapper as a plug-in, driven from another process exactly as the
// terminal client drives it. The map is judged by the file the mapper
// saves, never by the mapper's own word.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "mapper/frame/client_protocol.h"
#include "mapper/model/document.h"
#include "mapper/model/map_file.h"
#include "tools/plugin_host/plugin_host.h"

namespace {

std::string MapperExe()
{
    const char* exe = std::getenv("VORMAPPER_EXE");
    return exe ? WindowsPath(exe) : std::string();
}

// A fresh folder for the client-side settings and the saved map.
std::string FreshDir(const char* name)
{
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    std::string dir = std::string(temp) + "vormapper-" + name + "\\";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    ::DeleteFileA((dir + "vmapper.ini").c_str());
    ::DeleteFileA((dir + "walk.vmm").c_str());
    return dir;
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The program-side settings file beside the mapper's executable.
std::string ProgramSettingsPath()
{
    const std::string exe = MapperExe();
    return exe.substr(0, exe.find_last_of('\\') + 1) + "vmapper.ini";
}

// Starts the mapper as a plug-in and waits for it to announce its window.
void StartPlugin(CPluginHost& host)
{
    const std::string exe = MapperExe();
    ASSERT_FALSE(exe.empty()) << "VORMAPPER_EXE is not set";
    char args[64];
    std::snprintf(args, sizeof args, "/plugin 0 %ld", static_cast<long>(reinterpret_cast<INT_PTR>(host.Window())));
    ASSERT_TRUE(host.Start(exe, args));
    ASSERT_TRUE(host.PumpUntil([&] { return host.MapperWindow() != nullptr; })) << "no window announced (UM_MAPPER_WINDOW)";
    EXPECT_EQ(host.m_nMapperWindowMessages, 1);
    EXPECT_FALSE(::IsWindowVisible(host.MapperWindow()));  // hidden until docked
}

void DockOnline(CPluginHost& host, const std::string& settingsDir)
{
    EXPECT_EQ(host.SendText(CD_SETTINGS_DIR, settingsDir), 1);
    EXPECT_EQ(host.Send(CD_ATTACH, nullptr, 0), 1);
    EXPECT_EQ(host.Send(CD_ONLINE, nullptr, 0), 1);
}

void Walk(CPluginHost& host, const char* command, const char* title)
{
    EXPECT_EQ(host.SendText(CD_COMMAND, command), 1);
    EXPECT_EQ(host.SendText(CD_TEXT_LINE, command), 1);  // the game's echo: not counted
    EXPECT_EQ(host.SendText(CD_TEXT_LINE, title), 1);
}

// Answers the save question with Yes and the file dialog with `path`.
bool SaveThroughDialogs(CPluginHost& host, const std::string& path)
{
    HWND box = nullptr;
    if (!host.PumpUntil([&] { return (box = host.FindMapperDialog()) && ::GetDlgItem(box, IDYES); }))
        return false;
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, IDYES)));
    HWND dlg = nullptr;
    auto isFileDialog = [&] {
        dlg = host.FindMapperDialog();
        return dlg && dlg != box && (::GetDlgItem(dlg, 0x47C) || ::GetDlgItem(dlg, 0x480));
    };
    if (!host.PumpUntil(isFileDialog))
        return false;
    for (int id : {0x47C, 0x480})
        if (HWND edit = ::GetDlgItem(dlg, id))
            ::SetWindowTextA(edit, path.c_str());
    ::PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, IDOK)));
    return true;
}

}  // namespace

TEST(PluginSession, DocksMapsTheWalkSendsMovesAndSavesOnClose)
{
    const std::string dir = FreshDir("session");
    WriteText(dir + "vmapper.ini", "[stop]\r\ncount=1\r\nstop0=You can't go that way\r\n[info]\r\nTitleLine=0\r\n");
    WriteText(ProgramSettingsPath(), "[View]\r\ntoolbar=1\r\n");
    CPluginHost host;
    StartPlugin(host);
    if (HasFatalFailure())
        return;
    HWND mapper = host.MapperWindow();
    DockOnline(host, dir);

    // Docked: a maximised child of the client's window, which now has the menu bar.
    EXPECT_EQ(::GetParent(mapper), host.Window());
    EXPECT_TRUE(::GetWindowLongA(mapper, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(::IsZoomed(mapper));
    EXPECT_TRUE(::IsWindowVisible(mapper));
    EXPECT_NE(::GetMenu(host.Window()), nullptr);

    Walk(host, "e", "East Room");
    Walk(host, "n", "North Room");
    Walk(host, "w", "You can't go that way.");  // wrong way: no move
    Walk(host, "look", "North Room");             // not a direction: nothing
    Walk(host, "s", "East Room");                 // back along the link
    // Odd blocks: no NUL, a byte count of 0, an unknown code.
    const char noNul[4] = {'s', 'o', 'u', 't'};
    EXPECT_EQ(host.Send(CD_TEXT_LINE, noNul, sizeof noNul), 1);
    EXPECT_EQ(host.Send(CD_TEXT_LINE, nullptr, 0), 1);
    EXPECT_EQ(host.Send(1151, "x", 2), 0);
    EXPECT_EQ(host.Send(4000, nullptr, 0), 0);
    const std::string huge(1 << 20, 'h');
    EXPECT_EQ(host.SendText(CD_TEXT_LINE, huge), 1);

    // A move key in the docked view, online in trace mode: the move goes to the game.
    HWND view = ::FindWindowExA(mapper, nullptr, "VorMapperView", nullptr);
    ASSERT_NE(view, nullptr);
    host.m_received.clear();
    ::PostMessageA(view, WM_KEYDOWN, VK_DOWN, 0);
    ASSERT_TRUE(host.PumpUntil([&] { return !host.m_received.empty(); }));
    ASSERT_EQ(host.m_received.size(), 1u);
    EXPECT_EQ(host.m_received[0].code, 1148u);
    EXPECT_EQ(host.m_received[0].bytes, 6u);
    EXPECT_EQ(host.m_received[0].data, std::string("south", 6));

    // A normal close while docked: the save question, then the file dialog.
    ::PostMessageA(mapper, WM_CLOSE, 0, 0);
    ASSERT_TRUE(SaveThroughDialogs(host, dir + "walk.vmm"));
    ASSERT_TRUE(host.WaitForExit(20000));
    EXPECT_EQ(host.ExitCode(), 0u);

    CVorMapperDoc map;
    std::string error;
    ASSERT_TRUE(LoadMapFile(map, dir + "walk.vmm", error)) << error;
    ASSERT_EQ(map.GetRooms().size(), 3u);
    const RoomId east = map.FindRoomIdAt(1, 0, 0);
    const RoomId north = map.FindRoomIdAt(1, -1, 0);
    ASSERT_NE(east, 0u);
    ASSERT_NE(north, 0u);
    EXPECT_EQ(map.GetRoom(east).m_info.m_strTitle, "East Room");
    EXPECT_EQ(map.GetRoom(north).m_info.m_strTitle, "North Room");
    EXPECT_EQ(map.m_nCurrentRoom, east);
    EXPECT_EQ(map.GetLinks().size(), 2u);
    // The client-side settings were written back at the close.
    const std::string text = ReadText(dir + "vmapper.ini");
    EXPECT_NE(text.find("long1=south"), std::string::npos) << text;
    // The toolbar was shown: the frame is hidden before the setting is saved,
    // but what counts is the toolbar's own state.
    EXPECT_NE(ReadText(ProgramSettingsPath()).find("toolbar=1"), std::string::npos) << ReadText(ProgramSettingsPath());
}

TEST(PluginSession, QuitEndsAtOnceWithoutAQuestion)
{
    const std::string dir = FreshDir("quit");
    CPluginHost host;
    StartPlugin(host);
    if (HasFatalFailure())
        return;
    DockOnline(host, dir);
    Walk(host, "e", "Somewhere");  // unsaved changes
    EXPECT_EQ(host.Send(CD_QUIT, nullptr, 0), 1);
    ASSERT_TRUE(host.WaitForExit(10000));
    EXPECT_EQ(host.FindMapperDialog(), nullptr);
    // None of the close handling ran: no client-side settings were written.
    EXPECT_EQ(::GetFileAttributesA((dir + "vmapper.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(PluginSession, AHandleThatIsNotAWindowStartsStandalone)
{
    const std::string exe = MapperExe();
    ASSERT_FALSE(exe.empty());
    CPluginHost host;
    ASSERT_TRUE(host.Start(exe, "/plugin 7 123456789"));
    // Standalone: a visible top-level frame of the mapper's process.
    HWND frame = nullptr;
    ASSERT_TRUE(host.PumpUntil([&] {
        frame = ::FindWindowA("VorMapperFrame", nullptr);
        return frame && ::IsWindowVisible(frame);
    }));
    EXPECT_EQ(::GetParent(frame), nullptr);
    ::PostMessageA(frame, WM_CLOSE, 0, 0);  // nothing changed: no question
    EXPECT_TRUE(host.WaitForExit(10000));
}

namespace {

// Starts the mapper with `arguments` and waits for its standalone frame;
// true when a message box of the mapper came up within `milliseconds` after.
bool StandaloneStartShowsABox(const std::string& arguments, DWORD milliseconds)
{
    CPluginHost host;
    EXPECT_TRUE(host.Start(MapperExe(), arguments));
    HWND frame = nullptr;
    EXPECT_TRUE(host.PumpUntil([&] {
        frame = ::FindWindowA("VorMapperFrame", nullptr);
        return frame && ::IsWindowVisible(frame);
    })) << arguments;
    HWND box = nullptr;
    const bool shown = host.PumpUntil([&] { return (box = host.FindMapperDialog()) != nullptr; }, milliseconds);
    if (box)
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    host.PumpUntil([&] { return host.FindMapperDialog() == nullptr; }, 5000);
    ::PostMessageA(frame, WM_CLOSE, 0, 0);  // a new, unchanged map: no question
    EXPECT_TRUE(host.WaitForExit(10000)) << arguments;
    return shown;
}

}  // namespace

TEST(PluginSession, ASwitchThatIsNotThePluginSwitchStartsStandaloneWithoutAMessage)
{
    ASSERT_FALSE(MapperExe().empty());
    // A file name is opened, and a missing one is reported ...
    EXPECT_TRUE(StandaloneStartShowsABox("Z:\\nonexistent-vormapper-dir\\missing.vmm", 20000));
    // ... but a switch is no file name: the program starts with a new map.
    for (const char* arguments : {"/Plugin 0 65812", "-plugin 0 65812", "/x"})
        EXPECT_FALSE(StandaloneStartShowsABox(arguments, 2000)) << arguments;
}
