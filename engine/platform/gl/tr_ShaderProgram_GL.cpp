#include "engine/platform/gl/tr_ShaderProgram_GL.h"

#include "engine/core/tr_Log.h"
#include "engine/render/tr_DrawState.h"

#include <algorithm>
#include <string>

namespace {

// The qualifier of the colour passed from vertex to fragment.
const char* ColourQualifier(bool colour_per_quad) {
    return colour_per_quad ? "flat " : "";
}

const char* kVertexShaderEnd = R"(out vec2 v_uv;
flat out int v_slot;
flat out vec4 v_mode_weights;
// Per blend mode: weight of the source term, and of alpha, colour and
// 1 - colour in the destination factor (see FragmentShader).
const vec4 kModeWeights[4] = vec4[4](vec4(1.0, 1.0, 0.0, 0.0), vec4(1.0, 0.0, 0.0, 0.0),
                                     vec4(0.0, 0.0, 1.0, 0.0), vec4(0.0, 0.0, 0.0, 1.0));
void main() {
    gl_Position = vec4(a_position.xy * u_projection.xy + u_projection.zw, 0.0, 1.0);
    v_color = a_color;
    v_uv = a_uv;
    int code = int(a_position.z + 0.5);
    v_slot = u_list_mode >= 0 ? 0 : code / 4;
    v_mode_weights = kModeWeights[u_list_mode >= 0 ? u_list_mode : code - (code / 4) * 4];
}
)";

std::string VertexShader(bool colour_per_quad) {
    return std::string(R"(#version 330 core
layout(location = 0) in vec3 a_position;
layout(location = 1) in vec4 a_color;
layout(location = 2) in vec2 a_uv;
uniform vec4 u_projection;
uniform int u_list_mode;
)") + ColourQualifier(colour_per_quad) +
           "out vec4 v_color;\n" + kVertexShaderEnd;
}

// Destination colour = source term + destination x (1 - factor):
// normal   c.a * c.rgb + dst * (1 - c.a)
// add      c.a * c.rgb + dst
// inverse multiply     dst * (1 - c.rgb)
// multiply             dst * c.rgb
// Alpha is always c.a + dst.a * (1 - c.a). The dual-source program weighs
// the terms by the quad's mode instead of branching on it: a software
// rasteriser runs every branch for every fragment. The weights are 0 or 1,
// so the results are exactly those of the table. The other programs write
// the normal and additive source term alone and leave the rest to the blend
// state; the normal-and-add program writes alpha 0 for additive quads (their
// weight of alpha in the factor), so that (ONE, ONE_MINUS_SRC_ALPHA) gives
// both rows of the table in colour.
std::string FragmentShader(int slots, const tr_ProgramKind_GL& kind) {
    const tr_ProgramOutput_GL output = kind.output;
    const bool indexed = kind.indexed && slots > 1;
    std::string source = "#version 330 core\n";
    if (indexed)
        source += "#extension GL_ARB_gpu_shader5 : require\n";
    source += ColourQualifier(kind.colour_per_quad);
    source += R"(in vec4 v_color;
in vec2 v_uv;
flat in int v_slot;
flat in vec4 v_mode_weights;
uniform sampler2D u_textures[)" +
              std::to_string(slots) + "];\n";
    source += output == tr_ProgramOutput_GL::kDualSource
                  ? R"(layout(location = 0, index = 0) out vec4 o_color;
layout(location = 0, index = 1) out vec4 o_factor;
)"
                  : "layout(location = 0) out vec4 o_color;\n";
    source += "vec4 Sample() {\n";
    if (indexed) {
        source += "    return texture(u_textures[v_slot], v_uv);\n";
    } else {
        for (int slot = 0; slot + 1 < slots; ++slot) {
            source += "    if (v_slot == " + std::to_string(slot) + ") return texture(u_textures[" +
                      std::to_string(slot) + "], v_uv);\n";
        }
        source += "    return texture(u_textures[" + std::to_string(slots - 1) + "], v_uv);\n";
    }
    const bool tinted = kind.tinted || output == tr_ProgramOutput_GL::kDualSource;
    source += tinted ? "}\nvoid main() {\n    vec4 c = Sample() * v_color;\n"
                     : "}\nvoid main() {\n    vec4 c = Sample();\n";
    switch (output) {
    case tr_ProgramOutput_GL::kPremultiplied:
        source += "    o_color = vec4(c.rgb * c.a, c.a);\n";
        break;
    case tr_ProgramOutput_GL::kNormalAndAdd:
        source += "    o_color = vec4(c.rgb * c.a, c.a * v_mode_weights.y);\n";
        break;
    case tr_ProgramOutput_GL::kDualSource:
        source += R"(    vec4 w = v_mode_weights;
    o_color = vec4(c.rgb * (c.a * w.x), c.a);
    o_factor = vec4(vec3(c.a * w.y) + c.rgb * w.z + (1.0 - c.rgb) * w.w, c.a);
)";
        break;
    }
    return source + "}\n";
}

