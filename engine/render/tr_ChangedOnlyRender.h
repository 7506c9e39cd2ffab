// tr_ChangedOnlyRender: a renderer in front of a back end that keeps the
// screen's picture between frames; it redraws only the screen areas that
// changed. Screen draws are not passed on at once but kept in a
// tr_FrameDraws; EndFrame compares them with the previous frame's, and
// inside each changed area (tr_DirtyRegion, a scissor on the back end) clears
// and replays every draw that reaches it, in order. Nothing changed means
// nothing drawn; the first frame, and every frame after Init or a device
// release, is drawn whole. Draws into render targets go straight through.
//
// Owns the back end it wraps. Textures seen in a frame stay referenced until
// the frame is composed (so that a video can rewrite its texture in place for
// the next one); both frames' lists are dropped before the back end. With
// TARROW_REDRAW_STATS=N in the environment, one line of totals (frames,
// whole-screen frames, pixels and rectangles redrawn) over the frames after
// the first N goes to standard error when it is destroyed, for benchmarks;
// the log never sees it.
#pragma once

#include "engine/render/tr_DirtyRegion.h"
#include "engine/render/tr_FrameDraws.h"
#include "engine/render/tr_Render.h"

#include <memory>

class tr_ChangedOnlyRender : public tr_Render {
public:
    // inner wrapped when its kind can keep a frame, else inner itself.
    static std::unique_ptr<tr_Render> Wrap(std::unique_ptr<tr_Render> inner);

    explicit tr_ChangedOnlyRender(std::unique_ptr<tr_Render> inner);
    ~tr_ChangedOnlyRender() override;

    void Init(float width, float height) override;
    void ReleaseDeviceObjects() override;
    void BeginFrame() override;
    void EndFrame() override;
    void BeginDraw() override;
    void EndDraw() override;
    void BeginRenderToTexture(int width, int height) override;
    std::shared_ptr<tr_Texture> EndRenderToTexture() override;
    std::shared_ptr<tr_Texture> MakeSoftCopy(const std::shared_ptr<tr_Texture>& source, int width,
                                             int height, float radius) override;
    void DrawQuad(const std::shared_ptr<tr_Texture>& texture, const tr_DrawState& state) override;
    void DrawVertexList(const std::shared_ptr<tr_Texture>& texture, tr_VertexList& vertices,
                        const tr_DrawState& state) override;
    void DrawIndexed(const std::shared_ptr<tr_Texture>& texture, tr_VertexList& vertices,
                     tr_IndexList& indices, const tr_DrawState& state) override;
    void DrawLine(float x0, float y0, float z0, float x1, float y1, float z1, float red,
                  float green, float blue, const tr_DrawState& state) override;
    bool PushClip(const tr_Rect& rect) override;
    void PopClip() override;
    tr_Rect GetViewRect() const override;
    bool ReadFrame(std::vector<uint32_t>& argb, int& width, int& height) override;
    void SetWindowKeepsPicture(bool keeps) override;
    bool GetScreenChanges(tr_ScreenChanges& changes) const override;
    // A discarded frame reaches no pixel of the kept picture, so the first
    // frame shown after discarded ones is drawn whole.
    void SetScreenDiscarded(bool discarded) override;

    tr_Render& GetInner() { return *inner_; }
    // What the last EndFrame redrew (empty when nothing changed).
    const tr_DirtyRegion& GetLastRegion() const { return region_; }

    // Totals over the composed frames since construction, after the first
    // ones the environment asks to skip.
    struct Totals {
        long long frames = 0;
        long long whole_frames = 0;
        long long pixels = 0; // redrawn, summed over frames
        long long rects = 0;
        long long screen = 0; // pixels of the screen at the last frame
    };
    const Totals& GetTotals() const { return totals_; }

private:
    class ReplayLists;

    // Whether a draw made now lands on the screen (and so is kept, not sent).
    bool DrawsToScreen() const;
    void Forget();
    void Compose();
    // Draws current_'s draw number index again on the back end.
    void Replay(size_t index);
    void Count();

    std::unique_ptr<tr_Render> inner_;
    std::unique_ptr<ReplayLists> lists_;
    tr_FrameDraws previous_;
    tr_FrameDraws current_;
    tr_DirtyRegion region_;
    // False until a frame was drawn whole over a kept picture.
    bool have_previous_ = false;
    bool frame_kept_ = false;
    bool logged_ = false;
    bool screen_discarded_ = false;
    bool print_totals_ = false;
    long long frames_to_skip_ = 0;
    Totals totals_;
};
