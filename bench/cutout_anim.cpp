// Per-frame cost of the cut-out and mesh animation types, drawn through the
// GL renderer into a 1366 x 768 window (swap interval 0):
//   flash:   20 flash animations of 30 parts each, playing; once with every
//            part a frame of one atlas frame texture, once with 30 separate
//            textures. Prints draw calls and main-thread CPU of update+draw.
//   complex: one complex animation of 50 nodes with 5 looping tracks each;
//            main-thread CPU of one update (the pose evaluation).
//   grid:    a 32 x 32-cell grid (1,089 vertices, 2,048 triangles) playing
//            between two key frames; main-thread CPU of update (rebuild) and
//            draw.
// Main-thread CPU time is used because Mesa's software rasteriser works on
// threads of its own and the machine is shared. Each scene runs twice: once
// through a renderer that ignores every draw (the engine's own cost: tree
// walk, animation, quad and vertex building in the objects), once through
// GL (adding the renderer's batching and the driver; draw calls counted).
//
// Usage: bench_cutout_anim [frames=300] [warmup=30]
#include "BenchWindow.h"
#include "engine/bindings/tr_EngineCore.h"
#include "engine/objects/tr_ComplexAnim.h"
#include "engine/objects/tr_FlashAnim.h"
#include "engine/objects/tr_Grid.h"
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/resources/images/tr_PngWriter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

const int kWidth = BenchWindow::kWidth;
const int kHeight = BenchWindow::kHeight;
const int kParts = 30;

double ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

void WriteImage(const std::string& path, int width, int height, uint32_t tint) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width * height), 0xFF000000u | tint);
    tr_PngWriter::Write(path, pixels.data(), width, height);
}

// parts.png: 30 frames of 16 x 16 side by side, described by parts.xml;
// p0.png .. p29.png: the same parts as separate images.
void WriteParts(const std::string& folder) {
    WriteImage(folder + "parts.png", 16 * kParts, 16, 0x8040C0);
    std::string xml = "<frametexture>\n";
    for (int i = 0; i < kParts; ++i) {
        xml += "<frame left=\"" + std::to_string(16 * i) +
               "\" top=\"0\" widht=\"16\" height=\"16\" x=\"8\" y=\"8\" texture=\"parts\"/>\n";
        WriteImage(folder + "p" + std::to_string(i) + ".png", 16, 16, 0x2080F0u + i);
    }
    WriteFile(folder + "parts.xml", xml + "</frametexture>\n");
}

// 24 frames of 30 instances each, every part turning and moving.
std::string FlashFile(bool atlas) {
    std::string xml = "<animation loop=\"1\" fps=\"24\"><objects>";
    for (int i = 0; i < kParts; ++i)
        xml += atlas ? "<object res=\"parts\" type=\"frametexture\" w=\"16\" h=\"16\" id=\"p" +
                           std::to_string(i) + "\"/>"
                     : "<object res=\"p" + std::to_string(i) +
                           "\" type=\"texture\" w=\"16\" h=\"16\" id=\"p" + std::to_string(i) +
                           "\"/>";
    xml += "</objects><frames>";
    for (int f = 0; f < 24; ++f) {
        xml += "<frame>";
        for (int i = 0; i < kParts; ++i) {
            const float a = 0.1f * f + 0.2f * i;
            xml += "<object id=\"" + std::to_string(i) + "\" frame=\"" +
                   std::to_string(atlas ? i : 0) + "\" m00=\"" + std::to_string(std::cos(a)) +
                   "\" m01=\"" + std::to_string(std::sin(a)) + "\" m10=\"" +
                   std::to_string(-std::sin(a)) + "\" m11=\"" + std::to_string(std::cos(a)) +
                   "\" pos_x=\"" + std::to_string(i * 6 + f) + "\" pos_y=\"" +
                   std::to_string(i % 5 * 12) + "\"/>";
        }
        xml += "</frame>";
    }
    return xml + "</frames></animation>";
}