GLuint CompileShader(GLenum kind, const char* source) {
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char message[512] = {0};
        glGetShaderInfoLog(shader, sizeof(message), nullptr, message);
        tr_Log("Error: shader could not be compiled: %s", message);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

} // namespace

tr_ShaderProgram_GL::~tr_ShaderProgram_GL() {
    Destroy();
}

void tr_ShaderProgram_GL::Destroy() {
    if (program_)
        glDeleteProgram(program_);
    program_ = 0;
}

bool tr_ShaderProgram_GL::Create(int slots, const tr_ProgramKind_GL& kind) {
    if (program_)
        return true;
    slots = std::max(1, std::min(slots, kTextureSlots));
    const std::string vertex_source = VertexShader(kind.colour_per_quad);
    const std::string fragment_source = FragmentShader(slots, kind);
    const GLuint vertex = CompileShader(GL_VERTEX_SHADER, vertex_source.c_str());
    const GLuint fragment = CompileShader(GL_FRAGMENT_SHADER, fragment_source.c_str());
    if (!vertex || !fragment) {
        glDeleteShader(vertex);
        glDeleteShader(fragment);
        return false;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        char message[512] = {0};
        glGetProgramInfoLog(program, sizeof(message), nullptr, message);
        tr_Log("Error: shader program could not be linked: %s", message);
        glDeleteProgram(program);
        return false;
    }
    program_ = program;
    projection_location_ = glGetUniformLocation(program_, "u_projection");
    list_mode_location_ = glGetUniformLocation(program_, "u_list_mode");
    glUseProgram(program_);
    GLint units[kTextureSlots];
    for (int i = 0; i < kTextureSlots; ++i)
        units[i] = i;
    glUniform1iv(glGetUniformLocation(program_, "u_textures"), slots, units);
    std::fill(projection_, projection_ + 4, 0.0f);
    glUniform4fv(projection_location_, 1, projection_);
    list_mode_ = -2;
    SetListMode(-1);
    return true;
}

void tr_ShaderProgram_GL::SetProjection(float scale_x, float scale_y, float offset_x,
                                        float offset_y) {
    const float projection[4] = {scale_x, scale_y, offset_x, offset_y};
    if (std::equal(projection, projection + 4, projection_))
        return;
    std::copy(projection, projection + 4, projection_);
    glUniform4fv(projection_location_, 1, projection_);
}

void tr_ShaderProgram_GL::SetListMode(int mode) {
    if (mode == list_mode_)
        return;
    list_mode_ = mode;
    glUniform1i(list_mode_location_, mode);
}

int tr_ShaderProgram_GL::ModeIndex(int blend) {
    switch (blend) {
    case TR_BLEND_ADD:
        return 1;
    case TR_BLEND_INV_MULTIPLY:
        return 2;
    case TR_BLEND_MULTIPLY:
        return 3;
    default:
        return 0;
    }
}
