// tp_Application: where the design space sits in the window, and switching
// between display modes.
#include "game/app/tp_Application.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/host/Tarrow.h"
#include "game/app/tp_DisplayMode.h"
#include "game/app/tp_DisplayModeSelection.h"
#include "game/app/tp_Layout.h"
#include "game/core/tp_Settings.h"

#include <cstdio>

void tp_Application::ApplyDisplayMode(const tp_DisplayMode& mode) {
    SetPosition(mode.offset_x, mode.offset_y);
    SetScale(mode.scale_x, mode.scale_y);
    MarkTransformDirty();
    SetLayoutCrop(mode.widescreen);
}

void tp_Application::SetLayoutCrop(bool widescreen) {
    widescreen_ = widescreen;
    SetCropRect(tp_Layout::CropRect(widescreen));
}

float tp_Application::GetLayoutWidth() const {
    const tp_DisplayMode& mode = tp_DisplayMode::GetCurrent();
    Tarrow* engine = Tarrow::Get();
    const float window_width = engine ? engine->GetWidth() : static_cast<float>(mode.width);
    return tp_Layout::LayoutWidth(widescreen_, window_width, mode.scale_x);
}

bool tp_Application::ToggleFullscreen(bool wanted_fullscreen) {
    tp_Settings* settings = tp_Settings::Get();
    const tp_DisplayMode current = tp_DisplayMode::GetCurrent();
    const bool wanted_widescreen = settings ? settings->widescreen : current.widescreen;
    const tp_DisplayMode next =
        tp_DisplayModeSelection::Select(wanted_fullscreen, wanted_widescreen);

    bool changed = false;
    const tp_DisplayMode::Change change = current.ChangeTo(next);
    if (change != tp_DisplayMode::Change::None) {
        // The new layout is in place before the display is refreshed, so
        // whatever lays itself out again sees the new widths.
        ApplyDisplayMode(next);
        tp_DisplayMode::SetCurrent(next);
        if (change == tp_DisplayMode::Change::LayoutOnly) {
            if (tr_EngineCore* core = tr_EngineCore::GetIfCreated())
                core->GetScene().GetDisplayRoot()->Refresh(true);
            changed = true;
        } else {
            Tarrow* engine = Tarrow::Get();
            changed = engine && engine->SetDisplayMode(next.width, next.height, next.fullscreen);
            if (!changed) {
                ApplyDisplayMode(current);
                tp_DisplayMode::SetCurrent(current);
            }
        }
    }

    const tp_DisplayMode& now = tp_DisplayMode::GetCurrent();
    const int fullscreen_changed = changed && now.fullscreen != current.fullscreen ? 1 : 0;
    const int widescreen_changed = changed && now.widescreen != current.widescreen ? 1 : 0;
    if (settings) {
        settings->fullscreen = now.fullscreen;
        settings->widescreen = now.widescreen;
    }
    if (tr_EngineCore* core = tr_EngineCore::GetIfCreated()) {
        char call[64];
        std::snprintf(call, sizeof(call), "tp_togglefullscreen(%d,%d)", fullscreen_changed,
                      widescreen_changed);
        core->GetTriggers().CallNow(name_, call);
    }
    return changed;
}
