#include "engine/platform/gl/tr_Render_GL.h"

#include "engine/platform/gl/tr_DeviceTexture_GL.h"
#include "engine/platform/gl/tr_QuadIndices_GL.h"
#include "engine/render/tr_IndexList.h"
#include "engine/render/tr_QuadGeometry.h"
#include "engine/render/tr_RenderTargetTexture.h"
#include "engine/render/tr_VertexList.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <ctime>

namespace {

// GL pixel centres already sit at +0.5, so the Direct3D-style half-pixel
// shift of the draw matrix is 0 here.
const float kPixelCentreShift = 0.0f;

// Quads per GPU draw call; four vertices each must stay addressable by
// 16-bit indices.
const int kMaxBatchQuads = 16384;
// Vertices the stream buffer holds before it is orphaned.
const int kStreamVertices = kMaxBatchQuads * 4 * 4;
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
    DestroyDeviceObjects();
    device_.SetFlushCallback(nullptr);
    if (tr_RenderDevice::Current() == &device_)
        tr_RenderDevice::SetCurrent(nullptr);
}

bool tr_Render_GL::CreateDeviceObjects() {
    if (IsReady())
        return true;
    for (int i = 0; i < 4; ++i) {
        if (!plain_programs_[i].Create(1 << i, false) || !dual_programs_[i].Create(1 << i, true) ||
            !untinted_programs_[i].Create(1 << i, false, false)) {
            for (int j = 0; j < 4; ++j) {
                plain_programs_[j].Destroy();
                dual_programs_[j].Destroy();
                untinted_programs_[j].Destroy();
            }
            return false;
        }
    }

    glGenVertexArrays(1, &vertex_array_);
    glBindVertexArray(vertex_array_);
    glGenBuffers(1, &stream_buffer_);
    glBindBuffer(GL_ARRAY_BUFFER, stream_buffer_);
    glBufferData(GL_ARRAY_BUFFER, sizeof(tr_Vertex) * kStreamVertices, nullptr, GL_STREAM_DRAW);
    stream_used_ = 0;
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glEnableVertexAttribArray(2);
    attributes_source_ = 0;
    PointAttributesAt(stream_buffer_);

    std::vector<uint16_t> indices(static_cast<size_t>(kMaxBatchQuads) *
                                  tr_QuadIndices_GL::kPerQuad);
    tr_QuadIndices_GL::Fill(indices.data(), kMaxBatchQuads);
    glGenBuffers(1, &quad_indices_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, quad_indices_);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * 2),
                 indices.data(), GL_STATIC_DRAW);

    glGenSamplers(2, samplers_);
    for (int i = 0; i < 2; ++i) {
        const GLint filter = i == 0 ? GL_LINEAR : GL_NEAREST;
        glSamplerParameteri(samplers_[i], GL_TEXTURE_MIN_FILTER, filter);
        glSamplerParameteri(samplers_[i], GL_TEXTURE_MAG_FILTER, filter);
        glSamplerParameteri(samplers_[i], GL_TEXTURE_WRAP_S, GL_REPEAT);
        glSamplerParameteri(samplers_[i], GL_TEXTURE_WRAP_T, GL_REPEAT);
    }
    return true;
}

void tr_Render_GL::DestroyDeviceObjects() {
    if (!IsReady())
        return;
    glDeleteSamplers(2, samplers_);
    glDeleteBuffers(1, &quad_indices_);
    glDeleteBuffers(1, &stream_buffer_);
    glDeleteVertexArrays(1, &vertex_array_);
    for (int i = 0; i < 4; ++i) {
        plain_programs_[i].Destroy();
        dual_programs_[i].Destroy();
        untinted_programs_[i].Destroy();
    }
    samplers_[0] = samplers_[1] = 0;
    quad_indices_ = stream_buffer_ = vertex_array_ = 0;
}

