#include "engine/platform/gl/tr_DrawPipeline_GL.h"

#include "engine/platform/gl/tr_QuadIndices_GL.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

namespace {

// Vertices the stream buffer holds before it is orphaned.
const int kStreamVertices = tr_DrawPipeline_GL::kMaxBatchQuads * 4 * 4;

// A program indexed by the flat slot of a quad is only sound where every
// group of fragment shader invocations lies within one primitive. Mesa's
// software rasterisers shade triangle by triangle, and gain most from it:
// they would sample every slot otherwise. GPUs may group fragments of
// neighbouring triangles, and branch per primitive cheaply.
bool ShadesOnePrimitiveAtATime() {
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return renderer && epoxy_has_gl_extension("GL_ARB_gpu_shader5") &&
           (std::strncmp(renderer, "llvmpipe", 8) == 0 ||
            std::strncmp(renderer, "softpipe", 8) == 0);
}

bool ScreenHasAlpha() {
    GLint bound = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    // Left as it is where the query fails (a single-buffered window): alpha
    // is then assumed.
    GLint bits = 8;
    glGetFramebufferAttachmentParameteriv(GL_DRAW_FRAMEBUFFER, GL_BACK_LEFT,
                                          GL_FRAMEBUFFER_ATTACHMENT_ALPHA_SIZE, &bits);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(bound));
    return bits > 0;
}

} // namespace

bool tr_DrawPipeline_GL::CreatePrograms() {
    using Output = tr_ProgramOutput_GL;
    static const tr_ProgramKind_GL kinds[kKinds] = {{Output::kPremultiplied, true},
                                                    {Output::kPremultiplied, false},
                                                    {Output::kNormalAndAdd, true},
                                                    {Output::kNormalAndAdd, false},
                                                    {Output::kDualSource, true}};
    bool made =
        list_programs_[0].Create(1, kinds[kPlain]) && list_programs_[1].Create(1, kinds[kDual]);
    for (int kind = 0; kind < kKinds && made; ++kind) {
        tr_ProgramKind_GL batch_kind = kinds[kind];
        batch_kind.colour_per_quad = fast_paths_;
        batch_kind.indexed = fast_paths_ && indexes_textures_;
        for (int i = 0; i < 4 && made; ++i)
            made = programs_[kind][i].Create(1 << i, batch_kind);
    }
    if (!made)
        DestroyPrograms();
    return made;
}

void tr_DrawPipeline_GL::DestroyPrograms() {
    for (auto& kind : programs_) {
        for (tr_ShaderProgram_GL& program : kind)
            program.Destroy();
    }
    for (tr_ShaderProgram_GL& program : list_programs_)
        program.Destroy();
}

void tr_DrawPipeline_GL::SetFastPaths(bool allowed) {
    if (allowed == fast_paths_)
        return;
    fast_paths_ = allowed;
    if (!IsReady())
        return;
    // The programs are made again; the state they are used with stays.
    DestroyPrograms();
    CreatePrograms();
}

bool tr_DrawPipeline_GL::Create() {
    if (IsReady())
        return true;
    indexes_textures_ = ShadesOnePrimitiveAtATime();
    screen_has_alpha_ = ScreenHasAlpha();
    if (!CreatePrograms())
        return false;

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

void tr_DrawPipeline_GL::Destroy() {
    // Not IsReady: programs that could not be made again by SetFastPaths
    // leave the rest held.
    if (vertex_array_ == 0)
        return;
    glDeleteSamplers(2, samplers_);
    glDeleteBuffers(1, &quad_indices_);
    glDeleteBuffers(1, &stream_buffer_);
    glDeleteVertexArrays(1, &vertex_array_);
    DestroyPrograms();
    samplers_[0] = samplers_[1] = 0;
    quad_indices_ = stream_buffer_ = vertex_array_ = 0;
}

void tr_DrawPipeline_GL::ApplyView(const int view[4], tr_ShaderProgram_GL& program,
                                   int screen_height, bool to_target) {
    program.Use();
    const bool same_viewport =
        std::equal(view, view + 4, applied_view_) && applied_view_to_target_ == to_target;
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
    int viewport_y = screen_height - view[1] - view[3];
    if (to_target) {
        scale_y = 2.0f / h;
        offset_y = -1.0f - view[1] * scale_y;
        viewport_y = view[1];
    }
    program.SetProjection(scale_x, scale_y, offset_x, offset_y);
    if (same_viewport)
        return;
    std::copy(view, view + 4, applied_view_);
    applied_view_to_target_ = to_target;
    glViewport(view[0], viewport_y, view[2] > 0 ? view[2] : 0, view[3] > 0 ? view[3] : 0);
}

tr_ShaderProgram_GL& tr_DrawPipeline_GL::ProgramFor(tr_BlendState_GL blend, int slots,
                                                    bool tinted) {
    int index = 0;
    while (index < 3 && (1 << index) < slots)
        ++index;
    if (blend == kBlendMixed)
        return programs_[kDual][index];
    const int kind = blend == kBlendNormalAdd ? kNormalAdd : kPlain;
    return programs_[tinted ? kind : kind + 1][index];
}

void tr_DrawPipeline_GL::ApplyBlend(tr_BlendState_GL blend) {
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
    case kBlendNormalAdd:
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

void tr_DrawPipeline_GL::BindUnit(int unit, GLuint texture, bool point_sampling) {
    glActiveTexture(GL_TEXTURE0 + unit);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindSampler(static_cast<GLuint>(unit), samplers_[point_sampling ? 1 : 0]);
}

void tr_DrawPipeline_GL::PointAttributesAt(GLuint buffer) {
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

GLint tr_DrawPipeline_GL::StreamVertices(const tr_Vertex* vertices, int count) {
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

void tr_DrawPipeline_GL::DrawQuads(GLint first, int quads) {
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, quad_indices_);
    glDrawElementsBaseVertex(GL_TRIANGLES, quads * 6, GL_UNSIGNED_SHORT, nullptr, first);
}
