#include "game/app/tp_GameStartup.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_Log.h"
#include "engine/core/tr_Mediator.h"
#include "engine/host/Tarrow.h"
#include "engine/host/tr_AttachEngineCore.h"
#include "engine/objects/tr_Cursor.h"
#include "engine/resources/files/tr_FileManager.h"
#include "engine/resources/text/tr_StringTable.h"
#include "game/app/tp_Application.h"
#include "game/app/tp_DevMode.h"
#include "game/app/tp_DisplayMode.h"
#include "game/app/tp_DisplayModeSelection.h"
#include "game/core/tp_Config.h"
#include "game/core/tp_Settings.h"
#include "game/interface/tp_BuiltinWidgets.h"
#include "game/interface/tp_InterfaceScriptGlobals.h"
#include "game/level/tp_LevelObjectTypes.h"

namespace {

// The cursor shapes in the order of their CURSOR_* numbers. Offsets place a
// picture's hot spot on the mouse (pictures are drawn centred; animations
// carry their own anchor).
struct CursorShape {
    const char* image;
    int offset_x;
    int offset_y;
    int system_cursor;
};

const CursorShape kCursorShapes[] = {
    {"", 0, 0, tr_Cursor::SYSTEM_CURSOR_NONE},
    {"assets/cursors/cursor", 14, 14, tr_Cursor::SYSTEM_CURSOR_ARROW},
    {"assets/cursors/cursor_magglass", 0, 0, tr_Cursor::SYSTEM_CURSOR_SIZE_ALL},
    {"assets/cursors/cursor_get", 0, 0, tr_Cursor::SYSTEM_CURSOR_HAND},
    {"assets/cursors/cursor_hand", 0, 0, tr_Cursor::SYSTEM_CURSOR_HAND},
    {"assets/cursors/cursor_use", 0, 0, tr_Cursor::SYSTEM_CURSOR_HAND},
    {"assets/cursors/cursor_down", 0, 0, tr_Cursor::SYSTEM_CURSOR_SIZE_ALL},
    {"assets/cursors/cursor_up", 0, 0, tr_Cursor::SYSTEM_CURSOR_SIZE_ALL},
    {"assets/cursors/cursor_left", 0, 0, tr_Cursor::SYSTEM_CURSOR_SIZE_ALL},
    {"assets/cursors/cursor_right", 0, 0, tr_Cursor::SYSTEM_CURSOR_SIZE_ALL},
    {"assets/cursors/cursor_finger", 6, 14, tr_Cursor::SYSTEM_CURSOR_SIZE_ALL},
};

constexpr int kDefaultCursor = 1;

// The engine's hooks. They reach the game through its singletons, which may
// already be gone late in shutdown.

void InitHook() {
    tr_EngineCore* core = tr_EngineCore::Get();
    tp_RegisterMessageGlobals(core->GetScript());
    tp_Application* application = new tp_Application();
    application->ApplyDisplayMode(tp_DisplayMode::GetCurrent());
    const tp_Config* config = tp_Config::Get();
    application->CreateLevel(config ? config->start_module : std::string(),
                             config ? config->start_trigger : std::string());
    tr_Object::Attach(core->GetScene().GetDisplayRoot(), application);
    if (tp_DevMode* dev = tp_DevMode::Get())
        dev->OnGameStarted(core->GetScene().GetDisplayRoot(), application->GetLevel());
}

void ShutdownHook(Tarrow* /*engine*/) {
    if (tr_EngineCore* core = tr_EngineCore::GetIfCreated())
        core->GetTriggers().CallNow(tp_Application::kObjectName, "tp_close");
    delete tp_Application::Get();
}

void ActivateHook() {
    if (tp_Application* application = tp_Application::Get())
        application->SetSuspended(false);
}

void DeactivateHook() {
    if (tp_Application* application = tp_Application::Get())
        application->SetSuspended(true);
}

bool ToggleFullscreenHook(bool wanted_fullscreen) {
    tp_Application* application = tp_Application::Get();
    return application && application->ToggleFullscreen(wanted_fullscreen);
}

} // namespace

tp_GameStartup::tp_GameStartup() = default;

tp_GameStartup::~tp_GameStartup() {
    Shutdown();
}

