// CaptureRender: a renderer double for the cut-out, node-tree and mesh
// animation tests that keeps what each quad and indexed draw was given: the
// texture, the draw state and, for indexed draws, copies of the vertices and
// indices.
#pragma once

#include "engine/render/tr_IndexList.h"
#include "engine/render/tr_VertexList.h"
#include "tests/engine/scene/SceneTestDoubles.h"

#include <memory>
#include <vector>

class CaptureRender : public RecordingRender {
public:
    struct Draw {
        const tr_Texture* texture = nullptr;
        tr_DrawState state;
        std::vector<tr_Vertex> vertices;
        std::vector<uint16_t> indices;
    };

    void DrawQuad(const std::shared_ptr<tr_Texture>& texture, const tr_DrawState& state) override {
        draws.push_back(Draw{texture.get(), state, {}, {}});
    }
    void DrawIndexed(const std::shared_ptr<tr_Texture>& texture, tr_VertexList& vertices,
                     tr_IndexList& indices, const tr_DrawState& state) override {
        draws.push_back(Draw{texture.get(), state, vertices.GetElements(), indices.GetElements()});
    }

    std::vector<Draw> draws;
};
