#include "engine/host/tr_AttachEngineCore.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/host/Tarrow.h"

void tr_AttachEngineCore(Tarrow& engine) {
    engine.SetUpdateHook([](const tr_FrameInfo* frame) {
        if (tr_EngineCore* core = tr_EngineCore::GetIfCreated()) {
            core->Update(frame);
        }
    });
    engine.SetInputHook([](const tr_InputEvent* event) {
        if (tr_EngineCore* core = tr_EngineCore::GetIfCreated()) {
            core->Input(event);
        }
    });
    engine.SetDrawHook([](tr_Render* render) {
        if (tr_EngineCore* core = tr_EngineCore::GetIfCreated()) {
            core->Draw(render);
        }
    });
}
