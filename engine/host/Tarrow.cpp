#include "engine/host/Tarrow.h"

#include "engine/core/tr_EngineMessages.h"
#include "engine/core/tr_FrameInfo.h"
#include "engine/core/tr_InputEvent.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/core/tr_Platform.h"
#include "engine/render/tr_ChangedOnlyRender.h"
#include "engine/render/tr_Render.h"
#include "engine/resources/files/tr_FileManager.h"
#include "engine/resources/files/tr_LogFileListener.h"

#include <cmath>

Tarrow* Tarrow::instance_ = nullptr;

namespace {

// Far beyond any sensible frame time, and well inside the unsigned
// difference range of the tick counter.
constexpr uint32_t kMaxTicksPerFrame = 0x7FFFFFFFu;

float TicksToSeconds(uint32_t ticks, uint32_t rate) {
    return static_cast<float>(static_cast<double>(ticks) / rate);
}

} // namespace

Tarrow::Tarrow() : log_listener_(std::make_unique<tr_LogFileListener>()) {
    instance_ = this;
    tr_FileManager::SetEngineNames(&company_name_, &game_name_);
}

Tarrow::~Tarrow() {
    if (instance_ == this) {
        instance_ = nullptr;
        tr_FileManager::SetEngineNames(nullptr, nullptr);
    }
}

bool Tarrow::Init(int /*x*/, int /*y*/, int width, int height, bool fullscreen,
                  const char* /*title*/) {
    gamma_ = 1.0f;
    frame_time_ = fixed_frame_time_ > 0.0f ? fixed_frame_time_ : 1.0f / 60.0f;
    if (!engine_core_created_) {
        engine_core_created_ = true;
        if (services_.create_engine_core) {
            services_.create_engine_core();
        }
    }
    return SetDisplayMode(width, height, fullscreen);
}

void Tarrow::Release() {
    if (engine_core_created_ && services_.release_engine_core) {
        services_.release_engine_core();
    }
    engine_core_created_ = false;
    renderer_.reset();
}

bool Tarrow::SetDisplayMode(int width, int height, bool fullscreen) {
    width_ = static_cast<float>(width);
    height_ = static_cast<float>(height);
    fullscreen_ = fullscreen;
    return true;
}

void Tarrow::RequestExit(int status, const std::string& reason) {
    if (exit_status_ == 0) {
        exit_status_ = status;
        exit_reason_ = reason;
    }
    RequestClose();
}

void Tarrow::SetFPS(float fps) {
    if (fps > 0.0f && std::isfinite(fps)) {
        frame_time_ = 1.0f / fps;
    }
}

float Tarrow::GetFPS() {
    return 1.0f / frame_time_;
}

void Tarrow::StartClock(tr_Platform& platform) {
    last_frame_ticks_ = platform.GetTicks();
    fps_window_start_ = last_frame_ticks_;
    fps_frame_count_ = 0;
    measured_fps_ = 0.0f;
}

void Tarrow::RunLoop(tr_Platform& platform) {
    RunInitHookOnce();
    for (;;) {
        // Every pending event is handled before a frame runs.
        const tr_PollResult polled = platform.PollEvent();
        if (polled == tr_PollResult::Quit) {
            return;
        }
        if (polled == tr_PollResult::Handled) {
            continue;
        }
        if (frame_limit_ != 0 && frames_run_ >= frame_limit_) {
            return;
        }
        const uint32_t rate = platform.GetTickRate();
        const uint32_t now = platform.GetTicks();
        const float elapsed = TicksToSeconds(now - last_frame_ticks_, rate);
        raw_elapsed_ = elapsed;
        if (elapsed < frame_time_) {
            platform.WaitUntil(last_frame_ticks_ + TicksPerFrame(rate));
            continue;
        }
        RunFrame(platform, now, elapsed);
    }
}

void Tarrow::RunFrame(tr_Platform& platform, uint32_t now, float elapsed) {
    const uint32_t rate = platform.GetTickRate();
    ++fps_frame_count_;
    const uint32_t window = now - fps_window_start_;
    if (window > rate / 4) {
        measured_fps_ = static_cast<float>(static_cast<double>(fps_frame_count_) * rate / window);
        fps_frame_count_ = 0;
        fps_window_start_ = now;
    }

    // A fixed frame time makes every frame advance the same game time, also
    // in a window where the real clock jitters, so that windowed runs (the
    // screenshots of tests) repeat exactly. It is the step the virtual clock
    // of the headless host takes, so headless runs are unchanged by it.
    if (fixed_frame_time_ > 0.0f) {
        elapsed = TicksToSeconds(TicksPerFrame(rate), rate);
        raw_elapsed_ = elapsed;
    }
    tr_FrameInfo frame;
    const float max_dt = 3.0f * frame_time_;
    frame.dt = elapsed > max_dt ? max_dt : elapsed;
    frame.raw_dt = raw_elapsed_;
    frame.time = TicksToSeconds(now, rate);
    last_frame_ticks_ = now;
    ++frames_run_;

    if (update_hook_) {
        update_hook_(&frame);
    }
    if (services_.update_frame) {
        services_.update_frame(&frame);
    }
    if (!renderer_) {
        return;
    }

    switch (platform.GetDeviceState()) {
    case tr_DeviceState::Lost:
        return;
    case tr_DeviceState::NeedsReset:
        if (!platform.ResetDevice()) {
            return;
        }
        NotifyModeChanged();
        break;
    case tr_DeviceState::Ready:
        break;
    }

    renderer_->BeginFrame();
    if (draw_hook_) {
        draw_hook_(renderer_.get());
    }
    if (services_.draw_cursor) {
        services_.draw_cursor(renderer_.get());
    }
    if (gamma_ != 1.0f) {
        renderer_->DrawBrightnessOverlay(gamma_);
    }
    renderer_->EndFrame();
    if (frame_drawn_) {
        frame_drawn_(*renderer_, frames_run_);
    }
    platform.Present();
}

