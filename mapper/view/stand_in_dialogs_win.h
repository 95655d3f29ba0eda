#pragma once
// The dialogs the map view opens until the room sheet, the link dialog and
// the palette are installed by the frame: the label through the one-line
// text dialog, colours through the system's colour chooser; the room sheet
// and the link dialog are not there yet and report Cancel.
#include <windows.h>

#include "mapper/settings/text_prompt_win.h"
#include "mapper/view/view_host.h"

class CStandInViewDialogs : public IViewDialogs {
public:
    explicit CStandInViewDialogs(HWND parent = nullptr) : m_hParent(parent), m_prompt(parent) {}
    void SetParent(HWND parent)
    {
        m_hParent = parent;
        m_prompt.SetParent(parent);
    }

    bool OpenRoomSheet(RoomId) override { return false; }
    bool OpenLinkDialog(LinkId) override { return false; }
    bool ChooseColor(ColorRef current, ColorRef& chosen) override;
    bool AskLabel(std::string& text) override { return m_prompt.AskText("", text); }

private:
    HWND m_hParent;
    CTextPromptWin m_prompt;
};
