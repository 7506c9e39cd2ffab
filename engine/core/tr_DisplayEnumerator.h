// tr_DisplayEnumerator: what the game needs to know about the displays before
// it opens its window (the desktop size of the primary display and the modes
// it supports), behind a seam so the game never talks to the windowing
// system itself and tests can describe any monitor they like.
//
// One instance exists per process once a host installs one (the SDL back end
// or its headless twin); Get() is null before that, and callers then fall
// back to a plain 1024x768 window. Install takes ownership; Destroy deletes
// the instance at shutdown.
#pragma once

#include "engine/core/tr_InstalledService.h"

#include <vector>

struct tr_DisplaySize {
    int width = 0;
    int height = 0;
};

struct tr_DisplayDevice {
    bool attached_to_desktop = false;
    bool primary = false;
    // The mode the desktop runs in now.
    tr_DisplaySize current;
    // Every mode the device offers, in the order the system lists them.
    std::vector<tr_DisplaySize> modes;
};

class tr_DisplayEnumerator : public tr_InstalledService<tr_DisplayEnumerator> {
public:
    tr_DisplayEnumerator() = default;
    tr_DisplayEnumerator(const tr_DisplayEnumerator&) = delete;
    tr_DisplayEnumerator& operator=(const tr_DisplayEnumerator&) = delete;
    virtual ~tr_DisplayEnumerator() = default;

    // Every display device the system knows; empty when none can be queried.
    virtual std::vector<tr_DisplayDevice> EnumerateDevices() = 0;
};
