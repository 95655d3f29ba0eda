// The first step of a paint bound to its window: the rooms, links and labels
// that can reach the window, found by the spatial index, in map order; and
// the hit data of what it did not visit.
//
// Why the hit tests answer as after a paint of the whole map:
// - Everything visited is drawn and given hit data by the same steps as in
//   the walk over the whole map, in the same order; what is not visited
//   draws no pixel (it lies beyond the window and the playback margin).
// - A window pixel's map point can fall only in the hit rectangle, corridor
//   or label region of a record that reaches the window grown by a margin
//   (16 pixels and 4 map units), and those are visited: inside the window
//   the hit data the hit tests meet is the walk's.
// - Room squares, hit rectangles and link corridors are pure geometry of the
//   cells. The index lists every room and link stored since it last got hit
//   data; SettleHitData gives those on a drawn plane their geometry, as the
//   walk would, so no stale rectangle or corridor of a record that moved is
//   left in the window. The hit test of a click (CMapInteraction::HitTestAt)
//   gives the records about its point their geometry first, so a click
//   beyond the window (the pointer captured) finds what the walk left there;
//   the rubber band computes hit rectangles from the cells.
// - Label regions depend on the view and the font. The walk renews the region
//   of every label on the plane on view (and drops that of a room without a
//   label); here a region the paint did not renew is dropped, so no region of
//   an earlier view stays in the window, where the walk's renewed one would
//   not reach. Label hits are tested only at presses inside the window.
#include <algorithm>
#include <cmath>
#include <typeinfo>

#include "mapper/model/document.h"
#include "mapper/view/hit_geometry.h"
#include "mapper/view/paint_pass.h"
#include "mapper/view/room_geometry.h"
#include "mapper/view/spatial_index.h"

namespace {
constexpr double kPitch = double(kCellPitch), kCentre = double(kCellCentre);

std::int32_t FloorCell(double units)
{
    const double c = std::floor(units / kPitch);
    return c < -2147483647.0 ? -2147483647 : c > 2147483646.0 ? 2147483646 : static_cast<std::int32_t>(c);
}

// The window grown by a margin, and the forward transform in doubles.
class CReach {
public:
    CReach(const CViewTransform& t, int w, int h, std::int32_t preX, std::int32_t preY)
        : m_ox(t.OriginX()), m_oy(t.OriginY()), m_z(t.Zoom()), m_preX(preX), m_preY(preY)
    {
        if (t.Angle() != 0.0) {
            m_c = std::cos(t.Angle());
            m_s = std::sin(t.Angle());
        }
        m_ac = std::fabs(m_c);
        m_as = std::fabs(m_s);
        const double margin = 16 + 4 * m_z;
        m_x0 = -margin;
        m_y0 = -margin;
        m_x1 = w + margin;
        m_y1 = h + margin;
    }
    double Zoom() const { return m_z; }
    double Spread() const { return m_ac + m_as; }
    void ToWindow(double mx, double my, double& wx, double& wy) const
    {
        mx = (mx + m_preX) * m_z;
        my = (my + m_preY) * m_z;
        wx = m_c * mx - m_s * my + m_ox;
        wy = m_c * my + m_s * mx + m_oy;
    }
    // Cells of the map points whose window points lie within the window grown by g pixels.
    CCellBox Cells(double g) const
    {
        double lo[2] = {1e300, 1e300}, hi[2] = {-1e300, -1e300};
        for (double X : {m_x0 - g, m_x1 + g})
            for (double Y : {m_y0 - g, m_y1 + g}) {
                const double u = X - m_ox, v = Y - m_oy;
                const double m[2] = {(m_c * u + m_s * v) / m_z - m_preX, (m_c * v - m_s * u) / m_z - m_preY};
                for (int i = 0; i < 2; ++i) {
                    lo[i] = std::min(lo[i], m[i]);
                    hi[i] = std::max(hi[i], m[i]);
                }
            }
        return {FloorCell(lo[0] - 4) - 1, FloorCell(lo[1] - 4) - 1, FloorCell(hi[0] + 4) + 1, FloorCell(hi[1] + 4) + 1};
    }
    // True when a box of map units (centre, half sizes) can reach the grown window.
    bool Reaches(double cx, double cy, double hx, double hy) const
    {
        double wx, wy;
        ToWindow(cx, cy, wx, wy);
        const double ex = m_z * (hx * m_ac + hy * m_as) + 4, ey = m_z * (hx * m_as + hy * m_ac) + 4;
        return wx + ex >= m_x0 && wx - ex <= m_x1 && wy + ey >= m_y0 && wy - ey <= m_y1;
    }
    bool Meets(double l, double t, double r, double b) const { return r >= m_x0 && l <= m_x1 && b >= m_y0 && t <= m_y1; }

private:
    double m_ox, m_oy, m_z;
    std::int32_t m_preX, m_preY;
    double m_c = 1.0, m_s = 0.0, m_ac = 1.0, m_as = 0.0;
    double m_x0, m_y0, m_x1, m_y1;
};

constexpr std::int32_t kPre[3][2] = {{10, 10}, {0, 0}, {-10, -10}};
}  // namespace

