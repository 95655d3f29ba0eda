#pragma once
// The client's windows and links: the main window that the mapper docks
// into, the game window (output pane and command line) that the docking
// library lets the user dock or float, the game connection, the mapper's
// process and the docking library.
#include <winsock2.h>
#include <windows.h>

#include <deque>
#include <type_traits>
#include <string>
#include <vector>

#include "framework/dpi_scale.h"
#include "mapper/frame/client_protocol.h"
#include "tools/playclient/client_options.h"
#include "tools/playclient/line_assembler.h"
#include "tools/playclient/proxy_relay.h"
#include "tools/playclient/telnet_filter.h"

// The messages between the client and the mapper are those of
// client_protocol.h; these are the client's own.
enum : UINT {
    WM_APP_SOCKET = WM_APP + 1,        // socket events
    WM_APP_MAPPER_READY,               // the mapper announced its window
    WM_APP_MAPPER_COMMAND,             // a command the mapper sent is queued
    WM_APP_TYPED,                      // the command line was entered
    WM_APP_PROXY,                      // events of the proxy's listening and client sockets
};

// The folder of the client's executable, with its last backslash.
std::string ProgramDir();

// True under Wine, where a window of another process cannot paint inside ours.
bool RunningOnWine();

// The game window: an owned tool window with a scrolling output pane and a
// one-line command line.
class CGameWindow {
public:
    bool Create(HWND owner);
    HWND Window() const { return m_hWnd; }
    void Append(const std::string& line);  // one line, without its end
    // The unfinished last line (a prompt), shown after the lines until it
    // is finished or replaced; empty: none.
    void SetPending(const std::string& text);
    std::string TakeInput();
    void FocusInput() const;
    // While a client of the player's own plays through the proxy: the
    // command line is read-only and shows `note`; empty: typing again.
    void SetReadOnly(const std::string& note);
    bool IsReadOnly() const { return m_bReadOnly; }

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK InputProc(HWND, UINT, WPARAM, LPARAM);
    void OnSize() const;
    // The panes' font for the window's screen resolution.
    void FitToDpi();
    int AppendRaw(const std::string& line);  // returns where the text was put

    std::string m_strPending;
    int m_nPendingStart = -1;
    bool m_bReadOnly = false;

    HWND m_hWnd = nullptr;
    HWND m_hOutput = nullptr;
    HWND m_hInput = nullptr;
    HWND m_hOwner = nullptr;
    HFONT m_hFont = nullptr;
    bool m_bOwnFont = false;  // made for a resolution other than the system's
    WNDPROC m_pfnInput = nullptr;
};

// The game over TCP: telnet refused, text filtered, cut into lines.
class CGameConnection {
public:
    // Raw: the bytes read are kept for `TakeRaw` instead of being filtered
    // and answered (proxy mode, where the player's client does that).
    bool Open(HWND notify, const std::string& host, int port, std::string& error, bool raw = false);
    std::string TakeRaw() { return std::move(m_strRaw); }
    void Close();
    bool IsOpen() const { return m_socket != INVALID_SOCKET; }
    bool IsConnected() const { return m_bConnected; }
    // Handles a socket event; the lines read are appended to `lines`, what
    // the user should know to `reports`.
    void OnEvent(WPARAM wp, LPARAM lp, std::vector<CGameLine>& lines, std::vector<std::string>& reports);
    bool Send(const std::string& bytes, std::string& error);
    DWORD LastDataTick() const { return m_dwLastData; }
    const std::string& Pending() const { return m_lines.Pending(); }
    std::string Name() const { return m_strHost + ":" + std::to_string(m_nPort); }

private:
    // Reads what is there; false when the game has closed the connection.
    bool ReadAll(std::vector<CGameLine>& lines, std::vector<std::string>& reports);
    void Ended(int error, std::vector<CGameLine>& lines, std::vector<std::string>& reports);

    SOCKET m_socket = INVALID_SOCKET;
    bool m_bConnected = false;
    std::string m_strHost;
    int m_nPort = 0;
    CTelnetFilter m_filter;
    CLineAssembler m_lines;
    DWORD m_dwLastData = 0;
    bool m_bRaw = false;
    std::string m_strRaw;
};

// Proxy mode's sockets: listening on 127.0.0.1 for the player's own client,
// and the one client connected. What goes to the client is queued and sent
// as the socket takes it.
class CProxyServer {
public:
    enum class EEvent { None, Accepted, Data, Closed };
    bool Listen(HWND notify, int port, std::string& error);
    void Close();
    bool HasClient() const { return m_client != INVALID_SOCKET; }
    // Sends what is queued, then closes the client's connection.
    void DropClient();
    // Handles a socket event; bytes read go to `data`, notes to `reports`.
    EEvent OnEvent(WPARAM wp, LPARAM lp, std::string& data, std::vector<std::string>& reports);
    void Send(const std::string& bytes);
    const std::string& ClientName() const { return m_strClient; }
    int Port() const { return m_nPort; }

private:
    void Flush();

