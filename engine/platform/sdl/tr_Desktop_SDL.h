// tr_Desktop_SDL: the desktop seam on SDL2; web addresses go to SDL_OpenURL,
// which hands them to the desktop's default handler (xdg-open on Linux).
#pragma once

#include "engine/core/tr_Desktop.h"

class tr_Desktop_SDL : public tr_Desktop {
public:
    // False (with an error line) when SDL could not pass the address on.
    bool OpenUrl(const std::string& url) override;
};
