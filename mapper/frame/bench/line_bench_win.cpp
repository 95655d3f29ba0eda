// A game line that moves the character, on a large map, in the docked
// mapper of this process: the command and the room's first line handed over
// as the client hands them, then the repaint they ask for, each timed. Gives
// the paint's share of such a line. Run under Wine: bench_line_gdi [rooms] [moves]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "mapper/frame/client_protocol.h"
#include "mapper/frame/main_frame_win.h"
#include "mapper/model/document.h"
#include "mapper/view/bench/bench_maps.h"

namespace {
// The client's window: takes whatever the mapper sends.
LRESULT CALLBACK ClientProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    return m == WM_COPYDATA ? 1 : ::DefWindowProcA(h, m, w, l);
}

LRESULT Send(HWND frame, ULONG_PTR code, const char* text)
{
    COPYDATASTRUCT cds = {code, text ? static_cast<DWORD>(std::strlen(text) + 1) : 0, const_cast<char*>(text)};
    return ::SendMessageA(frame, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
}  // namespace

int main(int argc, char** argv)
{
    const long n = argc > 1 ? std::atol(argv[1]) : 1000000;
    const int moves = argc > 2 ? std::atoi(argv[2]) : 40;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ClientProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "LineBenchClient";
    ::RegisterClassA(&wc);
    HWND client = ::CreateWindowExA(0, wc.lpszClassName, "client", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                                    0, 0, 1100, 900, nullptr, nullptr, wc.hInstance, nullptr);

    // The map is made before the frame, so that it is the loaded map, not a step.
    CVorMapperDoc doc;
    BuildBenchMap(doc, n);
    doc.SetModifiedFlag(false);
    auto frame = std::make_unique<CMainFrame>(doc, client);
    if (!frame->Create())
        return 1;
    Send(frame->m_hWnd, CD_ATTACH, nullptr);
    Send(frame->m_hWnd, CD_ONLINE, nullptr);
    ::MoveWindow(frame->m_hWnd, 0, 0, 1060, 860, TRUE);
    HWND view = frame->View().m_hWnd;
    ::UpdateWindow(view);
    RECT rc;
    ::GetClientRect(view, &rc);

    using clock = std::chrono::steady_clock;
    auto ms = [](clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    std::vector<double> line, paint, total;
    int moved = 0;
    for (int i = 0; i < moves; ++i) {
        const RoomId before = doc.m_nCurrentRoom;
        const auto t0 = clock::now();
        Send(frame->m_hWnd, CD_COMMAND, i % 2 ? "west" : "east");
        Send(frame->m_hWnd, CD_TEXT_LINE, "A field of wheat");
        const auto t1 = clock::now();
        ::UpdateWindow(view);
        const auto t2 = clock::now();
        moved += doc.m_nCurrentRoom != before;
        line.push_back(ms(t1 - t0));
        paint.push_back(ms(t2 - t1));
        total.push_back(ms(t2 - t0));
    }
    std::printf("rooms %zu, links %zu, view %ld x %ld, %d of %d lines moved the character\n", doc.GetRooms().size(),
                doc.GetLinks().size(), rc.right, rc.bottom, moved, moves);
    std::printf("a moving line: median %.2f ms in all, %.2f ms for the command and the line, %.2f ms for the "
                "repaint (%.0f%% of it)\n",
                Median(total), Median(line), Median(paint), 100 * Median(paint) / Median(total));
    doc.SetModifiedFlag(false);
    ::SendMessageA(frame->m_hWnd, WM_CLOSE, 0, 0);
    ::DestroyWindow(client);
    return 0;
}
