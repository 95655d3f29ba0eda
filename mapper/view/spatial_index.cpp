#include "mapper/view/spatial_index.h"

#include <algorithm>
#include <bit>

#include "mapper/model/document.h"
#include "mapper/view/geometry.h"
#include "mapper/view/hit_geometry.h"
#include "mapper/view/room_geometry.h"

namespace {
// The cell a map unit lies in (floor division).
std::int32_t CellOfUnit(std::int32_t v)
{
    return static_cast<std::int32_t>(v >= 0 ? v / kCellPitch : -((-std::int64_t{v} + kCellPitch - 1) / kCellPitch));
}

bool HasLabel(const CRoom& r) { return !r.m_info.m_strLabel.empty(); }

CCellBox LabelBox(const CRoom& r)
{
    const std::int32_t lx = CellOfUnit(r.m_info.m_ptLabel.x), ly = CellOfUnit(r.m_info.m_ptLabel.y);
    return {std::min(r.m_nX, lx), std::min(r.m_nY, ly), std::max(r.m_nX, lx), std::max(r.m_nY, ly)};
}

unsigned LengthClass(std::size_t n) { return static_cast<unsigned>(std::bit_width(n) - 1); }

bool Lists(const CRoom* room, LinkId id)
{
    return room && std::find(room->m_links.begin(), room->m_links.end(), id) != room->m_links.end();
}
}  // namespace

std::uint64_t CSpatialIndex::CPlane::LongestLabel() const
{
    for (int c = 32; c >= 0; --c)
        if (labelClasses[c] != 0)
            return (std::uint64_t{2} << c) - 1;
    return 0;
}

CSpatialIndex::CSpatialIndex(CVorMapperDoc& doc) : m_doc(doc) { m_doc.AddObserver(this); }

CSpatialIndex::~CSpatialIndex() { m_doc.RemoveObserver(this); }

const CSpatialIndex::CPlane* CSpatialIndex::Plane(std::int32_t plane)
{
    Refresh();
    const auto it = m_planes.find(plane);
    return it == m_planes.end() ? nullptr : &it->second;
}

const std::array<std::uint64_t, 256>& CSpatialIndex::LabelBytes()
{
    Refresh();
    return m_labelBytes;
}

void CSpatialIndex::Rebuild()
{
    m_planes.clear();
    m_irregular.clear();
    m_labelBytes.fill(0);
    m_bStale = false;
    const CRoomMap& rooms = m_doc.GetRooms();
    // Room counts first, so that each tile's memory is taken once.
    for (auto it = rooms.begin(); it != rooms.end(); ++it) {
        const CRoom& r = it.value();
        InsertRoom(it.key(), r);
        if (HasLabel(r))
            InsertLabel(it.key(), r);
    }
    const CLinkMap& links = m_doc.GetLinks();
    for (auto it = links.begin(); it != links.end(); ++it) {
        CLinkPlace p;
        if (PlaceOf(it.value(), {}, p))
            InsertLink(it.key(), p);
        if (!Regular(it.value(), it.key(), {}))
            m_irregular.insert(it.key());
    }
}

std::size_t CSpatialIndex::Bytes() const
{
    std::size_t bytes = sizeof(*this) + m_planes.bucket_count() * sizeof(void*);
    for (const auto& [plane, p] : m_planes)
        bytes += sizeof(plane) + sizeof(p) + 2 * sizeof(void*) + p.rooms.Bytes() + p.links.Bytes() +
                 p.labels.Bytes() - 3 * sizeof(CTileGrid);
    bytes += m_irregular.size() * (sizeof(LinkId) + 2 * sizeof(void*)) + m_irregular.bucket_count() * sizeof(void*);
    return bytes;
}

void CSpatialIndex::InsertRoom(RoomId id, const CRoom& room)
{
    m_planes[room.m_nPlane].rooms.Insert(id, {room.m_nX, room.m_nY, room.m_nX, room.m_nY});
}

void CSpatialIndex::EraseRoom(RoomId id, const CRoom& room)
{
    const auto it = m_planes.find(room.m_nPlane);
    if (it == m_planes.end() || !it->second.rooms.Erase(id, {room.m_nX, room.m_nY, room.m_nX, room.m_nY}))
        Fail();
}

void CSpatialIndex::InsertLabel(RoomId id, const CRoom& room)
{
    CPlane& p = m_planes[room.m_nPlane];
    p.labels.Insert(id, LabelBox(room));
    ++p.labelClasses[LengthClass(room.m_info.m_strLabel.size())];
    for (unsigned char c : room.m_info.m_strLabel.view())
        ++m_labelBytes[c];
}

void CSpatialIndex::EraseLabel(RoomId id, const CRoom& room)
{
    const auto it = m_planes.find(room.m_nPlane);
    if (it == m_planes.end() || !it->second.labels.Erase(id, LabelBox(room))) {
        Fail();
        return;
    }
    --it->second.labelClasses[LengthClass(room.m_info.m_strLabel.size())];
    for (unsigned char c : room.m_info.m_strLabel.view())
        --m_labelBytes[c];
}

const CRoom* CSpatialIndex::RoomOf(RoomId r, const CRoomOverride& rooms) const
{
    return rooms.active && r == rooms.id ? rooms.room : m_doc.GetRooms().Find(r);
}

