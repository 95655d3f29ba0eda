#pragma once
// The texts of TinTin++ map fields: map text (8-bit) to and from a field
// (UTF-8 on one line, braces balanced), and TinTin++ colour codes.
//
// TinTin++ keeps a field's characters as they are, so a field written here
// needs escapes only where the file's syntax would break: a line break is
// written "\n" (or "\r"), the braces of a text whose braces do not balance
// "\x7B" and "\x7D", and a backslash that would start one of these "\\".
// Reading decodes the same escapes and keeps any other backslash.
#include <cstdint>
#include <string>
#include <string_view>

#include "mapper/model/types.h"

// The field text for a map text (without the enclosing braces). NUL
// characters are left out; `droppedNul` is set when there were any.
std::string TintinFieldFromMapText(std::string_view text, bool* droppedNul = nullptr);
// The map text of a field. Characters beyond Latin-1 become '?' and set
// `lossy`; bytes that are not UTF-8 are kept as they are.
std::string MapTextFromTintinField(std::string_view field, bool* lossy = nullptr);

// The colour a TinTin++ colour code shows text in ("<fff>", "<178>",
// "<F0B5345>", "<g12>"); the last foreground code wins. False when the code
// names no foreground colour this reader knows.
bool ParseTintinColor(std::string_view code, ColorRef& color);
// "<Frrggbb>" for a colour, empty for kColorNone.
std::string TintinColorCode(ColorRef color);

// A field without the spaces, tabs and line ends around it.
std::string_view TrimTintinField(std::string_view field);
// Whether a number field ("1.000", "0.00") holds `value`; an empty field
// holds `empty`, and a field that is no number holds nothing.
bool TintinNumberIs(std::string_view field, double value, bool empty);
// The names of TinTin++'s room or exit flags set in `flags` ("avoid hide").
std::string TintinFlagNames(std::uint32_t flags, bool room);
