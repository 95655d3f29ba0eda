#pragma once
// The palette grid control and the palette dialog (template 139). The
// palette is read from its file each time the dialog is initialised and
// written back only by OK.
#include <string>

#include <windows.h>

#include "framework/win/dialog.h"
#include "framework/win/window.h"
#include "mapper/dialogs/palette_file.h"
#include "mapper/dialogs/palette_model.h"

// Sent to the grid's parent (command, with the grid's id) when a swatch is
// double-clicked.
constexpr WORD kPaletteDoubleClick = 5;

class CPaletteGrid : public vfw::CWnd {
public:
    CPaletteGrid() = default;
    ~CPaletteGrid() override;

    bool Create(DWORD style, const RECT& rc, HWND parent, UINT id);
    // To a new place and the window's resolution now, the selection kept.
    void Resize(const RECT& rc);
    bool LoadFile(const std::string& path) { return LoadPaletteFile(path, m_model.m_colors); }
    bool SaveFile(const std::string& path, unsigned long& error) const
    {
        return SavePaletteFile(path, m_model.m_colors, error);
    }
    void SelectColor(ColorRef color);
    bool GetSelectedColor(ColorRef& color) const { return m_model.SelectedColor(color); }

    CPaletteModel m_model;
    ColorRef m_crInitial = kColorNone;

    // The platform's colour chooser, fully open on a colour; true and the
    // chosen colour when the user confirms.
    static bool ChooseColorFromPlatform(HWND owner, ColorRef current, ColorRef& chosen);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Paint(HDC dc);
    void OnMouse(int x, int y, bool doubleClick);
    void OnWheel(int delta);
    void OnVScroll(int code);
    void OnMoreColors();
    void SyncScrollBar();
    // The "..." button to the cell after the last colour.
    void PlaceButton();
    // Cells and the button's font for the window's resolution.
    void FitToDpi();

    HWND m_hButton = nullptr;
    HFONT m_hFont = nullptr;
};

class CPaletteDialog : public vfw::CDialog {
public:
    explicit CPaletteDialog(HWND hParent = nullptr);

    // Loads the palette file and remembers the colour to select (kColorNone: none).
    void Init(ColorRef color);
    BOOL OnInitDialog() override;
    void OnOK() override;
    INT_PTR OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    // After OK: the selected colour; false when the palette holds none.
    bool GetSelectedColor(ColorRef& color) const { return m_grid.GetSelectedColor(color); }

    // The palette file; the program directory's "palette.vmp" unless changed.
    std::string m_strPath;
    CPaletteGrid m_grid;

private:
    void LayOutButtons(const RECT& grid);
    RECT GridRect() const;
};
