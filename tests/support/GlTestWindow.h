// GlTestWindow: a hidden-away SDL window with a current OpenGL 3.3 core
// context for tests that draw through the GL renderer (Xvfb in the test run).
// Test suites open one in SetUpTestSuite and close it in TearDownTestSuite;
// IsOpen() is false when the machine offers no such context.
#pragma once

#include <SDL.h>

#include <cstdlib>

class GlTestWindow {
public:
    bool Open(const char* title, int width, int height) {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        if (SDL_Init(SDL_INIT_VIDEO) != 0)
            return false;
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
        window_ = SDL_CreateWindow(title, 0, 0, width, height, SDL_WINDOW_OPENGL);
        if (window_)
            context_ = SDL_GL_CreateContext(window_);
        return IsOpen();
    }

    // No SDL_Quit: it unloads the GL driver, and the leak checker can then no
    // longer tell the driver's own leftovers from ours.
    void Close() {
        if (context_)
            SDL_GL_DeleteContext(context_);
        if (window_)
            SDL_DestroyWindow(window_);
        context_ = nullptr;
        window_ = nullptr;
    }

    bool IsOpen() const { return context_ != nullptr; }
    void MakeCurrent() const { SDL_GL_MakeCurrent(window_, context_); }
    SDL_Window* GetWindow() const { return window_; }

private:
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
};
