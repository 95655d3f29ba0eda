#include "mapper/frame/command_line.h"

#include <cctype>
#include <cstdint>

namespace {
// A decimal number with leading white space skipped, read up to the first
// non-digit; text that is not a number, or a number outside the 32-bit
// range, reads as 0 (no window can have such a handle).
std::int32_t ReadNumber(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        negative = s[i++] == '-';
    std::int64_t value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = value * 10 + (s[i] - '0');
        if (value > 0x80000000LL)
            return 0;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        return 0;
    return static_cast<std::int32_t>(value);
}
}  // namespace

CPluginCommandLine ParseCommandLine(std::string_view text)
{
    CPluginCommandLine line;
    if (text.substr(0, 7) != "/plugin")
        return line;
    line.m_bPlugin = true;
    // The character after the switch is skipped, whatever it is.
    const std::string_view rest = text.size() > 8 ? text.substr(8) : std::string_view();
    const std::size_t blank = rest.find(' ');
    if (blank == std::string_view::npos) {
        line.m_nClientWindow = ReadNumber(rest);
    } else {
        line.m_nFirstNumber = ReadNumber(rest.substr(0, blank));
        line.m_nClientWindow = ReadNumber(rest.substr(blank));
    }
    return line;
}

std::string GetCommandLineMapFile(std::string_view text)
{
    if (text.empty() || text.front() == '/' || text.front() == '-')
        return std::string();
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return std::string(text);
}
