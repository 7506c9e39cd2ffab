#include "engine/platform/sdl/tr_Desktop_SDL.h"

#include "engine/core/tr_Log.h"

#include <SDL2/SDL.h>

bool tr_Desktop_SDL::OpenUrl(const std::string& url) {
    if (url.empty()) {
        return false;
    }
    if (SDL_OpenURL(url.c_str()) != 0) {
        tr_Log("Error: could not open \"%s\": %s", url.c_str(), SDL_GetError());
        return false;
    }
    return true;
}
