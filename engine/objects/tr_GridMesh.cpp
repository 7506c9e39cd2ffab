#include "engine/objects/tr_GridMesh.h"

#include "engine/core/tr_Log.h"
#include "engine/core/tr_SLHelper_TinyXML2.h"
#include "engine/resources/files/tr_ResourceXmlBuffer.h"

#include <algorithm>
#include <cmath>

void tr_GridMesh::Clear() {
    *this = tr_GridMesh();
}

int tr_GridMesh::GetVertexCount() const {
    return key_frames_.empty() ? 0 : static_cast<int>(key_frames_.front().vertices.size());
}

tr_GridVertex* tr_GridMesh::GetVertex(int key, int vertex) {
    if (key < 0 || key >= GetKeyFrameCount() || vertex < 0 || vertex >= GetVertexCount())
        return nullptr;
    return &key_frames_[static_cast<size_t>(key)].vertices[static_cast<size_t>(vertex)];
}

bool tr_GridMesh::LoadFromBuffer(const char* data, size_t size, const std::string& folder,
                                 const std::string& name) {
    Clear();
    std::unique_ptr<tr_SLHelper_TinyXML2> reader = tr_ParseResourceXml(data, size);
    if (!reader)
        return false;
    Load(*reader, folder, name);
    return true;
}

void tr_GridMesh::Load(tr_SLHelper_TinyXML2& reader, const std::string& folder,
                       const std::string& name) {
    Clear();
    // Without a texture the name stays empty, so nothing is looked up.
    std::string texture;
    if (reader.ReadString("texture", texture) && !texture.empty()) {
        std::replace(texture.begin(), texture.end(), '\\', '/');
        texture_name_ = folder + texture;
    }
    reader.ReadInt("frame", texture_frame_);
    reader.ReadBool("loop", loop_);
    float fps = 0.0f;
    reader.ReadFloat("fps", fps);
    // A rate of 0 or less (or none) would give a frame that never ends and
    // curves divided by infinity.
    if (!(fps > 0.0f) || std::isinf(fps)) {
        tr_Log("Warning: grid \"%s\" has no usable fps; %g is used.", name.c_str(),
               static_cast<double>(kDefaultFps));
        fps = kDefaultFps;
    }
    frame_duration_ = 1.0f / fps;
    ReadKeyFrames(reader, name);
    ReadTriangles(reader, name);
}

void tr_GridMesh::ReadKeyFrames(tr_SLHelper_TinyXML2& reader, const std::string& name) {
    if (!reader.Enter("frames"))
        return;
    int index = 0;
    tr_ForEachResourceElement(reader, "frame", [&] {
        tr_GridKeyFrame key;
        reader.ReadInt("interp", key.interp);
        tr_ForEachResourceElement(reader, "vertex", [&] {
            tr_GridVertex vertex;
            reader.ReadFloat("pos_x", vertex.pos_x);
            reader.ReadFloat("pos_y", vertex.pos_y);
            reader.ReadFloat("tu", vertex.tu);
            reader.ReadFloat("tv", vertex.tv);
            reader.ReadInt("id", vertex.id);
            key.vertices.push_back(vertex);
        });
        const size_t expected =
            key_frames_.empty() ? key.vertices.size() : key_frames_.front().vertices.size();
        if (key.vertices.size() > kMaxVertices) {
            tr_Log("Warning: grid \"%s\" key frame %d has %zu vertices, more than %zu; skipped.",
                   name.c_str(), index, key.vertices.size(), kMaxVertices);
        } else if (key.vertices.size() != expected) {
            tr_Log("Warning: grid \"%s\" key frame %d has %zu vertices, the first has %zu; "
                   "skipped.",
                   name.c_str(), index, key.vertices.size(), expected);
        } else {
            key_frames_.push_back(std::move(key));
        }
        ++index;
    });
    reader.Leave();
}

void tr_GridMesh::ReadTriangles(tr_SLHelper_TinyXML2& reader, const std::string& name) {
    if (!reader.Enter("triangles"))
        return;
    const int count = GetVertexCount();
    int refused = 0;
    tr_ForEachResourceElement(reader, "triangle", [&] {
        int corner[3] = {0, 0, 0};
        reader.ReadInt("vertex_0", corner[0]);
        reader.ReadInt("vertex_1", corner[1]);
        reader.ReadInt("vertex_2", corner[2]);
        for (int c : corner)
            if (c < 0 || c >= count) {
                ++refused;
                return;
            }
        for (int c : corner)
            indices_.push_back(static_cast<uint16_t>(c));
    });
    reader.Leave();
    if (refused > 0)
        tr_Log("Warning: grid \"%s\" has %d triangles naming vertices outside its %d; skipped.",
               name.c_str(), refused, count);
}
