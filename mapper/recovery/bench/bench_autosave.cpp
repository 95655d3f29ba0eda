// The pause autosave puts on the user-interface thread (the snapshot of the
// records), beside the work it leaves to the worker (file bytes).
#include <benchmark/benchmark.h>

#include <memory>

#include "mapper/model/document.h"
#include "mapper/model/map_file.h"
#include "mapper/recovery/map_snapshot.h"

namespace {

// A map walked in trace mode along rows of 1000, titled as games title rooms.
std::unique_ptr<CVorMapperDoc> TracedMap(int rooms)
{
    auto doc = std::make_unique<CVorMapperDoc>();
    doc->OnNewDocument();
    CRoomInfo info;
    for (int i = 1; i < rooms; ++i) {
        const int row = i / 1000;
        const Direction dir = i % 1000 == 0 ? DIR_S : (row % 2 == 0 ? DIR_E : DIR_W);
        info.m_strTitle = "A winding forest path " + std::to_string(i);
        doc->Move(dir, &info);
    }
    return doc;
}

// The first copy of a session: the snapshot's memory is new.
void BM_SnapshotFirst(benchmark::State& state)
{
    auto doc = TracedMap(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CMapSnapshot snapshot;
        TakeMapSnapshot(*doc, snapshot);
        benchmark::DoNotOptimize(snapshot.rooms.data());
        state.PauseTiming();
        { CMapSnapshot gone = std::move(snapshot); }
        state.ResumeTiming();
    }
}

// Later copies reuse the memory the worker hands back.
void BM_SnapshotReused(benchmark::State& state)
{
    auto doc = TracedMap(static_cast<int>(state.range(0)));
    CMapSnapshot snapshot;
    TakeMapSnapshot(*doc, snapshot);
    for (auto _ : state) {
        TakeMapSnapshot(*doc, snapshot);
        benchmark::DoNotOptimize(snapshot.rooms.data());
    }
}

// The worker's part: the file bytes of the snapshot.
void BM_SnapshotBytes(benchmark::State& state)
{
    auto doc = TracedMap(static_cast<int>(state.range(0)));
    CMapSnapshot snapshot;
    TakeMapSnapshot(*doc, snapshot);
    for (auto _ : state) {
        const auto bytes = MapSnapshotBytes(snapshot);
        benchmark::DoNotOptimize(bytes.data());
    }
}

}  // namespace

BENCHMARK(BM_SnapshotFirst)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SnapshotReused)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SnapshotBytes)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
