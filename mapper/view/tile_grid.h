#pragma once
// Boxes of grid cells kept in tiles, so that those meeting a query box are
// found in time proportional to what is found.
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

// A box of grid cells, both ends inclusive.
struct CCellBox {
    std::int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool Meets(const CCellBox& o) const { return x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1; }
};

// Boxes of cells in tiles of levels of growing side (kLevel0Side << level cells): a
// box lives at the lowest level whose side exceeds its extent, in the tile of
// its top-left cell, so it meets at most 2 x 2 tiles of its level.
class CTileGrid {
public:
    static constexpr std::int64_t kLevel0Side = 16;

    void Insert(std::uint32_t id, const CCellBox& box);
    // False when the box is not found where it should be.
    bool Erase(std::uint32_t id, const CCellBox& box);
    bool Empty() const { return m_nCount == 0; }
    std::size_t Size() const { return m_nCount; }
    std::size_t Bytes() const;
    void Clear();

    // f(id, box) for every box that meets the query box of its level;
    // queryFor(side) gives that box for boxes narrower than `side` cells.
    template <class QueryFor, class F>
    void Query(QueryFor queryFor, F f) const
    {
        ForEachLevel(queryFor, [&](const auto& tiles, std::int64_t side, const CCellBox& q) {
            ForEachTile(tiles, side, q, [&](std::int64_t tx, std::int64_t ty, const auto& entries) {
                for (const auto& e : entries) {
                    const CCellBox b = e.Box(tx * side, ty * side);
                    if (b.Meets(q))
                        f(e.id, b);
                }
            });
        });
    }

    // An upper bound of what Query would find: the entries of the tiles it would look at.
    template <class QueryFor>
    std::size_t Estimate(QueryFor queryFor) const
    {
        std::size_t n = 0;
        ForEachLevel(queryFor, [&](const auto& tiles, std::int64_t side, const CCellBox& q) {
            ForEachTile(tiles, side, q, [&](std::int64_t, std::int64_t, const auto& entries) { n += entries.size(); });
        });
        return n;
    }

private:
    // Level 0 keeps the box relative to its tile in four bytes; higher
    // levels (long links, far labels: few) keep it whole.
    struct CSmall {
        std::uint32_t id;
        std::uint8_t lx, ly, w, h;
        CCellBox Box(std::int64_t ox, std::int64_t oy) const
        {
            const std::int32_t x = static_cast<std::int32_t>(ox + lx), y = static_cast<std::int32_t>(oy + ly);
            return {x, y, x + w, y + h};
        }
    };
    struct CWide {
        std::uint32_t id;
        CCellBox box;
        CCellBox Box(std::int64_t, std::int64_t) const { return box; }
    };
    template <class E>
    using CTiles = std::unordered_map<std::uint64_t, std::vector<E>>;
    struct CLevel {
        CTiles<CSmall> small;  // level 0
        CTiles<CWide> wide;    // the others
        std::size_t count = 0;
    };
    static std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
    static std::uint64_t Key(std::int64_t tx, std::int64_t ty)
    {
        return (std::uint64_t{static_cast<std::uint32_t>(tx)} << 32) | static_cast<std::uint32_t>(ty);
    }
    static std::size_t LevelOf(const CCellBox& box);

    // g(tiles, side, query box) for every level that holds boxes.
    template <class QueryFor, class G>
    void ForEachLevel(QueryFor queryFor, G g) const
    {
        for (std::size_t level = 0; level < m_levels.size(); ++level) {
            const CLevel& lv = m_levels[level];
            if (lv.count == 0)
                continue;
            const std::int64_t side = kLevel0Side << level;
            const CCellBox q = queryFor(side);
            if (level == 0)
                g(lv.small, side, q);
            else
                g(lv.wide, side, q);
        }
    }

    // g(tx, ty, entries) for every stored tile of a level that a box of it
    // meeting `q` can stand in: tile by tile when the range is smaller than
    // the tiles stored, else over the stored tiles.
    template <class E, class G>
    static void ForEachTile(const CTiles<E>& tiles, std::int64_t side, const CCellBox& q, G g)
    {
        const std::int64_t tx0 = FloorDiv(std::int64_t{q.x0} - side + 1, side), tx1 = FloorDiv(q.x1, side);
        const std::int64_t ty0 = FloorDiv(std::int64_t{q.y0} - side + 1, side), ty1 = FloorDiv(q.y1, side);
        if (tx0 > tx1 || ty0 > ty1)
            return;
        const double count = (double(tx1 - tx0) + 1) * (double(ty1 - ty0) + 1);
        if (count > static_cast<double>(tiles.size())) {
            for (const auto& [key, v] : tiles) {
                const std::int64_t tx = static_cast<std::int32_t>(key >> 32);
                const std::int64_t ty = static_cast<std::int32_t>(key & 0xFFFFFFFFu);
                if (tx >= tx0 && tx <= tx1 && ty >= ty0 && ty <= ty1)
                    g(tx, ty, v);
            }
            return;
        }
        for (std::int64_t ty = ty0; ty <= ty1; ++ty)
            for (std::int64_t tx = tx0; tx <= tx1; ++tx) {
                const auto it = tiles.find(Key(tx, ty));
                if (it != tiles.end())
                    g(tx, ty, it->second);
            }
    }

    std::vector<CLevel> m_levels;
    std::size_t m_nCount = 0;
};
