#include "mapper/view/map_paint.h"

#include "mapper/model/document.h"
#include "mapper/view/paint_pass.h"
#include "mapper/view/spatial_index.h"

void PaintMapView(CVorMapperDoc& doc, CViewState& view, IPaintDC& surface)
{
    const int w = surface.Width(), h = surface.Height();
    if (view.m_bFollowMovements && !view.m_bRotating && !view.m_bPanning && !view.m_bRubberBand &&
        !view.m_bDraggingRoom) {
        const CPoint o = FollowOrigin(doc, w, h, view.Scale());
        doc.m_nOriginX = o.x;
        doc.m_nOriginY = o.y;
    }
    const CViewTransform t = view.Transform(doc);
    CLayerDC dc(t.OriginX(), t.OriginY(), t.Angle(), t.Zoom());
    dc.Attach(&surface);
    dc.FillSolidRect({0, 0, w, h}, kColorWhite);

    if (!view.m_pPaintBuffers)
        view.m_pPaintBuffers = std::make_shared<CPaintBuffers>();
    CPaintPass pass(doc, view, dc, *view.m_pPaintBuffers);
    if (view.m_bShowGrid)
        pass.Grid();
    if (view.m_bRubberBand)
        pass.RubberBand();
    // With an index the paint visits only the records that can reach the
    // window; see CPaintPass::QueryRecords for why hit tests still answer as
    // after a walk over the whole map.
    CSpatialIndex* index = view.IndexOf(doc);
    const bool windowed = index && pass.QueryRecords(*index);
    if (!windowed)
        pass.ClassifyRecords();
    const std::int64_t plane = doc.m_nCurrentPlane;
    if (view.m_bShowLower) {
        pass.Rooms(plane - 1, kColorLowerPlane, kPlaneShift, kPlaneShift);
        pass.Links(plane - 1, kColorLowerPlane, kPlaneShift, kPlaneShift);
    }
    pass.Rooms(plane, kColorCurrentPlane, 0, 0);
    pass.Links(plane, kColorCurrentPlane, 0, 0);
    if (view.m_bShowHigher) {
        pass.Rooms(plane + 1, kColorHigherPlane, -kPlaneShift, -kPlaneShift);
        pass.Links(plane + 1, kColorHigherPlane, -kPlaneShift, -kPlaneShift);
    }
    if (index)
        pass.SettleHitData(index->Pending(), windowed);
    dc.PlayLayers();
    if (view.m_bRotating)
        pass.RotationGuide();
    if (view.m_bPanning)
        pass.PanningGuide();
    if (view.m_bShowRose)
        pass.Rose();
    if (view.m_bShowState)
        pass.StateLabels();
}