void tr_Render_GL::Init(float width, float height) {
    tr_RenderDevice::SetCurrent(&device_);
    tr_Render::Init(width, height);
    view_known_ = false;
    drawing_enabled_ = false;
    render_target_active_ = false;
    if (!CreateDeviceObjects())
        return;
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glDisable(GL_SCISSOR_TEST);
    glBlendEquation(GL_FUNC_ADD);
    applied_blend_ = -1;
    ApplyBlend(kBlendMixed);
    screen_.Resize(static_cast<int>(width), static_cast<int>(height));
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    ApplyScissor();
    applied_view_[0] = -1;
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
    applied_view_[0] = -1;
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

std::shared_ptr<tr_Texture> tr_Render_GL::EndRenderToTexture() {
    Flush();
    const bool was_active = render_target_active_;
    std::shared_ptr<tr_Texture> target = FinishRenderTarget();
    if (was_active) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        applied_view_[0] = -1;
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

void tr_Render_GL::ApplyView(const int view[4], tr_ShaderProgram_GL& program) {
    program.Use();
    const bool same_viewport = std::equal(view, view + 4, applied_view_) &&
                               applied_view_to_target_ == render_target_active_;
    const float w = static_cast<float>(view[2] > 0 ? view[2] : 1);
    const float h = static_cast<float>(view[3] > 0 ? view[3] : 1);
    // Screen: y grows downwards, so the top edge maps to +1 and the viewport
    // is flipped into GL's bottom-up window. Render targets keep image row 0
    // at texture row 0 (the orientation loaded textures have), so there the
    // top edge maps to -1 and the viewport is not flipped.
    const float scale_x = 2.0f / w;
    const float offset_x = -1.0f - view[0] * scale_x;
    float scale_y = -2.0f / h;
    float offset_y = 1.0f - view[1] * scale_y;
    int viewport_y = static_cast<int>(screen_height_) - view[1] - view[3];
    if (render_target_active_) {
        scale_y = 2.0f / h;
        offset_y = -1.0f - view[1] * scale_y;
        viewport_y = view[1];
    }
    program.SetProjection(scale_x, scale_y, offset_x, offset_y);
    if (same_viewport)
        return;
    std::copy(view, view + 4, applied_view_);
    applied_view_to_target_ = render_target_active_;
    glViewport(view[0], viewport_y, view[2] > 0 ? view[2] : 0, view[3] > 0 ? view[3] : 0);
}

tr_ShaderProgram_GL& tr_Render_GL::ProgramFor(BlendState blend, int slots, bool tinted) {
    int index = 0;
    while (index < 3 && (1 << index) < slots)
        ++index;
    if (blend == kBlendMixed)
        return dual_programs_[index];
    return tinted ? plain_programs_[index] : untinted_programs_[index];
}

bool tr_Render_GL::BatchIsTinted() const {
    // Quads are queued whole, so each fourth vertex stands for its quad.
    for (size_t i = 0; i < batch_.size(); i += 4) {
        if (batch_[i].color != 0xFFFFFFFFu)
            return true;
    }
    return false;
}

void tr_Render_GL::ApplyBlend(BlendState blend) {
    if (applied_blend_ == blend)
        return;
    if (blend == kBlendOpaque) {
        glDisable(GL_BLEND);
    } else if (applied_blend_ < 0 || applied_blend_ == kBlendOpaque) {
        glEnable(GL_BLEND);
    }
    // Plain programs write the premultiplied colour; the dual-source program
    // also writes each mode's destination factor.
    switch (blend) {
    case kBlendOpaque:
        break;
    case kBlendNormal:
        glBlendFuncSeparate(GL_ONE, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        break;
    case kBlendAdd:
        glBlendFuncSeparate(GL_ONE, GL_ONE, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        break;
    case kBlendMixed:
        glBlendFuncSeparate(GL_ONE, GL_ONE_MINUS_SRC1_COLOR, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        break;
    }
    applied_blend_ = blend;
}

GLuint tr_Render_GL::TextureFor(const tr_Texture* texture, int frame) const {
    const tr_DeviceTexture* device = texture ? texture->GetDeviceTexture(frame) : nullptr;
    if (device && device->GetNativeHandle())
        return static_cast<GLuint>(device->GetNativeHandle());
    const tr_DeviceTexture* white = white_texture_ ? white_texture_->GetDeviceTexture(0) : nullptr;
    return white ? static_cast<GLuint>(white->GetNativeHandle()) : 0;
}

void tr_Render_GL::BindUnit(int unit, GLuint texture, bool point_sampling) {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindSampler(static_cast<GLuint>(unit), samplers_[point_sampling ? 1 : 0]);
}

void tr_Render_GL::PointAttributesAt(GLuint buffer) {
    if (attributes_source_ == buffer)
        return;
    attributes_source_ = buffer;
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    const GLsizei stride = sizeof(tr_Vertex);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(tr_Vertex, x)));
    // Packed 0xAARRGGBB is blue, green, red, alpha in memory: GL_BGRA reads
    // it into (r, g, b, a) without repacking.
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<const void*>(offsetof(tr_Vertex, color)));
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(tr_Vertex, u)));
}

