#include "game/level/tp_TextEditCaret.h"

#include "engine/resources/text/tr_TextLayout.h"

void tp_TextEditCaret::Place(const std::vector<tp_TextEditChar>& chars, int cursor,
                             const tp_TextEditCaretStyle& style, float& x, float& y) {
    std::vector<int> lines;
    int line_width = 0;
    int word_width = 0;
    int caret_in_word = -1; // width of the word up to the caret, while the caret is in it
    int caret_line = 0;
    int caret_width = 0;
    const int marked = cursor - 1; // the caret stands after this character
    for (int i = 0; i < int(chars.size()); ++i) {
        const tp_TextEditChar& c = chars[size_t(i)];
        if (c.code == '\n') {
            word_width = 0;
            lines.push_back(line_width);
            line_width = 0;
            if (i == marked) {
                caret_line = int(lines.size());
                caret_width = 0;
            }
            continue;
        }
        word_width += c.advance;
        if (i == marked)
            caret_in_word = word_width;
        if (!tr_TextLayout::EndsWord(c.code) && i + 1 < int(chars.size()))
            continue;
        if (style.maxwidth > 0 && line_width > 0 && line_width + word_width >= style.maxwidth) {
            lines.push_back(line_width);
            line_width = 0;
        }
        if (caret_in_word >= 0) {
            caret_line = int(lines.size());
            caret_width = line_width + caret_in_word;
            caret_in_word = -1;
        }
        line_width += word_width;
        word_width = 0;
    }
    lines.push_back(line_width);

    const float f = style.fontsize;
    const float line_of_caret = float(lines[size_t(caret_line)]);
    if (style.align == 0)
        x = f / 4 + caret_width + 1;
    else if (style.align == 2)
        x = caret_width - line_of_caret - f / 4 + 1;
    else
        x = caret_width - line_of_caret / 2 + 1;
    const float pitch = style.linespacing * f;
    if (style.align_v == 0)
        y = 1.25f * f + pitch * caret_line;
    else if (style.align_v == 2)
        y = -0.25f * f - pitch * (float(lines.size()) - caret_line - 1);
    else
        y = 1.25f * f - style.block_height / 2 + pitch * caret_line;
}
