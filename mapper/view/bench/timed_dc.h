#pragma once
// A paint device for the benchmarks under Wine: forwards to another device
// and keeps the time and count of each kind of call.
#include <chrono>
#include <cstdio>

#include "mapper/view/paint_dc.h"

// Forwards to a GDI device and keeps the time and count of each kind of call.
class CTimedDC : public IPaintDC {
public:
    explicit CTimedDC(IPaintDC& dc) : m_dc(dc) {}

private:
    enum { kPen, kBrush, kFont, kFill, kPolygon, kEllipse, kPolyline, kText, kExtent, kState, kKinds };
    template <class F>
    auto Timed(int kind, F f)
    {
        const auto t0 = std::chrono::steady_clock::now();
        struct Stop {
            CTimedDC* self;
            int kind;
            std::chrono::steady_clock::time_point t0;
            ~Stop() { self->m_ms[kind] += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count(), ++self->m_count[kind]; }
        } stop{this, kind, t0};
        return f();
    }

public:

    int Width() const override { return m_dc.Width(); }
    int Height() const override { return m_dc.Height(); }
    CPenDesc SelectPen(const CPenDesc& pen) override { return Timed(kPen, [&] { return m_dc.SelectPen(pen); }); }
    ColorRef SelectBrush(ColorRef fill) override { return Timed(kBrush, [&] { return m_dc.SelectBrush(fill); }); }
    CFontDesc SelectFont(const CFontDesc& font) override { return Timed(kFont, [&] { return m_dc.SelectFont(font); }); }
    void FillSolidRect(const CRect& rc, ColorRef c) override { Timed(kFill, [&] { m_dc.FillSolidRect(rc, c); }); }
    void Polygon(const CPoint* p, int n) override { Timed(kPolygon, [&] { m_dc.Polygon(p, n); }); }
    void Ellipse(const CRect& b) override { Timed(kEllipse, [&] { m_dc.Ellipse(b); }); }
    void PolyPolyline(const CPoint* p, const std::uint32_t* c, int n) override
    {
        Timed(kPolyline, [&] { m_dc.PolyPolyline(p, c, n); });
    }
    void DrawTextCentered(const CRect& rc, std::string_view t) override
    {
        Timed(kText, [&] { m_dc.DrawTextCentered(rc, t); });
    }
    void TextOut(int x, int y, std::string_view t) override { Timed(kText, [&] { m_dc.TextOut(x, y, t); }); }
    CSize GetTextExtent(std::string_view t) override { return Timed(kExtent, [&] { return m_dc.GetTextExtent(t); }); }
    ColorRef SetTextColor(ColorRef c) override { return Timed(kState, [&] { return m_dc.SetTextColor(c); }); }
    ColorRef SetBkColor(ColorRef c) override { return Timed(kState, [&] { return m_dc.SetBkColor(c); }); }
    BkMode SetBkMode(BkMode m) override { return Timed(kState, [&] { return m_dc.SetBkMode(m); }); }
    bool SetTextAlignRight(bool r) override { return Timed(kState, [&] { return m_dc.SetTextAlignRight(r); }); }

    void Print() const
    {
        static const char* names[kKinds] = {"pens",     "brushes",  "fonts", "fills", "polygons",
                                            "ellipses", "polylines", "texts", "extents", "states"};
        for (int k = 0; k < kKinds; ++k)
            if (m_count[k])
                std::printf("  %-9s %6ld calls %7.2f ms\n", names[k], m_count[k], m_ms[k]);
    }

private:
    IPaintDC& m_dc;
    double m_ms[kKinds] = {};
    long m_count[kKinds] = {};
};
