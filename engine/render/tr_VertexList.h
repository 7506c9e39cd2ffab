// tr_VertexList: client-built triangle geometry (particle systems, mesh
// grids) for tr_Render::DrawVertexList / DrawIndexed. Owned by its client;
// the device buffer comes from the current render device.
#pragma once

#include "engine/render/tr_GeometryList.h"
#include "engine/render/tr_Vertex.h"

class tr_VertexList : public tr_GeometryList<tr_Vertex, false> {
public:
    // Ignored without buffer or once the capacity is reached; z is 0 and the
    // colour is packed with tr_PackColor.
    virtual void AddVertex(float x, float y, float u, float v, float red, float green, float blue,
                           float alpha);
};
