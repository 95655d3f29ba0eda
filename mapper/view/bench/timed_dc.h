#pragma once
// A paint device for the benchmarks under Wine: forwards to another device
// and keeps the time and count of each kind of call.
#include <chrono>
#include <cstdio>

#include "mapper/view/paint_dc.h"

class CTimedDC : public IPaintDC {
public:
    explicit CTimedDC(IPaintDC& dc) : m_dc(dc) {}

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
    enum { kPen, kBrush, kFont, kFill, kPolygon, kEllipse, kPolyline, kText, kExtent, kState, kKinds };
    using Clock = std::chrono::steady_clock;

    template <class F>
    auto Timed(int kind, F f) -> decltype(f())
    {
        // Counted when the call returns, whatever it returns.
        struct CStop {
            CTimedDC& dc;
            int kind;
            Clock::time_point start = Clock::now();
            ~CStop()
            {
                dc.m_ms[kind] += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                ++dc.m_count[kind];
            }
        } stop{*this, kind};
        return f();
    }

    IPaintDC& m_dc;
    double m_ms[kKinds] = {};
    long m_count[kKinds] = {};
};
