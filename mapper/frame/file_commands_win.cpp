// The document commands of the frame: New, Open, Save, Save As, the
// save-changes question and the title bar.
#include "mapper/frame/main_frame_win.h"

#include <commdlg.h>

#include "framework/win/modal.h"

#include "mapper/model/document.h"
#include "mapper/model/map_file.h"
#include "mapper/recovery/backups.h"

namespace {
const char kFilter[] = "VorMapper map (*.vmm)\0*.vmm\0All Files (*.*)\0*.*\0";
const char kAppTitle[] = "Vor Mapper";

// The platform's file dialog for opening or saving a map; empty when cancelled.
std::string AskFileName(HWND owner, bool save, const std::string& initial)
{
    char path[MAX_PATH] = "";
    lstrcpynA(path, initial.c_str(), sizeof path);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrDefExt = "vmm";
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    vfw::CModalRun run;
    const BOOL chosen = save ? ::GetSaveFileNameA(&ofn) : ::GetOpenFileNameA(&ofn);
    return chosen ? std::string(path) : std::string();
}

std::string FileTitle(const std::string& path)
{
    if (path.empty())
        return "Untitled";
    const std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

void CMainFrame::UpdateTitle()
{
    if (!m_hWnd)
        return;
    const std::string title = FileTitle(m_strPathName) + " - " + kAppTitle;
    char current[512] = "";
    ::GetWindowTextA(m_hWnd, current, sizeof current);
    if (title != current)
        ::SetWindowTextA(m_hWnd, title.c_str());
}

bool CMainFrame::SaveModified()
{
    if (!m_doc.IsModified())
        return true;
    const std::string question = "Save changes to " + FileTitle(m_strPathName) + "?";
    vfw::CModalRun run;
    switch (::MessageBoxA(m_hWnd, question.c_str(), "VorMapper", MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
        return OnFileSave();
    case IDNO:
        return true;
    default:
        return false;
    }
}

void CMainFrame::OnFileNew()
{
    if (!SaveModified())
        return;
    m_autosave.OnMapReplaced("");
    m_doc.OnNewDocument();
    m_strPathName.clear();
    UpdateTitle();
}

void CMainFrame::OnFileOpen()
{
    if (!SaveModified())
        return;
    m_autosave.OnMapReplaced(m_strPathName);
    const std::string path = AskFileName(m_hWnd, false, "");
    if (!path.empty())
        OpenDocumentFile(path);
}

bool CMainFrame::OpenDocumentFile(const std::string& path)
{
    std::string error;
    if (!LoadMapFile(m_doc, path, error)) {
        // The document is as after New; say why.
        m_strPathName.clear();
        m_autosave.SetMapPath("");
        UpdateTitle();
        const std::string text = "Failed to open document.\n" + path + ":\n" + error;
        ::MessageBoxA(m_hWnd, text.c_str(), "VorMapper", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    m_strPathName = path;
    m_autosave.SetMapPath(path);
    UpdateTitle();
    m_view.Invalidate();
    return true;
}

bool CMainFrame::OfferRecovery()
{
    const CRestoredMap restored = m_autosave.OfferRecovery(m_hWnd);
    if (!restored.restored)
        return false;
    m_strPathName = restored.mapPath;
    UpdateTitle();
    m_view.Invalidate();
    return true;
}

bool CMainFrame::OnFileSave()
{
    if (m_strPathName.empty())
        return OnFileSaveAs();
    return DoSave(m_strPathName);
}

bool CMainFrame::OnFileSaveAs()
{
    const std::string path = AskFileName(m_hWnd, true, m_strPathName);
    return !path.empty() && DoSave(path);
}

bool CMainFrame::DoSave(const std::string& path)
{
    std::string error;
    if (!SaveMapFileWithBackups(m_doc, path, m_autosave.Backups(), error)) {
        // The old file, if any, is untouched.
        const std::string text = "Failed to save document.\n" + error;
        ::MessageBoxA(m_hWnd, text.c_str(), "VorMapper", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    m_strPathName = path;
    m_autosave.OnMapReplaced(path);
    UpdateTitle();
    return true;
}
