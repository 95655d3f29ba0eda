// playclient with the real mapper and the docking library, driven from
// another process: the game window dragged by its caption to a side and off
// it again, and the client closed like a user closes it.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string WindowsPath(const char* env)
{
    const char* p = std::getenv(env);
    std::string s = p ? p : "";
    if (s.size() > 1 && s[1] == ':')
        return s;
    s = "Z:" + s;
    for (char& c : s)
        if (c == '/')
            c = '\\';
    return s;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class CClientProcess {
public:
    ~CClientProcess()
    {
        if (m_pi.hProcess) {
            if (::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
                ::TerminateProcess(m_pi.hProcess, 99);
            ::CloseHandle(m_pi.hProcess);
            ::CloseHandle(m_pi.hThread);
        }
    }
    bool Start(const std::string& line)
    {
        std::string copy = line;
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        return ::CreateProcessA(nullptr, copy.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi);
    }
    bool WaitExit(DWORD ms, DWORD& code) const
    {
        if (::WaitForSingleObject(m_pi.hProcess, ms) != WAIT_OBJECT_0)
            return false;
        ::GetExitCodeProcess(m_pi.hProcess, &code);
        return true;
    }
    PROCESS_INFORMATION m_pi = {};
};

template <class F>
bool WaitFor(F done, DWORD ms = 30000)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > ms)
            return false;
        ::Sleep(50);
    }
    return true;
}

RECT ClientOnScreen(HWND w)
{
    RECT rc;
    ::GetClientRect(w, &rc);
    ::MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// A caption drag as the user makes it: press on the caption, move, release.
void Drag(HWND window, POINT to)
{
    RECT wr;
    ::GetWindowRect(window, &wr);
    const POINT from = {wr.left + 60, wr.top + 8};
    ::SetCursorPos(from.x, from.y);
    ::PostMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(from.x, from.y));
    ::Sleep(300);
    ::SetCursorPos(to.x, to.y);
    ::PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(to.x - wr.left, to.y - wr.top));
    ::Sleep(300);
    ::PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(to.x - wr.left, to.y - wr.top));
}

TEST(PlayClientDocking, GameWindowDocksToASideFloatsAndTheClientClosesWithTheMapper)
{
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    const std::string log = std::string(temp) + "playclient-docking.log";
    ::DeleteFileA(log.c_str());
    CClientProcess client;
    ASSERT_TRUE(client.Start("\"" + WindowsPath("PLAYCLIENT_EXE") + "\" --mapper \"" + WindowsPath("VORMAPPER_EXE") +
                             "\" --log \"" + log + "\""));
    ASSERT_TRUE(WaitFor([&] { return ReadAll(log).find("% mapper docked and online") != std::string::npos; }))
        << ReadAll(log);
    HWND host = ::FindWindowA("PlayClientMain", nullptr);
    HWND game = ::FindWindowA("PlayClientGame", nullptr);
    HWND mapper = ::FindWindowA("VorMapperFrame", nullptr);
    ASSERT_TRUE(host && game && mapper);
    ASSERT_NE(ReadAll(log).find("% docking library loaded"), std::string::npos);
    RECT client0 = ClientOnScreen(host);

    // Docked at the bottom from the start, the map above it.
    RECT g, m;
    ::GetWindowRect(game, &g);
    ::GetWindowRect(mapper, &m);
    EXPECT_EQ(g.bottom, client0.bottom);
    EXPECT_EQ(m.top, client0.top);
    EXPECT_EQ(m.bottom, g.top);

    // To the left edge: the library snaps it to at most half the width.
    Drag(game, {client0.left + 5, (client0.top + client0.bottom) / 2});
    ASSERT_TRUE(WaitFor([&] { return ReadAll(log).find("% game window docked left") != std::string::npos; }))
        << ReadAll(log);
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(game) != FALSE; }));
    ::GetWindowRect(game, &g);
    ::GetWindowRect(mapper, &m);
    const int half = (client0.right - client0.left) / 2;
    EXPECT_EQ(g.left, client0.left);
    EXPECT_EQ(g.top, client0.top);
    EXPECT_EQ(g.bottom, client0.bottom);
    EXPECT_EQ(g.right - g.left, half);
    EXPECT_EQ(m.left, g.right);  // the map takes the rest
    EXPECT_EQ(m.right, client0.right);

    // Off every edge: floating, and the map fills the whole window.
    Drag(game, {(client0.left + client0.right) / 2, (client0.top + client0.bottom) / 2});
    ASSERT_TRUE(WaitFor([&] { return ReadAll(log).find("% game window floating") != std::string::npos; }))
        << ReadAll(log);
    ::GetWindowRect(mapper, &m);
    EXPECT_EQ(m.left, client0.left);
    EXPECT_EQ(m.top, client0.top);
    EXPECT_EQ(m.right, client0.right);
    EXPECT_EQ(m.bottom, client0.bottom);

    // The user closes the client: the mapper closes the normal way (an
    // unchanged map asks nothing), then the client ends.
    ::PostMessageA(host, WM_CLOSE, 0, 0);
    DWORD code = 99;
    ASSERT_TRUE(client.WaitExit(30000, code)) << ReadAll(log);
    EXPECT_EQ(code, 0u);
    EXPECT_NE(ReadAll(log).find("% the mapper has ended"), std::string::npos) << ReadAll(log);
    EXPECT_EQ(ReadAll(log).find("without being asked"), std::string::npos);
}

