#pragma once
// The steps of one paint, sharing the transform, the layer DC and the rooms
// and links of the planes drawn.
#include <cstdint>
#include <vector>

#include "mapper/view/layer_dc.h"
#include "mapper/view/view_state.h"

class CVorMapperDoc;

// The rooms and links of the planes drawn, found once per paint.
struct CPaintCell {
    std::int32_t x = 0, y = 0, plane = 0;
    bool exists = false;
};
struct CPaintRoomRef {
    RoomId id;
    const CRoom* room;
};
struct CPaintLinkRef {
    LinkId id;
    const CLink* link;
    std::int32_t ax, ay, bx, by;  // cells of the two rooms
};

// Memory of the paint's lists, kept by the view from one paint to the next.
struct CPaintBuffers {
    std::vector<CPaintRoomRef> rooms[3];  // planes below, on view, above
    std::vector<CPaintLinkRef> links[3];
    std::vector<CPaintLinkRef> allLinks;
    std::vector<CPaintCell> cells;        // by room id - 1
    std::vector<CMapCanvas::CStorage> canvases;

    CMapCanvas::CStorage TakeCanvasStorage();
    void Clear();
};

class CPaintPass {
public:
    CPaintPass(CVorMapperDoc& doc, CViewState& view, CLayerDC& dc, CPaintBuffers& buffers);

    void Grid();
    void RubberBand();
    // Sorts the rooms and links of the three planes that may be drawn, in map order.
    void ClassifyRecords();
    void Rooms(std::int64_t plane, ColorRef pen, std::int32_t preX, std::int32_t preY);
    void Links(std::int64_t plane, ColorRef pen, std::int32_t preX, std::int32_t preY);
    void RotationGuide();
    void PanningGuide();
    void Rose();
    void StateLabels();

private:
    using CCell = CPaintCell;
    using CRoomRef = CPaintRoomRef;
    using CLinkRef = CPaintLinkRef;
    CMapCanvas NewCanvas(ColorRef pen);
    // The pre-offset of one plane's pass, for its canvas and the visibility tests.
    void SetPlaneOffset(CMapCanvas& canvas, std::int32_t preX, std::int32_t preY);
    // Plays the canvas and keeps its memory for the next one.
    void PlayAndRecycle(CMapCanvas& canvas);
    CCell CellOf(RoomId id) const;
    int PlaneSlot(std::int64_t plane) const;  // 0 lower, 1 current, 2 higher, -1 none
    void Room(CMapCanvas& canvas, RoomId id, const CRoom& room);
    void Label(CMapCanvas& canvas, RoomId id, const CRoom& room, bool selected);
    void Link(CMapCanvas& canvas, const CLinkRef& ref);
    // True when everything drawn within `radius` map units of (x, y), at the
    // pass's pre-offset (none for what goes on a layer), lies wholly outside
    // the client area: recording it would change no pixel.
    bool OffScreen(std::int64_t x, std::int64_t y, std::int64_t radius, bool onLayer = false) const;

    CVorMapperDoc& m_doc;
    CViewState& m_view;
    CLayerDC& m_dc;
    CViewTransform m_transform;
    int m_nWidth, m_nHeight;
    std::int32_t m_nPreX = 0, m_nPreY = 0;
    CPaintBuffers& m_buf;
    std::vector<CRoomRef>* m_rooms = m_buf.rooms;
    std::vector<CLinkRef>* m_links = m_buf.links;
    // Cells of the rooms by id - 1, for the links; empty when the ids are too sparse.
    std::vector<CCell>& m_cells = m_buf.cells;
};
