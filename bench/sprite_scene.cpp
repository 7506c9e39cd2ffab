// Frame time of a scene of N sprites of one 64 x 64 texture, each turning,
// moving and changing alpha every frame, drawn through the scene tree and
// the GL renderer into a 1366 x 768 window with swap interval 0. The "mixed"
// variant alternates texture A with normal blending and texture B with
// additive blending, which defeats batching. Prints, over the measured
// frames after the warm-up frames: the mean frame time; the main thread's
// CPU time for the draw (scene traversal, vertex building and submission),
// split into the engine's part per sprite and GL's part (a software
// rasteriser shades and bins vertices while it takes a batch); the heap
// allocations the draw made per frame; and the wall time taken to build the
// scene (making and attaching the sprites) and to delete it.
//
// Usage: bench_sprite_scene [frames=300] [warmup=30] [largest=20000]
//        [single|mixed] [64|8] [count]
// The optional words narrow the table to one variant, one on-screen size
// (64: the texture as it is, 8: scaled by 1/8) and one sprite count, as
// bench/sprite_vs_love.sh runs it beside LOVE.
#include "BenchWindow.h"
#include "engine/bindings/tr_EngineCore.h"
#include "engine/objects/tr_Sprite.h"
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/resources/images/tr_PngWriter.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

const int kWidth = BenchWindow::kWidth;
const int kHeight = BenchWindow::kHeight;

using Clock = std::chrono::steady_clock;

// Heap allocations of the program so far: every operator new of the process
// goes through the replacements below.
std::atomic<long> allocations{0};

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

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
    double draw_cpu_ms = 0.0;
    double submit_cpu_ms = 0.0;
    double allocations = 0.0;
    int draw_calls = 0;
    double setup_ms = 0.0;
    double teardown_ms = 0.0;
};

Result RunScene(BenchWindow& window, tr_Render_GL& render, const std::string& folder, int count,
                float scale, bool mixed, int frames, int warmup) {
    tr_Object* root = tr_EngineCore::Get()->GetScene().GetDisplayRoot();
    const Clock::time_point setup_start = Clock::now();
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
    result.setup_ms = std::chrono::duration<double, std::milli>(Clock::now() - setup_start).count();
    double frame_total = 0.0;
    double draw_total = 0.0;
    double submit_total = 0.0;
    long allocation_total = 0;
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
        const long allocations_before = allocations.load();
        const double draw_start = ThreadSeconds();
        tr_EngineCore::Get()->Draw(&render);
        render.EndFrame();
        const double draw_end = ThreadSeconds();
        const long allocations_made = allocations.load() - allocations_before;
        window.Swap();
        const Clock::time_point end = Clock::now();
        if (frame >= warmup) {
            frame_total += std::chrono::duration<double, std::milli>(end - start).count();
            draw_total += (draw_end - draw_start) * 1000.0;
            submit_total += render.GetSubmitSeconds() * 1000.0;
            allocation_total += allocations_made;
        }
        result.draw_calls = render.GetDrawCallCount();
    }
    result.frame_ms = frame_total / frames;
    result.draw_cpu_ms = draw_total / frames;
    result.submit_cpu_ms = submit_total / frames;
    result.allocations = static_cast<double>(allocation_total) / frames;
    const Clock::time_point teardown_start = Clock::now();
    tr_Object::DeleteChildren(root);
    result.teardown_ms =
        std::chrono::duration<double, std::milli>(Clock::now() - teardown_start).count();
    return result;
}

} // namespace

// Kept out of line: inlined into a caller, GCC pairs the malloc and free
// below with the new-expression and warns of a mismatch.
[[gnu::noinline]] void* operator new(size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}

[[gnu::noinline]] void operator delete(void* p, size_t) noexcept {
    std::free(p);
}

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    const int warmup = argc > 2 ? std::max(0, std::atoi(argv[2])) : 30;
    const int largest = argc > 3 ? std::max(1, std::atoi(argv[3])) : 20000;
    const std::string only_variant = argc > 4 ? argv[4] : "";
    const int only_size = argc > 5 ? std::atoi(argv[5]) : 0;
    const int only_count = argc > 6 ? std::atoi(argv[6]) : 0;
    std::vector<int> counts = {1000, 5000, 20000};
    if (only_count > 0)
        counts = {only_count};
    BenchWindow window;
    if (!window.Open("bench_sprite_scene"))
        return 1;

    // One folder per process: runs side by side must not delete each
    // other's textures when they finish.
    const std::string folder = (std::filesystem::temp_directory_path() /
                                ("tr_bench_sprite_scene_" + std::to_string(getpid())) / "")
                                   .string();
    std::filesystem::create_directories(folder);
    WriteTexture(folder + "a.png", 0xFF8040);
    WriteTexture(folder + "b.png", 0x4080FF);
    {
        tr_Render_GL render;
        render.Init(kWidth, kHeight);
        tr_ResourceRegistry registry;
        std::printf("%d frames after %d warm-up frames, %dx%d, swap interval 0\n", frames, warmup,
                    kWidth, kHeight);
        std::printf("%-8s %7s %6s %10s %12s %13s %10s %8s %6s %9s %9s\n", "variant", "sprites",
                    "scale", "frame ms", "draw CPU ms", "engine us/spr", "GL CPU ms", "allocs/f",
                    "calls", "setup ms", "delete ms");
        for (bool mixed : {false, true}) {
            if (!only_variant.empty() && only_variant != (mixed ? "mixed" : "single"))
                continue;
            for (int size : {64, 8}) {
                if (only_size != 0 && only_size != size)
                    continue;
                const float scale = size / 64.0f;
                for (int count : counts) {
                    if (count > largest)
                        continue;
                    const Result r =
                        RunScene(window, render, folder, count, scale, mixed, frames, warmup);
                    std::printf(
                        "%-8s %7d %6.3f %10.3f %12.3f %13.3f %10.3f %8.1f %6d %9.1f %9.1f\n",
                        mixed ? "mixed" : "single", count, scale, r.frame_ms, r.draw_cpu_ms,
                        (r.draw_cpu_ms - r.submit_cpu_ms) * 1000.0 / count, r.submit_cpu_ms,
                        r.allocations, r.draw_calls, r.setup_ms, r.teardown_ms);
                    std::fflush(stdout);
                }
            }
        }
        tr_EngineCore::Destroy();
    }
    std::filesystem::remove_all(folder);
    return 0;
}
