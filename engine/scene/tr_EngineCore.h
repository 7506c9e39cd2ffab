// tr_EngineCore: the process-wide engine core, created on first use by Get()
// and destroyed by Destroy() (the engine's Release). It owns the scene; the
// application's hooks call Update, Input and Draw once per frame / event.
// The trigger queue and the script state join it later.
#pragma once

#include "engine/scene/tr_Scene.h"

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

    // Core update: updates the scene's display tree.
    void Update(const tr_FrameInfo* frame);
    // Core input: hands the event to the scene's input dispatch.
    void Input(const tr_InputEvent* event);
    // Core draw: the display tree between the renderer's BeginDraw / EndDraw.
    void Draw(tr_Render* render);

private:
    tr_EngineCore() = default;
    ~tr_EngineCore() = default;
    tr_EngineCore(const tr_EngineCore&) = delete;
    tr_EngineCore& operator=(const tr_EngineCore&) = delete;

    static tr_EngineCore* instance_;
    tr_Scene scene_;
};
