#include "tools/playclient/client_win.h"

#include <algorithm>

#include "framework/win/window_dpi.h"

#include "tools/playclient/command_text.h"
#include "tools/playclient/menu_names.h"

namespace {
const char kMainClass[] = "PlayClientMain";
constexpr UINT_PTR kWatchTimer = 1, kScriptTimer = 2;

}  // namespace

CPlayClient::CPlayClient(CClientOptions options) : m_options(std::move(options)) {}

void CPlayClient::OnDpiChanged(int dpi, const RECT* suggested)
{
    if (dpi <= 0 || dpi == m_nDpi)
        return;
    m_nDepth = ::MulDiv(m_nDepth, dpi, m_nDpi);
    m_nDpi = dpi;
    if (suggested)
        ::SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutWindows();
}

bool CPlayClient::Create(std::string& error)
{
    if (!m_options.log.empty())
        m_hLog = ::CreateFileA(m_options.log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    HINSTANCE inst = ::GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = inst;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kMainClass;
    ::RegisterClassA(&wc);
    const std::string title = "playclient - " + (m_options.port ? m_options.host + ":" + std::to_string(m_options.port)
                                                                : std::string("not connected"));
    // 1180 x 900 at 96 dpi, in proportion at others, as far as the screen holds.
    const int dpi = vfw::SystemResolution();
    RECT work{0, 0, ScaleToDpi(1180, dpi), ScaleToDpi(900, dpi)};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int width = std::min<int>(ScaleToDpi(1180, dpi), work.right - work.left);
    const int height = std::min<int>(ScaleToDpi(900, dpi), work.bottom - work.top);
    m_hWnd = ::CreateWindowExA(0, kMainClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, width,
                               height, nullptr, nullptr, inst, this);
    if (m_hWnd) {
        m_nDpi = vfw::ResolutionOf(m_hWnd);
        m_nDepth = ScaleToDpi(m_nDepth, m_nDpi);
    }
    if (!m_hWnd || !m_game.Create(m_hWnd)) {
        error = "cannot create the client's windows";
        return false;
    }
    SetUpDocking();
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    LayOutWindows();
    ::ShowWindow(m_game.Window(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(m_hWnd);
    m_game.FocusInput();
    Report("playclient: type game commands below; /help lists the client's own");
    if (!m_options.walk.empty()) {
        HANDLE f = ::CreateFileA(m_options.walk.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                 nullptr);
        std::string text;
        if (f != INVALID_HANDLE_VALUE) {
            char buf[4096];
            DWORD n = 0;
            while (::ReadFile(f, buf, sizeof buf, &n, nullptr) && n > 0)
                text.append(buf, n);
            ::CloseHandle(f);
            m_walk = ParseWalk(text);
            Report("walking " + std::to_string(m_walk.size()) + " commands from " + m_options.walk);
        } else {
            Report("cannot read the walk file " + m_options.walk);
        }
    }
    StartMapper();
    if (IsProxy())
        StartProxy();
    else if (m_options.port)
        Connect(m_options.host, m_options.port);
    ::SetTimer(m_hWnd, kWatchTimer, 250, nullptr);
    ::SetTimer(m_hWnd, kScriptTimer, 100, nullptr);
    return true;
}

int CPlayClient::Run()
{
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (m_dock.IsLoaded()) {
        m_dock.StopHook();
        m_dock.Unload();
    }
    m_conn.Close();
    m_proxy.Close();
    if (m_hLog != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_hLog);
    return 0;
}

void CPlayClient::Report(const std::string& text)
{
    const std::string line = "% " + text;
    if (m_game.Window())
        m_game.Append(line);
    const std::string out = line + "\r\n";
    DWORD n = 0;
    if (m_hLog != INVALID_HANDLE_VALUE)
        ::WriteFile(m_hLog, out.data(), static_cast<DWORD>(out.size()), &n, nullptr);
    if (HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE); err && err != INVALID_HANDLE_VALUE)
        ::WriteFile(err, out.data(), static_cast<DWORD>(out.size()), &n, nullptr);
}

// ---------------------------------------------------------------- game and typing

void CPlayClient::Connect(const std::string& host, int port)
{
    std::string error;
    Report("connecting to " + host + ":" + std::to_string(port));
    if (!m_conn.Open(m_hWnd, host, port, error))
        Report(error);
}

void CPlayClient::GameLine(const CGameLine& line)
{
    // The prompt shown so far is the start of this line: take it off first,
    // or it would show twice while the mapper hears of the line.
    m_game.SetPending(std::string());
    m_game.Append(line.text);
    if (m_hLog != INVALID_HANDLE_VALUE) {
        const std::string out = line.text + "\r\n";
        DWORD n = 0;
        ::WriteFile(m_hLog, out.data(), static_cast<DWORD>(out.size()), &n, nullptr);
    }
    if (line.Cut())
        Report("a line of " + std::to_string(line.length) + " bytes from the game was cut to " +
               std::to_string(line.text.size()));
    // One message per line, in the order the game sent them.
    if (m_mapper.m_bOnline)
        SendTextToMapper(CD_TEXT_LINE, line.text);
}

void CPlayClient::OnSocket(WPARAM wp, LPARAM lp)
{
    if (IsProxy()) {
        ProxyGame(wp, lp);
        return;
    }
    std::vector<CGameLine> lines;
    std::vector<std::string> reports;
    m_conn.OnEvent(wp, lp, lines, reports);
    for (const CGameLine& line : lines)
        GameLine(line);
    for (const std::string& r : reports)
        Report(r);
    // A prompt has no line end: show it until its line is complete.
    m_game.SetPending(m_conn.IsOpen() ? m_conn.Pending() : std::string());
}

void CPlayClient::Type(const std::string& typed, bool fromMapper)
{
    const std::string command(CommandText(typed));
    if (!fromMapper && !command.empty() && command[0] == '/' && ClientCommand(command))
        return;
    if (IsProxy()) {
        if (fromMapper) {
            ProxyMapperCommand(command);
        } else {
            Report("in proxy mode the game is played from your own client: connect it to 127.0.0.1:" +
                   std::to_string(m_options.listen));
        }
        return;
    }
    Command(command);
    std::string error;
    if (!m_conn.Send(GameBytes(command), error))
        Report(error + ": '" + command + "' was not sent");
}

void CPlayClient::Command(const std::string& command)
{
    m_game.Append("> " + command);
    if (m_hLog != INVALID_HANDLE_VALUE) {
        const std::string out = "> " + command + "\r\n";
        DWORD n = 0;
        ::WriteFile(m_hLog, out.data(), static_cast<DWORD>(out.size()), &n, nullptr);
    }
    // The mapper hears of the command before the game answers it, also of
    // the commands it sent itself: that is how its own moves get mapped.
    if (m_mapper.m_bOnline)
        SendTextToMapper(CD_COMMAND, command);
}

bool CPlayClient::ClientCommand(const std::string& text)
{
    const std::size_t blank = text.find(' ');
    const std::string word = text.substr(1, blank == std::string::npos ? std::string::npos : blank - 1);
    const std::string rest = blank == std::string::npos ? "" : text.substr(blank + 1);
    if (word == "help") {
        Report("/connect [HOST PORT]  connect (again) to the game");
        Report("/mapper               start the mapper again after it ended");
        Report("/map NAME             a mapper menu command: " + MenuCommandNames());
        Report("/quit                 close the mapper (it offers to save) and the client");
        Report("//text                sends '/text' to the game");
    } else if (word == "connect" && IsProxy()) {
        Report("in proxy mode the game connection opens when your client connects to 127.0.0.1:" +
               std::to_string(m_options.listen));
    } else if (word == "connect") {
        std::string host = m_options.host;
        int port = m_options.port;
        if (!rest.empty()) {
            const std::size_t b = rest.find(' ');
            host = rest.substr(0, b);
            port = b == std::string::npos ? 0 : std::atoi(rest.c_str() + b + 1);
        }
        if (port <= 0 || port > 65535)
            Report("usage: /connect HOST PORT");
        else
            Connect(host, port);
    } else if (word == "mapper") {
        StartMapper();
    } else if (word == "map") {
        if (const unsigned id = MenuCommandId(rest); id && m_mapper.m_hWnd)
            ::PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);  // the way the menu bar sends it
        else
            Report(m_mapper.m_hWnd ? "no mapper command '" + rest + "'; known: " + MenuCommandNames()
                                   : "the mapper is not running");
    } else if (word == "quit") {
        ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
    } else if (text.size() > 1 && text[1] == '/') {
        Type(text.substr(1), true);  // the escape: sent as typed, without the client's reading
    } else {
        Report("unknown client command " + text + " (try /help)");
    }
    return true;
}

// ---------------------------------------------------------------- messages

LRESULT CPlayClient::OnMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case UM_MAPPER_WINDOW:
        // A handle from a mapper of either kind: its 32 significant bits,
        // sign-extended as the system extends handles.
        m_mapper.m_hWnd = static_cast<HWND>(LongToHandle(static_cast<LONG>(wp)));
        // The mapper is still creating its window: dock it afterwards.
        ::PostMessageA(m_hWnd, WM_APP_MAPPER_READY, 0, 0);
        return 0;
    case WM_APP_MAPPER_READY:
        OnMapperReady();
        return 0;
    case WM_APP_MAPPER_COMMAND:
        while (!m_fromMapper.empty()) {
            const std::string command = m_fromMapper.front();
            m_fromMapper.pop_front();
            Type(command, true);
        }
        return 0;
    case WM_APP_TYPED:
        if (!m_game.IsReadOnly())
            Type(m_game.TakeInput(), false);
        return 0;
    case WM_APP_PROXY:
        OnProxy(wp, lp);
        return 0;
    case WM_APP_SOCKET:
        OnSocket(wp, lp);
        return 0;
    case WM_COPYDATA:
        return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lp));
    case WM_COMMAND:
        // The menu bar is the mapper's: its commands go to the mapper.
        if (lp == 0 && m_mapper.m_hWnd)
            RouteCommand(LOWORD(wp));
        return 0;
    case WM_INITMENUPOPUP:
        if (m_mapper.m_hWnd) {
            DWORD_PTR r = 0;
            ::SendMessageTimeoutA(m_mapper.m_hWnd, msg, wp, lp, SMTO_ABORTIFHUNG, 2000, &r);
        }
        return 0;
    case WM_TIMER:
        if (wp == kWatchTimer) {
            CheckMapper();
            if (IsProxy())
                ProxyIdle();
        }
        else if (wp == kScriptTimer)
            OnScriptTimer();
        return 0;
    case WM_SIZE:
    case WM_MOVE:
        LayOutWindows();
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wp), reinterpret_cast<const RECT*>(lp));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE)
            m_game.FocusInput();
        return 0;
    case WM_CLOSE:
        if (m_mapper.IsRunning()) {
            if (m_bClosing) {
                QuitMapper();  // asked twice: no more questions
            } else {
                m_bClosing = true;
                CloseMapper();
            }
            return 0;
        }
        ::DestroyWindow(m_hWnd);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(m_hWnd, msg, wp, lp);
    }
}

LRESULT CALLBACK CPlayClient::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<CPlayClient*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->m_hWnd = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CPlayClient*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return self ? self->OnMessage(msg, wp, lp) : ::DefWindowProcA(hwnd, msg, wp, lp);
}
