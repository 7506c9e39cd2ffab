// tp_GameStartup: brings the game up around an engine and takes it down
// again. PreInitialise makes the mediator and reads the configuration;
// Initialise makes the engine (through the host's factory), names the user
// folder, loads the string tables and the player's settings, registers the
// game's object types and the engine hooks, chooses the display mode and
// starts the engine (once more in full screen when that fails), then applies
// gamma, cursor mode, volumes and the cursor shapes. Shutdown undoes it all
// in reverse order, the mediator last; the destructor shuts down what is
// still up.
//
// Owns the mediator and the engine; creates and destroys the process-wide
// configuration, string table and settings. One instance per process: the
// hooks are plain functions that reach the game through the singletons.
#pragma once

#include <functional>
#include <memory>
#include <string>

class Tarrow;
class tr_Mediator;

class tp_GameStartup {
public:
    // Makes the engine the game runs on, with the host's own set-up
    // (services, renderer, automation) done.
    using EngineFactory = std::function<std::unique_ptr<Tarrow>()>;

    // The folder the user folder is made in, above the game's own.
    static constexpr const char* kCompanyName = "Brightfold";

    tp_GameStartup();
    ~tp_GameStartup();
    tp_GameStartup(const tp_GameStartup&) = delete;
    tp_GameStartup& operator=(const tp_GameStartup&) = delete;

    // The mediator, then the configuration from config_base + ".xml"
    // (defaults, with an error line, when it is missing).
    void PreInitialise(const std::string& config_base = "assets/config");
    // False when the engine could not start in either mode (logged); the
    // application then does not exist until Run, if the host runs at all.
    bool Initialise(const EngineFactory& make_engine);
    // The engine's frame loop, until the window closes. 0, or the status the
    // game asked to exit with (Tarrow::RequestExit).
    int Run();
    // Release (the shutdown hook runs "tp_close" and deletes the
    // application), save the settings, then delete everything made here.
    void Shutdown();

    Tarrow* GetEngine() const { return engine_.get(); }

private:
    static void InstallHooks(Tarrow& engine);
    static void RegisterCursors();

    std::unique_ptr<tr_Mediator> mediator_;
    std::unique_ptr<Tarrow> engine_;
};
