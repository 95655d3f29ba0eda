#include "mapper/formats/label_image.h"

#include <algorithm>

#include "mapper/formats/label_font.h"
#include "mapper/formats/png_encoder.h"

namespace {
constexpr std::uint32_t kMargin = 1;

CRgba Opaque(ColorRef c)
{
    return {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c >> 16), 255};
}
}  // namespace

CLabelImage RenderLabelImage(std::string_view text, ColorRef textColor, ColorRef back)
{
    const std::size_t chars = std::max<std::size_t>(1, std::min(text.size(), kMaxLabelImageChars));
    CLabelImage image;
    image.width = static_cast<std::uint32_t>(chars * kLabelGlyphWidth + 2 * kMargin);
    image.height = kLabelGlyphHeight + 2 * kMargin;
    const std::size_t stride = (image.width + 7) / 8;
    std::vector<std::uint8_t> bits(stride * image.height, 0);
    for (std::size_t i = 0; i < std::min(text.size(), kMaxLabelImageChars); ++i) {
        const std::uint8_t* glyph = LabelGlyph(static_cast<unsigned char>(text[i]));
        for (int row = 0; row < kLabelGlyphHeight; ++row)
            for (int col = 0; col < kLabelGlyphWidth; ++col) {
                if (!(glyph[row] & (0x20 >> col)))
                    continue;
                const std::size_t x = kMargin + i * kLabelGlyphWidth + static_cast<std::size_t>(col);
                const std::size_t y = kMargin + static_cast<std::size_t>(row);
                bits[y * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
    }
    const CRgba ground = back == kColorNone ? CRgba{255, 255, 255, 0} : Opaque(back);
    image.png = EncodeTwoColourPng(image.width, image.height, bits, ground, Opaque(textColor));
    return image;
}
