// The commands of the map view: toggles, room and link commands, colours,
// shifting, link creation and labels.
#include <algorithm>
#include <vector>

#include "mapper/model/document.h"
#include "mapper/resource_ids.h"
#include "mapper/view/map_interaction.h"

namespace {
struct CToggle {
    unsigned id;
    bool CViewState::*flag;
};
constexpr CToggle kToggles[] = {
    {ID_VIEW_ROSE, &CViewState::m_bShowRose},     {ID_VIEW_GRID, &CViewState::m_bShowGrid},
    {ID_VIEW_HIGHER, &CViewState::m_bShowHigher}, {ID_VIEW_LOWER, &CViewState::m_bShowLower},
    {ID_VIEW_STATE, &CViewState::m_bShowState},   {ID_VIEW_FOLLOW_MOVEMENTS, &CViewState::m_bFollowMovements},
};
const CToggle* FindToggle(unsigned id)
{
    for (const CToggle& t : kToggles)
        if (t.id == id)
            return &t;
    return nullptr;
}
const char kCreateLink[] = "create_link";
}  // namespace

void CMapInteraction::MarkModified() { m_doc.SetModifiedFlag(true); }

bool CMapInteraction::OnCommand(unsigned id)
{
    if (const CToggle* t = FindToggle(id)) {
        m_view.*(t->flag) = !(m_view.*(t->flag));
        m_host.Invalidate();
        return true;
    }
    if (id >= ID_SHIFT_NORTH && id <= ID_SHIFT_DOWN) {
        Shift(static_cast<Direction>(id - ID_SHIFT_NORTH));
        return true;
    }
    switch (id) {
    case ID_ROOM_SET_POSITION: SetCharacterPosition(); return true;
    case ID_ROOM_PROPERTIES: OpenRoomProperties(); return true;
    case ID_ROOM_DELETE: DeleteFocusRoom(); return true;
    case ID_ROOM_COLOR: ChangeRoomColor(false); return true;
    case ID_ROOMS_DELETE: DeleteSelectedRooms(); return true;
    case ID_ROOMS_COLOR: ChangeRoomColor(true); return true;
    case ID_LINK_PROPERTIES: OpenLinkProperties(); return true;
    case ID_LINK_DELETE: DeleteFocusLink(); return true;
    case ID_LINKS_DELETE: DeleteSelectedLinks(); return true;
    case ID_ROOM_RECURSIVE: ToggleRecursive(); return true;
    case ID_ROOM_CREATE_LINK: CreateLink(); return true;
    case ID_ROOM_SET_LABEL: SetLabel(); return true;
    default: return false;
    }
}

