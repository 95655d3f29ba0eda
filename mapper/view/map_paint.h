#pragma once
// The paint of the map view: background, grid, rubber band, the three planes
// with their rooms, labels and links, the colour layers, the guides, the wind
// rose and the state labels. It also leaves the hit data of every drawn room
// and link in the document.
#include <cstdint>
#include <string_view>
#include <vector>

#include "mapper/view/layer_dc.h"
#include "mapper/view/view_state.h"

class CVorMapperDoc;

// Colours of the paint (0xBBGGRR).
enum : ColorRef {
    kColorWhite = 0xFFFFFF,
    kColorGrid = 0xDCDCDC,
    kColorBandPen = 0xFFBE9E,
    kColorBandFill = 0xFFF5F0,
    kColorLowerPlane = 0xC8B496,
    kColorCurrentPlane = 0x000000,
    kColorHigherPlane = 0x9696C8,
    kColorSelection = 0xFF0000,
    kColorPositionPen = 0x00B400,
    kColorPositionFill = 0x64FF64,
    kColorGuide = 0x0000FF,
    kColorRoseDisc = 0xFFEAD1,
    kColorRosePressed = 0x0079FF,
    kColorRoseExit = 0x0000A3,
    kColorRoseMain = 0xFF8600,
    kColorRoseDiagonal = 0xFFA00A,
    kColorStateOn = 0x00C800,
    kColorStateOff = 0x0000C8,
    kColorStateFollow = 0xFF8800,
};

// Paints the view onto an off-screen surface of the client's size (the
// surface's Width and Height). Follow centring may move the document's origin.
void PaintMapView(CVorMapperDoc& doc, CViewState& view, IPaintDC& surface);

// One state-label line at (x, y); x of -1 keeps the previous line's x, y of -1
// puts the line lineHeight pixels below the previous one. The previous
// position is kept across calls and paints.
void DrawStatusLine(IPaintDC& dc, int x, int y, std::string_view text, int lineHeight = 15);
// The grid's half side L for a transform and client size (a multiple of 26).
std::int64_t GridHalfSide(const CViewTransform& t, int w, int h);
// Records the grid's lines for a w × h client into a canvas of the paint's transform.
void RecordGrid(CMapCanvas& canvas, int w, int h);
