#pragma once
// The program's command line: "/plugin", a blank, a number, a blank and the
// client's window handle in decimal.
#include <cstdint>
#include <string>
#include <string_view>

struct CPluginCommandLine {
    bool m_bPlugin = false;
    std::int32_t m_nFirstNumber = 0;  // stored, not used
    std::int32_t m_nClientWindow = 0;  // 0: standalone
};

CPluginCommandLine ParseCommandLine(std::string_view text);

// The map file a standalone command line names: the whole text, without one
// pair of enclosing double quotes. None (empty) when the text is empty or is
// a switch, that is starts with '/' or '-' (a mistyped plug-in switch too).
std::string GetCommandLineMapFile(std::string_view text);