GLint tr_Render_GL::StreamVertices(const tr_Vertex* vertices, int count) {
    PointAttributesAt(stream_buffer_);
    glBindBuffer(GL_ARRAY_BUFFER, stream_buffer_);
    // The stream buffer is filled front to back and only orphaned when full,
    // so consecutive draws neither wait for the GPU nor reallocate.
    if (stream_used_ + count > kStreamVertices) {
        glBufferData(GL_ARRAY_BUFFER, sizeof(tr_Vertex) * kStreamVertices, nullptr, GL_STREAM_DRAW);
        stream_used_ = 0;
    }
    const GLintptr offset = static_cast<GLintptr>(stream_used_) * sizeof(tr_Vertex);
    const GLsizeiptr bytes = static_cast<GLsizeiptr>(count) * sizeof(tr_Vertex);
    void* target = glMapBufferRange(GL_ARRAY_BUFFER, offset, bytes,
                                    GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_RANGE_BIT |
                                        GL_MAP_UNSYNCHRONIZED_BIT);
    if (target) {
        std::memcpy(target, vertices, static_cast<size_t>(bytes));
        glUnmapBuffer(GL_ARRAY_BUFFER);
    } else {
        glBufferSubData(GL_ARRAY_BUFFER, offset, bytes, vertices);
    }
    const GLint first = stream_used_;
    stream_used_ += count;
    return first;
}

void tr_Render_GL::Flush() {
    if (batch_quads_ == 0 || !IsReady())
        return;
    const double start = ThreadSeconds();
    BeforeScreenDraw(false);
    tr_ShaderProgram_GL& program = ProgramFor(batch_blend_, slot_count_, BatchIsTinted());
    glBindVertexArray(vertex_array_);
    ApplyBlend(batch_blend_);
    ApplyView(batch_view_, program);
    program.SetListMode(-1);
    for (int slot = 0; slot < slot_count_; ++slot)
        BindUnit(slot, slots_[slot].texture, slots_[slot].point_sampling);
    const GLint first = StreamVertices(batch_.data(), batch_quads_ * 4);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, quad_indices_);
    glDrawElementsBaseVertex(GL_TRIANGLES, batch_quads_ * 6, GL_UNSIGNED_SHORT, nullptr, first);
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
    BlendState wanted = kBlendMixed;
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
    // any batch of the normal mode; the reverse would blend the large
    // opaque quads the batch holds.
    if (wanted == kBlendOpaque && (batch_blend_ == kBlendNormal || batch_blend_ == kBlendMixed))
        return;
    if (batch_blend_ == kBlendOpaque) {
        FlushKeepingNext();
        batch_blend_ = wanted;
        return;
    }
    batch_blend_ = kBlendMixed;
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
    const GLuint handle = TextureFor(texture.get(), state.frame);
    const float area = ScreenArea(vertices);
    const bool large = area >= kOwnTexturesArea;
    if (batch_quads_ > 0 &&
        (!std::equal(view, view + 4, batch_view_) || batch_quads_ >= kMaxBatchQuads ||
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
    glBindVertexArray(vertex_array_);
    int view[4];
    CurrentView(view);
    const int mode = tr_ShaderProgram_GL::ModeIndex(state.blend);
    const BlendState blend = mode == 0 ? kBlendNormal : (mode == 1 ? kBlendAdd : kBlendMixed);
    tr_ShaderProgram_GL& program = ProgramFor(blend, 1, true);
    ApplyBlend(blend);
    ApplyView(view, program);
    program.SetListMode(mode);
    BindUnit(0, TextureFor(texture.get(), state.frame), false);
    PointAttributesAt(static_cast<GLuint>(vertices.GetBuffer()->GetNativeHandle()));
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
    glBindVertexArray(vertex_array_);
    int view[4];
    CurrentView(view);
    ApplyBlend(kBlendMixed);
    ApplyView(view, dual_programs_[0]);
    dual_programs_[0].SetListMode(-1);
    BindUnit(0, TextureFor(nullptr, 0), true);
    const GLint first = StreamVertices(line, 2);
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
