// The palette file through the C library, where the platform has no
// exclusive opening of its own.
#include <cerrno>
#include <cstdio>

#include "mapper/dialogs/palette_file.h"

bool LoadPaletteFile(const std::string& path, std::vector<ColorRef>& colors)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    ReadPalette([f](void* p, std::size_t n) { return std::fread(p, 1, n, f); }, colors);
    std::fclose(f);
    return true;
}

bool SavePaletteFile(const std::string& path, const std::vector<ColorRef>& colors, unsigned long& error)
{
    error = 0;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        error = static_cast<unsigned long>(errno);
        return false;
    }
    const std::string bytes = PaletteFileBytes(colors);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        error = static_cast<unsigned long>(errno ? errno : EIO);
        return false;
    }
    return true;
}
