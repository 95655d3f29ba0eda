#pragma once
// The link properties dialog (template 140): the direction at each end of a
// link, chosen on two wind roses and stored in the link and in both rooms'
// link slots by OK. It does not mark the document modified; callers do.
#include <windows.h>

#include "framework/win/dialog.h"
#include "mapper/dialogs/link_directions.h"
#include "mapper/view/wind_rose_win.h"

class CVorMapperDoc;

class CLinkPropertiesDialog : public vfw::CDialog {
public:
    explicit CLinkPropertiesDialog(HWND hParent = nullptr);

    // Takes a copy of the link; false when it is not in the map (OK then
    // stores nothing and ends the dialog with Cancel).
    bool Init(CVorMapperDoc& doc, LinkId id);
    BOOL OnInitDialog() override;
    void OnOK() override;
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    CWindRose m_roseFrom;
    CWindRose m_roseTo;

private:
    // Each rose inside its group box, whatever the dialog font and the
    // screen's resolution made of them.
    void PlaceRoses();

    CVorMapperDoc* m_pDoc = nullptr;
    CLinkDirections m_directions;
};
