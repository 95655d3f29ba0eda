#pragma once
// Command ids shared by the resources and the code that handles them.

// Rotation
#define ID_ROTATION_0 32772
#define ID_ROTATION_45 32773
#define ID_ROTATION_90 32774
#define ID_ROTATION_135 32775
#define ID_ROTATION_180 32776
#define ID_ROTATION_270 32777
#define ID_ROTATION_360 32778
// Zoom
#define ID_ZOOM_100 32805
#define ID_ZOOM_12 32806
#define ID_ZOOM_25 32807
#define ID_ZOOM_50 32808
#define ID_ZOOM_200 32809
#define ID_ZOOM_400 32810
#define ID_ZOOM_800 32811
#define ID_ZOOM_IN 32847
#define ID_ZOOM_OUT 32848
// Planes
#define ID_PLANE_HIGHER 32825
#define ID_PLANE_LOWER 32826
#define ID_PLANE_MINUS3 32829
#define ID_PLANE_MINUS2 32830
#define ID_PLANE_MINUS1 32831
#define ID_PLANE_0 32832
#define ID_PLANE_1 32833
#define ID_PLANE_2 32834
#define ID_PLANE_3 32835
#define ID_EDIT_RENAME_PLANE 32779
// Mode
#define ID_MODE_EXPLORE 32780
#define ID_MODE_TRACE 32782
#define ID_MODE_AUTOSHIFT 32836
