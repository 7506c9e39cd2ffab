#include "engine/bindings/tr_EngineCore.h"

#include "engine/bindings/tr_ComplexScript_Lua.h"
#include "engine/bindings/tr_EngineScriptApi.h"
#include "engine/core/tr_FrameInfo.h"
#include "engine/core/tr_InputEvent.h"
#include "engine/objects/tr_Cursor.h"
#include "engine/render/tr_Render.h"

#include <cmath>
#include <limits>

tr_EngineCore* tr_EngineCore::instance_ = nullptr;

namespace {

// Truncation toward zero; values no int can hold (a broken event) are
// clamped rather than converted with undefined behaviour.
int TruncateCoordinate(float value) {
    if (std::isnan(value))
        return 0;
    const float limit = 1.0e9f;
    if (value > limit)
        return static_cast<int>(limit);
    if (value < -limit)
        return static_cast<int>(-limit);
    return static_cast<int>(value);
}

bool MovesCursor(int type) {
    return type == TR_EVENT_MOUSE_DOWN || type == TR_EVENT_MOUSE_UP || type == TR_EVENT_MOUSE_MOVE;
}

} // namespace

tr_EngineCore::tr_EngineCore() : triggers_(script_) {
    tr_ComplexScript_Lua::Install();
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
    // Hover follows objects that move under a still cursor; its events are
    // queued and so run in this frame's RunQueue.
    scene_.GetInputDispatch().SynthesiseMouseMoveAtCursor();
    triggers_.RunQueue();
    if (frame)
        scene_.Update(*frame);
}

void tr_EngineCore::Input(const tr_InputEvent* event) {
    if (!event)
        return;
    if (MovesCursor(event->type)) {
        if (tr_Cursor* cursor = tr_Cursor::Get())
            cursor->SetPosition(TruncateCoordinate(event->x), TruncateCoordinate(event->y));
    }
    scene_.DispatchInput(*event);
}

void tr_EngineCore::Draw(tr_Render* render) {
    if (!render)
        return;
    render->BeginDraw();
    scene_.Draw(render);
    render->EndDraw();
}
