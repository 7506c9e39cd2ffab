// Two ways of handing GL many small turned sprites, compared on the same
// sprites: "quads", as tr_Render_GL sends them (four tr_Vertex and two
// indexed triangles per sprite, the renderer's plain tinted program), and
// "points", one GL point per sprite whose gl_PointSize covers the turned
// quad, the fragment shader mapping each fragment through the sprite's
// inverse 2 x 2 transform onto the texture and discarding those outside the
// quad. The sprites are those of bench_sprite_scene's "single" variant at
// 8 x 8 pixels: a 64 x 64 circle texture scaled by 1/8, each turning, moving
// and fading every frame, in a 1366 x 768 window with swap interval 0.
//
// Prints per count and variant, over the measured frames: the mean frame
// time, the process's CPU time per frame (all of a software rasteriser's
// threads), this thread's CPU time handing vertices and draws to GL, and the
// largest channel difference of the points picture from the quads picture
// (the two rasterise edge pixels by different rules). Variants alternate
// within each round, so that load on a shared machine falls on both alike.
//
// Usage: bench_quad_points [frames=60] [warmup=10] [rounds=2] [count...]
#include "BenchWindow.h"
#include "engine/platform/gl/tr_QuadIndices_GL.h"
#include "engine/platform/gl/tr_ShaderProgram_GL.h"
#include "engine/render/tr_Vertex.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

const int kWidth = BenchWindow::kWidth;
const int kHeight = BenchWindow::kHeight;
const float kSize = 8.0f;

// The point's centre and size in window pixels (y down), its colour, and
// the inverse transform taking an offset from the centre (y down) to
// texture coordinates around 0.5.
const char* kPointVertexShader = R"(#version 330 core
layout(location = 0) in vec3 a_centre_size;
layout(location = 1) in vec4 a_color;
layout(location = 2) in vec4 a_inverse;
uniform vec2 u_window;
flat out vec4 v_color;
flat out vec4 v_inverse;
flat out vec2 v_centre;
void main() {
    gl_Position = vec4(a_centre_size.x * 2.0 / u_window.x - 1.0,
                       1.0 - a_centre_size.y * 2.0 / u_window.y, 0.0, 1.0);
    gl_PointSize = a_centre_size.z;
    v_color = a_color;
    v_inverse = a_inverse;
    v_centre = a_centre_size.xy;
}
)";
const char* kPointFragmentShader = R"(#version 330 core
flat in vec4 v_color;
flat in vec4 v_inverse;
flat in vec2 v_centre;
uniform vec2 u_window;
uniform sampler2D u_texture;
layout(location = 0) out vec4 o_color;
void main() {
    vec2 d = vec2(gl_FragCoord.x, u_window.y - gl_FragCoord.y) - v_centre;
    vec2 uv = vec2(dot(v_inverse.xy, d), dot(v_inverse.zw, d)) + 0.5;
    if (uv.x < 0.0 || uv.y < 0.0 || uv.x >= 1.0 || uv.y >= 1.0)
        discard;
    vec4 c = texture(u_texture, uv) * v_color;
    o_color = vec4(c.rgb * c.a, c.a);
}
)";

struct PointVertex {
    float x, y, size;
    uint32_t color;
    float inverse[4];
};

struct Result {
    double frame_ms = 0.0;
    double process_cpu_ms = 0.0;
    double submit_cpu_ms = 0.0;
};

double CpuSeconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

GLuint Compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

GLuint PointProgram() {
    const GLuint program = glCreateProgram();
    glAttachShader(program, Compile(GL_VERTEX_SHADER, kPointVertexShader));
    glAttachShader(program, Compile(GL_FRAGMENT_SHADER, kPointFragmentShader));
    glLinkProgram(program);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok)
        return 0;
    glUseProgram(program);
    glUniform2f(glGetUniformLocation(program, "u_window"), kWidth, kHeight);
    glUniform1i(glGetUniformLocation(program, "u_texture"), 0);
    return program;
}

