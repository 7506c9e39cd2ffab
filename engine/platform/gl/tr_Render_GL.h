// tr_Render_GL: the renderer on an OpenGL 3.3 core context. The host creates
// the context, makes it current, then creates this renderer and calls Init
// with the drawable size; the renderer installs its GL render device while
// it lives. The GL objects draws go through (programs, buffers, samplers,
// blend state and viewport) are tr_DrawPipeline_GL's; the white texture
// stands in for untextured draws; framebuffer objects serve render targets;
// viewports are flipped for GL's bottom-left origin.
//
// Quads are transformed on the CPU and queued; those that change no pixel
// (fully transparent, or wholly outside the view) are dropped there.
// Consecutive quads go to the GPU in one draw call as long as the view
// rectangle stays the same and they use at most eight texture / sampling
// pairs. A batch of one blend mode uses that mode's plain blend state, a
// batch of large opaque quads none at all; normal and additive quads on a
// screen without alpha share the normal state, other mixed modes the
// dual-source state (tr_ShaderProgram_GL). Anything that could change what a queued quad
// shows (another kind of draw, a target switch, a texture write or
// deletion, the end of a frame, a read-back) sends the queue first.
//
// With KeepFrame on, the screen keeps its picture from one frame to the next
// (tr_ScreenKeeper_GL: in a picture of its own while the host swaps, in the
// window's back buffer once the host presents by copying changed areas),
// and a scissor may limit screen draws.
#pragma once

#include "engine/platform/gl/tr_DrawPipeline_GL.h"
#include "engine/platform/gl/tr_RenderDevice_GL.h"
#include "engine/platform/gl/tr_ScreenKeeper_GL.h"
#include "engine/platform/gl/tr_ShaderProgram_GL.h"
#include "engine/render/tr_QuadGeometry.h"
#include "engine/render/tr_Render.h"
#include "engine/render/tr_Vertex.h"

#include <epoxy/gl.h>

#include <cstdint>
#include <vector>

class tr_Render_GL : public tr_Render {
public:
    tr_Render_GL();
    ~tr_Render_GL() override;

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
    bool PushClip(const tr_Rect& rect) override;
    void PopClip() override;
    bool ReadFrame(std::vector<uint32_t>& argb, int& width, int& height) override;
    void SetScreenDiscarded(bool discarded) override;
    bool CanKeepFrame() const override { return true; }
    bool KeepFrame(bool keep) override;
    void SetWindowKeepsPicture(bool keeps) override;
    bool GetScreenChanges(tr_ScreenChanges& changes) const override;
    void SetScreenScissor(const tr_Rect* rect) override;
    void ClearScreenArea() override;

    // False when the shader or buffers could not be made; nothing draws then.
    bool IsReady() const { return pipeline_.IsReady(); }
    // On by default: the programs and blend states that only some drivers
    // and screens allow (tr_DrawPipeline_GL::SetFastPaths). Off draws every
    // batch of mixed textures or modes the way any driver does, which the
    // fast paths must match.
    void SetFastPaths(bool allowed);
    // GPU draw calls issued since the last BeginFrame.
    int GetDrawCallCount() const { return draw_calls_; }
    // CPU seconds this thread spent handing batches of quads to GL since the
    // last BeginFrame (a software rasteriser shades and bins vertices there),
    // so that benchmarks can tell the engine's share of a draw from GL's.
    double GetSubmitSeconds() const { return submit_seconds_; }

private:
    struct TextureSlot {
        GLuint texture = 0;
        bool point_sampling = false;
    };

    void Flush();
    // The slot of a texture / sampling pair in the pending batch; -1 when
    // all slots are taken by other pairs.
    int FindOrAddSlot(GLuint texture, bool point_sampling);
    bool BatchHoldsOnly(GLuint texture, bool point_sampling) const;
    // The pipeline's view for the current target.
    void ApplyView(const int view[4], tr_ShaderProgram_GL& program);
    // Whether a quad of the pending batch is drawn in another colour than
    // white at full alpha.
    bool BatchIsTinted() const;
    // The blend state of the pending batch once a quad of blend mode index
    // mode, opacity and screen area joins it; a batch that must change state
    // for the quad is flushed first (FlushKeepingNext).
    void JoinBatch(int mode, bool opaque, float area);
    // Flush that keeps the quad built after the queued ones, moving it to
    // the front of the emptied batch.
    void FlushKeepingNext();
    void CurrentView(int view[4]) const;
    // The floored view rectangle, worked out again only after a clip, target
    // or size change: quads ask for it one by one.
    const int* View();
    GLuint TextureFor(const tr_Texture* texture, int frame) const;
    // The GL texture of a device texture; the white texture's for null.
    GLuint HandleFor(const tr_DeviceTexture* device) const;
    void DrawList(const std::shared_ptr<tr_Texture>& texture, tr_VertexList& vertices,
                  tr_IndexList* indices, const tr_DrawState& state);
    // Called before anything reaches the screen: puts the kept picture back
    // first unless covers_screen, and notes that a draw without a scissor
    // changes all of it.
    void BeforeScreenDraw(bool covers_screen);
    // The scissor in force for the framebuffer bound now (tr_ScreenKeeper_GL).
    void ApplyScissor();
    // Binds the framebuffer and scissor of the current target again after
    // the screen keeper copied pictures.
    void ScreenPictureMoved();

    tr_RenderDevice_GL device_;
    // Programs reading 1, 2, 4 and 8 texture slots.
    tr_DrawPipeline_GL pipeline_;

    // The pending batch: its first 4 * batch_quads_ vertices are queued, the
    // four after them may hold the quad being built.
    std::vector<tr_Vertex> batch_;
    int batch_quads_ = 0;
    TextureSlot slots_[tr_ShaderProgram_GL::kTextureSlots];
    int slot_count_ = 0;
    // The batch holds a quad of kOwnTexturesArea or more, so it takes no
    // other texture.
    bool batch_has_large_ = false;
    tr_BlendState_GL batch_blend_ = kBlendOpaque;
    int batch_view_[4] = {0, 0, 0, 0};
    int view_[4] = {0, 0, 0, 0};
    bool view_known_ = false;
    int draw_calls_ = 0;
    double submit_seconds_ = 0.0;
    tr_ScreenKeeper_GL screen_;
};