bool CMapInteraction::OnUpdateCommand(vfw::CCmdUI& ui) const
{
    if (const CToggle* t = FindToggle(ui.m_nID)) {
        ui.SetCheck(m_view.*(t->flag) ? 1 : 0);
        return true;
    }
    if (ui.m_nID == ID_ROOM_DELETE) {
        ui.Enable(m_doc.GetRooms().size() > 1);
        return true;
    }
    if (ui.m_nID == ID_ROOM_RECURSIVE) {
        CRoom room;
        ui.SetCheck(m_doc.LookupRoom(m_view.m_selection.GetFocusRoom(), room) && room.m_bRecursive ? 1 : 0);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- rooms

void CMapInteraction::SetCharacterPosition()
{
    CRoom room;
    if (!m_doc.LookupRoom(m_view.m_selection.GetFocusRoom(), room))
        return;
    // Like a move of the character, this is no edit of the map: not marked modified.
    m_doc.m_nCurrentRoom = room.m_nId;
    m_host.Invalidate();
}

void CMapInteraction::OpenRoomProperties()
{
    CRoom room;
    if (!m_pDialogs || !m_doc.LookupRoom(m_view.m_selection.GetFocusRoom(), room))
        return;
    if (m_pDialogs->OpenRoomSheet(room.m_nId))
        m_host.Invalidate();
}

void CMapInteraction::DeleteRoom(RoomId id)
{
    CRoom room;
    if (!m_doc.LookupRoom(id, room) || !m_doc.DeleteRoom(id))
        return;
    m_view.m_selection.Clear();
    SetStatus("", false);
    m_host.Invalidate();
    MarkModified();
}

void CMapInteraction::DeleteFocusRoom() { DeleteRoom(m_view.m_selection.GetFocusRoom()); }

void CMapInteraction::DeleteSelectedRooms()
{
    const std::vector<RoomId> rooms = m_view.m_selection.Rooms();
    CMapStep step(m_doc, "Delete rooms");
    bool any = false;
    for (RoomId id : rooms) {
        CRoom room;
        if (m_doc.LookupRoom(id, room) && m_doc.DeleteRoom(id))
            any = true;
    }
    if (!any)
        return;
    SetStatus("", false);
    m_view.m_selection.Clear();
    m_host.Invalidate();
    MarkModified();
}

void CMapInteraction::ChangeRoomColor(bool all)
{
    CRoom focus;
    const bool hasFocus = m_doc.LookupRoom(m_view.m_selection.GetFocusRoom(), focus);
    if (!m_pDialogs || (!all && !hasFocus))
        return;
    ColorRef chosen = kColorNone;
    if (!m_pDialogs->ChooseColor(hasFocus ? focus.m_crColor : kColorNone, chosen))
        return;
    const std::vector<RoomId> rooms = all ? m_view.m_selection.Rooms() : std::vector<RoomId>{focus.m_nId};
    CMapStep step(m_doc, all ? "Colour rooms" : "Colour");
    for (RoomId id : rooms) {
        CRoom room;
        if (!m_doc.LookupRoom(id, room))
            continue;
        room.m_crColor = chosen;
        m_doc.SetRoom(room);
    }
    MarkModified();
    m_host.Invalidate();
}

void CMapInteraction::ToggleRecursive()
{
    CRoom room;
    if (!m_doc.LookupRoom(m_view.m_selection.GetFocusRoom(), room))
        return;
    m_doc.SetRoomRecursive(room.m_nId, !room.m_bRecursive);
    m_host.Invalidate();
}

void CMapInteraction::Shift(Direction dir)
{
    CRoom room;
    if (!m_doc.LookupRoom(m_view.m_selection.GetFocusRoom(), room))
        return;
    m_doc.ShiftRooms(room.m_nId, dir);
    m_host.Invalidate();
}

// ---------------------------------------------------------------- links

void CMapInteraction::OpenLinkProperties()
{
    CLink link;
    if (!m_pDialogs || !m_doc.LookupLink(m_view.m_selection.GetFocusLink(), link))
        return;
    if (m_pDialogs->OpenLinkDialog(link.m_nId))
        m_host.Invalidate();
}

void CMapInteraction::DeleteFocusLink()
{
    CLink link;
    if (!m_doc.LookupLink(m_view.m_selection.GetFocusLink(), link))
        return;
    m_doc.DeleteLink(link.m_nId);
    m_view.m_selection.Clear();
    m_host.Invalidate();
    MarkModified();
}

void CMapInteraction::DeleteSelectedLinks()
{
    const std::vector<LinkId> links = m_view.m_selection.Links();
    if (links.empty())
        return;
    CMapStep step(m_doc, "Delete links");
    for (LinkId id : links)
        m_doc.DeleteLink(id);
    m_view.m_selection.Clear();
    m_host.Invalidate();
    MarkModified();
}

void CMapInteraction::CreateLink()
{
    const RoomId source = m_view.m_selection.GetFocusRoom();
    CRoom room;
    if (m_bLinkPending || m_doc.GetRooms().size() < 2 || !m_doc.LookupRoom(source, room) || !m_doc.HasFreeExit(source)) {
        SetStatus(kCreateLink, "Unable to create a link", true);
        return;
    }
    m_bLinkPending = true;
    m_nLinkSource = source;
    m_view.m_selection.SelectRoom(source, true);
    SetStatus(kCreateLink, "Please select the destination room", true);
}

void CMapInteraction::ChooseLinkDestination(CPoint p)
{
    HitDataNear(ToMap(p));
    const RoomId target = m_doc.RoomAtPoint(ToMap(p));
    if (target == 0)
        return;
    if (!m_doc.GetRooms().Find(m_nLinkSource)) {
        // The source was deleted while the destination was awaited.
        m_bLinkPending = false;
        m_view.m_selection.Clear();
        SetStatus(kCreateLink, "Unable to create a link", true);
        return;
    }
    if (target == m_nLinkSource) {
        m_bLinkPending = false;
        m_view.m_selection.Clear();
        SetStatus(kCreateLink, "Action aborted", true);
        return;
    }
    if (!m_doc.HasFreeExit(target))
        return;
    m_bLinkPending = false;
    // Adding, the link dialog and a cancel: one step.
    CMapStep step(m_doc, "Create link");
    CLink link;
    link.m_nFromRoom = m_nLinkSource;
    link.m_nToRoom = target;
    link.m_nFromDir = DIR_NONE;
    link.m_nToDir = DIR_NONE;
    const LinkId id = m_doc.AddLink(link);
    m_view.m_selection.AddRoomToSelection(target);
    SetStatus(kCreateLink, "Creating link...", true);
    if (m_pDialogs && m_pDialogs->OpenLinkDialog(id)) {
        m_view.m_selection.Clear();
        SetStatus(kCreateLink, "Creation completed", true);
        MarkModified();
    } else {
        m_doc.DeleteLink(id);
        m_view.m_selection.Clear();
        SetStatus(kCreateLink, "Creation cancelled", true);
    }
}

// ---------------------------------------------------------------- labels

void CMapInteraction::SetLabel()
{
    CRoom room;
    if (!m_pDialogs || !m_doc.LookupRoom(m_view.m_selection.GetFocusRoom(), room))
        return;
    const bool wasEmpty = room.m_info.m_strLabel.empty();
    std::string text = wasEmpty ? room.m_info.m_strTitle.str() : room.m_info.m_strLabel.str();
    if (!m_pDialogs->AskLabel(text))
        return;
    // The dialog may have run a message loop: take the room as it is now.
    if (!m_doc.LookupRoom(room.m_nId, room))
        return;
    room.m_info.m_strLabel = text;
    if (wasEmpty)
        room.m_info.m_ptLabel = MakePoint(std::int64_t{room.m_ptSquare.x} + 50, std::int64_t{room.m_ptSquare.y} - 50);
    CMapStep step(m_doc, "Set label");
    m_doc.SetRoom(room);
    MarkModified();
    m_host.Invalidate();
}
