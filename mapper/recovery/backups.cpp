#include "mapper/recovery/backups.h"

#include <algorithm>
#include <utility>

#include "mapper/model/document.h"
#include "mapper/model/map_file.h"

std::string BackupPath(const std::string& mapPath, int n) { return mapPath + ".bak" + std::to_string(n); }

bool SaveWithBackups(IRecoveryFiles& files, const std::string& path, const std::vector<std::uint8_t>& bytes,
                     int backups, std::string& error)
{
    backups = std::clamp(backups, 0, kMaxBackups);
    if (backups == 0 || !files.Exists(path))
        return files.WriteReplacing(path, bytes, error);

    const std::string fresh = path + ".new";
    if (!files.WriteReplacing(fresh, bytes, error))
        return false;
    // From the oldest down: bakN aside, bak(N-1) -> bakN, ..., map -> bak1, new -> map.
    std::vector<std::pair<std::string, std::string>> plan;
    const std::string dropped = BackupPath(path, backups) + ".old";
    if (files.Exists(BackupPath(path, backups)))
        plan.emplace_back(BackupPath(path, backups), dropped);
    for (int n = backups - 1; n >= 1; --n)
        if (files.Exists(BackupPath(path, n)))
            plan.emplace_back(BackupPath(path, n), BackupPath(path, n + 1));
    plan.emplace_back(path, BackupPath(path, 1));
    plan.emplace_back(fresh, path);

    for (std::size_t i = 0; i < plan.size(); ++i) {
        if (files.Rename(plan[i].first, plan[i].second))
            continue;
        error = "cannot rename " + plan[i].first + " to " + plan[i].second;
        while (i-- > 0)
            files.Rename(plan[i].second, plan[i].first);
        files.Remove(fresh);
        return false;
    }
    files.Remove(dropped);
    return true;
}

bool SaveMapFileWithBackups(CVorMapperDoc& doc, const std::string& path, int backups, std::string& error)
{
    if (!SaveWithBackups(PlatformFiles(), path, SaveMapBytes(doc), backups, error))
        return false;
    doc.SetModifiedFlag(false);
    return true;
}
