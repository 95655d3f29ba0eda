// Structural editing operations and the commands the document handles itself.
#include <cstdio>

#include "mapper/model/document.h"
#include "mapper/resource_ids.h"

namespace {
constexpr double kPi = 3.14159265358979;  // the decimal constant, not full-precision pi

// Advances the counter to the next id that is neither 0 (none), nor the
// unassigned mark, nor stored: a file may hold any id, and a counter raised
// near 2^32 wraps. One step while the ids above the counter are free.
template <class Map>
std::uint32_t NextFreeId(std::uint32_t& counter, const Map& map)
{
    do
        ++counter;
    while (counter == 0 || counter == kIdUnassigned || map.Find(counter));
    return counter;
}
}  // namespace

RoomId CVorMapperDoc::AddRoom(CRoom room)
{
    CMapStep addStep(*this, "Add room");
    room.SetId(NextFreeId(m_nLastRoomId, m_roomMap));
    const RoomId id = room.m_nId;
    StoreRoomNode(std::move(room));
    return id;
}

LinkId CVorMapperDoc::AddLink(CLink link)
{
    CMapStep addStep(*this, "Add link");
    link.SetId(NextFreeId(m_nLastLinkId, m_linkMap));
    const LinkId id = link.m_nId;
    if (Observed())
        NotifyLink(id, nullptr, &link);
    m_linkMap.Set(id, std::move(link));
    return id;
}

void CVorMapperDoc::DeleteLink(LinkId id)
{
    CMapStep deleteStep(*this, "Delete link");
    CLink link;
    if (!LookupLink(id, link))
        return;
    // A first direction of -1 (never set) is entered in no room; a value
    // outside 0..9 read from a file names no slot either.
    if (IsDirection(link.m_nFromDir)) {
        CRoom from;
        if (!LookupRoom(link.m_nFromRoom, from))
            return;
        from.m_links[link.m_nFromDir] = 0;
        SetRoom(from);
        CRoom to;
        if (IsDirection(link.m_nToDir) && LookupRoom(link.m_nToRoom, to)) {
            to.m_links[link.m_nToDir] = 0;
            SetRoom(to);
        }
    }
    if (Observed())
        NotifyLink(id, m_linkMap.Find(id), nullptr);
    m_linkMap.Remove(id);
}

bool CVorMapperDoc::DeleteRoom(RoomId id)
{
    CMapStep deleteStep(*this, "Delete room");
    if (m_roomMap.size() == 1)
        return false;
    CRoom room;
    if (!LookupRoom(id, room))
        return true;  // nothing stored under the id: nothing to delete

    RoomId successor = 0;
    if (id == m_nCurrentRoom) {
        // The other end of the first link that leads to another stored room.
        for (LinkId linkId : room.m_links) {
            CLink link;
            if (linkId == 0 || !LookupLink(linkId, link))
                continue;
            const RoomId other = link.m_nFromRoom == id ? link.m_nToRoom : link.m_nFromRoom;
            if (other != id && m_roomMap.Find(other)) {
                successor = other;
                break;
            }
        }
        // Else the nearest id below, else the nearest above up to the counter:
        // one pass over the map rather than a walk over every possible id.
        if (successor == 0) {
            RoomId below = 0, above = 0;
            for (auto it = m_roomMap.begin(); it != m_roomMap.end(); ++it) {
                const RoomId other = it.key();
                if (other < id && other >= 1 && other > below)
                    below = other;
                if (other > id && other <= m_nLastRoomId && (above == 0 || other < above))
                    above = other;
            }
            successor = below ? below : above;
        }
    }

    for (LinkId linkId : room.m_links)
        if (linkId != 0)
            DeleteLink(linkId);
    if (Observed())
        NotifyRoom(id, m_roomMap.Find(id), nullptr);
    m_cells.erase(m_roomMap.NodeOf(id), CellOf());
    m_roomMap.Remove(id);

    if (successor != 0) {
        m_nCurrentRoom = successor;
        m_nCurrentPlane = GetRoom(successor).m_nPlane;
    }
    return true;
}

