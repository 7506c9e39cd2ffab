#include "engine/platform/headless/tr_Render_Null.h"

#include "engine/render/tr_IndexList.h"
#include "engine/render/tr_RenderTargetTexture.h"
#include "engine/render/tr_VertexList.h"

tr_Render_Null::tr_Render_Null() {
    tr_RenderDevice::SetCurrent(&device_);
}

tr_Render_Null::~tr_Render_Null() {
    target_texture_.reset();
    white_texture_.reset();
    black_texture_.reset();
    if (tr_RenderDevice::Current() == &device_)
        tr_RenderDevice::SetCurrent(nullptr);
}

void tr_Render_Null::Init(float width, float height) {
    tr_RenderDevice::SetCurrent(&device_);
    tr_Render::Init(width, height);
    drawing_enabled_ = false;
    render_target_active_ = false;
    CreateSolidTextures();
}

void tr_Render_Null::ReleaseDeviceObjects() {
    target_texture_.reset();
    render_target_active_ = false;
}

void tr_Render_Null::BeginFrame() {
    ++frame_count_;
}

void tr_Render_Null::EndFrame() {}

void tr_Render_Null::BeginDraw() {
    tr_Render::BeginDraw();
    drawing_enabled_ = true;
}

void tr_Render_Null::EndDraw() {
    drawing_enabled_ = false;
}

void tr_Render_Null::BeginRenderToTexture(int width, int height) {
    StartRenderTarget(width, height);
}

std::shared_ptr<tr_Texture> tr_Render_Null::EndRenderToTexture() {
    return FinishRenderTarget();
}

void tr_Render_Null::Record(RecordedDraw draw) {
    ++draw_count_;
    if (!recording_)
        return;
    draw.view = GetViewRect();
    draw.to_render_target = render_target_active_;
    recorded_.push_back(draw);
}

void tr_Render_Null::DrawQuad(const std::shared_ptr<tr_Texture>& texture,
                              const tr_DrawState& state) {
    if (!IsDrawingAllowed())
        return;
    RecordedDraw draw;
    if (!draw.quad.Build(texture.get(), state))
        return;
    draw.kind = DrawKind::kQuad;
    draw.texture = texture.get();
    draw.state = state;
    draw.primitive_count = 2;
    Record(draw);
}

void tr_Render_Null::DrawVertexList(const std::shared_ptr<tr_Texture>& texture,
                                    tr_VertexList& vertices, const tr_DrawState& state) {
    if (!IsDrawingAllowed() || !vertices.HasBuffer())
        return;
    vertices.Unlock();
    RecordedDraw draw;
    draw.kind = DrawKind::kVertexList;
    draw.texture = texture.get();
    draw.state = state;
    draw.primitive_count = vertices.GetCount() / 3;
    Record(draw);
}

void tr_Render_Null::DrawIndexed(const std::shared_ptr<tr_Texture>& texture,
                                 tr_VertexList& vertices, tr_IndexList& indices,
                                 const tr_DrawState& state) {
    if (!IsDrawingAllowed() || !vertices.HasBuffer() || !indices.HasBuffer())
        return;
    vertices.Unlock();
    indices.Unlock();
    RecordedDraw draw;
    draw.kind = DrawKind::kIndexed;
    draw.texture = texture.get();
    draw.state = state;
    draw.primitive_count = indices.GetCount() / 3;
    Record(draw);
}

void tr_Render_Null::DrawLine(float x0, float y0, float, float x1, float y1, float, float red,
                              float green, float blue, const tr_DrawState& state) {
    if (!IsDrawingAllowed())
        return;
    RecordedDraw draw;
    draw.kind = DrawKind::kLine;
    draw.state = state;
    draw.primitive_count = 1;
    const uint32_t color = tr_PackColor(state.alpha, red, green, blue);
    draw.quad.vertices[0].x = x0;
    draw.quad.vertices[0].y = y0;
    draw.quad.vertices[0].color = color;
    draw.quad.vertices[1].x = x1;
    draw.quad.vertices[1].y = y1;
    draw.quad.vertices[1].color = color;
    draw.quad.point_sampling = true;
    Record(draw);
}
