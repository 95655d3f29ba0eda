#pragma once
// The map view's dialogs on Windows: the room sheet, the link dialog, the
// palette and the label text, each run modally over the view's window.
#include <windows.h>

#include "mapper/view/view_host.h"

class CVorMapperDoc;

class CViewDialogsWin : public IViewDialogs {
public:
    explicit CViewDialogsWin(CVorMapperDoc& doc, HWND parent = nullptr) : m_doc(doc), m_hParent(parent) {}
    // The window the dialogs are modal to (the view, once it exists).
    void SetParent(HWND parent) { m_hParent = parent; }

    // The sheet for a stored room; link changes made on its Links page stay,
    // and are shown, also when it ends with Cancel.
    bool OpenRoomSheet(RoomId room) override;
    // The dialog for a stored link; OK marks the document modified.
    bool OpenLinkDialog(LinkId link) override;
    // False also when OK leaves no colour chosen (an empty palette).
    bool ChooseColor(ColorRef current, ColorRef& chosen) override;
    bool AskLabel(std::string& text) override;

private:
    CVorMapperDoc& m_doc;
    HWND m_hParent;
};
