// tr_Render: the abstract renderer every drawing client talks to. Exactly one
// concrete renderer exists at a time (GL back end, or the null renderer of the
// headless host); it becomes current in Init. Textures are always passed as
// shared references; the renderer keeps none of them past a call except its
// own render target and the white / black textures.
#pragma once

#include "engine/render/tr_DrawState.h"
#include "engine/render/tr_Rect.h"
#include "engine/render/tr_ScreenChanges.h"

#include <cstdint>
#include <memory>
#include <vector>

class tr_Texture;
class tr_RenderTargetTexture;
class tr_VertexList;
class tr_IndexList;

class tr_Render {
public:
    virtual ~tr_Render();

    virtual void Init(float width, float height);
    virtual void ReleaseDeviceObjects() {}
    virtual void BeginFrame() = 0;
    virtual void EndFrame() = 0;
    virtual void BeginDraw();
    virtual void EndDraw() = 0;
    virtual void BeginRenderToTexture(int width, int height) = 0;
    virtual std::shared_ptr<tr_Texture> EndRenderToTexture() = 0;
    virtual std::shared_ptr<tr_Texture> MakeSoftCopy(const std::shared_ptr<tr_Texture>& source,
                                                     int width, int height, float radius);
    virtual void DrawQuad(const std::shared_ptr<tr_Texture>& texture,
                          const tr_DrawState& state) = 0;
    virtual void DrawVertexList(const std::shared_ptr<tr_Texture>& texture, tr_VertexList& vertices,
                                const tr_DrawState& state) = 0;
    virtual void DrawIndexed(const std::shared_ptr<tr_Texture>& texture, tr_VertexList& vertices,
                             tr_IndexList& indices, const tr_DrawState& state) = 0;
    virtual void DrawLine(float x0, float y0, float z0, float x1, float y1, float z1, float red,
                          float green, float blue, const tr_DrawState& state) = 0;
    // Drawing only what changed needs a back end that keeps the screen's
    // picture from one frame to the next. KeepFrame(true) asks for that:
    // BeginFrame then leaves the picture as it is, screen draws land in it
    // and EndFrame shows a copy. False when the back end cannot keep one
    // (nothing changes then).
    virtual bool CanKeepFrame() const { return false; }
    virtual bool KeepFrame(bool /*keep*/) { return false; }
    // A host that shows frames by copying the areas they changed from the
    // back buffer into the window, and never swaps, says so: the back buffer
    // then keeps the picture between frames and a back end keeping frames
    // needs no copy of its own. Call outside a frame.
    virtual void SetWindowKeepsPicture(bool /*keeps*/) {}
    // What the last frame changed on the screen, for such a host; false when
    // the back end does not keep its picture in the window (the host then
    // shows the whole frame).
    virtual bool GetScreenChanges(tr_ScreenChanges& /*changes*/) const { return false; }
    // Limits screen draws and ClearScreenArea to rect (null: no limit); what
    // is drawn into a render target is never limited.
    virtual void SetScreenScissor(const tr_Rect* /*rect*/) {}
    // Opaque black where the scissor allows, as BeginFrame clears the screen.
    virtual void ClearScreenArea() {}
    // Whether draws go to a render target now (false also when starting one failed).
    bool IsRenderTargetActive() const { return render_target_active_; }

    virtual bool PushClip(const tr_Rect& rect);
    virtual void PopClip();
    virtual tr_Rect GetViewRect() const;

    // The frame loop's brightness overlay, drawn after the scene and the cursor
    // and before EndFrame; 1 is neutral, above 1 brightens, below 1 darkens.
    void DrawBrightnessOverlay(float brightness);

    // Automation (a scripted run that takes a few screenshots): while on,
    // frames are drawn as usual but nothing reaches the screen's pixels, which
    // spares a software rasteriser; drawing into textures is unaffected.
    virtual void SetScreenDiscarded(bool /*discarded*/) {}

    // Reads the finished frame back (call after EndFrame, before presenting):
    // rows top first, texels 0xAARRGGBB. False when the back end has no
    // picture (the null renderer).
    virtual bool ReadFrame(std::vector<uint32_t>& /*argb*/, int& /*width*/, int& /*height*/) {
        return false;
    }

    // The opaque black texture (empty before Init): panels that shade what
    // is behind them scale it.
    const std::shared_ptr<tr_Texture>& GetBlackTexture() const { return black_texture_; }

    float GetScreenWidth() const { return screen_width_; }
    float GetScreenHeight() const { return screen_height_; }

    // The renderer that Init made current, or null.
    static tr_Render* Current() { return current_; }

protected:
    // Size of the active render target; (0, 0) when drawing to the screen.
    virtual void GetTargetSize(float& width, float& height) const;

    // Makes the white and black textures (concrete renderers call it in Init
    // once their device is installed).
    void CreateSolidTextures();
    // Whether a draw call may draw now: inside BeginDraw / EndDraw or while
    // a render target is active.
    bool IsDrawingAllowed() const { return drawing_enabled_ || render_target_active_; }
    // Drops the previous render target and makes a new one; false (nothing
    // active) when the device refuses.
    bool StartRenderTarget(int width, int height);
    // Clears the active flag and hands out the target (empty when none).
    std::shared_ptr<tr_Texture> FinishRenderTarget();

    float screen_width_ = 0.0f;
    float screen_height_ = 0.0f;
    std::vector<tr_Rect> clip_stack_;
    // 4 x 4 opaque white and black textures; the concrete renderer makes them in Init.
    std::shared_ptr<tr_Texture> white_texture_;
    std::shared_ptr<tr_Texture> black_texture_;
    std::shared_ptr<tr_RenderTargetTexture> target_texture_;
    bool render_target_active_ = false;
    bool drawing_enabled_ = false;

private:
    static tr_Render* current_;
};