uint32_t Tarrow::TicksPerFrame(uint32_t rate) const {
    const double wanted = std::ceil(static_cast<double>(frame_time_) * rate);
    if (!(wanted < kMaxTicksPerFrame)) {
        return kMaxTicksPerFrame;
    }
    // The due test compares a float of the elapsed seconds with the frame
    // time, so settle the count against that same comparison.
    uint32_t ticks = wanted < 1.0 ? 1u : static_cast<uint32_t>(wanted);
    while (ticks > 1 && TicksToSeconds(ticks - 1, rate) >= frame_time_) {
        --ticks;
    }
    while (TicksToSeconds(ticks, rate) < frame_time_) {
        ++ticks;
    }
    return ticks;
}

void Tarrow::CreateRenderer() {
    if (!renderer_ && renderer_factory_) {
        renderer_ = renderer_factory_();
        if (redraw_changed_only_) {
            renderer_ = tr_ChangedOnlyRender::Wrap(std::move(renderer_));
        }
    }
    if (renderer_) {
        renderer_->Init(width_, height_);
    }
}

void Tarrow::ResetRenderer() {
    if (renderer_) {
        renderer_->ReleaseDeviceObjects();
        renderer_->Init(width_, height_);
    }
}

void Tarrow::NotifyModeChanged() {
    if (mode_changed_hook_) {
        mode_changed_hook_();
    }
    if (services_.refresh_display) {
        services_.refresh_display();
    }
}

bool Tarrow::CreatePlatformObjectsOnce() {
    if (platform_objects_created_) {
        return false;
    }
    platform_objects_created_ = true;
    if (services_.create_platform_objects) {
        services_.create_platform_objects();
    }
    return true;
}

void Tarrow::ReleasePlatformObjects() {
    if (platform_objects_created_ && services_.release_platform_objects) {
        services_.release_platform_objects();
    }
    platform_objects_created_ = false;
    // The log's file manager; a later log line makes a new one.
    tr_FileManager::Destroy();
}

void Tarrow::RunInitHookOnce() {
    if (init_hook_done_) {
        return;
    }
    init_hook_done_ = true;
    if (init_hook_) {
        init_hook_();
    }
}

void Tarrow::DispatchInput(const tr_InputEvent& event) {
    if (input_hook_) {
        input_hook_(&event);
    }
}

bool Tarrow::PlayScriptedInput(tr_InputScriptPlayer& input, tr_PollResult& result) {
    tr_InputEvent event;
    switch (input.Next(GetFrameCount(), event)) {
    case tr_InputScriptPlayer::Step::None:
        return false;
    case tr_InputScriptPlayer::Step::Quit:
        result = tr_PollResult::Quit;
        return true;
    case tr_InputScriptPlayer::Step::FocusLost:
        CallDeactivateHook();
        break;
    case tr_InputScriptPlayer::Step::FocusGained:
        CallActivateHook();
        break;
    case tr_InputScriptPlayer::Step::Event:
        DispatchInput(event);
        if (event.type == TR_EVENT_MOUSE_LEAVE && services_.cursor_left_window)
            services_.cursor_left_window();
        break;
    }
    result = tr_PollResult::Handled;
    return true;
}

void Tarrow::CallActivateHook() {
    if (activate_hook_) {
        activate_hook_();
    }
}

void Tarrow::CallDeactivateHook() {
    if (deactivate_hook_) {
        deactivate_hook_();
    }
}

void Tarrow::CallShutdownHook() {
    if (shutdown_hook_) {
        shutdown_hook_(this);
    }
}

void Tarrow::HandleToggleFullscreenKey() {
    if (!toggle_fullscreen_hook_) {
        return;
    }
    const bool changed = toggle_fullscreen_hook_(!fullscreen_);
    tr_MediatorDataTable empty;
    tr_Mediator::SendIfAny(TR_MSG_TOGGLE_FULLSCREEN, empty);
    if (changed && mode_changed_hook_) {
        mode_changed_hook_();
    }
}
