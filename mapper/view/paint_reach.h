#pragma once
// The window of a paint grown by its margin, and the forward transform in
// doubles: which cells and which boxes of map units can reach the window.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "mapper/view/geometry.h"
#include "mapper/view/room_geometry.h"
#include "mapper/view/spatial_index.h"

class CPaintReach {
public:
    // Map units in doubles, for the reach computations.
    static constexpr double kPitch = double(kCellPitch), kCentre = double(kCellCentre);
    // The window's margin: pixels, and map units scaled by the zoom.
    static constexpr double kMarginPixels = 16, kMarginUnits = 4;
    // Slack around what is looked up: map units before the cells are taken
    // (and one more cell each side), pixels around a box.
    static constexpr double kCellSlackUnits = 4, kBoxSlackPixels = 4;

    CPaintReach(const CViewTransform& t, int w, int h, std::int32_t preX, std::int32_t preY)
        : m_ox(t.OriginX()), m_oy(t.OriginY()), m_z(t.Zoom()), m_preX(preX), m_preY(preY)
    {
        if (t.Angle() != 0.0) {
            m_c = std::cos(t.Angle());
            m_s = std::sin(t.Angle());
        }
        m_ac = std::fabs(m_c);
        m_as = std::fabs(m_s);
        const double margin = kMarginPixels + kMarginUnits * m_z;
        m_x0 = -margin;
        m_y0 = -margin;
        m_x1 = w + margin;
        m_y1 = h + margin;
    }
    double Zoom() const { return m_z; }
    // How much longer a length of the map is across the window's axes, at
    // most, than along them (rotation spreads it; 1 unturned).
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
        return {FloorCell(lo[0] - kCellSlackUnits) - 1, FloorCell(lo[1] - kCellSlackUnits) - 1,
                FloorCell(hi[0] + kCellSlackUnits) + 1, FloorCell(hi[1] + kCellSlackUnits) + 1};
    }
    // True when a box of map units (centre, half sizes) can reach the grown window.
    bool Reaches(double cx, double cy, double hx, double hy) const
    {
        double wx, wy;
        ToWindow(cx, cy, wx, wy);
        const double ex = m_z * (hx * m_ac + hy * m_as) + kBoxSlackPixels,
                     ey = m_z * (hx * m_as + hy * m_ac) + kBoxSlackPixels;
        return wx + ex >= m_x0 && wx - ex <= m_x1 && wy + ey >= m_y0 && wy - ey <= m_y1;
    }
    bool Meets(double l, double t, double r, double b) const { return r >= m_x0 && l <= m_x1 && b >= m_y0 && t <= m_y1; }

private:
    // The cell of a map unit, kept within the 32-bit cells.
    static std::int32_t FloorCell(double units)
    {
        const double c = std::floor(units / kPitch);
        return c < -2147483647.0 ? -2147483647 : c > 2147483646.0 ? 2147483646 : static_cast<std::int32_t>(c);
    }

    double m_ox, m_oy, m_z;
    std::int32_t m_preX, m_preY;
    double m_c = 1.0, m_s = 0.0, m_ac = 1.0, m_as = 0.0;
    double m_x0, m_y0, m_x1, m_y1;
};
