// The pause autosave puts on the user-interface thread, under Wine: the
// snapshot alone, and the whole step that starts a copy (name, folder,
// snapshot, hand-over to the worker), for a map of 100,000 rooms by default.
// Run by hand: bench_autosave_win [rooms] [folder]
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "mapper/model/bench/traced_map.h"
#include "mapper/model/document.h"
#include "mapper/recovery/autosave.h"
#include "mapper/recovery/map_snapshot.h"

namespace {
double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// This thread's processor time in ms: on a busy machine the wall time also
// counts the time other programs had the processor.
double CpuMs()
{
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    auto v = [](const FILETIME& f) { return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    return (v(kernel) + v(user)) / 10000.0;
}

template <class F>
void Report(const char* what, int runs, F f)
{
    double best = 1e300, sum = 0;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        const double ms = Ms(std::chrono::steady_clock::now() - t0);
        best = ms < best ? ms : best;
        sum += ms;
    }
    std::printf("%-34s best %7.2f ms  mean %7.2f ms\n", what, best, sum / runs);
}
}  // namespace

int main(int argc, char** argv)
{
    const int rooms = argc > 1 ? std::atoi(argv[1]) : 100000;
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    const std::string folderPath = argc > 2 ? argv[2] : std::string(temp) + "vormapper-bench-recovery\\";
    CVorMapperDoc doc;
    WalkTracedMap(doc, rooms);
    std::printf("%d rooms\n", static_cast<int>(doc.GetRooms().size()));
    Report("snapshot, fresh memory", 10, [&] {
        CMapSnapshot s;
        TakeMapSnapshot(doc, s);
    });
    CMapSnapshot reused;
    Report("snapshot, reused memory", 10, [&] { TakeMapSnapshot(doc, reused); });
    Report("file bytes (worker)", 5, [&] { (void)MapSnapshotBytes(reused); });

    CRecoveryFolder folder(folderPath, PlatformFiles());
    CAutosave autosave(doc, folder, CurrentProcess(), 1);
    std::uint64_t now = 0;
    autosave.Poll(now);
    double best = 1e300, sum = 0, cpu = 0;
    const int runs = 10;
    for (int i = 0; i < runs; ++i) {
        autosave.Wait();  // the worker's part is not the pause
        now += 1000;
        const double c0 = CpuMs();
        const auto t0 = std::chrono::steady_clock::now();
        autosave.Poll(now);
        const double ms = Ms(std::chrono::steady_clock::now() - t0);
        cpu += CpuMs() - c0;
        best = ms < best ? ms : best;
        sum += ms;
    }
    autosave.Wait();
    std::printf("%-34s best %7.2f ms  mean %7.2f ms  processor %7.2f ms  (%llu copies written)\n",
                "step that starts a copy (UI)", best, sum / runs, cpu / runs,
                static_cast<unsigned long long>(autosave.WritesDone()));
    autosave.RemoveCopy();
    ::RemoveDirectoryA(folderPath.c_str());
    return 0;
}
