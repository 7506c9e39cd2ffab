// Peak memory (the largest resident set) of the game over a whole scripted
// playthrough: the tarrow program beside this benchmark's folder plays the
// walkthrough of the tests (by default tests/content/demo/walkthrough.input)
// from a fresh user folder, headless with the null renderer and, when there
// is a display, in its window through OpenGL. The window run writes one
// screenshot of the last frame so that only that frame is painted (every
// frame is still drawn): a software renderer would otherwise take minutes.
// Prints the peak resident set, the CPU time and the wall time of each run.
//
// Usage: bench_playthrough_memory [input script] [game folder]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The last frame an input script names (its quit, usually).
unsigned long LastFrame(const fs::path& script) {
    std::ifstream in(script);
    unsigned long last = 0;
    std::string line;
    while (std::getline(in, line)) {
        char* end = nullptr;
        const unsigned long frame = std::strtoul(line.c_str(), &end, 10);
        if (end != line.c_str() && frame > last)
            last = frame;
    }
    return last;
}

// Runs the program with its output thrown away; false when it did not exit 0.
bool Run(const std::vector<std::string>& args, const fs::path& user_home, rusage& usage,
         double& wall_ms) {
    fs::remove_all(user_home);
    // The child must not print what this process still holds unwritten.
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        setenv("XDG_DATA_HOME", user_home.c_str(), 1);
        if (!std::freopen("/dev/null", "w", stdout) || !std::freopen("/dev/null", "w", stderr))
            _exit(127);
        std::vector<char*> argv;
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    if (wait4(child, &status, 0, &usage) != child)
        return false;
    wall_ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool Measure(const char* host, std::vector<std::string> args, const fs::path& user_home) {
    rusage usage{};
    double wall_ms = 0.0;
    if (!Run(args, user_home, usage, wall_ms)) {
        std::fprintf(stderr, "bench_playthrough_memory: the %s run failed\n", host);
        return false;
    }
    const double cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                       double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    std::printf("whole playthrough (%s): peak resident set %.1f MB, CPU %.2f s, wall %.2f s\n",
                host, double(usage.ru_maxrss) / 1024.0, cpu, wall_ms / 1000.0);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const fs::path source = TARROW_SOURCE_DIR;
    const fs::path script = fs::absolute(
        argc > 1 ? fs::path(argv[1]) : source / "tests/content/demo/walkthrough.input");
    const fs::path game = fs::absolute(argc > 2 ? fs::path(argv[2]) : source);
    const fs::path program =
        fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "apps/tarrow/tarrow";
    const unsigned long last = LastFrame(script);
    if (last == 0 || !fs::exists(program)) {
        std::fprintf(stderr, "bench_playthrough_memory: no script at %s or no program at %s\n",
                     script.c_str(), program.c_str());
        return 1;
    }
    const fs::path work =
        fs::temp_directory_path() / ("bench_playthrough_memory_" + std::to_string(getpid()));
    const std::string frames = std::to_string(last + 1);

    bool ok = Measure("headless, null renderer",
                      {program, "--headless", "--frames", frames, "--input", script, "-C", game},
                      work / "home");
    if (std::getenv("DISPLAY")) {
        const std::string shot =
            std::to_string(last > 1 ? last - 1 : 1) + ":" + (work / "last.png").string();
        ok = Measure(
                 "window, OpenGL",
                 {program, "--frames", frames, "--input", script, "--screenshot", shot, "-C", game},
                 work / "home") &&
             ok;
    } else {
        std::printf("bench_playthrough_memory: no display, no window run\n");
    }
    fs::remove_all(work);
    return ok ? 0 : 1;
}
