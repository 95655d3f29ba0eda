#include "tools/plugin_host/plugin_host.h"

#include "mapper/frame/client_protocol.h"

namespace {
const char kHostClass[] = "VorMapperTestClient";

struct CDialogSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindDialogOfProcess(HWND hwnd, LPARAM lp)
{
    auto* s = reinterpret_cast<CDialogSearch*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char cls[64] = "";
    ::GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == s->pid && ::IsWindowVisible(hwnd) && lstrcmpA(cls, "#32770") == 0) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

std::string WindowsPath(const std::string& unixPath)
{
    if (unixPath.size() > 1 && unixPath[1] == ':')
        return unixPath;
    std::string p = "Z:" + unixPath;
    for (char& c : p)
        if (c == '/')
            c = '\\';
    return p;
}

CPluginHost::CPluginHost()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kHostClass;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassA(&wc);
    m_hWnd = ::CreateWindowExA(0, kHostClass, "Stand-in client", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                               900, 700, nullptr, nullptr, wc.hInstance, this);
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // A mapper left running by a failed test must not outlive the test.
    m_hJob = ::CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(m_hJob, JobObjectExtendedLimitInformation, &limits, sizeof limits);
}

CPluginHost::~CPluginHost()
{
    if (m_pi.hProcess) {
        if (::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
            ::TerminateProcess(m_pi.hProcess, 99);
        ::CloseHandle(m_pi.hProcess);
        ::CloseHandle(m_pi.hThread);
    }
    if (m_hJob)
        ::CloseHandle(m_hJob);
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    ::DestroyWindow(m_hWnd);
}

bool CPluginHost::Start(const std::string& exe, const std::string& arguments)
{
    std::string line = "\"" + exe + "\" " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!::CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &si,
                          &m_pi))
        return false;
    ::AssignProcessToJobObject(m_hJob, m_pi.hProcess);
    ::ResumeThread(m_pi.hThread);
    return true;
}

void CPluginHost::Pump(DWORD milliseconds)
{
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

bool CPluginHost::WaitForExit(DWORD milliseconds)
{
    return PumpUntil([this] { return ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0; }, milliseconds);
}

DWORD CPluginHost::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_pi.hProcess, &code);
    return code;
}

bool CPluginHost::Kill()
{
    return m_pi.hProcess && ::TerminateProcess(m_pi.hProcess, 9) &&
           ::WaitForSingleObject(m_pi.hProcess, 10000) == WAIT_OBJECT_0;
}

LRESULT CPluginHost::Send(ULONG_PTR code, const void* data, DWORD bytes)
{
    COPYDATASTRUCT cds;
    cds.dwData = code;
    cds.cbData = bytes;
    cds.lpData = const_cast<void*>(data);
    return ::SendMessageA(m_hMapper, WM_COPYDATA, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(&cds));
}

LRESULT CPluginHost::SendText(ULONG_PTR code, const std::string& text)
{
    return Send(code, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

HWND CPluginHost::FindMapperDialog() const
{
    CDialogSearch search = {m_pi.dwProcessId, nullptr};
    ::EnumWindows(FindDialogOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

LRESULT CALLBACK CPluginHost::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = reinterpret_cast<CPluginHost*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && msg == UM_MAPPER_WINDOW) {
        self->m_hMapper = static_cast<HWND>(LongToHandle(static_cast<LONG>(wp)));
        ++self->m_nMapperWindowMessages;
        return 0;
    }
    if (self && msg == WM_COPYDATA) {
        const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        CReceivedCopyData r;
        r.code = cds->dwData;
        r.bytes = cds->cbData;
        if (cds->lpData && cds->cbData)
            r.data.assign(static_cast<const char*>(cds->lpData), cds->cbData);
        self->m_received.push_back(r);
        return 1;
    }
    return ::DefWindowProcA(hwnd, msg, wp, lp);
}
