#include "game/app/tp_DisplayModeSelection.h"

#include "engine/core/tr_DisplayEnumerator.h"
#include "engine/core/tr_Log.h"

namespace {

const float kNormalRatio = 4.0f / 3.0f;
const int kDesignWidth = 1024;
const int kDesignHeight = 768;
const int kWideWidth = 1366;
const int kShortDesktopHeight = 800;
const int kShortWideWidth = 1068;
const int kShortWidth = 800;
const int kShortHeight = 600;

} // namespace

tp_DisplayModeSelection::Desktop
tp_DisplayModeSelection::FindDesktop(const std::vector<tr_DisplayDevice>& devices) {
    Desktop desktop;
    for (const tr_DisplayDevice& device : devices) {
        if (!device.attached_to_desktop || !device.primary) {
            continue;
        }
        desktop.width = device.current.width;
        desktop.height = device.current.height;
        tr_DisplaySize widest;
        for (const tr_DisplaySize& mode : device.modes) {
            if (mode.width > widest.width) {
                widest = mode;
            }
        }
        desktop.monitor_ratio = kNormalRatio;
        // A mode without a height says nothing about the monitor's shape.
        if (widest.height > 0) {
            const float ratio =
                static_cast<float>(widest.width) / static_cast<float>(widest.height);
            if (ratio > kNormalRatio) {
                desktop.monitor_ratio = ratio;
            }
        }
    }
    desktop.known = desktop.width > 0 && desktop.height > 0;
    return desktop;
}

tp_DisplayMode tp_DisplayModeSelection::Choose(bool fullscreen, bool widescreen,
                                               const Desktop& desktop) {
    tp_DisplayMode mode;
    mode.fullscreen = fullscreen;
    mode.widescreen = widescreen;
    float ratio = desktop.monitor_ratio;
    if (!desktop.known) {
        // Full screen at a made-up desktop size would not match the real
        // screen; a 1024x768 window fits every display worth playing on.
        tr_Log("Warning: no primary display found; using a %dx%d window.", kDesignWidth,
               kDesignHeight);
        mode.fullscreen = false;
        mode.widescreen = false;
        ratio = kNormalRatio;
    } else {
        bool short_desktop = false;
        if (!mode.fullscreen) {
            if (desktop.height < kDesignHeight) {
                mode.fullscreen = true;
            } else {
                short_desktop = desktop.height <= kShortDesktopHeight;
            }
        }
        if (!mode.fullscreen && mode.widescreen) {
            if (desktop.width < kDesignWidth) {
                mode.fullscreen = true;
            } else if (desktop.width <= kWideWidth &&
                       !(short_desktop && desktop.width >= kShortWideWidth)) {
                mode.widescreen = false;
            }
        }
        if (mode.fullscreen) {
            mode.width = desktop.width;
            mode.height = desktop.height;
        } else if (short_desktop) {
            mode.width = mode.widescreen ? kShortWideWidth : kShortWidth;
            mode.height = kShortHeight;
        } else {
            mode.width = mode.widescreen ? kWideWidth : kDesignWidth;
            mode.height = kDesignHeight;
        }
    }
    const float width = static_cast<float>(mode.width);
    const float height = static_cast<float>(mode.height);
    mode.scale_y = height / static_cast<float>(kDesignHeight);
    if (!mode.widescreen) {
        mode.scale_x = width / static_cast<float>(kDesignWidth);
    } else if (mode.fullscreen) {
        // The whole monitor shows the wide area: its shape, not the pixel
        // grid's, decides how wide a design unit is.
        mode.scale_x = width / (static_cast<float>(kDesignHeight) * ratio);
    } else {
        // A window's pixels are the desktop's, as wide as the monitor's
        // shape makes them against the desktop's own (one on every usual
        // desktop): the wide design area then maps pixel for pixel instead
        // of being stretched to the monitor's shape.
        const float desktop_ratio =
            static_cast<float>(desktop.width) / static_cast<float>(desktop.height);
        mode.scale_x = mode.scale_y * desktop_ratio / ratio;
    }
    mode.offset_x = (width - static_cast<float>(kDesignWidth) * mode.scale_x) / 2.0f;
    mode.offset_y = (height - static_cast<float>(kDesignHeight) * mode.scale_y) / 2.0f;
    tr_Log("Display mode: %dx%d, fullscreen=%d, widescreen=%d.", mode.width, mode.height,
           mode.fullscreen ? 1 : 0, mode.widescreen ? 1 : 0);
    return mode;
}

tp_DisplayMode tp_DisplayModeSelection::Select(bool fullscreen, bool widescreen,
                                               tr_DisplayEnumerator* enumerator, Desktop* desktop) {
    if (enumerator == nullptr) {
        enumerator = tr_DisplayEnumerator::Get();
    }
    Desktop found;
    if (enumerator != nullptr) {
        found = FindDesktop(enumerator->EnumerateDevices());
    }
    if (desktop != nullptr) {
        *desktop = found;
    }
    return Choose(fullscreen, widescreen, found);
}
