// The document commands of the frame: New, Open, Save, Save As, Import,
// Export, the save-changes question and the title bar.
#include "mapper/frame/main_frame_win.h"

#include <commdlg.h>

#include "framework/win/modal.h"

#include "mapper/formats/format_choice.h"
#include "mapper/model/document.h"
#include "mapper/model/map_file.h"
#include "mapper/recovery/backups.h"

namespace {
const char kFilter[] = "VorMapper map (*.vmm)\0*.vmm\0All Files (*.*)\0*.*\0";
const char kAppTitle[] = "Vor Mapper";

// The platform's file dialog for opening or saving a map; empty when
// cancelled. `filter` is the dialog's list of pairs (description, patterns),
// each ended by a NUL; `filterIndex`, when given, receives the chosen one.
std::string AskFileName(HWND owner, bool save, const std::string& initial, const char* filter = kFilter,
                        const char* defaultExtension = "vmm", unsigned* filterIndex = nullptr)
{
    char path[MAX_PATH] = "";
    lstrcpynA(path, initial.c_str(), sizeof path);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrDefExt = defaultExtension;
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    vfw::CModalRun run;
    const BOOL chosen = save ? ::GetSaveFileNameA(&ofn) : ::GetOpenFileNameA(&ofn);
    if (filterIndex)
        *filterIndex = ofn.nFilterIndex;
    return chosen ? std::string(path) : std::string();
}

// The file dialog of an import or export, offering the formats of the
// choice: the chosen path and its format (an empty path when cancelled; a
// null format when the path names none).
std::string AskFormatFile(HWND owner, const CFormatChoice& choice, const IMapFormat*& format)
{
    std::string filter;
    for (const CFormatFilter& f : choice.Filters())
        filter += f.m_strDescription + '\0' + f.m_strPatterns + '\0';
    unsigned index = 0;
    std::string path = AskFileName(owner, choice.Writing(), "", filter.c_str(), nullptr, &index);
    format = path.empty() ? nullptr : choice.Format(index, path);
    if (format && choice.Writing())
        path = CFormatChoice::WithExtension(path, *format);
    return path;
}

void TellNotCarried(HWND owner, const CFormatReport& report, const std::string& what)
{
    const std::string text = NotCarriedMessage(report, what);
    if (!text.empty())
        ::MessageBoxA(owner, text.c_str(), "VorMapper", MB_OK | MB_ICONINFORMATION);
}

void TellFailure(HWND owner, const std::string& what, const std::string& path, const std::string& error)
{
    const std::string text = what + "\n" + path + ":\n" + error;
    ::MessageBoxA(owner, text.c_str(), "VorMapper", MB_OK | MB_ICONEXCLAMATION);
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

void CMainFrame::OnFileImport()
{
    if (!SaveModified())
        return;
    const CFormatChoice choice(false);
    const IMapFormat* format = nullptr;
    const std::string path = AskFormatFile(m_hWnd, choice, format);
    if (path.empty())
        return;
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!format)
        error = "the file's extension names no map format that can be imported";
    else if (ReadFileBytes(path, bytes, error)) {
        // Read beside the map on view, which stays as it is if the file
        // cannot be read; the map read is then taken whole, as an Open.
        CVorMapperDoc imported;
        CFormatReport report;
        if (format->Read(imported, bytes.data(), bytes.size(), report, error) &&
            (bytes = SaveMapBytes(imported), LoadMapBytes(m_doc, bytes.data(), bytes.size(), error))) {
            m_doc.SetModifiedFlag(true);
            m_strPathName.clear();
            m_autosave.OnMapReplaced("");
            UpdateTitle();
            m_view.Invalidate();
            TellNotCarried(m_hWnd, report, "The import");
            return;
        }
    }
    TellFailure(m_hWnd, "Failed to import map.", path, error);
}

void CMainFrame::OnFileExport()
{
    const CFormatChoice choice(true);
    const IMapFormat* format = nullptr;
    const std::string path = AskFormatFile(m_hWnd, choice, format);
    if (path.empty())
        return;
    std::vector<std::uint8_t> bytes;
    CFormatReport report;
    std::string error;
    if (!format)
        error = "the file's extension names no map format that can be exported";
    else if (format->Write(m_doc, bytes, report, error) && WriteFileReplacing(path, bytes, error)) {
        TellNotCarried(m_hWnd, report, "The export");
        return;
    }
    TellFailure(m_hWnd, "Failed to export map.", path, error);
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
