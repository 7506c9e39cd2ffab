#include "engine/resources/text/tr_TextRaster.h"

#include "engine/resources/text/tr_Font.h"
#include "engine/resources/text/tr_TextLayout.h"

#include "FontTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

uint32_t Alpha(uint32_t p) {
    return p >> 24;
}
uint32_t Red(uint32_t p) {
    return (p >> 16) & 0xFF;
}
uint32_t Green(uint32_t p) {
    return (p >> 8) & 0xFF;
}
uint32_t Blue(uint32_t p) {
    return p & 0xFF;
}

class TextRasterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        font = new tr_Font();
        ASSERT_TRUE(font->Load(kFontBase.c_str()));
    }
    static void TearDownTestSuite() {
        delete font;
        font = nullptr;
    }

    tr_TextImage Render(const std::string& text, int maxwidth = -1) {
        EXPECT_TRUE(tr_TextRaster::Render(*font, style, text, maxwidth, image, chars));
        return image;
    }

    int CountPixels(const tr_TextImage& img, bool (*test)(uint32_t)) const {
        return static_cast<int>(std::count_if(img.pixels.begin(), img.pixels.end(), test));
    }

    static tr_Font* font;
    tr_TextStyle style;
    tr_TextImage image;
    std::vector<tr_TextChar> chars;
};
tr_Font* TextRasterTest::font = nullptr;

TEST_F(TextRasterTest, ImageSizeFollowsTheLayout) {
    tr_TextStyle s;
    s.fontsize = 20;
    s.linespacing = 1.5f;
    int w = 0, h = 0;
    tr_TextRaster::ImageSize(100, 3, s, w, h);
    EXPECT_EQ(w, 110);
    EXPECT_EQ(h, 90);
    tr_TextRaster::ImageSize(101, 1, s, w, h);
    EXPECT_EQ(w, 112);
    EXPECT_EQ(h, 30);
    s.fontsize = 15;
    tr_TextRaster::ImageSize(10, 1, s, w, h);
    EXPECT_EQ(w, 18);
    EXPECT_EQ(h, 22); // 22.5 truncated, already even
}

TEST_F(TextRasterTest, BadSizesFromContentAreClamped) {
    tr_TextStyle s;
    s.fontsize = -4;
    s.linespacing = -2.0f;
    const tr_TextStyle clean = tr_TextRaster::Sanitize(s);
    EXPECT_EQ(clean.fontsize, 1);
    EXPECT_EQ(clean.linespacing, 0.0f);
    s.linespacing = std::nanf("");
    EXPECT_EQ(tr_TextRaster::Sanitize(s).linespacing, 0.0f);

    style.fontsize = 0;
    Render("abc");
    EXPECT_GE(image.width, 2);
    EXPECT_GE(image.height, 2);
    EXPECT_EQ(image.pixels.size(), static_cast<size_t>(image.width) * image.height);

    style.fontsize = 1000000;
    style.linespacing = 1e30f;
    Render("a\nb\nc");
    EXPECT_LE(image.width, tr_TextRaster::kMaxImageSide);
    EXPECT_LE(image.height, tr_TextRaster::kMaxImageSide);
}

// A million and a half glyphs at the largest size run the pen past the int
// range.
TEST_F(TextRasterTest, ALineLongerThanTheIntRangeIsCappedNotWrappedAround) {
    style.fontsize = tr_TextRaster::kMaxFontSize;
    style.align = 0;
    Render(std::string(1500000, 'H'));
    EXPECT_EQ(image.width, tr_TextRaster::kMaxImageSide);
    font->SetCharSize(style.fontsize);
    tr_GlyphBitmap glyph;
    ASSERT_TRUE(font->RenderGlyph(0, 'H', glyph));
    // The first H's stems are where they belong and its gap stays empty; a
    // pen that wrapped around would have drawn later glyphs over it.
    const int left = style.fontsize / 4 + glyph.left;
    const int mid_y = style.fontsize - glyph.top + glyph.rows / 4;
    EXPECT_EQ(Alpha(image.At(left + 4, mid_y)), 255u);
    EXPECT_EQ(Alpha(image.At(left + glyph.width / 2, mid_y)), 0u);
}

