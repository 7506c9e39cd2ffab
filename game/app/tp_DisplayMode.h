// tp_DisplayMode: one display mode of the game (back-buffer size, full screen
// and wide layout) with the placement of the 1024x768 design area in it.
// Computed by tp_DisplayModeSelection, never stored in a file. The mode the
// window currently runs in is one process-wide value (GetCurrent /
// SetCurrent), which the application keeps up to date.
#pragma once

#include <cstdint>

struct tp_DisplayMode {
    // What switching from one mode to another takes.
    enum class Change {
        None,       // same size, same flags: nothing to do
        LayoutOnly, // same size and full-screen flag, other layout: refresh only
        Resize,     // size or full-screen flag differ: the window changes
    };

    int32_t width = 1024;
    int32_t height = 768;
    bool fullscreen = false;
    bool widescreen = false;
    // Pixel position of the design area's origin.
    float offset_x = 0.0f;
    float offset_y = 0.0f;
    // Pixels per design unit.
    float scale_x = 1.0f;
    float scale_y = 1.0f;

    Change ChangeTo(const tp_DisplayMode& next) const;

    static const tp_DisplayMode& GetCurrent();
    static void SetCurrent(const tp_DisplayMode& mode);
};