bool CPaintPass::Drawn(std::int64_t plane) const
{
    const int slot = PlaneSlot(plane);
    return slot == 1 || (slot == 0 && m_view.m_bShowLower) || (slot == 2 && m_view.m_bShowHigher);
}

template <class F>
void CPaintPass::ForDrawnPlanes(F f) const
{
    for (int slot = 0; slot < 3; ++slot) {
        const std::int64_t plane = std::int64_t{m_doc.m_nCurrentPlane} + slot - 1;
        if (Drawn(plane) && plane == static_cast<std::int32_t>(plane))
            f(slot, static_cast<std::int32_t>(plane));
    }
}

bool CPaintPass::QueryRecords(CSpatialIndex& index)
{
    const CRoomMap& rooms = m_doc.GetRooms();
    const CLinkMap& links = m_doc.GetLinks();
    const std::size_t limit = (rooms.size() + links.size()) / 3;
    // When the window shows much of the map, the walk over it costs less.
    std::size_t estimate = 0;
    ForDrawnPlanes([&](int slot, std::int32_t plane) {
        if (const CSpatialIndex::CPlane* grids = index.Plane(plane)) {
            const CReach reach(m_transform, m_nWidth, m_nHeight, kPre[slot][0], kPre[slot][1]);
            const CCellBox cells = reach.Cells(17 * reach.Zoom() * reach.Spread() + 8);
            estimate += grids->rooms.Estimate([&](std::int64_t) { return cells; });
        }
    });
    if (estimate > limit)
        return false;
    std::size_t found = 0;
    bool tooMany = false;
    ForDrawnPlanes([&](int slot, std::int32_t plane) {
        const CSpatialIndex::CPlane* grids = index.Plane(plane);
        if (!grids || tooMany)
            return;
        const CReach reach(m_transform, m_nWidth, m_nHeight, kPre[slot][0], kPre[slot][1]);
        // Rooms: the square, ring and markers lie within 17 units of the centre;
        // on a neighbouring plane the selection's outlines go on the layer
        // without the plane's offset of 10 units.
        const double shift = slot == 1 ? 0 : 10;
        const CCellBox roomCells = reach.Cells((17 + shift) * reach.Zoom() * reach.Spread() + 8);
        auto& out = m_buf.found[slot];
        grids->rooms.Query([&](std::int64_t) { return roomCells; }, [&](std::uint32_t id, const CCellBox& b) {
            if (!reach.Reaches(kPitch * b.x0 + kCentre, kPitch * b.y0 + kCentre, 17 + shift, 17 + shift))
                return;
            const std::uint32_t node = rooms.NodeOf(id);
            if (node != CRoomMap::npos)
                out.push_back({rooms.OrderKey(node), id});
        });
        found += out.size();
        // Links: the polyline and corridor lie in the box of the two rooms'
        // cells grown by a cell; boxes of a level are narrower than its side.
        auto& linkOut = m_buf.foundLinks;
        const std::size_t before = linkOut.size();
        grids->links.Query(
            [&](std::int64_t side) { return reach.Cells(reach.Zoom() * reach.Spread() * (kCentre * side + 8 + shift) + 8); },
            [&](std::uint32_t id, const CCellBox& b) {
                const double l = kPitch * b.x0 - 8 - shift, t = kPitch * b.y0 - 8 - shift,
                             r = kPitch * (double(b.x1) + 1) + 8 + shift, bt = kPitch * (double(b.y1) + 1) + 8 + shift;
                if (!reach.Reaches((l + r) / 2, (t + bt) / 2, (r - l) / 2, (bt - t) / 2))
                    return;
                const std::uint32_t node = links.NodeOf(id);
                if (node == CLinkMap::npos)
                    return;
                const CLink& link = links.NodeValue(node);
                const CRoom* a = rooms.Find(link.m_nFromRoom);
                const CRoom* z = rooms.Find(link.m_nToRoom);
                if (!a || !z || (PlaneSlot(a->m_nPlane) != slot && PlaneSlot(z->m_nPlane) != slot))
                    return;
                linkOut.push_back({(std::uint64_t(slot) << 62) | links.OrderKey(node),
                                   CLinkRef{id, &link, a->m_nX, a->m_nY, z->m_nX, z->m_nY}});
            });
        found += linkOut.size() - before;
        tooMany = found > limit;
    });
    if (tooMany) {
        m_buf.Clear();
        return false;
    }
    // The links of each plane in map order (a slot's keys stand above the lower slots').
    auto& fl = m_buf.foundLinks;
    std::sort(fl.begin(), fl.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [key, ref] : fl) {
        const int slot = static_cast<int>(key >> 62);
        if (m_links[slot].empty() || m_links[slot].back().id != ref.id)
            m_links[slot].push_back(ref);
    }
    m_pIndex = &index;
    m_buf.windowed = true;
    return true;
}

