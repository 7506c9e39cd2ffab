// tr_ShaderProgram_GL: a GLSL 330 program of the renderer. Colour is
// texture x vertex colour. A dual-source program expresses every blend mode
// through one blend state, (ONE, ONE_MINUS_SRC1_COLOR) for colour and
// (ONE, ONE_MINUS_SRC_ALPHA) for alpha, with the shader writing the mode's
// source term and destination factor; that lets quads of different blend
// modes and of several textures share one draw call. A plain program writes
// only the premultiplied colour, for batches of one blend mode drawn with
// that mode's ordinary blend state (or none, when opaque), which software
// rasterisers shade at a fraction of the cost. A normal-and-add program does
// the same for batches mixing only those two modes, at the price of leaving
// destination alpha unchanged under additive quads (for a screen without
// alpha). Each program samples a fixed number of texture slots; the renderer
// keeps one per slot count and kind and uses the smallest that fits, since
// software rasterisers pay for every slot a shader could read unless the
// program is indexed: it then reads the quad's slot alone, which is sound
// only where no group of fragment shader invocations spans two primitives
// (see tr_DrawPipeline_GL). An untinted program leaves out the vertex
// colour, for batches whose quads are all drawn in white at full alpha (most
// pictures): a software rasteriser then neither interpolates nor multiplies
// it per fragment; programs for quads alone may take the colour of one
// vertex instead (tr_ProgramKind_GL). Owned by tr_Render_GL; needs the GL
// context current.
#pragma once

#include <epoxy/gl.h>

// What a program writes, for the blend state it is drawn with.
enum class tr_ProgramOutput_GL { kPremultiplied, kNormalAndAdd, kDualSource };

// What a program reads and writes.
struct tr_ProgramKind_GL {
    tr_ProgramOutput_GL output = tr_ProgramOutput_GL::kPremultiplied;
    // Multiplies by the vertex colour (dual-source programs always do).
    bool tinted = true;
    // Takes the colour of one vertex instead of interpolating it: the same
    // for quads, whose corners share one colour, and a software rasteriser
    // then does no work for it per fragment.
    bool colour_per_quad = false;
    // Reads the quad's slot alone; needs GL_ARB_gpu_shader5.
    bool indexed = false;
};

class tr_ShaderProgram_GL {
public:
    static constexpr int kTextureSlots = 8;

    ~tr_ShaderProgram_GL();

    // Compiles and links a program of a kind reading up to slots textures
    // (1 to kTextureSlots); false (with a log line) on failure.
    bool Create(int slots, const tr_ProgramKind_GL& kind);
    void Destroy();
    bool IsReady() const { return program_ != 0; }
    void Use() const { glUseProgram(program_); }

    // Maps the view rectangle onto the viewport: ndc = p * scale + offset.
    void SetProjection(float scale_x, float scale_y, float offset_x, float offset_y);
    // Client lists carry z = 0 in every vertex; for them the blend mode comes
    // from here and the texture from slot 0. -1 reads both from the vertex z
    // (slot * 4 + mode), which batched quads and lines carry.
    void SetListMode(int mode);

    // Blend mode number of the engine -> the shader's mode index.
    static int ModeIndex(int blend);
    // The packed z of a batched vertex.
    static float VertexCode(int slot, int blend) {
        return static_cast<float>(slot * 4 + ModeIndex(blend));
    }

private:
    GLuint program_ = 0;
    GLint projection_location_ = -1;
    GLint list_mode_location_ = -1;
    int list_mode_ = -2;
    float projection_[4] = {0.0f, 0.0f, 0.0f, 0.0f};
};
