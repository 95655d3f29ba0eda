#pragma once
// The client-side settings file: direction aliases, wrong-way and ignore
// strings, the title line and the follow triggers.
#include <cstdint>
#include <string>
#include <vector>

class CDirectionAliases;
class CFollowTriggers;

// Most entries read for the wrong-way or the ignore list. A "count" above it
// (a damaged or hostile file) reads this many: every entry costs a look-up
// and every missing one is an empty string, which matches every line.
constexpr std::int32_t kMaxListCount = 1000;

// The values the main frame keeps for the game.
struct CClientSettingsRef {
    CDirectionAliases& aliases;
    std::vector<std::string>& wrongWay;
    std::vector<std::string>& ignore;
    std::int32_t& titleLine;
    CFollowTriggers& triggers;
};

std::string GetClientSettingsPath(const std::string& settingsDir);
void LoadClientSettings(const std::string& path, const CClientSettingsRef& s);
void SaveClientSettings(const std::string& path, const CClientSettingsRef& s);
