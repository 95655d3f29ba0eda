// Speed of undo and redo in a large map, and what the history adds to moves.
#include <benchmark/benchmark.h>

#include <memory>

#include "mapper/model/bench/traced_map.h"
#include "mapper/model/document.h"
#include "mapper/model/history.h"

namespace {

// The benchmarks' traced map of a million rooms.
CVorMapperDoc& Million()
{
    static std::unique_ptr<CVorMapperDoc> doc = TracedMap(1000000);
    return *doc;
}

// Undoing and redoing a trace move that added a room and a link (one pair per iteration).
void BM_UndoRedoTraceMove(benchmark::State& state)
{
    CVorMapperDoc& doc = Million();
    CMapHistory history(doc);
    CRoomInfo info;
    info.m_strTitle = "A new clearing";
    doc.Move(DIR_S, &info);  // below the last row: a new room
    for (auto _ : state) {
        history.Undo();
        history.Redo();
    }
    history.Undo();
    state.counters["rooms"] = double(doc.GetRooms().size());
    state.SetItemsProcessed(2 * state.iterations());  // items: single undos or redos
}

// Moves along an existing link and back (two per iteration), with or
// without a history watching (arg 0), offline or with the game's texts,
// which fill nothing (arg 1).
void BM_MoveAlongLink(benchmark::State& state)
{
    CVorMapperDoc& doc = Million();
    std::unique_ptr<CMapHistory> history;
    if (state.range(0))
        history = std::make_unique<CMapHistory>(doc);
    CRoomInfo info;
    const CRoomInfo* texts = state.range(1) ? &info : nullptr;
    const Direction back = doc.GetRoom(doc.m_nCurrentRoom).m_links[DIR_E] ? DIR_E : DIR_W;
    for (auto _ : state) {
        benchmark::DoNotOptimize(doc.Move(back, texts));
        benchmark::DoNotOptimize(doc.Move(Opposite(back), texts));
    }
    if (history)
        state.counters["steps"] = double(history->StepCount());
}

// Trace moves into unmapped space with the history recording each.
void BM_TraceMoveRecorded(benchmark::State& state)
{
    CVorMapperDoc doc;
    doc.OnNewDocument();
    CMapHistory history(doc);
    CRoomInfo info;
    info.m_strTitle = "A winding forest path";
    int i = 0;
    for (auto _ : state) {
        ++i;
        const Direction dir = i % 1000 == 0 ? DIR_S : ((i / 1000) % 2 == 0 ? DIR_E : DIR_W);
        benchmark::DoNotOptimize(doc.Move(dir, &info));
    }
    state.counters["history_MB"] = double(history.ByteCount()) / 1e6;
}

}  // namespace

BENCHMARK(BM_UndoRedoTraceMove)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveAlongLink)->Args({0, 0})->Args({1, 0})->Args({0, 1})->Args({1, 1});
BENCHMARK(BM_TraceMoveRecorded)->Iterations(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
