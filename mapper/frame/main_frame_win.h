#pragma once
// The main frame window: toolbar, menu bar, the map view, docking into the
// client, the client's copy-data messages, the file commands and the close
// handling. The client-link logic lives in CClientLink, the mapping rules and
// the game settings in CMappingSession.
#include <string>

#include <windows.h>

#include "framework/win/window.h"
#include "mapper/dialogs/find_room_dialog_win.h"
#include "mapper/dialogs/view_dialogs_win.h"
#include "mapper/frame/client_link.h"
#include "mapper/model/history.h"
#include "mapper/navigation/walk.h"
#include "mapper/recovery/autosave_win.h"
#include "mapper/view/map_view_win.h"

class CVorMapperDoc;

// Posted to the frame to end it once the dialogs open at a quit have returned.
constexpr UINT UM_DESTROY_AFTER_DIALOGS = WM_APP + 0x2A1;

class CMainFrame : public vfw::CWnd,
                   public vfw::ICommandTarget,
                   public IClientChannel,
                   public IFollowNamePrompt,
                   public IMessageBoxes,
                   public IFrameWindow,
                   public IPlaneNamePrompt,
                   public IFindRoomActions,
                   public vfw::IDocumentView {
public:
    CMainFrame(CVorMapperDoc& doc, HWND client);
    ~CMainFrame() override;

    // Creates the frame hidden, with its toolbar and view, and announces it to the client.
    bool Create();
    // Shows the frame as a standalone window.
    void ShowStandalone();
    // Loads a map named on the command line or chosen by the user.
    bool OpenDocumentFile(const std::string& path);
    // The start-up question about unsaved maps of mappers no longer running;
    // true when one was restored as the current map.
    bool OfferRecovery();
    CAutosaveWin& Autosave() { return m_autosave; }

    CClientLink& Link() { return m_link; }
    CMappingSession& Session() { return m_session; }
    CVorMapperView& View() { return m_view; }
    bool IsAttached() const { return m_link.m_bAttached; }
    // The idle-time refresh of the toolbar's button states.
    void OnIdle();

    // vfw::ICommandTarget: view, document, undo history, client link, then the frame itself.
    bool OnCommand(unsigned id) override;
    bool OnUpdateCommand(vfw::CCmdUI& ui) override;

    // IClientChannel, IFollowNamePrompt, IMessageBoxes, IFrameWindow, IPlaneNamePrompt
    std::intptr_t SendCopyData(std::uintptr_t code, const void* data, std::uint32_t bytes) override;
    bool AskFollowName(std::string& name) override;
    void ShowInformation(const std::string& text, const std::string& caption) override;
    void DockIntoClient() override;
    void DestroyFrame() override;
    std::string AskPlaneName(const std::string& current) override;
    // IFindRoomActions, and "Walk here" (navigation_win.cpp)
    void ShowRoom(RoomId room) override;
    void WalkToRoom(RoomId room) override;
    CWalk& Walk() { return m_walk; }
    // vfw::IDocumentView: the title follows the document.
    void OnUpdate(vfw::CDocument& doc, long hint) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    int OnCreate();
    void OnSize();
    // Moved to a screen of another resolution: the window takes the place
    // and size the system suggests, and everything in it is laid out again.
    void OnDpiChanged(const RECT& suggested);
    void OnClose();
    LRESULT OnCopyData(const COPYDATASTRUCT* cds);
    LRESULT OnNotify(NMHDR* hdr);
    bool CreateToolbar();
    bool ToolbarShown() const;
    // The frame's own commands, each with its menu state.
    struct CCommandRow;
    static const CCommandRow* FindCommand(unsigned id);

    // Finding rooms and walking (navigation_win.cpp)
    void SetUpNavigation();
    void OnWalkHere();
    void OnFindRoom();
    void OnWalkChanged();

    // File commands (file_commands_win.cpp)
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    bool DoSave(const std::string& path);
    // Maps in other formats: Import opens one as a new, unnamed, modified
    // map; Export writes the map and leaves its file and modified flag alone.
    void OnFileImport();
    void OnFileExport();
    // The save-changes question: true when the user saved or chose not to.
    bool SaveModified();
    void UpdateTitle();

    CVorMapperDoc& m_doc;
    CMapHistory m_history;  // Edit menu's Undo and Redo
    CMappingSession m_session;  // the game settings and the mapping of commands and game lines
    CClientLink m_link;
    CVorMapperView m_view;
    CViewDialogsWin m_dialogs;  // room sheet, link dialog, palette, label for the view
    CAutosaveWin m_autosave;    // recovery copies, recovery at start-up, backups
    HWND m_hToolbar = nullptr;
    HMENU m_hMenu = nullptr;
    bool m_bToolbarVisible = true;
    std::string m_strPathName;  // empty: never saved
    CWalk m_walk{m_doc, &m_link};
};
