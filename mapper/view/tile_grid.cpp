#include "mapper/view/tile_grid.h"

#include <algorithm>

std::size_t CTileGrid::LevelOf(const CCellBox& box)
{
    const std::int64_t ext = std::max(std::int64_t{box.x1} - box.x0, std::int64_t{box.y1} - box.y0);
    std::size_t level = 0;
    while (ext >= (kLevel0Side << level))
        ++level;
    return level;
}

void CTileGrid::Insert(std::uint32_t id, const CCellBox& box)
{
    const std::size_t level = LevelOf(box);
    if (m_levels.size() <= level)
        m_levels.resize(level + 1);
    CLevel& lv = m_levels[level];
    const std::int64_t side = kLevel0Side << level;
    const std::int64_t tx = FloorDiv(box.x0, side), ty = FloorDiv(box.y0, side);
    if (level == 0) {
        lv.small[Key(tx, ty)].push_back({id, static_cast<std::uint8_t>(box.x0 - tx * side),
                                         static_cast<std::uint8_t>(box.y0 - ty * side),
                                         static_cast<std::uint8_t>(box.x1 - box.x0),
                                         static_cast<std::uint8_t>(box.y1 - box.y0)});
    } else {
        lv.wide[Key(tx, ty)].push_back({id, box});
    }
    ++lv.count;
    ++m_nCount;
}

bool CTileGrid::Erase(std::uint32_t id, const CCellBox& box)
{
    const std::size_t level = LevelOf(box);
    if (level >= m_levels.size())
        return false;
    CLevel& lv = m_levels[level];
    const std::int64_t side = kLevel0Side << level;
    const std::uint64_t key = Key(FloorDiv(box.x0, side), FloorDiv(box.y0, side));
    auto drop = [&](auto& tiles) {
        const auto it = tiles.find(key);
        if (it == tiles.end())
            return false;
        auto& v = it->second;
        for (std::size_t i = 0; i < v.size(); ++i) {
            if (v[i].id != id)
                continue;
            v[i] = v.back();
            v.pop_back();
            if (v.empty())
                tiles.erase(it);
            return true;
        }
        return false;
    };
    if (!(level == 0 ? drop(lv.small) : drop(lv.wide)))
        return false;
    --lv.count;
    --m_nCount;
    return true;
}

void CTileGrid::Clear()
{
    m_levels.clear();
    m_nCount = 0;
}

std::size_t CTileGrid::Bytes() const
{
    // Vectors' memory, plus a hash node and a bucket per tile.
    std::size_t bytes = sizeof(*this) + m_levels.capacity() * sizeof(CLevel);
    for (const CLevel& lv : m_levels) {
        auto add = [&](const auto& tiles, std::size_t entry) {
            bytes += tiles.bucket_count() * sizeof(void*);
            for (const auto& [key, v] : tiles)
                bytes += v.capacity() * entry + sizeof(key) + sizeof(v) + 2 * sizeof(void*);
        };
        add(lv.small, sizeof(CSmall));
        add(lv.wide, sizeof(CWide));
    }
    return bytes;
}
