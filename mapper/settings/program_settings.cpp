#include "mapper/settings/program_settings.h"

#include "mapper/settings/ini_file.h"

namespace {
const char kView[] = "View";
}  // namespace

std::string GetProgramSettingsPath() { return GetProgramDir() + "vmapper.ini"; }

bool LoadToolbarSetting(const std::string& path) { return CIniFile(path).GetInt(kView, "toolbar", 1) != 0; }

void SaveToolbarSetting(bool visible, const std::string& path)
{
    CIniFile(path).WriteInt(kView, "toolbar", visible ? 1 : 0);
}

CViewSettings LoadViewSettings(const std::string& path)
{
    const CIniFile ini(path);
    CViewSettings s;
    s.m_bGrid = ini.GetInt(kView, "grid", 1) != 0;
    s.m_bHigher = ini.GetInt(kView, "higher", 1) != 0;
    s.m_bLower = ini.GetInt(kView, "lower", 1) != 0;
    s.m_bRose = ini.GetInt(kView, "rose", 1) != 0;
    s.m_bState = ini.GetInt(kView, "state", 1) != 0;
    return s;
}

void SaveViewSettings(const CViewSettings& s, const std::string& path)
{
    CIniFile ini(path);
    ini.WriteInt(kView, "grid", s.m_bGrid ? 1 : 0);
    ini.WriteInt(kView, "higher", s.m_bHigher ? 1 : 0);
    ini.WriteInt(kView, "lower", s.m_bLower ? 1 : 0);
    ini.WriteInt(kView, "rose", s.m_bRose ? 1 : 0);
    ini.WriteInt(kView, "state", s.m_bState ? 1 : 0);
}
