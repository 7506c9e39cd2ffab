// tr_GlyphBitmap: a rendered glyph as 8-bit coverage, borrowed from the font
// that rendered it and valid until that font renders the next glyph.
#pragma once

#include <cstdint>

struct tr_GlyphBitmap {
    const uint8_t* coverage = nullptr; // rows of `pitch` bytes, 0..255
    int width = 0;
    int rows = 0;
    int pitch = 0;
    int left = 0;    // from the pen to the bitmap's left edge
    int top = 0;     // from the baseline up to the bitmap's top edge
    int advance = 0; // pen movement in whole pixels
};
