#include "mapper/formats/tintin_layout.h"

#include <algorithm>
#include <unordered_set>

#include "mapper/model/types.h"

namespace {
struct CEdge {
    std::uint32_t to;
    std::int32_t dx, dy, dplane;
    Direction dir;  // where a taken cell is passed
};

CCellKey Offset(const CCellKey& c, std::int32_t dx, std::int32_t dy, std::int32_t dplane)
{
    return {WrapAdd(c.x, dx), WrapAdd(c.y, dy), WrapAdd(c.plane, dplane)};
}

class CLayout {
public:
    CLayout(std::uint32_t roomCount, const std::vector<CLayoutStep>& steps)
        : m_first(roomCount + 1, 0), m_cells(roomCount), m_placed(roomCount, false)
    {
        m_taken.reserve(roomCount);
        for (const CLayoutStep& s : steps) {
            ++m_first[s.from + 1];
            ++m_first[s.to + 1];
        }
        for (std::uint32_t i = 0; i < roomCount; ++i)
            m_first[i + 1] += m_first[i];
        m_edges.resize(m_first[roomCount]);
        std::vector<std::uint32_t> fill(m_first.begin(), m_first.end() - 1);
        for (const CLayoutStep& s : steps) {
            m_edges[fill[s.from]++] = {s.to, s.dx, s.dy, s.dplane, s.first};
            m_edges[fill[s.to]++] = {s.from, -s.dx, -s.dy, -s.dplane, Opposite(s.last)};
        }
    }

    void LayOutGroup(std::uint32_t root)
    {
        if (!m_group.empty() && m_group.size() < m_taken.bucket_count() / 64)
            m_taken = std::unordered_set<CCellKey, CCellHash>();  // a clear would sweep every bucket of a large group
        else
            m_taken.clear();
        m_group.clear();
        Place(root, {0, 0, 0});
        for (std::size_t head = 0; head < m_group.size(); ++head) {
            const std::uint32_t room = m_group[head];
            for (std::uint32_t e = m_first[room]; e < m_first[room + 1]; ++e) {
                const CEdge& edge = m_edges[e];
                if (!m_placed[edge.to])
                    Place(edge.to, FreeCell(Offset(m_cells[room], edge.dx, edge.dy, edge.dplane), edge.dir));
            }
        }
        PutBesidePrevious();
    }

    bool Placed(std::uint32_t room) const { return m_placed[room]; }
    std::vector<CCellKey> TakeCells() { return std::move(m_cells); }

private:
    bool Taken(const CCellKey& c) const { return m_taken.count(c) != 0; }

    CCellKey FreeCell(CCellKey target, Direction dir)
    {
        if (!Taken(target))
            return target;
        const CDirectionInfo& d = DirectionInfo(dir);
        CCellKey c = target;
        for (int k = 0; k < kFurtherCells; ++k) {
            c = Offset(c, d.dx, d.dy, d.dplane);
            if (!Taken(c))
                return c;
        }
        c = {target.x, WrapAdd(m_maxY, 1), target.plane};
        while (Taken(c))  // only after the rows have wrapped around
            c.y = WrapAdd(c.y, 1);
        return c;
    }

    void Place(std::uint32_t room, const CCellKey& cell)
    {
        m_placed[room] = true;
        m_cells[room] = cell;
        m_taken.insert(cell);
        if (m_group.empty()) {
            m_minX = m_maxX = cell.x;
            m_minY = m_maxY = cell.y;
        } else {
            m_minX = std::min(m_minX, cell.x);
            m_maxX = std::max(m_maxX, cell.x);
            m_minY = std::min(m_minY, cell.y);
            m_maxY = std::max(m_maxY, cell.y);
        }
        m_group.push_back(room);
    }

    // The group's columns start two to the east of the map's last column.
    void PutBesidePrevious()
    {
        if (!m_anyGroup) {
            m_anyGroup = true;
            m_mapMaxX = m_maxX;
            m_mapMinY = m_minY;
            return;
        }
        const std::int32_t dx = WrapAdd(WrapAdd(m_mapMaxX, 2), -m_minX);
        const std::int32_t dy = WrapAdd(m_mapMinY, -m_minY);
        for (std::uint32_t room : m_group)
            m_cells[room] = Offset(m_cells[room], dx, dy, 0);
        m_mapMaxX = WrapAdd(m_maxX, dx);
    }

    std::vector<std::uint32_t> m_first;  // edges of room i: m_first[i] .. m_first[i + 1]
    std::vector<CEdge> m_edges;
    std::vector<CCellKey> m_cells;
    std::vector<bool> m_placed;
    std::unordered_set<CCellKey, CCellHash> m_taken;  // cells of the group being laid out
    std::vector<std::uint32_t> m_group;                // its rooms, in the order reached
    std::int32_t m_minX = 0, m_maxX = 0, m_minY = 0, m_maxY = 0;
    bool m_anyGroup = false;
    std::int32_t m_mapMaxX = 0, m_mapMinY = 0;
};
}  // namespace

std::vector<CCellKey> LayOutRooms(std::uint32_t roomCount, const std::vector<CLayoutStep>& steps, std::uint32_t start)
{
    CLayout layout(roomCount, steps);
    if (start < roomCount)
        layout.LayOutGroup(start);
    for (std::uint32_t room = 0; room < roomCount; ++room)
        if (!layout.Placed(room))
            layout.LayOutGroup(room);
    return layout.TakeCells();
}
