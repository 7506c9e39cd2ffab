// Tarrow: the engine object. One per process, reachable through Tarrow::Get()
// from construction to destruction. It owns the display mode, the frame
// pacing, the ten application hooks and the renderer, and runs the frame loop
// over a tr_Platform that each concrete host (Tarrow_SDL, Tarrow_Headless)
// provides. It knows nothing of the game: the application plugs its work in
// through the hooks, and the work of other engine subsystems (engine core,
// sound hub, cursor, ...) is reached through the Services seams below.
//
// Pair with a tr_Mediator created before the engine and destroyed after it.
#pragma once

#include "engine/core/tr_Platform.h"
#include "engine/host/tr_InputScriptPlayer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

class tr_LogFileListener;
class tr_Platform;
class tr_Render;
struct tr_FrameInfo;
struct tr_InputEvent;

class Tarrow {
public:
    // The application's hooks. They carry their own context (a lambda's
    // captures), so the application reaches its objects without globals; an
    // empty hook is skipped.
    using DrawHook = std::function<void(tr_Render* render)>;
    using UpdateHook = std::function<void(const tr_FrameInfo* frame)>;
    using InputHook = std::function<void(const tr_InputEvent* event)>;
    using InitHook = std::function<void()>;
    using ShutdownHook = std::function<void(Tarrow* engine)>;
    using ActivateHook = std::function<void()>;
    using DeactivateHook = std::function<void()>;
    using TimeChangeHook = std::function<void()>;
    using ModeChangedHook = std::function<void()>;
    using ToggleFullscreenHook = std::function<bool(bool wanted_fullscreen)>;

    // Work that belongs to other subsystems, called by the engine at fixed
    // points of its life and of every frame. Every entry may be left empty
    // (tests leave them so); tr_MakeEngineServices fills them for real use.
    struct Services {
        // Init, before the display mode is set: the engine core (scene,
        // trigger queue, script state) and the font rasteriser.
        std::function<void()> create_engine_core;
        // Init, once the renderer exists: resource registry, cursor, sound
        // hub (unless one exists); the SDL host then starts its audio output.
        std::function<void()> create_platform_objects;
        // Release, right after the shutdown hook: cursor and sound hub (the
        // engine then destroys the log's file manager itself).
        std::function<void()> release_platform_objects;
        // Release: the engine core and the resource registry (the renderer
        // is released by the engine itself afterwards).
        std::function<void()> release_engine_core;
        // Every frame after the update hook: sound hub update, then cursor update.
        std::function<void(const tr_FrameInfo*)> update_frame;
        // Every drawn frame after the draw hook: the cursor.
        std::function<void(tr_Render*)> draw_cursor;
        // After a device reset or a display-mode change: Refresh(true) on the
        // display root "tr_origin".
        std::function<void()> refresh_display;
        // Window focus lost / regained or minimised / restored.
        std::function<void()> pause_sound;
        std::function<void()> resume_sound;
        // The mouse left the window: mark the cursor as outside.
        std::function<void()> cursor_left_window;
    };

    using RendererFactory = std::function<std::unique_ptr<tr_Render>()>;
    // Called for every drawn frame after EndFrame and before present, with
    // the frame's number (1 is the first frame run).
    using FrameDrawnCallback = std::function<void(tr_Render& render, uint64_t frame)>;

    // Becomes the process-wide engine and subscribes its log-file listener to
    // the mediator's log message (when a mediator exists).
    Tarrow();
    Tarrow(const Tarrow&) = delete;
    Tarrow& operator=(const Tarrow&) = delete;

    virtual ~Tarrow();
    virtual bool Init(int x, int y, int width, int height, bool fullscreen, const char* title);
    virtual void Release();
    virtual bool SetDisplayMode(int width, int height, bool fullscreen);
    virtual void Run() = 0;
    virtual void SetDrawHook(DrawHook hook) { draw_hook_ = std::move(hook); }
    virtual void SetUpdateHook(UpdateHook hook) { update_hook_ = std::move(hook); }
    virtual void SetInputHook(InputHook hook) { input_hook_ = std::move(hook); }
    virtual void SetInitHook(InitHook hook) { init_hook_ = std::move(hook); }
    virtual void SetShutdownHook(ShutdownHook hook) { shutdown_hook_ = std::move(hook); }
    virtual void SetActivateHook(ActivateHook hook) { activate_hook_ = std::move(hook); }
    virtual void SetDeactivateHook(DeactivateHook hook) { deactivate_hook_ = std::move(hook); }
    virtual void SetTimeChangeHook(TimeChangeHook hook) { time_change_hook_ = std::move(hook); }
    virtual void SetModeChangedHook(ModeChangedHook hook) { mode_changed_hook_ = std::move(hook); }
    virtual void SetToggleFullscreenHook(ToggleFullscreenHook hook) {
        toggle_fullscreen_hook_ = std::move(hook);
    }
    // The installed toggle, or null; the game's script functions call it the
    // way Alt+Enter does, with the full-screen value they want.
    const ToggleFullscreenHook& GetToggleFullscreenHook() const { return toggle_fullscreen_hook_; }
    virtual float GetWidth() { return width_; }
    virtual float GetHeight() { return height_; }
    // A non-positive or non-finite rate is ignored: it would stop every frame.
    virtual void SetFPS(float fps);
    // The target rate; the hosts report the measured rate instead.
    virtual float GetFPS();
    virtual void SetGamma(float gamma) { gamma_ = gamma; }
    virtual float GetGamma() { return gamma_; }
    virtual void RequestClose() {}
    // Ends the run as RequestClose does, remembering why: the game cannot go
    // on (a level module that cannot be read, say). The first request wins;
    // the host's caller turns the status into the process's exit status and
    // shows the reason to whoever started it.
    void RequestExit(int status, const std::string& reason);
    int GetExitStatus() const { return exit_status_; }
    const std::string& GetExitReason() const { return exit_reason_; }