void CVorMapperDoc::ShiftRooms(RoomId id, Direction dir)
{
    CMapStep shiftStep(*this, "Shift rooms");
    CRoom room;
    if (!IsDirection(dir) || !LookupRoom(id, room))
        return;
    enum Axis { X, Y, PLANE } axis;
    int step;
    switch (dir) {
    case DIR_N: axis = Y; step = -1; break;
    case DIR_S: axis = Y; step = +1; break;
    case DIR_E: case DIR_NE: case DIR_SE: axis = X; step = +1; break;
    case DIR_W: case DIR_NW: case DIR_SW: axis = X; step = -1; break;
    case DIR_U: axis = PLANE; step = +1; break;
    default: axis = PLANE; step = -1; break;
    }
    auto coord = [axis](CRoom& r) -> std::int32_t& { return axis == X ? r.m_nX : axis == Y ? r.m_nY : r.m_nPlane; };
    const std::int32_t threshold = coord(room);
    // Positions change under the index: move every room, then index afresh.
    m_cells.clear();
    m_roomMap.ForEach([&](RoomId rid, CRoom& r) {
        const std::int32_t c = coord(r);
        if (!(step > 0 ? c >= threshold : c <= threshold))
            return;
        if (Observed()) {
            CRoom after = r;
            coord(after) = WrapAdd(c, step);
            NotifyRoom(rid, &r, &after);
        }
        coord(r) = WrapAdd(c, step);
    });
    RebuildCellIndex();
    if (axis == PLANE)
        m_nCurrentPlane = GetRoom(id).m_nPlane;
    SetModifiedFlag();
}

void CVorMapperDoc::RebuildCellIndex()
{
    m_cells.clear();
    m_cells.reserve(m_roomMap.size(), CellOf());
    for (auto it = m_roomMap.begin(); it != m_roomMap.end(); ++it)
        m_cells.insert(it.node(), CellOf());
}

void CVorMapperDoc::SetRoomRecursive(RoomId id, bool recursive)
{
    CMapStep recursiveStep(*this, "Recursive");
    CRoom room;
    if (!LookupRoom(id, room))
        return;
    room.m_bRecursive = recursive;
    SetRoom(room);
    SetModifiedFlag();
}

// ---------------------------------------------------------------- commands

namespace {
struct PlaneItem {
    unsigned id;
    std::int32_t plane;
};
constexpr PlaneItem kPlaneItems[] = {
    {ID_PLANE_3, 3}, {ID_PLANE_2, 2}, {ID_PLANE_1, 1}, {ID_PLANE_0, 0},
    {ID_PLANE_MINUS1, -1}, {ID_PLANE_MINUS2, -2}, {ID_PLANE_MINUS3, -3},
};
const PlaneItem* FindPlaneItem(unsigned id)
{
    for (const PlaneItem& item : kPlaneItems)
        if (item.id == id)
            return &item;
    return nullptr;
}
}  // namespace

