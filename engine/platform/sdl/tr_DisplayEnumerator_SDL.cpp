#include "engine/platform/sdl/tr_DisplayEnumerator_SDL.h"

#include "engine/core/tr_Log.h"

#include <SDL2/SDL.h>

tr_DisplayEnumerator_SDL::~tr_DisplayEnumerator_SDL() {
    if (video_started_) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

std::vector<tr_DisplayDevice> tr_DisplayEnumerator_SDL::EnumerateDevices() {
    std::vector<tr_DisplayDevice> devices;
    if (!video_started_) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            tr_Log("Error: could not query the displays: %s", SDL_GetError());
            return devices;
        }
        video_started_ = true;
    }
    const int count = SDL_GetNumVideoDisplays();
    for (int display = 0; display < count; ++display) {
        SDL_DisplayMode mode;
        if (SDL_GetDesktopDisplayMode(display, &mode) != 0) {
            continue;
        }
        tr_DisplayDevice device;
        device.attached_to_desktop = true;
        device.primary = display == 0;
        device.current = {mode.w, mode.h};
        const int mode_count = SDL_GetNumDisplayModes(display);
        for (int index = 0; index < mode_count; ++index) {
            if (SDL_GetDisplayMode(display, index, &mode) == 0) {
                device.modes.push_back({mode.w, mode.h});
            }
        }
        devices.push_back(std::move(device));
    }
    return devices;
}
