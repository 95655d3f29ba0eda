#pragma once
// The steps of one paint, sharing the transform, the layer DC and the rooms
// and links of the planes drawn.
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "mapper/view/layer_dc.h"
#include "mapper/view/view_state.h"

class CVorMapperDoc;
class CPaintReach;
class CSpatialIndex;
class CPendingHitData;
class CTileGrid;

// Map units by which the plane below is drawn shifted right and down, the
// plane above left and up.
constexpr std::int32_t kPlaneShift = 10;

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
    // A paint bound to its window: the rooms found per plane (order key, id),
    // and the rooms whose label was drawn.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> found[3];
    std::vector<std::pair<std::uint64_t, CPaintLinkRef>> foundLinks;
    std::vector<RoomId> labelled;
    bool windowed = false;  // the last paint was bound to its window
    // Widest letter and text height of the label font, by byte (-1 unknown),
    // for the device and font they were measured with.
    std::array<std::int32_t, 256> letterWidth{};
    std::int32_t textHeight = 0;
    const void* measuredDevice = nullptr;
    int measuredFont = -1;

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
    // The same, for the records the index finds that can reach the window;
    // false (nothing found) when so many can that the walk costs less.
    bool QueryRecords(CSpatialIndex& index);
    // After the planes: hit data of what the paint did not visit (see the .cpp).
    void SettleHitData(CPendingHitData& pending, bool windowed);
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
    // The label font's size in tenths of a point: the document's zoom times
    // 8.5 points (a point font keeps its size on any screen by itself).
    int LabelFontTenths() const { return Trunc32(m_transform.Zoom() / m_view.Scale() * 85); }
    void Room(CMapCanvas& canvas, RoomId id, const CRoom& room);
    void Label(CMapCanvas& canvas, RoomId id, const CRoom& room, bool selected);
    void Link(CMapCanvas& canvas, const CLinkRef& ref);
    // True when everything drawn within `radius` map units of (x, y), at the
    // pass's pre-offset (none for what goes on a layer), lies wholly outside
    // the client area: recording it would change no pixel.
    bool OffScreen(std::int64_t x, std::int64_t y, std::int64_t radius, bool onLayer = false) const;
    bool Drawn(std::int64_t plane) const;
    // f(slot, plane) for the planes of the three slots that are drawn and exist.
    template <class F>
    void ForDrawnPlanes(F f) const;
    // Rooms of the window's plane whose label can reach the window, into found[1].
    void FindLabels();
    // The window reach of a plane slot's pass.
    CPaintReach ReachOf(int slot) const;
    // An upper bound of the rooms the index would find.
    std::size_t EstimateFound(CSpatialIndex& index) const;
    // The rooms of a slot's grid that can reach the window, into found[slot];
    // its links, into foundLinks.
    void FindRooms(const CTileGrid& grid, int slot, const CPaintReach& reach);
    void FindLinks(const CTileGrid& grid, int slot, const CPaintReach& reach);

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
    CSpatialIndex* m_pIndex = nullptr;  // set while the paint is bound to its window
};
