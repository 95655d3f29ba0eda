// Speed of the shortest way and of the room search on maps of a million rooms.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "mapper/model/bench/heap_in_use.h"
#include "mapper/model/bench/traced_map.h"
#include "mapper/navigation/pathfinding.h"

namespace {

// The benchmarks' traced map from the first room: every way in it is the only one.
std::unique_ptr<CVorMapperDoc> Corridor(int rooms)
{
    auto doc = TracedMap(rooms);
    doc->m_nCurrentRoom = 1;
    return doc;
}

// A side x side grid, every room joined to its four neighbours: the most
// ways between two rooms, and a search that spreads over the whole map.
std::unique_ptr<CVorMapperDoc> Grid(int side, double* heapPerRoom = nullptr)
{
    const std::size_t before = HeapInUse();
    auto doc = std::make_unique<CVorMapperDoc>();
    doc->OnNewDocument();
    std::vector<RoomId> ids(std::size_t(side) * side);
    ids[0] = 1;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            if (x == 0 && y == 0)
                continue;
            CRoom room;
            room.m_nX = x;
            room.m_nY = y;
            room.m_info.m_strTitle = "A field of wheat";
            ids[std::size_t(y) * side + x] = doc->AddRoom(room);
        }
    std::vector<std::array<LinkId, kDirCount>> slots(ids.size());
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const std::size_t i = std::size_t(y) * side + x;
            auto join = [&](std::size_t j, Direction d) {
                CLink link;
                link.m_nFromRoom = ids[i];
                link.m_nToRoom = ids[j];
                link.m_nFromDir = d;
                link.m_nToDir = Opposite(d);
                const LinkId id = doc->AddLink(link);
                slots[i][d] = id;
                slots[j][Opposite(d)] = id;
            };
            if (x + 1 < side)
                join(i + 1, DIR_E);
            if (y + 1 < side)
                join(i + side, DIR_S);
        }
    for (std::size_t i = 0; i < ids.size(); ++i) {
        CRoom room = doc->GetRoom(ids[i]);
        room.m_links = slots[i];
        doc->SetRoom(room);
    }
    if (heapPerRoom) {
        slots = {};
        *heapPerRoom = double(HeapInUse() - before - ids.size() * sizeof(RoomId)) / double(ids.size());
    }
    return doc;
}

std::unique_ptr<CVorMapperDoc> g_corridor, g_grid;
double g_gridHeapPerRoom = 0;
CVorMapperDoc& TheCorridor()
{
    if (!g_corridor)
        g_corridor = Corridor(1000000);
    return *g_corridor;
}
CVorMapperDoc& TheGrid()
{
    if (!g_grid)
        g_grid = Grid(1000, &g_gridHeapPerRoom);
    return *g_grid;
}

void RunWay(benchmark::State& state, CVorMapperDoc& doc, RoomId from, RoomId to)
{
    CPathFinder finder;
    CWay way;
    finder.FindWay(doc, from, to, way);  // the buffer is made once, outside the timing
    for (auto _ : state) {
        if (finder.FindWay(doc, from, to, way) != CPathFinder::WAY_FOUND)
            state.SkipWithError("no way");
        benchmark::DoNotOptimize(way.data());
    }
    state.counters["steps"] = double(way.size());
    state.counters["rooms_visited"] = double(finder.GetVisitedCount());
}

// A way of 500 steps along the corridor (the only way).
void BM_Way500_Corridor(benchmark::State& state) { RunWay(state, TheCorridor(), 1, 501); }
// From one end of the corridor to the other: the whole map visited.
void BM_WayWorst_Corridor(benchmark::State& state) { RunWay(state, TheCorridor(), 1, 1000000); }
// A way of 500 steps in the open grid: every room within 500 steps is visited.
void BM_Way500_Grid(benchmark::State& state) { RunWay(state, TheGrid(), 1, 251 + 250 * 1000); }
// Corner to corner of the grid: the whole map visited.
void BM_WayWorst_Grid(benchmark::State& state)
{
    RunWay(state, TheGrid(), 1, static_cast<RoomId>(TheGrid().GetRooms().size()));
    state.counters["map_heap_bytes_per_room"] = g_gridHeapPerRoom;
    state.counters["finder_bytes_per_room"] = 12;
}

// The room search over every room of the map, matching none.
void BM_FindRooms(benchmark::State& state)
{
    CVorMapperDoc& doc = TheCorridor();
    for (auto _ : state)
        benchmark::DoNotOptimize(FindRooms(doc, "Mill of the dwarves"));
}
// Matching every tenth room or so ("path 7" in "path 7", "path 70".. "path 7xxxx").
void BM_FindRoomsMany(benchmark::State& state)
{
    CVorMapperDoc& doc = TheCorridor();
    std::size_t n = 0;
    for (auto _ : state)
        n = FindRooms(doc, "PATH 7").size();
    state.counters["matches"] = double(n);
}

}  // namespace

BENCHMARK(BM_Way500_Corridor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WayWorst_Corridor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Way500_Grid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WayWorst_Grid)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindRooms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindRoomsMany)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