// 10 chains of 5 nodes, each node with 5 looping tracks of 4 keys.
std::string ComplexFile() {
    std::string nodes;
    std::string tracks;
    const char* const kinds[5] = {"pos_x", "pos_y", "angle", "alpha", "scale_x"};
    for (int chain = 0; chain < 10; ++chain) {
        std::string closing;
        for (int depth = 0; depth < 5; ++depth) {
            const std::string name = "n" + std::to_string(chain) + "_" + std::to_string(depth);
            nodes += "<obj name=\"" + name + "\" res=\"parts\" pos_x=\"20\">";
            closing += "</obj>";
            tracks += "<obj name=\"" + name + "\">";
            for (int k = 0; k < 5; ++k) {
                tracks += std::string("<anim tp=\"") + kinds[k] + "\" loop=\"1\">";
                for (int key = 0; key < 4; ++key)
                    tracks += "<fr t=\"" + std::to_string(key * 0.5f + k * 0.1f) + "\" v=\"" +
                              std::to_string(key % 2 ? 1.0f : 0.5f) + "\" i=\"" +
                              std::to_string(key % 5) + "\"/>";
                tracks += "</anim>";
            }
            tracks += "</obj>";
        }
        nodes += closing;
    }
    return "<anim><objs>" + nodes + "</objs><funcs><func name=\"idle\" loop=\"1\">" + tracks +
           "</func></funcs></anim>";
}

// (cells + 1)^2 vertices over 512 x 512 in two key frames, the second one
// rippled; two triangles per cell.
std::string GridFile(int cells) {
    std::string xml = "<grid texture=\"p0\" fps=\"2\" loop=\"1\"><frames>";
    for (int key = 0; key < 2; ++key) {
        xml += "<frame interp=\"3\">";
        for (int y = 0; y <= cells; ++y)
            for (int x = 0; x <= cells; ++x)
                xml += "<vertex pos_x=\"" +
                       std::to_string(x * 16 + (key ? 4 * std::sin(y * 0.5f) : 0.0f)) +
                       "\" pos_y=\"" + std::to_string(y * 16) + "\" tu=\"" +
                       std::to_string(x / static_cast<float>(cells)) + "\" tv=\"" +
                       std::to_string(y / static_cast<float>(cells)) + "\"/>";
        xml += "</frame>";
    }
    xml += "</frames><triangles>";
    auto at = [cells](int x, int y) { return std::to_string(y * (cells + 1) + x); };
    for (int y = 0; y < cells; ++y)
        for (int x = 0; x < cells; ++x)
            xml += "<triangle vertex_0=\"" + at(x, y) + "\" vertex_1=\"" + at(x + 1, y) +
                   "\" vertex_2=\"" + at(x, y + 1) + "\"/><triangle vertex_0=\"" + at(x + 1, y) +
                   "\" vertex_1=\"" + at(x + 1, y + 1) + "\" vertex_2=\"" + at(x, y + 1) + "\"/>";
    return xml + "</triangles></grid>";
}

class IgnoringRender : public tr_Render {
public:
    void BeginFrame() override {}
    void EndFrame() override {}
    void EndDraw() override {}
    void BeginRenderToTexture(int, int) override {}
    std::shared_ptr<tr_Texture> EndRenderToTexture() override { return nullptr; }
    void DrawQuad(const std::shared_ptr<tr_Texture>&, const tr_DrawState&) override {}
    void DrawVertexList(const std::shared_ptr<tr_Texture>&, tr_VertexList&,
                        const tr_DrawState&) override {}
    void DrawIndexed(const std::shared_ptr<tr_Texture>&, tr_VertexList&, tr_IndexList&,
                     const tr_DrawState&) override {}
    void DrawLine(float, float, float, float, float, float, float, float, float,
                  const tr_DrawState&) override {}
};

struct Figures {
    double update_ms = 0.0;
    double draw_ms = 0.0;
    double gl_draw_ms = 0.0;
    int draw_calls = 0;
};

