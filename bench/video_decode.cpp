// Decode, convert and upload one 1366x768 4:2:0 frame with a ".zalpha" plane,
// the work a playing video does for the frame due now. Prints the mean and
// worst decode + convert time per frame, the cost of a skipped frame and the
// mean upload into the frame's texture on a GL device (a hidden SDL window
// with a GL 3.3 core context; without a display the upload is left out).
// Target: 8 ms per shown frame, all three together.
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/render/tr_GeneratedTexture.h"
#include "engine/resources/media/tr_VideoEncoder.h"
#include "engine/resources/media/tr_VideoPlayer.h"

#include <SDL.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kWidth = 1366;
const int kHeight = 768;
const int kFrames = 48;

// A scene-like picture: smooth gradients, a moving disc with a soft alpha
// edge, fine noise so the codec has detail to code.
void MakeFrame(int n, std::vector<uint8_t>& rgba) {
    uint32_t seed = 12345u + static_cast<uint32_t>(n) * 977u;
    const float cx = 200.0f + 12.0f * n;
    const float cy = 384.0f + 100.0f * std::sin(n * 0.2f);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = static_cast<int>((seed >> 16) & 15) - 8;
            uint8_t* p = &rgba[(static_cast<size_t>(y) * kWidth + x) * 4];
            const float d = std::hypot(x - cx, y - cy);
            p[0] = static_cast<uint8_t>(std::clamp((x * 255) / kWidth + noise, 0, 255));
            p[1] = static_cast<uint8_t>(std::clamp((y * 255) / kHeight + noise, 0, 255));
            p[2] = static_cast<uint8_t>(std::clamp(d < 150.0f ? 220 + noise : 60 + noise, 0, 255));
            // Transparent corners, an opaque middle and a ramp between.
            const float edge = std::min({x, y, kWidth - 1 - x, kHeight - 1 - y}) / 120.0f;
            p[3] = static_cast<uint8_t>(std::clamp(static_cast<int>(edge * 255.0f), 0, 255));
        }
    }
}

// CPU time of this thread: the machine running the benchmarks is often
// shared, and waiting for a core is not decoding time.
double ThreadMilliseconds() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// A GL renderer on a hidden window, or null when no context can be had. The
// renderer installs its GL device, so generated textures upload through GL.
std::unique_ptr<tr_Render_GL> MakeGLRenderer() {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return nullptr;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_Window* window =
        SDL_CreateWindow("bench_video_decode", 0, 0, 64, 64, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window || !SDL_GL_CreateContext(window)) {
        return nullptr;
    }
    auto render = std::make_unique<tr_Render_GL>();
    render->Init(64, 64);
    return render->IsReady() ? std::move(render) : nullptr;
}

} // namespace

int main() {
    char folder[] = "/tmp/tarrow_bench_video_XXXXXX";
    if (!mkdtemp(folder)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string base = std::string(folder) + "/clip";
    {
        tr_VideoEncoder encoder;
        tr_VideoEncoder::Options options;
        options.quality = 40;
        options.keyframe_interval = 24;
        if (!encoder.Begin(base, kWidth, kHeight, options)) {
            std::fprintf(stderr, "encoder: %s\n", encoder.GetError().c_str());
            return 1;
        }
        std::vector<uint8_t> rgba(static_cast<size_t>(kWidth) * kHeight * 4);
        for (int n = 0; n < kFrames; ++n) {
            MakeFrame(n, rgba);
            encoder.AddFrame(rgba.data(), kWidth * 4);
        }
        if (!encoder.Finish()) {
            std::fprintf(stderr, "encoder: %s\n", encoder.GetError().c_str());
            return 1;
        }
    }

    tr_VideoPlayer player;
    if (!player.Open(base + ".ogg", base + ".zalpha") || !player.HasAlpha()) {
        std::fprintf(stderr, "cannot open the generated video\n");
        return 1;
    }
    const int stride = ((kWidth + 1) & ~1) * 4;
    std::vector<uint8_t> pixels(static_cast<size_t>(stride) * kHeight);
    const std::unique_ptr<tr_Render_GL> render = MakeGLRenderer();
    tr_GeneratedTexture texture;
    const int passes = 5;
    double total = 0.0, worst = 0.0, skip_total = 0.0, upload_total = 0.0;
    int shown = 0, skipped = 0;
    for (int pass = 0; pass < passes; ++pass) {
        player.Rewind();
        for (int n = 0; n < kFrames; ++n) {
            const double start = ThreadMilliseconds();
            // Every other frame is shown, the others skipped, as a late
            // update would do.
            const bool show = (n % 2) == 0;
            if (!player.DecodeFrame(show) || (show && !player.Convert(pixels.data(), stride))) {
                std::fprintf(stderr, "decoding failed at frame %d\n", n);
                return 1;
            }
            const double ms = ThreadMilliseconds() - start;
            // The driver may copy on threads of its own: the upload is timed
            // on the wall clock, up to the end of the GL work.
            double upload_ms = 0.0;
            if (show && render) {
                const auto upload_start = std::chrono::steady_clock::now();
                texture.UpdatePixels(pixels.data(), kWidth, kHeight, stride);
                glFinish();
                upload_ms = std::chrono::duration<double, std::milli>(
                                std::chrono::steady_clock::now() - upload_start)
                                .count();
            }
            if (pass == 0) {
                continue; // warm-up: first touches of the buffers and tables
            }
            if (show) {
                total += ms;
                worst = std::max(worst, ms);
                upload_total += upload_ms;
                ++shown;
            } else {
                skip_total += ms;
                ++skipped;
            }
        }
    }
    std::printf("video_decode: %dx%d 4:2:0 + zalpha, %d shown frames: decode+convert mean %.2f ms, "
                "worst %.2f ms; skipped frame (decode, no conversion) mean %.2f ms\n",
                kWidth, kHeight, shown, total / shown, worst, skip_total / skipped);
    if (render) {
        std::printf("video_decode: upload to the GL texture mean %.2f ms; decode+convert+upload "
                    "mean %.2f ms (target <= 8 ms)\n",
                    upload_total / shown, (total + upload_total) / shown);
    } else {
        std::printf("video_decode: no GL context, upload not measured\n");
    }
    std::system((std::string("rm -rf ") + folder).c_str());
    return 0;
}
