// tr_ShaderProgram_GL: a GLSL 330 program of the renderer. Colour is
// texture x vertex colour. A dual-source program expresses every blend mode
// through one blend state, (ONE, ONE_MINUS_SRC1_COLOR) for colour and
// (ONE, ONE_MINUS_SRC_ALPHA) for alpha, with the shader writing the mode's
// source term and destination factor; that lets quads of different blend
// modes and of several textures share one draw call. A plain program writes
// only the premultiplied colour, for batches of one blend mode drawn with
// that mode's ordinary blend state (or none, when opaque), which software
// rasterisers shade at a fraction of the cost. Each program samples a fixed
// number of texture slots; the renderer keeps one per slot count and kind
// and uses the smallest that fits, since software rasterisers pay for every
// slot a shader could read. An untinted plain program leaves out the vertex
// colour, for batches whose quads are all drawn in white at full alpha (most
// pictures): a software rasteriser then neither interpolates nor multiplies
// it per fragment. Owned by tr_Render_GL; needs the GL context current.
#pragma once

#include <epoxy/gl.h>

class tr_ShaderProgram_GL {
public:
    static constexpr int kTextureSlots = 8;

    ~tr_ShaderProgram_GL();

    // Compiles and links a program reading up to slots textures (1 to
    // kTextureSlots), dual-source or plain, tinted by the vertex colour or
    // not (plain programs only); false (with a log line) on failure.
    bool Create(int slots, bool dual_source, bool tinted = true);
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
