// VorMapper.exe: start-up, standalone or as the terminal client's plug-in.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "framework/win/message_loop.h"
#include "mapper/frame/command_line.h"
#include "mapper/frame/main_frame_win.h"
#include "mapper/model/document.h"
#include "mapper/resource_ids.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    WSADATA wsa;
    if (::WSAStartup(MAKEWORD(1, 1), &wsa) != 0) {
        char text[256] = "Windows sockets initialization failed.";
        ::LoadStringA(instance, IDS_SOCKETS_INIT_FAILED, text, sizeof text);
        ::MessageBoxA(nullptr, text, "VorMapper", MB_OK | MB_ICONSTOP);
        return 1;
    }
    // The framework's registry key; the program keeps nothing else there
    // (its recent-file list has no entries).
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Local AppWizard-Generated Applications\\VorMapper", 0, nullptr, 0,
                          KEY_READ, nullptr, &key, nullptr) == ERROR_SUCCESS)
        ::RegCloseKey(key);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);

    const std::string line = commandLine ? commandLine : "";
    const CPluginCommandLine args = ParseCommandLine(line);
    HWND client = reinterpret_cast<HWND>(static_cast<INT_PTR>(args.m_nClientWindow));
    // A handle that names no window would leave a hidden program nobody can
    // reach: start standalone instead.
    if (client && !::IsWindow(client))
        client = nullptr;

    CVorMapperDoc doc;
    auto frame = std::make_unique<CMainFrame>(doc, client);
    if (!frame->Create())
        return 1;
    doc.OnNewDocument();
    if (!client) {
        frame->ShowStandalone();
        // A restored map takes the place of one named on the command line.
        const bool restored = frame->OfferRecovery();
        // A map named on a standalone command line is opened; any switch,
        // the plug-in switch with a bad handle too, leaves the new map.
        const std::string path = GetCommandLineMapFile(line);
        if (!restored && !path.empty())
            frame->OpenDocumentFile(path);
    } else {
        frame->OfferRecovery();
    }
    HACCEL accel = ::LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    const int code = vfw::RunMessageLoop(frame->m_hWnd, accel, [&] {
        if (frame->m_hWnd)
            frame->OnIdle();
    });
    frame.reset();
    ::WSACleanup();
    return code;
}
