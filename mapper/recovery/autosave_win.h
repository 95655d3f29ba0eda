#pragma once
// The Windows side of autosave, recovery and backups, for the main frame: a
// one-second timer that drives the autosave, the start-up question, and the
// settings. The decisions are made by the portable classes it holds.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "mapper/recovery/autosave.h"
#include "mapper/recovery/autosave_settings.h"
#include "mapper/recovery/startup_recovery.h"

class CAutosaveWin {
public:
    explicit CAutosaveWin(CVorMapperDoc& doc);
    ~CAutosaveWin();

    // Reads the settings and starts the timer on the frame. `onNote` is told
    // the state-label note whenever it changes.
    void Start(HWND frame, std::function<void(const std::string&)> onNote);
    // WM_TIMER: true when the timer was ours.
    bool OnTimer(WPARAM id);
    // After a command or a client message.
    void AfterStep();
    // The map now belongs to `path` (empty: none) and the old copy, if any,
    // is removed: after a save, New or Open.
    void OnMapReplaced(const std::string& path);
    // The map's file after an Open (its copy, if any, went at the save question).
    void SetMapPath(const std::string& path) { m_autosave->SetMapPath(path); }
    // A normal close: the copy goes.
    void OnClosed();
    int Backups() const { return m_settings.m_nBackups; }
    // The start-up question about copies left by mappers no longer running.
    CRestoredMap OfferRecovery(HWND owner);
    CAutosave& Core() { return *m_autosave; }

private:
    void Refresh(bool noteChanged);

    CVorMapperDoc& m_doc;
    CAutosaveSettings m_settings;
    std::unique_ptr<CRecoveryFolder> m_folder;
    std::unique_ptr<CAutosave> m_autosave;
    HWND m_hFrame = nullptr;
    std::function<void(const std::string&)> m_onNote;
};
