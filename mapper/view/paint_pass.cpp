// The plane passes of the paint: rooms with their squares, rings, labels and
// markers, then links with their hit regions.
#include "mapper/view/paint_pass.h"

#include <algorithm>

#include "mapper/model/document.h"
#include "mapper/view/map_paint.h"
#include "mapper/view/prefetch.h"
#include "mapper/view/room_geometry.h"

namespace {
// True when the region already holds exactly these points: its hit test is
// then the same, and the region is kept instead of being rebuilt.
bool SameRegion(const HRegion& rgn, const CPoint* p, std::size_t n)
{
    if (!rgn || rgn->Points().size() != n)
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (!(rgn->Points()[i] == p[i]))
            return false;
    return true;
}

CPoint64 Add(CPoint64 a, std::int64_t dx, std::int64_t dy) { return {a.x + dx, a.y + dy}; }
}  // namespace

CMapCanvas::CStorage CPaintBuffers::TakeCanvasStorage()
{
    if (canvases.empty())
        return {};
    CMapCanvas::CStorage s = std::move(canvases.back());
    canvases.pop_back();
    return s;
}

void CPaintBuffers::Clear()
{
    for (auto& v : rooms)
        v.clear();
    for (auto& v : links)
        v.clear();
    allLinks.clear();
    cells.clear();
    for (auto& v : found)
        v.clear();
    foundLinks.clear();
    labelled.clear();
    windowed = false;
}

CPaintPass::CPaintPass(CVorMapperDoc& doc, CViewState& view, CLayerDC& dc, CPaintBuffers& buffers)
    : m_doc(doc), m_view(view), m_dc(dc), m_transform(view.Transform(doc)),
      m_nWidth(dc.Width()), m_nHeight(dc.Height()), m_buf(buffers)
{
    m_buf.Clear();
}

CMapCanvas CPaintPass::NewCanvas(ColorRef pen)
{
    return CMapCanvas(m_transform.OriginX(), m_transform.OriginY(), m_transform.Angle(), m_transform.Zoom(), pen,
                      m_buf.TakeCanvasStorage());
}

void CPaintPass::SetPlaneOffset(CMapCanvas& canvas, std::int32_t preX, std::int32_t preY)
{
    canvas.SetPreOffset(preX, preY);
    m_nPreX = preX;
    m_nPreY = preY;
}

void CPaintPass::PlayAndRecycle(CMapCanvas& canvas)
{
    canvas.Play(m_dc);
    m_buf.canvases.push_back(canvas.TakeStorage());
}

int CPaintPass::PlaneSlot(std::int64_t plane) const
{
    const std::int64_t d = plane - m_doc.m_nCurrentPlane;
    return d >= -1 && d <= 1 ? static_cast<int>(d + 1) : -1;
}

void CPaintPass::Rooms(std::int64_t plane, ColorRef pen, std::int32_t preX, std::int32_t preY)
{
    const int slot = PlaneSlot(plane);
    if (slot < 0 || plane != static_cast<std::int32_t>(plane))
        return;
    CMapCanvas canvas = NewCanvas(pen);
    SetPlaneOffset(canvas, preX, preY);
    const CFontDesc oldFont = m_dc.SelectFont({"Tahoma", LabelFontTenths()});
    if (m_pIndex) {
        // Found by the index: with the labels (measured in this font), in map order.
        if (slot == 1)
            FindLabels();
        auto& found = m_buf.found[slot];
        std::sort(found.begin(), found.end());
        found.erase(std::unique(found.begin(), found.end()), found.end());
        const CRoomMap& rooms = m_doc.GetRooms();
        m_rooms[slot].clear();
        for (const auto& [key, id] : found)
            if (const CRoom* r = rooms.Find(id))
                m_rooms[slot].push_back({id, r});
    }
    const std::vector<CRoomRef>& list = m_rooms[slot];
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i + 8 < list.size()) {
            const CRoom* ahead = list[i + 8].room;
            Prefetch(&ahead->m_info);
            Prefetch(&ahead->m_links[DIR_U]);
            Prefetch(&ahead->m_nPlane);
        }
        Room(canvas, list[i].id, *list[i].room);
    }
    PlayAndRecycle(canvas);
    m_dc.SelectFont(oldFont);
}

bool CPaintPass::OffScreen(std::int64_t x, std::int64_t y, std::int64_t radius, bool onLayer) const
{
    std::int64_t wx, wy;
    if (onLayer)
        m_transform.MapToWindow64(x, y, wx, wy);
    else
        m_transform.MapToWindow64(x + m_nPreX, y + m_nPreY, wx, wy);
    // Two pixels more for pen widths and the truncations of the transform.
    const std::int64_t r = Trunc64(static_cast<double>(radius) * m_transform.Zoom()) + 2;
    return wx + r < 0 || wy + r < 0 || wx - r > m_nWidth || wy - r > m_nHeight;
}

