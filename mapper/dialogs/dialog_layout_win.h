#pragma once
// Run-time placement of the controls that dialogs create themselves, measured
// against the template's controls as the dialog font laid them out, so that
// nothing crosses its group box whatever the font's size or the screen's
// resolution.
#include <windows.h>

class CWindRose;

// The rectangle, in the dialog's client pixels, of the group box with the
// caption; empty when there is none.
RECT GroupBoxRect(HWND dlg, const char* caption);

// The top-left corner for a control of w x h pixels inside the group box:
// centred across it, below its caption (at least `top` pixels from its top
// edge). A box too small for it grows to hold it.
POINT PlaceInGroupBox(HWND dlg, const char* caption, int w, int h, int top);

// The rose, sized for the dialog's resolution, into the group box with the
// caption (below the caption, 15 pixels at 96 dpi from the box's top).
void PlaceRose(HWND dlg, const char* caption, CWindRose& rose);

// True when a dialog (or page) is to lay its run-time controls out again:
// at a change of its screen's resolution it asks itself to, once the system
// has done its own part (the window's new size and the template's controls),
// and this answers true when that request arrives. A top-level dialog takes
// the size the system proposes.
bool IsRelayOut(HWND dlg, UINT msg, LPARAM lp);
