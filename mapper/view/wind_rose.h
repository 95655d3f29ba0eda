#pragma once
// The direction picker's layout and state, without a window: a 4 x 3 grid of
// 30-pixel cells, one per direction, with hidden cells and one selected
// direction. The Windows control (wind_rose_win.h) paints and clicks through it.
// On a screen of more pixels per inch the cells grow with it (RoseCellAt).
#include <array>

#include "framework/dpi_scale.h"

#include "mapper/model/direction.h"

constexpr int kRoseCell = 30;
constexpr int kRoseColumns = 4;
constexpr int kRoseRows = 3;
constexpr int kRoseWidth = kRoseCell * kRoseColumns;   // 120
constexpr int kRoseHeight = kRoseCell * kRoseRows;     // 90

// The side of a cell at a screen resolution: 30 at 96 dpi, 45 at 144.
constexpr int RoseCellAt(int dpi) { return ScaleToDpi(kRoseCell, dpi); }

// The direction of a cell, or DIR_NONE for the two empty cells and any cell
// outside the grid.
Direction RoseCellDirection(int column, int row);
// The direction under a client pixel of a rose of `cell`-pixel cells, or DIR_NONE.
Direction RoseDirectionAt(int x, int y, int cell = kRoseCell);
// "N", "S", ... "U", "D"; empty for anything that is not a direction.
const char* RoseShortName(Direction dir);

class CWindRoseState {
public:
    Direction GetSelected() const { return m_nSelected; }
    // Anything that is not a direction clears the selection.
    void SetSelected(Direction dir) { m_nSelected = IsDirection(dir) ? dir : DIR_NONE; }
    // Nonzero hides the direction, except the one selected now: it stays
    // shown even when the selection later moves away from it.
    template <class T>
    void SetHidden(const std::array<T, kDirCount>& flags)
    {
        for (int d = 0; d < kDirCount; ++d)
            m_hidden[d] = (flags[d] != 0 && d != m_nSelected) ? 1 : 0;
    }
    bool IsHidden(Direction dir) const { return !IsDirection(dir) || m_hidden[dir] != 0; }
    // A left click: true (and the direction selected) when it hit a shown
    // direction, also the one already selected; false when nothing happens.
    bool Click(int x, int y, int cell = kRoseCell);

private:
    Direction m_nSelected = DIR_NONE;
    std::array<int, kDirCount> m_hidden{};
};
