// Autosave, backups and the state-label note in the main frame of this
// process, driven by its timer and real commands. The test program lies in a
// folder of its own: the settings file and the Recovery folder beside it
// are the test's.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <thread>

#include "mapper/frame/main_frame_win.h"
#include "mapper/model/document.h"
#include "mapper/model/map_file.h"
#include "mapper/recovery/backups.h"
#include "mapper/resource_ids.h"
#include "mapper/settings/ini_file.h"
#include "mapper/settings/program_settings.h"

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

struct CBoxSearch {
    HWND found = nullptr;
};
BOOL CALLBACK FindOwnBox(HWND hwnd, LPARAM lp)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char cls[16] = "";
    ::GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(hwnd) && lstrcmpA(cls, "#32770") == 0) {
        reinterpret_cast<CBoxSearch*>(lp)->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Presses `button` in every message box this process shows while it lives
// (the frame's boxes are modal inside the command the test sends).
class CBoxAnswerer {
public:
    explicit CBoxAnswerer(int button)
        : m_thread([this, button] {
              while (!m_bStop) {
                  CBoxSearch s;
                  ::EnumWindows(FindOwnBox, reinterpret_cast<LPARAM>(&s));
                  if (s.found && ::GetDlgItem(s.found, button)) {
                      ::PostMessageA(s.found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                                     reinterpret_cast<LPARAM>(::GetDlgItem(s.found, button)));
                      ++m_nAnswered;
                      ::Sleep(300);
                  }
                  ::Sleep(20);
              }
          })
    {
    }
    ~CBoxAnswerer()
    {
        m_bStop = true;
        m_thread.join();
    }
    int Answered() const { return m_nAnswered; }

private:
    std::atomic<bool> m_bStop{false};
    std::atomic<int> m_nAnswered{0};
    std::thread m_thread;
};

class AutosaveFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        prog = GetProgramDir();
        recovery = prog + "Recovery\\";
        ::RemoveDirectoryA((recovery + "Untitled-" + std::to_string(::GetCurrentProcessId()) + ".vmm.saving").c_str());
        std::ofstream(GetProgramSettingsPath(), std::ios::binary) << "[Autosave]\r\nInterval=1\r\nBackups=2\r\n";
        frame = std::make_unique<CMainFrame>(doc, nullptr);
        ASSERT_TRUE(frame->Create());
        doc.OnNewDocument();
        frame->ShowStandalone();
        copy = recovery + "Untitled-" + std::to_string(::GetCurrentProcessId()) + ".vmm";
    }
    void TearDown() override
    {
        if (frame && frame->m_hWnd) {
            doc.SetModifiedFlag(false);
            ::SendMessageA(frame->m_hWnd, WM_CLOSE, 0, 0);
        }
        frame.reset();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        ::DeleteFileA(GetProgramSettingsPath().c_str());
    }
    template <class F>
    bool PumpUntil(F done, DWORD ms = 10000)
    {
        const DWORD start = ::GetTickCount();
        while (!done()) {
            if (::GetTickCount() - start > ms)
                return false;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            MSG msg;
            while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        return true;
    }
    void Walk(int steps, int first)
    {
        CRoomInfo info;
        for (int i = 0; i < steps; ++i) {
            info.m_strTitle = "Road " + std::to_string(first + i);
            doc.Move(DIR_E, &info);
        }
    }
    std::size_t RoomsIn(const std::string& path)
    {
        CVorMapperDoc map;
        std::string error;
        return LoadMapFile(map, path, error) ? map.GetRooms().size() : 0;
    }
    LRESULT Command(unsigned id) { return ::SendMessageA(frame->m_hWnd, WM_COMMAND, id, 0); }
    const std::string& Note() const { return frame->View().State().m_strNote; }

    CVorMapperDoc doc;
    std::unique_ptr<CMainFrame> frame;
    std::string prog, recovery, copy;
};

TEST_F(AutosaveFrame, AFailingWriteKeepsTheLastCopyShowsTheNoteAndRecovers)
{
    Walk(3, 1);
    ASSERT_TRUE(PumpUntil([&] { return RoomsIn(copy) == 4; })) << copy;
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Note(), "");
    // A folder where the temporary file would go: every write now fails.
    const std::string blocker = copy + ".saving";
    ASSERT_TRUE(::CreateDirectoryA(blocker.c_str(), nullptr));
    Walk(2, 4);
    ASSERT_TRUE(PumpUntil([&] { return Note() == "Autosave failed"; }));
    EXPECT_EQ(RoomsIn(copy), 4u);  // the last good copy
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(::RemoveDirectoryA(blocker.c_str()));
    ASSERT_TRUE(PumpUntil([&] { return Note().empty() && RoomsIn(copy) == 6; }));
}

TEST_F(AutosaveFrame, SavesKeepTwoBackupsAndTakeTheCopyAway)
{
    const std::string path = prog + "backed.vmm";
    for (const char* name : {"backed.vmm", "backed.vmm.bak1", "backed.vmm.bak2", "backed.vmm.bak3"})
        ::DeleteFileA((prog + name).c_str());
    std::string error;
    ASSERT_TRUE(SaveMapFile(doc, path, error)) << error;
    ASSERT_TRUE(frame->OpenDocumentFile(path));
    std::vector<std::string> versions{ReadText(path)};
    for (int i = 1; i <= 3; ++i) {
        Walk(1, i);
        Command(ID_FILE_SAVE);
        EXPECT_FALSE(doc.IsModified());
        versions.push_back(ReadText(path));
    }
    EXPECT_EQ(ReadText(BackupPath(path, 1)), versions[2]);
    EXPECT_EQ(ReadText(BackupPath(path, 2)), versions[1]);
    EXPECT_FALSE(Exists(BackupPath(path, 3)));

    // An autosave, then a save that fails: the file, both backups and the
    // copy stay; the failure is reported by the save's message box.
    Walk(60, 10);
    const std::string named = recovery + "backed.vmm";
    ASSERT_TRUE(PumpUntil([&] { return Exists(named); }));
    const std::string blocker = path + ".new.saving";
    ASSERT_TRUE(::CreateDirectoryA(blocker.c_str(), nullptr));
    {
        CBoxAnswerer ok(IDOK);
        Command(ID_FILE_SAVE);
        EXPECT_EQ(ok.Answered(), 1);
    }
    ::RemoveDirectoryA(blocker.c_str());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReadText(path), versions[3]);
    EXPECT_EQ(ReadText(BackupPath(path, 1)), versions[2]);
    EXPECT_EQ(ReadText(BackupPath(path, 2)), versions[1]);
    EXPECT_TRUE(Exists(named));
    Command(ID_FILE_SAVE);
    EXPECT_FALSE(Exists(named));
    EXPECT_FALSE(Exists(named + ".owner"));
    EXPECT_EQ(ReadText(BackupPath(path, 1)), versions[3]);
}

TEST_F(AutosaveFrame, NewAfterTheSaveQuestionTakesTheCopyAway)
{
    Walk(2, 1);
    ASSERT_TRUE(PumpUntil([&] { return Exists(copy); }));
    {
        CBoxAnswerer no(IDNO);
        Command(ID_FILE_NEW);
        EXPECT_EQ(no.Answered(), 1);
    }
    EXPECT_FALSE(Exists(copy));
    EXPECT_FALSE(Exists(copy + ".owner"));
    EXPECT_EQ(doc.GetRooms().size(), 1u);
}

}  // namespace
