// Proxy mode: the player's own client connects to 127.0.0.1 and plays
// through this client, which passes every byte on both ways and feeds the
// mapper a copy. The stream logic is CProxyRelay's; this is the sockets.
#include <ws2tcpip.h>

#include "tools/playclient/client_win.h"

namespace {
constexpr std::size_t kMaxQueued = 64u << 20;  // a client that reads nothing is dropped beyond this
constexpr DWORD kEchoQuietMs = 500;  // what waits behind a prompt or a last CR goes out after this much silence

std::string PeerName(const sockaddr_in& a)
{
    char host[INET_ADDRSTRLEN] = "?";
    ::inet_ntop(AF_INET, &a.sin_addr, host, sizeof host);
    return std::string(host) + ":" + std::to_string(ntohs(a.sin_port));
}
}  // namespace

// ---------------------------------------------------------------- sockets

bool CProxyServer::Listen(HWND notify, int port, std::string& error)
{
    Close();
    m_hNotify = notify;
    m_nPort = port;
    m_listen = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (m_listen == INVALID_SOCKET) {
        error = "cannot make a socket (error " + std::to_string(::WSAGetLastError()) + ")";
        return false;
    }
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // this machine only
    a.sin_port = htons(static_cast<u_short>(port));
    if (::bind(m_listen, reinterpret_cast<const sockaddr*>(&a), sizeof a) == SOCKET_ERROR ||
        ::listen(m_listen, 4) == SOCKET_ERROR) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(port) + " (error " +
                std::to_string(::WSAGetLastError()) + "); is the port taken?";
        Close();
        return false;
    }
    ::WSAAsyncSelect(m_listen, notify, WM_APP_PROXY, FD_ACCEPT);
    return true;
}

void CProxyServer::Close()
{
    if (m_client != INVALID_SOCKET)
        ::closesocket(m_client);
    if (m_listen != INVALID_SOCKET)
        ::closesocket(m_listen);
    m_client = m_listen = INVALID_SOCKET;
    m_strOut.clear();
}

