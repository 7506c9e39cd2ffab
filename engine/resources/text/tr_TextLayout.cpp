#include "engine/resources/text/tr_TextLayout.h"

#include <algorithm>
#include <climits>

namespace {

// Widths add up in 64 bits: a very long line at a large size passes the
// int range long before it runs out of characters.
int Saturate(long long width) {
    return static_cast<int>(std::min<long long>(width, INT_MAX));
}

} // namespace

bool tr_TextLayout::EndsWord(int code) {
    switch (code) {
    case ' ':
    case '\n':
    case '.':
    case ',':
    case '!':
    case '?':
    case ':':
    case ';':
        return true;
    default:
        return code >= 11905 && code <= 40958;
    }
}

int tr_TextLayout::LineWidth(const std::vector<tr_TextChar>& chars, size_t first, int fonttype,
                             const tr_GlyphMetrics& metrics) {
    long long width = 0;
    for (size_t i = first; i < chars.size() && chars[i].code != '\n'; ++i)
        width += metrics.MeasureGlyph(StyleOf(chars[i], fonttype), chars[i].code);
    return Saturate(width);
}

tr_TextLayoutResult tr_TextLayout::Wrap(std::vector<tr_TextChar>& chars, int maxwidth, int fonttype,
                                        const tr_GlyphMetrics& metrics) {
    tr_TextLayoutResult result;
    const bool wrapping = maxwidth >= 1;
    // The records are copied into `out` as they are walked, so a break only
    // moves the word at its end, however long the text.
    std::vector<tr_TextChar> out;
    out.reserve(chars.size() + chars.size() / 8);
    long long line_width = 0;
    size_t line_start = 0; // first record of the current line in out
    size_t word_start = 0;
    long long word_width = 0;
    // Set when a blank that did not fit ended the line: the next word then
    // starts a new line, so that line never begins with the blank.
    bool break_due = false;

    for (size_t i = 0; i < chars.size(); ++i) {
        out.push_back(chars[i]);
        const int advance = metrics.MeasureGlyph(StyleOf(chars[i], fonttype), chars[i].code);
        word_width += advance;
        const bool line_feed = chars[i].code == '\n';
        if (!(EndsWord(chars[i].code) || i + 1 == chars.size()))
            continue;
        // The word out[word_start..] is complete. It joins the line when it
        // fits; a line that already holds something is broken before it
        // otherwise (also when the word ends in a line feed, so no line runs
        // past maxwidth).
        const bool overflows = line_width + word_width >= maxwidth;
        const bool lone = word_start + 1 == out.size();
        if (wrapping && word_start > line_start && lone && chars[i].code == ' ' &&
            (overflows || break_due)) {
            // A blank after punctuation is a word of its own; where the line
            // ends it is dropped instead of opening the next line.
            out.pop_back();
            word_width = 0;
            break_due = true;
            continue;
        }
        // A line feed alone ends the line itself: no break in front of it.
        if (wrapping && word_start > line_start && !(lone && line_feed) &&
            (overflows || break_due)) {
            // The blanks at the break end neither line (a line of nothing
            // else keeps one, so no line comes out empty).
            while (word_start > line_start + 1 && out[word_start - 1].code == ' ') {
                line_width -= metrics.MeasureGlyph(StyleOf(out[word_start - 1], fonttype), ' ');
                out.erase(out.begin() + static_cast<long>(word_start) - 1);
                --word_start;
            }
            tr_TextChar feed = out[word_start];
            feed.code = '\n';
            out.insert(out.begin() + static_cast<long>(word_start), feed);
            result.widest = std::max(result.widest, Saturate(line_width));
            ++result.lines;
            line_start = word_start + 1;
            line_width = 0;
            break_due = false;
        }
        line_width += word_width;
        if (line_feed) {
            break_due = false;
            result.widest = std::max(result.widest, Saturate(line_width));
            ++result.lines;
            line_start = out.size();
            line_width = 0;
        }
        word_start = out.size();
        word_width = 0;
    }
    chars.swap(out);
    result.widest = std::max(result.widest, Saturate(line_width));
    return result;
}
