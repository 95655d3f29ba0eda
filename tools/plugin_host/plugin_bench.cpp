// Timing of the mapper as a plug-in, from another process: the cold start
// to a shown window, and the round trip of a game line (median and 99th
// percentile). Prints its figures; it is a measurement, not a test.
//   plugin_bench.exe MAPPER.EXE [LINES]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "mapper/frame/client_protocol.h"
#include "tools/plugin_host/plugin_host.h"

namespace {
double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f) { return double(b.QuadPart - a.QuadPart) / f.QuadPart; }
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: plugin_bench MAPPER.EXE [LINES]\n");
        return 2;
    }
    const std::string exe = WindowsPath(argv[1]);
    const int lines = argc > 2 ? std::atoi(argv[2]) : 10000;
    LARGE_INTEGER freq, t0, t1;
    ::QueryPerformanceFrequency(&freq);

    {  // cold start, standalone: until the frame is visible
        CPluginHost host;
        ::QueryPerformanceCounter(&t0);
        if (!host.Start(exe, ""))
            return 1;
        HWND frame = nullptr;
        host.PumpUntil([&] {
            frame = ::FindWindowA("VorMapperFrame", nullptr);
            return frame && ::IsWindowVisible(frame);
        });
        ::QueryPerformanceCounter(&t1);
        std::printf("cold start to a shown window: %.1f ms\n", 1000 * Seconds(t0, t1, freq));
        ::PostMessageA(frame, WM_CLOSE, 0, 0);
        host.WaitForExit(10000);
    }

    CPluginHost host;
    char args[64];
    std::snprintf(args, sizeof args, "/plugin 0 %ld", static_cast<long>(reinterpret_cast<INT_PTR>(host.Window())));
    ::QueryPerformanceCounter(&t0);
    if (!host.Start(exe, args) || !host.PumpUntil([&] { return host.MapperWindow() != nullptr; }))
        return 1;
    ::QueryPerformanceCounter(&t1);
    std::printf("plug-in start to the announced window: %.1f ms\n", 1000 * Seconds(t0, t1, freq));
    host.Send(CD_ATTACH, nullptr, 0);
    host.Send(CD_ONLINE, nullptr, 0);
    std::vector<double> times;
    times.reserve(lines);
    const char* words[] = {"n", "e", "s", "w"};
    for (int i = 0; i < lines; ++i) {
        if (i % 10 == 0)
            host.SendText(CD_COMMAND, words[(i / 10) % 4]);  // a move every ten lines
        const std::string line = "A line of game output number " + std::to_string(i);
        ::QueryPerformanceCounter(&t0);
        host.SendText(CD_TEXT_LINE, line);
        ::QueryPerformanceCounter(&t1);
        times.push_back(1e6 * Seconds(t0, t1, freq));
    }
    std::sort(times.begin(), times.end());
    std::printf("game-line round trip over %d lines: median %.1f us, 99th percentile %.1f us, max %.1f us\n", lines,
                times[times.size() / 2], times[times.size() * 99 / 100], times.back());
    host.Send(CD_QUIT, nullptr, 0);
    host.WaitForExit(10000);
    return 0;
}
