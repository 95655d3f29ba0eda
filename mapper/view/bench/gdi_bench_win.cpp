// The paint of large maps on a GDI memory bitmap, timed: the same paint on
// the null device gives the share of recording and hit data; the rest is GDI
// playback. Run under Wine: bench_paint_gdi [rooms...]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "mapper/view/bench/bench_maps.h"
#include "mapper/view/gdi_dc_win.h"
#include "mapper/view/map_paint.h"

namespace {
double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

template <class F>
double Best(int runs, F f)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        const double ms = Ms(std::chrono::steady_clock::now() - t0);
        best = ms < best ? ms : best;
    }
    return best;
}
// Forwards to a GDI device and keeps the time and count of each kind of call.
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
    template <class F>
    auto Timed(int kind, F f)
    {
        const auto t0 = std::chrono::steady_clock::now();
        struct Stop {
            CTimedDC* self;
            int kind;
            std::chrono::steady_clock::time_point t0;
            ~Stop() { self->m_ms[kind] += Ms(std::chrono::steady_clock::now() - t0), ++self->m_count[kind]; }
        } stop{this, kind, t0};
        return f();
    }
    IPaintDC& m_dc;
    double m_ms[kKinds] = {};
    long m_count[kKinds] = {};
};
}  // namespace

int main(int argc, char** argv)
{
    const int w = 1024, h = 768;
    HDC screen = ::GetDC(nullptr);
    for (int a = 1; a < argc || a == 1; ++a) {
        const long n = argc > 1 ? std::atol(argv[a]) : 100000;
        auto doc = std::make_unique<CVorMapperDoc>();
        BuildBenchMap(*doc, n);
        CViewState view;
        CNullPaintDC null(w, h);
        PaintMapView(*doc, view, null);
        const double record = Best(3, [&] { PaintMapView(*doc, view, null); });
        CGdiOffscreen off(screen, w, h);
        if (!off.Ok()) {
            std::printf("no off-screen bitmap\n");
            return 1;
        }
        const double full = Best(3, [&] {
            CGdiDC dc(off.Dc(), w, h);
            PaintMapView(*doc, view, dc);
        });
        const double blit = Best(3, [&] { off.CopyTo(screen); });
        CGdiDC gdi(off.Dc(), w, h);
        CTimedDC timed(gdi);
        PaintMapView(*doc, view, timed);
        std::printf("rooms %zu links %zu: paint on null device %.1f ms, on GDI %.1f ms, GDI playback %.1f ms, "
                    "block copy %.2f ms\n",
                    doc->GetRooms().size(), doc->GetLinks().size(), record, full, full - record, blit);
        timed.Print();
    }
    ::ReleaseDC(nullptr, screen);
    return 0;
}
