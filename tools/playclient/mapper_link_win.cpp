// The client's side of the mapper link: starting the mapper, docking it and
// switching it online, the copy-data messages both ways, and its end.
#include "tools/playclient/client_win.h"

#include "tools/playclient/command_text.h"
#include "tools/playclient/menu_names.h"

namespace {
constexpr UINT kMapperTimeoutMs = 10000;
}  // namespace

void CPlayClient::StartMapper()
{
    const std::string exe = m_options.mapper.empty() ? ProgramDir() + "VorMapper.exe" : m_options.mapper;
    std::string error;
    if (!m_mapper.Start(exe, m_hWnd, error)) {
        Report(error);
        return;
    }
    Report("mapper started: " + exe + " (process " + std::to_string(m_mapper.ProcessId()) + ")");
}

void CPlayClient::OnMapperReady()
{
    if (!m_mapper.m_hWnd)
        return;
    std::string dir = m_options.settingsDir.empty() ? ProgramDir() : m_options.settingsDir;
    if (!dir.empty() && dir.back() != '\\' && dir.back() != '/')
        dir += '\\';
    // The settings folder comes before online mode, which reads it; docking too.
    const bool ok = SendTextToMapper(CD_SETTINGS_DIR, dir) && SendToMapper(CD_ATTACH, nullptr, 0) &&
                    SendToMapper(CD_ONLINE, nullptr, 0);
    if (!ok)
        return;
    m_mapper.m_bOnline = true;
    m_bMapperOverlay = false;
    if (RunningOnWine() && !m_options.childMapper)
        OverlayMapper();
    LayOutWindows();
    RECT mr = {};
    ::GetWindowRect(m_mapper.m_hWnd, &mr);
    Report("mapper docked and online (settings in " + dir + "); its window is " +
           (::GetAncestor(m_mapper.m_hWnd, GA_PARENT) == m_hWnd ? "inside the client, "
            : m_bMapperOverlay                     ? "over the client's map area, "
                                                   : "NOT inside the client, ") +
           (::IsWindowVisible(m_mapper.m_hWnd) ? "visible" : "hidden") + " at " + std::to_string(mr.left) + "," +
           std::to_string(mr.top) + " " + std::to_string(mr.right - mr.left) + "x" + std::to_string(mr.bottom - mr.top));
    Report(::GetMenu(m_hWnd) ? "the mapper's menu bar is on the client's window; its commands go to the mapper"
                             : "the mapper handed over no menu bar");
    if (m_options.trace) {
        // As if chosen from the mapper's menu bar on this window.
        ::PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(MenuCommandId("trace"), 0), 0);
        Report("mapper in trace mode: rooms are made as you walk");
    }
    m_game.FocusInput();
}

bool CPlayClient::SendToMapper(ULONG_PTR code, const void* data, DWORD bytes)
{
    if (!m_mapper.m_hWnd)
        return false;
    COPYDATASTRUCT cds;
    cds.dwData = code;
    cds.cbData = bytes;
    cds.lpData = const_cast<void*>(data);
    DWORD_PTR reply = 0;
    if (!::SendMessageTimeoutA(m_mapper.m_hWnd, WM_COPYDATA, reinterpret_cast<WPARAM>(m_hWnd),
                               reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL | SMTO_ABORTIFHUNG, kMapperTimeoutMs,
                               &reply)) {
        if (!::IsWindow(m_mapper.m_hWnd)) {
            m_mapper.m_hWnd = nullptr;
            m_mapper.m_bOnline = false;
            Report("the mapper's window is gone");
        } else {
            Report("the mapper did not answer message " + std::to_string(code));
        }
        return false;
    }
    return true;
}

bool CPlayClient::SendTextToMapper(ULONG_PTR code, const std::string& text)
{
    return SendToMapper(code, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void CPlayClient::RouteCommand(unsigned id) const
{
    // Posted: a command may open a modal dialog in the mapper, and the client
    // must not wait for it.
    if (m_mapper.m_hWnd)
        ::PostMessageA(m_mapper.m_hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void CPlayClient::CheckMapper()
{
    DWORD code = 0;
    const bool expected = m_mapper.m_bEnding;
    if (!m_mapper.CheckEnded(code))
        return;
    if (::GetMenu(m_hWnd))
        ::SetMenu(m_hWnd, nullptr);  // the mapper's menu bar went with it
    LayOutWindows();
    if (expected)
        Report("the mapper has ended");
    else
        Report("the mapper ended without being asked to (exit code " + std::to_string(code) +
               "); the game goes on, /mapper starts it again");
    if (m_bClosing)
        ::DestroyWindow(m_hWnd);
}

void CPlayClient::QuitMapper()
{
    if (!m_mapper.IsRunning())
        return;
    m_mapper.m_bEnding = true;
    SendToMapper(CD_QUIT, nullptr, 0);
}

void CPlayClient::CloseMapper()
{
    // As if the user closed it: the mapper asks about unsaved changes.
    m_mapper.m_bEnding = true;
    if (m_mapper.m_hWnd)
        ::PostMessageA(m_mapper.m_hWnd, WM_CLOSE, 0, 0);
    else
        m_mapper.Terminate();
}

LRESULT CPlayClient::OnCopyData(const COPYDATASTRUCT* cds)
{
    if (!cds || cds->dwData != CD_COMMAND)
        return 0;
    // A move the user made on the map: queued, so that it is handled after
    // the mapper's send has returned.
    const char* p = static_cast<const char*>(cds->lpData);
    m_fromMapper.emplace_back(p ? std::string(CommandText(std::string_view(p, cds->cbData))) : std::string());
    ::PostMessageA(m_hWnd, WM_APP_MAPPER_COMMAND, 0, 0);
    return 1;
}