GLuint CircleTexture() {
    std::vector<uint32_t> texels(64 * 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int dx = x - 32;
            const int dy = y - 32;
            texels[static_cast<size_t>(y) * 64 + x] =
                (dx * dx + dy * dy < 30 * 30 ? 0xFF000000u : 0u) | 0x4080FFu;
        }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 64, 64, 0, GL_BGRA, GL_UNSIGNED_BYTE, texels.data());
    return texture;
}

// Builds the frame's vertices of sprite i at time t the way the scene
// would: centre, angle and alpha as in bench_sprite_scene.
void BuildFrame(int count, float t, bool points, std::vector<tr_Vertex>& quads,
                std::vector<PointVertex>& sprites) {
    quads.clear();
    sprites.clear();
    const float half = kSize * 0.5f;
    for (int i = 0; i < count; ++i) {
        const float phase = static_cast<float>(i) * 0.618f;
        const float x = 683.0f + 600.0f * std::sin(phase * 3.1f + t);
        const float y = 384.0f + 340.0f * std::cos(phase + t);
        const float c = std::cos(t + phase);
        const float s = std::sin(t + phase);
        const uint32_t color = tr_PackColor(0.5f + 0.5f * std::sin(t * 2.0f + phase), 1, 1, 1);
        if (points) {
            // The turned quad's bounding square; the inverse is the
            // transposed rotation over the size.
            sprites.push_back({x,
                               y,
                               (std::fabs(c) + std::fabs(s)) * kSize,
                               color,
                               {c / kSize, s / kSize, -s / kSize, c / kSize}});
            continue;
        }
        const float corners[4][2] = {{-half, -half}, {half, -half}, {-half, half}, {half, half}};
        for (int k = 0; k < 4; ++k) {
            tr_Vertex v;
            v.x = x + c * corners[k][0] - s * corners[k][1];
            v.y = y + s * corners[k][0] + c * corners[k][1];
            v.color = color;
            v.u = static_cast<float>(k % 2);
            v.v = static_cast<float>(k / 2);
            quads.push_back(v);
        }
    }
}

class Scene {
public:
    bool Create() {
        if (!quad_program_.Create(1, tr_ProgramKind_GL{}))
            return false;
        quad_program_.Use();
        quad_program_.SetProjection(2.0f / kWidth, -2.0f / kHeight, -1.0f, 1.0f);
        point_program_ = PointProgram();
        texture_ = CircleTexture();
        glGenVertexArrays(2, arrays_);
        glGenBuffers(2, buffers_);
        glGenBuffers(1, &indices_);
        std::vector<uint16_t> indices(16384 * tr_QuadIndices_GL::kPerQuad);
        tr_QuadIndices_GL::Fill(indices.data(), 16384);
        glBindVertexArray(arrays_[0]);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices_);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * 2),
                     indices.data(), GL_STATIC_DRAW);
        Attributes(0, sizeof(tr_Vertex), {3, GL_BGRA, 2}, {0, 12, 16});
        Attributes(1, sizeof(PointVertex), {3, GL_BGRA, 4}, {0, 12, 16});
        glEnable(GL_PROGRAM_POINT_SIZE);
        glEnable(GL_BLEND);
        glBlendFuncSeparate(GL_ONE, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
        glViewport(0, 0, kWidth, kHeight);
        return point_program_ != 0;
    }

    // Clears the window and draws count sprites at time t.
    void Draw(int count, float t, bool points) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        BuildFrame(count, t, points, quads_, sprites_);
        glBindVertexArray(arrays_[points ? 1 : 0]);
        glBindBuffer(GL_ARRAY_BUFFER, buffers_[points ? 1 : 0]);
        if (points) {
            glUseProgram(point_program_);
            glBufferData(GL_ARRAY_BUFFER,
                         static_cast<GLsizeiptr>(sprites_.size() * sizeof(PointVertex)),
                         sprites_.data(), GL_STREAM_DRAW);
            glDrawArrays(GL_POINTS, 0, count);
            return;
        }
        quad_program_.Use();
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(quads_.size() * sizeof(tr_Vertex)),
                     quads_.data(), GL_STREAM_DRAW);
        // Batches of at most 16384 quads, as the renderer sends them.
        for (int first = 0; first < count; first += 16384)
            glDrawElementsBaseVertex(GL_TRIANGLES,
                                     std::min(16384, count - first) * tr_QuadIndices_GL::kPerQuad,
                                     GL_UNSIGNED_SHORT, nullptr, first * 4);
    }

