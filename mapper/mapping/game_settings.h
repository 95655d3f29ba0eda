#pragma once
// The client-side game settings: the direction aliases, the wrong-way and
// ignore strings, the room title line and the follow triggers. The main frame
// owns one set; the settings file fills it and the configuration sheet edits it.
#include <cstdint>
#include <string>
#include <vector>

#include "mapper/mapping/direction_aliases.h"
#include "mapper/mapping/follow_triggers.h"

struct CGameSettings {
    CDirectionAliases m_aliases;
    std::vector<std::string> m_wrongWay;
    std::vector<std::string> m_ignore;
    std::int32_t m_nTitleLine = 0;
    CFollowTriggers m_followTriggers;
};
