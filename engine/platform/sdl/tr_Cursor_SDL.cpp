#include "engine/platform/sdl/tr_Cursor_SDL.h"

#include "engine/core/tr_Log.h"

#include <SDL2/SDL.h>

tr_Cursor_SDL::~tr_Cursor_SDL() {
    // Once the video subsystem is gone SDL has freed every cursor itself.
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return;
    // Never leave the window without a pointer or SDL holding a freed cursor.
    SDL_SetCursor(SDL_GetDefaultCursor());
    SDL_ShowCursor(SDL_ENABLE);
    for (auto& entry : made_)
        SDL_FreeCursor(entry.second);
}

std::unique_ptr<tr_Cursor> tr_Cursor_SDL::CreateIfVideoRuns() {
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return nullptr;
    return std::make_unique<tr_Cursor_SDL>();
}

tr_SystemCursor tr_Cursor_SDL::LoadSystemCursor(int id) {
    SDL_SystemCursor which;
    switch (id) {
    case SYSTEM_CURSOR_ARROW:
        which = SDL_SYSTEM_CURSOR_ARROW;
        break;
    case SYSTEM_CURSOR_SIZE_ALL:
        which = SDL_SYSTEM_CURSOR_SIZEALL;
        break;
    case SYSTEM_CURSOR_HAND:
        which = SDL_SYSTEM_CURSOR_HAND;
        break;
    default:
        return 0;
    }
    auto found = made_.find(id);
    if (found != made_.end())
        return reinterpret_cast<tr_SystemCursor>(found->second);
    SDL_Cursor* cursor = SDL_CreateSystemCursor(which);
    if (!cursor) {
        tr_Log("Warning: system cursor %d could not be created: %s", id, SDL_GetError());
        return 0;
    }
    made_[id] = cursor;
    return reinterpret_cast<tr_SystemCursor>(cursor);
}

void tr_Cursor_SDL::ShowSystemCursor(tr_SystemCursor cursor) {
    if (cursor == shown_)
        return;
    const bool was_hidden = shown_ == 0;
    shown_ = cursor;
    if (cursor == 0) {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    SDL_SetCursor(reinterpret_cast<SDL_Cursor*>(cursor));
    if (was_hidden)
        SDL_ShowCursor(SDL_ENABLE);
}
