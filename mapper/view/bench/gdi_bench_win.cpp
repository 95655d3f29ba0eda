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
        std::printf("rooms %zu links %zu: paint on null device %.1f ms, on GDI %.1f ms, GDI playback %.1f ms, "
                    "block copy %.2f ms\n",
                    doc->GetRooms().size(), doc->GetLinks().size(), record, full, full - record, blit);
    }
    ::ReleaseDC(nullptr, screen);
    return 0;
}