TEST_F(TextRasterTest, CompositeIsOver) {
    uint32_t pixel = 0;
    tr_TextRaster::Composite(pixel, 255, 1.0f, 1.0f, 0.5f, 0.0f);
    EXPECT_EQ(Alpha(pixel), 255u);
    EXPECT_EQ(Red(pixel), 255u);
    EXPECT_NEAR(Green(pixel), 127.0, 1.0);
    EXPECT_EQ(Blue(pixel), 0u);
    // Half coverage of black over opaque white stays opaque and turns grey.
    pixel = 0xFFFFFFFFu;
    tr_TextRaster::Composite(pixel, 128, 1.0f, 0.0f, 0.0f, 0.0f);
    EXPECT_EQ(Alpha(pixel), 255u);
    EXPECT_NEAR(Red(pixel), 127.0, 1.5);
    // Over a transparent pixel the colour is the source colour at partial alpha.
    pixel = 0;
    tr_TextRaster::Composite(pixel, 255, 0.5f, 0.0f, 0.0f, 1.0f);
    EXPECT_NEAR(Alpha(pixel), 127.0, 1.0);
    EXPECT_EQ(Blue(pixel), 255u);
    // Values no content should hold stay within bytes and leave no garbage.
    pixel = 0x80402010u;
    tr_TextRaster::Composite(pixel, 200, std::nanf(""), 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(pixel, 0x80402010u);
    tr_TextRaster::Composite(pixel, 255, 5.0f, std::nanf(""), 3.0f, -2.0f);
    EXPECT_EQ(pixel, 0xFF00FF00u);
}

// Ink is where the glyph's bitmap says, in the font colour, and nowhere else.
TEST_F(TextRasterTest, GlyphInkLandsInsideItsBoxInTheFontColour) {
    style.fontsize = 24;
    style.align = 0;
    style.fontcolor_r = 0.0f;
    style.fontcolor_g = 1.0f;
    style.fontcolor_b = 0.0f;
    Render("H");
    font->SetCharSize(24);
    tr_GlyphBitmap glyph;
    ASSERT_TRUE(font->RenderGlyph(0, 'H', glyph));
    const int left = 24 / 4 + glyph.left;
    const int top = 24 - glyph.top;
    int full = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const bool inside =
                x >= left && x < left + glyph.width && y >= top && y < top + glyph.rows;
            const int coverage = inside ? glyph.coverage[(y - top) * glyph.pitch + (x - left)] : 0;
            const uint32_t p = image.At(x, y);
            ASSERT_EQ(static_cast<int>(Alpha(p)), coverage) << x << "," << y;
            if (coverage == 255) {
                ++full;
                EXPECT_EQ(p, 0xFF00FF00u);
            }
        }
    }
    EXPECT_GT(full, 20);
}

TEST_F(TextRasterTest, BoldTagsUseTheBoldFaceAndColourTagsTheirColour) {
    style.fontsize = 20;
    const tr_TextImage tagged = Render("<b>Bold</b>");
    style.fonttype = 1;
    const tr_TextImage bold = Render("Bold");
    style.fonttype = 0;
    const tr_TextImage regular = Render("Bold");
    EXPECT_EQ(tagged.pixels, bold.pixels);
    EXPECT_NE(tagged.pixels, regular.pixels);

    Render("<color r=\"1\" g=\"0\" b=\"0\">II</color>II");
    // Left half red ink, right half white ink.
    int red = 0, white = 0, other = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const uint32_t p = image.At(x, y);
            if (Alpha(p) != 255)
                continue;
            if (p == 0xFFFF0000u && x < image.width / 2)
                ++red;
            else if (p == 0xFFFFFFFFu && x >= image.width / 2)
                ++white;
            else
                ++other;
        }
    EXPECT_GT(red, 10);
    EXPECT_GT(white, 10);
    EXPECT_EQ(other, 0);
}