// A game of one connection on a loopback port, read and written by the test.
class CFakeGame {
public:
    CFakeGame()
    {
        WSADATA wsa;
        ::WSAStartup(MAKEWORD(2, 2), &wsa);
        m_listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in a = {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(m_listener, 1);
        int size = sizeof a;
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&a), &size);
        m_nPort = ntohs(a.sin_port);
    }
    ~CFakeGame()
    {
        if (m_conn != INVALID_SOCKET)
            ::closesocket(m_conn);
        ::closesocket(m_listener);
        ::WSACleanup();
    }
    bool Accept()
    {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(m_listener, &set);
        timeval tv = {30, 0};
        if (::select(0, &set, nullptr, nullptr, &tv) != 1)
            return false;
        m_conn = ::accept(m_listener, nullptr, nullptr);
        return m_conn != INVALID_SOCKET;
    }
    // Reads until `text` has arrived, for up to 30 s.
    bool ReadUntil(const std::string& text)
    {
        const DWORD start = ::GetTickCount();
        while (m_strReceived.find(text) == std::string::npos) {
            if (::GetTickCount() - start > 30000)
                return false;
            fd_set set;
            FD_ZERO(&set);
            FD_SET(m_conn, &set);
            timeval tv = {0, 100000};
            if (::select(0, &set, nullptr, nullptr, &tv) == 1) {
                char buf[4096];
                const int n = ::recv(m_conn, buf, sizeof buf, 0);
                if (n <= 0)
                    return false;
                m_strReceived.append(buf, static_cast<std::size_t>(n));
            }
        }
        return true;
    }
    void Send(const std::string& text) { ::send(m_conn, text.data(), static_cast<int>(text.size()), 0); }

    int m_nPort = 0;
    std::string m_strReceived;

private:
    SOCKET m_listener = INVALID_SOCKET;
    SOCKET m_conn = INVALID_SOCKET;
};

