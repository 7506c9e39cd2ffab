// tr_TextRenderer: text to texture. Lays out and rasterizes a block with
// tr_TextRaster and uploads the pixels into a new generated texture. The
// result belongs to the caller; nothing is cached between calls.
#pragma once

#include "engine/render/tr_RenderedText.h"
#include "engine/resources/text/tr_TextStyle.h"

#include <string>

class tr_Font;

class tr_TextRenderer {
public:
    // An empty result when the font has no face for the style's font type or
    // the texture cannot be made.
    static tr_RenderedText RenderText(tr_Font& font, const tr_TextStyle& style,
                                      const std::string& text, int maxwidth);
};
