// tr_Render_Null: the renderer of the headless host and of tests. It keeps
// every rule of the interface (drawing bracket, clip stack, render targets,
// skip rules, filtering choice, vertex order) but rasterises nothing: draws
// are counted and, when recording is on, kept for inspection. Textures live
// in memory through the in-memory render device it installs.
#pragma once

#include "engine/platform/headless/tr_RenderDevice_Null.h"
#include "engine/render/tr_QuadGeometry.h"
#include "engine/render/tr_Render.h"

#include <vector>

class tr_Render_Null : public tr_Render {
public:
    enum class DrawKind { kQuad, kVertexList, kIndexed, kLine };

    struct RecordedDraw {
        DrawKind kind = DrawKind::kQuad;
        const tr_Texture* texture = nullptr;
        tr_DrawState state;
        tr_Rect view; // GetViewRect at the time of the draw
        bool to_render_target = false;
        tr_QuadGeometry quad;    // quads: object-space vertices and filtering
        int primitive_count = 0; // triangles (lists), 2 (quads) or 1 (lines)
    };

    tr_Render_Null();
    ~tr_Render_Null() override;

    void Init(float width, float height) override;
    void ReleaseDeviceObjects() override;
    void BeginFrame() override;
    void EndFrame() override;
    void BeginDraw() override;
    void EndDraw() override;
    void BeginRenderToTexture(int width, int height) override;
    std::shared_ptr<tr_Texture> EndRenderToTexture() override;
    void DrawQuad(const std::shared_ptr<tr_Texture>& texture, const tr_DrawState& state) override;
    void DrawVertexList(const std::shared_ptr<tr_Texture>& texture, tr_VertexList& vertices,
                        const tr_DrawState& state) override;
    void DrawIndexed(const std::shared_ptr<tr_Texture>& texture, tr_VertexList& vertices,
                     tr_IndexList& indices, const tr_DrawState& state) override;
    void DrawLine(float x0, float y0, float z0, float x1, float y1, float z1, float red,
                  float green, float blue, const tr_DrawState& state) override;

    int GetFrameCount() const { return frame_count_; }
    int GetDrawCount() const { return draw_count_; }
    void SetRecording(bool recording) { recording_ = recording; }
    const std::vector<RecordedDraw>& GetRecordedDraws() const { return recorded_; }
    void ClearRecordedDraws() { recorded_.clear(); }
    tr_RenderDevice_Null& GetDevice() { return device_; }

private:
    void Record(RecordedDraw draw);

    tr_RenderDevice_Null device_;
    int frame_count_ = 0;
    int draw_count_ = 0;
    bool recording_ = false;
    std::vector<RecordedDraw> recorded_;
};
