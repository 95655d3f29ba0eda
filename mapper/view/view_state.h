#pragma once
// What the map paint reads of the view: display toggles, modes, the status
// line, the selection and the interaction in progress. Owned by the view
// window; the paint writes back only the rose regions.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/dpi_scale.h"
#include "mapper/model/direction.h"
#include "mapper/model/records.h"
#include "mapper/view/geometry.h"
#include "mapper/view/map_selection.h"

struct CPaintBuffers;
class CSpatialIndex;
class CVorMapperDoc;

struct CViewState {
    // display toggles ("Wind rose", "Grid", "Higher plane", "Lower plane", "State labels")
    bool m_bShowRose = true;
    bool m_bShowGrid = true;
    bool m_bShowHigher = true;
    bool m_bShowLower = true;
    bool m_bShowState = true;
    bool m_bFollowMovements = false;
    // The screen's resolution, pixels per inch: the map and what is drawn
    // over it keep their size on the screen.
    int m_nDpi = kDefaultDpi;
    std::string m_strStatus;
    // A note below the mode labels (a recovery copy that could not be written); empty for none.
    std::string m_strNote;

    CMapSelection m_selection;

    // the rose: the direction pressed (-1 none) and the triangles' regions in window pixels
    Direction m_nPressedRoseDir = DIR_NONE;
    std::array<HRegion, kDirCount> m_roseRegions;

    // interaction in progress
    bool m_bRotating = false;
    CRotationDrag m_rotation;
    bool m_bPanning = false;
    CPoint m_ptGrab;  // pointer - origin at the press
    bool m_bRubberBand = false;
    CRect m_rcBand;  // map units, corners as set
    bool m_bDraggingRoom = false;

    // Memory the paint keeps between paints (made by the first paint).
    std::shared_ptr<CPaintBuffers> m_pPaintBuffers;
    // Where the records lie, for a paint that visits only what can reach the
    // window; none makes every paint walk the whole map.
    std::shared_ptr<CSpatialIndex> m_pIndex;
    // The index when it is the document's, else null.
    CSpatialIndex* IndexOf(const CVorMapperDoc& doc) const;

    // Window pixels per 96-DPI pixel.
    double Scale() const { return m_nDpi / static_cast<double>(kDefaultDpi); }
    // The document's view in this window.
    CViewTransform Transform(const CVorMapperDoc& doc) const { return CViewTransform::FromDocument(doc, Scale()); }
    // A length in 96-DPI pixels, in this window's pixels.
    int Pixels(int length) const { return ScaleToDpi(length, m_nDpi); }

    // The first rose region holding a window point, tested from down to north; -1 for none.
    Direction RoseDirectionAt(CPoint p) const;
};
