#include "engine/render/tr_TextRenderer.h"

#include "engine/resources/text/tr_TextImage.h"
#include "engine/resources/text/tr_TextRaster.h"

tr_RenderedText tr_TextRenderer::RenderText(tr_Font& font, const tr_TextStyle& style,
                                            const std::string& text, int maxwidth) {
    tr_RenderedText result;
    tr_TextImage image;
    if (!tr_TextRaster::Render(font, style, text, maxwidth, image, result.chars))
        return result;
    auto texture = std::make_shared<tr_GeneratedTexture>();
    if (!texture->CreateFromPixels(reinterpret_cast<const uint8_t*>(image.pixels.data()),
                                   image.width, image.height, image.width * 4))
        return result;
    result.texture = std::move(texture);
    result.width = image.width;
    result.height = image.height;
    return result;
}
