// tr_TextRaster: lays a text block out and rasterizes it with a font into a
// tr_TextImage: word wrap at maxwidth, one line per pitch of
// linespacing x fontsize, each line aligned left, centred or right, an
// optional outline (four offset passes) or shadow pass under the main pass,
// all composited "over". Content values are clamped first (font size at
// least 1, line spacing at least 0, image sides at most kMaxImageSide) so bad
// attributes cannot produce an empty or oversized allocation.
#pragma once

#include "engine/resources/text/tr_TextChar.h"
#include "engine/resources/text/tr_TextImage.h"
#include "engine/resources/text/tr_TextStyle.h"

#include <string>
#include <vector>

class tr_Font;
class tr_TextGlyphCache;

class tr_TextRaster {
public:
    static constexpr int kMaxImageSide = 4096;
    static constexpr int kMaxFontSize = 2048;
    static constexpr float kMaxLineSpacing = 100.0f;

    // Renders text (UTF-8 with inline tags) into image and leaves the
    // laid-out records in chars. False, with an empty image, when the font
    // has no face for the style's default font type.
    static bool Render(tr_Font& font, const tr_TextStyle& style, const std::string& text,
                       int maxwidth, tr_TextImage& image, std::vector<tr_TextChar>& chars);

    // The style with content values brought into range.
    static tr_TextStyle Sanitize(const tr_TextStyle& style);

    // Image size for a layout: widest line + fontsize / 2 by
    // linespacing x fontsize x (lines - 1) + 1.5 x fontsize, each rounded up
    // to even and capped.
    static void ImageSize(int widest, int lines, const tr_TextStyle& style, int& width,
                          int& height);

    // "Over" of one coverage sample (0..255) at pass alpha onto a pixel.
    static void Composite(uint32_t& pixel, int coverage, float alpha, float red, float green,
                          float blue);

private:
    struct Pass {
        bool has_colour = false;
        float r = 1.0f, g = 1.0f, b = 1.0f, alpha = 1.0f;
        int dx = 0, dy = 0;
    };
    static void DrawPass(tr_TextGlyphCache& glyphs, const tr_TextStyle& style,
                         const std::vector<tr_TextChar>& chars, const std::vector<int>& line_x,
                         const Pass& pass, tr_TextImage& image);
};
