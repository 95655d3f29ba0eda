#include "mapper/view/map_interaction.h"

#include <cstdlib>

#include "mapper/model/document.h"
#include "mapper/view/room_geometry.h"
#include "mapper/view/spatial_index.h"
#include "mapper/view/view_keys.h"

namespace {
// A room drag moves the selection one cell per 16 map units of pointer travel.
constexpr std::int64_t kDragStep = 16;
}  // namespace

std::string FormatStatus(const std::string& tag, const std::string& text) { return "[" + tag + "] " + text; }

CRect NormalizeRect(const CRect& rc)
{
    CRect r = rc;
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    return r;
}

CMapInteraction::CMapInteraction(CVorMapperDoc& doc, CViewState& view, IViewHost& host, IViewDialogs* dialogs)
    : m_doc(doc), m_view(view), m_host(host), m_pDialogs(dialogs)
{
}

CPoint CMapInteraction::ToMap(CPoint p) const { return m_view.Transform(m_doc).WindowToMap(p); }

void CMapInteraction::SetStatus(const std::string& text, bool repaint)
{
    m_view.m_strStatus = text;
    if (repaint)
        m_host.Invalidate(true);
}

void CMapInteraction::SetStatus(const std::string& tag, const std::string& text, bool repaint)
{
    SetStatus(FormatStatus(tag, text), repaint);
}

void CMapInteraction::HitDataNear(CPoint mapPoint)
{
    // A paint bound to its window leaves hit data only about the window; a
    // point beyond it (the pointer captured) gets it here.
    if (CSpatialIndex* index = m_view.IndexOf(m_doc))
        index->StoreHitGeometryNear(mapPoint);
}

bool CMapInteraction::HitTestAt(CPoint mapPoint, bool clear)
{
    CMapSelection& sel = m_view.m_selection;
    HitDataNear(mapPoint);
    if (const LinkId link = m_doc.LinkAtPoint(mapPoint)) {
        sel.SelectLink(link, !sel.IsLinkSelected(link));
        m_host.Invalidate();
        return true;
    }
    if (const RoomId room = m_doc.RoomAtPoint(mapPoint)) {
        sel.SelectRoom(room, !sel.IsRoomSelected(room));
        SetStatus("room sel", m_doc.GetRoom(room).m_info.m_strTitle.str(), false);
        m_host.Invalidate();
        return true;
    }
    if (clear) {
        sel.Clear();
        SetStatus("", false);
    }
    return false;
}

void CMapInteraction::MoveInDirection(Direction dir)
{
    const bool moved = m_doc.IsOnline() ? m_doc.SendOnlineMove(dir) : m_doc.Move(dir);
    if (moved)
        m_host.Invalidate();
}

// ---------------------------------------------------------------- left button

void CMapInteraction::OnLButtonDown(CPoint p)
{
    if (m_bLinkPending) {
        ChooseLinkDestination(p);
        return;
    }
    if (m_view.m_bRotating) {
        m_view.m_bRotating = false;
        m_host.Invalidate();
        return;
    }
    if (m_view.m_bShowRose) {
        m_view.m_nPressedRoseDir = m_view.RoseDirectionAt(p);
        if (m_view.m_nPressedRoseDir != DIR_NONE) {
            // The capture brings the release even outside the window, so the
            // triangle does not stay lit.
            m_host.SetCapture();
            MoveInDirection(m_view.m_nPressedRoseDir);
            m_host.Invalidate();  // the pressed triangle lights up
            return;
        }
    }
    // A press while another drag holds the capture (the right button panning)
    // starts nothing new.
    if (m_nLabelRoom != 0 || m_view.m_bDraggingRoom)
        return;
    const CPoint mp = ToMap(p);
    if (const RoomId labelRoom = m_doc.RoomLabelAtPoint(mp)) {
        const CRoom room = m_doc.GetRoom(labelRoom);
        m_host.SetCapture();
        m_nLabelRoom = labelRoom;
        m_nDragStep = CMapStep::NewMergeKey();
        m_ptLabelOffset = MakePoint(std::int64_t{room.m_info.m_ptLabel.x} - mp.x,
                                    std::int64_t{room.m_info.m_ptLabel.y} - mp.y);
        return;
    }
    if (HitTestAt(mp, true)) {
        if (m_view.m_selection.GetRoomCount() > 0) {
            m_host.SetCapture();
            m_view.m_bDraggingRoom = true;
            m_nDragStep = CMapStep::NewMergeKey();
            m_ptAnchor = mp;
        }
    } else if (!m_view.m_bRubberBand) {
        StartRubberBand(mp);
    }
}

void CMapInteraction::StartRubberBand(CPoint mp)
{
    m_host.SetCapture();
    m_view.m_bRubberBand = true;
    m_view.m_rcBand = CRect{mp.x, mp.y, mp.x, mp.y};
}

