#include "engine/platform/gl/tr_Render_GL.h"

#include "engine/platform/gl/tr_DeviceTexture_GL.h"
#include "engine/render/tr_IndexList.h"
#include "engine/render/tr_QuadGeometry.h"
#include "engine/render/tr_RenderTargetTexture.h"
#include "engine/render/tr_VertexList.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>

namespace {

// GL pixel centres already sit at +0.5, so the Direct3D-style half-pixel
// shift of the draw matrix is 0 here.
const float kPixelCentreShift = 0.0f;

// Screen area from which an opaque quad is worth a draw call without
// blending; smaller ones join the blended batch around them.
const float kOpaqueBatchArea = 128.0f * 128.0f;
// Screen area from which a quad is drawn in a batch of its own texture: the
// batch's shader picks a texture per fragment, and a software rasteriser
// samples every texture of the batch for every fragment, so a large quad in
// a batch of eight textures costs it eight times its pixels.
const float kOwnTexturesArea = 128.0f * 128.0f;

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

float ScreenArea(const tr_Vertex* v) {
    // Corners 0, 1, 3, 2 run round the quad: the shoelace formula.
    const float twice = (v[0].x * v[1].y - v[1].x * v[0].y) + (v[1].x * v[3].y - v[3].x * v[1].y) +
                        (v[3].x * v[2].y - v[2].x * v[3].y) + (v[2].x * v[0].y - v[0].x * v[2].y);
    return std::fabs(twice) * 0.5f;
}

} // namespace

tr_Render_GL::tr_Render_GL() {
    tr_RenderDevice::SetCurrent(&device_);
    device_.SetFlushCallback([this] { Flush(); });
}

tr_Render_GL::~tr_Render_GL() {
    batch_quads_ = 0;
    target_texture_.reset();
    white_texture_.reset();
    black_texture_.reset();
    pipeline_.Destroy();
    device_.SetFlushCallback(nullptr);
    if (tr_RenderDevice::Current() == &device_)
        tr_RenderDevice::SetCurrent(nullptr);
}

void tr_Render_GL::Init(float width, float height) {
    tr_RenderDevice::SetCurrent(&device_);
    tr_Render::Init(width, height);
    view_known_ = false;
    drawing_enabled_ = false;
    render_target_active_ = false;
    if (!pipeline_.Create())
        return;
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glDisable(GL_SCISSOR_TEST);
    glBlendEquation(GL_FUNC_ADD);
    pipeline_.ForgetBlend();
    pipeline_.ApplyBlend(kBlendMixed);
    screen_.Resize(static_cast<int>(width), static_cast<int>(height));
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    ApplyScissor();
    pipeline_.ForgetView();
    CreateSolidTextures();
}

void tr_Render_GL::ReleaseDeviceObjects() {
    Flush();
    if (render_target_active_)
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    target_texture_.reset();
    render_target_active_ = false;
    view_known_ = false;
}

void tr_Render_GL::BeginFrame() {
    Flush();
    draw_calls_ = 0;
    submit_seconds_ = 0.0;
    screen_.BeginFrame();
}

void tr_Render_GL::EndFrame() {
    Flush();
    if (!render_target_active_ && IsReady())
        screen_.EndFrame();
}

void tr_Render_GL::BeforeScreenDraw(bool covers_screen) {
    if (!render_target_active_)
        screen_.BeforeDraw(covers_screen);
}

void tr_Render_GL::ApplyScissor() {
    screen_.ApplyScissor(render_target_active_);
}

void tr_Render_GL::ScreenPictureMoved() {
    // Copying pictures binds the screen's framebuffer and drops the scissor.
    if (render_target_active_) {
        auto* device = static_cast<tr_DeviceTexture_GL*>(target_texture_->GetDeviceTexture(0));
        glBindFramebuffer(GL_FRAMEBUFFER, device->GetFramebuffer());
    }
    ApplyScissor();
}

bool tr_Render_GL::KeepFrame(bool keep) {
    if (!IsReady())
        return false;
    Flush();
    const bool kept = screen_.Keep(keep);
    ScreenPictureMoved();
    return kept;
}

void tr_Render_GL::SetWindowKeepsPicture(bool keeps) {
    // Also before Init: a picture is only kept once the device is ready.
    Flush();
    screen_.SetWindowKeepsPicture(keeps);
    if (IsReady())
        ScreenPictureMoved();
}

bool tr_Render_GL::GetScreenChanges(tr_ScreenChanges& changes) const {
    return IsReady() && screen_.GetChanges(changes);
}

