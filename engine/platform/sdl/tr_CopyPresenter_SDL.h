// tr_CopyPresenter_SDL: shows frames in an SDL window on X11 by copying the
// areas a frame changed from the back buffer into the window
// (GLX_MESA_copy_sub_buffer) instead of swapping buffers. The back buffer is
// then never swapped away and keeps the whole picture from one frame to the
// next, so a renderer drawing only what changed needs no copy of its own and
// a frame costs in proportion to what it changed.
//
// Owned by Tarrow_SDL next to its window and GL context: Attach once the
// context is current, Detach before the context goes. Where the window is
// not on X11 or its GLX lacks the extension, Attach fails and the host swaps
// as usual.
#pragma once

#include "engine/render/tr_ScreenChanges.h"

#include <SDL2/SDL.h>

#include <array>

class tr_CopyPresenter_SDL {
public:
    // Whether window, whose GL context is current, can be shown this way.
    bool Attach(SDL_Window* window);
    void Detach();
    bool IsAttached() const { return display_ != nullptr; }
    // What the window shows may be lost or stale (it was exposed, resized,
    // or the device was reset): the next Present shows the whole picture.
    void InvalidateWindow() { whole_pending_ = true; }
    // Copies what changes names from a back buffer of width x height into
    // the window; nothing when nothing changed and the window is intact.
    void Present(const tr_ScreenChanges& changes, int width, int height);

private:
    // Copies area (from the top left of a picture width x height, clipped to
    // it and to the drawable) into the window.
    void Copy(const std::array<int, 4>& area, int width, int height) const;

    SDL_Window* window_ = nullptr;
    // Display* and GLXDrawable: X11's headers stay out of this header,
    // since their macros (None, Status, ...) clash with the engine's names.
    void* display_ = nullptr;
    unsigned long drawable_ = 0;
    bool whole_pending_ = true;
};
