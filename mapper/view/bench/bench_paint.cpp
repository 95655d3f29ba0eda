// A full paint of large maps: recording, hit data, playing onto a null device.
#include <benchmark/benchmark.h>

#include <memory>

#include "mapper/view/bench/bench_maps.h"
#include "mapper/model/map_file.h"
#include "mapper/model/map_units.h"
#include "mapper/view/map_paint.h"
#include "mapper/view/spatial_index.h"

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

// The paint bound to its window by the spatial index; `pan` moves the
// origin a cell between paints, as a drag or a move of the character does.
void PaintWindowed(benchmark::State& state, double angle, double zoom, bool pan)
{
    CVorMapperDoc& doc = BenchDoc(state.range(0));
    doc.m_dRotation = angle;
    doc.m_dZoom = zoom;
    doc.m_nOriginX = doc.m_nOriginY = 200;
    CViewState view;
    view.m_pIndex = std::make_shared<CSpatialIndex>(doc);
    CNullPaintDC dc(1024, 768);
    PaintMapView(doc, view, dc);
    int step = 0;
    for (auto _ : state) {
        if (pan) {
            doc.m_nOriginX = static_cast<std::int32_t>(kBenchOrigin - kCellPitch * (step % 200));
            ++step;
        }
        PaintMapView(doc, view, dc);
        benchmark::DoNotOptimize(dc.m_nCalls);
    }
    state.counters["rooms"] = static_cast<double>(doc.GetRooms().size());
    doc.m_nOriginX = doc.m_nOriginY = 200;
}

// Building the index for the map as loaded from a file, beside the load itself.
void BM_IndexBuild(benchmark::State& state)
{
    CVorMapperDoc& doc = BenchDoc(state.range(0));
    CSpatialIndex index(doc);
    for (auto _ : state)
        index.Rebuild();
    state.counters["bytes_per_room"] = double(index.Bytes()) / double(doc.GetRooms().size());
}

void BM_LoadBenchMap(benchmark::State& state)
{
    CVorMapperDoc& doc = BenchDoc(state.range(0));
    const auto saved = SaveMapBytes(doc);
    std::string error;
    for (auto _ : state) {
        state.PauseTiming();
        auto loaded = std::make_unique<CVorMapperDoc>();
        state.ResumeTiming();
        if (!LoadMapBytes(*loaded, saved.data(), saved.size(), error))
            state.SkipWithError(error.c_str());
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
    }
}

void BM_Paint(benchmark::State& state) { Paint(state, 0.0, 1.0, false); }
void BM_PaintWindowed(benchmark::State& state) { PaintWindowed(state, 0.0, 1.0, false); }
void BM_PaintWindowedPanning(benchmark::State& state) { PaintWindowed(state, 0.0, 1.0, true); }
void BM_PaintWindowedRotatedZoomed(benchmark::State& state) { PaintWindowed(state, 0.3, 0.5, false); }
// Zoomed out until the whole map shows: the index hands the paint to the walk.
void BM_PaintWindowedWhole(benchmark::State& state) { PaintWindowed(state, 0.0, 1.0 / 64, false); }
void BM_PaintWhole(benchmark::State& state) { Paint(state, 0.0, 1.0 / 64, false); }
void BM_PaintRotatedZoomed(benchmark::State& state) { Paint(state, 0.3, 0.5, false); }
// Every region made anew, as in the first paint after a map is opened.
void BM_PaintFirst(benchmark::State& state) { Paint(state, 0.0, 1.0, true); }
}  // namespace

BENCHMARK(BM_Paint)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintRotatedZoomed)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintFirst)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintWindowed)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintWindowedPanning)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintWindowedRotatedZoomed)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintWindowedWhole)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintWhole)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndexBuild)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBenchMap)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
