#include "mapper/view/stand_in_dialogs_win.h"

#include <commdlg.h>

bool CStandInViewDialogs::ChooseColor(ColorRef current, ColorRef& chosen)
{
    static COLORREF custom[16] = {};
    CHOOSECOLORA cc = {};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = m_hParent;
    cc.rgbResult = current == kColorNone ? RGB(255, 255, 255) : static_cast<COLORREF>(current);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!::ChooseColorA(&cc))
        return false;
    chosen = cc.rgbResult;
    return true;
}
