#pragma once
// Run-time placement of the controls that dialogs create themselves, measured
// against the template's controls as the dialog font laid them out, so that
// nothing crosses its group box whatever the font's size.
#include <windows.h>

// The rectangle, in the dialog's client pixels, of the group box with the
// caption; empty when there is none.
RECT GroupBoxRect(HWND dlg, const char* caption);

// The top-left corner for a control of w x h pixels inside the group box:
// centred across it, below its caption (at least `top` pixels from its top
// edge). A box too small for it grows to hold it.
POINT PlaceInGroupBox(HWND dlg, const char* caption, int w, int h, int top);
