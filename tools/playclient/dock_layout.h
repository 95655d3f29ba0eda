#pragma once
// Where the docked terminal window and the mapper go inside the client's
// main window, from the side and depth the docking library reported.
#include <vector>

struct CBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const CBox&) const = default;
};

// Sides as the docking library reports them.
enum EDockSide { kFloating = 0, kLeft = 1, kTop = 2, kRight = 3, kBottom = 4 };

struct CDockLayout {
    CBox terminal;  // empty when floating
    CBox map;       // the rest of the main window's client area
};

constexpr int kMinPane = 60;  // neither part is made smaller than this, if it fits

// The layout of `client` (the main window's client area) with the terminal
// docked at `side`, `depth` pixels deep (width for left and right, height
// for top and bottom). The depth is kept between `minPane` (kMinPane at 96
// dpi, in proportion at other resolutions) and the extent less `minPane`; a
// client too small for both gets half each.
CDockLayout LayOut(const CBox& client, int side, int depth, int minPane = kMinPane);

// The depth a docked window of rectangle `window` has at `side`.
int DepthAt(int side, const CBox& window);

// The rectangles offered to a drag: the main window's client area, given in
// screen coordinates.
std::vector<CBox> DockingTargets(const CBox& clientOnScreen);
