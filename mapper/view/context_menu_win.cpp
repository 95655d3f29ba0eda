// The context menu built from menu resource 133.
#include <array>

#include "mapper/view/map_view_win.h"
#include "mapper/resource_ids.h"

namespace {
CMenuModel ReadMenu(HMENU menu)
{
    CMenuModel items;
    const int n = ::GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        char text[256] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text - 1;
        if (!::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        CMenuItem item;
        if (info.fType & MFT_SEPARATOR) {
            item.m_kind = CMenuItem::SEPARATOR;
        } else if (info.hSubMenu) {
            item.m_kind = CMenuItem::SUBMENU;
            item.m_strText = text;
            item.m_children = ReadMenu(info.hSubMenu);
        } else {
            item.m_nID = info.wID;
            item.m_strText = text;
        }
        items.push_back(std::move(item));
    }
    return items;
}

void AppendItems(HMENU menu, const CMenuModel& items)
{
    for (const CMenuItem& item : items) {
        switch (item.m_kind) {
        case CMenuItem::SEPARATOR:
            ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            break;
        case CMenuItem::SUBMENU: {
            HMENU sub = ::CreatePopupMenu();
            AppendItems(sub, item.m_children);
            ::AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), item.m_strText.c_str());
            break;
        }
        case CMenuItem::COMMAND:
            ::AppendMenuA(menu,
                          MF_STRING | (item.m_bChecked ? MF_CHECKED : MF_UNCHECKED) |
                              (item.m_bEnabled ? MF_ENABLED : MF_GRAYED),
                          item.m_nID,
                          item.m_strText.c_str());
            break;
        }
    }
}
}  // namespace

HMENU CreateContextMenu(const CContextMenuPlan& plan)
{
    HMENU resource = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_CONTEXT_MENU));
    if (!resource)
        return nullptr;
    std::array<CMenuModel, GROUP_COUNT> groups;
    for (int g = 0; g < GROUP_COUNT; ++g)
        if (HMENU sub = ::GetSubMenu(resource, g))
            groups[static_cast<size_t>(g)] = ReadMenu(sub);
    ::DestroyMenu(resource);
    HMENU popup = ::CreatePopupMenu();
    AppendItems(popup, BuildContextMenu(groups, plan));
    return popup;
}