bool CVorMapperDoc::OnCommand(unsigned id)
{
    auto rotate = [this](double angle) {
        m_dRotation = angle;
        UpdateAllViews(nullptr, HINT_REDRAW);
    };
    auto zoom = [this](double factor) {
        m_dZoom = factor;
        UpdateAllViews(nullptr, HINT_REDRAW);
    };
    switch (id) {
    case ID_ROTATION_0: rotate(0.0); return true;
    case ID_ROTATION_45: rotate(kPi / 4); return true;
    case ID_ROTATION_90: rotate(kPi / 2); return true;
    case ID_ROTATION_135: rotate(3 * kPi / 4); return true;
    case ID_ROTATION_180: rotate(kPi); return true;
    case ID_ROTATION_270: rotate(3 * kPi / 2); return true;
    case ID_ROTATION_360: rotate(0.0); return true;
    case ID_ZOOM_12: zoom(0.125); return true;
    case ID_ZOOM_25: zoom(0.25); return true;
    case ID_ZOOM_50: zoom(0.5); return true;
    case ID_ZOOM_100: zoom(1.0); return true;
    case ID_ZOOM_200: zoom(2.0); return true;
    case ID_ZOOM_400: zoom(4.0); return true;
    case ID_ZOOM_800: zoom(8.0); return true;
    case ID_ZOOM_IN: zoom(m_dZoom == 8.0 ? m_dZoom : m_dZoom * 2); return true;
    case ID_ZOOM_OUT: zoom(m_dZoom == 0.125 ? m_dZoom : m_dZoom / 2); return true;
    case ID_PLANE_HIGHER:
        m_nCurrentPlane = WrapAdd(m_nCurrentPlane, 1);
        UpdateAllViews(nullptr, HINT_PLANE_CHANGED);
        return true;
    case ID_PLANE_LOWER:
        m_nCurrentPlane = WrapAdd(m_nCurrentPlane, -1);
        UpdateAllViews(nullptr, HINT_PLANE_CHANGED);
        return true;
    case ID_EDIT_RENAME_PLANE:
        RenamePlane();
        return true;
    case ID_MODE_EXPLORE:
        m_bTrace = false;
        UpdateAllViews(nullptr, HINT_REDRAW);
        return true;
    case ID_MODE_TRACE:
        m_bTrace = true;
        UpdateAllViews(nullptr, HINT_REDRAW);
        return true;
    case ID_MODE_AUTOSHIFT:
        m_bAutoShift = !m_bAutoShift;
        return true;
    default:
        break;
    }
    if (const PlaneItem* item = FindPlaneItem(id)) {
        if (m_nCurrentPlane != item->plane) {
            m_nCurrentPlane = item->plane;
            UpdateAllViews(nullptr, HINT_PLANE_CHANGED);
        }
        return true;
    }
    return false;
}

namespace {
// Notices that the map was replaced while a question was open.
struct CReplacedWatch : IMapObserver {
    void OnMapReplaced() override { replaced = true; }
    bool replaced = false;
};
}  // namespace

void CVorMapperDoc::RenamePlane()
{
    if (!m_pPlaneNamePrompt)
        return;
    // The name belongs to the plane whose name the dialog showed, whatever is
    // on view when it closes; a map replaced meanwhile gets nothing.
    const std::int32_t plane = m_nCurrentPlane;
    const std::string shown = GetPlaneName(plane);
    CReplacedWatch watch;
    AddObserver(&watch);
    const std::string name = m_pPlaneNamePrompt->AskPlaneName(shown);
    RemoveObserver(&watch);
    if (watch.replaced)
        return;
    CMapStep step(*this, "Rename plane");
    SetPlaneName(plane, name);
    if (name != shown)
        SetModifiedFlag();
    UpdateAllViews(nullptr, HINT_REDRAW);
}

bool CVorMapperDoc::OnUpdateCommand(vfw::CCmdUI& ui) const
{
    if (const PlaneItem* item = FindPlaneItem(ui.m_nID)) {
        char bracket[16];
        std::snprintf(bracket, sizeof bracket, "[%i]", static_cast<int>(item->plane));
        ui.SetText((bracket + GetPlaneName(item->plane)).c_str());
        ui.SetCheck(m_nCurrentPlane == item->plane ? 1 : 0);
        return true;
    }
    if (ui.m_nID == ID_MODE_EXPLORE || ui.m_nID == ID_MODE_TRACE) {
        ui.SetCheck(m_bTrace == (ui.m_nID == ID_MODE_TRACE) ? 1 : 0);
        return true;
    }
    if (ui.m_nID == ID_MODE_AUTOSHIFT) {
        ui.Enable(m_bOnline);
        ui.SetCheck(m_bAutoShift ? 1 : 0);
        return true;
    }
    return false;
}
