// tr_GlyphMetrics: where text layout gets glyph advances from. The font
// answers from its faces; layout tests can answer with fixed widths.
#pragma once

class tr_GlyphMetrics {
public:
    virtual ~tr_GlyphMetrics() = default;
    // Horizontal advance in whole pixels of code in style (0..3) at the
    // current size; 0 when there is no face or no glyph for it.
    virtual int MeasureGlyph(int style, int code) const = 0;
};
