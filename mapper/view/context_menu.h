#pragma once
// The view's context menu: which groups of menu 133 it shows, and how the
// groups are put together into one popup.
#include <array>
#include <string>
#include <vector>

class CMapSelection;
class CVorMapperDoc;

struct CMenuItem {
    enum EKind { COMMAND, SEPARATOR, SUBMENU };
    EKind m_kind = COMMAND;
    unsigned m_nID = 0;
    std::string m_strText;
    bool m_bChecked = false;
    bool m_bEnabled = true;
    std::vector<CMenuItem> m_children;  // SUBMENU only
};
using CMenuModel = std::vector<CMenuItem>;

// The submenus of menu 133, in their order.
enum EContextGroup { GROUP_ROOM, GROUP_ROOMS, GROUP_LINK, GROUP_LINKS, GROUP_COUNT };

struct CContextMenuPlan {
    bool m_bRoom = false;   // a focus room
    bool m_bLink = false;   // a focus link
    bool m_bRooms = false;  // more than one room selected
    bool m_bLinks = false;  // more than one link selected
    bool m_bRecursive = false;  // the focus room's recursive flag: "Room is recursive" checked
    bool m_bLastRoom = false;   // the focus room is the map's only room: "Delete room" disabled
    bool m_bWalkHere = false;   // the focus room is not the character's: "Walk here" after "Set character position"
    bool Empty() const { return !m_bRoom && !m_bLink && !m_bRooms && !m_bLinks; }
};

CContextMenuPlan PlanContextMenu(const CMapSelection& selection, const CVorMapperDoc& doc);

// The popup: the groups in the order Room, Link, Rooms, Links, each after a
// separator when something came before it; "Room is recursive" checked and
// "Delete room" disabled as planned.
// "Walk here" is added to the Room group when planned.
CMenuModel BuildContextMenu(const std::array<CMenuModel, GROUP_COUNT>& groups, const CContextMenuPlan& plan);
