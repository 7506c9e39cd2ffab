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

bool tr_IsInvisible(const tr_DrawState& state) {
    return (state.blend == TR_BLEND_NORMAL || state.blend == TR_BLEND_ADD) &&
           tr_PackChannel(state.alpha) == 0;
}

tr_Matrix tr_ShiftToPixelCentres(const tr_Matrix& m, float shift) {
    tr_Matrix shifted = m;
    shifted[12] -= shift;
    shifted[13] -= shift;
    return shifted;
}

bool tr_QuadGeometry::Build(const tr_Texture* texture, const tr_DrawState& state) {
    if (!texture || state.alpha < 0.0f || state.alpha > 1.0f)
        return false;
    const tr_Rect rect = texture->GetRect(state);
    const tr_Rect uv = texture->GetUV(state);
    const float x0 = rect.x + state.offset_x;
    const float x1 = x0 + rect.w;
    const float y0 = rect.y + state.offset_y;
    const float y1 = y0 + rect.h;
    point_sampling = tr_IsPixelExact(state.transform, x0, y0, x1, y1);
    opaque =
        texture->IsOpaque() && state.blend == TR_BLEND_NORMAL && tr_PackChannel(state.alpha) == 255;

    const uint32_t color = tr_PackColor(state.alpha, state.red, state.green, state.blue);
    const float xs[4] = {x0, x1, x0, x1};
    const float ys[4] = {y0, y0, y1, y1};
    const float us[4] = {uv.x, uv.x + uv.w, uv.x, uv.x + uv.w};
    const float vs[4] = {uv.y, uv.y, uv.y + uv.h, uv.y + uv.h};
    for (int i = 0; i < 4; ++i) {
        vertices[i].x = xs[i];
        vertices[i].y = ys[i];
        vertices[i].z = 0.0f;
        vertices[i].color = color;
        vertices[i].u = us[i];
        vertices[i].v = vs[i];
    }
    return true;
}
