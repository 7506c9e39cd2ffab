#include "engine/resources/text/tr_TextLayout.h"

#include "engine/resources/text/tr_TextMarkup.h"

#include <gtest/gtest.h>

namespace {

// Every glyph 10 pixels wide except the line feed; bold glyphs 12.
class FixedMetrics : public tr_GlyphMetrics {
public:
    int MeasureGlyph(int style, int code) const override {
        if (code == '\n')
            return 0;
        return style == 1 ? 12 : 10;
    }
};

std::string Codes(const std::vector<tr_TextChar>& chars) {
    std::string s;
    for (const tr_TextChar& c : chars)
        s += c.code < 128 ? static_cast<char>(c.code) : '#';
    return s;
}

struct Wrapped {
    std::string text;
    tr_TextLayoutResult result;
};

Wrapped Wrap(const std::string& text, int maxwidth) {
    std::vector<tr_TextChar> chars = tr_TextMarkup::Parse(text);
    const tr_TextLayoutResult result = tr_TextLayout::Wrap(chars, maxwidth, 0, FixedMetrics());
    return {Codes(chars), result};
}

TEST(TextLayout, BreaksBeforeTheWordThatDoesNotFitAndDropsTheBlank) {
    const Wrapped w = Wrap("aaa bbb ccc ddd", 100);
    EXPECT_EQ(w.text, "aaa bbb\nccc ddd");
    EXPECT_EQ(w.result.lines, 2);
    EXPECT_EQ(w.result.widest, 70);
    // A line must stay below maxwidth: 100 exactly does not fit.
    EXPECT_EQ(Wrap("aaaa bbbb", 100).text, "aaaa bbbb");
    EXPECT_EQ(Wrap("aaaa bbbbc", 100).text, "aaaa\nbbbbc");
}

TEST(TextLayout, ALongWordStaysWholeOnItsOwnLine) {
    const Wrapped w = Wrap("aa ooooooooooooooo bb", 100);
    EXPECT_EQ(w.text, "aa\nooooooooooooooo\nbb");
    EXPECT_EQ(w.result.lines, 3);
    EXPECT_EQ(w.result.widest, 150);
    // At the start of the text it does not push an empty line in front.
    EXPECT_EQ(Wrap("ooooooooooooooo bb", 100).text, "ooooooooooooooo\nbb");
}

TEST(TextLayout, ALongTextWrapsIntoManyLines) {
    std::string text;
    for (int i = 0; i < 30000; ++i)
        text += "aaa bbb ";
    const Wrapped w = Wrap(text, 100);
    EXPECT_EQ(w.result.lines, 30000);
    EXPECT_EQ(w.result.widest, 80); // the last line keeps its trailing blank
    EXPECT_EQ(w.text.compare(0, 16, "aaa bbb\naaa bbb\n"), 0);
    EXPECT_EQ(w.text.size(), text.size()); // each break trades a blank for a line feed
}

TEST(TextLayout, WidthsBeyondTheIntRangeSaturate) {
    class HugeMetrics : public tr_GlyphMetrics {
    public:
        int MeasureGlyph(int, int) const override { return 1 << 20; }
    };
    std::vector<tr_TextChar> chars = tr_TextMarkup::Parse(std::string(3000, 'a'));
    EXPECT_EQ(tr_TextLayout::LineWidth(chars, 0, 0, HugeMetrics()), INT32_MAX);
    const tr_TextLayoutResult r = tr_TextLayout::Wrap(chars, -1, 0, HugeMetrics());
    EXPECT_EQ(r.widest, INT32_MAX);
    EXPECT_EQ(r.lines, 1);
}

TEST(TextLayout, NoWrappingBelowOne) {
    for (int maxwidth : {-1, 0}) {
        const Wrapped w = Wrap("aaa bbb ccc ddd eee fff", maxwidth);
        EXPECT_EQ(w.text, "aaa bbb ccc ddd eee fff");
        EXPECT_EQ(w.result.lines, 1);
        EXPECT_EQ(w.result.widest, 230);
    }
}

TEST(TextLayout, LineFeedsEndLinesAndTheirWordsStillWrap) {
    Wrapped w = Wrap("ab\ncdef\n", -1);
    EXPECT_EQ(w.result.lines, 3);
    EXPECT_EQ(w.result.widest, 40);
    w = Wrap("aaaa bbbbbb\ncc", 100);
    EXPECT_EQ(w.text, "aaaa\nbbbbbb\ncc");
    EXPECT_EQ(w.result.lines, 3);
    EXPECT_EQ(w.result.widest, 60);
}

TEST(TextLayout, PunctuationEndsWords) {
    EXPECT_EQ(Wrap("aaaaa,bbbbb.ccc", 100).text, "aaaaa,\nbbbbb.ccc");
}

TEST(TextLayout, NoLineStartsWithTheBlankAtItsBreak) {
    // A blank after punctuation is a word of its own: where it does not fit
    // it is dropped, and the next word still starts the next line.
    const struct {
        const char* text;
        int maxwidth;
        const char* wrapped;
        int lines;
    } cases[] = {
        {"aaaaaaaaa, bbb", 100, "aaaaaaaaa,\nbbb", 2},
        {"aaa. bb", 100, "aaa. bb", 1},            // all on one line
        {"aaaaaaa. bbb", 100, "aaaaaaa.\nbbb", 2}, // it fits, but ends the line
        {"aaaaaaaa. bbb", 100, "aaaaaaaa.\nbbb", 2},
        {"aaaaaaaaa,  bbb", 100, "aaaaaaaaa,\nbbb", 2},
        {"aaaa  bbbbb", 100, "aaaa\nbbbbb", 2},
        {"aaaaaaaaa, ", 100, "aaaaaaaaa,", 1},         // nothing after it
        {"aaaaaaaaa, \nbb", 100, "aaaaaaaaa,\nbb", 2}, // the feed is the break
        {"aa, bb, cc, dd", 75, "aa, bb,\ncc, dd", 2},
    };
    for (const auto& c : cases) {
        const Wrapped w = Wrap(c.text, c.maxwidth);
        EXPECT_EQ(w.text, c.wrapped) << c.text;
        EXPECT_EQ(w.result.lines, c.lines) << c.text;
    }
}

TEST(TextLayout, CjkTextBreaksBetweenAnyTwoIdeographs) {
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "\xE4\xB8\x80"; // U+4E00
    const Wrapped w = Wrap(text, 55);
    EXPECT_EQ(w.text, "#####\n#####\n##");
    EXPECT_EQ(w.result.lines, 3);
    EXPECT_EQ(w.result.widest, 50);
}

TEST(TextLayout, StylesAreMeasuredWithTheirOwnFace) {
    std::vector<tr_TextChar> chars = tr_TextMarkup::Parse("<b>aaaa</b> bbbb");
    EXPECT_EQ(tr_TextLayout::LineWidth(chars, 0, 0, FixedMetrics()), 48 + 50);
    EXPECT_EQ(tr_TextLayout::LineWidth(chars, 0, 1, FixedMetrics()), 48 + 60);
    const tr_TextLayoutResult r = tr_TextLayout::Wrap(chars, 90, 0, FixedMetrics());
    EXPECT_EQ(Codes(chars), "aaaa\nbbbb");
    EXPECT_EQ(r.widest, 48);
}

} // namespace