    void SetCompanyName(const std::string& name) { company_name_ = name; }
    const std::string& GetCompanyName() const { return company_name_; }
    void SetGameName(const std::string& name) { game_name_ = name; }
    const std::string& GetGameName() const { return game_name_; }

    bool IsFullscreen() const { return fullscreen_; }
    float GetFrameTime() const { return frame_time_; }

    // Automation: a frame time Init uses instead of 1/60 (0 = none), and a
    // number of frames after which Run returns (0 = no limit).
    void SetFixedFrameTime(float seconds) { fixed_frame_time_ = seconds; }
    void SetFrameLimit(uint64_t frames) { frame_limit_ = frames; }
    // Frames run since construction.
    uint64_t GetFrameCount() const { return frames_run_; }

    void SetServices(Services services) { services_ = std::move(services); }
    // How the host makes its renderer once the device exists; empty means
    // the engine runs without a renderer (nothing is drawn).
    void SetRendererFactory(RendererFactory factory) { renderer_factory_ = std::move(factory); }
    tr_Render* GetRender() const { return renderer_.get(); }
    // Whether a back end that can keep its picture between frames redraws
    // only what changed or everything every frame (the default). Takes
    // effect when the renderer is made.
    void SetRedrawChangedOnly(bool changed_only) { redraw_changed_only_ = changed_only; }
    bool IsRedrawChangedOnly() const { return redraw_changed_only_; }
    // Automation (screenshots): see FrameDrawnCallback.
    void SetFrameDrawnCallback(FrameDrawnCallback callback) { frame_drawn_ = std::move(callback); }

    static Tarrow* Get() { return instance_; }

protected:
    // The frame loop: drains pending events, waits until the next frame is
    // due, runs it, and returns on a quit event or at the frame limit.
    void RunLoop(tr_Platform& platform);
    // Starts frame timing and the FPS window at the current tick (end of Init).
    void StartClock(tr_Platform& platform);
    float GetMeasuredFPS() const { return measured_fps_; }

    // Makes the renderer through the factory (once) and sizes it to the mode.
    void CreateRenderer();
    // Re-sizes the renderer after the back buffer changed.
    void ResetRenderer();
    // Mode changed hook, then the display refresh.
    void NotifyModeChanged();
    // True from the first Init to Release: what Release has to undo.
    bool IsStarted() const { return engine_core_created_; }
    // True when the objects were made by this call (the first after start
    // or Release).
    bool CreatePlatformObjectsOnce();
    void ReleasePlatformObjects();
    // The init hook runs once per engine: at the end of the first Init that
    // succeeds, or at the start of Run when every Init failed.
    void RunInitHookOnce();

    void DispatchInput(const tr_InputEvent& event);
    // Plays the scripted input entry due now, if any: an event is
    // dispatched, a focus change runs its hook. False when nothing was due;
    // result says what was done otherwise.
    bool PlayScriptedInput(tr_InputScriptPlayer& input, tr_PollResult& result);
    void CallActivateHook();
    void CallDeactivateHook();
    void CallShutdownHook();
    // Alt+Enter: toggle hook, mediator message 2, mode changed hook on success.
    void HandleToggleFullscreenKey();

    const Services& GetServices() const { return services_; }

private:
    void RunFrame(tr_Platform& platform, uint32_t now, float elapsed);
    // Smallest tick count after which a frame is due at this tick rate.
    uint32_t TicksPerFrame(uint32_t rate) const;

    static Tarrow* instance_;

    float frame_time_ = 1.0f / 60.0f;
    float width_ = 0.0f;
    float height_ = 0.0f;
    bool fullscreen_ = false;
    float gamma_ = 1.0f;
    std::string company_name_;
    std::string game_name_;
    int exit_status_ = 0;
    std::string exit_reason_;

    DrawHook draw_hook_;
    UpdateHook update_hook_;
    InputHook input_hook_;
    InitHook init_hook_;
    ShutdownHook shutdown_hook_;
    ActivateHook activate_hook_;
    DeactivateHook deactivate_hook_;
    TimeChangeHook time_change_hook_;
    ModeChangedHook mode_changed_hook_;
    ToggleFullscreenHook toggle_fullscreen_hook_;

    // Frame timing, in the platform's ticks; differences are taken in
    // unsigned 32-bit arithmetic so a wrapping counter keeps working.
    uint32_t last_frame_ticks_ = 0;
    float raw_elapsed_ = 0.0f;
    uint32_t fps_frame_count_ = 0;
    float measured_fps_ = 0.0f;
    uint32_t fps_window_start_ = 0;

    float fixed_frame_time_ = 0.0f;
    uint64_t frame_limit_ = 0;
    uint64_t frames_run_ = 0;

    Services services_;
    RendererFactory renderer_factory_;
    FrameDrawnCallback frame_drawn_;
    std::unique_ptr<tr_Render> renderer_;
    bool engine_core_created_ = false;
    bool platform_objects_created_ = false;
    bool init_hook_done_ = false;
    bool redraw_changed_only_ = false;
    std::unique_ptr<tr_LogFileListener> log_listener_;
};
