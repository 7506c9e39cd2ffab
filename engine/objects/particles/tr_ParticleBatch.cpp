#include "engine/objects/particles/tr_ParticleBatch.h"

#include "engine/render/tr_Render.h"
#include "engine/render/tr_Texture.h"

#include <algorithm>
#include <cmath>

void tr_ParticleBatch::Begin(int quads, const tr_Texture* texture, const tr_DrawState& state) {
    const int needed = std::max(quads, 1) * 6;
    if (!list_ || list_->GetCapacity() < needed) {
        const int old = list_ ? list_->GetCapacity() : 0;
        list_ = std::make_unique<tr_VertexList>();
        list_->Create(std::max(needed, old * 2));
    } else {
        list_->Clear();
    }
    const tr_Rect rect = texture ? texture->GetRect(state) : tr_Rect{-5.0f, -5.0f, 10.0f, 10.0f};
    const tr_Rect uv = texture ? texture->GetUV(state) : tr_Rect{0.0f, 0.0f, 1.0f, 1.0f};
    // Top-left, top-right, bottom-left, bottom-right.
    for (int i = 0; i < 4; ++i) {
        const bool right = i & 1;
        const bool bottom = i & 2;
        corner_x_[i] = right ? rect.x + rect.w : rect.x;
        corner_y_[i] = bottom ? rect.y + rect.h : rect.y;
        corner_u_[i] = right ? uv.x + uv.w : uv.x;
        corner_v_[i] = bottom ? uv.y + uv.h : uv.y;
    }
}

void tr_ParticleBatch::AddQuad(float x, float y, float sx, float sy, float angle,
                               const tr_Matrix& base, float alpha, float red, float green,
                               float blue) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    float wx[4];
    float wy[4];
    for (int i = 0; i < 4; ++i) {
        // The row-vector rotation of tr_Matrix::Rotation.
        const float px = corner_x_[i] * sx;
        const float py = corner_y_[i] * sy;
        const float lx = px * c + py * s + x;
        const float ly = -px * s + py * c + y;
        wx[i] = lx * base[0] + ly * base[4] + base[12];
        wy[i] = lx * base[1] + ly * base[5] + base[13];
    }
    // Top-left, top-right, bottom-left, then bottom-left, top-right,
    // bottom-right.
    static const int kOrder[6] = {0, 1, 2, 2, 1, 3};
    for (int corner : kOrder)
        list_->AddVertex(wx[corner], wy[corner], corner_u_[corner], corner_v_[corner], red, green,
                         blue, alpha);
}

void tr_ParticleBatch::Draw(tr_Render* render, const std::shared_ptr<tr_Texture>& texture,
                            const tr_DrawState& state) {
    if (render && list_ && list_->GetCount() > 0)
        render->DrawVertexList(texture, *list_, state);
}
