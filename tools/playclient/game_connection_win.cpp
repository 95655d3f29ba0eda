#include <ws2tcpip.h>

#include "tools/playclient/client_win.h"

bool CGameConnection::Open(HWND notify, const std::string& host, int port, std::string& error, bool raw)
{
    Close();
    m_bRaw = raw;
    m_strRaw.clear();
    m_strHost = host;
    m_nPort = port;
    m_filter = CTelnetFilter();
    m_lines = CLineAssembler();
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found) {
        error = "cannot find the host " + host;
        return false;
    }
    m_socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (m_socket == INVALID_SOCKET) {
        ::freeaddrinfo(found);
        error = "cannot make a socket (error " + std::to_string(::WSAGetLastError()) + ")";
        return false;
    }
    // Events arrive as window messages; connect completes with FD_CONNECT.
    ::WSAAsyncSelect(m_socket, notify, WM_APP_SOCKET, FD_CONNECT | FD_READ | FD_CLOSE);
    const int rc = ::connect(m_socket, found->ai_addr, static_cast<int>(found->ai_addrlen));
    ::freeaddrinfo(found);
    if (rc == SOCKET_ERROR && ::WSAGetLastError() != WSAEWOULDBLOCK) {
        error = "cannot connect to " + Name() + " (error " + std::to_string(::WSAGetLastError()) + ")";
        Close();
        return false;
    }
    return true;
}

void CGameConnection::Close()
{
    if (m_socket != INVALID_SOCKET)
        ::closesocket(m_socket);
    m_socket = INVALID_SOCKET;
    m_bConnected = false;
}

void CGameConnection::OnEvent(WPARAM wp, LPARAM lp, std::vector<CGameLine>& lines, std::vector<std::string>& reports)
{
    if (static_cast<SOCKET>(wp) != m_socket)
        return;  // a socket closed before its last event arrived
    const int event = WSAGETSELECTEVENT(lp);
    const int error = WSAGETSELECTERROR(lp);
    if (event == FD_CONNECT) {
        if (error) {
            reports.push_back("cannot connect to " + Name() + " (error " + std::to_string(error) + ")");
            Close();
            return;
        }
        m_bConnected = true;
        reports.push_back("connected to " + Name());
        return;
    }
    if (event == FD_READ) {
        if (!ReadAll(lines, reports))
            Ended(0, lines, reports);
        return;
    }
    if (event == FD_CLOSE) {
        ReadAll(lines, reports);
        Ended(error, lines, reports);
    }
}

void CGameConnection::Ended(int error, std::vector<CGameLine>& lines, std::vector<std::string>& reports)
{
    CGameLine last;
    if (m_lines.Flush(last)) {
        lines.push_back(last);
        reports.push_back("the game closed the connection in the middle of a line");
    }
    reports.push_back(error ? "the connection to the game broke (error " + std::to_string(error) + ")"
                            : "the game closed the connection");
    Close();
}

bool CGameConnection::ReadAll(std::vector<CGameLine>& lines, std::vector<std::string>& reports)
{
    char buffer[8192];
    for (;;) {
        const int n = ::recv(m_socket, buffer, sizeof buffer, 0);
        if (n == 0)
            return false;  // the game closed its side
        if (n < 0)
            return ::WSAGetLastError() == WSAEWOULDBLOCK;
        m_dwLastData = ::GetTickCount();
        if (m_bRaw) {
            m_strRaw.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        std::string text, replies;
        m_filter.Feed(buffer, static_cast<std::size_t>(n), text, replies);
        if (!replies.empty()) {
            std::string error;
            if (!Send(replies, error))
                reports.push_back(error);
        }
        m_lines.Feed(text, lines);
    }
}

bool CGameConnection::Send(const std::string& bytes, std::string& error)
{
    if (!m_bConnected) {
        error = "not connected to a game";
        return false;
    }
    std::size_t done = 0;
    const DWORD start = ::GetTickCount();
    while (done < bytes.size()) {
        const int n = ::send(m_socket, bytes.data() + done, static_cast<int>(bytes.size() - done), 0);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (::WSAGetLastError() != WSAEWOULDBLOCK || ::GetTickCount() - start > 5000) {
            error = "cannot send to the game (error " + std::to_string(::WSAGetLastError()) + ")";
            return false;
        }
        ::Sleep(10);
    }
    return true;
}
