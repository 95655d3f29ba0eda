#pragma once
// The few file operations that autosave, recovery and backups need, behind
// an interface: the platform's own calls in the program, the same calls or a
// failing stand-in in the tests. Paths are 8-bit text; folder paths end with
// the separator. Times are seconds since 1970 (UTC).
#include <cstdint>
#include <string>
#include <vector>

struct CFileEntry {
    std::string name;  // without the folder
    std::int64_t changed = 0;
};

class IRecoveryFiles {
public:
    virtual ~IRecoveryFiles() = default;
    virtual bool Exists(const std::string& path) = 0;
    // Creates a folder (its parent must exist); true when it exists afterwards.
    virtual bool MakeFolder(const std::string& path) = 0;
    // The plain files of a folder (no folders), in no particular order.
    virtual std::vector<CFileEntry> List(const std::string& folder) = 0;
    // Renames, replacing a file already at `to`.
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& path) = 0;
    // Marks a file as changed now.
    virtual bool Touch(const std::string& path) = 0;
    virtual bool Read(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error) = 0;
    // A temporary file beside the target, flushed, then put in its place:
    // a failure leaves the target as it was. Safe to call from any thread.
    virtual bool WriteReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error) = 0;
    virtual std::int64_t Now() = 0;
};

// The platform's files (recovery_files.cpp, recovery_files_win.cpp).
IRecoveryFiles& PlatformFiles();
// The separator of the platform's paths.
char PathSeparator();

// Who wrote a recovery copy: a process, told apart from a later process that
// got the same id by its start time.
struct CProcessIdentity {
    std::uint32_t pid = 0;
    std::uint64_t started = 0;
    friend bool operator==(const CProcessIdentity&, const CProcessIdentity&) = default;
};

class IProcessProbe {
public:
    virtual ~IProcessProbe() = default;
    virtual bool IsRunning(const CProcessIdentity& process) = 0;
};

// This process, and the platform's probe.
CProcessIdentity CurrentProcess();
IProcessProbe& PlatformProcesses();
