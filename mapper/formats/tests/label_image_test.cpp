// Label pictures: a PNG that a real decoder reads back with the text's pixels
// in the text colour on the label's background.
#include <gtest/gtest.h>

#include <cstring>

#include "mapper/formats/base64.h"
#include "mapper/formats/label_font.h"
#include "mapper/formats/label_image.h"

#ifdef VORMAPPER_TEST_CAIRO
#include <cairo.h>

namespace {
struct CReadState {
    const std::vector<std::uint8_t>* bytes;
    std::size_t at = 0;
};
cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length)
{
    auto* s = static_cast<CReadState*>(closure);
    if (s->at + length > s->bytes->size())
        return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, s->bytes->data() + s->at, length);
    s->at += length;
    return CAIRO_STATUS_SUCCESS;
}
}  // namespace

TEST(LabelImage, DecodesToTheTextInItsColours)
{
    const CLabelImage image = RenderLabelImage("Hi!", 0x0000FF, 0x00FF00);  // red on green
    CReadState state{&image.png};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(ReadBytes, &state);
    ASSERT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(s), static_cast<int>(image.width));
    ASSERT_EQ(cairo_image_surface_get_height(s), static_cast<int>(image.height));
    EXPECT_EQ(image.width, 3u * kLabelGlyphWidth + 2);
    const int stride = cairo_image_surface_get_stride(s);
    const unsigned char* px = cairo_image_surface_get_data(s);
    int text = 0, ground = 0;
    for (int y = 0; y < cairo_image_surface_get_height(s); ++y)
        for (int x = 0; x < cairo_image_surface_get_width(s); ++x) {
            std::uint32_t argb;
            std::memcpy(&argb, px + y * stride + x * 4, 4);
            const int glyphX = x - 1, glyphY = y - 1;
            const bool ink = glyphX >= 0 && glyphY >= 0 && glyphX < 18 && glyphY < kLabelGlyphHeight &&
                             (LabelGlyph("Hi!"[glyphX / 6])[glyphY] & (0x20 >> (glyphX % 6)));
            EXPECT_EQ(argb, ink ? 0xFFFF0000u : 0xFF00FF00u) << x << "," << y;
            (ink ? text : ground)++;
        }
    EXPECT_GT(text, 10);
    EXPECT_GT(ground, text);
    cairo_surface_destroy(s);
}

TEST(LabelImage, NoBackgroundIsTransparent)
{
    const CLabelImage image = RenderLabelImage(" ", 0, kColorNone);
    CReadState state{&image.png};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(ReadBytes, &state);
    ASSERT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS);
    std::uint32_t argb;
    std::memcpy(&argb, cairo_image_surface_get_data(s), 4);
    EXPECT_EQ(argb >> 24, 0u);
    cairo_surface_destroy(s);
}
#endif

TEST(LabelImage, AHugeTextMakesAPictureOfBoundedSize)
{
    const CLabelImage image = RenderLabelImage(std::string(1000000, 'W'), 0, kColorNone);
    EXPECT_EQ(image.width, kMaxLabelImageChars * kLabelGlyphWidth + 2);
    EXPECT_LT(image.png.size(), 20000u);
}

TEST(LabelImage, Base64PadsTheLastGroup)
{
    EXPECT_EQ(Base64({'M', 'a', 'n'}), "TWFu");
    EXPECT_EQ(Base64({'M', 'a'}), "TWE=");
    EXPECT_EQ(Base64({'M'}), "TQ==");
    EXPECT_EQ(Base64({}), "");
}
