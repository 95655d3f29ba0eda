#pragma once
// The map view window: shows the document through the paint, reacts to its
// updates, owns the display toggles, and hands pointer, wheel and key
// messages to the interaction, serving it as its host (capture, repaint,
// context menu, questions).
#include <functional>
#include <memory>
#include <string>

#include <windows.h>

#include "framework/document.h"
#include "framework/win/window.h"
#include "mapper/view/map_interaction.h"
#include "mapper/view/stand_in_dialogs_win.h"
#include "mapper/view/view_state.h"

class CGdiOffscreen;
class CVorMapperDoc;

class CVorMapperView : public vfw::CWnd, public vfw::IDocumentView, public vfw::ICommandTarget, public IViewHost {
public:
    explicit CVorMapperView(CVorMapperDoc& doc);
    ~CVorMapperView() override;

    bool Create(HWND parent, int id);
    CVorMapperDoc& GetDocument() const { return m_doc; }
    const CViewState& State() const { return m_state; }
    CMapInteraction& Interaction() { return m_interaction; }
    // The note of the state labels; repaints when it changes.
    void SetStateNote(const std::string& note);

    // The room sheet, link dialog, palette and label dialog; null puts the
    // stand-ins back. Not owned.
    void SetDialogs(IViewDialogs* dialogs) { m_interaction.SetDialogs(dialogs ? dialogs : &m_standIn); }

    // vfw::IDocumentView
    void OnUpdate(vfw::CDocument& doc, long hint) override;
    // vfw::ICommandTarget
    bool OnCommand(unsigned id) override;
    bool OnUpdateCommand(vfw::CCmdUI& ui) override;

    // A move of the character in a direction, as by a key or a rose click:
    // sent to the game when online, else made on the map.
    void MoveInDirection(Direction dir) { m_interaction.MoveInDirection(dir); }

    // IViewHost
    void Invalidate(bool now = false) override;
    void SetCapture() override;
    void ReleaseCapture() override;
    void ShowContextMenu(const CContextMenuPlan& plan, CPoint windowPoint) override;
    bool AskYesNo(const std::string& question) override;

    // The popup menu as built for the last context menu shown (destroyed after).
    // Tests replace the modal parts: the menu loop (returns the chosen
    // command, 0 for none) and the Yes/No box.
    std::function<UINT(HMENU menu, POINT screen)> m_runMenu;
    std::function<bool(const std::string&)> m_askYesNo;
    // Escape pressed in the view (a walk stops); before the interaction sees the key.
    std::function<void()> m_onEscape;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    int OnCreate();
    void OnDestroy();
    void OnPaint();

    CVorMapperDoc& m_doc;
    CViewState m_state;
    CStandInViewDialogs m_standIn;
    CMapInteraction m_interaction;
    bool m_bReleasing = false;  // our own ReleaseCapture: not a lost capture
    std::unique_ptr<CGdiOffscreen> m_back;  // the paint's bitmap, kept between paints
};

// The popup menu of the view: the planned groups of menu resource 133.
// Null when the resource is missing.
HMENU CreateContextMenu(const CContextMenuPlan& plan);
