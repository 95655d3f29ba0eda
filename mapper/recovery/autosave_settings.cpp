#include "mapper/recovery/autosave_settings.h"

#include <algorithm>

#include "mapper/recovery/backups.h"
#include "mapper/settings/ini_file.h"

CAutosaveSettings LoadAutosaveSettings(const std::string& path)
{
    const CIniFile ini(path);
    CAutosaveSettings s;
    s.m_nInterval = std::max(0, static_cast<int>(ini.GetInt("Autosave", "Interval", 60)));
    s.m_nBackups = std::clamp(static_cast<int>(ini.GetInt("Autosave", "Backups", 3)), 0, kMaxBackups);
    return s;
}
