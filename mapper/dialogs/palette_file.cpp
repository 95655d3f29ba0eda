#include "mapper/dialogs/palette_file.h"

#include <cstdint>

#include "mapper/settings/ini_file.h"

namespace {
std::uint32_t LittleEndian32(const unsigned char* p)
{
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

void Put32(std::string& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// Reads exactly n bytes unless the source ends first.
std::size_t ReadFull(const std::function<std::size_t(void*, std::size_t)>& read, unsigned char* p, std::size_t n)
{
    std::size_t got = 0;
    while (got < n) {
        const std::size_t r = read(p + got, n - got);
        if (r == 0)
            break;
        got += r;
    }
    return got;
}
}  // namespace

bool ReadPalette(const std::function<std::size_t(void*, std::size_t)>& read, std::vector<ColorRef>& colors)
{
    unsigned char header[5];
    if (ReadFull(read, header, sizeof header) != sizeof header)
        return false;
    const auto count = static_cast<std::int32_t>(LittleEndian32(header + 1));
    colors.clear();
    // Read in blocks, so a count far beyond the data allocates nothing for it.
    constexpr std::size_t kBlock = 1024;
    unsigned char block[4 * kBlock];
    std::int64_t left = count > 0 ? count : 0;
    while (left > 0) {
        const std::size_t want = static_cast<std::size_t>(left < static_cast<std::int64_t>(kBlock) ? left : kBlock);
        const std::size_t got = ReadFull(read, block, 4 * want) / 4;
        for (std::size_t i = 0; i < got; ++i)
            colors.push_back(LittleEndian32(block + 4 * i));
        if (got < want)
            break;
        left -= static_cast<std::int64_t>(got);
    }
    return true;
}

std::string PaletteFileBytes(const std::vector<ColorRef>& colors)
{
    std::string out;
    out.reserve(5 + 4 * colors.size());
    out.push_back(1);
    Put32(out, static_cast<std::uint32_t>(colors.size()));
    for (ColorRef c : colors)
        Put32(out, c);
    return out;
}

std::string DefaultPalettePath() { return GetProgramDir() + kPaletteFileName; }
