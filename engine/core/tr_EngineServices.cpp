#include "engine/core/tr_EngineServices.h"

#include "engine/resources/tr_ResourceRegistry.h"
#include "engine/resources/tr_SoundHub.h"
#include "engine/scene/tr_EngineCore.h"
#include "engine/scene/tr_Object.h"

Tarrow::Services tr_MakeEngineServices() {
    // The registry this set of services made, if any; shared by the closures.
    auto registry = std::make_shared<std::unique_ptr<tr_ResourceRegistry>>();

    Tarrow::Services services;
    services.create_engine_core = [] { tr_EngineCore::Get(); };
    services.create_platform_objects = [registry] {
        if (!tr_ResourceRegistry::Get()) {
            *registry = std::make_unique<tr_ResourceRegistry>();
        }
        tr_SoundHub::GetOrCreate();
    };
    services.release_platform_objects = [] { tr_SoundHub::Destroy(); };
    services.release_engine_core = [registry] {
        // Scene objects hold resources: the scene goes first.
        tr_EngineCore::Destroy();
        registry->reset();
    };
    services.update_frame = [](const tr_FrameInfo* frame) {
        tr_SoundHub::GetOrCreate()->Update(frame);
    };
    services.refresh_display = [] {
        if (tr_EngineCore* core = tr_EngineCore::GetIfCreated()) {
            if (tr_Object* root = core->GetScene().GetDisplayRoot()) {
                root->Refresh(true);
            }
        }
    };
    services.pause_sound = [] {
        if (tr_SoundHub* hub = tr_SoundHub::Get()) {
            hub->PauseAll();
        }
    };
    services.resume_sound = [] {
        if (tr_SoundHub* hub = tr_SoundHub::Get()) {
            hub->ResumeAll();
        }
    };
    return services;
}
