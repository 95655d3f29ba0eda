// The platform's files and processes on POSIX systems.
#include "mapper/recovery/recovery_files.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <cerrno>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "mapper/model/map_file.h"

namespace fs = std::filesystem;

namespace {
std::int64_t ChangedAt(const fs::path& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? static_cast<std::int64_t>(st.st_mtime) : 0;
}

class CPosixFiles : public IRecoveryFiles {
public:
    bool Exists(const std::string& path) override
    {
        std::error_code ec;
        return fs::exists(path, ec);
    }
    bool MakeFolder(const std::string& path) override
    {
        std::error_code ec;
        fs::create_directory(path, ec);
        return fs::is_directory(path, ec);
    }
    std::vector<CFileEntry> List(const std::string& folder) override
    {
        std::vector<CFileEntry> out;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code e2;
            if (!it->is_regular_file(e2))
                continue;
            out.push_back({it->path().filename().string(), ChangedAt(it->path())});
        }
        return out;
    }
    bool Rename(const std::string& from, const std::string& to) override
    {
        std::error_code ec;
        fs::rename(from, to, ec);
        return !ec;
    }
    bool Remove(const std::string& path) override
    {
        std::error_code ec;
        return fs::remove(path, ec) && !ec;
    }
    bool Touch(const std::string& path) override
    {
        return ::utimensat(AT_FDCWD, path.c_str(), nullptr, 0) == 0;
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
        return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    }
};

class CPosixProcesses : public IProcessProbe {
public:
    bool IsRunning(const CProcessIdentity& p) override
    {
        return p.pid != 0 && (::kill(static_cast<pid_t>(p.pid), 0) == 0 || errno == EPERM);
    }
};
}  // namespace

IRecoveryFiles& PlatformFiles()
{
    static CPosixFiles files;
    return files;
}

char PathSeparator() { return '/'; }

CProcessIdentity CurrentProcess() { return {static_cast<std::uint32_t>(::getpid()), 0}; }

IProcessProbe& PlatformProcesses()
{
    static CPosixProcesses probe;
    return probe;
}
