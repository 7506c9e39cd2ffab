// tp_DisplayModeSelection: chooses the window size and layout for a requested
// full-screen / wide-layout pair from what the primary display offers. The
// displays are read through the tr_DisplayEnumerator seam; the choice itself
// (Choose) is a pure function of the request and the desktop, so every rule
// can be checked with any monitor.
//
// The rules: a desktop less than 768 high, or narrower than 1024 when the
// wide layout is wanted, forces full screen; a desktop at most 1366 wide
// drops the wide layout in a window unless it is short (at most 800 high) and
// at least 1068 wide; short desktops get a 1068x600 or 800x600 window. The
// design area is scaled to the height and centred; in the wide layout its
// width follows the monitor's shape in full screen and the desktop's pixels
// in a window (so a 1366x768 window on a 16:9 desktop is drawn pixel for
// pixel).
#pragma once

#include "game/app/tp_DisplayMode.h"

#include <vector>

class tr_DisplayEnumerator;
struct tr_DisplayDevice;

class tp_DisplayModeSelection {
public:
    // The primary display as the selection sees it.
    struct Desktop {
        bool known = false;
        int width = 0;
        int height = 0;
        // Width over height of the display's widest mode when wider than 4:3.
        float monitor_ratio = 4.0f / 3.0f;
    };

    // The desktop of the attached primary device and the ratio of its first
    // widest mode; unknown when there is no such device or its size is not
    // positive.
    static Desktop FindDesktop(const std::vector<tr_DisplayDevice>& devices);

    // The mode for the request on desktop, logged as "Display mode: ...". An
    // unknown desktop gives a 1024x768 window with the normal layout, which
    // any display can show.
    static tp_DisplayMode Choose(bool fullscreen, bool widescreen, const Desktop& desktop);

    // Choose on the desktop enumerator reports (tr_DisplayEnumerator::Get()
    // when null; no enumerator at all means an unknown desktop). The desktop
    // used is stored in *desktop when given.
    static tp_DisplayMode Select(bool fullscreen, bool widescreen,
                                 tr_DisplayEnumerator* enumerator = nullptr,
                                 Desktop* desktop = nullptr);
};