void CMapInteraction::OnLButtonUp(CPoint p)
{
    // A right-button state (panning, a pending menu) keeps the capture.
    if (!m_view.m_bPanning && !m_bContextPending)
        m_host.ReleaseCapture();
    m_nLabelRoom = 0;
    if (m_view.m_bDraggingRoom) {
        m_view.m_bDraggingRoom = false;
        m_host.Invalidate();
        return;
    }
    if (m_view.m_nPressedRoseDir != DIR_NONE) {
        m_view.m_nPressedRoseDir = DIR_NONE;
        m_host.Invalidate();
    }
    if (m_view.m_bRubberBand)
        EndRubberBand(p);
}

void CMapInteraction::EndRubberBand(CPoint p)
{
    m_view.m_bRubberBand = false;
    const CRect band = NormalizeRect(m_view.m_rcBand);
    m_view.m_rcBand = band;
    if (band.left == band.right || band.top == band.bottom) {
        HitTestAt(ToMap(p), true);
    } else {
        m_view.m_selection.SelectInRectangle(m_doc, band);
        SetStatus("rooms sel", std::to_string(m_view.m_selection.GetRoomCount()) + " rooms selected", false);
    }
    m_host.Invalidate();
}

void CMapInteraction::OnLButtonDblClk(CPoint p)
{
    if (m_bLinkPending || !HitTestAt(ToMap(p), false))
        return;
    if (m_view.m_selection.GetRoomCount() > 0)
        OpenRoomProperties();
    else if (m_view.m_selection.GetLinkCount() > 0)
        OpenLinkProperties();
}

// ---------------------------------------------------------------- pointer moves

void CMapInteraction::OnMouseMove(CPoint p)
{
    if (m_nLabelRoom != 0) {
        CRoom room;
        if (!m_doc.LookupRoom(m_nLabelRoom, room)) {
            m_nLabelRoom = 0;  // the room went away under the drag
            return;
        }
        const CPoint mp = ToMap(p);
        room.m_info.m_ptLabel = MakePoint(std::int64_t{mp.x} + m_ptLabelOffset.x, std::int64_t{mp.y} + m_ptLabelOffset.y);
        CMapStep step(m_doc, "Move label", m_nDragStep);  // the whole drag is one step
        m_doc.SetRoom(room);
        m_doc.SetModifiedFlag(true);
        m_host.Invalidate();
    } else if (m_view.m_bDraggingRoom) {
        DragRooms(ToMap(p));
    } else if (m_view.m_bRotating) {
        RotateTo(m_doc, p, m_view.m_rotation);
        m_host.Invalidate();
    } else if (m_view.m_bPanning) {
        const CPoint origin = PanOrigin(p, m_view.m_ptGrab);
        m_doc.m_nOriginX = origin.x;
        m_doc.m_nOriginY = origin.y;
        m_bPanMoved = true;
        m_host.Invalidate();
    } else if (m_view.m_bRubberBand) {
        const CPoint mp = ToMap(p);
        m_view.m_rcBand.right = mp.x;
        m_view.m_rcBand.bottom = mp.y;
        m_host.Invalidate();
    }
}

void CMapInteraction::DragRooms(CPoint mp)
{
    const std::int64_t dx = std::int64_t{mp.x} - m_ptAnchor.x, dy = std::int64_t{mp.y} - m_ptAnchor.y;
    const std::int64_t sx = dx / kDragStep, sy = dy / kDragStep;  // truncation toward zero
    if (sx == 0 && sy == 0)
        return;
    const std::int32_t stepX = Saturate32(sx), stepY = Saturate32(sy);
    const CMapSelection& sel = m_view.m_selection;
    for (RoomId id : sel.Rooms()) {
        const CRoom* room = m_doc.GetRooms().Find(id);
        if (!room)
            continue;
        const RoomId there =
            m_doc.FindRoomIdAt(WrapAdd(room->m_nX, stepX), WrapAdd(room->m_nY, stepY), room->m_nPlane);
        if (there != 0 && !sel.IsRoomSelected(there))
            return;  // a room that stays put holds the cell: the anchor stays too
    }
    CMapStep step(m_doc, "Move rooms", m_nDragStep);  // the whole drag is one step
    for (RoomId id : sel.Rooms()) {
        CRoom room;
        if (!m_doc.LookupRoom(id, room))
            continue;
        room.m_nX = WrapAdd(room.m_nX, stepX);
        room.m_nY = WrapAdd(room.m_nY, stepY);
        m_doc.SetRoom(room);
    }
    m_doc.SetModifiedFlag(true);
    m_host.Invalidate();
    m_ptAnchor = MakePoint(std::int64_t{m_ptAnchor.x} + kCellPitch * sx, std::int64_t{m_ptAnchor.y} + kCellPitch * sy);
}

