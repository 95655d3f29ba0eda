#pragma once
// A PNG of two colours, one bit per pixel: enough for label images, written
// with stored (uncompressed) deflate blocks, so that it needs no library and
// is byte for byte the same on every platform.
#include <cstdint>
#include <vector>

struct CRgba {
    std::uint8_t r, g, b, a;
};

// `bits` holds `height` rows of (width + 7) / 8 bytes, the leftmost pixel in
// the high bit; a set bit takes colour `one`, a clear bit colour `zero`.
std::vector<std::uint8_t> EncodeTwoColourPng(std::uint32_t width, std::uint32_t height,
                                             const std::vector<std::uint8_t>& bits, CRgba zero, CRgba one);
