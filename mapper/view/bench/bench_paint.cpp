// A full paint of large maps: recording, hit data, playing onto a null device.
#include <benchmark/benchmark.h>

#include <memory>

#include "mapper/view/bench/bench_maps.h"
#include "mapper/view/map_paint.h"

namespace {
CVorMapperDoc& BenchDoc(long n)
{
    static long built = 0;
    static std::unique_ptr<CVorMapperDoc> doc;
    if (built != n) {
        doc.reset();
        doc = std::make_unique<CVorMapperDoc>();
        BuildBenchMap(*doc, n);
        built = n;
    }
    return *doc;
}

void Paint(benchmark::State& state, double angle, double zoom, bool fresh)
{
    CVorMapperDoc& doc = BenchDoc(state.range(0));
    doc.m_dRotation = angle;
    doc.m_dZoom = zoom;
    CViewState view;
    CNullPaintDC dc(1024, 768);
    PaintMapView(doc, view, dc);  // the regions of the first paint
    for (auto _ : state) {
        if (fresh) {
            state.PauseTiming();
            doc.ReleaseRegions();
            state.ResumeTiming();
        }
        PaintMapView(doc, view, dc);
        benchmark::DoNotOptimize(dc.m_nCalls);
    }
    state.counters["rooms"] = static_cast<double>(doc.GetRooms().size());
    state.counters["links"] = static_cast<double>(doc.GetLinks().size());
}

void BM_Paint(benchmark::State& state) { Paint(state, 0.0, 1.0, false); }
void BM_PaintRotatedZoomed(benchmark::State& state) { Paint(state, 0.3, 0.5, false); }
// Every region made anew, as in the first paint after a map is opened.
void BM_PaintFirst(benchmark::State& state) { Paint(state, 0.0, 1.0, true); }
}  // namespace

BENCHMARK(BM_Paint)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintRotatedZoomed)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintFirst)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
