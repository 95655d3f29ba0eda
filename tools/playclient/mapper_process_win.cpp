#include "tools/playclient/client_win.h"

CMapperProcess::CMapperProcess()
{
    // The mapper must not outlive the client, whatever ends the client.
    m_hJob = ::CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (m_hJob)
        ::SetInformationJobObject(m_hJob, JobObjectExtendedLimitInformation, &limits, sizeof limits);
}

CMapperProcess::~CMapperProcess()
{
    Terminate();
    if (m_hJob)
        ::CloseHandle(m_hJob);
}

bool CMapperProcess::Start(const std::string& exe, HWND client, std::string& error)
{
    if (IsRunning()) {
        error = "the mapper is already running";
        return false;
    }
    if (m_pi.hProcess) {
        ::CloseHandle(m_pi.hProcess);
        ::CloseHandle(m_pi.hThread);
        m_pi = {};
    }
    m_hWnd = nullptr;
    m_bOnline = false;
    m_bEnding = false;
    // "/plugin", a number, and the client's window in decimal.
    std::string line = "\"" + exe + "\" /plugin 0 " + std::to_string(reinterpret_cast<INT_PTR>(client));
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!::CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &si,
                          &m_pi)) {
        error = "cannot start the mapper " + exe + " (error " + std::to_string(::GetLastError()) + ")";
        m_pi = {};
        return false;
    }
    if (m_hJob)
        ::AssignProcessToJobObject(m_hJob, m_pi.hProcess);
    ::ResumeThread(m_pi.hThread);
    return true;
}

bool CMapperProcess::IsRunning() const
{
    return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

bool CMapperProcess::CheckEnded(DWORD& exitCode)
{
    if (!m_pi.hProcess || IsRunning())
        return false;
    exitCode = STILL_ACTIVE;
    ::GetExitCodeProcess(m_pi.hProcess, &exitCode);
    ::CloseHandle(m_pi.hProcess);
    ::CloseHandle(m_pi.hThread);
    m_pi = {};
    m_hWnd = nullptr;
    m_bOnline = false;
    return true;
}

void CMapperProcess::Terminate()
{
    if (IsRunning()) {
        ::TerminateProcess(m_pi.hProcess, 99);
        ::WaitForSingleObject(m_pi.hProcess, 5000);
    }
}

bool CDockingLibrary::Load(const std::string& path, std::string& error)
{
    m_hLib = ::LoadLibraryA(path.c_str());
    if (!m_hLib) {
        error = "cannot load the docking library " + path + " (error " + std::to_string(::GetLastError()) + ")";
        return false;
    }
    auto get = [this](auto& fn, const char* name) {
        fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(
            reinterpret_cast<void*>(::GetProcAddress(m_hLib, name)));
        return fn != nullptr;
    };
    if (!get(StartHook, "vorhStartHook") || !get(StopHook, "vorhStopHook") || !get(SetDockable, "vorhSetDockable") ||
        !get(SetDocked, "vorhSetDocked") || !get(SetOwner, "vorhSetOwner") ||
        !get(SetDockingRects, "vorhSetDockingRects") || !get(CheckDocked, "vorhCheckDocked")) {
        error = "the docking library " + path + " lacks a function";
        Unload();
        return false;
    }
    return true;
}

void CDockingLibrary::Unload()
{
    if (m_hLib)
        ::FreeLibrary(m_hLib);
    m_hLib = nullptr;
    StartHook = nullptr;
}
