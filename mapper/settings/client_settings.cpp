#include "mapper/settings/client_settings.h"

#include <algorithm>

#include "mapper/frame/direction_aliases.h"
#include "mapper/frame/follow_triggers.h"
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

void LoadClientSettings(const std::string& path, const CClientSettingsRef& s)
{
    const CIniFile ini(path);
    s.aliases.ClearLookup();
    for (int d = 0; d < kDirCount; ++d) {
        s.aliases.SetLong(d, ini.GetString("alias", Numbered("long", d), s.aliases.GetLong(d)));
        s.aliases.SetShort(d, ini.GetString("alias", Numbered("short", d), s.aliases.GetShort(d)));
    }
    LoadList(ini, "stop", s.wrongWay);
    LoadList(ini, "skip", s.ignore);
    s.titleLine = ini.GetInt("info", "TitleLine", 0);
    s.triggers.SetActivation(ini.GetString("follow", "activation", ""));
    s.triggers.SetDirection(ini.GetString("follow", "direction", ""));
    s.triggers.SetFollow(ini.GetString("follow", "follow", ""));
    s.triggers.SetStop(ini.GetString("follow", "stop", ""));
}

void SaveClientSettings(const std::string& path, const CClientSettingsRef& s)
{
    CIniFile ini(path);
    for (int d = 0; d < kDirCount; ++d) {
        ini.WriteString("alias", Numbered("long", d), s.aliases.GetLong(d));
        ini.WriteString("alias", Numbered("short", d), s.aliases.GetShort(d));
    }
    SaveList(ini, "stop", s.wrongWay);
    SaveList(ini, "skip", s.ignore);
    ini.WriteInt("info", "TitleLine", s.titleLine);
    ini.WriteString("follow", "activation", s.triggers.GetActivation());
    ini.WriteString("follow", "direction", s.triggers.GetDirection());
    ini.WriteString("follow", "follow", s.triggers.GetFollow());
    ini.WriteString("follow", "stop", s.triggers.GetStop());
}
