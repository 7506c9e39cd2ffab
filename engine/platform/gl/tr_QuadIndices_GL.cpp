#include "engine/platform/gl/tr_QuadIndices_GL.h"

void tr_QuadIndices_GL::Fill(uint16_t* out, int quads) {
    static const uint16_t kPattern[kPerQuad] = {0, 1, 2, 2, 1, 3};
    for (int quad = 0; quad < quads; ++quad) {
        for (int i = 0; i < kPerQuad; ++i)
            *out++ = static_cast<uint16_t>(quad * 4 + kPattern[i]);
    }
}
