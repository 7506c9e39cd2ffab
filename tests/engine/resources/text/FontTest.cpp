#include "engine/resources/text/tr_Font.h"
#include "engine/resources/text/tr_FontScramble.h"

#include "FontTestSupport.h"
#include "LogCapture.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// The key transform done the long way, in 64-bit arithmetic reduced to 32 bits.
int32_t ReferenceTransform(int32_t f) {
    const int64_t r =
        5LL * f + 100LL * (f / 100) + f / 2 - 10LL * (f / 10) - 7LL * (f / 7) - 3LL * (f / 3);
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(r)));
}

TEST(FontScramble, TransformWrapsLikeSigned32BitArithmetic) {
    std::mt19937 random(7);
    for (int n = 0; n < 10000; ++n) {
        const int32_t f = static_cast<int32_t>(random());
        ASSERT_EQ(tr_FontScramble::Transform(f), ReferenceTransform(f)) << f;
    }
    for (int32_t f : {0, 1, -1, 99, 100, -100, INT32_MAX, INT32_MIN})
        EXPECT_EQ(tr_FontScramble::Transform(f), ReferenceTransform(f)) << f;
}

TEST(FontScramble, SizeRuleAndRoundTrip) {
    const size_t length = tr_FontScramble::KeyLength();
    ASSERT_GT(length, 8u);
    std::mt19937 random(3);
    for (size_t size : {size_t(0), size_t(1), length - 1, length, length + 1, 2 * length + 1,
                        2 * length + 2, 5 * (length + 1), size_t(1000)}) {
        std::vector<uint8_t> veiled(size);
        for (uint8_t& b : veiled)
            b = static_cast<uint8_t>(random());
        EXPECT_EQ(tr_FontScramble::Unscramble(veiled.data(), size).size(),
                  size - size / (length + 1))
            << size;

        std::vector<uint8_t> plain(size);
        for (uint8_t& b : plain)
            b = static_cast<uint8_t>(random());
        const std::vector<uint8_t> scrambled = tr_FontScramble::Scramble(plain.data(), size);
        EXPECT_EQ(scrambled.size(), size + size / length) << size;
        EXPECT_EQ(tr_FontScramble::Unscramble(scrambled.data(), scrambled.size()), plain) << size;
        if (size >= length) {
            EXPECT_NE(std::vector<uint8_t>(scrambled.begin(), scrambled.begin() + length),
                      std::vector<uint8_t>(plain.begin(), plain.begin() + length));
        }
    }
}

TEST(Font, LoadsTheFourStylesOfTheShippedFamily) {
    LogCapture log;
    tr_Font font;
    EXPECT_EQ(font.GetName(), "tr_dummyfont");
    ASSERT_TRUE(font.Load(kFontBase.c_str()));
    EXPECT_EQ(font.GetName(), kFontBase);
    EXPECT_EQ(font.GetFaceName(0), "DejaVu Sans Book");
    EXPECT_EQ(font.GetFaceName(1), "DejaVu Sans Bold");
    EXPECT_EQ(font.GetFaceName(2), "DejaVu Sans Oblique");
    EXPECT_EQ(font.GetFaceName(3), "DejaVu Sans Bold Oblique");
    EXPECT_TRUE(log.lines.empty());

    font.SetCharSize(24);
    EXPECT_GT(font.MeasureGlyph(0, 'W'), font.MeasureGlyph(0, 'i'));
    EXPECT_GE(font.MeasureGlyph(1, 'a'), font.MeasureGlyph(0, 'a'));
    EXPECT_EQ(font.MeasureGlyph(0, 0x4E00), 0); // no CJK ideographs in this family
    EXPECT_EQ(font.MeasureGlyph(0, '\n'), 0);
    EXPECT_EQ(font.MeasureGlyph(4, 'a'), 0);
    EXPECT_GT(font.MeasureGlyph(0, 0x4DC0), 0); // hexagram symbols are there
}

TEST(Font, WindowsStylePathsFindTheFiles) {
    tr_Font font;
    ASSERT_TRUE(font.Load(TARROW_SOURCE_DIR "\\Assets\\FONTS\\DejaVuSans"));
    EXPECT_TRUE(font.HasFace(0));
    EXPECT_TRUE(font.HasFace(3));
}

TEST(Font, ScrambledFileAndTrueTypeFileGiveTheSameFace) {
    ScratchDir dir;
    const std::vector<uint8_t> veiled = ReadBytes(kFontBase + ".trfnt");
    ASSERT_FALSE(veiled.empty());
    const std::vector<uint8_t> plain = tr_FontScramble::Unscramble(veiled.data(), veiled.size());
    // The shipped file is what the scrambler makes of the TrueType bytes.
    EXPECT_EQ(tr_FontScramble::Scramble(plain.data(), plain.size()), veiled);
    WriteBytes(dir.path + "/plain.ttf", plain);

    LogCapture log;
    tr_Font from_ttf;
    ASSERT_TRUE(from_ttf.Load((dir.path + "/plain").c_str()));
    EXPECT_EQ(log.Count("Warning: using deprecated font format: " + dir.path + "/plain.ttf."), 1);
    EXPECT_TRUE(from_ttf.HasFace(0));
    EXPECT_FALSE(from_ttf.HasFace(1));

    tr_Font from_trfnt;
    ASSERT_TRUE(from_trfnt.Load(kFontBase.c_str()));
    EXPECT_EQ(from_ttf.GetFaceName(0), from_trfnt.GetFaceName(0));
    EXPECT_EQ(from_ttf.GetGlyphCount(0), from_trfnt.GetGlyphCount(0));
    from_ttf.SetCharSize(30);
    from_trfnt.SetCharSize(30);
    for (int code : {int('A'), int('g'), int('@'), 0xE9, 0x20AC}) {
        tr_GlyphBitmap a, b;
        ASSERT_TRUE(from_ttf.RenderGlyph(0, code, a));
        const std::vector<uint8_t> first(a.coverage, a.coverage + a.rows * a.pitch);
        ASSERT_TRUE(from_trfnt.RenderGlyph(0, code, b));
        const std::vector<uint8_t> second(b.coverage, b.coverage + b.rows * b.pitch);
        EXPECT_EQ(first, second) << code;
        EXPECT_EQ(a.advance, b.advance);
        EXPECT_EQ(a.left, b.left);
        EXPECT_EQ(a.top, b.top);
    }
}

