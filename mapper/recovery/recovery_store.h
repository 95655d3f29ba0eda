#pragma once
// The folder of recovery copies ("Recovery" beside the program's settings
// file): how copies are named, the small owner file beside each copy, and
// the "Discarded" folder where refused and unreadable copies wait seven days.
#include <cstdint>
#include <optional>
#include <string>

#include "mapper/recovery/recovery_files.h"

constexpr std::int64_t kDiscardedKeepSeconds = 7 * 24 * 60 * 60;

// Who wrote a copy and for which map file (empty: a map never saved).
struct COwnerRecord {
    CProcessIdentity process;
    std::string mapPath;
};
std::string FormatOwnerRecord(const COwnerRecord& owner);
// Nothing for text that is not an owner record.
std::optional<COwnerRecord> ParseOwnerRecord(const std::string& text);

// The file name of a map's path without its folder ("Untitled" for none).
std::string MapTitle(const std::string& mapPath);
// "<map file name without its extension>.vmm", or "Untitled-<pid>.vmm".
std::string RecoveryCopyName(const std::string& mapPath, std::uint32_t pid);
// The name used when the plain name is held by another process's copy.
std::string RecoveryCopyNameOfProcess(const std::string& mapPath, std::uint32_t pid);
// "<copy>.owner"
std::string OwnerFileName(const std::string& copyName);
// "YYYY-MM-DD HH:MM" in local time.
std::string FormatLocalTime(std::int64_t seconds);

class CRecoveryFolder {
public:
    // `folder` ends with the separator.
    CRecoveryFolder(std::string folder, IRecoveryFiles& files) : m_strFolder(std::move(folder)), m_files(files) {}

    const std::string& Folder() const { return m_strFolder; }
    std::string DiscardedFolder() const { return m_strFolder + "Discarded" + PathSeparator(); }
    std::string PathOf(const std::string& name) const { return m_strFolder + name; }
    IRecoveryFiles& Files() { return m_files; }

    bool Ensure() { return m_files.MakeFolder(m_strFolder); }
    std::optional<COwnerRecord> ReadOwner(const std::string& copyName);
    bool WriteOwner(const std::string& copyName, const COwnerRecord& owner, std::string& error);
    // Removes a copy and its owner file.
    void Remove(const std::string& copyName);
    // Moves a copy into "Discarded" under a name of its own, marked with the
    // time it went there; its owner file is removed. The new path, or empty.
    std::string Discard(const std::string& copyName);
    // Removes what has been in "Discarded" for more than seven days.
    void PurgeDiscarded();

private:
    std::string m_strFolder;
    IRecoveryFiles& m_files;
};

// The recovery folder beside a settings file's path.
std::string RecoveryFolderBeside(const std::string& settingsPath);
