#include "engine/render/tr_QuadGeometry.h"

#include "engine/render/tr_Texture.h"

#include <cmath>

namespace {

const float kScaleTolerance = 0.0001f;
const float kPixelTolerance = 1.0f / 512.0f;

bool NearWhole(float v) {
    return std::fabs(v - std::round(v)) <= kPixelTolerance;
}

bool NearUnit(float v) {
    return std::fabs(std::fabs(v) - 1.0f) <= kScaleTolerance;
}

} // namespace

bool tr_IsPixelExact(const tr_Matrix& m, float x0, float y0, float x1, float y1) {
    return m[1] == 0.0f && m[4] == 0.0f && NearUnit(m[0]) && NearUnit(m[5]) &&
           NearWhole(x0 * m[0] + m[12]) && NearWhole(x1 * m[0] + m[12]) &&
           NearWhole(y0 * m[5] + m[13]) && NearWhole(y1 * m[5] + m[13]);
}

tr_Matrix tr_ShiftToPixelCentres(const tr_Matrix& m, float shift) {
    tr_Matrix shifted = m;
    shifted[12] -= shift;
    shifted[13] -= shift;
    return shifted;
}

bool tr_QuadGeometry::Build(const tr_Texture* texture, const tr_DrawState& state) {
    Flags quad_flags;
    if (!BuildInto(texture, state, nullptr, vertices, quad_flags))
        return false;
    point_sampling = quad_flags.point_sampling;
    opaque = quad_flags.opaque;
    return true;
}

bool tr_QuadGeometry::BuildInto(const tr_Texture* texture, const tr_DrawState& state,
                                const tr_Matrix* transform, tr_Vertex* out, Flags& quad_flags) {
    if (!texture || state.alpha < 0.0f || state.alpha > 1.0f)
        return false;
    tr_Texture::Quad quad;
    texture->GetQuad(state, quad);
    const tr_Rect& rect = quad.rect;
    const tr_Rect& uv = quad.uv;
    quad_flags.device = quad.device;
    const float x0 = rect.x + state.offset_x;
    const float x1 = x0 + rect.w;
    const float y0 = rect.y + state.offset_y;
    const float y1 = y0 + rect.h;
    // A turned quad fails the first test of tr_IsPixelExact; asked here, it
    // spares every moving sprite the call.
    const tr_Matrix& m = state.transform;
    quad_flags.point_sampling = m[1] == 0.0f && m[4] == 0.0f && tr_IsPixelExact(m, x0, y0, x1, y1);
    quad_flags.opaque =
        texture->IsOpaque() && state.blend == TR_BLEND_NORMAL && tr_PackChannel(state.alpha) == 255;

    float xs[4] = {x0, x1, x0, x1};
    float ys[4] = {y0, y0, y1, y1};
    if (transform) {
        // The sums of tr_Matrix::TransformPoint, each product shared by the
        // two corners on its edge: the same positions for half the products.
        const tr_Matrix& t = *transform;
        const float xa[2] = {x0 * t[0], x1 * t[0]};
        const float xb[2] = {x0 * t[1], x1 * t[1]};
        const float ya[2] = {y0 * t[4], y1 * t[4]};
        const float yb[2] = {y0 * t[5], y1 * t[5]};
        for (int i = 0; i < 4; ++i) {
            xs[i] = xa[i & 1] + ya[i >> 1] + t[12];
            ys[i] = xb[i & 1] + yb[i >> 1] + t[13];
        }
    }
    const uint32_t color = tr_PackColor(state.alpha, state.red, state.green, state.blue);
    const float u1 = uv.x + uv.w;
    const float v1 = uv.y + uv.h;
    out[0] = tr_Vertex{xs[0], ys[0], 0.0f, color, uv.x, uv.y};
    out[1] = tr_Vertex{xs[1], ys[1], 0.0f, color, u1, uv.y};
    out[2] = tr_Vertex{xs[2], ys[2], 0.0f, color, uv.x, v1};
    out[3] = tr_Vertex{xs[3], ys[3], 0.0f, color, u1, v1};
    return true;
}
