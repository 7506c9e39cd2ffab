// Frame time of a scene of N sprites of one 64 x 64 texture, each turning,
// moving and changing alpha every frame, drawn through the scene tree and
// the GL renderer into a 1366 x 768 window with swap interval 0. The "mixed"
// variant alternates texture A with normal blending and texture B with
// additive blending, which defeats batching. Prints the mean frame time over
// the measured frames after the warm-up frames.
//
// Usage: bench_sprite_scene [frames=300] [warmup=30]
#include "engine/bindings/tr_EngineCore.h"
#include "engine/objects/tr_Sprite.h"
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/resources/images/tr_PngWriter.h"

#include <SDL.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const int kWidth = 1366;
const int kHeight = 768;

using Clock = std::chrono::steady_clock;

void WriteTexture(const std::string& path, uint32_t tint) {
    std::vector<uint32_t> pixels(64 * 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const int dx = x - 32;
            const int dy = y - 32;
            const uint32_t alpha = dx * dx + dy * dy < 30 * 30 ? 255u : 0u;
            pixels[static_cast<size_t>(y) * 64 + x] = alpha << 24 | (tint & 0xFFFFFF);
        }
    tr_PngWriter::Write(path, pixels.data(), 64, 64);
}

struct Result {
    double frame_ms = 0.0;
    double draw_ms = 0.0;
    int draw_calls = 0;
};

Result RunScene(SDL_Window* window, tr_Render_GL& render, const std::string& folder, int count,
                float scale, bool mixed, int frames, int warmup) {
    tr_Object* root = tr_EngineCore::Get()->GetScene().GetDisplayRoot();
    std::vector<tr_Sprite*> sprites;
    sprites.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        auto* sprite = new tr_Sprite("s" + std::to_string(i));
        const bool second = mixed && i % 2 == 1;
        sprite->SetRes(folder + (second ? "b" : "a"));
        sprite->SetBlendMode(second ? TR_BLEND_ADD : TR_BLEND_NORMAL);
        sprite->SetScale(scale, scale);
        tr_Object::Attach(root, sprite);
        sprites.push_back(sprite);
    }

    Result result;
    double frame_total = 0.0;
    double draw_total = 0.0;
    for (int frame = 0; frame < warmup + frames; ++frame) {
        const Clock::time_point start = Clock::now();
        const float t = frame / 60.0f;
        for (int i = 0; i < count; ++i) {
            const float phase = static_cast<float>(i) * 0.618f;
            sprites[static_cast<size_t>(i)]->SetPosition(683.0f +
                                                             600.0f * std::sin(phase * 3.1f + t),
                                                         384.0f + 340.0f * std::cos(phase + t));
            sprites[static_cast<size_t>(i)]->SetAngle(t + phase);
            sprites[static_cast<size_t>(i)]->SetAlpha(0.5f + 0.5f * std::sin(t * 2.0f + phase));
        }
        render.BeginFrame();
        const Clock::time_point draw_start = Clock::now();
        tr_EngineCore::Get()->Draw(&render);
        render.EndFrame();
        const Clock::time_point draw_end = Clock::now();
        SDL_GL_SwapWindow(window);
        const Clock::time_point end = Clock::now();
        if (frame >= warmup) {
            frame_total += std::chrono::duration<double, std::milli>(end - start).count();
            draw_total += std::chrono::duration<double, std::milli>(draw_end - draw_start).count();
        }
        result.draw_calls = render.GetDrawCallCount();
    }
    tr_Object::DeleteChildren(root);
    result.frame_ms = frame_total / frames;
    result.draw_ms = draw_total / frames;
    return result;
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    const int warmup = argc > 2 ? std::max(0, std::atoi(argv[2])) : 30;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL_Init failed: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window =
        SDL_CreateWindow("bench_sprite_scene", 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
    if (!context) {
        std::fprintf(stderr, "no GL 3.3 core context: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetSwapInterval(0);
    std::printf("GL renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    const std::string folder =
        (std::filesystem::temp_directory_path() / "tr_bench_sprite_scene/").string();
    std::filesystem::create_directories(folder);
    WriteTexture(folder + "a.png", 0xFF8040);
    WriteTexture(folder + "b.png", 0x4080FF);
    {
        tr_Render_GL render;
        render.Init(kWidth, kHeight);
        tr_ResourceRegistry registry;
        std::printf("%d frames after %d warm-up frames, %dx%d, swap interval 0\n", frames, warmup,
                    kWidth, kHeight);
        std::printf("%-8s %7s %6s %14s %14s %11s\n", "variant", "sprites", "scale", "frame ms/mean",
                    "draw ms/mean", "draw calls");
        for (bool mixed : {false, true}) {
            for (float scale : {1.0f, 0.125f}) {
                for (int count : {1000, 5000, 20000}) {
                    const Result r =
                        RunScene(window, render, folder, count, scale, mixed, frames, warmup);
                    std::printf("%-8s %7d %6.3f %14.3f %14.3f %11d\n", mixed ? "mixed" : "single",
                                count, scale, r.frame_ms, r.draw_ms, r.draw_calls);
                    std::fflush(stdout);
                }
            }
        }
        tr_EngineCore::Destroy();
    }
    std::filesystem::remove_all(folder);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
