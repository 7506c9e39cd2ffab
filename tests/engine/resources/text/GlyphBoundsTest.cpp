#include "FontTestSupport.h"
#include "LogCapture.h"

#include "engine/resources/text/tr_Font.h"
#include "engine/resources/text/tr_TextGlyphCache.h"
#include "engine/resources/text/tr_TextRaster.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>

namespace {

const std::string kDamagedFont = TARROW_TEST_CONTENT "/hostile/dejavusans_damaged";
const std::string kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// A font with a few bytes changed (its units per em among them) once took
// 1.65 GB for one text at size 1000: every outline is 18 times its size.
TEST(GlyphBounds, OversizedGlyphsAreNotRenderedAndSayItOnce) {
    LogCapture log;
    tr_Font font;
    ASSERT_TRUE(font.Load(kDamagedFont.c_str()));
    // At 20 pixels the glyphs are ten times too large but fit; at 1000 none does.
    for (int size : {20, 1000}) {
        font.SetCharSize(size);
        int drawn = 0;
        for (char code : kLetters) {
            tr_GlyphBitmap glyph;
            if (!font.RenderGlyph(0, code, glyph))
                continue;
            ++drawn;
            EXPECT_LE(glyph.width, tr_Font::kMaxGlyphSide) << code;
            EXPECT_LE(glyph.rows, tr_Font::kMaxGlyphSide) << code;
            EXPECT_LE(static_cast<long>(glyph.width) * glyph.rows, tr_Font::kMaxGlyphPixels)
                << code;
        }
        if (size == 20)
            EXPECT_GT(drawn, 40); // the rest have damaged outlines FreeType refuses
        else
            EXPECT_EQ(drawn, 0);
    }
    const std::string warning = "Warning: font " + kDamagedFont + " has glyphs too large";
    EXPECT_EQ(log.CountStartingWith(warning), 1);

    tr_TextStyle style;
    style.fontsize = 1000;
    tr_TextImage image;
    std::vector<tr_TextChar> chars;
    EXPECT_TRUE(tr_TextRaster::Render(font, style, kLetters, 1024, image, chars));
    EXPECT_EQ(log.CountStartingWith(warning), 1);
}

TEST(GlyphBounds, CacheDropsTheOldestBitmapsPastItsCapAndRendersThemAgain) {
    tr_Font font;
    ASSERT_TRUE(font.Load(kFontBase.c_str()));
    font.SetCharSize(1500);
    tr_TextGlyphCache cache(font);
    struct Seen {
        int width, rows;
        long sum;
    };
    auto look = [&](char code) {
        const tr_GlyphBitmap* glyph = cache.Glyph(0, code);
        EXPECT_NE(glyph, nullptr) << code;
        long sum = 0;
        for (int y = 0; glyph && y < glyph->rows; ++y)
            sum = std::accumulate(glyph->coverage + y * glyph->pitch,
                                  glyph->coverage + y * glyph->pitch + glyph->width, sum);
        return glyph ? Seen{glyph->width, glyph->rows, sum} : Seen{0, 0, 0};
    };
    size_t rendered_bytes = 0;
    std::vector<Seen> first;
    for (char code : kLetters) {
        first.push_back(look(code));
        rendered_bytes += static_cast<size_t>(first.back().width) * first.back().rows;
        EXPECT_LE(cache.HeldBytes(), tr_TextGlyphCache::kMaxBytes) << code;
    }
    // Well past the cap, so the first letters were dropped.
    ASSERT_GT(rendered_bytes, tr_TextGlyphCache::kMaxBytes + (8u << 20));
    // Asked again, the dropped letters come back the same.
    for (size_t i = 0; i < 3; ++i) {
        const Seen again = look(kLetters[i]);
        EXPECT_EQ(again.width, first[i].width) << kLetters[i];
        EXPECT_EQ(again.rows, first[i].rows) << kLetters[i];
        EXPECT_EQ(again.sum, first[i].sum) << kLetters[i];
    }
}

} // namespace
