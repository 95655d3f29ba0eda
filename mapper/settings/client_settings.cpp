#include "mapper/settings/client_settings.h"

#include <algorithm>

#include "mapper/settings/ini_file.h"

namespace {

std::string Numbered(const char* prefix, int i) { return prefix + std::to_string(i); }

void LoadList(const CIniFile& ini, const char* section, std::vector<std::string>& list)
{
    list.clear();
    const std::int32_t n = std::min(ini.GetInt(section, "count", 0), kMaxListCount);
    for (std::int32_t i = 0; i < n; ++i)
        list.push_back(ini.GetString(section, Numbered(section, i), ""));
}

void SaveList(CIniFile& ini, const char* section, const std::vector<std::string>& list)
{
    ini.WriteInt(section, "count", static_cast<std::int32_t>(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i)
        ini.WriteString(section, Numbered(section, static_cast<int>(i)), list[i]);
}

}  // namespace

std::string GetClientSettingsPath(const std::string& settingsDir) { return settingsDir + "vmapper.ini"; }

void LoadClientSettings(const std::string& path, CGameSettings& s)
{
    const CIniFile ini(path);
    s.m_aliases.ClearLookup();
    for (int d = 0; d < kDirCount; ++d) {
        s.m_aliases.SetLong(d, ini.GetString("alias", Numbered("long", d), s.m_aliases.GetLong(d)));
        s.m_aliases.SetShort(d, ini.GetString("alias", Numbered("short", d), s.m_aliases.GetShort(d)));
    }
    LoadList(ini, "stop", s.m_wrongWay);
    LoadList(ini, "skip", s.m_ignore);
    s.m_nTitleLine = ini.GetInt("info", "TitleLine", 0);
    s.m_followTriggers.SetActivation(ini.GetString("follow", "activation", ""));
    s.m_followTriggers.SetDirection(ini.GetString("follow", "direction", ""));
    s.m_followTriggers.SetFollow(ini.GetString("follow", "follow", ""));
    s.m_followTriggers.SetStop(ini.GetString("follow", "stop", ""));
}

void SaveClientSettings(const std::string& path, const CGameSettings& s)
{
    CIniFile ini(path);
    for (int d = 0; d < kDirCount; ++d) {
        ini.WriteString("alias", Numbered("long", d), s.m_aliases.GetLong(d));
        ini.WriteString("alias", Numbered("short", d), s.m_aliases.GetShort(d));
    }
    SaveList(ini, "stop", s.m_wrongWay);
    SaveList(ini, "skip", s.m_ignore);
    ini.WriteInt("info", "TitleLine", s.m_nTitleLine);
    ini.WriteString("follow", "activation", s.m_followTriggers.GetActivation());
    ini.WriteString("follow", "direction", s.m_followTriggers.GetDirection());
    ini.WriteString("follow", "follow", s.m_followTriggers.GetFollow());
    ini.WriteString("follow", "stop", s.m_followTriggers.GetStop());
}
