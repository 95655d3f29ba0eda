// Speed of the TinTin++ map format on a 100,000-room map, beside the .vmm
// load and save that vmm convert does for the same map.
#include <benchmark/benchmark.h>

#include <memory>

#include "mapper/formats/tintin_format.h"
#include "mapper/model/bench/traced_map.h"
#include "mapper/model/map_file.h"

namespace {
constexpr int kRooms = 100000;

CVorMapperDoc& Traced()
{
    static const std::unique_ptr<CVorMapperDoc> doc = TracedMap(kRooms);
    return *doc;
}

const std::vector<std::uint8_t>& TintinBytes()
{
    static const std::vector<std::uint8_t> bytes = [] {
        std::vector<std::uint8_t> out;
        CFormatReport report;
        std::string error;
        TintinMapFormat().Write(Traced(), out, report, error);
        return out;
    }();
    return bytes;
}

// vmm convert a.vmm b.vmm: a load and a save.
void BM_VmmToVmm(benchmark::State& state)
{
    const std::vector<std::uint8_t> bytes = SaveMapBytes(Traced());
    std::string error;
    for (auto _ : state) {
        CVorMapperDoc doc;
        if (!LoadMapBytes(doc, bytes.data(), bytes.size(), error))
            state.SkipWithError(error.c_str());
        const auto saved = SaveMapBytes(doc);
        benchmark::DoNotOptimize(saved.data());
    }
}

void BM_TintinWrite(benchmark::State& state)
{
    CVorMapperDoc& doc = Traced();
    std::size_t size = 0;
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes;
        CFormatReport report;
        std::string error;
        TintinMapFormat().Write(doc, bytes, report, error);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["file_MB"] = size / 1e6;
}

// Reads the 100,000-room TinTin++ map into `doc`.
void ReadTintinBytes(CVorMapperDoc& doc, benchmark::State& state)
{
    const auto& bytes = TintinBytes();
    CFormatReport report;
    std::string error;
    if (!TintinMapFormat().Read(doc, bytes.data(), bytes.size(), report, error))
        state.SkipWithError(error.c_str());
}

void BM_TintinRead(benchmark::State& state)
{
    for (auto _ : state) {
        CVorMapperDoc doc;
        ReadTintinBytes(doc, state);
        benchmark::DoNotOptimize(doc.GetRooms().size());
    }
}

// vmm convert a.map b.vmm: the read and a .vmm save.
void BM_TintinToVmm(benchmark::State& state)
{
    for (auto _ : state) {
        CVorMapperDoc doc;
        ReadTintinBytes(doc, state);
        const auto saved = SaveMapBytes(doc);
        benchmark::DoNotOptimize(saved.data());
    }
}
}  // namespace

BENCHMARK(BM_VmmToVmm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TintinWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TintinRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TintinToVmm)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
