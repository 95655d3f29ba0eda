#include "mapper/recovery/recovery_store.h"

#include <cstdio>
#include <ctime>
#include <sstream>

namespace {
const char kVmm[] = ".vmm";
const char kOwner[] = ".owner";

bool EndsWith(const std::string& s, const std::string& tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string Stem(const std::string& mapPath)
{
    std::string title = MapTitle(mapPath);
    const std::size_t dot = title.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        title.resize(dot);
    return title;
}

std::string StampOf(std::int64_t seconds)
{
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_hour, tm.tm_min, tm.tm_sec);
    return text;
}
}  // namespace

std::string FormatOwnerRecord(const COwnerRecord& owner)
{
    return "pid=" + std::to_string(owner.process.pid) + "\r\nstarted=" + std::to_string(owner.process.started) +
           "\r\nmap=" + owner.mapPath + "\r\n";
}

std::optional<COwnerRecord> ParseOwnerRecord(const std::string& text)
{
    COwnerRecord r;
    bool pid = false, map = false;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        try {
            if (key == "pid") {
                r.process.pid = static_cast<std::uint32_t>(std::stoul(value));
                pid = true;
            } else if (key == "started") {
                r.process.started = std::stoull(value);
            } else if (key == "map") {
                r.mapPath = value;
                map = true;
            }
        } catch (const std::exception&) {
            return std::nullopt;
        }
    }
    if (!pid || !map)
        return std::nullopt;
    return r;
}

std::string MapTitle(const std::string& mapPath)
{
    if (mapPath.empty())
        return "Untitled";
    const std::size_t slash = mapPath.find_last_of("\\/:");
    return slash == std::string::npos ? mapPath : mapPath.substr(slash + 1);
}

std::string RecoveryCopyName(const std::string& mapPath, std::uint32_t pid)
{
    if (mapPath.empty())
        return "Untitled-" + std::to_string(pid) + kVmm;
    return Stem(mapPath) + kVmm;
}

std::string RecoveryCopyNameOfProcess(const std::string& mapPath, std::uint32_t pid)
{
    if (mapPath.empty())
        return RecoveryCopyName(mapPath, pid);
    return Stem(mapPath) + "-" + std::to_string(pid) + kVmm;
}

std::string OwnerFileName(const std::string& copyName) { return copyName + kOwner; }

std::string FormatLocalTime(std::int64_t seconds)
{
    const std::string s = StampOf(seconds);  // YYYYMMDD-HHMMSS
    return s.substr(0, 4) + "-" + s.substr(4, 2) + "-" + s.substr(6, 2) + " " + s.substr(9, 2) + ":" + s.substr(11, 2);
}

std::optional<COwnerRecord> CRecoveryFolder::ReadOwner(const std::string& copyName)
{
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!m_files.Read(PathOf(OwnerFileName(copyName)), bytes, error))
        return std::nullopt;
    return ParseOwnerRecord(std::string(bytes.begin(), bytes.end()));
}

bool CRecoveryFolder::WriteOwner(const std::string& copyName, const COwnerRecord& owner, std::string& error)
{
    const std::string text = FormatOwnerRecord(owner);
    return m_files.WriteReplacing(PathOf(OwnerFileName(copyName)), std::vector<std::uint8_t>(text.begin(), text.end()),
                                  error);
}

void CRecoveryFolder::Remove(const std::string& copyName)
{
    m_files.Remove(PathOf(copyName));
    m_files.Remove(PathOf(OwnerFileName(copyName)));
}

std::string CRecoveryFolder::Discard(const std::string& copyName)
{
    const std::string folder = DiscardedFolder();
    if (!m_files.MakeFolder(folder))
        return std::string();
    std::string stem = copyName;
    if (EndsWith(stem, kVmm))
        stem.resize(stem.size() - 4);
    const std::string base = folder + stem + "-" + StampOf(m_files.Now());
    std::string target = base + kVmm;
    for (int n = 2; m_files.Exists(target); ++n)
        target = base + "-" + std::to_string(n) + kVmm;
    if (!m_files.Rename(PathOf(copyName), target))
        return std::string();
    m_files.Touch(target);
    m_files.Remove(PathOf(OwnerFileName(copyName)));
    return target;
}

void CRecoveryFolder::PurgeDiscarded()
{
    const std::string folder = DiscardedFolder();
    const std::int64_t now = m_files.Now();
    for (const CFileEntry& e : m_files.List(folder))
        if (now - e.changed > kDiscardedKeepSeconds)
            m_files.Remove(folder + e.name);
}

std::string RecoveryFolderBeside(const std::string& settingsPath)
{
    const std::size_t slash = settingsPath.find_last_of("\\/");
    const std::string dir = slash == std::string::npos ? std::string() : settingsPath.substr(0, slash + 1);
    return dir + "Recovery" + PathSeparator();
}