// With the mapper a real child window (as on Windows): a move made on the map
// in online trace mode goes to the game, and back to the mapper as a command.
TEST(PlayClientDocking, MoveOnTheMapReachesTheGameFromTheChildMapper)
{
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    const std::string log = std::string(temp) + "playclient-move.log";
    const std::string quit = std::string(temp) + "playclient-move.quit";
    ::DeleteFileA(log.c_str());
    ::DeleteFileA(quit.c_str());
    CFakeGame game;
    CClientProcess client;
    ASSERT_TRUE(client.Start("\"" + WindowsPath("PLAYCLIENT_EXE") + "\" --port " + std::to_string(game.m_nPort) +
                             " --child-mapper --trace --mapper \"" + WindowsPath("VORMAPPER_EXE") + "\" --log \"" +
                             log + "\" --quit-file \"" + quit + "\""));
    ASSERT_TRUE(game.Accept());
    game.Send("Welcome\r\n");
    ASSERT_TRUE(WaitFor([&] { return ReadAll(log).find("% mapper in trace mode") != std::string::npos; }))
        << ReadAll(log);
    HWND host = ::FindWindowA("PlayClientMain", nullptr);
    ASSERT_TRUE(host);
    HWND mapper = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (mapper = ::FindWindowExA(host, nullptr, "VorMapperFrame", nullptr)) != nullptr; }));
    EXPECT_NE(ReadAll(log).find("its window is inside the client"), std::string::npos) << ReadAll(log);
    RECT m, g;
    ::GetWindowRect(mapper, &m);
    ::GetWindowRect(::FindWindowA("PlayClientGame", nullptr), &g);
    const RECT c = ClientOnScreen(host);
    EXPECT_EQ(m.left, c.left);
    EXPECT_EQ(m.top, c.top);
    EXPECT_EQ(m.right, c.right);
    EXPECT_EQ(m.bottom, g.top);
    // The docked depth and the input line are 300 and 22 pixels at 96 dpi,
    // in proportion at the screen's resolution.
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(g.bottom - g.top, ::MulDiv(300, dpi, 96));
    HWND gameWindow = ::FindWindowA("PlayClientGame", nullptr);
    HWND gamePane = ::FindWindowExA(gameWindow, nullptr, "Edit", nullptr);
    HWND input = gamePane ? ::FindWindowExA(gameWindow, gamePane, "Edit", nullptr) : nullptr;
    ASSERT_TRUE(input);
    RECT in;
    ::GetWindowRect(input, &in);
    EXPECT_EQ(in.bottom - in.top, ::MulDiv(22, dpi, 96));

    HWND view = ::FindWindowExA(mapper, nullptr, "VorMapperView", nullptr);
    ASSERT_TRUE(view);
    ::Sleep(300);  // the trace command, posted, is handled first
    ::PostMessageA(view, WM_KEYDOWN, VK_UP, 0);
    ASSERT_TRUE(game.ReadUntil("north\r\n")) << game.m_strReceived;
    game.Send("North Room\r\nObvious exits:\r\nsouth\r\n");
    ASSERT_TRUE(WaitFor([&] { return ReadAll(log).find("> north\r\nNorth Room") != std::string::npos; }))
        << ReadAll(log);

    // A prompt without a line end shows at once, and only once when its
    // line is finished.
    HWND output = ::FindWindowExA(::FindWindowA("PlayClientGame", nullptr), nullptr, "EDIT", nullptr);
    ASSERT_TRUE(output);
    auto pane = [&] {
        char text[65536] = "";
        ::SendMessageA(output, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return std::string(text);
    };
    game.Send("Password: ");
    // The pane is read once a try: it may change between two reads.
    EXPECT_TRUE(WaitFor([&] { return pane().ends_with("Password: "); }, 10000)) << pane();
    // Read without pause while the line is finished: the pane is also read
    // while the client waits for the mapper to take each line.
    game.Send("\r\nok\r\n");
    std::string seen;
    bool twice = false;
    const DWORD start = ::GetTickCount();
    while (seen.find("Password: \r\nok") == std::string::npos && ::GetTickCount() - start < 10000) {
        seen = pane();
        twice = twice || seen.find("Password: ") != seen.rfind("Password: ");
    }
    EXPECT_NE(seen.find("Password: \r\nok"), std::string::npos) << seen;
    EXPECT_FALSE(twice) << "the prompt showed twice";
    EXPECT_EQ(pane().find("Password: "), pane().rfind("Password: "));

    std::ofstream(quit) << "quit";
    DWORD code = 99;
    ASSERT_TRUE(client.WaitExit(30000, code)) << ReadAll(log);
    EXPECT_EQ(code, 0u);
    EXPECT_NE(ReadAll(log).find("% the mapper has ended"), std::string::npos) << ReadAll(log);
}

}  // namespace
