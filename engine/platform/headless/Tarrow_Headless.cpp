#include "engine/platform/headless/Tarrow_Headless.h"

#include "engine/platform/headless/tr_Render_Null.h"

Tarrow_Headless::Tarrow_Headless() {
    SetRendererFactory([] { return std::make_unique<tr_Render_Null>(); });
}

bool Tarrow_Headless::Init(int x, int y, int width, int height, bool fullscreen,
                           const char* title) {
    const bool ready = Tarrow::Init(x, y, width, height, fullscreen, title);
    if (!GetRender()) {
        CreateRenderer();
    }
    CreatePlatformObjectsOnce();
    if (ready) {
        RunInitHookOnce();
    }
    StartClock(*this);
    initialized_ = true;
    return ready;
}

void Tarrow_Headless::Release() {
    if (!IsStarted()) {
        return;
    }
    CallShutdownHook();
    ReleasePlatformObjects();
    Tarrow::Release();
    initialized_ = false;
}

bool Tarrow_Headless::SetDisplayMode(int width, int height, bool fullscreen) {
    Tarrow::SetDisplayMode(width, height, fullscreen);
    if (initialized_) {
        ResetRenderer();
        NotifyModeChanged();
    }
    return true;
}

void Tarrow_Headless::Run() {
    RunLoop(*this);
}

void Tarrow_Headless::SetInput(std::vector<tr_ScriptedInput> events) {
    input_ = std::move(events);
    next_input_ = 0;
}

tr_PollResult Tarrow_Headless::PollEvent() {
    if (close_requested_) {
        return tr_PollResult::Quit;
    }
    if (next_input_ >= input_.size() || input_[next_input_].frame > GetFrameCount() + 1) {
        return tr_PollResult::None;
    }
    const tr_ScriptedInput& entry = input_[next_input_++];
    if (entry.quit) {
        return tr_PollResult::Quit;
    }
    if (entry.focus != tr_ScriptedFocus::kNone) {
        if (entry.focus == tr_ScriptedFocus::kGained) {
            CallActivateHook();
        } else {
            CallDeactivateHook();
        }
        return tr_PollResult::Handled;
    }
    tr_InputEvent event = entry.event;
    if (event.type == TR_EVENT_MOUSE_LEAVE) {
        event.x = last_mouse_x_;
        event.y = last_mouse_y_;
    } else if (event.type == TR_EVENT_MOUSE_MOVE || event.type == TR_EVENT_MOUSE_DOWN ||
               event.type == TR_EVENT_MOUSE_UP) {
        last_mouse_x_ = event.x;
        last_mouse_y_ = event.y;
    }
    DispatchInput(event);
    if (event.type == TR_EVENT_MOUSE_LEAVE && GetServices().cursor_left_window) {
        GetServices().cursor_left_window();
    }
    return tr_PollResult::Handled;
}

bool Tarrow_Headless::ResetDevice() {
    ResetRenderer();
    return true;
}
