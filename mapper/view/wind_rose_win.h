#pragma once
// The direction picker control: ten arrow buttons in a 120 x 90 child window
// (at 96 dpi; larger as the parent's screen resolution is). A click on a
// shown direction selects it and tells the parent with a button-click command
// carrying the control's id and window.
#include <array>

#include <windows.h>

#include "framework/win/window.h"
#include "mapper/view/wind_rose.h"

class CWindRose : public vfw::CWnd {
public:
    // x, y: top-left corner in the parent's client coordinates.
    bool Create(DWORD style, int x, int y, HWND parent, UINT id);
    // The cells' size for the parent's resolution now, the window resized to it.
    void FitToDpi();
    int Cell() const { return m_nCell; }
    int Width() const { return m_nCell * kRoseColumns; }
    int Height() const { return m_nCell * kRoseRows; }

    void SetSelected(Direction dir);
    // 1 (any nonzero) hides the direction; the selected one stays shown.
    template <class T>
    void SetHidden(const std::array<T, kDirCount>& flags)
    {
        m_state.SetHidden(flags);
        if (m_hWnd)
            Invalidate(true);
    }
    Direction GetSelected() const { return m_state.GetSelected(); }
    bool IsHidden(Direction dir) const { return m_state.IsHidden(dir); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Paint(HDC dc);
    void OnLButtonDown(int x, int y);

    CWindRoseState m_state;
    int m_nCell = kRoseCell;
};
