#pragma once
// Section "Autosave" of the program-side settings file: "Interval", seconds
// between recovery copies (default 60, 0 off), and "Backups", earlier
// versions kept beside a map file at each save (0 to 9, default 3).
#include <string>

struct CAutosaveSettings {
    int m_nInterval = 60;
    int m_nBackups = 3;
};

CAutosaveSettings LoadAutosaveSettings(const std::string& path);
