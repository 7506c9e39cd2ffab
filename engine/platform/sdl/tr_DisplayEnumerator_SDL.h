// tr_DisplayEnumerator_SDL: the display seam on SDL2. SDL lists the primary
// display first and every display it lists is part of the desktop, so
// display 0 is reported as the primary device. Each device's current mode is
// its desktop mode; its modes come in SDL's order (widest first).
//
// Keeps SDL's video subsystem started from the first query until it is
// destroyed, so the window the host opens next does not start it again.
#pragma once

#include "engine/core/tr_DisplayEnumerator.h"

class tr_DisplayEnumerator_SDL : public tr_DisplayEnumerator {
public:
    tr_DisplayEnumerator_SDL() = default;
    ~tr_DisplayEnumerator_SDL() override;

    // Empty (with an error line) when SDL's video subsystem cannot start.
    std::vector<tr_DisplayDevice> EnumerateDevices() override;

private:
    bool video_started_ = false;
};