TEST_F(TextRasterTest, OutlineTakesPrecedenceOverShadow) {
    style.fontsize = 30;
    style.display_shadow = true;
    style.shadow_pos_x = 6.0f;
    style.shadow_pos_y = 6.0f;
    style.shadow_color_r = 1.0f;
    const auto reddish = [](uint32_t p) { return Alpha(p) > 0 && Red(p) > 100 && Green(p) < 50; };
    const auto bluish = [](uint32_t p) { return Alpha(p) > 0 && Blue(p) > 100 && Red(p) < 50; };

    Render("HI");
    EXPECT_GT(CountPixels(image, reddish), 50);

    style.display_outline = true;
    style.outline_color_b = 1.0f;
    style.outline_size = 2;
    Render("HI");
    EXPECT_EQ(CountPixels(image, reddish), 0);
    EXPECT_GT(CountPixels(image, bluish), 50);
    // The outline sits just outside the main ink: left of the H's stem.
    font->SetCharSize(30);
    const int line_width = tr_TextLayout::LineWidth(chars, 0, 0, *font);
    tr_GlyphBitmap glyph;
    ASSERT_TRUE(font->RenderGlyph(0, 'H', glyph));
    const int stem_x = (image.width - line_width) / 2 + glyph.left;
    const int mid_y = 30 - glyph.top + glyph.rows / 2;
    EXPECT_EQ(image.At(stem_x + 1, mid_y), 0xFFFFFFFFu);
    EXPECT_TRUE(bluish(image.At(stem_x - 1, mid_y)));
}

TEST_F(TextRasterTest, WrapsAtMaxWidthAndAlignsLines) {
    style.fontsize = 20;
    style.align = 2;
    const std::string text = "one two three four five six seven eight nine ten";
    Render(text, 120);
    const int lines =
        1 + static_cast<int>(std::count_if(chars.begin(), chars.end(),
                                           [](const tr_TextChar& c) { return c.code == '\n'; }));
    EXPECT_GE(lines, 3);
    EXPECT_EQ(image.height, 20 * (lines - 1) + 30);
    font->SetCharSize(20);
    const auto is_feed = [](const tr_TextChar& c) { return c.code == '\n'; };
    for (size_t start = 0;;) {
        EXPECT_LT(tr_TextLayout::LineWidth(chars, start, 0, *font), 120);
        const auto feed =
            std::find_if(chars.begin() + static_cast<long>(start), chars.end(), is_feed);
        if (feed == chars.end())
            break;
        start = static_cast<size_t>(feed - chars.begin()) + 1;
    }
    // Right aligned: every line's ink ends at the same column.
    int rightmost = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (Alpha(image.At(x, y)) > 0)
                rightmost = std::max(rightmost, x);
    EXPECT_GE(rightmost, image.width - 20 / 4 - 3);
    EXPECT_LT(rightmost, image.width - 20 / 4 + 3);
}

TEST_F(TextRasterTest, HexagramsWrapWithoutBlanks) {
    style.fontsize = 20;
    std::string text;
    for (int i = 0; i < 16; ++i)
        text += "\xE4\xB7\x80"; // U+4DC0
    Render(text, 100);
    font->SetCharSize(20);
    const int advance = font->MeasureGlyph(0, 0x4DC0);
    ASSERT_GT(advance, 0);
    const int per_line = (99) / advance;
    const int feeds = static_cast<int>(std::count_if(
        chars.begin(), chars.end(), [](const tr_TextChar& c) { return c.code == '\n'; }));
    EXPECT_EQ(feeds, (16 + per_line - 1) / per_line - 1);
    EXPECT_EQ(chars.size(), 16u + feeds);
}

TEST_F(TextRasterTest, MissingFaceGivesNoImageAndBadTextIsSafe) {
    tr_Font empty;
    EXPECT_FALSE(tr_TextRaster::Render(empty, style, "text", -1, image, chars));
    EXPECT_TRUE(image.pixels.empty());
    style.fonttype = 7;
    EXPECT_FALSE(tr_TextRaster::Render(*font, style, "text", -1, image, chars));
    style.fonttype = 0;
    for (const char* text :
         {"\xF0", "ab\xE2\x82", "<color", "<color r=\"", "<color g>x", "<", "", "\n\n", "<b>"}) {
        Render(text);
        EXPECT_EQ(image.pixels.size(), static_cast<size_t>(image.width) * image.height);
    }
}

} // namespace
