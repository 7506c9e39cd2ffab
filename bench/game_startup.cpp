// Start-up time of the game in a folder's assets/ (by default the first of
// the working folder and its parents that holds assets/config.xml) to its
// first drawn frame: pre-initialisation, initialisation with the start level,
// and one frame of the headless engine drawn through the null renderer
// (no GPU work; loading, decoding and scene building are all real). Each
// run starts from a fresh user folder and the process-wide state is rebuilt,
// so every run is a cold start of the game (the file cache stays warm).
// Prints the fastest, median and slowest run.
//
// Usage: bench_game_startup [game folder] [runs=15]
#include "engine/core/tr_DisplayEnumerator.h"
#include "engine/host/tr_EngineServices.h"
#include "engine/platform/headless/Tarrow_Headless.h"
#include "engine/platform/headless/tr_DisplayEnumerator_Headless.h"
#include "game/app/tp_GameStartup.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

std::filesystem::path FindGame() {
    for (std::filesystem::path dir = std::filesystem::current_path();; dir = dir.parent_path()) {
        if (std::filesystem::exists(dir / "assets/config.xml"))
            return dir;
        if (dir == dir.parent_path())
            return std::filesystem::current_path();
    }
}

// Milliseconds from the start of pre-initialisation to the end of the first
// drawn frame.
double StartOnce(const std::filesystem::path& user_home) {
    std::filesystem::remove_all(user_home);
    setenv("XDG_DATA_HOME", user_home.c_str(), 1);
    tr_DisplayEnumerator::Install(new tr_DisplayEnumerator_Headless());

    Clock::time_point drawn;
    const Clock::time_point start = Clock::now();
    {
        tp_GameStartup game;
        game.PreInitialise();
        game.Initialise([&drawn] {
            auto engine = std::make_unique<Tarrow_Headless>();
            engine->SetServices(tr_MakeEngineServices());
            engine->SetFrameLimit(1);
            engine->SetFrameDrawnCallback([&drawn](tr_Render&, uint64_t frame) {
                if (frame == 1)
                    drawn = Clock::now();
            });
            return engine;
        });
        game.Run();
        game.Shutdown();
    }
    tr_DisplayEnumerator::Destroy();
    if (drawn == Clock::time_point())
        return -1.0;
    return std::chrono::duration<double, std::milli>(drawn - start).count();
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path game = argc > 1 ? std::filesystem::path(argv[1]) : FindGame();
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    std::filesystem::current_path(game);
    const std::filesystem::path user_home =
        std::filesystem::temp_directory_path() / ("bench_game_startup_" + std::to_string(getpid()));

    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = StartOnce(user_home);
        if (ms < 0.0) {
            std::fprintf(stderr, "bench_game_startup: no frame was drawn\n");
            return 1;
        }
        times.push_back(ms);
    }
    std::filesystem::remove_all(user_home);

    std::sort(times.begin(), times.end());
    std::printf("game start-up to first drawn frame (%s, headless, null renderer), %d runs: "
                "fastest %.1f ms, median %.1f ms, slowest %.1f ms\n",
                game.c_str(), runs, times.front(), times[times.size() / 2], times.back());
    return 0;
}
