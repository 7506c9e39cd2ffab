#include "engine/platform/sdl/tr_CopyPresenter_SDL.h"

#include <SDL2/SDL_syswm.h>
#include <epoxy/glx.h>

#include <algorithm>

bool tr_CopyPresenter_SDL::Attach(SDL_Window* window) {
    Detach();
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    Display* display = info.info.x11.display;
    // SDL may drive an X11 window through EGL; only a GLX context current
    // on this very window can be copied from.
    if (!display || !glXGetCurrentContext() || glXGetCurrentDrawable() != info.info.x11.window ||
        !epoxy_has_glx_extension(display, DefaultScreen(display), "GLX_MESA_copy_sub_buffer"))
        return false;
    window_ = window;
    display_ = display;
    drawable_ = info.info.x11.window;
    whole_pending_ = true;
    return true;
}

void tr_CopyPresenter_SDL::Detach() {
    window_ = nullptr;
    display_ = nullptr;
    drawable_ = 0;
}

void tr_CopyPresenter_SDL::Present(const tr_ScreenChanges& changes, int width, int height) {
    if (!display_ || width <= 0 || height <= 0)
        return;
    // Each copy flushes the context first, so all the frame drew is in it.
    if (whole_pending_ || changes.whole) {
        Copy({0, 0, width, height}, width, height);
        whole_pending_ = false;
        return;
    }
    for (const auto& area : changes.areas)
        Copy(area, width, height);
}

void tr_CopyPresenter_SDL::Copy(const std::array<int, 4>& area, int width, int height) const {
    // Areas may reach past the picture; GLX counts rows from the bottom. A
    // window manager may also have made the window smaller than the
    // picture, and a copy reaching past the drawable is an X error that
    // ends the program: what lies outside it is not shown anyway.
    int drawable_width = 0;
    int drawable_height = 0;
    SDL_GL_GetDrawableSize(window_, &drawable_width, &drawable_height);
    const int left = std::max(0, area[0]);
    const int right = std::min({width, area[0] + area[2], drawable_width});
    const int low = std::max(0, height - std::min(height, area[1] + area[3]));
    const int high = std::min(height - std::max(0, area[1]), drawable_height);
    if (right <= left || high <= low)
        return;
    glXCopySubBufferMESA(static_cast<Display*>(display_), drawable_, left, low, right - left,
                         high - low);
}
