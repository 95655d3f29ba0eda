// Speed and memory of the map model: file load and save, trace moves, lookups.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "mapper/model/document.h"
#include "mapper/model/bench/heap_in_use.h"
#include "mapper/model/bench/traced_map.h"
#include "mapper/model/map_file.h"

namespace {

void BM_Save(benchmark::State& state)
{
    auto doc = TracedMap(static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto saved = SaveMapBytes(*doc);
        bytes = saved.size();
        benchmark::DoNotOptimize(saved.data());
    }
    state.counters["file_MB"] = bytes / 1e6;
}

void BM_Load(benchmark::State& state)
{
    auto doc = TracedMap(static_cast<int>(state.range(0)));
    const auto saved = SaveMapBytes(*doc);
    doc.reset();
    std::string error;
    double perRoom = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto loaded = std::make_unique<CVorMapperDoc>();
        const std::size_t before = HeapInUse();
        state.ResumeTiming();
        if (!LoadMapBytes(*loaded, saved.data(), saved.size(), error))
            state.SkipWithError(error.c_str());
        state.PauseTiming();
        perRoom = double(HeapInUse() - before) / double(loaded->GetRooms().size());
        loaded.reset();
        state.ResumeTiming();
    }
    state.counters["heap_bytes_per_room"] = perRoom;
}

// One trace move into unmapped space; the map grows with every iteration.
void BM_TraceMove(benchmark::State& state)
{
    CVorMapperDoc doc;
    doc.OnNewDocument();
    CRoomInfo info;
    info.m_strTitle = "A winding forest path";
    const int width = 1000;
    int i = 0;
    for (auto _ : state) {
        ++i;
        const Direction dir = i % width == 0 ? DIR_S : ((i / width) % 2 == 0 ? DIR_E : DIR_W);
        benchmark::DoNotOptimize(doc.Move(dir, &info));
    }
    state.counters["rooms"] = double(doc.GetRooms().size());
}

std::unique_ptr<CVorMapperDoc> g_million;
CVorMapperDoc& Million()
{
    if (!g_million)
        g_million = TracedMap(1000000);
    return *g_million;
}

void BM_GetRoom(benchmark::State& state)
{
    CVorMapperDoc& doc = Million();
    std::mt19937 rng(1);
    for (auto _ : state) {
        const CRoom room = doc.GetRoom(1 + rng() % 1000000);
        benchmark::DoNotOptimize(room.m_nX);
    }
}

void BM_FindRoomAt(benchmark::State& state)
{
    CVorMapperDoc& doc = Million();
    std::mt19937 rng(2);
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.FindRoomIdAt(int(rng() % 1000), int(rng() % 1000), 0));
}

}  // namespace

BENCHMARK(BM_Save)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TraceMove)->Iterations(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TraceMove)->Iterations(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetRoom);
BENCHMARK(BM_FindRoomAt);
BENCHMARK_MAIN();
