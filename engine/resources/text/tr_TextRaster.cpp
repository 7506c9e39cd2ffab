#include "engine/resources/text/tr_TextRaster.h"

#include "engine/resources/text/tr_Font.h"
#include "engine/resources/text/tr_TextGlyphCache.h"
#include "engine/resources/text/tr_TextLayout.h"
#include "engine/resources/text/tr_TextMarkup.h"

#include <algorithm>
#include <cmath>

namespace {

int RoundUpToEven(long value) {
    return static_cast<int>(value + (value & 1));
}

// A float offset from content as whole pixels, kept where it cannot overflow.
int PixelOffset(float value) {
    const float limit = static_cast<float>(tr_TextRaster::kMaxImageSide);
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, -limit, limit));
}

} // namespace

tr_TextStyle tr_TextRaster::Sanitize(const tr_TextStyle& style) {
    tr_TextStyle s = style;
    s.fontsize = std::clamp(s.fontsize, 1, kMaxFontSize);
    if (!(s.linespacing >= 0.0f))
        s.linespacing = 0.0f;
    s.linespacing = std::min(s.linespacing, kMaxLineSpacing);
    s.outline_size = std::clamp(s.outline_size, -kMaxImageSide, kMaxImageSide);
    return s;
}

void tr_TextRaster::ImageSize(int widest, int lines, const tr_TextStyle& style, int& width,
                              int& height) {
    const long w = static_cast<long>(std::min(widest, kMaxImageSide)) + style.fontsize / 2;
    width = std::clamp(RoundUpToEven(w), 2, kMaxImageSide);
    const double h = static_cast<double>(style.linespacing) * style.fontsize * (lines - 1) +
                     1.5 * style.fontsize;
    height = std::clamp(RoundUpToEven(static_cast<long>(std::min(h, 2.0 * kMaxImageSide))), 2,
                        kMaxImageSide);
}

void tr_TextRaster::Composite(uint32_t& pixel, int coverage, float alpha, float red, float green,
                              float blue) {
    // Pass alphas come from content: NaN or nothing leaves the pixel alone,
    // more than opaque is opaque.
    const float a = std::min(static_cast<float>(coverage) * alpha / 255.0f, 1.0f);
    if (!(a > 0.0f))
        return;
    // Colours from content may be anything; NaN and out-of-range values
    // become the nearest byte instead of an undefined conversion.
    const auto to_byte = [](float v) -> uint32_t {
        if (!(v > 0.0f))
            return 0;
        return v >= 255.0f ? 255u : static_cast<uint32_t>(v);
    };
    // Over an empty pixel, or with full opacity, the source colour is taken
    // as it is; this is most of the ink and saves the divisions.
    if (pixel == 0 || a == 1.0f) {
        const float o = pixel == 0 ? a : 1.0f;
        pixel = o > 0.0f ? (to_byte(o * 255.0f) << 24) | (to_byte(red * 255.0f) << 16) |
                               (to_byte(green * 255.0f) << 8) | to_byte(blue * 255.0f)
                         : 0u;
        return;
    }
    const float d = static_cast<float>(pixel >> 24) / 255.0f;
    const float o = a + (1.0f - a) * d;
    uint32_t result = to_byte(o * 255.0f) << 24;
    if (o > 0.0f) {
        const float source[3] = {red, green, blue};
        for (int channel = 0; channel < 3; ++channel) {
            const int shift = 16 - 8 * channel;
            const float c_dst = static_cast<float>((pixel >> shift) & 0xFF) / 255.0f;
            const float value = 255.0f * ((1.0f - a) * c_dst * d / o + a * source[channel] / o);
            result |= to_byte(value) << shift;
        }
    }
    pixel = result;
}

