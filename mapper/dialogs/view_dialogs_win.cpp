#include "mapper/dialogs/view_dialogs_win.h"

#include "mapper/dialogs/link_dialog_win.h"
#include "mapper/dialogs/palette_win.h"
#include "mapper/dialogs/room_sheet_win.h"
#include "mapper/dialogs/text_dialogs_win.h"
#include "mapper/model/document.h"

bool CViewDialogsWin::OpenRoomSheet(RoomId id)
{
    CRoom room;
    if (!m_doc.LookupRoom(id, room))
        return false;
    CRoomSheet sheet(m_hParent);
    sheet.Init(m_doc, id);
    const bool ok = sheet.DoModal() == IDOK;
    if (!ok && sheet.LinksChanged())
        m_doc.UpdateAllViews(nullptr, HINT_REDRAW);
    return ok;
}

bool CViewDialogsWin::OpenLinkDialog(LinkId id)
{
    CLinkPropertiesDialog dlg(m_hParent);
    if (!dlg.Init(m_doc, id) || dlg.DoModal() != IDOK)
        return false;
    m_doc.SetModifiedFlag();
    return true;
}

bool CViewDialogsWin::ChooseColor(ColorRef current, ColorRef& chosen)
{
    CPaletteDialog dlg(m_hParent);
    dlg.Init(current);
    return dlg.DoModal() == IDOK && dlg.GetSelectedColor(chosen);
}

bool CViewDialogsWin::AskLabel(std::string& text)
{
    CTextInputDialog dlg(m_hParent);
    dlg.m_strText = text;
    if (dlg.DoModal() != IDOK)
        return false;
    text = dlg.m_strText;
    return true;
}
