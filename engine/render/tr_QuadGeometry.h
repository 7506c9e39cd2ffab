// tr_QuadGeometry: the platform-neutral part of a quad draw, shared by every
// back end so that filtering choice, vertex order and colours are the same on
// the GL and the null renderer: skip rules, the object-space quad, the
// pixel-exact test that selects point sampling, and the world matrix with the
// back end's pixel-centre shift.
#pragma once

#include "engine/render/tr_DrawState.h"
#include "engine/render/tr_Matrix.h"
#include "engine/render/tr_Rect.h"
#include "engine/render/tr_Vertex.h"

class tr_DeviceTexture;
class tr_Texture;

struct tr_QuadGeometry {
    // Top-left, top-right, bottom-left, bottom-right (a two-triangle strip),
    // in object space: the texture rectangle moved by the draw offset.
    tr_Vertex vertices[4];
    bool point_sampling = false;
    // The quad hides what lies beneath it exactly: an opaque texture drawn
    // in the normal blend mode at full alpha, so blending cannot change it.
    bool opaque = false;

    // Fills the quad for texture and state; false when the draw is skipped
    // (no texture, or alpha outside 0..1).
    bool Build(const tr_Texture* texture, const tr_DrawState& state);

    // Build writing the vertices to out[0..3] and the flags to quad_flags,
    // for callers that keep vertices in storage of their own (a batch). With
    // a transform, the positions are those tr_TransformVertices would make
    // of the object-space ones.
    struct Flags {
        bool point_sampling = false;
        bool opaque = false;
        // The texture's device texture for the state's frame; null draws
        // untextured.
        const tr_DeviceTexture* device = nullptr;
    };
    static bool BuildInto(const tr_Texture* texture, const tr_DrawState& state,
                          const tr_Matrix* transform, tr_Vertex* out, Flags& quad_flags);
};

// Whether a quad with corners x0..x1, y0..y1 lands on whole pixels under m:
// no rotation or shear, unit scale (mirroring allowed) and every transformed
// corner within 1/512 of a pixel edge, so that each pixel centre falls on a
// texel centre and point sampling shows what linear sampling would.
bool tr_IsPixelExact(const tr_Matrix& m, float x0, float y0, float x1, float y1);

// Whether a draw in this state changes no pixel: the normal and additive
// modes at an alpha that packs to 0. The multiply modes ignore alpha. Inline:
// asked for every quad drawn.
inline bool tr_IsInvisible(const tr_DrawState& state) {
    return (state.blend == TR_BLEND_NORMAL || state.blend == TR_BLEND_ADD) &&
           tr_PackChannel(state.alpha) == 0;
}

// Whether the transformed vertices all lie beyond one edge of the view
// rectangle (x, y, w, h), so that nothing of them can be seen. Inline, like
// tr_TransformVertices: called with a constant count for every quad drawn.
// Most quads are seen, and then their first vertex is beyond no edge: that
// answer comes after four comparisons.
inline bool tr_IsOutsideView(const tr_Vertex* vertices, int count, const int view[4]) {
    const float left_edge = static_cast<float>(view[0]);
    const float right_edge = static_cast<float>(view[0] + view[2]);
    const float top_edge = static_cast<float>(view[1]);
    const float bottom_edge = static_cast<float>(view[1] + view[3]);
    bool left = true, right = true, above = true, below = true;
    for (int i = 0; i < count; ++i) {
        left = left && vertices[i].x <= left_edge;
        right = right && vertices[i].x >= right_edge;
        above = above && vertices[i].y <= top_edge;
        below = below && vertices[i].y >= bottom_edge;
        if (!(left || right || above || below))
            return false;
    }
    return true;
}

// The draw matrix with shift subtracted from its translation. Direct3D 9
// style back ends shift by 0.5 so texel centres land on pixel centres; GL
// pixel centres already sit at +0.5, so the GL back end passes 0.
tr_Matrix tr_ShiftToPixelCentres(const tr_Matrix& m, float shift);

// Moves each vertex position through m (p' = p * m).
inline void tr_TransformVertices(tr_Vertex* vertices, int count, const tr_Matrix& m) {
    for (int i = 0; i < count; ++i)
        m.TransformPoint(vertices[i].x, vertices[i].y);
}
