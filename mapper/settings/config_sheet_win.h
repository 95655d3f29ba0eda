#pragma once
// The configuration sheet ("Configure online mode"): wrong-way and ignore
// strings, direction aliases, follow triggers and the room title line of the
// main frame's client link. Changes apply only when it closes with OK.
#include <windows.h>

#include "mapper/settings/config_pages_win.h"

class CClientLink;

class CConfigSheet : public vfw::CPropertySheet {
public:
    CConfigSheet(HWND parent, CClientLink& link, ITextPrompt& prompt);

    // Runs the sheet; on OK the title line is copied back. Returns DoModal's result.
    INT_PTR Run();

    CGeneralPage m_general;
    CAliasPage m_alias;
    CFollowPage m_follow;
    CInfoPage m_info;

private:
    CClientLink& m_link;
};

// The command: builds the sheet over the link's settings with the one-line
// text dialog for the list pages, and runs it.
INT_PTR RunConfigSheet(HWND parent, CClientLink& link);
