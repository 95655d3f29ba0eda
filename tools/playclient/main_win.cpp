// playclient: a small terminal client. It plays a game over telnet in its
// game window and runs VorMapper docked inside its main window as its
// plug-in, passing it every command and every line of the game.
#include "tools/playclient/client_win.h"

#include <shellapi.h>

std::string ProgramDir()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir = path;
    return dir.substr(0, dir.find_last_of('\\') + 1);
}

namespace {
std::vector<std::string> Arguments()
{
    std::vector<std::string> out;
    int n = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &n);
    for (int i = 1; argv && i < n; ++i) {
        const int size = ::WideCharToMultiByte(CP_ACP, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string a(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
        ::WideCharToMultiByte(CP_ACP, 0, argv[i], -1, a.data(), size, nullptr, nullptr);
        a.resize(a.size() - 1);
        out.push_back(a);
    }
    ::LocalFree(argv);
    return out;
}

void Fail(const std::string& text)
{
    const std::string out = "playclient: " + text + "\r\n";
    DWORD n = 0;
    HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
    if (err && err != INVALID_HANDLE_VALUE && ::WriteFile(err, out.data(), static_cast<DWORD>(out.size()), &n, nullptr))
        return;
    ::MessageBoxA(nullptr, text.c_str(), "playclient", MB_OK | MB_ICONERROR);
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CClientOptions options;
    std::string error;
    if (!ParseClientOptions(Arguments(), options, error)) {
        Fail(error + "\r\nusage: " + kClientUsage);
        return 2;
    }
    WSADATA wsa;
    if (::WSAStartup(MAKEWORD(2, 2), &wsa) != 0) {
        Fail("Windows sockets initialization failed.");
        return 1;
    }
    int code = 1;
    {
        CPlayClient client(options);
        if (client.Create(error))
            code = client.Run();
        else
            Fail(error);
    }
    ::WSACleanup();
    return code;
}
