#include "vorh/window_table.h"

#include <cstring>

namespace vorh {

bool CWindowTable::Register(WindowHandle hWnd, std::string_view strIdentifier)
{
    if (IsDockable(hWnd))
        return true;
    m_mapEntries[hWnd] = WindowEntry{kFlagDockable, std::string(strIdentifier)};
    return false;
}

void CWindowTable::SetDocked(WindowHandle hWnd)
{
    auto it = m_mapEntries.find(hWnd);
    if (it != m_mapEntries.end())
        it->second.m_nFlags |= kFlagDocked;
}

void CWindowTable::ClearDocked(WindowHandle hWnd)
{
    auto it = m_mapEntries.find(hWnd);
    if (it != m_mapEntries.end())
        it->second.m_nFlags &= ~kFlagDocked;
}

const WindowEntry* CWindowTable::Find(WindowHandle hWnd) const
{
    auto it = m_mapEntries.find(hWnd);
    return it == m_mapEntries.end() ? nullptr : &it->second;
}

WindowHandle CWindowTable::FindByIdentifier(std::string_view strIdentifier,
                                            const std::function<bool(WindowHandle)>& isWindow) const
{
    for (const auto& [hWnd, entry] : m_mapEntries) {
        if (entry.m_strIdentifier == strIdentifier && isWindow(hWnd))
            return hWnd;
    }
    return 0;
}

std::int32_t CWindowTable::CopyIdentifier(WindowHandle hWnd, char* pBuffer) const
{
    const WindowEntry* pEntry = Find(hWnd);
    if (!pEntry || !pBuffer)
        return 0;
    const std::string& str = pEntry->m_strIdentifier;
    std::memcpy(pBuffer, str.data(), str.size());
    pBuffer[str.size()] = '\0';
    return static_cast<std::int32_t>(str.size());
}

bool CWindowTable::HasFlag(WindowHandle hWnd, std::uint32_t nFlag) const
{
    const WindowEntry* pEntry = Find(hWnd);
    return pEntry && (pEntry->m_nFlags & nFlag) != 0;
}

}  // namespace vorh
