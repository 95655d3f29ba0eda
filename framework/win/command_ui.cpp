#include "framework/win/command_ui.h"

#include <commctrl.h>

#include "framework/document.h"

namespace vfw {

void UpdateMenuPopup(HMENU popup, ICommandTarget& target)
{
    const int count = ::GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        if (!::GetMenuItemInfoA(popup, i, TRUE, &mii) || mii.hSubMenu || (mii.fType & MFT_SEPARATOR) || mii.wID == 0)
            continue;
        CCmdUI ui(mii.wID);
        if (!target.OnUpdateCommand(ui))
            continue;  // nobody knows the command: leave the item as it is
        ::EnableMenuItem(popup, i, MF_BYPOSITION | (ui.m_bEnabled ? MF_ENABLED : MF_GRAYED));
        ::CheckMenuItem(popup, i, MF_BYPOSITION | (ui.m_nCheck ? MF_CHECKED : MF_UNCHECKED));
        if (ui.m_bTextSet) {
            MENUITEMINFOA text = {};
            text.cbSize = sizeof text;
            text.fMask = MIIM_STRING;
            text.dwTypeData = const_cast<char*>(ui.m_strText.c_str());
            ::SetMenuItemInfoA(popup, i, TRUE, &text);
        }
    }
}

void UpdateToolbar(HWND toolbar, ICommandTarget& target)
{
    const int count = static_cast<int>(::SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button = {};
        if (!::SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)) || (button.fsStyle & BTNS_SEP))
            continue;
        CCmdUI ui(button.idCommand);
        if (!target.OnUpdateCommand(ui))
            continue;
        ::SendMessageA(toolbar, TB_ENABLEBUTTON, button.idCommand, MAKELONG(ui.m_bEnabled ? TRUE : FALSE, 0));
        ::SendMessageA(toolbar, TB_CHECKBUTTON, button.idCommand, MAKELONG(ui.m_nCheck ? TRUE : FALSE, 0));
    }
}

}  // namespace vfw
