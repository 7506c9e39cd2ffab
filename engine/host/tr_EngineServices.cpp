#include "engine/host/tr_EngineServices.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_Backends.h"
#include "engine/core/tr_FrameInfo.h"
#include "engine/objects/tr_Cursor.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/resources/media/tr_SoundHub.h"
#include "engine/scene/tr_Object.h"

Tarrow::Services tr_MakeEngineServices(tr_CursorFactory make_cursor) {
    // What this set of services made, if anything; shared by the closures.
    auto registry = std::make_shared<std::unique_ptr<tr_ResourceRegistry>>();
    auto cursor = std::make_shared<std::unique_ptr<tr_Cursor>>();

    Tarrow::Services services;
    services.create_engine_core = [] {
        tr_EngineCore::Get()->SetFrameRateSource([] {
            Tarrow* engine = Tarrow::Get();
            return engine ? engine->GetFPS() : 0.0f;
        });
    };
    services.create_platform_objects = [registry, cursor, make_cursor] {
        if (!tr_ResourceRegistry::Get()) {
            *registry = std::make_unique<tr_ResourceRegistry>();
        }
        // Shapes load their art through the registry: it comes first.
        if (!tr_Cursor::Get()) {
            *cursor = make_cursor ? make_cursor() : tr_Backends::MakeCursor("sdl");
            if (!*cursor) {
                *cursor = tr_Backends::MakeCursor("headless");
            }
        }
        tr_SoundHub::GetOrCreate();
    };
    services.release_platform_objects = [cursor] {
        // The shapes hold textures, which go while the renderer still exists.
        cursor->reset();
        tr_SoundHub::Destroy();
    };
    services.release_engine_core = [registry] {
        // Scene objects hold resources: the scene goes first.
        tr_EngineCore::Destroy();
        registry->reset();
    };
    services.update_frame = [](const tr_FrameInfo* frame) {
        tr_SoundHub::GetOrCreate()->Update(frame);
        if (tr_Cursor* live = tr_Cursor::Get()) {
            if (frame) {
                live->Update(*frame);
            }
        }
    };
    services.draw_cursor = [](tr_Render* render) {
        if (tr_Cursor* live = tr_Cursor::Get()) {
            live->Draw(render);
        }
    };
    services.cursor_left_window = [] {
        if (tr_Cursor* live = tr_Cursor::Get()) {
            live->SetOutside();
        }
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
