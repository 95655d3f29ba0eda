#include "mapper/view/map_canvas.h"

#include <algorithm>

#include "mapper/view/playback_clip.h"
#include "mapper/view/room_geometry.h"

CMapCanvas::CMapCanvas(std::int32_t originX, std::int32_t originY, double angle, double zoom, ColorRef pen)
    : m_transform(originX, originY, angle, zoom), m_crPen(pen)
{
}

CMapCanvas::CMapCanvas(std::int32_t originX, std::int32_t originY, double angle, double zoom, ColorRef pen,
                       CStorage&& storage)
    : m_transform(originX, originY, angle, zoom), m_crPen(pen), m_lists(std::move(storage))
{
    m_lists.shapes.clear();
    m_lists.polyPoints.clear();
    m_lists.polyCounts.clear();
    m_lists.texts.clear();
}

CMapCanvas::CStorage CMapCanvas::TakeStorage()
{
    CStorage out = std::move(m_lists);
    m_lists = CStorage{};
    out.shapes.clear();
    out.polyPoints.clear();
    out.polyCounts.clear();
    out.texts.clear();
    return out;
}

void CMapCanvas::SetPreOffset(std::int32_t x, std::int32_t y)
{
    m_nPreX = x;
    m_nPreY = y;
}

void CMapCanvas::AddLine(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2)
{
    m_lists.polyPoints.push_back(Transform(x1, y1));
    m_lists.polyPoints.push_back(Transform(x2, y2));
    m_lists.polyCounts.push_back(2);
}

void CMapCanvas::AddPolyline(const CPoint64* points, int count)
{
    count = std::min(count, 4);
    // A one-point polyline would make the device refuse the whole
    // poly-polyline call, and draws nothing anyway.
    if (count < 2)
        return;
    for (int i = 0; i < count; ++i)
        m_lists.polyPoints.push_back(Transform(points[i].x, points[i].y));
    m_lists.polyCounts.push_back(static_cast<std::uint32_t>(count));
}

void CMapCanvas::AddPolyline(const CPoint* points, int count)
{
    CPoint64 p[4];
    count = std::min(count, 4);
    for (int i = 0; i < count; ++i)
        p[i] = {points[i].x, points[i].y};
    AddPolyline(p, count);
}

void CMapCanvas::AddRectangle(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                              ColorRef fill)
{
    CShape& s = m_lists.shapes.emplace_back();
    s.pt[0] = Transform(left, top);
    s.pt[1] = Transform(right, top);
    s.pt[2] = Transform(right, bottom);
    s.pt[3] = Transform(left, bottom);
    s.count = 4;
    s.fill = fill;
}

void CMapCanvas::AddPolygon(const CPoint* points, int count, ColorRef fill)
{
    count = std::min(count, 4);
    if (count <= 0)
        return;
    CShape& s = m_lists.shapes.emplace_back();
    for (int i = 0; i < count; ++i)
        s.pt[i] = Transform(points[i].x, points[i].y);
    s.count = count;
    s.fill = fill;
}

void CMapCanvas::AddTriangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int64_t x3,
                             std::int64_t y3, ColorRef fill, HRegion* regionSlot)
{
    CShape& s = m_lists.shapes.emplace_back();
    s.pt[0] = Transform(x1, y1);
    s.pt[1] = Transform(x2, y2);
    s.pt[2] = Transform(x3, y3);
    s.count = 3;
    s.fill = fill;
    if (regionSlot)
        *regionSlot = CreatePolygonRegion({s.pt[0], s.pt[1], s.pt[2]});
}

void CMapCanvas::AddCircle(std::int64_t cx, std::int64_t cy, std::int32_t radius, ColorRef fill)
{
    CShape& s = m_lists.shapes.emplace_back();
    s.pt[0] = Transform(cx, cy);
    s.pt[1] = {m_transform.ZoomRadius(radius), 0};
    s.count = 2;
    s.fill = fill;
    s.kind = kCircle;
}

void CMapCanvas::AddText(const CRect& rc, std::string text)
{
    const CPoint c[4] = {Transform(rc.left, rc.top), Transform(rc.right, rc.top), Transform(rc.right, rc.bottom),
                         Transform(rc.left, rc.bottom)};
    CRect box{c[0].x, c[0].y, c[0].x, c[0].y};
    for (const CPoint& p : c) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    m_lists.texts.push_back({box, std::move(text)});
}

