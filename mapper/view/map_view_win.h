#pragma once
// The map view window: shows the document through the paint, reacts to its
// updates, owns the display toggles and turns keys into moves.
#include <windows.h>

#include "framework/document.h"
#include "framework/win/window.h"
#include "mapper/view/view_state.h"

class CVorMapperDoc;

class CVorMapperView : public vfw::CWnd, public vfw::IDocumentView, public vfw::ICommandTarget {
public:
    explicit CVorMapperView(CVorMapperDoc& doc);
    ~CVorMapperView() override;

    bool Create(HWND parent, int id);
    CVorMapperDoc& GetDocument() const { return m_doc; }
    const CViewState& State() const { return m_state; }

    // vfw::IDocumentView
    void OnUpdate(vfw::CDocument& doc, long hint) override;
    // vfw::ICommandTarget
    bool OnCmdMsg(unsigned id) override;
    bool OnUpdateCmdUI(vfw::CCmdUI& ui) override;

    // A move of the character in a direction, as by a key or a rose click:
    // sent to the game when online, else made on the map.
    void MoveInDirection(Direction dir);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    int OnCreate();
    void OnDestroy();
    void OnPaint();
    void OnKeyDown(UINT key);
    void OnMouseWheel(int delta);
    void OnLButtonDown(CPoint p);
    void OnLButtonUp(CPoint p);

    CVorMapperDoc& m_doc;
    CViewState m_state;
};
