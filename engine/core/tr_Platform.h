// tr_Platform: the few host operations the frame loop needs (one event, a
// wrapping tick counter, a wait, the graphics device's state, present). Each
// host (SDL window, headless automation, test fakes) implements it and hands
// itself to Tarrow::RunLoop, so the loop itself exists once and knows no
// platform. Pure interface: nothing is owned through it.
#pragma once

#include <cstdint>

enum class tr_PollResult {
    None,    // nothing was pending
    Handled, // one event was handled (the input and window hooks may have run)
    Quit,    // the window closed or a close was requested: the loop ends
};

enum class tr_DeviceState {
    Ready,      // draw as usual
    Lost,       // cannot draw and cannot be reset yet: skip drawing this frame
    NeedsReset, // can be reset now: reset, then draw
};

class tr_Platform {
public:
    virtual ~tr_Platform() = default;

    // Handles at most one pending event without waiting.
    virtual tr_PollResult PollEvent() = 0;
    // A monotonic counter that wraps like an unsigned 32-bit value.
    virtual uint32_t GetTicks() = 0;
    // Counter steps per second (1000 for a millisecond timer).
    virtual uint32_t GetTickRate() const = 0;
    // Blocks until GetTicks() reaches ticks (compared with wrap-around) or an
    // event arrives, whichever is first; returning early is allowed.
    virtual void WaitUntil(uint32_t ticks) = 0;

    virtual tr_DeviceState GetDeviceState() = 0;
    // Re-creates what depends on the back buffer; false leaves the device in
    // the needs-reset state and the loop tries again next frame.
    virtual bool ResetDevice() = 0;
    virtual void Present() = 0;
};
