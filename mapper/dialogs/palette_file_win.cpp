// The palette file through the platform's files, opened without sharing.
#include <windows.h>

#include "mapper/dialogs/palette_file.h"

bool LoadPaletteFile(const std::string& path, std::vector<ColorRef>& colors)
{
    HANDLE f = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    ReadPalette(
        [f](void* p, std::size_t n) {
            DWORD got = 0;
            if (!::ReadFile(f, p, static_cast<DWORD>(n), &got, nullptr))
                return std::size_t{0};
            return static_cast<std::size_t>(got);
        },
        colors);
    ::CloseHandle(f);
    return true;
}

bool SavePaletteFile(const std::string& path, const std::vector<ColorRef>& colors, unsigned long& error)
{
    error = 0;
    HANDLE f = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        error = ::GetLastError();
        return false;
    }
    const std::string bytes = PaletteFileBytes(colors);
    DWORD written = 0;
    const bool ok = ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    if (!ok)
        error = ::GetLastError();
    ::CloseHandle(f);
    return ok;
}
