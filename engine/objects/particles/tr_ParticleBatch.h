// tr_ParticleBatch: the one vertex list a particle emitter draws with, kept
// from frame to frame and grown when a frame needs more room, so a steady
// effect makes no device buffer per draw. Owned by the emitter or system
// that draws; each frame is Begin, the quads, then Draw.
#pragma once

#include "engine/render/tr_DrawState.h"
#include "engine/render/tr_Rect.h"
#include "engine/render/tr_VertexList.h"

#include <memory>

class tr_Render;
class tr_Texture;

class tr_ParticleBatch {
public:
    // Room for quads quads of texture's rectangle and UVs under state (a
    // null texture gives a 10 x 10 quad with the full UV range).
    void Begin(int quads, const tr_Texture* texture, const tr_DrawState& state);
    // One textured quad: scale (sx, sy), then rotation by angle, then
    // translation to (x, y), then base; two triangles of six vertices.
    void AddQuad(float x, float y, float sx, float sy, float angle, const tr_Matrix& base,
                 float alpha, float red, float green, float blue);
    // Six vertices given directly (streaks), in triangle order.
    void AddVertex(float x, float y, float u, float v, float alpha) {
        list_->AddVertex(x, y, u, v, 1.0f, 1.0f, 1.0f, alpha);
    }
    // Draws what was added, when anything was.
    void Draw(tr_Render* render, const std::shared_ptr<tr_Texture>& texture,
              const tr_DrawState& state);
    // Drops the list (with its device buffer).
    void Release() { list_.reset(); }

    const tr_VertexList* GetList() const { return list_.get(); }

private:
    std::unique_ptr<tr_VertexList> list_;
    float corner_x_[4] = {};
    float corner_y_[4] = {};
    float corner_u_[4] = {};
    float corner_v_[4] = {};
};
