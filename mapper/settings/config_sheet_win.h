#pragma once
// The configuration sheet ("Configure online mode"): wrong-way and ignore
// strings, direction aliases, follow triggers and the room title line of the
// game settings it is handed. Changes apply only when it closes with OK.
#include <windows.h>

#include "mapper/mapping/game_settings.h"
#include "mapper/settings/config_pages_win.h"

class CConfigSheet : public vfw::CPropertySheet {
public:
    CConfigSheet(HWND parent, CGameSettings& settings, ITextPrompt& prompt);

    // Runs the sheet; on OK the title line is copied back. Returns DoModal's result.
    INT_PTR Run();

    CGeneralPage m_general;
    CAliasPage m_alias;
    CFollowPage m_follow;
    CInfoPage m_info;

private:
    CGameSettings& m_settings;
};

// The command: builds the sheet over the settings with the one-line text
// dialog for the list pages, and runs it.
INT_PTR RunConfigSheet(HWND parent, CGameSettings& settings);