void tr_Render_GL::SetScreenScissor(const tr_Rect* rect) {
    Flush();
    screen_.SetScissor(rect);
    if (IsReady())
        ApplyScissor();
}

void tr_Render_GL::ClearScreenArea() {
    Flush();
    if (render_target_active_ || !IsReady())
        return;
    // Only a clear of the whole screen makes the kept picture unneeded.
    BeforeScreenDraw(screen_.ScissorCoversScreen());
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void tr_Render_GL::BeginDraw() {
    tr_Render::BeginDraw();
    view_known_ = false;
    drawing_enabled_ = true;
}

void tr_Render_GL::EndDraw() {
    drawing_enabled_ = false;
}

void tr_Render_GL::BeginRenderToTexture(int width, int height) {
    Flush();
    if (render_target_active_)
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    view_known_ = false;
    const bool started = StartRenderTarget(width, height);
    ApplyScissor();
    if (!started)
        return;
    auto* device = static_cast<tr_DeviceTexture_GL*>(target_texture_->GetDeviceTexture(0));
    glBindFramebuffer(GL_FRAMEBUFFER, device->GetFramebuffer());
    glViewport(0, 0, device->GetAllocWidth(), device->GetAllocHeight());
    pipeline_.ForgetView();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

std::shared_ptr<tr_Texture> tr_Render_GL::EndRenderToTexture() {
    Flush();
    const bool was_active = render_target_active_;
    std::shared_ptr<tr_Texture> target = FinishRenderTarget();
    if (was_active) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        pipeline_.ForgetView();
        ApplyScissor();
    }
    view_known_ = false;
    return target;
}

void tr_Render_GL::SetScreenDiscarded(bool discarded) {
    Flush();
    screen_.SetDiscarded(discarded);
    if (IsReady())
        ApplyScissor();
}

bool tr_Render_GL::PushClip(const tr_Rect& rect) {
    view_known_ = false;
    return tr_Render::PushClip(rect);
}

void tr_Render_GL::PopClip() {
    view_known_ = false;
    tr_Render::PopClip();
}

const int* tr_Render_GL::View() {
    if (!view_known_) {
        CurrentView(view_);
        view_known_ = true;
    }
    return view_;
}

void tr_Render_GL::CurrentView(int view[4]) const {
    const tr_Rect r = GetViewRect();
    view[0] = static_cast<int>(std::floor(r.x));
    view[1] = static_cast<int>(std::floor(r.y));
    view[2] = static_cast<int>(std::floor(r.w));
    view[3] = static_cast<int>(std::floor(r.h));
}

bool tr_Render_GL::BatchIsTinted() const {
    // Quads are queued whole, so each fourth vertex stands for its quad.
    for (size_t i = 0; i < batch_.size(); i += 4) {
        if (batch_[i].color != 0xFFFFFFFFu)
            return true;
    }
    return false;
}

GLuint tr_Render_GL::TextureFor(const tr_Texture* texture, int frame) const {
    return HandleFor(texture ? texture->GetDeviceTexture(frame) : nullptr);
}

GLuint tr_Render_GL::HandleFor(const tr_DeviceTexture* device) const {
    if (const uintptr_t handle = device ? device->GetNativeHandle() : 0)
        return static_cast<GLuint>(handle);
    const tr_DeviceTexture* white = white_texture_ ? white_texture_->GetDeviceTexture(0) : nullptr;
    return white ? static_cast<GLuint>(white->GetNativeHandle()) : 0;
}

void tr_Render_GL::SetFastPaths(bool allowed) {
    Flush();
    pipeline_.SetFastPaths(allowed);
}

void tr_Render_GL::ApplyView(const int view[4], tr_ShaderProgram_GL& program) {
    pipeline_.ApplyView(view, program, static_cast<int>(screen_height_), render_target_active_);
}

void tr_Render_GL::Flush() {
    if (batch_quads_ == 0 || !IsReady())
        return;
    const double start = ThreadSeconds();
    BeforeScreenDraw(false);
    tr_ShaderProgram_GL& program = pipeline_.ProgramFor(batch_blend_, slot_count_, BatchIsTinted());
    pipeline_.UseVertexArray();
    pipeline_.ApplyBlend(batch_blend_);
    ApplyView(batch_view_, program);
    program.SetListMode(-1);
    for (int slot = 0; slot < slot_count_; ++slot)
        pipeline_.BindUnit(slot, slots_[slot].texture, slots_[slot].point_sampling);
    const GLint first = pipeline_.StreamVertices(batch_.data(), batch_quads_ * 4);
    pipeline_.DrawQuads(first, batch_quads_);
    ++draw_calls_;
    batch_quads_ = 0;
    slot_count_ = 0;
    batch_has_large_ = false;
    submit_seconds_ += ThreadSeconds() - start;
}

bool tr_Render_GL::BatchHoldsOnly(GLuint texture, bool point_sampling) const {
    return slot_count_ == 1 && slots_[0].texture == texture &&
           slots_[0].point_sampling == point_sampling;
}

int tr_Render_GL::FindOrAddSlot(GLuint texture, bool point_sampling) {
    for (int slot = 0; slot < slot_count_; ++slot) {
        if (slots_[slot].texture == texture && slots_[slot].point_sampling == point_sampling)
            return slot;
    }
    if (slot_count_ == tr_ShaderProgram_GL::kTextureSlots)
        return -1;
    slots_[slot_count_].texture = texture;
    slots_[slot_count_].point_sampling = point_sampling;
    return slot_count_++;
}

void tr_Render_GL::JoinBatch(int mode, bool opaque, float area) {
    tr_BlendState_GL wanted = kBlendMixed;
    switch (mode) {
    case 0:
        wanted = opaque && area >= kOpaqueBatchArea ? kBlendOpaque : kBlendNormal;
        break;
    case 1:
        wanted = kBlendAdd;
        break;
    default:
        break;
    }
    if (batch_quads_ == 0) {
        batch_blend_ = wanted;
        return;
    }
    if (wanted == batch_blend_)
        return;
    // Blending leaves an opaque quad as it is, so an opaque quad may join
    // any batch that blends its quads in the normal mode; the reverse would
    // blend the large opaque quads the batch holds.
    if (wanted == kBlendOpaque && batch_blend_ != kBlendAdd)
        return;
    if (batch_blend_ == kBlendOpaque) {
        FlushKeepingNext();
        batch_blend_ = wanted;
        return;
    }
    const bool normal_or_add = wanted != kBlendMixed && batch_blend_ != kBlendMixed;
    batch_blend_ = normal_or_add && pipeline_.SharesNormalAndAdd(render_target_active_)
                       ? kBlendNormalAdd
                       : kBlendMixed;
}

void tr_Render_GL::FlushKeepingNext() {
    tr_Vertex next[4];
    std::copy_n(&batch_[static_cast<size_t>(batch_quads_) * 4], 4, next);
    Flush();
    std::copy_n(next, 4, batch_.data());
}

void tr_Render_GL::DrawQuad(const std::shared_ptr<tr_Texture>& texture, const tr_DrawState& state) {
    if (!IsDrawingAllowed() || !IsReady() || tr_IsInvisible(state))
        return;
    // The quad is built in place after the queued ones and counted only once
    // it joins the batch; the storage only grows, so steady frames allocate
    // nothing.
    const size_t end = static_cast<size_t>(batch_quads_) * 4;
    if (batch_.size() < end + 4)
        batch_.resize(std::max(end + 4, batch_.size() * 2));
    tr_Vertex* vertices = &batch_[end];
    tr_QuadGeometry::Flags flags;
    // The pixel-centre shift is 0 on GL, so the draw matrix serves as it is.
    if (!tr_QuadGeometry::BuildInto(texture.get(), state, &state.transform, vertices, flags))
        return;
    const int* view = View();
    if (tr_IsOutsideView(vertices, 4, view))
        return;
    const GLuint handle = HandleFor(flags.device);
    const float area = ScreenArea(vertices);
    const bool large = area >= kOwnTexturesArea;
    if (batch_quads_ > 0 &&
        (!std::equal(view, view + 4, batch_view_) ||
         batch_quads_ >= tr_DrawPipeline_GL::kMaxBatchQuads ||
         ((large || batch_has_large_) && !BatchHoldsOnly(handle, flags.point_sampling))))
        FlushKeepingNext();
    batch_has_large_ = batch_has_large_ || large;
    const int mode = tr_ShaderProgram_GL::ModeIndex(state.blend);
    JoinBatch(mode, flags.opaque, area);
    int slot = FindOrAddSlot(handle, flags.point_sampling);
    if (slot < 0) {
        FlushKeepingNext();
        JoinBatch(mode, flags.opaque, area);
        slot = FindOrAddSlot(handle, flags.point_sampling);
    }
    std::copy(view, view + 4, batch_view_);
    vertices = &batch_[static_cast<size_t>(batch_quads_) * 4];
    const float code = tr_ShaderProgram_GL::VertexCode(slot, state.blend);
    for (int i = 0; i < 4; ++i)
        vertices[i].z = code;
    ++batch_quads_;
}

void tr_Render_GL::DrawList(const std::shared_ptr<tr_Texture>& texture, tr_VertexList& vertices,
                            tr_IndexList* indices, const tr_DrawState& state) {
    if (!IsDrawingAllowed() || !IsReady() || !vertices.HasBuffer() ||
        (indices && !indices->HasBuffer()))
        return;
    Flush();
    BeforeScreenDraw(false);
    vertices.Unlock();
    if (indices)
        indices->Unlock();
    pipeline_.UseVertexArray();
    int view[4];
    CurrentView(view);
    const int mode = tr_ShaderProgram_GL::ModeIndex(state.blend);
    const tr_BlendState_GL blend = mode == 0 ? kBlendNormal : (mode == 1 ? kBlendAdd : kBlendMixed);
    tr_ShaderProgram_GL& program = pipeline_.ListProgram(blend);
    pipeline_.ApplyBlend(blend);
    ApplyView(view, program);
    program.SetListMode(mode);
    pipeline_.BindUnit(0, TextureFor(texture.get(), state.frame), false);
    pipeline_.PointAttributesAt(static_cast<GLuint>(vertices.GetBuffer()->GetNativeHandle()));
    if (indices) {
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER,
                     static_cast<GLuint>(indices->GetBuffer()->GetNativeHandle()));
        const GLsizei count = indices->GetCount() / 3 * 3;
        if (count > 0) {
            glDrawRangeElements(GL_TRIANGLES, 0, static_cast<GLuint>(vertices.GetCount()), count,
                                GL_UNSIGNED_SHORT, nullptr);
            ++draw_calls_;
        }
    } else {
        const GLsizei count = vertices.GetCount() / 3 * 3;
        if (count > 0) {
            glDrawArrays(GL_TRIANGLES, 0, count);
            ++draw_calls_;
        }
    }
}