void CPaintPass::FindLabels()
{
    CSpatialIndex& index = *m_pIndex;
    const CSpatialIndex::CPlane* grids = index.Plane(m_doc.m_nCurrentPlane);
    if (!grids || grids->labels.Empty())
        return;
    // The widest letter of the map's labels and the text height, measured in
    // the label font on this device; a label is no wider than its length
    // times one more than the widest letter.
    const std::array<std::uint64_t, 256>& bytes = index.LabelBytes();
    const int font = Trunc32(m_transform.Zoom() * 85);
    const void* device = m_dc.GetOutput() ? static_cast<const void*>(&typeid(*m_dc.GetOutput())) : nullptr;
    if (m_buf.measuredFont != font || m_buf.measuredDevice != device) {
        m_buf.letterWidth.fill(-1);
        m_buf.textHeight = 0;
        m_buf.measuredFont = font;
        m_buf.measuredDevice = device;
    }
    std::int64_t widest = 0;
    for (int c = 0; c < 256; ++c) {
        if (bytes[c] == 0)
            continue;
        if (m_buf.letterWidth[c] < 0) {
            const char letter = static_cast<char>(c);
            const CSize ext = m_dc.GetTextExtent(std::string_view(&letter, 1));
            m_buf.letterWidth[c] = std::max(ext.cx, 0);
            m_buf.textHeight = std::max(m_buf.textHeight, ext.cy);
        }
        widest = std::max<std::int64_t>(widest, m_buf.letterWidth[c]);
    }
    const double letter = double(widest) + 1, height = double(m_buf.textHeight) + 4;
    const CReach reach(m_transform, m_nWidth, m_nHeight, 0, 0);
    const double room = 17 * reach.Zoom() * reach.Spread() + 4;
    const double longest = double(grids->LongestLabel()) * letter + 8;
    const double reachOut = std::max(longest, height) + room + 8;
    const CRoomMap& rooms = m_doc.GetRooms();
    auto& out = m_buf.found[1];
    // A selected room's pin goes on the selection layer wherever it lies,
    // and makes that layer be played.
    for (RoomId id : m_view.m_selection.Rooms()) {
        const std::uint32_t node = rooms.NodeOf(id);
        if (node != CRoomMap::npos && rooms.NodeValue(node).m_nPlane == m_doc.m_nCurrentPlane &&
            !rooms.NodeValue(node).m_info.m_strLabel.empty())
            out.push_back({rooms.OrderKey(node), id});
    }
    // Boxes of a level are narrower than its side; turned, they reach further.
    auto cellsFor = [&](std::int64_t side) {
        return reach.Cells(reachOut + reach.Zoom() * reach.Spread() * (kCentre * side + 8));
    };
    grids->labels.Query(cellsFor, [&](std::uint32_t id, const CCellBox&) {
        const std::uint32_t node = rooms.NodeOf(id);
        if (node == CRoomMap::npos)
            return;
        const CRoom& r = rooms.NodeValue(node);
        double cx, cy, lx, ly;
        reach.ToWindow(kPitch * r.m_nX + kCentre, kPitch * r.m_nY + kCentre, cx, cy);
        reach.ToWindow(r.m_info.m_ptLabel.x, r.m_info.m_ptLabel.y, lx, ly);
        // The text, the pin from the room's centre and the room itself.
        const double width = double(r.m_info.m_strLabel.size()) * letter + 4;
        const double l = std::min(lx - 4, cx - room), t = std::min(ly - 4, cy - room);
        const double rt = std::max(lx + width, cx + room), b = std::max(ly + height, cy + room);
        if (reach.Meets(l, t, rt, b))
            out.push_back({rooms.OrderKey(node), id});
    });
}

