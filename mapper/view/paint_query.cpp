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
//   cells. The index's pending list holds every room and link stored since
//   it last got hit data; SettleHitData gives those on a drawn plane their
//   geometry, as the walk would, so no stale rectangle or corridor of a
//   record that moved is left in the window. The hit test of a click
//   (CMapInteraction::HitTestAt) gives the records about its point their
//   geometry first, so a click beyond the window (the pointer captured)
//   finds what the walk left there; the rubber band computes hit rectangles
//   from the cells.
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
#include "mapper/view/paint_reach.h"
#include "mapper/view/room_geometry.h"
#include "mapper/view/spatial_index.h"

namespace {
constexpr double kPitch = CPaintReach::kPitch, kCentre = CPaintReach::kCentre;
// What a room draws (square, ring, markers) lies within this many map units
// of its centre.
constexpr double kRoomExtent = 17;
// A link's polyline and corridor lie within this many map units of the box
// of its two rooms' cells.
constexpr double kLinkExtent = 8;
// Pixels added to every extent turned into window pixels.
constexpr double kPenPixels = 8;

// The pre-offset of each plane slot's pass: lower, current, higher.
constexpr std::int32_t kPre[3][2] = {{kPlaneShift, kPlaneShift}, {0, 0}, {-kPlaneShift, -kPlaneShift}};

// A found link's sort key: its plane slot above its order key in the map,
// so that the links sort by slot, then in map order.
constexpr int kSlotShift = 62;
std::uint64_t SlotOrderKey(int slot, std::uint64_t orderKey) { return (std::uint64_t(slot) << kSlotShift) | orderKey; }
int SlotOfKey(std::uint64_t key) { return static_cast<int>(key >> kSlotShift); }
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

CPaintReach CPaintPass::ReachOf(int slot) const
{
    return CPaintReach(m_transform, m_nWidth, m_nHeight, kPre[slot][0], kPre[slot][1]);
}

std::size_t CPaintPass::EstimateFound(CSpatialIndex& index) const
{
    std::size_t estimate = 0;
    ForDrawnPlanes([&](int slot, std::int32_t plane) {
        if (const CSpatialIndex::CPlane* grids = index.Plane(plane)) {
            const CPaintReach reach = ReachOf(slot);
            const CCellBox cells = reach.Cells(kRoomExtent * reach.Zoom() * reach.Spread() + kPenPixels);
            estimate += grids->rooms.Estimate([&](std::int64_t) { return cells; });
        }
    });
    return estimate;
}

void CPaintPass::FindRooms(const CTileGrid& grid, int slot, const CPaintReach& reach)
{
    // On a neighbouring plane the selection's outlines go on the layer
    // without the plane's offset.
    const double extent = kRoomExtent + (slot == 1 ? 0 : kPlaneShift);
    const CCellBox cells = reach.Cells(extent * reach.Zoom() * reach.Spread() + kPenPixels);
    const CRoomMap& rooms = m_doc.GetRooms();
    auto& out = m_buf.found[slot];
    grid.Query([&](std::int64_t) { return cells; }, [&](std::uint32_t id, const CCellBox& b) {
        if (!reach.Reaches(kPitch * b.x0 + kCentre, kPitch * b.y0 + kCentre, extent, extent))
            return;
        const std::uint32_t node = rooms.NodeOf(id);
        if (node != CRoomMap::npos)
            out.push_back({rooms.OrderKey(node), id});
    });
}

void CPaintPass::FindLinks(const CTileGrid& grid, int slot, const CPaintReach& reach)
{
    // The box of the two rooms' cells grown by a cell holds the link; boxes
    // of a level are narrower than its side.
    const double extent = kLinkExtent + (slot == 1 ? 0 : kPlaneShift);
    auto cellsFor = [&](std::int64_t side) {
        return reach.Cells(reach.Zoom() * reach.Spread() * (kCentre * side + extent) + kPenPixels);
    };
    const CRoomMap& rooms = m_doc.GetRooms();
    const CLinkMap& links = m_doc.GetLinks();
    grid.Query(cellsFor, [&](std::uint32_t id, const CCellBox& b) {
        const double l = kPitch * b.x0 - extent, t = kPitch * b.y0 - extent,
                     r = kPitch * (double(b.x1) + 1) + extent, bt = kPitch * (double(b.y1) + 1) + extent;
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
        m_buf.foundLinks.push_back(
            {SlotOrderKey(slot, links.OrderKey(node)), CLinkRef{id, &link, a->m_nX, a->m_nY, z->m_nX, z->m_nY}});
    });
}

bool CPaintPass::QueryRecords(CSpatialIndex& index)
{
    // When the window shows much of the map, the walk over it costs less.
    const std::size_t limit = (m_doc.GetRooms().size() + m_doc.GetLinks().size()) / 3;
    if (EstimateFound(index) > limit)
        return false;
    std::size_t found = 0;
    bool tooMany = false;
    ForDrawnPlanes([&](int slot, std::int32_t plane) {
        const CSpatialIndex::CPlane* grids = index.Plane(plane);
        if (!grids || tooMany)
            return;
        const CPaintReach reach = ReachOf(slot);
        const std::size_t before = m_buf.found[slot].size() + m_buf.foundLinks.size();
        FindRooms(grids->rooms, slot, reach);
        FindLinks(grids->links, slot, reach);
        found += m_buf.found[slot].size() + m_buf.foundLinks.size() - before;
        tooMany = found > limit;
    });
    if (tooMany) {
        m_buf.Clear();
        return false;
    }
    // The links of each plane in map order; a link under both its planes'
    // grids is listed once per slot.
    auto& fl = m_buf.foundLinks;
    std::sort(fl.begin(), fl.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [key, ref] : fl) {
        const int slot = SlotOfKey(key);
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
    const int font = LabelFontTenths();
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
    const CPaintReach reach = ReachOf(1);
    const double room = kRoomExtent * reach.Zoom() * reach.Spread() + CPaintReach::kBoxSlackPixels;
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

void CPaintPass::SettleHitData(CPendingHitData& pending, bool windowed)
{
    // Label regions: a windowed paint drops those it did not renew.
    std::vector<RoomId>& held = pending.LabelRegionRooms();
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
        for (RoomId id : pending.TakeRooms(plane)) {
            const CRoom* r = m_doc.GetRooms().Find(id);
            if (!r)
                continue;
            if (Drawn(r->m_nPlane))
                StoreRoomHitGeometry(m_doc, id, *r);
            else
                pending.AddRoom(r->m_nPlane, id);
        }
        for (LinkId id : pending.TakeLinks(plane)) {
            const CLink* link = m_doc.GetLinks().Find(id);
            const CRoom* a = link ? m_doc.GetRooms().Find(link->m_nFromRoom) : nullptr;
            const CRoom* b = link ? m_doc.GetRooms().Find(link->m_nToRoom) : nullptr;
            if (!a || !b || !IsDrawnLink(*link))
                continue;
            if (Drawn(a->m_nPlane) || Drawn(b->m_nPlane))
                StoreLinkHitGeometry(m_doc, id, *link);
            else
                pending.AddLink(id, a->m_nPlane, b->m_nPlane);
        }
    });
}
