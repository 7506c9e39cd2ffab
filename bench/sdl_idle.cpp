// CPU share of one core while the SDL host idles at 60 frames per second for
// about ten seconds with no hooks (run under Xvfb). The loop sleeps until each
// frame is due, so this should stay far below a busy-polling loop's 100 %.
// Usage: bench_sdl_idle [frames] [--no-render]   (default 600 frames)
// --no-render leaves the renderer out, which separates the loop's own share
// from the GL driver's (a software rasteriser under Xvfb).
#include "engine/core/tr_Mediator.h"
#include "engine/platform/sdl/Tarrow_SDL.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    const long frames = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 600;
    const bool render = !(argc > 2 && std::strcmp(argv[2], "--no-render") == 0);
    tr_Mediator mediator;
    Tarrow_SDL engine;
    if (!render) {
        engine.SetRendererFactory(nullptr);
    }
    if (!engine.Init(0, 0, 1024, 768, false, "sdl_idle") || frames <= 0) {
        std::fprintf(stderr, "sdl_idle: no window with a GL context (is DISPLAY set?)\n");
        return 1;
    }
    engine.SetFrameLimit(static_cast<uint64_t>(frames));

    const double cpu_start = CpuSeconds();
    const auto wall_start = std::chrono::steady_clock::now();
    engine.Run();
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start).count();
    const double cpu = CpuSeconds() - cpu_start;
    const float fps = engine.GetFPS();
    const char* drawing = engine.GetRender() ? "drawing through the GL renderer" : "no renderer";
    engine.Release();

    std::printf("sdl_idle: %ld frames in %.2f s (%.1f fps measured), CPU %.3f s = %.2f %% of one "
                "core (target < 5 %%), %s\n",
                frames, wall, fps, cpu, 100.0 * cpu / wall, drawing);
    return 0;
}
