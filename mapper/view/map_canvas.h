#pragma once
// A display list of map shapes for one drawing pass. Every point is carried to
// window pixels when it is recorded; Play draws the filled shapes, then all
// polylines in one call, then the texts, with one pen colour.
#include <cstdint>
#include <string>
#include <vector>

#include "mapper/model/region.h"
#include "mapper/view/geometry.h"
#include "mapper/view/paint_dc.h"
#include "mapper/view/room_geometry.h"

class CMapCanvas {
public:
    enum Kind : std::int32_t { kPolygon = 0, kCircle = 1 };

    struct CShape {
        CPoint pt[4];
        std::int32_t count = 0;
        ColorRef fill = kColorNone;
        Kind kind = kPolygon;
    };
    struct CText {
        CRect rc;
        std::string text;
    };

    // The lists' memory, handed from one canvas to the next so that large
    // maps do not ask the system for fresh pages at every paint.
    struct CStorage {
        std::vector<CShape> shapes;
        std::vector<CPoint> polyPoints;  // all polylines, back to back
        std::vector<std::uint32_t> polyCounts;
        std::vector<CText> texts;
    };

    CMapCanvas(std::int32_t originX, std::int32_t originY, double angle, double zoom, ColorRef pen);
    // The same, recording into the given storage (emptied first).
    CMapCanvas(std::int32_t originX, std::int32_t originY, double angle, double zoom, ColorRef pen,
               CStorage&& storage);
    // Empties the lists and hands their memory on.
    CStorage TakeStorage();
    virtual ~CMapCanvas() = default;
    CMapCanvas(const CMapCanvas&) = delete;
    CMapCanvas& operator=(const CMapCanvas&) = delete;

    void SetPreOffset(std::int32_t x, std::int32_t y);

    void AddLine(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2);
    void AddPolyline(const CPoint64* points, int count);
    void AddPolyline(const CPoint* points, int count);
    void AddRectangle(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, ColorRef fill);
    void AddPolygon(const CPoint* points, int count, ColorRef fill);
    // With a region slot, the slot's region is replaced by the transformed
    // triangle (window pixels, alternate fill).
    void AddTriangle(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, std::int64_t x3,
                     std::int64_t y3, ColorRef fill, HRegion* regionSlot = nullptr);
    void AddCircle(std::int64_t cx, std::int64_t cy, std::int32_t radius, ColorRef fill);
    void AddText(const CRect& rc, std::string text);

    void Play(IPaintDC& dc) const;

    ColorRef PenColor() const { return m_crPen; }
    const CViewTransform& Transform() const { return m_transform; }
    const std::vector<CShape>& Shapes() const { return m_lists.shapes; }
    std::size_t PolylineCount() const { return m_lists.polyCounts.size(); }
    // The points of polyline i.
    std::vector<CPoint> Polyline(std::size_t i) const;
    const std::vector<CText>& Texts() const { return m_lists.texts; }

private:
    CPoint Transform(std::int64_t x, std::int64_t y) const { return m_transform.MapToWindow(x, y, m_nPreX, m_nPreY); }
    void PlayShapes(IPaintDC& dc) const;
    void PlayPolylines(IPaintDC& dc) const;
    void PlayTexts(IPaintDC& dc) const;

    CViewTransform m_transform;
    ColorRef m_crPen;
    std::int32_t m_nPreX = 0, m_nPreY = 0;
    CStorage m_lists;
};
