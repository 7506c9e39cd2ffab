// tarrow: the executable. Reads the command line, then runs the game in
// assets/ of the working directory, or with --module one module on the
// engine alone, in a window or headless for automation, and shuts down in
// reverse order. A bad argument or a malformed input script stops
// everything before anything runs, with exit status 2.
#include "apps/tarrow/CommandLine.h"
#include "apps/tarrow/StarterGame.h"
#include "engine/bindings/tr_ModuleLoader.h"
#include "engine/core/tr_Desktop.h"
#include "engine/core/tr_DisplayEnumerator.h"
#include "engine/core/tr_Mediator.h"
#include "engine/host/Tarrow.h"
#include "engine/host/tr_AttachEngineCore.h"
#include "engine/host/tr_EngineServices.h"
#include "engine/host/tr_InputScript.h"
#include "engine/platform/headless/Tarrow_Headless.h"
#include "engine/platform/headless/tr_Desktop_Headless.h"
#include "engine/platform/headless/tr_DisplayEnumerator_Headless.h"
#include "engine/platform/sdl/Tarrow_SDL.h"
#include "engine/platform/sdl/tr_Desktop_SDL.h"
#include "engine/platform/sdl/tr_DisplayEnumerator_SDL.h"
#include "engine/render/tr_Screenshot.h"
#include "engine/resources/files/tr_ContentPath.h"
#include "game/app/tp_DevMode.h"
#include "game/app/tp_GameStartup.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kUsageError = 2;

int Fail(const std::string& message) {
    std::fprintf(stderr, "tarrow: %s\n", message.c_str());
    return kUsageError;
}

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::ostringstream contents;
    contents << file.rdbuf();
    text = contents.str();
    return !file.bad();
}

using EngineFactory = std::function<std::unique_ptr<Tarrow>()>;

// The engine alone, running one module: its code attaches what it wants to
// see under "tr_origin". False when no window could be opened.
bool RunModule(const EngineFactory& make_engine, Tarrow_SDL*& window_engine,
               const std::string& module) {
    tr_Mediator mediator;
    std::unique_ptr<Tarrow> engine = make_engine();
    tr_AttachEngineCore(*engine);
    engine->SetCompanyName(tp_GameStartup::kCompanyName);
    engine->SetGameName("Tarrow Demo");
    engine->Init(0, 0, 1024, 768, false, "Tarrow");
    if (window_engine && !window_engine->GetWindow()) {
        engine->Release();
        return false;
    }
    tr_LoadModule(module);
    engine->Run();
    engine->Release();
    return true;
}

// The game in assets/ of the working directory. False when no window could
// be opened; status is what the game asked to exit with (0 normally), with
// its reason on standard error.
bool RunGame(const EngineFactory& make_engine, Tarrow_SDL*& window_engine,
             const CommandLine& options, int& status) {
    const bool headless = options.headless;
    if (headless) {
        tr_DisplayEnumerator::Install(new tr_DisplayEnumerator_Headless());
        tr_Desktop::Install(new tr_Desktop_Headless());
    } else {
        tr_DisplayEnumerator::Install(new tr_DisplayEnumerator_SDL());
        tr_Desktop::Install(new tr_Desktop_SDL());
    }
    bool ran = true;
    {
        std::unique_ptr<tp_DevMode> dev;
        if (options.dev || !options.room.empty() || !options.level.empty()) {
            tp_DevOptions dev_options;
            dev_options.enabled = options.dev;
            dev_options.room = options.room;
            dev_options.subroom = options.subroom;
            dev_options.level = options.level;
            dev_options.level_trigger = options.level_trigger;
            dev = std::make_unique<tp_DevMode>(dev_options);
        }
        tp_GameStartup game;
        game.PreInitialise();
        game.Initialise(make_engine);
        if (window_engine && !window_engine->GetWindow()) {
            ran = false;
        } else {
            status = game.Run();
            if (status != 0)
                std::fprintf(stderr, "tarrow: %s\n", game.GetEngine()->GetExitReason().c_str());
        }
        game.Shutdown();
    }
    tr_Desktop::Destroy();
    tr_DisplayEnumerator::Destroy();
    return ran;
}

} // namespace