// ---------------------------------------------------------------- right button

void CMapInteraction::OnRButtonDown(CPoint p)
{
    if (m_bLinkPending)
        return;
    if (m_view.m_bRotating) {
        m_view.m_bRotating = false;
        m_host.Invalidate();
        return;
    }
    // One right-button state at a time; a left drag in progress keeps its capture.
    if (m_view.m_bPanning || m_bContextPending || m_nLabelRoom != 0 || m_view.m_bDraggingRoom)
        return;
    if (!m_view.m_bRubberBand && HitTestAt(ToMap(p), false)) {
        m_bContextPending = true;
        m_host.SetCapture();
        return;
    }
    m_view.m_ptGrab = PanGrab(p, m_doc.m_nOriginX, m_doc.m_nOriginY);
    m_bPanMoved = false;
    m_view.m_bPanning = true;
    m_host.SetCapture();
}

void CMapInteraction::OnRButtonUp(CPoint p)
{
    if (m_bLinkPending)
        return;
    if (m_view.m_bPanning) {
        m_view.m_bPanning = false;
        if (!m_view.m_bRubberBand)
            m_host.ReleaseCapture();
        if (m_bPanMoved) {
            m_host.Invalidate();
        } else if (!m_view.m_bRubberBand) {
            BeginRotation(m_doc, p, m_view.m_rotation);
            m_view.m_bRotating = true;
            m_host.Invalidate();
        }
        return;
    }
    if (m_bContextPending) {
        m_bContextPending = false;
        m_host.ReleaseCapture();
        if (HitTestAt(ToMap(p), true)) {
            const CContextMenuPlan plan = PlanContextMenu(m_view.m_selection, m_doc);
            if (!plan.Empty())
                m_host.ShowContextMenu(plan, p);
        }
    }
}

void CMapInteraction::OnRButtonDblClk(CPoint)
{
    if (m_bLinkPending)
        return;
    m_doc.m_dRotation = 0.0;
    m_view.m_bRotating = false;
    m_host.Invalidate();
}

void CMapInteraction::OnMouseWheel(int delta)
{
    // A zoom under a drag, a band or a turn would move what the pointer holds.
    if (m_bLinkPending || m_view.m_bDraggingRoom || m_nLabelRoom != 0 || m_view.m_bRotating || m_view.m_bPanning ||
        m_view.m_bRubberBand)
        return;
    if (WheelZoom(m_doc, delta))
        m_host.Invalidate();
}

void CMapInteraction::OnCaptureLost()
{
    if (m_view.m_nPressedRoseDir != DIR_NONE) {
        m_view.m_nPressedRoseDir = DIR_NONE;
        m_host.Invalidate();
    }
    m_nLabelRoom = 0;
    m_bContextPending = false;
    if (m_view.m_bDraggingRoom || m_view.m_bRubberBand || m_view.m_bPanning)
        m_host.Invalidate();
    m_view.m_bDraggingRoom = false;
    m_view.m_bRubberBand = false;  // a band cut short selects nothing
    m_view.m_bPanning = false;
}

void CMapInteraction::OnDocumentUpdate(long hint)
{
    if (hint == HINT_PLANE_CHANGED) {
        m_view.m_selection.Clear();
        // The source of a pending link may be gone with the old map.
        m_bLinkPending = false;
        m_nLinkSource = 0;
        m_nLabelRoom = 0;
    }
}

// ---------------------------------------------------------------- keys

void CMapInteraction::OnKeyDown(unsigned key)
{
    const Direction dir = DirectionOfKey(key);
    if (dir != DIR_NONE)
        MoveInDirection(dir);
    else if (key == kKeyDelete)
        OnDeleteKey();
}

void CMapInteraction::OnDeleteKey()
{
    const CMapSelection& sel = m_view.m_selection;
    if (sel.GetRoomCount() == 1) {
        const RoomId room = sel.GetRoom(0);
        if (!m_doc.GetRooms().Find(room))
            return;
        if (m_doc.GetRooms().size() == 1) {
            // No question whose answer could change nothing: a map keeps one room.
            SetStatus("The only room of a map cannot be deleted", true);
            return;
        }
        if (m_host.AskYesNo("Delete the selected room?"))
            DeleteRoom(room);
    } else if (sel.GetRoomCount() > 1) {
        if (m_host.AskYesNo("Delete the selected rooms?"))
            DeleteSelectedRooms();
    } else if (sel.GetLinkCount() == 1) {
        const LinkId link = sel.GetLink(0);
        if (m_host.AskYesNo("Delete the selected link?")) {
            m_doc.DeleteLink(link);
            m_view.m_selection.Clear();
            m_host.Invalidate();
            MarkModified();
        }
    }
}