void CPaintPass::Room(CMapCanvas& canvas, RoomId id, const CRoom& room)
{
    const CPoint64 sq = RoomSquareOrigin(room.m_nX, room.m_nY);
    const CPoint64 c = RoomCentre(room.m_nX, room.m_nY);
    const CPoint square = MakePoint(sq.x, sq.y);
    const CRect hit{Saturate32(sq.x - 2), Saturate32(sq.y - 2), Saturate32(sq.x + 14), Saturate32(sq.y + 14)};
    // Unchanged hit data (any paint after the first) needs no store.
    if (!(room.m_ptSquare == square) || !(room.m_rcHit == hit))
        m_doc.SetRoomHitData(id, square, hit);
    const bool onCurrent = room.m_nPlane == m_doc.m_nCurrentPlane;
    const bool selected = m_view.m_selection.IsRoomSelected(id);
    // The square, the ring (radius 16) and the markers all lie within 18
    // units of the centre; the label may lie anywhere.
    const bool offScreen = OffScreen(c.x, c.y, 18);
    // A label taken away leaves no region to be clicked.
    if (room.m_info.m_strLabel.empty() && onCurrent && room.m_info.m_hLabelRgn)
        m_doc.SetRoomLabelRegion(id, nullptr);
    // A selected room's outline goes on the layer, which has no plane offset.
    const bool outlineOff = selected ? OffScreen(c.x, c.y, 18, true) : offScreen;
    if (offScreen && outlineOff) {
        if (!room.m_info.m_strLabel.empty() && onCurrent)
            Label(canvas, id, room, selected);
        return;
    }
    if (selected) {
        if (!outlineOff)
            m_dc.LayerRectangle(sq.x, sq.y, sq.x + 12, sq.y + 12, kColorSelection, room.m_crColor);
        if (room.m_bRecursive && onCurrent)
            m_dc.LayerCircle(c.x, c.y, 16, kColorSelection, kColorNone);
    } else {
        canvas.AddRectangle(sq.x, sq.y, sq.x + 12, sq.y + 12, room.m_crColor);
        if (room.m_bRecursive && onCurrent)
            canvas.AddCircle(c.x, c.y, 16, kColorNone);
    }
    if (!room.m_info.m_strLabel.empty() && onCurrent)
        Label(canvas, id, room, selected);
    if (offScreen)
        return;  // what follows is in the pass's canvas, or on the plane on view
    const std::int64_t bx = kCellPitch * room.m_nX, by = kCellPitch * room.m_nY;
    if (room.m_links[DIR_U] != 0)
        canvas.AddTriangle(bx + 23, by + 10, bx + 26, by + 7, bx + 29, by + 10, kColorNone);
    if (room.m_links[DIR_D] != 0)
        canvas.AddTriangle(bx + 23, by + 16, bx + 26, by + 19, bx + 29, by + 16, kColorNone);
    if (id == m_doc.m_nCurrentRoom && onCurrent)
        m_dc.LayerRectangle(bx + 8, by + 8, bx + 18, by + 18, kColorPositionPen, kColorPositionFill);
}

void CPaintPass::Label(CMapCanvas& canvas, RoomId id, const CRoom& room, bool selected)
{
    const CRoomInfo& info = room.m_info;
    const CSize ext = m_dc.GetTextExtent(info.m_strLabel);
    const CPoint lp = m_transform.MapToWindow(info.m_ptLabel.x, info.m_ptLabel.y, m_nPreX, m_nPreY);
    // A label wholly outside the window changes no pixel; its region is still made.
    const bool visible = std::int64_t{lp.x} + ext.cx >= 0 && std::int64_t{lp.y} + ext.cy >= 0 && lp.x <= m_nWidth &&
                         lp.y <= m_nHeight;
    if (visible) {
        if (info.m_crLabelBack == kColorNone) {
            m_dc.SetBkMode(BkMode::Transparent);
        } else {
            m_dc.SetBkMode(BkMode::Opaque);
            m_dc.SetBkColor(info.m_crLabelBack);
        }
        m_dc.SetTextColor(info.m_crLabelText);
        m_dc.TextOut(lp.x, lp.y, info.m_strLabel);
    }
    m_buf.labelled.push_back(id);

    const std::int64_t bottom = std::int64_t{lp.y} + ext.cy;
    const CPoint bl = m_transform.WindowToMap(lp.x, bottom);
    const CPoint br = m_transform.WindowToMap(std::int64_t{lp.x} + ext.cx, bottom);
    const CPoint blw = m_transform.MapToWindow(bl.x, bl.y);
    const CPoint brw = m_transform.MapToWindow(br.x, br.y);
    const CPoint tl = m_transform.WindowToMap(blw.x, std::int64_t{blw.y} - ext.cy);
    const CPoint tr = m_transform.WindowToMap(brw.x, std::int64_t{brw.y} - ext.cy);
    const CPoint corners[4] = {tl, tr, br, bl};
    if (!SameRegion(info.m_hLabelRgn, corners, 4))
        m_doc.SetRoomLabelRegion(id, CreatePolygonRegion({tl, tr, br, bl}));

    const CPoint64 c = RoomCentre(room.m_nX, room.m_nY);
    const CPoint64 pin[3] = {c, {bl.x, bl.y}, {br.x, br.y}};
    if (selected) {
        m_dc.LayerPolyline3(pin, kColorSelection);
        m_dc.LayerCircle(c.x, c.y, 2, kColorSelection, kColorSelection);
    } else {
        canvas.AddPolyline(pin, 3);
        canvas.AddCircle(c.x, c.y, 2, 0x000000);
    }
}

