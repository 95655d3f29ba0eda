#include "mapper/view/pending_hit_data.h"

void CPendingHitData::AddLink(LinkId id, std::int32_t planeA, std::int32_t planeB)
{
    m_links[planeA].push_back(id);
    if (planeB != planeA)
        m_links[planeB].push_back(id);
}

void CPendingHitData::Clear()
{
    m_rooms.clear();
    m_links.clear();
    m_labelRegionRooms.clear();
}

std::vector<std::uint32_t> CPendingHitData::Take(CByPlane& m, std::int32_t plane)
{
    const auto it = m.find(plane);
    if (it == m.end())
        return {};
    std::vector<std::uint32_t> out = std::move(it->second);
    m.erase(it);
    return out;
}
