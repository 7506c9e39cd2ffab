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
    input_.SetEvents(std::move(events));
}

tr_PollResult Tarrow_Headless::PollEvent() {
    if (close_requested_) {
        return tr_PollResult::Quit;
    }
    tr_PollResult result = tr_PollResult::None;
    PlayScriptedInput(input_, result);
    return result;
}

bool Tarrow_Headless::ResetDevice() {
    ResetRenderer();
    return true;
}
