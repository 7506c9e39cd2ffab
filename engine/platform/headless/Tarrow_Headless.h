// Tarrow_Headless: the engine without a window, for tests and automation.
// Time is virtual: every frame advances the clock by exactly the frame time
// and nothing waits. Input comes from a script (tr_InputScript), delivered
// before the update of the frame it names; Run ends at a "quit" entry, at
// the engine's frame limit or after RequestClose. Draws through the null
// renderer unless another renderer factory is installed; the device is
// always ready.
#pragma once

#include "engine/core/tr_Platform.h"
#include "engine/host/Tarrow.h"
#include "engine/host/tr_InputScriptPlayer.h"

#include <vector>

class Tarrow_Headless : public Tarrow, private tr_Platform {
public:
    Tarrow_Headless();

    bool Init(int x, int y, int width, int height, bool fullscreen, const char* title) override;
    void Release() override;
    // After Init it also re-sizes the renderer, then calls the mode changed
    // hook and refreshes the display, as a windowed host does.
    bool SetDisplayMode(int width, int height, bool fullscreen) override;
    void Run() override;
    float GetFPS() override { return GetMeasuredFPS(); }
    void RequestClose() override { close_requested_ = true; }

    void SetInput(std::vector<tr_ScriptedInput> events);

private:
    tr_PollResult PollEvent() override;
    uint32_t GetTicks() override { return clock_; }
    // Microseconds: fine enough that the virtual frame is within a
    // microsecond of the frame time.
    uint32_t GetTickRate() const override { return 1000000; }
    // Nothing waits: the virtual clock jumps to the moment the frame is due.
    void WaitUntil(uint32_t ticks) override { clock_ = ticks; }
    tr_DeviceState GetDeviceState() override { return tr_DeviceState::Ready; }
    bool ResetDevice() override;
    void Present() override {}

    bool initialized_ = false;
    uint32_t clock_ = 0;
    tr_InputScriptPlayer input_;
    bool close_requested_ = false;
};
