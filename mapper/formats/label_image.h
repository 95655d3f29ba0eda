#pragma once
// The picture of a label as a PNG: its text in the label font on its
// background (transparent when it has none), with a one-pixel margin.
#include <cstdint>
#include <string_view>
#include <vector>

#include "mapper/model/types.h"

struct CLabelImage {
    std::uint32_t width = 0, height = 0;
    std::vector<std::uint8_t> png;
};

// Text beyond kMaxLabelImageChars characters is left out of the picture.
constexpr std::size_t kMaxLabelImageChars = 400;
CLabelImage RenderLabelImage(std::string_view mapText, ColorRef text, ColorRef back);
