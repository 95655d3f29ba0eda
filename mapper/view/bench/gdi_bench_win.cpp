// The paint of large maps on a GDI memory bitmap, timed: the same paint on
// the null device gives the share of recording and hit data; the rest is GDI
// playback. Each map is painted whole and windowed by the spatial index, and
// the time of each kind of device call shown. Run under Wine: bench_paint_gdi [rooms...]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "mapper/view/bench/bench_maps.h"
#include "mapper/view/bench/timed_dc.h"
#include "mapper/view/gdi_dc_win.h"
#include "mapper/view/map_paint.h"
#include "mapper/view/spatial_index.h"

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
}  // namespace

int main(int argc, char** argv)
{
    const int w = 1024, h = 768;
    HDC screen = ::GetDC(nullptr);
    for (int a = 1; a < argc || a == 1; ++a) {
        const long n = argc > 1 ? std::atol(argv[a]) : 100000;
        auto doc = std::make_unique<CVorMapperDoc>();
        BuildBenchMap(*doc, n);
        CGdiOffscreen off(screen, w, h);
        if (!off.Ok()) {
            std::printf("no off-screen bitmap\n");
            return 1;
        }
        std::printf("rooms %zu links %zu\n", doc->GetRooms().size(), doc->GetLinks().size());
        // Every record visited, then only what the spatial index gives for the window.
        for (const bool windowed : {false, true}) {
            CViewState view;
            if (windowed)
                view.m_pIndex = std::make_shared<CSpatialIndex>(*doc);
            CNullPaintDC null(w, h);
            PaintMapView(*doc, view, null);
            const double record = Best(3, [&] { PaintMapView(*doc, view, null); });
            const double full = Best(3, [&] {
                CGdiDC dc(off.Dc(), w, h);
                PaintMapView(*doc, view, dc);
            });
            const double blit = Best(3, [&] { off.CopyTo(screen); });
            CGdiDC gdi(off.Dc(), w, h);
            CTimedDC timed(gdi);
            PaintMapView(*doc, view, timed);
            std::printf("%s: paint on null device %.1f ms, on GDI %.1f ms, GDI playback %.1f ms, block copy %.2f ms\n",
                        windowed ? "windowed paint" : "whole-map paint", record, full, full - record, blit);
            timed.Print();
        }
    }
    ::ReleaseDC(nullptr, screen);
    return 0;
}
