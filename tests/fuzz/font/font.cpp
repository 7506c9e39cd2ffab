// Fonts: a face opened from memory (the way unscrambled ".trfnt" files are),
// then glyphs measured and rendered.
#include "engine/resources/text/tr_Font.h"
#include "engine/resources/text/tr_GlyphBitmap.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tr_Font font;
    if (!font.OpenFaceFromMemory(0, std::vector<uint8_t>(data, data + size)))
        return 0;
    font.SetCharSize(24);
    for (int code : {0x41, 0x67, 0x20, 0xE9, 0x4E2D}) {
        font.MeasureGlyph(0, code);
        tr_GlyphBitmap bitmap;
        font.RenderGlyph(0, code, bitmap);
    }
    return 0;
}