int main(int argc, char** argv) {
    CommandLine options;
    std::string error;
    if (!options.Parse(std::vector<std::string>(argv + 1, argv + argc), error)) {
        return Fail(error + " (try --help)");
    }
    if (options.help) {
        std::fputs(CommandLine::Usage(), stdout);
        return 0;
    }
    if (!options.new_game.empty()) {
        if (!StarterGame::Make(TARROW_STARTER_DIR, options.new_game, error))
            return Fail("--new: " + error);
        std::printf("tarrow: made a starter game in %s; run it with: tarrow --dev -C %s\n",
                    options.new_game.c_str(), options.new_game.c_str());
        return 0;
    }
    if (!options.directory.empty() && chdir(options.directory.c_str()) != 0) {
        return Fail("-C: cannot change to '" + options.directory + "': " + std::strerror(errno));
    }
    tr_InputScript input;
    if (!options.input_file.empty()) {
        // A folder would read as an empty script and a FIFO would wait for a
        // writer; only a regular file is a script.
        std::error_code ignored;
        const auto type = std::filesystem::status(options.input_file, ignored).type();
        if (type != std::filesystem::file_type::regular &&
            type != std::filesystem::file_type::not_found) {
            return Fail("--input: '" + options.input_file + "' is not a regular file");
        }
        std::string text;
        if (!ReadFile(options.input_file, text)) {
            return Fail("--input: cannot read '" + options.input_file + "'");
        }
        if (!input.Parse(text, options.input_file)) {
            return Fail("malformed input line: " + input.GetError());
        }
    }

    if (!options.module.empty()) {
        const std::string file = tr_ContentPath::NormaliseSeparators(options.module) + ".xml";
        if (!tr_ContentPath::Exists(file)) {
            return Fail("--module: no module file '" + file + "'");
        }
    }

    // Screenshots are taken after the frame is finished, before it is shown.
    std::vector<bool> shots_written(options.screenshots.size(), false);
    Tarrow_SDL* window_engine = nullptr;
    auto make_engine = [&]() -> std::unique_ptr<Tarrow> {
        std::unique_ptr<Tarrow> engine;
        if (options.headless) {
            auto headless = std::make_unique<Tarrow_Headless>();
            headless->SetInput(input.GetEvents());
            engine = std::move(headless);
        } else {
            auto windowed = std::make_unique<Tarrow_SDL>();
            windowed->SetInput(input.GetEvents());
            windowed->SetPresentByCopy(options.present_by_copy);
            if (!options.screenshots.empty() && !input.GetEvents().empty()) {
                // A software renderer would take minutes over every frame of
                // a long script: only the pictures taken are painted.
                windowed->SetShownFrames([&options](uint64_t frame) {
                    for (const CommandLine::Screenshot& shot : options.screenshots) {
                        if (shot.frame == frame) {
                            return true;
                        }
                    }
                    return false;
                });
            }
            window_engine = windowed.get();
            engine = std::move(windowed);
        }
        engine->SetServices(tr_MakeEngineServices());
        engine->SetFrameLimit(options.frames);
        engine->SetFixedFrameTime(options.fixed_dt);
        engine->SetRedrawChangedOnly(options.redraw_changed_only);
        engine->SetFrameDrawnCallback([&](tr_Render& render, uint64_t frame) {
            for (size_t i = 0; i < options.screenshots.size(); ++i) {
                if (options.screenshots[i].frame == frame) {
                    shots_written[i] = tr_WriteScreenshot(render, options.screenshots[i].path);
                }
            }
        });
        return engine;
    };

    int status = 0;
    const bool ran = options.module.empty() ? RunGame(make_engine, window_engine, options, status)
                                            : RunModule(make_engine, window_engine, options.module);
    if (!ran) {
        std::fputs("tarrow: no window could be opened (--headless runs without one)\n", stderr);
        return 1;
    }

    for (size_t i = 0; i < options.screenshots.size(); ++i) {
        if (!shots_written[i]) {
            std::fprintf(stderr, "tarrow: no screenshot of frame %llu was written to '%s'\n",
                         static_cast<unsigned long long>(options.screenshots[i].frame),
                         options.screenshots[i].path.c_str());
            status = 1;
        }
    }
    return status;
}
