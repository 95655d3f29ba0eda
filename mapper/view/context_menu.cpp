#include "mapper/view/context_menu.h"

#include "mapper/model/document.h"
#include "mapper/resource_ids.h"
#include "mapper/view/map_selection.h"

CContextMenuPlan PlanContextMenu(const CMapSelection& selection, const CVorMapperDoc& doc)
{
    CContextMenuPlan plan;
    CRoom room;
    plan.m_bRoom = selection.GetFocusRoom() != 0 && doc.LookupRoom(selection.GetFocusRoom(), room);
    plan.m_bRecursive = plan.m_bRoom && room.m_bRecursive;
    plan.m_bLastRoom = plan.m_bRoom && doc.GetRooms().size() == 1;
    plan.m_bWalkHere = plan.m_bRoom && room.m_nId != doc.m_nCurrentRoom;
    CLink link;
    plan.m_bLink = selection.GetFocusLink() != 0 && doc.LookupLink(selection.GetFocusLink(), link);
    plan.m_bRooms = selection.GetRoomCount() > 1;
    plan.m_bLinks = selection.GetLinkCount() > 1;
    return plan;
}

namespace {
void MarkItems(CMenuModel& items, const CContextMenuPlan& plan)
{
    for (CMenuItem& item : items) {
        if (item.m_kind == CMenuItem::SUBMENU)
            MarkItems(item.m_children, plan);
        else if (item.m_kind == CMenuItem::COMMAND && item.m_nID == ID_ROOM_RECURSIVE)
            item.m_bChecked = plan.m_bRecursive;
        else if (item.m_kind == CMenuItem::COMMAND && item.m_nID == ID_ROOM_DELETE)
            item.m_bEnabled = !plan.m_bLastRoom;  // a map keeps at least one room
    }
}
}  // namespace

CMenuModel BuildContextMenu(const std::array<CMenuModel, GROUP_COUNT>& groups, const CContextMenuPlan& plan)
{
    CMenuModel menu;
    auto append = [&](EContextGroup g) {
        if (!menu.empty())
            {
            CMenuItem sep;
            sep.m_kind = CMenuItem::SEPARATOR;
            menu.push_back(sep);
        }
        const std::size_t first = menu.size();
        menu.insert(menu.end(), groups[g].begin(), groups[g].end());
        if (g == GROUP_ROOM && plan.m_bWalkHere) {
            CMenuItem walk;
            walk.m_nID = ID_ROOM_WALK_HERE;
            walk.m_strText = "Walk here";
            auto at = menu.end();
            for (auto it = menu.begin() + static_cast<std::ptrdiff_t>(first); it != menu.end(); ++it)
                if (it->m_kind == CMenuItem::COMMAND && it->m_nID == ID_ROOM_SET_POSITION)
                    at = it + 1;
            menu.insert(at, walk);
        }
    };
    if (plan.m_bRoom)
        append(GROUP_ROOM);
    if (plan.m_bLink)
        append(GROUP_LINK);
    if (plan.m_bRooms)
        append(GROUP_ROOMS);
    if (plan.m_bLinks)
        append(GROUP_LINKS);
    MarkItems(menu, plan);
    return menu;
}
