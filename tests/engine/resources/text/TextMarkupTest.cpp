#include "engine/resources/text/tr_TextMarkup.h"

#include <gtest/gtest.h>

namespace {

std::string Codes(const std::vector<tr_TextChar>& chars) {
    std::string s;
    for (const tr_TextChar& c : chars)
        s += static_cast<char>(c.code);
    return s;
}

TEST(TextMarkup, DecodesUtf8AndKeepsBadBytesAsThemselves) {
    EXPECT_EQ(tr_TextMarkup::DecodeUtf8("A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"),
              (std::vector<int32_t>{'A', 0xE9, 0x20AC, 0x1F600}));
    // A string table's non-breaking space is a single byte 160.
    EXPECT_EQ(tr_TextMarkup::DecodeUtf8("a\xA0z"), (std::vector<int32_t>{'a', 160, 'z'}));
    // Cut short at the end of the text: nothing past the end is read.
    EXPECT_EQ(tr_TextMarkup::DecodeUtf8("x\xF0\x9F"), (std::vector<int32_t>{'x', 0xF0, 0x9F}));
    EXPECT_EQ(tr_TextMarkup::DecodeUtf8(std::string("\xE2", 1)), (std::vector<int32_t>{0xE2}));
    // A lead byte followed by something that is not a continuation byte.
    EXPECT_EQ(tr_TextMarkup::DecodeUtf8("\xC3z"), (std::vector<int32_t>{0xC3, 'z'}));
    EXPECT_TRUE(tr_TextMarkup::DecodeUtf8("").empty());
}

TEST(TextMarkup, StyleTagsApplyToTheFollowingCharacters) {
    const std::vector<tr_TextChar> chars = tr_TextMarkup::Parse("<b>Bo</b> n<i>i</i><bi>x</x>y");
    ASSERT_EQ(Codes(chars), "Bo nixy");
    const int expected[] = {1, 1, -1, -1, 2, 3, -1};
    for (size_t i = 0; i < chars.size(); ++i)
        EXPECT_EQ(chars[i].style, expected[i]) << i;
}

TEST(TextMarkup, ColourTagsColourUntilTheClosingTag) {
    const std::vector<tr_TextChar> chars =
        tr_TextMarkup::Parse("a<color r=\"1\" g=\"0.5\" b=\"0\">bc</color>d");
    ASSERT_EQ(Codes(chars), "abcd");
    EXPECT_FALSE(chars[0].coloured);
    EXPECT_TRUE(chars[1].coloured);
    EXPECT_FLOAT_EQ(chars[1].r, 1.0f);
    EXPECT_FLOAT_EQ(chars[1].g, 0.5f);
    EXPECT_FLOAT_EQ(chars[2].b, 0.0f);
    EXPECT_FALSE(chars[3].coloured);
    EXPECT_FLOAT_EQ(chars[3].g, 1.0f);
    // A style end tag leaves the colour alone.
    const std::vector<tr_TextChar> mixed =
        tr_TextMarkup::Parse("<b><color r=\"0\" g=\"0\" b=\"1\">x</b>y");
    ASSERT_EQ(Codes(mixed), "xy");
    EXPECT_EQ(mixed[1].style, -1);
    EXPECT_TRUE(mixed[1].coloured);
    EXPECT_FLOAT_EQ(mixed[1].b, 1.0f);
}

TEST(TextMarkup, MalformedTagsAreSafe) {
    // No components at all: the tag is dropped and changes nothing.
    std::vector<tr_TextChar> chars = tr_TextMarkup::Parse("<color>a<color r= g>b");
    ASSERT_EQ(Codes(chars), "ab");
    EXPECT_FALSE(chars[0].coloured);
    EXPECT_FALSE(chars[1].coloured);
    // A missing component counts as 1.
    chars = tr_TextMarkup::Parse("<color r=\"0.25\">a");
    ASSERT_EQ(Codes(chars), "a");
    EXPECT_TRUE(chars[0].coloured);
    EXPECT_FLOAT_EQ(chars[0].r, 0.25f);
    EXPECT_FLOAT_EQ(chars[0].g, 1.0f);
    EXPECT_FLOAT_EQ(chars[0].b, 1.0f);
    // Unknown tags vanish; a "<" that nothing closes is text.
    EXPECT_EQ(Codes(tr_TextMarkup::Parse("a<blink>b")), "ab");
    EXPECT_EQ(Codes(tr_TextMarkup::Parse("1 < 2")), "1 < 2");
    EXPECT_EQ(Codes(tr_TextMarkup::Parse("x<color r=\"1")), "x<color r=\"1");
    EXPECT_EQ(Codes(tr_TextMarkup::Parse("<>a<")), "a<");
    // A long run of unclosed "<" is text, read in one pass.
    const std::string brackets(50000, '<');
    EXPECT_EQ(Codes(tr_TextMarkup::Parse("<b>" + brackets + "x")), brackets + "x");
}

} // namespace
