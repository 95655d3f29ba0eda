#pragma once
// A polygon region with an even-odd ("alternate") point test: what the map
// records keep of a label, a link or a rose triangle as last drawn.
#include <memory>
#include <vector>

#include "mapper/model/types.h"

class CRegion {
public:
    explicit CRegion(std::vector<CPoint> points) : m_points(std::move(points)) {}
    bool Contains(CPoint p) const;
    const std::vector<CPoint>& Points() const { return m_points; }

private:
    std::vector<CPoint> m_points;
};

// A record's handle to its region. Copies of a record share the region; it is
// released when the last holder resets or replaces its handle, so a stale
// copy can never point at freed memory.
using HRegion = std::shared_ptr<const CRegion>;

inline HRegion CreatePolygonRegion(std::vector<CPoint> points)
{
    return std::make_shared<const CRegion>(std::move(points));
}
