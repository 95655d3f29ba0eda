#pragma once
// Index from a grid cell (x, y, plane) to the room nodes standing in it, so
// that position searches do not scan the map. Nearly every cell holds one
// room; the rare further rooms of a cell wait in a side table.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "mapper/model/flat_index.h"

struct CCellKey {
    std::int32_t x = 0, y = 0, plane = 0;
    friend bool operator==(const CCellKey&, const CCellKey&) = default;
};

struct CCellHash {
    std::size_t operator()(const CCellKey& k) const
    {
        std::uint64_t h = static_cast<std::uint32_t>(k.x);
        h = h * 0x9E3779B97F4A7C15ull + static_cast<std::uint32_t>(k.y);
        h = h * 0x9E3779B97F4A7C15ull + static_cast<std::uint32_t>(k.plane);
        h *= 0xD6E8FEB86659FD93ull;
        return static_cast<std::size_t>(h ^ (h >> 32));
    }
};

class CCellIndex {
public:
    static constexpr std::uint32_t npos = 0xFFFFFFFFu;

    void clear()
    {
        m_first.clear();
        m_more.clear();
    }
    void reserve(std::size_t n) { m_first.reserve(n); }

    void Add(const CCellKey& cell, std::uint32_t node)
    {
        if (m_first.find(cell) == npos)
            m_first.set(cell, node);
        else
            m_more[cell].push_back(node);
    }

    void Remove(const CCellKey& cell, std::uint32_t node)
    {
        const std::uint32_t first = m_first.find(cell);
        if (first == npos)
            return;
        auto more = m_more.find(cell);
        if (first == node) {
            if (more == m_more.end()) {
                m_first.erase(cell);
                return;
            }
            m_first.set(cell, more->second.back());
            more->second.pop_back();
        } else if (more != m_more.end()) {
            auto& v = more->second;
            for (auto it = v.begin(); it != v.end(); ++it)
                if (*it == node) {
                    v.erase(it);
                    break;
                }
        }
        if (more != m_more.end() && more->second.empty())
            m_more.erase(more);
    }

    // The node of the cell that comes first by `before(a, b)`, or npos.
    template <class Before>
    std::uint32_t First(const CCellKey& cell, Before before) const
    {
        std::uint32_t best = m_first.find(cell);
        if (best == npos || m_more.empty())
            return best;
        auto more = m_more.find(cell);
        if (more != m_more.end())
            for (std::uint32_t n : more->second)
                if (before(n, best))
                    best = n;
        return best;
    }

    std::size_t memory_bytes() const { return m_first.memory_bytes(); }

private:
    CFlatIndex<CCellKey, CCellHash> m_first;
    std::unordered_map<CCellKey, std::vector<std::uint32_t>, CCellHash> m_more;
};
