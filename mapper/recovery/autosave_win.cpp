#include "mapper/recovery/autosave_win.h"

#include "mapper/settings/program_settings.h"

namespace {
constexpr UINT_PTR kTimerId = 0x5A5E;  // the frame's only timer
constexpr UINT kTickMs = 1000;

class CMessageBoxPrompt : public IRecoveryPrompt {
public:
    explicit CMessageBoxPrompt(HWND owner) : m_hOwner(owner) {}
    bool AskRestore(const std::string& question) override
    {
        return ::MessageBoxA(m_hOwner, question.c_str(), "VorMapper", MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    void ReportUnreadable(const std::string& text) override
    {
        ::MessageBoxA(m_hOwner, text.c_str(), "VorMapper", MB_OK | MB_ICONEXCLAMATION);
    }

private:
    HWND m_hOwner;
};
}  // namespace

CAutosaveWin::CAutosaveWin(CVorMapperDoc& doc) : m_doc(doc)
{
    const std::string settings = GetProgramSettingsPath();
    m_settings = LoadAutosaveSettings(settings);
    m_folder = std::make_unique<CRecoveryFolder>(RecoveryFolderBeside(settings), PlatformFiles());
    m_autosave = std::make_unique<CAutosave>(doc, *m_folder, CurrentProcess(), m_settings.m_nInterval);
}

CAutosaveWin::~CAutosaveWin() = default;

void CAutosaveWin::Start(HWND frame, std::function<void(const std::string&)> onNote)
{
    m_hFrame = frame;
    m_onNote = std::move(onNote);
    if (m_settings.m_nInterval > 0)
        ::SetTimer(frame, kTimerId, kTickMs, nullptr);
}

bool CAutosaveWin::OnTimer(WPARAM id)
{
    if (id != kTimerId)
        return false;
    AfterStep();
    return true;
}

void CAutosaveWin::AfterStep() { Refresh(m_autosave->Poll(::GetTickCount64())); }

void CAutosaveWin::Refresh(bool noteChanged)
{
    if (noteChanged && m_onNote)
        m_onNote(m_autosave->Note());
}

void CAutosaveWin::OnMapReplaced(const std::string& path)
{
    const bool hadNote = !m_autosave->Note().empty();
    m_autosave->RemoveCopy();
    m_autosave->SetMapPath(path);
    Refresh(hadNote);
}

void CAutosaveWin::OnClosed()
{
    m_autosave->RemoveCopy();
    if (m_hFrame)
        ::KillTimer(m_hFrame, kTimerId);
}

CRestoredMap CAutosaveWin::OfferRecovery(HWND owner)
{
    CMessageBoxPrompt prompt(owner);
    const CRestoredMap r = RecoverAtStartup(m_doc, *m_folder, PlatformProcesses(), prompt);
    if (r.restored) {
        m_autosave->SetMapPath(r.mapPath);
        m_autosave->AdoptCopy(r.copyName);
    }
    return r;
}
