// tr_TextLayout: word wrap of character records. Words end after a blank, a
// line feed, . , ! ? : ; and after every CJK code (11905..40958), so CJK text
// breaks anywhere. A line that would reach maxwidth is broken before the word
// that does not fit: the blanks at the break are removed and a line feed
// record is inserted; a blank that would overflow the line is dropped and the
// next word starts the next line, so no line begins with a blank. A word wider than maxwidth gets a
// line of its own and is not split. Works in place on the caller's records.
#pragma once

#include "engine/resources/text/tr_GlyphMetrics.h"
#include "engine/resources/text/tr_TextChar.h"

#include <cstddef>
#include <vector>

struct tr_TextLayoutResult {
    int lines = 1;  // at least 1
    int widest = 0; // pixels
};

class tr_TextLayout {
public:
    // Wraps chars at maxwidth (below 1: no wrapping); fonttype is the style
    // of records whose style is -1.
    static tr_TextLayoutResult Wrap(std::vector<tr_TextChar>& chars, int maxwidth, int fonttype,
                                    const tr_GlyphMetrics& metrics);

    // Width of the line that starts at chars[first], up to the next line feed.
    static int LineWidth(const std::vector<tr_TextChar>& chars, size_t first, int fonttype,
                         const tr_GlyphMetrics& metrics);

    static bool EndsWord(int code);
    static int StyleOf(const tr_TextChar& c, int fonttype) {
        return c.style < 0 ? fonttype : c.style;
    }
};
