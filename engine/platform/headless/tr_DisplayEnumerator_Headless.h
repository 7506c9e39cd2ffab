// tr_DisplayEnumerator_Headless: the display seam without a windowing system.
// It reports whatever devices it was given; by default one primary 1920x1080
// desktop with a few common modes, so automated runs choose a mode the same
// way on every machine.
#pragma once

#include "engine/core/tr_DisplayEnumerator.h"

#include <utility>

class tr_DisplayEnumerator_Headless : public tr_DisplayEnumerator {
public:
    tr_DisplayEnumerator_Headless();
    explicit tr_DisplayEnumerator_Headless(std::vector<tr_DisplayDevice> devices)
        : devices_(std::move(devices)) {}

    std::vector<tr_DisplayDevice> EnumerateDevices() override { return devices_; }

    // One attached primary device whose desktop and widest mode are
    // width x height, followed by the smaller modes given.
    static tr_DisplayDevice PrimaryDevice(int width, int height,
                                          std::vector<tr_DisplaySize> smaller_modes = {});

private:
    std::vector<tr_DisplayDevice> devices_;
};