bool CSpatialIndex::PlaceOf(const CLink& link, const CRoomOverride& rooms, CLinkPlace& place) const
{
    if (!IsDrawnLink(link))
        return false;
    const CRoom* a = RoomOf(link.m_nFromRoom, rooms);
    const CRoom* b = RoomOf(link.m_nToRoom, rooms);
    if (!a || !b)
        return false;
    place.box = {Saturate32(std::int64_t{std::min(a->m_nX, b->m_nX)} - 1),
                 Saturate32(std::int64_t{std::min(a->m_nY, b->m_nY)} - 1),
                 Saturate32(std::int64_t{std::max(a->m_nX, b->m_nX)} + 1),
                 Saturate32(std::int64_t{std::max(a->m_nY, b->m_nY)} + 1)};
    place.planeA = a->m_nPlane;
    place.planeB = b->m_nPlane;
    return true;
}

void CSpatialIndex::InsertLink(LinkId id, const CLinkPlace& p)
{
    m_planes[p.planeA].links.Insert(id, p.box);
    if (p.planeB != p.planeA)
        m_planes[p.planeB].links.Insert(id, p.box);
}

void CSpatialIndex::EraseLink(LinkId id, const CLinkPlace& p)
{
    auto erase = [&](std::int32_t plane) {
        const auto it = m_planes.find(plane);
        if (it == m_planes.end() || !it->second.links.Erase(id, p.box))
            Fail();
    };
    erase(p.planeA);
    if (p.planeB != p.planeA)
        erase(p.planeB);
}

bool CSpatialIndex::Regular(const CLink& link, LinkId id, const CRoomOverride& rooms) const
{
    return Lists(RoomOf(link.m_nFromRoom, rooms), id) && Lists(RoomOf(link.m_nToRoom, rooms), id);
}

void CSpatialIndex::OnRoomChanging(RoomId id, const CRoom* before, const CRoom* after)
{
    if (after) {
        m_pending.AddRoom(after->m_nPlane, id);
        if (after->m_info.m_hLabelRgn)
            m_pending.LabelRegionRooms().push_back(id);
    }
    if (m_bStale)
        return;
    const bool moved = !before || !after || before->m_nX != after->m_nX || before->m_nY != after->m_nY ||
                       before->m_nPlane != after->m_nPlane;
    if (moved) {
        if (before)
            EraseRoom(id, *before);
        if (after)
            InsertRoom(id, *after);
    }
    const bool labelChanged = moved || (before && after &&
                                        (!(before->m_info.m_strLabel == after->m_info.m_strLabel) ||
                                         !(before->m_info.m_ptLabel == after->m_info.m_ptLabel)));
    if (labelChanged) {
        if (before && HasLabel(*before))
            EraseLabel(id, *before);
        if (after && HasLabel(*after))
            InsertLabel(id, *after);
    }
    if (moved || before->m_links != after->m_links)
        UpdateRoomLinks(id, before, after, moved);
}

void CSpatialIndex::UpdateRoomLinks(RoomId id, const CRoom* before, const CRoom* after, bool moved)
{
    std::vector<LinkId> links;
    for (const CRoom* r : {before, after})
        if (r)
            for (LinkId l : r->m_links)
                if (l != 0)
                    links.push_back(l);
    for (LinkId l : m_irregular)
        links.push_back(l);
    std::sort(links.begin(), links.end());
    links.erase(std::unique(links.begin(), links.end()), links.end());
    for (LinkId l : links) {
        const CLink* link = m_doc.GetLinks().Find(l);
        if (!link || (link->m_nFromRoom != id && link->m_nToRoom != id))
            continue;
        if (moved) {
            CLinkPlace p;
            if (PlaceOf(*link, Taking(id, before), p))
                EraseLink(l, p);
            if (PlaceOf(*link, Taking(id, after), p)) {
                InsertLink(l, p);
                m_pending.AddLink(l, p.planeA, p.planeB);
            }
        }
        if (Regular(*link, l, Taking(id, after)))
            m_irregular.erase(l);
        else
            m_irregular.insert(l);
    }
}

void CSpatialIndex::OnLinkChanging(LinkId id, const CLink* before, const CLink* after)
{
    CLinkPlace p;
    if (after && PlaceOf(*after, {}, p))
        m_pending.AddLink(id, p.planeA, p.planeB);
    if (m_bStale)
        return;
    CLinkPlace old;
    if (before && PlaceOf(*before, {}, old))
        EraseLink(id, old);
    if (after && PlaceOf(*after, {}, p))
        InsertLink(id, p);
    if (after && !Regular(*after, id, {}))
        m_irregular.insert(id);
    else
        m_irregular.erase(id);
}

void CSpatialIndex::OnMapReplaced()
{
    m_bStale = true;
    m_planes.clear();
    m_irregular.clear();
    m_pending.Clear();
}

void CSpatialIndex::StoreHitGeometryNear(CPoint mapPoint)
{
    const CPlane* grids = Plane(m_doc.m_nCurrentPlane);
    if (!grids)
        return;
    const std::int32_t x = CellOfUnit(mapPoint.x), y = CellOfUnit(mapPoint.y);
    const CCellBox near{Saturate32(std::int64_t{x} - 1), Saturate32(std::int64_t{y} - 1),
                        Saturate32(std::int64_t{x} + 1), Saturate32(std::int64_t{y} + 1)};
    std::vector<std::uint32_t> rooms, links;
    grids->rooms.Query([&](std::int64_t) { return near; }, [&](std::uint32_t id, const CCellBox&) { rooms.push_back(id); });
    grids->links.Query([&](std::int64_t) { return near; }, [&](std::uint32_t id, const CCellBox&) { links.push_back(id); });
    for (RoomId id : rooms)
        if (const CRoom* r = m_doc.GetRooms().Find(id))
            StoreRoomHitGeometry(m_doc, id, *r);
    for (LinkId id : links)
        if (const CLink* l = m_doc.GetLinks().Find(id))
            StoreLinkHitGeometry(m_doc, id, *l);
}