void CPaintPass::SettleHitData(CSpatialIndex& index, bool windowed)
{
    // Label regions: a windowed paint drops those it did not renew.
    std::vector<RoomId>& held = index.LabelRegionRooms();
    std::vector<RoomId>& drawn = m_buf.labelled;
    std::sort(drawn.begin(), drawn.end());
    if (windowed) {
        for (RoomId id : held) {
            if (std::binary_search(drawn.begin(), drawn.end(), id))
                continue;
            const CRoom* r = m_doc.GetRooms().Find(id);
            if (r && r->m_info.m_hLabelRgn)
                m_doc.SetRoomLabelRegion(id, nullptr);
        }
        held.assign(drawn.begin(), drawn.end());
    } else {
        held.insert(held.end(), drawn.begin(), drawn.end());
        std::sort(held.begin(), held.end());
        held.erase(std::unique(held.begin(), held.end()), held.end());
    }
    // Records stored since their last hit data: geometry, as the walk gives
    // every record of a drawn plane; the others wait for their plane.
    ForDrawnPlanes([&](int, std::int32_t plane) {
        for (RoomId id : index.TakePendingRooms(plane)) {
            const CRoom* r = m_doc.GetRooms().Find(id);
            if (!r)
                continue;
            if (Drawn(r->m_nPlane))
                StoreRoomHitGeometry(m_doc, id, *r);
            else
                index.AddPendingRoom(r->m_nPlane, id);
        }
        for (LinkId id : index.TakePendingLinks(plane)) {
            const CLink* link = m_doc.GetLinks().Find(id);
            const CRoom* a = link ? m_doc.GetRooms().Find(link->m_nFromRoom) : nullptr;
            const CRoom* b = link ? m_doc.GetRooms().Find(link->m_nToRoom) : nullptr;
            if (!a || !b || !IsDrawnLink(*link))
                continue;
            if (Drawn(a->m_nPlane) || Drawn(b->m_nPlane))
                StoreLinkHitGeometry(m_doc, id, *link);
            else
                index.AddPendingLink(id, a->m_nPlane, b->m_nPlane);
        }
    });
}
