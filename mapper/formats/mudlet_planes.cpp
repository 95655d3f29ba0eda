#include "mapper/formats/mudlet_planes.h"

#include <algorithm>

CMudletPlanes::CMudletPlanes(const CMudletMap& map)
{
    std::vector<std::pair<std::uint32_t, std::int64_t>> used;  // (area, z), one per room at first
    used.reserve(map.rooms.size());
    for (const CMudletRoom& r : map.rooms)
        used.emplace_back(r.area, r.z);
    const auto areaBefore = [&](const std::pair<std::uint32_t, std::int64_t>& a,
                                const std::pair<std::uint32_t, std::int64_t>& b) {
        const std::int64_t ia = map.areas[a.first].id, ib = map.areas[b.first].id;
        return ia != ib ? ia < ib : a.first != b.first ? a.first < b.first : a.second < b.second;
    };
    std::sort(used.begin(), used.end(), areaBefore);
    used.erase(std::unique(used.begin(), used.end()), used.end());
    const bool oneArea = used.empty() || used.front().first == used.back().first;
    std::int32_t next = 0;
    for (const auto& [area, z] : used) {
        const std::int32_t plane = oneArea ? static_cast<std::int32_t>(z) : next++;
        m_levels.push_back({area, z, plane});
        m_planes.emplace(Key(area, z), plane);
    }
}

bool CMudletPlanes::Find(std::uint32_t area, std::int64_t z, std::int32_t& plane) const
{
    if (z < INT32_MIN || z > INT32_MAX)
        return false;
    const auto it = m_planes.find(Key(area, z));
    if (it == m_planes.end())
        return false;
    plane = it->second;
    return true;
}

void CMudletPlanes::NameFromAreas(const CMudletMap& map, CPlaneNameMap& names) const
{
    for (std::size_t i = 0; i < m_levels.size(); ++i) {
        const CLevel& level = m_levels[i];
        const std::string& name = map.areas[level.area].name;
        if (name.empty())
            continue;
        const bool several = (i > 0 && m_levels[i - 1].area == level.area) ||
                             (i + 1 < m_levels.size() && m_levels[i + 1].area == level.area);
        std::size_t replaced = 0;
        const std::string text = Utf8ToMapText(name, replaced);
        names.Set(level.plane, several ? text + " (level " + std::to_string(level.z) + ")" : text);
    }
}
