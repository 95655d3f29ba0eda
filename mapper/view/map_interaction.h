#pragma once
// The map view's interaction: pointer, wheel and key events in window pixels
// turned into selections, drags, panning, rotation, moves of the character,
// the context menu, link creation and the view's commands. Portable: the
// window reaches it with unpacked messages and serves it through IViewHost.
#include <string>

#include "framework/document.h"
#include "mapper/view/geometry.h"
#include "mapper/view/view_host.h"
#include "mapper/view/view_state.h"

class CVorMapperDoc;

class CMapInteraction {
public:
    CMapInteraction(CVorMapperDoc& doc, CViewState& view, IViewHost& host, IViewDialogs* dialogs = nullptr);

    void SetDialogs(IViewDialogs* dialogs) { m_pDialogs = dialogs; }
    IViewDialogs* GetDialogs() const { return m_pDialogs; }

    // --- pointer, wheel and keys (window pixels)
    void OnMouseMove(CPoint p);
    void OnLButtonDown(CPoint p);
    void OnLButtonUp(CPoint p);
    void OnLButtonDblClk(CPoint p);
    void OnRButtonDown(CPoint p);
    void OnRButtonUp(CPoint p);
    void OnRButtonDblClk(CPoint p);
    void OnMouseWheel(int delta);
    void OnKeyDown(unsigned key);
    // The window lost the mouse capture (another window took it, a dialog
    // opened): every captured state ends where it stands.
    void OnCaptureLost();
    // A document update: hint 1 clears the selection.
    void OnDocumentUpdate(long hint);

    // --- commands of the view (menu "View" and the context menu)
    bool OnCommand(unsigned id);
    bool OnUpdateCommand(vfw::CCmdUI& ui) const;

    // A move in a direction, as by a key or a rose click.
    void MoveInDirection(Direction dir);

    // --- the status line: "[tag] text", or the text alone without a tag
    void SetStatus(const std::string& text, bool repaint = false);
    void SetStatus(const std::string& tag, const std::string& text, bool repaint);

    // --- state, for the window and the tests
    bool HitTestAt(CPoint mapPoint, bool clear);
    // The hit data about a map point, as a paint of the whole map leaves it.
    void HitDataNear(CPoint mapPoint);
    bool IsLabelDrag() const { return m_nLabelRoom != 0; }
    bool IsRoomDrag() const { return m_view.m_bDraggingRoom; }
    bool IsRubberBand() const { return m_view.m_bRubberBand; }
    bool IsPanning() const { return m_view.m_bPanning; }
    bool IsRotating() const { return m_view.m_bRotating; }
    bool IsContextMenuPending() const { return m_bContextPending; }
    bool IsLinkPending() const { return m_bLinkPending; }
    RoomId GetLinkSource() const { return m_nLinkSource; }
    CPoint GetAnchor() const { return m_ptAnchor; }
    CMapSelection& Selection() { return m_view.m_selection; }
    const CMapSelection& Selection() const { return m_view.m_selection; }

private:
    CPoint ToMap(CPoint p) const;
    void StartRubberBand(CPoint mapPoint);
    void DragRooms(CPoint mapPoint);
    void EndRubberBand(CPoint p);

    void OnDeleteKey();
    void DeleteFocusRoom();
    void DeleteRoom(RoomId id);
    void DeleteSelectedRooms();
    void DeleteFocusLink();
    void DeleteSelectedLinks();
    void ChangeRoomColor(bool all);
    void SetCharacterPosition();
    void OpenRoomProperties();
    void OpenLinkProperties();
    void ToggleRecursive();
    void Shift(Direction dir);
    void CreateLink();
    void ChooseLinkDestination(CPoint p);
    void SetLabel();
    void MarkModified();

    CVorMapperDoc& m_doc;
    CViewState& m_view;
    IViewHost& m_host;
    IViewDialogs* m_pDialogs;

    // label drag: the room and (label position - pointer) in map units
    RoomId m_nLabelRoom = 0;
    CPoint m_ptLabelOffset;
    std::uint64_t m_nDragStep = 0;  // the pointer moves of one drag make one step
    // room drag: the anchor in map units
    CPoint m_ptAnchor;
    // panning: the pointer moved since the press
    bool m_bPanMoved = false;
    bool m_bContextPending = false;
    bool m_bLinkPending = false;
    RoomId m_nLinkSource = 0;
};

// "[tag] text".
std::string FormatStatus(const std::string& tag, const std::string& text);
// The band rectangle with its corners ordered (left <= right, top <= bottom).
CRect NormalizeRect(const CRect& rc);
