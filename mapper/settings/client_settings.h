#pragma once
// The client-side settings file: direction aliases, wrong-way and ignore
// strings, the title line and the follow triggers.
#include <cstdint>
#include <string>
#include <vector>

#include "mapper/mapping/game_settings.h"

// Most entries read for the wrong-way or the ignore list. A "count" above it
// (a damaged or hostile file) reads this many: every entry costs a look-up
// and every missing one is an empty string, which matches every line.
constexpr std::int32_t kMaxListCount = 1000;

std::string GetClientSettingsPath(const std::string& settingsDir);
void LoadClientSettings(const std::string& path, CGameSettings& s);
void SaveClientSettings(const std::string& path, const CGameSettings& s);
