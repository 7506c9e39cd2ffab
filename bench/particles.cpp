// Particle effects on the headless renderer, Release build: one frame is the
// effect's update plus the building of its vertex list (the null renderer
// copies the list as a device upload would). Figures per frame and per
// particle; the particle count of each run is printed as "particles".
//   Flux:    10,000 particles of one emitter moving, turning, scaling, fading.
//   Atm:     rain streaks in a camera volume, density set for about 5,000.
//   Complex: 500 particles, each running a processpart script every frame.
#include "engine/bindings/tr_ComplexScript_Lua.h"
#include "engine/core/tr_Random.h"
#include "engine/objects/particles/tr_ParticleSystem.h"
#include "engine/platform/headless/tr_Render_Null.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/resources/images/tr_PngWriter.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// Effect files and a 32 x 32 texture in a folder of this process.
class Content {
public:
    Content()
        : folder_(std::filesystem::temp_directory_path() /
                  ("tarrow_bench_particles_" + std::to_string(getpid()))) {
        std::filesystem::create_directories(folder_);
        std::vector<uint32_t> pixels(32 * 32, 0xFFFFFFFFu);
        tr_PngWriter::Write(Path("dot") + ".png", pixels.data(), 32, 32);
    }
    ~Content() { std::filesystem::remove_all(folder_); }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name) + ".xml") << text;
    }

private:
    std::filesystem::path folder_;
};

struct Frame {
    Content content;
    tr_ResourceRegistry registry;
    tr_Render_Null render;
    std::unique_ptr<tr_ParticleSystem> system;

    explicit Frame(const std::string& effect) {
        tr_Random::Reset();
        render.Init(1366, 768);
        render.BeginFrame();
        render.BeginDraw();
        std::string text = effect;
        const std::string marker = "DOT";
        for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker))
            text.replace(at, marker.size(), content.Path("dot"));
        content.Write("fx", text);
        system = std::make_unique<tr_ParticleSystem>("fx");
        system->SetPosition(683, 384);
        system->SetRes(content.Path("fx"));
        system->LoadResources();
        system->GetImpl()->Start();
    }

    void Step() {
        tr_FrameInfo frame;
        frame.dt = frame.raw_dt = 1.0f / 60.0f;
        system->Update(frame);
        tr_DrawState state;
        state.transform = tr_MakeTransform(683, 384, 0, 1, 1);
        system->Draw(&render, state);
    }

    void Run(benchmark::State& bench, int warmup) {
        for (int i = 0; i < warmup; ++i)
            Step();
        int particles = 0;
        for (auto _ : bench) {
            Step();
            particles = system->GetImpl()->GetParticleCount();
        }
        // Seconds per frame and per particle (CPU time; the machine is shared).
        bench.counters["particles"] = particles;
        bench.counters["per_frame"] =
            benchmark::Counter(static_cast<double>(bench.iterations()),
                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
        bench.counters["per_particle"] =
            benchmark::Counter(static_cast<double>(bench.iterations()) * particles,
                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    }
};

void BM_FluxUpdateAndVertices(benchmark::State& bench) {
    Frame frame("<effect type=\"flux\"><emit res=\"DOT\" lifetime=\"1000000\" born_count=\"10000\" "
                "autooff=\"1\" pos_x_delta=\"600\" pos_y_delta=\"300\" speed_x_delta=\"2\" "
                "speed_y_delta=\"2\" speed_xf=\"0.999\" speed_yf=\"0.999\" grav=\"0.1\" "
                "gravf=\"0.99\" rotate_delta=\"180\" rotate_speed_delta=\"3\" rotatef=\"0.999\" "
                "scale_x_speed=\"0.0001\" scale_mode=\"1\" alpha_speed=\"-0.00001\" "
                "color_r_speed=\"-0.001\" blend=\"2\"/></effect>");
    frame.Run(bench, 2);
}
BENCHMARK(BM_FluxUpdateAndVertices)->Unit(benchmark::kMicrosecond);

void BM_AtmRainStreaks(benchmark::State& bench) {
    Frame frame("<effect type=\"atm\"><emit res=\"DOT\" scr_clip_size_x=\"1024\" "
                "scr_clip_size_y=\"768\" near_z=\"1\" far_z=\"10\" floor_clip=\"6\" "
                "cam_pos_y=\"0\" particle_inv_mass=\"0.02\" dencity=\"3.6\" "
                "particle_life_time=\"4\" particle_scale=\"0.05\" fast_start=\"50\"/></effect>");
    frame.Run(bench, 120);
}
BENCHMARK(BM_AtmRainStreaks)->Unit(benchmark::kMicrosecond);

void BM_ComplexScriptedParticles(benchmark::State& bench) {
    tr_ComplexScript_Lua::Install();
    Frame frame("<effect><emit><spark res=\"DOT\">"
                "<bornpart>DieAfter(100000); SetProperty(tr_pos_x, Random(-300, 300)); "
                "Animate(tr_alpha, {0, 0, 10, 1, 100, 0})</bornpart>"
                "<process>if not done then CreateParticles(500); done = true end</process>"
                "<processpart>SetProperty(tr_angle, GetProperty(tr_angle) + ps_dt); "
                "SetProperty(tr_pos_y, GetProperty(tr_pos_y) + ps_dt * 10)</processpart>"
                "</spark></emit><process>if ps_state == 0 then CreateEmitter('spark', 0, 0); "
                "ps_state = 1 end</process></effect>");
    frame.Run(bench, 2);
}
BENCHMARK(BM_ComplexScriptedParticles)->Unit(benchmark::kMicrosecond);

} // namespace
