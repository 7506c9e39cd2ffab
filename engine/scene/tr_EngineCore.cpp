#include "engine/scene/tr_EngineCore.h"

#include "engine/core/tr_FrameInfo.h"
#include "engine/core/tr_InputEvent.h"
#include "engine/render/tr_Render.h"
#include "engine/script/tr_EngineScriptApi.h"

tr_EngineCore* tr_EngineCore::instance_ = nullptr;

tr_EngineCore::tr_EngineCore() : triggers_(script_) {
    if (script_.GetLua())
        tr_RegisterEngineScriptApi(script_.GetLua());
}

tr_EngineCore* tr_EngineCore::Get() {
    if (!instance_)
        instance_ = new tr_EngineCore;
    return instance_;
}

void tr_EngineCore::Destroy() {
    // Cleared first: destructors running below must not recreate the core.
    tr_EngineCore* core = instance_;
    instance_ = nullptr;
    delete core;
}

void tr_EngineCore::Update(const tr_FrameInfo* frame) {
    triggers_.RunQueue();
    if (frame)
        scene_.Update(*frame);
}

void tr_EngineCore::Input(const tr_InputEvent* event) {
    if (event)
        scene_.DispatchInput(*event);
}

void tr_EngineCore::Draw(tr_Render* render) {
    if (!render)
        return;
    render->BeginDraw();
    scene_.Draw(render);
    render->EndDraw();
}
