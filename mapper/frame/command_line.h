#pragma once
// The program's command line: "/plugin", a blank, a number, a blank and the
// client's window handle in decimal.
#include <cstdint>
#include <string_view>

struct CPluginCommandLine {
    bool m_bPlugin = false;
    std::int32_t m_nFirstNumber = 0;  // stored, not used
    std::int32_t m_nClientWindow = 0;  // 0: standalone
};

CPluginCommandLine ParseCommandLine(std::string_view text);
