// The first step of a paint: the rooms and links of the three planes that
// may be drawn, in map order, and the cells of the rooms by id.
#include "mapper/model/document.h"
#include "mapper/view/paint_pass.h"
#include "mapper/view/prefetch.h"

CPaintPass::CCell CPaintPass::CellOf(RoomId id) const
{
    if (!m_cells.empty())
        return id != 0 && id <= m_cells.size() ? m_cells[id - 1] : CCell{};
    const CRoom* r = m_doc.GetRooms().Find(id);
    return r ? CCell{r->m_nX, r->m_nY, r->m_nPlane, true} : CCell{};
}

void CPaintPass::ClassifyRecords()
{
    const CRoomMap& rooms = m_doc.GetRooms();
    const std::size_t last = m_doc.GetLastRoomId();
    // A table by id costs little while the ids are dense; the map's own
    // lookup serves sparse ids.
    const bool dense = last <= 4 * rooms.size() + 4096;
    if (dense)
        m_cells.assign(last, CCell{});
    // Most rooms and links of a large map lie on the plane on view.
    m_rooms[1].reserve(rooms.size());
    m_links[1].reserve(m_doc.GetLinks().size());
    for (auto it = rooms.begin(); it != rooms.end(); ++it) {
        PrefetchChain(rooms, it.node());
        const CRoom& r = it.value();
        if (dense && it.key() != 0 && it.key() <= last)
            m_cells[it.key() - 1] = {r.m_nX, r.m_nY, r.m_nPlane, true};
        const int slot = PlaneSlot(r.m_nPlane);
        if (slot >= 0)
            m_rooms[slot].push_back({it.key(), &r});
    }
    if (dense && m_cells.empty())
        m_cells.push_back(CCell{});  // keeps the table in use for a map without ids

    // The links in map order first, then their rooms' cells, looked up a few
    // links ahead of their use.
    const CLinkMap& links = m_doc.GetLinks();
    std::vector<CLinkRef>& all = m_buf.allLinks;
    all.reserve(links.size());
    for (auto it = links.begin(); it != links.end(); ++it) {
        PrefetchChain(links, it.node());
        all.push_back({it.key(), &it.value(), 0, 0, 0, 0});
    }
    constexpr std::size_t kAhead = 8;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i + kAhead < all.size() && !m_cells.empty()) {
            const CLink& next = *all[i + kAhead].link;
            if (next.m_nFromRoom - 1u < m_cells.size())
                Prefetch(&m_cells[next.m_nFromRoom - 1]);
            if (next.m_nToRoom - 1u < m_cells.size())
                Prefetch(&m_cells[next.m_nToRoom - 1]);
        }
        if (i + 2 * kAhead < all.size())
            Prefetch(&all[i + 2 * kAhead].link->m_nToRoom);
        CLinkRef ref = all[i];
        const CCell a = CellOf(ref.link->m_nFromRoom), b = CellOf(ref.link->m_nToRoom);
        // A link to a room that is not in the map has no end to draw to.
        if (!a.exists || !b.exists)
            continue;
        ref.ax = a.x;
        ref.ay = a.y;
        ref.bx = b.x;
        ref.by = b.y;
        const int sa = PlaneSlot(a.plane), sb = PlaneSlot(b.plane);
        if (sa >= 0)
            m_links[sa].push_back(ref);
        if (sb >= 0 && sb != sa)
            m_links[sb].push_back(ref);
    }
}