private:
    void Attributes(int array, GLsizei stride, const std::vector<GLint>& sizes,
                    const std::vector<size_t>& offsets) {
        glBindVertexArray(arrays_[array]);
        glBindBuffer(GL_ARRAY_BUFFER, buffers_[array]);
        for (GLuint i = 0; i < 3; ++i) {
            glEnableVertexAttribArray(i);
            glVertexAttribPointer(i, sizes[i], i == 1 ? GL_UNSIGNED_BYTE : GL_FLOAT, i == 1, stride,
                                  reinterpret_cast<const void*>(offsets[i]));
        }
    }

    tr_ShaderProgram_GL quad_program_;
    GLuint point_program_ = 0;
    GLuint texture_ = 0;
    GLuint arrays_[2] = {0, 0};
    GLuint buffers_[2] = {0, 0};
    GLuint indices_ = 0;
    std::vector<tr_Vertex> quads_;
    std::vector<PointVertex> sprites_;
};

Result Run(BenchWindow& window, Scene& scene, int count, bool points, int frames, int warmup) {
    using Clock = std::chrono::steady_clock;
    Result result;
    for (int frame = 0; frame < warmup + frames; ++frame) {
        const Clock::time_point start = Clock::now();
        const double process_start = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
        const double submit_start = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        scene.Draw(count, frame / 60.0f, points);
        const double submit_end = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        window.Swap();
        if (frame < warmup)
            continue;
        result.frame_ms += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        result.process_cpu_ms += (CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - process_start) * 1000.0;
        result.submit_cpu_ms += (submit_end - submit_start) * 1000.0;
    }
    result.frame_ms /= frames;
    result.process_cpu_ms /= frames;
    result.submit_cpu_ms /= frames;
    return result;
}

std::vector<uint8_t> Picture(Scene& scene, int count, bool points) {
    scene.Draw(count, 1.0f, points);
    std::vector<uint8_t> pixels(static_cast<size_t>(kWidth) * kHeight * 4);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    const int warmup = argc > 2 ? std::max(0, std::atoi(argv[2])) : 10;
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 2;
    std::vector<int> counts;
    for (int i = 4; i < argc; ++i)
        counts.push_back(std::max(1, std::atoi(argv[i])));
    if (counts.empty())
        counts = {1000, 5000, 20000};
    BenchWindow window;
    Scene scene;
    if (!window.Open("bench_quad_points") || !scene.Create()) {
        std::fprintf(stderr, "no GL programs\n");
        return 1;
    }
    std::printf("%d frames after %d warm-up frames, %d rounds, %dx%d, 8 x 8 sprites\n", frames,
                warmup, rounds, kWidth, kHeight);
    std::printf("%-7s %7s %10s %13s %13s %9s\n", "variant", "sprites", "frame ms", "process CPU",
                "submit CPU", "max diff");
    for (int count : counts) {
        const std::vector<uint8_t> quads = Picture(scene, count, false);
        const std::vector<uint8_t> points = Picture(scene, count, true);
        int difference = 0;
        for (size_t i = 0; i < quads.size(); ++i)
            difference = std::max(difference, std::abs(quads[i] - points[i]));
        Result sums[2];
        for (int round = 0; round < rounds; ++round)
            for (int variant = 0; variant < 2; ++variant) {
                const Result r = Run(window, scene, count, variant == 1, frames, warmup);
                sums[variant].frame_ms += r.frame_ms / rounds;
                sums[variant].process_cpu_ms += r.process_cpu_ms / rounds;
                sums[variant].submit_cpu_ms += r.submit_cpu_ms / rounds;
            }
        for (int variant = 0; variant < 2; ++variant)
            std::printf("%-7s %7d %10.3f %13.3f %13.3f %9d\n", variant ? "points" : "quads", count,
                        sums[variant].frame_ms, sums[variant].process_cpu_ms,
                        sums[variant].submit_cpu_ms, variant ? difference : 0);
        std::fflush(stdout);
    }
    return 0;
}
