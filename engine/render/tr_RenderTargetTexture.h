// tr_RenderTargetTexture: a generated texture the renderer draws into
// between BeginRenderToTexture and EndRenderToTexture. The renderer owns the
// active one and hands it out (shared) at the end of the pass.
#pragma once

#include "engine/render/tr_GeneratedTexture.h"

class tr_RenderTargetTexture : public tr_GeneratedTexture {
public:
    // Allocates a drawable texture (odd sizes grow by one); the contents are
    // undefined until the renderer clears it.
    bool Create(int width, int height);
};
