#pragma once
// What the map view's interaction needs of its window and of the dialogs.
// The window implements IViewHost; the dialogs of rooms, links, colours and
// labels are reached through IViewDialogs, so stand-ins can serve in tests
// and until the real dialogs are installed.
#include <string>

#include "mapper/model/records.h"
#include "mapper/model/types.h"
#include "mapper/view/context_menu.h"

class IViewHost {
public:
    virtual ~IViewHost() = default;
    // now: repaint before returning (a status the user must see at once).
    virtual void Invalidate(bool now = false) = 0;
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    // Shows the popup menu at a window point; its command, if any, comes
    // back to the view as an ordinary command.
    virtual void ShowContextMenu(const CContextMenuPlan& plan, CPoint windowPoint) = 0;
    // A Yes/No question with the program's title as caption.
    virtual bool AskYesNo(const std::string& question) = 0;
};

class IViewDialogs {
public:
    virtual ~IViewDialogs() = default;
    // The room properties sheet ("Room properties"); true when it ended with OK.
    virtual bool OpenRoomSheet(RoomId room) = 0;
    // The link properties dialog; true when it ended with OK.
    virtual bool OpenLinkDialog(LinkId link) = 0;
    // The palette, opened on a colour; true and the chosen colour on OK.
    virtual bool ChooseColor(ColorRef current, ColorRef& chosen) = 0;
    // The one-line text dialog for a label; true on OK with the new text.
    virtual bool AskLabel(std::string& text) = 0;
};
