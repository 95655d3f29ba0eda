#pragma once
// A polygon region with an even-odd ("alternate") point test: what the map
// records keep of a label, a link or a rose triangle as last drawn.
#include <cstddef>
#include <initializer_list>
#include <span>
#include <utility>
#include <vector>

#include "mapper/model/types.h"

class CRegion {
public:
    CRegion(const CPoint* points, std::size_t count);
    explicit CRegion(std::initializer_list<CPoint> points) : CRegion(points.begin(), points.size()) {}
    bool Contains(CPoint p) const;
    std::span<const CPoint> Points() const
    {
        return m_nCount <= kInline ? std::span<const CPoint>(m_inline, m_nCount) : std::span<const CPoint>(m_more);
    }

private:
    friend class HRegion;
    // The regions of a paint (rose triangles, label boxes, link outlines of
    // 8 points) keep their points inline: one allocation per region.
    static constexpr std::size_t kInline = 8;
    std::size_t m_nCount;
    CPoint m_inline[kInline];
    std::vector<CPoint> m_more;
    mutable std::size_t m_nRefs = 0;
};

// A record's handle to its region, one pointer wide. Copies of a record share
// the region; it is freed when the last holder resets or replaces its handle,
// so a stale copy never points at freed memory. One thread only.
class HRegion {
public:
    HRegion() = default;
    HRegion(std::nullptr_t) {}
    HRegion(const HRegion& other) : m_p(other.m_p) { AddRef(); }
    HRegion(HRegion&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    ~HRegion() { Release(); }
    HRegion& operator=(HRegion other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }

    void reset() { HRegion().swap(*this); }
    void swap(HRegion& other) noexcept { std::swap(m_p, other.m_p); }
    const CRegion* get() const { return m_p; }
    const CRegion* operator->() const { return m_p; }
    const CRegion& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    friend bool operator==(const HRegion& a, const HRegion& b) { return a.m_p == b.m_p; }
    friend bool operator==(const HRegion& a, std::nullptr_t) { return a.m_p == nullptr; }

    friend HRegion CreatePolygonRegion(const CPoint* points, std::size_t count);

private:
    explicit HRegion(const CRegion* p) : m_p(p) { AddRef(); }
    void AddRef() const
    {
        if (m_p)
            ++m_p->m_nRefs;
    }
    void Release()
    {
        if (m_p && --m_p->m_nRefs == 0)
            delete m_p;
        m_p = nullptr;
    }

    const CRegion* m_p = nullptr;
};

inline HRegion CreatePolygonRegion(const CPoint* points, std::size_t count)
{
    return HRegion(new CRegion(points, count));
}
inline HRegion CreatePolygonRegion(std::initializer_list<CPoint> points)
{
    return CreatePolygonRegion(points.begin(), points.size());
}
inline HRegion CreatePolygonRegion(const std::vector<CPoint>& points)
{
    return CreatePolygonRegion(points.data(), points.size());
}
