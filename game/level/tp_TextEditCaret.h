// tp_TextEditCaret: where the text-edit field draws its caret. Walks the
// field's characters with their measured advances the way the text object
// wraps words into lines, finds the caret's line and its width up to the
// caret, and turns that into a point in the field's own space for the
// block's alignment. Stateless; the field owns its characters.
#pragma once

#include <vector>

struct tp_TextEditChar {
    int code = 0;
    int advance = 0; // pixels
};

struct tp_TextEditCaretStyle {
    int align = 1;   // 0 left, 1 centre, 2 right
    int align_v = 1; // 0 top, 1 centre, 2 bottom
    float fontsize = 20.0f;
    float linespacing = 1.0f;
    int maxwidth = -1;      // below 1: no wrapping
    float block_height = 0; // height of the rendered block
};

class tp_TextEditCaret {
public:
    // The caret's foot for cursor (0 .. chars.size()); the line is drawn
    // upwards from it.
    static void Place(const std::vector<tp_TextEditChar>& chars, int cursor,
                      const tp_TextEditCaretStyle& style, float& x, float& y);
};
