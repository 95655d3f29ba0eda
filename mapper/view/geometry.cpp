#include "mapper/view/geometry.h"

#include <cmath>

#include "mapper/model/document.h"
#include "mapper/view/room_geometry.h"

double UsableZoom(double zoom)
{
    if (!std::isfinite(zoom) || zoom <= 0.0)
        return 1.0;
    if (zoom < 1.0 / 64)
        return 1.0 / 64;
    if (zoom > 64.0)
        return 64.0;
    return zoom;
}

double UsableAngle(double angle) { return std::isfinite(angle) ? angle : 0.0; }

CViewTransform::CViewTransform(std::int32_t originX, std::int32_t originY, double angle, double zoom)
    : m_nOriginX(originX), m_nOriginY(originY), m_dAngle(UsableAngle(angle)), m_dZoom(UsableZoom(zoom))
{
    m_dCos = std::cos(m_dAngle);
    m_dSin = std::sin(m_dAngle);
}

CViewTransform CViewTransform::FromDocument(const CVorMapperDoc& doc, double scale)
{
    return CViewTransform(doc.m_nOriginX, doc.m_nOriginY, doc.m_dRotation, UsableZoom(doc.m_dZoom) * scale);
}

CPoint CViewTransform::WindowToMap(std::int64_t x, std::int64_t y) const
{
    const double x1 = static_cast<double>(x - m_nOriginX), y1 = static_cast<double>(y - m_nOriginY);
    const std::int64_t x2 = Trunc64(x1 * m_dCos + y1 * m_dSin);
    const std::int64_t y2 = Trunc64(y1 * m_dCos - x1 * m_dSin);
    return {Trunc32(static_cast<double>(x2) / m_dZoom), Trunc32(static_cast<double>(y2) / m_dZoom)};
}

std::int32_t CViewTransform::ZoomRadius(std::int32_t r) const
{
    return m_dZoom == 1.0 ? r : Trunc32(r * m_dZoom);
}

bool PointerAngle(std::int32_t originX, std::int32_t originY, CPoint p, double& angle, std::int32_t& radius)
{
    const double dx = static_cast<double>(p.x) - originX, dy = static_cast<double>(p.y) - originY;
    const std::int32_t r = Trunc32(std::sqrt(dx * dx + dy * dy));
    radius = r;
    if (r == 0)
        return false;
    const double s = std::fabs(dy) / r, c = std::fabs(dx) / r;
    // Truncating r can leave s or c a little above 1.
    const double base = s <= 0.9 ? std::asin(s) : std::acos(c > 1.0 ? 1.0 : c);
    if (dx >= 0 && dy >= 0)
        angle = base;
    else if (dx < 0 && dy > 0)
        angle = kPi - base;
    else if (dx < 0 && dy <= 0)
        angle = kPi + base;
    else
        angle = kTwoPi - base;
    return true;
}

CPoint FollowOrigin(const CVorMapperDoc& doc, int w, int h, double scale)
{
    return CentreOriginOn(doc, doc.m_nCurrentRoom, w, h, scale);
}

CPoint CentreOriginOn(const CVorMapperDoc& doc, RoomId id, int w, int h, double scale)
{
    const CRoom* room = doc.GetRooms().Find(id);
    const std::int64_t cx = room ? room->m_nX : 0, cy = room ? room->m_nY : 0;
    std::int64_t px = -kCellCentre - kCellPitch * cx, py = -kCellCentre - kCellPitch * cy;
    const CViewTransform t = CViewTransform::FromDocument(doc, scale);
    const double angle = t.Angle(), zoom = t.Zoom();
    if (angle != 0.0) {
        const double c = std::cos(angle), s = std::sin(angle);
        const double dx = static_cast<double>(px), dy = static_cast<double>(py);
        px = Trunc64(c * dx - s * dy);
        py = Trunc64(c * dy + s * dx);
    }
    return MakePoint(Trunc64(static_cast<double>(px) * zoom) + w / 2, Trunc64(static_cast<double>(py) * zoom) + h / 2);
}

CPoint PanGrab(CPoint pointer, std::int32_t originX, std::int32_t originY)
{
    return MakePoint(std::int64_t{pointer.x} - originX, std::int64_t{pointer.y} - originY);
}

CPoint PanOrigin(CPoint pointer, CPoint grab)
{
    return MakePoint(std::int64_t{pointer.x} - grab.x, std::int64_t{pointer.y} - grab.y);
}

bool BeginRotation(const CVorMapperDoc& doc, CPoint pointer, CRotationDrag& drag)
{
    double a = 0.0;
    drag.m_ptLast = pointer;
    drag.m_dOffset = 0.0;
    if (!PointerAngle(doc.m_nOriginX, doc.m_nOriginY, pointer, a, drag.m_nRadius))
        return false;
    drag.m_dOffset = UsableAngle(doc.m_dRotation) - a;
    return true;
}

void RotateTo(CVorMapperDoc& doc, CPoint pointer, CRotationDrag& drag)
{
    double a = 0.0;
    drag.m_ptLast = pointer;
    if (PointerAngle(doc.m_nOriginX, doc.m_nOriginY, pointer, a, drag.m_nRadius))
        doc.m_dRotation = a + drag.m_dOffset;
}

bool WheelZoom(CVorMapperDoc& doc, int delta)
{
    const int n = delta / 120;
    if (n == 0)
        return false;
    const double before = doc.m_dZoom;
    double z = UsableZoom(doc.m_dZoom);
    if (delta > 0) {
        for (int i = 0; i < n && z < kMaxZoom; ++i)
            z *= 2.0;
    } else {
        for (int i = 0; i < -n && z > kMinZoom; ++i)
            z /= 2.0;
    }
    if (z == before)
        return false;
    doc.m_dZoom = z;
    return true;
}
