// The scripted part of a session: a walk typed command by command once the
// game is connected and the mapper online, then (when asked) the map saved
// through the mapper's own Save As dialog, a ready file, and a quit when the
// quit file appears; or a save whenever a save file appears.
#include "tools/playclient/client_win.h"

#include "tools/playclient/menu_names.h"

namespace {
constexpr DWORD kQuietMs = 300;       // the game's answer is complete after this much silence
constexpr DWORD kDialogWaitMs = 60000;

bool FileExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteFileText(const std::string& path, const std::string& text)
{
    HANDLE f = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return;
    DWORD n = 0;
    ::WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
    ::CloseHandle(f);
}

// A visible dialog of the mapper's process with a file name field.
struct CDialogSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindFileDialogProc(HWND hwnd, LPARAM lp)
{
    auto* s = reinterpret_cast<CDialogSearch*>(lp);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    char cls[16] = "";
    ::GetClassNameA(hwnd, cls, sizeof cls);
    if (owner == s->pid && ::IsWindowVisible(hwnd) && lstrcmpA(cls, "#32770") == 0 &&
        (::GetDlgItem(hwnd, 0x47C) || ::GetDlgItem(hwnd, 0x480))) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindFileDialog(DWORD pid)
{
    CDialogSearch search = {pid, nullptr};
    ::EnumWindows(FindFileDialogProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
}  // namespace

void CPlayClient::OnScriptTimer()
{
    if (!m_options.quitFile.empty() && FileExists(m_options.quitFile) && !m_bClosing) {
        Report("quit file found: ending the mapper and the client");
        m_bClosing = true;
        if (m_mapper.IsRunning()) {
            QuitMapper();
            // A mapper that ended while it took the message is reported now,
            // and the window closed with it; else the watch timer does that.
            CheckMapper();
        } else {
            ::DestroyWindow(m_hWnd);
        }
        return;
    }
    const DWORD now = ::GetTickCount();
    if (!m_options.saveOn.empty() && (m_script == EScript::Done || (m_script == EScript::Walk && m_walk.empty())) &&
        FileExists(m_options.saveOn)) {
        // Asked from outside: save now (and tell by the ready file); again whenever asked.
        ::DeleteFileA(m_options.saveOn.c_str());
        if (!m_options.readyFile.empty())
            ::DeleteFileA(m_options.readyFile.c_str());
        m_script = m_options.saveMap.empty() ? EScript::Ready : EScript::Save;
        return;
    }
    switch (m_script) {
    case EScript::Walk:
        if (m_nWalked >= m_walk.size()) {
            if (m_walk.empty() || now - m_conn.LastDataTick() < 2 * kQuietMs)
                return;
            m_script = m_options.saveMap.empty() ? EScript::Ready : EScript::Save;
            Report("walk done");
            return;
        }
        // Wait for the game, the mapper (when one is wanted) and the pace.
        if (!m_conn.IsConnected() || (m_mapper.IsRunning() && !m_mapper.m_bOnline))
            return;
        if (now - m_dwLastStep < static_cast<DWORD>(m_options.stepMs) || now - m_conn.LastDataTick() < kQuietMs)
            return;
        m_dwLastStep = now;
        Type(m_walk[m_nWalked++], false);
        return;
    case EScript::Save:
        if (!m_mapper.m_hWnd) {
            Report("no mapper: the map cannot be saved");
            m_script = EScript::Ready;
            return;
        }
        ::DeleteFileA(m_options.saveMap.c_str());  // no overwrite question
        RouteCommand(MenuCommandId("saveas"));
        m_dwScriptTick = now;
        m_script = EScript::SaveDialog;
        return;
    case EScript::SaveDialog:
    case EScript::SaveWait:
        if (StepSave())
            return;
        if (now - m_dwScriptTick > kDialogWaitMs) {
            Report("the map was not saved: the mapper's Save As dialog did not " +
                   std::string(m_script == EScript::SaveDialog ? "open" : "close"));
            m_script = EScript::Ready;
        }
        return;
    case EScript::Ready:
        if (!m_options.readyFile.empty()) {
            WriteFileText(m_options.readyFile, "ready\r\n");
            Report("ready");
        } else if (!m_walk.empty()) {
            Report("play on: type commands below");
        }
        m_script = EScript::Done;
        return;
    case EScript::Done:
        return;
    }
}

bool CPlayClient::StepSave()
{
    HWND dlg = FindFileDialog(m_mapper.ProcessId());
    if (m_script == EScript::SaveDialog) {
        if (!dlg)
            return false;
        for (int id : {0x47C, 0x480})
            if (HWND edit = ::GetDlgItem(dlg, id))
                ::SetWindowTextA(edit, m_options.saveMap.c_str());
        ::PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg, IDOK)));
        m_script = EScript::SaveWait;
        m_dwScriptTick = ::GetTickCount();
        return true;
    }
    if (dlg || !FileExists(m_options.saveMap))
        return false;
    Report("map saved to " + m_options.saveMap);
    m_script = EScript::Ready;
    return true;
}