    HWND m_hNotify = nullptr;
    SOCKET m_listen = INVALID_SOCKET;
    SOCKET m_client = INVALID_SOCKET;
    int m_nPort = 0;
    std::string m_strClient;
    std::string m_strOut;
};

// The mapper's process and window.
class CMapperProcess {
public:
    CMapperProcess();
    ~CMapperProcess();
    bool Start(const std::string& exe, HWND client, std::string& error);
    bool IsRunning() const;
    // True once when the process has ended; gives its exit code.
    bool CheckEnded(DWORD& exitCode);
    void Terminate();
    DWORD ProcessId() const { return m_pi.dwProcessId; }

    HWND m_hWnd = nullptr;  // announced by the mapper (UM_MAPPER_WINDOW)
    bool m_bOnline = false;
    bool m_bEnding = false;  // the client asked it to end

private:
    HANDLE m_hJob = nullptr;
    PROCESS_INFORMATION m_pi = {};
};

// The docking library, loaded at run time.
class CDockingLibrary {
public:
    bool Load(const std::string& path, std::string& error);
    void Unload();
    bool IsLoaded() const { return m_hLib != nullptr; }

    HHOOK(WINAPI* StartHook)(HWND, HWND, HWND, DWORD) = nullptr;
    BOOL(WINAPI* StopHook)() = nullptr;
    int(WINAPI* SetDockable)(HWND, const char*) = nullptr;
    int(WINAPI* SetDocked)(HWND) = nullptr;
    LONG(WINAPI* SetOwner)(HWND, HWND) = nullptr;
    int(WINAPI* SetDockingRects)(int, const RECT*, int) = nullptr;
    int(WINAPI* CheckDocked)(HWND) = nullptr;

private:
    HMODULE m_hLib = nullptr;
};

// The whole client.
class CPlayClient {
public:
    explicit CPlayClient(CClientOptions options);
    bool Create(std::string& error);
    int Run();

    void Report(const std::string& text);  // a line of the client's own, in the pane

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK DockNotifyProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnCopyData(const COPYDATASTRUCT* cds);

    // Game and typing.
    void Connect(const std::string& host, int port);
    void OnSocket(WPARAM wp, LPARAM lp);
    void GameLine(const CGameLine& line);  // a line of the game's: the pane, the log, the mapper
    void Command(const std::string& command);  // a command on its way: the pane, the log, the mapper
    void Type(const std::string& text, bool fromMapper);
    bool ClientCommand(const std::string& text);

    // Mapper.
    void StartMapper();
    void OnMapperReady();
    bool SendToMapper(ULONG_PTR code, const void* data, DWORD bytes);
    bool SendTextToMapper(ULONG_PTR code, const std::string& text);
    void RouteCommand(unsigned id) const;
    void CheckMapper();
    void QuitMapper();
    void CloseMapper();

    // Docking.
    void SetUpDocking();
    void OnDockNotify(UINT msg, WPARAM wp, LPARAM lp);
    void LayOutWindows();
    void OverlayMapper();

    // Proxy mode: the player's own client plays through this one.
    bool IsProxy() const { return m_options.listen != 0; }
    void StartProxy();
    void OnProxy(WPARAM wp, LPARAM lp);
    void ProxyGame(WPARAM wp, LPARAM lp);  // a socket event of the game connection in proxy mode
    void ProxyMapperCommand(const std::string& command);
    void ProxyClientGone(const std::string& why);
    void ProxyIdle();  // on the watch timer: echoes waiting behind a prompt, commands behind a CR

    // The scripted part: walk, save, ready and quit files.
    void OnScriptTimer();
    bool StepSave();
    // The window on a screen of another resolution: the docked depth in
    // proportion, the size the system proposes, the panes laid out again.
    void OnDpiChanged(int dpi, const RECT* suggested);

    CClientOptions m_options;
    HWND m_hWnd = nullptr;
    HWND m_hDockNotify = nullptr;
    CGameWindow m_game;
    CGameConnection m_conn;
    CMapperProcess m_mapper;
    CDockingLibrary m_dock;
    int m_nSide = 4;  // the game window starts docked at the bottom
    int m_nDepth = 300;  // at 96 dpi until the window is made
    int m_nDpi = kDefaultDpi;  // the main window's screen resolution
    std::deque<std::string> m_fromMapper;
    std::vector<std::string> m_walk;
    std::size_t m_nWalked = 0;
    DWORD m_dwLastStep = 0;
    enum class EScript { Walk, Save, SaveDialog, SaveWait, Ready, Done } m_script = EScript::Walk;
    DWORD m_dwScriptTick = 0;
    bool m_bClosing = false;
    bool m_bMapperOverlay = false;  // the mapper lies over the map area instead of inside it
    HANDLE m_hLog = INVALID_HANDLE_VALUE;
    CProxyServer m_proxy;
    CProxyRelay m_relay;
    std::string m_strToGame;  // from the client before the game connection is up
    DWORD m_dwClientData = 0;  // when the client last sent something
};
