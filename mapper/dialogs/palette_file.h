#pragma once
// The palette file "palette.vmp": a version byte (1), a signed 32-bit count,
// then the colours as 32-bit values, all little-endian.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "mapper/model/types.h"

constexpr char kPaletteFileName[] = "palette.vmp";

// Reads from a byte source (returns the bytes it read, 0 at the end). Before a
// whole header is read nothing changes and the result is false; after it the
// colours are replaced by those read, at most the count and at most what the
// source holds (a negative count reads none), and the result is true.
bool ReadPalette(const std::function<std::size_t(void*, std::size_t)>& read, std::vector<ColorRef>& colors);
// The bytes of a file holding the colours.
std::string PaletteFileBytes(const std::vector<ColorRef>& colors);

// The file in the program's directory.
std::string DefaultPalettePath();
// Opens the file for reading, exclusively; a file that cannot be opened
// leaves the colours alone and gives false.
bool LoadPaletteFile(const std::string& path, std::vector<ColorRef>& colors);
// Creates or truncates the file, exclusively, and writes every colour. On
// failure false, with the platform's error code in error.
bool SavePaletteFile(const std::string& path, const std::vector<ColorRef>& colors, unsigned long& error);
