// The platform's files and processes on Windows (8-bit paths, as the rest of
// the program uses them).
#include <windows.h>

#include "mapper/model/map_file.h"
#include "mapper/recovery/recovery_files.h"

namespace {
// 100-ns intervals between 1601 and 1970.
constexpr std::uint64_t kEpochDelta = 116444736000000000ull;

std::uint64_t ToU64(const FILETIME& ft) { return (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime; }
std::int64_t ToSeconds(const FILETIME& ft) { return static_cast<std::int64_t>((ToU64(ft) - kEpochDelta) / 10000000ull); }

class CWinFiles : public IRecoveryFiles {
public:
    bool Exists(const std::string& path) override { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    bool MakeFolder(const std::string& path) override
    {
        ::CreateDirectoryA(path.c_str(), nullptr);
        const DWORD a = ::GetFileAttributesA(path.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    }
    std::vector<CFileEntry> List(const std::string& folder) override
    {
        std::vector<CFileEntry> out;
        WIN32_FIND_DATAA fd;
        HANDLE h = ::FindFirstFileA((folder + "*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            return out;
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                out.push_back({fd.cFileName, ToSeconds(fd.ftLastWriteTime)});
        } while (::FindNextFileA(h, &fd));
        ::FindClose(h);
        return out;
    }
    bool Rename(const std::string& from, const std::string& to) override
    {
        return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }
    bool Remove(const std::string& path) override { return ::DeleteFileA(path.c_str()) != 0; }
    bool Touch(const std::string& path) override
    {
        HANDLE h = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        FILETIME now;
        ::GetSystemTimeAsFileTime(&now);
        const bool ok = ::SetFileTime(h, nullptr, nullptr, &now) != 0;
        ::CloseHandle(h);
        return ok;
    }
    bool Read(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error) override
    {
        return ReadFileBytes(path, bytes, error);
    }
    bool WriteReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) override
    {
        return WriteFileReplacing(path, bytes, error);
    }
    std::int64_t Now() override
    {
        FILETIME now;
        ::GetSystemTimeAsFileTime(&now);
        return ToSeconds(now);
    }
};

std::uint64_t StartTimeOf(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    return ::GetProcessTimes(process, &created, &exited, &kernel, &user) ? ToU64(created) : 0;
}

class CWinProcesses : public IProcessProbe {
public:
    bool IsRunning(const CProcessIdentity& p) override
    {
        if (p.pid == 0)
            return false;
        HANDLE h = ::OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, p.pid);
        if (!h)
            return ::GetLastError() == ERROR_ACCESS_DENIED;  // there, but not ours to look at
        DWORD code = 0;
        bool running = ::GetExitCodeProcess(h, &code) && code == STILL_ACTIVE &&
                       ::WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
        // A later process that was given the same id is not the writer.
        if (running && p.started != 0 && StartTimeOf(h) != p.started)
            running = false;
        ::CloseHandle(h);
        return running;
    }
};
}  // namespace

IRecoveryFiles& PlatformFiles()
{
    static CWinFiles files;
    return files;
}

char PathSeparator() { return '\\'; }

CProcessIdentity CurrentProcess() { return {::GetCurrentProcessId(), StartTimeOf(::GetCurrentProcess())}; }

IProcessProbe& PlatformProcesses()
{
    static CWinProcesses probe;
    return probe;
}