void tr_Render_GL::DrawVertexList(const std::shared_ptr<tr_Texture>& texture,
                                  tr_VertexList& vertices, const tr_DrawState& state) {
    DrawList(texture, vertices, nullptr, state);
}

void tr_Render_GL::DrawIndexed(const std::shared_ptr<tr_Texture>& texture, tr_VertexList& vertices,
                               tr_IndexList& indices, const tr_DrawState& state) {
    DrawList(texture, vertices, &indices, state);
}

void tr_Render_GL::DrawLine(float x0, float y0, float, float x1, float y1, float, float red,
                            float green, float blue, const tr_DrawState& state) {
    if (!IsDrawingAllowed() || !IsReady())
        return;
    Flush();
    BeforeScreenDraw(false);
    tr_Vertex line[2];
    line[0].x = x0;
    line[0].y = y0;
    line[1].x = x1;
    line[1].y = y1;
    line[0].color = line[1].color = tr_PackColor(state.alpha, red, green, blue);
    line[0].z = line[1].z = tr_ShaderProgram_GL::VertexCode(0, state.blend);
    tr_TransformVertices(line, 2, tr_ShiftToPixelCentres(state.transform, kPixelCentreShift));
    pipeline_.UseVertexArray();
    int view[4];
    CurrentView(view);
    pipeline_.ApplyBlend(kBlendMixed);
    ApplyView(view, pipeline_.LineProgram());
    pipeline_.LineProgram().SetListMode(-1);
    pipeline_.BindUnit(0, TextureFor(nullptr, 0), true);
    const GLint first = pipeline_.StreamVertices(line, 2);
    glDrawArrays(GL_LINES, first, 2);
    ++draw_calls_;
}

bool tr_Render_GL::ReadFrame(std::vector<uint32_t>& argb, int& width, int& height) {
    Flush();
    width = static_cast<int>(screen_width_);
    height = static_cast<int>(screen_height_);
    if (width <= 0 || height <= 0 || !IsReady())
        return false;
    GLint previous = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &previous);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    std::vector<uint32_t> bottom_up(static_cast<size_t>(width) * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, bottom_up.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(previous));
    argb.resize(bottom_up.size());
    for (int y = 0; y < height; ++y) {
        const uint32_t* source = &bottom_up[static_cast<size_t>(height - 1 - y) * width];
        std::copy(source, source + width, &argb[static_cast<size_t>(y) * width]);
    }
    return glGetError() == GL_NO_ERROR;
}
