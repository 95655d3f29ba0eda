#pragma once
// A stand-in for the terminal client, for tests: a top-level window that
// starts VorMapper.exe as its plug-in, records every message the mapper
// sends it, and talks to the mapper with real copy-data messages.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct CReceivedCopyData {
    ULONG_PTR code;
    DWORD bytes;
    std::string data;  // every byte of the block
};

class CPluginHost {
public:
    CPluginHost();
    ~CPluginHost();
    CPluginHost(const CPluginHost&) = delete;
    CPluginHost& operator=(const CPluginHost&) = delete;

    HWND Window() const { return m_hWnd; }
    // Starts the mapper with the given command line (after the program name).
    bool Start(const std::string& exe, const std::string& arguments);
    // Pumps messages until `done` holds or the time runs out.
    template <class F>
    bool PumpUntil(F done, DWORD milliseconds = 20000)
    {
        const DWORD start = ::GetTickCount();
        while (!done()) {
            if (::GetTickCount() - start > milliseconds)
                return false;
            Pump(20);
        }
        return true;
    }
    void Pump(DWORD milliseconds);
    // True when the mapper's process has ended (within the time given, pumping).
    bool WaitForExit(DWORD milliseconds);
    DWORD ExitCode() const;
    // Ends the mapper's process at once, as a crash would (TerminateProcess).
    bool Kill();

    LRESULT Send(ULONG_PTR code, const void* data, DWORD bytes);
    LRESULT SendText(ULONG_PTR code, const std::string& text);

    HWND MapperWindow() const { return m_hMapper; }
    DWORD MapperProcessId() const { return m_pi.dwProcessId; }
    // A top-level dialog window (class #32770) of the mapper's process, or null.
    HWND FindMapperDialog() const;
    std::vector<CReceivedCopyData> m_received;
    int m_nMapperWindowMessages = 0;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    HWND m_hWnd = nullptr;
    HWND m_hMapper = nullptr;
    HANDLE m_hJob = nullptr;
    PROCESS_INFORMATION m_pi = {};
};

// A Windows path for a file of the build tree given as a Unix path.
std::string WindowsPath(const std::string& unixPath);