void CPaintPass::Links(std::int64_t plane, ColorRef pen, std::int32_t preX, std::int32_t preY)
{
    const int slot = PlaneSlot(plane);
    if (slot < 0 || plane != static_cast<std::int32_t>(plane))
        return;
    CMapCanvas canvas = NewCanvas(pen);
    SetPlaneOffset(canvas, preX, preY);
    const std::vector<CLinkRef>& list = m_links[slot];
    for (std::size_t i = 0; i < list.size(); ++i) {
        // The link's record, then its region, then the region's points.
        if (i + 16 < list.size())
            Prefetch(&list[i + 16].link->m_hRgn);
        if (i + 8 < list.size() && list[i + 8].link->m_hRgn)
            Prefetch(list[i + 8].link->m_hRgn.get());
        if (i + 4 < list.size() && list[i + 4].link->m_hRgn)
            Prefetch(list[i + 4].link->m_hRgn->Points().data());
        Link(canvas, list[i]);
    }
    PlayAndRecycle(canvas);
}

void CPaintPass::Link(CMapCanvas& canvas, const CLinkRef& ref)
{
    const CLink& link = *ref.link;
    const LinkId id = ref.id;
    // Links ending up or down show only as the rooms' markers; directions
    // outside the table (a damaged file) draw nothing.
    if (!IsDirection(link.m_nFromDir) || link.m_nToDir < 0 || link.m_nToDir >= 8)
        return;
    const CPoint64 sa = RoomSquareOrigin(ref.ax, ref.ay), sb = RoomSquareOrigin(ref.bx, ref.by);
    const CLinkEnd& ea = LinkEnd(link.m_nFromDir);
    const CLinkEnd& eb = LinkEnd(link.m_nToDir);
    const CPoint64 p[4] = {Add(sa, ea.ax, ea.ay), Add(sa, ea.sx, ea.sy), Add(sb, eb.sx, eb.sy), Add(sb, eb.ax, eb.ay)};
    std::int64_t x0 = p[0].x, x1 = p[0].x, y0 = p[0].y, y1 = p[0].y;
    for (const CPoint64& q : p) {
        x0 = std::min(x0, q.x);
        x1 = std::max(x1, q.x);
        y0 = std::min(y0, q.y);
        y1 = std::max(y1, q.y);
    }
    // The polyline lies within its box, and the box within this radius of its centre.
    const std::int64_t radius = (x1 - x0) / 2 + (y1 - y0) / 2 + 2;
    const bool selected = m_view.m_selection.IsLinkSelected(id);
    if (!OffScreen(x0 + (x1 - x0) / 2, y0 + (y1 - y0) / 2, radius, selected)) {
        if (selected)
            m_dc.LayerPolyline4(p, kColorSelection);
        else
            canvas.AddPolyline(p, 4);
    }

    const CCorridor& ks = LinkCorridor(link.m_nFromDir);
    const CCorridor& kd = LinkCorridor(link.m_nToDir);
    auto at = [](const CPoint64& q, const int* k) { return MakePoint(q.x + k[0], q.y + k[1]); };
    const CPoint rgn[8] = {at(p[0], ks.k[0]), at(p[1], ks.k[2]), at(p[2], kd.k[2]), at(p[3], kd.k[0]),
                           at(p[3], kd.k[1]), at(p[2], kd.k[3]), at(p[1], ks.k[3]), at(p[0], ks.k[1])};
    if (!SameRegion(link.m_hRgn, rgn, 8))
        m_doc.SetLinkRegion(id, CreatePolygonRegion(rgn, 8));
}
