// tp_Layout: how the game's design space (1024x768 units, widened by 171
// units on each side to 1366 in the wide layout) sits in the window. Pure
// functions of a display mode, used by the application object for its own
// transform, its crop rectangle and the layout width it reports to scripts.
#pragma once

#include "engine/render/tr_Matrix.h"
#include "engine/render/tr_Rect.h"

struct tp_DisplayMode;

class tp_Layout {
public:
    static constexpr float kDesignWidth = 1024.0f;
    static constexpr float kDesignHeight = 768.0f;
    static constexpr float kWideMargin = 171.0f;
    static constexpr float kWideWidth = kDesignWidth + 2.0f * kWideMargin;

    // The visible part of the design space: x -171, 1366 wide in the wide
    // layout, else the 1024x768 design area.
    static tr_Rect CropRect(bool widescreen);

    // Design units to pixels: scale by the mode's scales, then move to its
    // offsets.
    static tr_Matrix Transform(const tp_DisplayMode& mode);

    // The usable layout width in design units: 1366 or 1024, or less when the
    // window (window_width pixels) is narrower than that by more than 2 pixels
    // at scale_x pixels per unit.
    static float LayoutWidth(bool widescreen, float window_width, float scale_x);

    // A window pixel in design units (the cursor for scripts); the point is
    // left as it is when the mode has a zero scale.
    static void PixelToDesign(const tp_DisplayMode& mode, float& x, float& y);
};