TEST(Font, MissingFontIsAnErrorAndLoadsAgainLater) {
    ScratchDir dir;
    LogCapture log;
    tr_Font font;
    const std::string base = dir.path + "/absent";
    EXPECT_FALSE(font.Load(base.c_str()));
    EXPECT_EQ(log.Count("Error: font " + base + " could not find \"" + base + "\" file to load!"),
              1);
    EXPECT_FALSE(font.HasFace(0));
}

// Damaged files of both kinds: the font reports the error and holds no face.
TEST(Font, TruncatedOrCorruptFilesGiveTheErrorAndAnEmptyFont) {
    ScratchDir dir;
    const std::vector<uint8_t> veiled = ReadBytes(kFontBase + ".trfnt");
    const std::vector<uint8_t> plain = tr_FontScramble::Unscramble(veiled.data(), veiled.size());
    std::mt19937 random(11);
    std::vector<uint8_t> noise(4096);
    for (uint8_t& b : noise)
        b = static_cast<uint8_t>(random());

    struct Case {
        std::string extension;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases = {
        {".trfnt", {}},
        {".trfnt", std::vector<uint8_t>(veiled.begin(), veiled.begin() + 11)},
        {".trfnt", std::vector<uint8_t>(veiled.begin(), veiled.begin() + 2000)},
        {".trfnt", noise},
        {".trfnt", plain}, // a TrueType file renamed: unscrambling ruins it
        {".ttf", std::vector<uint8_t>(plain.begin(), plain.begin() + 7)},
        {".ttf", std::vector<uint8_t>(plain.begin(), plain.begin() + 3000)},
        {".ttf", noise},
    };
    int index = 0;
    for (const Case& c : cases) {
        const std::string base = dir.path + "/bad" + std::to_string(index++);
        WriteBytes(base + c.extension, c.bytes);
        LogCapture log;
        tr_Font font;
        EXPECT_FALSE(font.Load(base.c_str())) << base << c.extension;
        EXPECT_EQ(
            log.Count("Error: font " + base + " could not find \"" + base + "\" file to load!"), 1)
            << base << c.extension;
        for (int style = 0; style < tr_Font::kStyleCount; ++style)
            EXPECT_FALSE(font.HasFace(style));
        if (c.extension == ".ttf") {
            EXPECT_EQ(log.CountStartingWith("Warning: using deprecated font format: "), 1);
        }
    }
}

// A scrambled file cut anywhere never crashes: it is refused, or what opens
// can be measured and drawn.
TEST(Font, ScrambledFileCutAtManyPlacesIsHandledSafely) {
    ScratchDir dir;
    const std::vector<uint8_t> veiled = ReadBytes(kFontBase + "_b.trfnt");
    for (size_t cut : {veiled.size() / 8, veiled.size() / 3, veiled.size() / 2,
                       veiled.size() - 5000, veiled.size() - 1}) {
        const std::string base = dir.path + "/cut" + std::to_string(cut);
        WriteBytes(base + ".trfnt", std::vector<uint8_t>(veiled.begin(), veiled.begin() + cut));
        LogCapture log;
        tr_Font font;
        if (!font.Load(base.c_str())) {
            EXPECT_EQ(log.CountStartingWith("Error: font "), 1);
            continue;
        }
        font.SetCharSize(20);
        tr_GlyphBitmap glyph;
        for (int code = 32; code < 600; ++code) {
            font.MeasureGlyph(0, code);
            font.RenderGlyph(0, code, glyph);
        }
    }
}

TEST(Font, BrokenScrambledFileFallsBackToTheTrueTypeFile) {
    ScratchDir dir;
    const std::vector<uint8_t> veiled = ReadBytes(kFontBase + "_i.trfnt");
    const std::vector<uint8_t> plain = tr_FontScramble::Unscramble(veiled.data(), veiled.size());
    const std::string base = dir.path + "/fallback";
    WriteBytes(base + ".trfnt", std::vector<uint8_t>(veiled.begin(), veiled.begin() + 100));
    WriteBytes(base + ".ttf", plain);
    LogCapture log;
    tr_Font font;
    ASSERT_TRUE(font.Load(base.c_str()));
    EXPECT_EQ(font.GetFaceName(0), "DejaVu Sans Oblique");
    EXPECT_EQ(log.Count("Warning: using deprecated font format: " + base + ".ttf."), 1);
}

} // namespace
