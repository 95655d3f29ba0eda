#pragma once
// The program-side settings file: the look of the window, in section "View"
// of "vmapper.ini" in the program's directory.
#include <string>

std::string GetProgramSettingsPath();

// "toolbar", default 1.
bool LoadToolbarSetting(const std::string& path = GetProgramSettingsPath());
void SaveToolbarSetting(bool visible, const std::string& path = GetProgramSettingsPath());

// What the map view reads when it is created and writes when it goes.
struct CViewSettings {
    bool m_bGrid = true;    // "grid"
    bool m_bHigher = true;  // "higher": the plane above is drawn
    bool m_bLower = true;   // "lower": the plane below is drawn
    bool m_bRose = true;    // "rose": wind rose shown
    bool m_bState = true;   // "state": state labels shown
};

CViewSettings LoadViewSettings(const std::string& path = GetProgramSettingsPath());
void SaveViewSettings(const CViewSettings& settings, const std::string& path = GetProgramSettingsPath());
