// Frame time on screen (GL under Xvfb or a display): 2,000 additive 32 x 32
// particles of one flux effect against 2,000 additive sprites covering the
// same pixel area (a 64 x 64 texture at scale 0.5), both spread over a
// 1366 x 768 window with swap interval 0 and moving every frame. A frame is
// update, draw through the scene tree and swap. Prints the mean frame time
// of each after the warm-up frames and their ratio.
//
// Usage: bench_particles_screen [frames=300] [warmup=30]
#include "BenchWindow.h"
#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_Random.h"
#include "engine/objects/particles/tr_ParticleSystem.h"
#include "engine/objects/tr_Sprite.h"
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/resources/images/tr_PngWriter.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const int kWidth = BenchWindow::kWidth;
const int kHeight = BenchWindow::kHeight;
const int kCount = 2000;

using Clock = std::chrono::steady_clock;

void WriteDot(const std::string& path, int size) {
    std::vector<uint32_t> pixels(static_cast<size_t>(size * size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float d = std::hypot(x - size / 2.0f, y - size / 2.0f) / (size / 2.0f);
            const uint32_t alpha = static_cast<uint32_t>(255.0f * std::max(0.0f, 1.0f - d));
            pixels[static_cast<size_t>(y * size + x)] = alpha << 24 | 0xFFC080u;
        }
    tr_PngWriter::Write(path, pixels.data(), size, size);
}

// Mean milliseconds per frame; move() changes the scene before each frame.
template <class Move>
double Run(BenchWindow& window, tr_Render_GL& render, int frames, int warmup, Move move) {
    double total = 0.0;
    for (int frame = 0; frame < warmup + frames; ++frame) {
        const Clock::time_point start = Clock::now();
        move(frame);
        tr_FrameInfo info;
        info.dt = info.raw_dt = 1.0f / 60.0f;
        tr_EngineCore::Get()->Update(&info);
        render.BeginFrame();
        tr_EngineCore::Get()->Draw(&render);
        render.EndFrame();
        window.Swap();
        if (frame >= warmup)
            total += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    return total / frames;
}

} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    const int warmup = argc > 2 ? std::max(0, std::atoi(argv[2])) : 30;
    BenchWindow window;
    if (!window.Open("bench_particles_screen"))
        return 1;

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "tr_bench_particles_screen";
    std::filesystem::create_directories(folder);
    const std::string base = (folder / "").string();
    WriteDot(base + "dot32.png", 32);
    WriteDot(base + "dot64.png", 64);
    std::ofstream(base + "fx.xml")
        << "<effect type=\"flux\"><emit res=\"" << base << "dot32\" lifetime=\"1000000\" "
        << "born_count=\"" << kCount << "\" autooff=\"1\" pos_x_delta=\"660\" "
        << "pos_y_delta=\"360\" speed_x_delta=\"1\" speed_y_delta=\"1\" rotate_delta=\"180\" "
        << "rotate_speed_delta=\"2\" alpha=\"0.75\" alpha_delta=\"0.25\" blend=\"2\"/></effect>";
    {
        tr_Render_GL render;
        render.Init(kWidth, kHeight);
        tr_ResourceRegistry registry;
        tr_Object* root = tr_EngineCore::Get()->GetScene().GetDisplayRoot();

        std::vector<tr_Sprite*> sprites;
        tr_Random::Reset();
        for (int i = 0; i < kCount; ++i) {
            auto* sprite = new tr_Sprite("s" + std::to_string(i));
            sprite->SetRes(base + "dot64");
            sprite->SetBlendMode(TR_BLEND_ADD);
            sprite->SetScale(0.5f, 0.5f);
            sprite->SetPosition(static_cast<float>(tr_Random::Next() % kWidth),
                                static_cast<float>(tr_Random::Next() % kHeight));
            tr_Object::Attach(root, sprite);
            sprites.push_back(sprite);
        }
        const double sprite_ms = Run(window, render, frames, warmup, [&](int frame) {
            const float t = frame / 60.0f;
            for (size_t i = 0; i < sprites.size(); ++i) {
                tr_Sprite* s = sprites[i];
                s->SetPosition(s->GetPosX() + std::sin(t + i) * 0.5f,
                               s->GetPosY() + std::cos(t + i) * 0.5f);
                s->SetAngle(t + static_cast<float>(i));
            }
        });
        tr_Object::DeleteChildren(root);

        auto* system = new tr_ParticleSystem("fx");
        system->SetPosition(kWidth / 2.0f, kHeight / 2.0f);
        system->SetRes(base + "fx");
        tr_Object::Attach(root, system);
        const double particle_ms = Run(window, render, frames, warmup, [](int) {});
        tr_Object::DeleteChildren(root);

        std::printf("%d frames after %d warm-up frames, %dx%d, swap interval 0\n", frames, warmup,
                    kWidth, kHeight);
        std::printf("sprites   %d x 32x32 additive: %8.3f ms/frame\n", kCount, sprite_ms);
        std::printf("particles %d x 32x32 additive: %8.3f ms/frame (%.2f of the sprites)\n", kCount,
                    particle_ms, particle_ms / sprite_ms);
        tr_EngineCore::Destroy();
    }
    std::filesystem::remove_all(folder);
    return 0;
}