void tp_GameStartup::PreInitialise(const std::string& config_base) {
    mediator_ = std::make_unique<tr_Mediator>();
    tp_Config::Create()->Load(config_base);
    if (tp_DevMode* dev = tp_DevMode::Get())
        dev->OnConfigured();
}

bool tp_GameStartup::Initialise(const EngineFactory& make_engine) {
    if (!mediator_)
        PreInitialise();
    engine_ = make_engine ? make_engine() : nullptr;
    if (!engine_)
        return false;
    const tp_Config& config = *tp_Config::Get();
    engine_->SetCompanyName(kCompanyName);
    engine_->SetGameName(config.save_folder);

    tr_StringTable* strings = tr_StringTable::GetOrCreate();
    for (const std::string& file : config.string_files)
        strings->LoadStringTable(file);

    tp_Settings* settings = tp_Settings::Create(config);
    settings->Load();
    const std::string title_key = config.WindowTitleKey();
    tp_RegisterLevelObjectTypes();
    tp_RegisterBuiltinWidgets();
    InstallHooks(*engine_);

    tp_DisplayMode mode =
        tp_DisplayModeSelection::Select(settings->fullscreen, settings->widescreen);
    tp_DisplayMode::SetCurrent(mode);
    const std::string title = strings->StringGet(title_key);
    bool started = engine_->Init(0, 0, mode.width, mode.height, mode.fullscreen, title.c_str());
    if (!started) {
        mode = tp_DisplayModeSelection::Select(true, settings->widescreen);
        tp_DisplayMode::SetCurrent(mode);
        started = engine_->Init(0, 0, mode.width, mode.height, mode.fullscreen, title.c_str());
        if (!started)
            tr_Log("Error: the game could not open its display, not even in full screen.");
    }

    const tp_DisplayMode& current = tp_DisplayMode::GetCurrent();
    tp_Application* application = tp_Application::Get();
    if (application && !settings->fullscreen && current.fullscreen)
        application->SetForcedFullscreen(true);
    settings->fullscreen = current.fullscreen;
    settings->widescreen = current.widescreen;

    engine_->SetGamma(settings->gamma);
    if (tr_Cursor* cursor = tr_Cursor::Get())
        cursor->SetSystemMode(settings->syscursor);
    settings->ApplyVolumes();
    RegisterCursors();
    return started;
}

void tp_GameStartup::InstallHooks(Tarrow& engine) {
    tr_AttachEngineCore(engine);
    if (tp_DevMode::Get()) {
        // The development mode's keys come first; the rest goes on to the
        // scene as usual.
        engine.SetInputHook([](const tr_InputEvent* event) {
            tp_DevMode* dev = tp_DevMode::Get();
            if (dev && event && dev->HandleInput(*event))
                return;
            if (tr_EngineCore* core = tr_EngineCore::GetIfCreated())
                core->Input(event);
        });
    }
    engine.SetInitHook(InitHook);
    engine.SetShutdownHook(ShutdownHook);
    engine.SetActivateHook(ActivateHook);
    engine.SetDeactivateHook(DeactivateHook);
    engine.SetToggleFullscreenHook(ToggleFullscreenHook);
}

void tp_GameStartup::RegisterCursors() {
    tr_Cursor* cursor = tr_Cursor::Get();
    if (!cursor)
        return;
    for (const CursorShape& shape : kCursorShapes)
        cursor->AddShape(shape.image, shape.offset_x, shape.offset_y, shape.system_cursor);
    cursor->SetCurrent(kDefaultCursor);
}

int tp_GameStartup::Run() {
    if (!engine_)
        return 0;
    engine_->Run();
    return engine_->GetExitStatus();
}

void tp_GameStartup::Shutdown() {
    if (engine_) {
        engine_->Release();
        if (tp_Settings* settings = tp_Settings::Get())
            settings->Save();
    }
    tp_Settings::Destroy();
    tr_StringTable::Destroy();
    tp_Config::Destroy();
    engine_.reset();
    // Saving the settings (or a late log line) makes the file manager again
    // after the engine's Release dropped it.
    tr_FileManager::Destroy();
    mediator_.reset();
}
