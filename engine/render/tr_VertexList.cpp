#include "engine/render/tr_VertexList.h"

void tr_VertexList::AddVertex(float x, float y, float u, float v, float red, float green,
                              float blue, float alpha) {
    tr_Vertex vertex;
    vertex.x = x;
    vertex.y = y;
    vertex.z = 0.0f;
    vertex.color = tr_PackColor(alpha, red, green, blue);
    vertex.u = u;
    vertex.v = v;
    Append(vertex);
}