std::vector<CPoint> CMapCanvas::Polyline(std::size_t i) const
{
    std::size_t start = 0;
    for (std::size_t k = 0; k < i; ++k)
        start += m_lists.polyCounts[k];
    return {m_lists.polyPoints.begin() + start, m_lists.polyPoints.begin() + start + m_lists.polyCounts[i]};
}

void CMapCanvas::Play(IPaintDC& dc) const
{
    const CPenDesc oldPen = dc.SelectPen({m_crPen, m_crPen == 0xFF0000 ? 2 : 1});
    const CFontDesc oldFont = dc.SelectFont({"Tahoma", 85});
    dc.SetTextColor(m_crPen);
    dc.SetBkMode(BkMode::Transparent);
    if (!m_lists.shapes.empty())
        PlayShapes(dc);
    if (!m_lists.polyCounts.empty())
        PlayPolylines(dc);
    if (!m_lists.texts.empty())
        PlayTexts(dc);
    dc.SelectPen(oldPen);
    dc.SelectFont(oldFont);
}

void CMapCanvas::PlayShapes(IPaintDC& dc) const
{
    const CPlaybackClip clip(dc.Width(), dc.Height());
    bool selected = false;
    ColorRef current = 0;
    ColorRef oldBrush = 0;
    for (const CShape& s : m_lists.shapes) {
        CRect box;
        if (s.kind == kCircle) {
            const std::int64_t r = s.pt[1].x;
            box = {Saturate32(s.pt[0].x - r), Saturate32(s.pt[0].y - r), Saturate32(s.pt[0].x + r),
                   Saturate32(s.pt[0].y + r)};
        } else {
            box = BoundingBox(s.pt, s.count);
        }
        // A shape wholly outside the surface leaves every pixel as it is.
        if (clip.Outside(box))
            continue;
        // A circle reaching beyond the guard frame (a guide about an origin
        // far away) cannot be handed to the device and is left out.
        if (s.kind == kCircle && !clip.Fits(box))
            continue;
        if (!selected || s.fill != current) {
            const ColorRef prev = dc.SelectBrush(s.fill);
            if (!selected)
                oldBrush = prev;
            selected = true;
            current = s.fill;
        }
        if (s.kind == kCircle)
            dc.Ellipse(box);
        else if (clip.Fits(box))
            dc.Polygon(s.pt, s.count);
        else
            DrawClippedPolygon(dc, clip, s.pt, s.count);
    }
    if (selected)
        dc.SelectBrush(oldBrush);
}

void CMapCanvas::PlayPolylines(IPaintDC& dc) const
{
    const CPlaybackClip clip(dc.Width(), dc.Height());
    // Usually every polyline can go to the device as recorded.
    bool asRecorded = true;
    std::size_t start = 0;
    for (std::uint32_t n : m_lists.polyCounts) {
        const CRect box = BoundingBox(&m_lists.polyPoints[start], static_cast<int>(n));
        start += n;
        if (clip.Outside(box) || !clip.Fits(box)) {
            asRecorded = false;
            break;
        }
    }
    if (asRecorded) {
        dc.PolyPolyline(m_lists.polyPoints.data(), m_lists.polyCounts.data(), static_cast<int>(m_lists.polyCounts.size()));
        return;
    }
    std::vector<CPoint> points;
    std::vector<std::uint32_t> counts;
    points.reserve(m_lists.polyPoints.size());
    counts.reserve(m_lists.polyCounts.size());
    start = 0;
    for (std::uint32_t n : m_lists.polyCounts) {
        const CPoint* p = &m_lists.polyPoints[start];
        start += n;
        const CRect box = BoundingBox(p, static_cast<int>(n));
        if (clip.Outside(box))
            continue;
        if (clip.Fits(box)) {
            points.insert(points.end(), p, p + n);
            counts.push_back(n);
        } else {
            AppendClippedPolyline(clip, p, static_cast<int>(n), points, counts);
        }
    }
    if (!counts.empty())
        dc.PolyPolyline(points.data(), counts.data(), static_cast<int>(counts.size()));
}

void CMapCanvas::PlayTexts(IPaintDC& dc) const
{
    const CPlaybackClip clip(dc.Width(), dc.Height());
    for (const CText& t : m_lists.texts) {
        if (clip.Outside(t.rc))
            continue;
        dc.DrawTextCentered(t.rc, t.text);
    }
}
