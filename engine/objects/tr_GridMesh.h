// tr_GridMesh: the description of a mesh animation as read from its XML: the
// texture name and frame, the playback rate and loop flag, the key frames
// (every one listing the same vertices in the same order, with the curve
// used when moving towards it) and the triangles as a flat index list.
// What would read outside the vertex lists is refused while reading, with a
// log line: key frames whose vertex count differs from the first one's and
// triangles naming a vertex that does not exist. A plain value owned by its
// grid object.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class tr_SLHelper_TinyXML2;

struct tr_GridVertex {
    float pos_x = 0.0f;
    float pos_y = 0.0f;
    float z = 0.0f;
    float tu = 0.0f;
    float tv = 0.0f;
    int32_t id = 0;
};
static_assert(sizeof(tr_GridVertex) == 24, "tr_GridVertex is 24 bytes");

struct tr_GridKeyFrame {
    std::vector<tr_GridVertex> vertices;
    int interp = 0; // curve used when moving towards this key frame
};

class tr_GridMesh {
public:
    // The frame rate used when a description gives none or one of 0 or less.
    static constexpr float kDefaultFps = 25.0f;
    // Indices are 16-bit, so no mesh can have more vertices than this.
    static constexpr size_t kMaxVertices = 65536;

    // Reads the description on the reader's current element; folder prefixes
    // the texture name, name is the description's name for log lines.
    void Load(tr_SLHelper_TinyXML2& reader, const std::string& folder, const std::string& name);
    // Load over the bytes of a description; false (and an empty mesh) when
    // they are not XML.
    bool LoadFromBuffer(const char* data, size_t size, const std::string& folder,
                        const std::string& name);
    void Clear();

    const std::string& GetTextureName() const { return texture_name_; }
    int GetTextureFrame() const { return texture_frame_; }
    bool IsLooping() const { return loop_; }
    float GetFrameDuration() const { return frame_duration_; }
    int GetKeyFrameCount() const { return static_cast<int>(key_frames_.size()); }
    int GetVertexCount() const;
    const std::vector<tr_GridKeyFrame>& GetKeyFrames() const { return key_frames_; }
    // Null when key is out of range.
    tr_GridVertex* GetVertex(int key, int vertex);
    const std::vector<uint16_t>& GetIndices() const { return indices_; }

private:
    void ReadKeyFrames(tr_SLHelper_TinyXML2& reader, const std::string& name);
    void ReadTriangles(tr_SLHelper_TinyXML2& reader, const std::string& name);

    std::string texture_name_;
    int texture_frame_ = 0;
    bool loop_ = false;
    float frame_duration_ = 1.0f / kDefaultFps;
    std::vector<tr_GridKeyFrame> key_frames_;
    std::vector<uint16_t> indices_;
};
