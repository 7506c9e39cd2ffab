// tr_RenderedText: one text block turned into a texture: the generated
// texture (shared, drawn like a sprite), its size in pixels and the laid-out
// character records with the line breaks layout inserted. Owned by the text
// object that asked for it and replaced on every re-render.
#pragma once

#include "engine/render/tr_GeneratedTexture.h"
#include "engine/resources/text/tr_TextChar.h"

#include <memory>
#include <vector>

struct tr_RenderedText {
    std::shared_ptr<tr_GeneratedTexture> texture; // empty when nothing was rendered
    int width = 0;
    int height = 0;
    std::vector<tr_TextChar> chars;

    bool IsEmpty() const { return !texture; }
};
