#include "mapper/dialogs/palette_model.h"

#include <algorithm>

namespace {
constexpr ColorRef Rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }
}  // namespace

std::vector<ColorRef> DefaultPaletteColors()
{
    return {Rgb(255, 0, 0),     Rgb(255, 255, 0), Rgb(0, 255, 0),   Rgb(0, 255, 255),
            Rgb(0, 0, 255),     Rgb(255, 0, 255), Rgb(255, 255, 255), Rgb(192, 192, 192),
            Rgb(128, 128, 128), Rgb(0, 0, 0),     Rgb(128, 0, 0),   Rgb(128, 128, 0),
            Rgb(0, 128, 0),     Rgb(0, 128, 128), Rgb(0, 0, 128),   Rgb(128, 0, 128)};
}

void CPaletteModel::Layout(int clientWidth, int clientHeight, int scrollBarWidth)
{
    m_nColumns = std::max(1, (clientWidth - scrollBarWidth) / m_nCell);
    m_nVisibleRows = std::max(1, clientHeight / m_nCell);
    m_nScrollPos = 0;
    m_nSelected = 1;
    UpdateScrollRange();
}

void CPaletteModel::UpdateScrollRange()
{
    // 64-bit: a palette read from a file may be as long as the file.
    const std::int64_t cells = static_cast<std::int64_t>(m_colors.size()) + 1;
    std::int64_t rows = cells / m_nColumns + (cells % m_nColumns ? 1 : 0);
    rows = std::max<std::int64_t>(rows, m_nVisibleRows);
    m_nScrollMax = static_cast<int>(std::min<std::int64_t>(rows - m_nVisibleRows, INT32_MAX));
    const std::int64_t visibleCells = std::int64_t{m_nVisibleRows} * m_nColumns;
    if (m_nSelected > visibleCells)
        m_nScrollPos = static_cast<int>((m_nSelected - visibleCells + m_nColumns - 1) / m_nColumns);
    m_nScrollPos = std::clamp(m_nScrollPos, 0, m_nScrollMax);
}

void CPaletteModel::SelectByValue(ColorRef color)
{
    const auto it = std::find(m_colors.begin(), m_colors.end(), color);
    if (it != m_colors.end()) {
        m_nSelected = static_cast<int>(it - m_colors.begin()) + 1;
    } else {
        m_colors.push_back(color);
        m_nSelected = static_cast<int>(m_colors.size());
    }
    UpdateScrollRange();
}

int CPaletteModel::IndexAt(int x, int y) const
{
    if (x < 0 || y < 0)
        return 0;
    const int column = x / m_nCell;
    const int row = y / m_nCell;
    if (column >= m_nColumns)
        return 0;
    const std::int64_t index = (std::int64_t{row} + m_nScrollPos) * m_nColumns + column + 1;
    return index <= static_cast<std::int64_t>(m_colors.size()) ? static_cast<int>(index) : 0;
}

bool CPaletteModel::Click(int x, int y)
{
    const int index = IndexAt(x, y);
    if (index == 0)
        return false;
    m_nSelected = index;
    return true;
}

bool CPaletteModel::ScrollTo(std::int64_t pos)
{
    const int clamped = static_cast<int>(std::clamp<std::int64_t>(pos, 0, m_nScrollMax));
    if (clamped == m_nScrollPos)
        return false;
    m_nScrollPos = clamped;
    return true;
}

bool CPaletteModel::Wheel(int delta)
{
    if (m_nScrollMax == 0)
        return false;
    const int steps = delta / 120;  // truncated toward zero
    return ScrollTo(std::int64_t{m_nScrollPos} - steps);
}

bool CPaletteModel::Scroll(int code, int thumbPos)
{
    switch (code) {
    case PALETTE_LINEUP:
    case PALETTE_PAGEUP:
        return ScrollTo(std::int64_t{m_nScrollPos} - 1);
    case PALETTE_LINEDOWN:
    case PALETTE_PAGEDOWN:
        return ScrollTo(std::int64_t{m_nScrollPos} + 1);
    case PALETTE_THUMBTRACK:
        return ScrollTo(thumbPos);
    default:
        return false;
    }
}

void CPaletteModel::CellOrigin(int k, int& x, int& y) const
{
    const int column = k % m_nColumns;
    const int row = k / m_nColumns;
    x = m_nMargin + m_nCell * column;
    y = m_nMargin + m_nCell * (row - m_nScrollPos);
}

bool CPaletteModel::SelectedColor(ColorRef& color) const
{
    if (m_nSelected < 1 || static_cast<std::size_t>(m_nSelected) > m_colors.size())
        return false;
    color = m_colors[static_cast<std::size_t>(m_nSelected) - 1];
    return true;
}
