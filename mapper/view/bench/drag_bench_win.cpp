// One pointer move of a room drag in the view window on a large map: the
// interaction's state update and the repaint it asks for, timed. Run under
// Wine: bench_drag_gdi [rooms]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "mapper/resource_ids.h"
#include "mapper/model/map_units.h"
#include "mapper/view/bench/bench_maps.h"
#include "mapper/view/bench/timed_dc.h"
#include "mapper/view/gdi_dc_win.h"
#include "mapper/view/map_paint.h"
#include "mapper/view/map_view_win.h"

namespace {
LRESULT CALLBACK HostProc(HWND h, UINT m, WPARAM w, LPARAM l) { return ::DefWindowProcA(h, m, w, l); }

LPARAM At(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// The view's pixel of a cell's left or top edge, at the bench's origin and zoom 1.
int Pixel(int cell) { return static_cast<int>(kBenchOrigin + kCellPitch * cell); }
constexpr int kCellStep = static_cast<int>(kCellPitch);

struct CStats {
    double median, worst;
};
CStats Stats(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v.back()};
}

// Presses on the room at cell (x, y) of the selection, then moves the pointer
// north in steps of `step` pixels, each move followed by the repaint.
// `update` receives the times of the state updates alone.
std::vector<double> Drag(CVorMapperView& view, int cellX, int cellY, int step, int moves, std::vector<double>* update)
{
    using clock = std::chrono::steady_clock;
    auto ms = [](clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    const int px = Pixel(cellX) + int{kCellCentre}, py = Pixel(cellY) + int{kCellCentre};
    ::SendMessageA(view.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(px, py));
    ::UpdateWindow(view.m_hWnd);
    std::vector<double> total;
    for (int i = 1; i <= moves; ++i) {
        const auto t0 = clock::now();
        ::SendMessageA(view.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, At(px, py - step * i));
        const auto t1 = clock::now();
        ::UpdateWindow(view.m_hWnd);
        total.push_back(ms(clock::now() - t0));
        if (update)
            update->push_back(ms(t1 - t0));
    }
    ::SendMessageA(view.m_hWnd, WM_LBUTTONUP, 0, At(px, py - step * moves));
    return total;
}
}  // namespace

int main(int argc, char** argv)
{
    const long n = argc > 1 ? std::atol(argv[1]) : 100000;
    auto doc = std::make_unique<CVorMapperDoc>();
    BuildBenchMap(*doc, n);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "DragBenchHost";
    ::RegisterClassA(&wc);
    HWND host = ::CreateWindowExA(0, wc.lpszClassName, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1100, 850,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    auto view = std::make_unique<CVorMapperView>(*doc);
    if (!view->Create(host, 1))
        return 1;
    ::MoveWindow(view->m_hWnd, 0, 0, 1024, 768, TRUE);
    if (view->State().m_bShowRose)
        view->OnCommand(ID_VIEW_ROSE);
    ::UpdateWindow(view->m_hWnd);

    // One room, dragged north off the block one cell per move.
    view->Interaction().Selection().SelectRoom(1, true);
    std::vector<double> updates;
    const CStats one = Stats(Drag(*view, 0, 0, kCellStep, 20, &updates));
    const CStats oneUpdate = Stats(updates);
    // Moves below a cell: the state update finds no step, the view repaints anyway.
    view->Interaction().Selection().SelectRoom(2, true);
    const CStats none = Stats(Drag(*view, 1, 0, 1, 15, nullptr));
    // A 10 x 3 block of rooms by a band, dragged north together.
    ::SendMessageA(view->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(Pixel(2) + 1, Pixel(0) + 1));
    ::SendMessageA(view->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, At(Pixel(12) - 1, Pixel(3) - 1));
    ::SendMessageA(view->m_hWnd, WM_LBUTTONUP, 0, At(Pixel(12) - 1, Pixel(3) - 1));
    const std::size_t band = view->Interaction().Selection().GetRoomCount();
    updates.clear();
    const CStats block = Stats(Drag(*view, 2, 0, kCellStep, 20, &updates));
    const CStats blockUpdate = Stats(updates);

    std::printf("rooms %zu, links %zu, client 1024 x 768\n", doc->GetRooms().size(), doc->GetLinks().size());
    std::printf("drag of 1 room, a cell per move: median %.1f ms, worst %.1f ms (state update alone: median %.3f ms, "
                "worst %.3f ms)\n", one.median, one.worst, oneUpdate.median, oneUpdate.worst);
    std::printf("drag below a cell (no step): median %.1f ms, worst %.1f ms\n", none.median, none.worst);
    std::printf("drag of %zu rooms, a cell per move: median %.1f ms, worst %.1f ms (state update alone: median %.3f "
                "ms, worst %.3f ms)\n", band, block.median, block.worst, blockUpdate.median, blockUpdate.worst);
    // The view's paint as the drag left it, call by call.
    {
        HDC screen = ::GetDC(nullptr);
        CGdiOffscreen off(screen, 1024, 768);
        CGdiDC gdi(off.Dc(), 1024, 768);
        CTimedDC timed(gdi);
        CViewState state = view->State();
        PaintMapView(*doc, state, timed);
        std::printf("the view's paint on GDI, by kind of call:\n");
        timed.Print();
        ::ReleaseDC(nullptr, screen);
    }
    view->DestroyWindow();
    ::DestroyWindow(host);
    return 0;
}
