#pragma once
// A fixed bitmap font for the images of labels, 6 pixels wide and 13 high
// (baseline on row 11), for the 8-bit map text: the same pixels on every
// platform, with no font machinery needed.
#include <cstdint>

constexpr int kLabelGlyphWidth = 6;
constexpr int kLabelGlyphHeight = 13;

// The 13 rows of a character, the leftmost pixel in bit 5. Control
// characters are blank.
const std::uint8_t* LabelGlyph(unsigned char c);
