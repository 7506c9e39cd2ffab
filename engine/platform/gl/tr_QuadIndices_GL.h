// tr_QuadIndices_GL: the index pattern shared by every quad the GL renderer
// batches. A quad's vertices come top-left, top-right, bottom-left,
// bottom-right (tr_QuadGeometry); its triangles are (0, 1, 2) and (2, 1, 3),
// which wind the same way and meet on the diagonal 1-2. Mesa's software
// rasteriser takes such a pair of an axis-aligned quad for one rectangle and
// fills it without edge tests; the strip order (0, 1, 2), (1, 2, 3) winds
// the second triangle the other way, and the pair is drawn as two triangles.
// Stateless; tr_Render_GL fills its static index buffer with it.
#pragma once

#include <cstdint>

class tr_QuadIndices_GL {
public:
    static constexpr int kPerQuad = 6;

    // Writes kPerQuad indices for each of quads quads into out; quad q uses
    // vertices 4q to 4q + 3.
    static void Fill(uint16_t* out, int quads);
};
