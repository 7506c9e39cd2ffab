// tr_EngineCore: the process-wide engine core, created on first use by Get()
// and destroyed by Destroy() (the engine's Release). It owns, in order of
// creation, the script state (with the engine script API registered), the
// trigger registry (the installed call queue) and the scene; they are
// destroyed in reverse, so objects deleted with the scene can still queue
// calls. The application's hooks call Update, Input and Draw once per frame
// / event.
#pragma once

#include "engine/scene/tr_Scene.h"
#include "engine/script/tr_ScriptState.h"
#include "engine/script/tr_TriggerRegistry.h"

#include <functional>

struct tr_FrameInfo;
struct tr_InputEvent;
class tr_Render;

class tr_EngineCore {
public:
    static tr_EngineCore* Get();
    // The core when it exists, without creating it (for shutdown paths).
    static tr_EngineCore* GetIfCreated() { return instance_; }
    static void Destroy();

    tr_Scene& GetScene() { return scene_; }
    tr_ScriptState& GetScript() { return script_; }
    tr_TriggerRegistry& GetTriggers() { return triggers_; }

    // Core update: a mouse move synthesised at the cursor, the queued trigger
    // calls, then the scene's display tree.
    void Update(const tr_FrameInfo* frame);
    // Core input: mouse events first move the cursor (truncated to whole
    // pixels), then every event goes to the scene's input dispatch.
    void Input(const tr_InputEvent* event);
    // Core draw: the display tree between the renderer's BeginDraw / EndDraw.
    void Draw(tr_Render* render);

    // The frame rate the host measures, for the scripts' GetFPS: the host
    // sits above the core and hands it down here. 0 without a source.
    void SetFrameRateSource(std::function<float()> source) { frame_rate_ = std::move(source); }
    float GetHostFrameRate() const { return frame_rate_ ? frame_rate_() : 0.0f; }

private:
    tr_EngineCore();
    ~tr_EngineCore() = default;
    tr_EngineCore(const tr_EngineCore&) = delete;
    tr_EngineCore& operator=(const tr_EngineCore&) = delete;

    static tr_EngineCore* instance_;
    tr_ScriptState script_;
    tr_TriggerRegistry triggers_;
    tr_Scene scene_;
    std::function<float()> frame_rate_;
};
