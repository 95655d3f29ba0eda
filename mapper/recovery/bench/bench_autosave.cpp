// The pause autosave puts on the user-interface thread (the snapshot of the
// records), beside the work it leaves to the worker (file bytes).
#include <benchmark/benchmark.h>

#include <memory>

#include "mapper/model/bench/traced_map.h"
#include "mapper/model/document.h"
#include "mapper/model/map_file.h"
#include "mapper/recovery/map_snapshot.h"

namespace {

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
