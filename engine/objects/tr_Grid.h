// tr_Grid: a scene object (type "grid") that draws its texture through a
// triangle mesh whose vertices are key-framed (tr_GridMesh, read from "res"
// + ".xml" when initialised). While playing it moves from key frame to key
// frame at the description's rate, interpolating every vertex towards the
// next key frame with that key frame's curve (tr_AnimCurve::Ease); a
// non-looping mesh stops on its last key frame and queues "endtrig" once.
// It owns its index list (made when initialised) and vertex list (refilled
// at every draw) and holds its texture while its resources are loaded.
#pragma once

#include "engine/objects/tr_GridMesh.h"
#include "engine/scene/tr_Object.h"

#include <memory>
#include <string>
#include <vector>

class tr_IndexList;
class tr_Texture;
class tr_VertexList;

class tr_Grid : public tr_Object {
public:
    tr_Grid();
    explicit tr_Grid(std::string name);
    ~tr_Grid() override;

    void Load(tr_SLHelper& helper) override;
    void Save(tr_SLHelper& helper) override;
    std::shared_ptr<tr_Resource> GetResource() override;
    std::string GetType() const override { return "grid"; }
    void ResetDefaults() override;
    void Initialise() override;
    void Deinitialise() override;
    void LoadResources() override;
    void UnloadResources() override;
    void Update(const tr_FrameInfo& frame) override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;

    // From key frame 0 with a whole frame duration ahead; end_trigger is
    // queued when a non-looping mesh ends. Nothing happens to a mesh
    // without key frames.
    void Play(const std::string& end_trigger);
    void Stop() { playing_ = false; }
    void SetPaused(bool paused);

    // A vertex of a key frame to edit in place (null when either index is
    // out of range); MarkDirty makes the change show at the next update.
    tr_GridVertex* GetKeyVertex(int key, int vertex) { return mesh_.GetVertex(key, vertex); }
    void MarkDirty() { dirty_ = true; }

    bool IsPlaying() const { return playing_; }
    int GetFrame() const { return frame_; }
    float GetTimer() const { return timer_; }
    const std::string& GetEndTrigger() const { return endtrig_; }
    const tr_GridMesh& GetMesh() const { return mesh_; }
    // The mesh as it is drawn now.
    const std::vector<tr_GridVertex>& GetCurrentVertices() const { return current_; }

private:
    void Rebuild();

    tr_GridMesh mesh_;
    std::shared_ptr<tr_Texture> texture_;
    std::vector<tr_GridVertex> current_;
    std::unique_ptr<tr_IndexList> indices_;
    std::unique_ptr<tr_VertexList> vertices_;
    bool playing_ = false;
    int frame_ = 0;
    float timer_ = 0.0f;
    std::string endtrig_;
    bool dirty_ = false;
};