bool tr_TextRaster::Render(tr_Font& font, const tr_TextStyle& raw_style, const std::string& text,
                           int maxwidth, tr_TextImage& image, std::vector<tr_TextChar>& chars) {
    image = tr_TextImage();
    chars.clear();
    const tr_TextStyle style = Sanitize(raw_style);
    if (!font.HasFace(style.fonttype))
        return false;
    font.SetCharSize(style.fontsize);

    tr_TextGlyphCache glyphs(font);
    chars = style.markup ? tr_TextMarkup::Parse(text) : tr_TextMarkup::Plain(text);
    const tr_TextLayoutResult layout = tr_TextLayout::Wrap(chars, maxwidth, style.fonttype, glyphs);
    ImageSize(layout.widest, layout.lines, style, image.width, image.height);
    image.pixels.assign(static_cast<size_t>(image.width) * image.height, 0u);

    // Where each line starts; the same for every pass.
    std::vector<int> line_x;
    bool line_start = true;
    for (size_t i = 0; i < chars.size(); ++i) {
        if (chars[i].code == '\n') {
            if (line_start)
                line_x.push_back(0);
            line_start = true;
            continue;
        }
        if (!line_start)
            continue;
        line_start = false;
        const int width = tr_TextLayout::LineWidth(chars, i, style.fonttype, glyphs);
        int x = style.fontsize / 4;
        if (style.align == 1)
            x = (image.width - width) / 2;
        else if (style.align == 2)
            x = image.width - width - style.fontsize / 4;
        line_x.push_back(std::max(x, 0));
    }

    if (style.display_outline) {
        const int size = style.outline_size;
        const int offsets[4][2] = {{0, -size}, {0, size}, {-size, 0}, {size, 0}};
        for (const auto& offset : offsets) {
            Pass pass{true,
                      style.outline_color_r,
                      style.outline_color_g,
                      style.outline_color_b,
                      style.outline_alpha,
                      offset[0],
                      offset[1]};
            DrawPass(glyphs, style, chars, line_x, pass, image);
        }
    } else if (style.display_shadow) {
        Pass pass{true,
                  style.shadow_color_r,
                  style.shadow_color_g,
                  style.shadow_color_b,
                  style.shadow_alpha,
                  PixelOffset(style.shadow_pos_x),
                  PixelOffset(style.shadow_pos_y)};
        DrawPass(glyphs, style, chars, line_x, pass, image);
    }
    DrawPass(glyphs, style, chars, line_x, Pass(), image);
    return true;
}

void tr_TextRaster::DrawPass(tr_TextGlyphCache& glyphs, const tr_TextStyle& style,
                             const std::vector<tr_TextChar>& chars, const std::vector<int>& line_x,
                             const Pass& pass, tr_TextImage& image) {
    const int pitch = static_cast<int>(style.linespacing * static_cast<float>(style.fontsize));
    long pen_y = style.fontsize;
    long pen_x = 0; // a long line at a large size passes the int range
    size_t line = 0;
    bool line_start = true;
    for (const tr_TextChar& c : chars) {
        if (c.code == '\n') {
            if (line_start)
                ++line;
            pen_y += pitch;
            line_start = true;
            continue;
        }
        if (line_start) {
            pen_x = line < line_x.size() ? line_x[line] : 0;
            ++line;
            line_start = false;
        }
        if (pass.dy + pen_y - 2L * style.fontsize > image.height)
            break; // this line and every later one is below the image
        const tr_GlyphBitmap* found =
            glyphs.Glyph(tr_TextLayout::StyleOf(c, style.fonttype), c.code);
        if (!found)
            continue;
        const tr_GlyphBitmap& glyph = *found;
        float red = style.fontcolor_r, green = style.fontcolor_g, blue = style.fontcolor_b;
        if (pass.has_colour) {
            red = pass.r;
            green = pass.g;
            blue = pass.b;
        } else if (c.coloured) {
            red = c.r;
            green = c.g;
            blue = c.b;
        }
        const float alpha = pass.has_colour ? pass.alpha : 1.0f;
        const long left = pass.dx + glyph.left + pen_x;
        const long top = static_cast<long>(pass.dy) + pen_y - glyph.top;
        // The clip stays in long: far right of the image the distance no
        // longer fits an int.
        const long x_begin = std::max(0L, -left);
        const long x_end = std::min<long>(glyph.width, image.width - left);
        const long y_begin = std::max(0L, -top);
        const long y_end = x_begin < x_end ? std::min<long>(glyph.rows, image.height - top) : 0;
        for (long y = y_begin; y < y_end; ++y) {
            const uint8_t* source = glyph.coverage + y * glyph.pitch;
            uint32_t* target = image.pixels.data() + (top + y) * static_cast<long>(image.width);
            for (long x = x_begin; x < x_end; ++x)
                if (source[x] != 0)
                    Composite(target[left + x], source[x], alpha, red, green, blue);
        }
        pen_x += glyph.advance;
    }
}
