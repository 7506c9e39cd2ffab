#include "BenchWindow.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <cstdio>
#include <cstdlib>

BenchWindow::~BenchWindow() {
    if (context_)
        SDL_GL_DeleteContext(context_);
    if (window_)
        SDL_DestroyWindow(window_);
    if (video_)
        SDL_Quit();
}

bool BenchWindow::Open(const char* title) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL_Init failed: %s\n", SDL_GetError());
        return false;
    }
    video_ = true;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    window_ = SDL_CreateWindow(title, 0, 0, kWidth, kHeight, SDL_WINDOW_OPENGL);
    context_ = window_ ? SDL_GL_CreateContext(window_) : nullptr;
    if (!context_) {
        std::fprintf(stderr, "no GL 3.3 core context: %s\n", SDL_GetError());
        return false;
    }
    SDL_GL_SetSwapInterval(0);
    std::printf("GL renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    return true;
}

void BenchWindow::Swap() {
    SDL_GL_SwapWindow(window_);
}
