// Start-up time of the game in a folder's assets/ (by default the first of
// the working folder and its parents that holds assets/config.xml) to its
// first drawn frame and to its title screen, the frame on which the start
// level (the profile screen) is first drawn: pre-initialisation,
// initialisation with the start level, and the frames up to it. Twice: with
// the headless engine drawn through the null renderer (no GPU work; loading,
// decoding and scene building are all real), and, when there is a display,
// in the game's window through OpenGL (window, context and texture uploads
// too; frames are paced at 60 per second as a player sees them). Each run
// starts from a fresh user folder and the process-wide state is rebuilt, so
// every run is a cold start of the game (the file cache stays warm). Prints
// the fastest, median and slowest run.
//
// Usage: bench_game_startup [game folder] [runs=15] [title frame=2]
#include "engine/core/tr_Desktop.h"
#include "engine/core/tr_DisplayEnumerator.h"
#include "engine/host/tr_EngineServices.h"
#include "engine/platform/headless/Tarrow_Headless.h"
#include "engine/platform/headless/tr_Desktop_Headless.h"
#include "engine/platform/headless/tr_DisplayEnumerator_Headless.h"
#include "engine/platform/sdl/Tarrow_SDL.h"
#include "engine/platform/sdl/tr_Desktop_SDL.h"
#include "engine/platform/sdl/tr_DisplayEnumerator_SDL.h"
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

struct Times {
    double first = -1.0; // ms to the end of the first drawn frame
    double title = -1.0; // ms to the end of the title frame
};

// From the start of pre-initialisation to the end of the first and of the
// title frame.
Times StartOnce(const std::filesystem::path& user_home, bool window, uint64_t title_frame) {
    std::filesystem::remove_all(user_home);
    setenv("XDG_DATA_HOME", user_home.c_str(), 1);
    if (window) {
        tr_DisplayEnumerator::Install(new tr_DisplayEnumerator_SDL());
        tr_Desktop::Install(new tr_Desktop_SDL());
    } else {
        tr_DisplayEnumerator::Install(new tr_DisplayEnumerator_Headless());
        tr_Desktop::Install(new tr_Desktop_Headless());
    }

    Times times;
    const Clock::time_point start = Clock::now();
    auto drawn = [&times, start, title_frame](tr_Render&, uint64_t frame) {
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (frame == 1)
            times.first = ms;
        if (frame == title_frame)
            times.title = ms;
    };
    {
        tp_GameStartup game;
        game.PreInitialise();
        game.Initialise([&]() -> std::unique_ptr<Tarrow> {
            std::unique_ptr<Tarrow> engine;
            if (window)
                engine = std::make_unique<Tarrow_SDL>();
            else
                engine = std::make_unique<Tarrow_Headless>();
            engine->SetServices(tr_MakeEngineServices());
            engine->SetFrameLimit(title_frame);
            engine->SetFrameDrawnCallback(drawn);
            return engine;
        });
        game.Run();
        game.Shutdown();
    }
    tr_Desktop::Destroy();
    tr_DisplayEnumerator::Destroy();
    return times;
}

void Report(const char* what, const std::string& game, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("game start-up to %s (%s), %zu runs: fastest %.1f ms, median %.1f ms, slowest "
                "%.1f ms\n",
                what, game.c_str(), times.size(), times.front(), times[times.size() / 2],
                times.back());
}

// False when a run drew neither frame.
bool Measure(const char* host, bool window, int runs, uint64_t title_frame,
             const std::filesystem::path& game, const std::filesystem::path& user_home) {
    std::vector<double> first;
    std::vector<double> title;
    for (int i = 0; i < runs; ++i) {
        const Times times = StartOnce(user_home, window, title_frame);
        if (times.first < 0.0 || times.title < 0.0) {
            std::fprintf(stderr, "bench_game_startup: %s: no frame was drawn\n", host);
            return false;
        }
        first.push_back(times.first);
        title.push_back(times.title);
    }
    const std::string where = game.string() + ", " + host;
    Report("first drawn frame", where, first);
    Report(("title screen, frame " + std::to_string(title_frame)).c_str(), where, title);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path game = argc > 1 ? std::filesystem::path(argv[1]) : FindGame();
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    const uint64_t title_frame = argc > 3 ? uint64_t(std::max(1, std::atoi(argv[3]))) : 2;
    std::filesystem::current_path(game);
    const std::filesystem::path user_home =
        std::filesystem::temp_directory_path() / ("bench_game_startup_" + std::to_string(getpid()));

    bool ok = Measure("headless, null renderer", false, runs, title_frame, game, user_home);
    if (std::getenv("DISPLAY"))
        ok = Measure("window, OpenGL", true, runs, title_frame, game, user_home) && ok;
    else
        std::printf("bench_game_startup: no display, no window runs\n");
    std::filesystem::remove_all(user_home);
    return ok ? 0 : 1;
}
