// Reading and writing a map as Mudlet JSON beside the .vmm conversion of the
// same map (load and save, as vmm convert a.vmm b.vmm does in memory).
#include <benchmark/benchmark.h>

#include "mapper/formats/mudlet_json_format.h"
#include "mapper/model/bench/traced_map.h"
#include "mapper/model/map_file.h"
#include "mapper/model/map_units.h"

namespace {
// The traced map with rooms of eight colours and a label every 500 rooms.
std::unique_ptr<CVorMapperDoc> BenchMap(int rooms)
{
    auto doc = TracedMap(rooms);
    const ColorRef colours[] = {kColorNone, 0x0000FF, 0x00FF00, 0xFF0000, 0x808080, 0x00FFFF, 0x123456, 0xABCDEF};
    for (RoomId id = 1; id <= static_cast<RoomId>(rooms); ++id) {
        CRoom room = doc->GetRoom(id);
        room.m_crColor = colours[id % 8];
        if (id % 500 == 0) {
            room.m_info.m_strLabel = "Crossing " + std::to_string(id);
            room.m_info.m_ptLabel = {static_cast<std::int32_t>(kCellPitch * room.m_nX + 50), static_cast<std::int32_t>(kCellPitch * room.m_nY - 50)};
        }
        doc->SetRoom(room);
    }
    return doc;
}

void BM_VmmConvert(benchmark::State& state)
{
    const auto bytes = SaveMapBytes(*BenchMap(static_cast<int>(state.range(0))));
    std::string error;
    for (auto _ : state) {
        CVorMapperDoc doc;
        if (!LoadMapBytes(doc, bytes.data(), bytes.size(), error))
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(SaveMapBytes(doc).data());
    }
    state.counters["file_MB"] = bytes.size() / 1e6;
}

void BM_MudletWrite(benchmark::State& state)
{
    const auto doc = BenchMap(static_cast<int>(state.range(0)));
    std::vector<std::uint8_t> bytes;
    std::string error;
    for (auto _ : state) {
        CFormatReport report;
        MudletJsonMapFormat().Write(*doc, bytes, report, error);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["file_MB"] = bytes.size() / 1e6;
}

void BM_MudletRead(benchmark::State& state)
{
    std::vector<std::uint8_t> bytes;
    std::string error;
    CFormatReport report;
    MudletJsonMapFormat().Write(*BenchMap(static_cast<int>(state.range(0))), bytes, report, error);
    for (auto _ : state) {
        CVorMapperDoc doc;
        CFormatReport read;
        if (!MudletJsonMapFormat().Read(doc, bytes.data(), bytes.size(), read, error))
            state.SkipWithError(error.c_str());
    }
    state.counters["file_MB"] = bytes.size() / 1e6;
}
}  // namespace

BENCHMARK(BM_VmmConvert)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MudletWrite)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MudletRead)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