void CProxyServer::DropClient()
{
    if (m_client == INVALID_SOCKET)
        return;
    // What is queued still goes, as far as the client takes it now; then the
    // graceful close sends the rest the system holds.
    ::WSAAsyncSelect(m_client, m_hNotify, 0, 0);
    u_long blocking = 0;
    ::ioctlsocket(m_client, FIONBIO, &blocking);
    const int timeout = 2000;
    ::setsockopt(m_client, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    if (!m_strOut.empty())
        ::send(m_client, m_strOut.data(), static_cast<int>(m_strOut.size()), 0);
    ::shutdown(m_client, SD_SEND);
    ::closesocket(m_client);
    m_client = INVALID_SOCKET;
    m_strOut.clear();
    m_strClient.clear();
}

void CProxyServer::Send(const std::string& bytes)
{
    if (m_client == INVALID_SOCKET || bytes.empty())
        return;
    m_strOut += bytes;
    Flush();
}

void CProxyServer::Flush()
{
    while (!m_strOut.empty()) {
        const int n = ::send(m_client, m_strOut.data(), static_cast<int>(std::min<std::size_t>(m_strOut.size(), 1 << 20)), 0);
        if (n <= 0)
            return;  // WSAEWOULDBLOCK: FD_WRITE comes when there is room; an error: FD_CLOSE follows
        m_strOut.erase(0, static_cast<std::size_t>(n));
    }
}

CProxyServer::EEvent CProxyServer::OnEvent(WPARAM wp, LPARAM lp, std::string& data, std::vector<std::string>& reports)
{
    const auto s = static_cast<SOCKET>(wp);
    const int event = WSAGETSELECTEVENT(lp);
    if (s == m_listen && event == FD_ACCEPT) {
        sockaddr_in peer = {};
        int size = sizeof peer;
        const SOCKET c = ::accept(m_listen, reinterpret_cast<sockaddr*>(&peer), &size);
        if (c == INVALID_SOCKET)
            return EEvent::None;
        if (m_client != INVALID_SOCKET) {
            static const char busy[] = "playclient: another client is playing through this proxy; one at a time.\r\n";
            ::send(c, busy, sizeof busy - 1, 0);
            ::closesocket(c);
            reports.push_back("a second client (" + PeerName(peer) + ") was turned away: one at a time");
            return EEvent::None;
        }
        m_client = c;
        m_strClient = PeerName(peer);
        m_strOut.clear();
        ::WSAAsyncSelect(m_client, m_hNotify, WM_APP_PROXY, FD_READ | FD_WRITE | FD_CLOSE);
        return EEvent::Accepted;
    }
    if (s != m_client || m_client == INVALID_SOCKET)
        return EEvent::None;  // a socket closed before its last event arrived
    if (event == FD_WRITE) {
        Flush();
        return EEvent::None;
    }
    char buffer[8192];
    for (;;) {
        const int n = ::recv(m_client, buffer, sizeof buffer, 0);
        if (n > 0) {
            data.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && ::WSAGetLastError() == WSAEWOULDBLOCK && event != FD_CLOSE)
            break;
        return EEvent::Closed;  // closed, or broken
    }
    if (m_strOut.size() > kMaxQueued) {
        reports.push_back("your client reads nothing; more than " + std::to_string(kMaxQueued >> 20) +
                          " MB are waiting for it");
        return EEvent::Closed;
    }
    return data.empty() ? EEvent::None : EEvent::Data;
}

// ---------------------------------------------------------------- the client's side of it

void CPlayClient::StartProxy()
{
    std::string error;
    if (!m_proxy.Listen(m_hWnd, m_options.listen, error)) {
        Report(error);
        return;
    }
    Report("proxy: waiting for your client on 127.0.0.1:" + std::to_string(m_options.listen) + " (the game is " +
           m_options.host + ":" + std::to_string(m_options.port) + ")");
}

void CPlayClient::OnProxy(WPARAM wp, LPARAM lp)
{
    std::string data;
    std::vector<std::string> reports;
    const CProxyServer::EEvent event = m_proxy.OnEvent(wp, lp, data, reports);
    for (const std::string& r : reports)
        Report(r);
    if (event == CProxyServer::EEvent::Accepted) {
        m_relay = CProxyRelay();
        m_strToGame.clear();
        Report("a client connected from " + m_proxy.ClientName() + "; connecting it to the game");
        m_game.SetReadOnly("a client is connected (" + m_proxy.ClientName() + "): play from there");
        std::string error;
        if (!m_conn.Open(m_hWnd, m_options.host, m_options.port, error, true)) {
            Report(error);
            m_proxy.Send("playclient: " + error + "\r\n");
            ProxyClientGone("");
        }
        return;
    }
    if (!data.empty()) {
        m_dwClientData = ::GetTickCount();
        std::string toGame;
        std::vector<std::string> commands;
        m_relay.FromClient(data, toGame, commands);
        // The mapper hears of each command before the game answers it.
        for (const std::string& c : commands)
            Command(c);
        std::string error;
        if (m_conn.IsConnected()) {
            if (!m_conn.Send(toGame, error))
                Report(error);
        } else {
            m_strToGame += toGame;  // sent once the game connection is up
        }
    }
    if (event == CProxyServer::EEvent::Closed)
        ProxyClientGone("your client disconnected; the game connection is closed");
}

void CPlayClient::ProxyGame(WPARAM wp, LPARAM lp)
{
    const bool wasConnected = m_conn.IsConnected();
    std::vector<CGameLine> unused;
    std::vector<std::string> reports;
    m_conn.OnEvent(wp, lp, unused, reports);
    for (const std::string& r : reports)
        Report(r);
    if (!wasConnected && m_conn.IsConnected() && !m_strToGame.empty()) {
        std::string error;
        if (!m_conn.Send(m_strToGame, error))
            Report(error);
        m_strToGame.clear();
    }
    const std::string raw = m_conn.TakeRaw();
    std::string toClient;
    std::vector<CGameLine> lines;
    m_relay.FromGame(raw, toClient, lines);
    m_proxy.Send(toClient);
    for (const CGameLine& line : lines)
        GameLine(line);
    if (!m_conn.IsOpen()) {
        CGameLine last;
        if (m_relay.Flush(last))
            GameLine(last);
        if (!wasConnected && !reports.empty())
            m_proxy.Send("playclient: " + reports.back() + "\r\n");
        if (m_proxy.HasClient())
            ProxyClientGone("the game connection ended: your client is disconnected");
        m_game.SetPending(std::string());
        return;
    }
    m_game.SetPending(m_relay.Pending());
}

void CPlayClient::ProxyMapperCommand(const std::string& command)
{
    if (!m_proxy.HasClient() || !m_conn.IsConnected()) {
        Report("no client is playing through the proxy: '" + command + "' was not sent");
        return;
    }
    Command(command);
    std::string toGame, toClient;
    m_relay.FromMapper(command, toGame, toClient);
    m_proxy.Send(toClient);
    std::string error;
    if (!m_conn.Send(toGame, error))
        Report(error + ": '" + command + "' was not sent");
}

void CPlayClient::ProxyClientGone(const std::string& why)
{
    if (!why.empty())
        Report(why);
    m_proxy.DropClient();
    m_conn.Close();
    m_strToGame.clear();
    m_game.SetReadOnly(std::string());
    m_game.SetPending(std::string());
    Report("proxy: waiting for your client on 127.0.0.1:" + std::to_string(m_options.listen));
}

void CPlayClient::ProxyIdle()
{
    const DWORD now = ::GetTickCount();
    std::string toClient, toGame, error;
    if (m_relay.HasWaitingEcho() && now - m_conn.LastDataTick() >= kEchoQuietMs && m_relay.FlushEcho(toClient))
        m_proxy.Send(toClient);
    if (m_relay.HasWaitingCommand() && now - m_dwClientData >= kEchoQuietMs && m_relay.FlushCommand(toGame) &&
        m_conn.IsConnected() && !m_conn.Send(toGame, error))
        Report(error);
}
