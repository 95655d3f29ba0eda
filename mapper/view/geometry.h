#pragma once
// The view's geometry: map units to window pixels and back, the pointer's
// angle about the origin, and the changes the view makes to origin, zoom and
// rotation. Every truncation happens at its own step, toward zero; values too
// large for 32 bits saturate instead of overflowing.
#include <cstdint>

#include "mapper/model/records.h"
#include "mapper/model/types.h"

class CVorMapperDoc;

// Truncation toward zero, saturated to ±2^62 or to the 32-bit range (NaN gives 0).
inline std::int64_t Trunc64(double v)
{
    // 2^62 keeps sums of two such values inside 64 bits.
    constexpr double kLimit = 4611686018427387904.0;
    if (!(v > -kLimit))
        return v != v ? 0 : -(std::int64_t{1} << 62);
    if (v >= kLimit)
        return std::int64_t{1} << 62;
    return static_cast<std::int64_t>(v);
}
inline std::int32_t Saturate32(std::int64_t v)
{
    constexpr std::int64_t kMax = 0x7FFFFFFF, kMin = -kMax - 1;
    return static_cast<std::int32_t>(v > kMax ? kMax : (v < kMin ? kMin : v));
}
inline std::int32_t Trunc32(double v) { return Saturate32(Trunc64(v)); }
inline CPoint MakePoint(std::int64_t x, std::int64_t y) { return {Saturate32(x), Saturate32(y)}; }

constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 6.28318530717958;
constexpr double kMinZoom = 0.125;
constexpr double kMaxZoom = 8.0;

// The zoom and angle a paint uses. A map file may carry any double: zero,
// negative or non-finite zooms draw at 1.0 and finite zooms are held within
// [1/64, 64]; a non-finite angle draws at 0.0. Values a user can set pass
// unchanged.
double UsableZoom(double zoom);
double UsableAngle(double angle);

// The transform of one drawing pass: origin (window pixels), angle
// (radians, clockwise), zoom.
class CViewTransform {
public:
    CViewTransform(std::int32_t originX, std::int32_t originY, double angle, double zoom);
    // The document's view on a screen of `scale` pixels per 96-DPI pixel:
    // the map keeps its size on the screen, so it draws at the document's
    // zoom times the scale.
    static CViewTransform FromDocument(const CVorMapperDoc& doc, double scale = 1.0);

    // Map point plus pre-offset to window pixels; 64-bit, for coordinates
    // derived from grid cells anywhere in the 32-bit range.
    void MapToWindow64(std::int64_t x, std::int64_t y, std::int64_t& wx, std::int64_t& wy) const
    {
        if (m_dZoom != 1.0) {
            x = Trunc64(static_cast<double>(x) * m_dZoom);
            y = Trunc64(static_cast<double>(y) * m_dZoom);
        }
        if (m_dAngle != 0.0) {
            const double dx = static_cast<double>(x), dy = static_cast<double>(y);
            x = Trunc64(m_dCos * dx - m_dSin * dy);
            y = Trunc64(m_dCos * dy + m_dSin * dx);
        }
        wx = x + m_nOriginX;
        wy = y + m_nOriginY;
    }
    CPoint MapToWindow(std::int64_t x, std::int64_t y, std::int32_t preX = 0, std::int32_t preY = 0) const
    {
        std::int64_t wx, wy;
        MapToWindow64(x + preX, y + preY, wx, wy);
        return MakePoint(wx, wy);
    }
    CPoint WindowToMap(std::int64_t x, std::int64_t y) const;
    CPoint WindowToMap(CPoint p) const { return WindowToMap(p.x, p.y); }
    std::int32_t ZoomRadius(std::int32_t r) const;

    std::int32_t OriginX() const { return m_nOriginX; }
    std::int32_t OriginY() const { return m_nOriginY; }
    double Angle() const { return m_dAngle; }
    double Zoom() const { return m_dZoom; }

private:
    std::int32_t m_nOriginX, m_nOriginY;
    double m_dAngle, m_dZoom;
    double m_dCos, m_dSin;
};

// Angle of a window point about the origin's window position, in [0, 2π),
// and the integer radius. False (nothing set) when the point is the origin.
bool PointerAngle(std::int32_t originX, std::int32_t originY, CPoint p, double& angle, std::int32_t& radius);

// Origin that puts the current room's centre in the middle of a w × h client area.
CPoint FollowOrigin(const CVorMapperDoc& doc, int w, int h, double scale = 1.0);
// The origin that puts a room's centre in the middle of a w x h window.
CPoint CentreOriginOn(const CVorMapperDoc& doc, RoomId room, int w, int h, double scale = 1.0);

// Panning: grab at the press, the new origin at every move.
CPoint PanGrab(CPoint pointer, std::int32_t originX, std::int32_t originY);
CPoint PanOrigin(CPoint pointer, CPoint grab);

// Rotation mode.
struct CRotationDrag {
    double m_dOffset = 0.0;
    CPoint m_ptLast;
    std::int32_t m_nRadius = 0;
};
// Entry at a pointer; false when the pointer is on the pivot (the offset is then 0).
bool BeginRotation(const CVorMapperDoc& doc, CPoint pointer, CRotationDrag& drag);
// A pointer move: the document's angle becomes the pointer's angle plus the
// offset; on the pivot the angle stays.
void RotateTo(CVorMapperDoc& doc, CPoint pointer, CRotationDrag& drag);

// Wheel zoom: trunc(delta / 120) notches, doubling up to 8.0 or halving down
// to 0.125. Returns true when the zoom changed.
bool WheelZoom(CVorMapperDoc& doc, int delta);