// Runs the scene under the display root for warmup + frames frames through
// render; the GL renderer also swaps and counts draw calls.
void Run(BenchWindow& window, tr_Render& render, tr_Render_GL* gl, int frames, int warmup,
         double& update_ms, double& draw_ms, int& draw_calls) {
    tr_EngineCore* core = tr_EngineCore::Get();
    tr_FrameInfo info;
    info.dt = info.raw_dt = 1.0f / 60.0f;
    update_ms = draw_ms = 0.0;
    for (int frame = 0; frame < warmup + frames; ++frame) {
        const double start = ThreadCpuMs();
        core->GetScene().Update(info);
        const double updated = ThreadCpuMs();
        render.BeginFrame();
        core->Draw(&render);
        render.EndFrame();
        const double drawn = ThreadCpuMs();
        if (gl) {
            window.Swap();
            draw_calls = gl->GetDrawCallCount();
        }
        if (frame >= warmup) {
            update_ms += updated - start;
            draw_ms += drawn - updated;
        }
    }
    update_ms /= frames;
    draw_ms /= frames;
}

Figures Measure(BenchWindow& window, tr_Render_GL& gl, int frames, int warmup) {
    Figures f;
    IgnoringRender ignoring;
    double unused = 0.0;
    Run(window, ignoring, nullptr, frames, warmup, f.update_ms, f.draw_ms, f.draw_calls);
    Run(window, gl, &gl, frames, warmup, unused, f.gl_draw_ms, f.draw_calls);
    tr_Object::DeleteChildren(tr_EngineCore::Get()->GetScene().GetDisplayRoot());
    return f;
}

void Report(const char* what, const Figures& f) {
    std::printf("%-32s %9.4f %9.4f %9.4f %9.4f %6d\n", what, f.update_ms, f.draw_ms,
                f.update_ms + f.draw_ms, f.gl_draw_ms, f.draw_calls);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    const int warmup = argc > 2 ? std::max(0, std::atoi(argv[2])) : 30;
    BenchWindow window;
    if (!window.Open("bench_cutout_anim"))
        return 1;

    const std::string folder =
        (std::filesystem::temp_directory_path() / "tr_bench_cutout_anim/").string();
    std::filesystem::create_directories(folder);
    WriteParts(folder);
    WriteFile(folder + "flash_atlas.xml", FlashFile(true));
    WriteFile(folder + "flash_separate.xml", FlashFile(false));
    WriteFile(folder + "puppet.xml", ComplexFile());
    WriteFile(folder + "grid.xml", GridFile(32));
    {
        tr_Render_GL render;
        render.Init(kWidth, kHeight);
        tr_ResourceRegistry registry;
        tr_Object* root = tr_EngineCore::Get()->GetScene().GetDisplayRoot();
        std::printf("%d frames after %d warm-up frames; main-thread CPU ms per frame\n", frames,
                    warmup);
        std::printf("%-32s %9s %9s %9s %9s %6s\n", "scene", "update", "draw", "engine", "GL draw",
                    "calls");

        for (const char* variant : {"atlas", "separate"}) {
            for (int i = 0; i < 20; ++i) {
                auto* anim = new tr_FlashAnim("flash" + std::to_string(i));
                anim->SetRes(folder + "flash_" + variant);
                anim->SetPosition(40.0f + 60.0f * i, 100.0f + 25.0f * i);
                tr_Object::Attach(root, anim);
                anim->Play("");
            }
            const std::string what = std::string("20 flash x 30 parts, ") + variant;
            Report(what.c_str(), Measure(window, render, frames, warmup));
        }

        auto* puppet = new tr_ComplexAnim("puppet");
        puppet->SetRes(folder + "puppet");
        tr_Object::Attach(root, puppet);
        puppet->Play("idle", "");
        Report("complex 50 nodes x 5 tracks", Measure(window, render, frames, warmup));

        auto* grid = new tr_Grid("grid");
        grid->SetRes(folder + "grid");
        tr_Object::Attach(root, grid);
        grid->Play("");
        Report("grid 32 x 32 cells", Measure(window, render, frames, warmup));
        tr_EngineCore::Destroy();
    }
    std::filesystem::remove_all(folder);
    return 0;
}
