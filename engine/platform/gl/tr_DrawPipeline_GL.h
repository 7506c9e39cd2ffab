// tr_DrawPipeline_GL: the GL objects every draw of tr_Render_GL goes through,
// and the state last applied to them so that a draw changes only what
// differs: the shader programs (for batches: plain and normal-and-add, each
// tinted or untinted, and dual-source, each reading 1, 2, 4 or 8 texture
// slots; for vertex lists and lines: plain and dual-source), the
// vertex array, the stream buffer that quads and lines are written into, the
// index buffer shared by all batches of quads, the point and linear
// samplers, the blend state and the viewport. It also knows what the driver
// and the screen allow: indexed programs on software rasterisers, and the
// normal-and-add blend state on a screen without alpha.
// Owned by tr_Render_GL; Create and Destroy with its GL context current.
#pragma once

#include "engine/platform/gl/tr_ShaderProgram_GL.h"
#include "engine/render/tr_Vertex.h"

#include <epoxy/gl.h>

// How a batch blends, from cheapest to most general. kBlendNormalAdd mixes
// the normal and additive modes without dual source (on the screen alone:
// additive quads leave its alpha as it was).
enum tr_BlendState_GL { kBlendOpaque, kBlendNormal, kBlendAdd, kBlendNormalAdd, kBlendMixed };

class tr_DrawPipeline_GL {
public:
    // Quads per GPU draw call; four vertices each must stay addressable by
    // 16-bit indices.
    static const int kMaxBatchQuads = 16384;

    tr_DrawPipeline_GL() = default;
    tr_DrawPipeline_GL(const tr_DrawPipeline_GL&) = delete;
    tr_DrawPipeline_GL& operator=(const tr_DrawPipeline_GL&) = delete;

    // False, holding nothing, when a program could not be made.
    bool Create();
    void Destroy();
    bool IsReady() const { return programs_[kDual][0].IsReady(); }
    // With fast paths (the default) batches take the colour of one vertex
    // per quad, batches of several textures are drawn by indexed programs and
    // kBlendNormalAdd is offered, where the driver and the screen allow;
    // without them batches interpolate the colour, branch per slot and use
    // kBlendMixed, which any driver draws the same way.
    void SetFastPaths(bool allowed);
    // Whether a batch of normal and additive quads drawn to the screen (or
    // to a render target) may use kBlendNormalAdd.
    bool SharesNormalAndAdd(bool to_target) const {
        return fast_paths_ && !to_target && !screen_has_alpha_;
    }

    // The smallest program of the kind a blend state needs reading at least
    // slots textures; untinted where the quads need no vertex colour.
    tr_ShaderProgram_GL& ProgramFor(tr_BlendState_GL blend, int slots, bool tinted);
    // Client vertex lists (one slot, colour interpolated) in a blend state
    // of one mode.
    tr_ShaderProgram_GL& ListProgram(tr_BlendState_GL blend) {
        return list_programs_[blend == kBlendMixed ? 1 : 0];
    }
    // Lines: one slot, any blend mode.
    tr_ShaderProgram_GL& LineProgram() { return list_programs_[1]; }
    void ApplyBlend(tr_BlendState_GL blend);
    // The next ApplyBlend sets its state whatever was applied before.
    void ForgetBlend() { applied_blend_ = -1; }
    // Viewport and the program's projection for a floored view rectangle
    // of the bound framebuffer (the screen, screen_height high, or a render
    // target); uses the program.
    void ApplyView(const int view[4], tr_ShaderProgram_GL& program, int screen_height,
                   bool to_target);
    // The viewport was set elsewhere: the next ApplyView sets it again.
    void ForgetView() { applied_view_[0] = -1; }
    void BindUnit(int unit, GLuint texture, bool point_sampling);
    void UseVertexArray() { glBindVertexArray(vertex_array_); }
    // Points the vertex attributes at a buffer of tr_Vertex.
    void PointAttributesAt(GLuint buffer);
    // Copies vertices into the stream buffer; returns the index of the first.
    GLint StreamVertices(const tr_Vertex* vertices, int count);
    // Draws quads streamed from first, two triangles each.
    void DrawQuads(GLint first, int quads);

private:
    enum ProgramKind { kPlain, kPlainUntinted, kNormalAdd, kNormalAddUntinted, kDual, kKinds };

    bool CreatePrograms();
    void DestroyPrograms();

    tr_ShaderProgram_GL programs_[kKinds][4]; // batches of quads, by 1, 2, 4 and 8 slots
    tr_ShaderProgram_GL list_programs_[2];    // plain and dual-source
    bool fast_paths_ = true;
    bool indexes_textures_ = false; // the driver may index sampler arrays per quad
    bool screen_has_alpha_ = true;
    GLuint vertex_array_ = 0;
    GLuint stream_buffer_ = 0;
    GLuint quad_indices_ = 0;
    GLuint samplers_[2] = {0, 0}; // linear, point
    GLuint attributes_source_ = 0;
    int stream_used_ = 0; // vertices written since the stream buffer was orphaned
    int applied_blend_ = -1;
    int applied_view_[4] = {-1, -1, -1, -1};
    bool applied_view_to_target_ = false;
};
