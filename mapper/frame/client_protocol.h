#pragma once
// Codes of the messages exchanged with the terminal client. Every copy-data
// message carries one code, a byte count and a block of bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

enum : std::uintptr_t {
    UM_MAPPER_WINDOW = 1024 + 120,  // plain message, mapper to client
    CD_ATTACH = 1145,
    CD_ONLINE = 1146,
    CD_QUIT = 1147,
    CD_COMMAND = 1148,  // both ways
    CD_TEXT_LINE = 1149,
    CD_NOP = 1150,
    CD_SETTINGS_DIR = 1154,
};

// The text of a block: the bytes before the first NUL, never reading beyond
// the byte count (all of them when there is no NUL).
inline std::string_view CopyDataText(const void* data, std::uint32_t bytes)
{
    if (!data || bytes == 0)
        return {};
    const char* p = static_cast<const char*>(data);
    std::size_t n = 0;
    while (n < bytes && p[n] != '\0')
        ++n;
    return {p, n};
}
