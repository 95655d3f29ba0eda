#pragma once
// The direction picker's layout and state, without a window: a 4 x 3 grid of
// 30-pixel cells, one per direction, with hidden cells and one selected
// direction. The Windows control (wind_rose_win.h) paints and clicks through it.
#include <array>

#include "mapper/model/direction.h"

constexpr int kRoseCell = 30;
constexpr int kRoseColumns = 4;
constexpr int kRoseRows = 3;
constexpr int kRoseWidth = kRoseCell * kRoseColumns;   // 120
constexpr int kRoseHeight = kRoseCell * kRoseRows;     // 90

// The direction of a cell, or DIR_NONE for the two empty cells and any cell
// outside the grid.
Direction RoseCellDirection(int column, int row);
// The direction under a client pixel, or DIR_NONE.
Direction RoseDirectionAt(int x, int y);
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
    bool Click(int x, int y);

private:
    Direction m_nSelected = DIR_NONE;
    std::array<int, kDirCount> m_hidden{};
};
