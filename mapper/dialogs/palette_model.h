#pragma once
// The palette grid without its window: the colours, the selected swatch, the
// columns and rows that fit the window, the scroll position, and what clicks,
// the wheel and the scroll bar do to them. Cells are 20 pixels square (at 96
// pixels per inch, in proportion at other resolutions); the cell after the
// last colour holds the "..." button.
#include <cstdint>
#include <vector>

#include "framework/dpi_scale.h"
#include "mapper/model/types.h"

constexpr int kPaletteCell = 20;
constexpr int kPaletteSwatch = 18;

// The sixteen colours of a new palette.
std::vector<ColorRef> DefaultPaletteColors();

// Scroll bar requests, as the platform numbers them.
enum EPaletteScroll { PALETTE_LINEUP = 0, PALETTE_LINEDOWN = 1, PALETTE_PAGEUP = 2, PALETTE_PAGEDOWN = 3,
                      PALETTE_THUMBTRACK = 5 };

class CPaletteModel {
public:
    CPaletteModel() : m_colors(DefaultPaletteColors()) {}

    // Cells, swatches and the swatches' margin for a screen resolution; Layout
    // then fits them to the window.
    void SetDpi(int dpi)
    {
        m_nCell = ScaleToDpi(kPaletteCell, dpi);
        m_nSwatch = ScaleToDpi(kPaletteSwatch, dpi);
        m_nMargin = ScaleToDpi(1, dpi);
    }

    // At window creation: columns and visible rows from the client size less
    // the width of a vertical scroll bar, position 0, first colour selected,
    // then the scroll range. Always at least one column and one row.
    void Layout(int clientWidth, int clientHeight, int scrollBarWidth);
    // Cells (colours and the button) to rows; the scroll maximum; scrolls so
    // that a selected swatch beyond the visible cells is in the last row.
    void UpdateScrollRange();
    // Selects the colour, appending it when it is not in the palette.
    void SelectByValue(ColorRef color);

    // The 1-based index of the colour under a client pixel, 0 for none (the
    // strip right of the last column, the cells after the last colour).
    int IndexAt(int x, int y) const;
    // A left click: true when it selected a colour.
    bool Click(int x, int y);
    // A wheel turn: true when the position changed.
    bool Wheel(int delta);
    // A scroll bar request: true when the position changed.
    bool Scroll(int code, int thumbPos);

    // Top-left pixel of the cell of 0-based index k (may lie outside the window).
    void CellOrigin(int k, int& x, int& y) const;
    // The selected colour; false when no colour is selected (empty palette).
    bool SelectedColor(ColorRef& color) const;

    std::vector<ColorRef> m_colors;
    int m_nSelected = 1;
    int m_nColumns = 1;
    int m_nVisibleRows = 1;
    int m_nScrollPos = 0;
    int m_nScrollMax = 0;
    int m_nCell = kPaletteCell;
    int m_nSwatch = kPaletteSwatch;
    int m_nMargin = 1;  // left of and above each swatch

private:
    bool ScrollTo(std::int64_t pos);
};
