// Tarrow_SDL: the engine on an SDL2 window with an OpenGL 3.3 core context.
// It creates and places the one window, switches between windowed and
// desktop-full-screen mode, turns SDL events into the engine's input events
// and hook calls (Windows virtual keys, UTF-16 characters, Alt+Enter, F10,
// focus and mouse-leave handling), and runs the shared frame loop with a
// millisecond timer, sleeping until each frame is due.
//
// Given an input script (automation: screenshots of a scripted game), the
// window plays it as the headless host does: on a virtual clock that moves by
// the frame time every frame and never waits, with the script's events before
// the frame they name; the real mouse and keyboard are then ignored, window
// events still count. Such a run may show only the frames it needs (those it
// takes screenshots of): the others are drawn as usual, since drawing loads
// pictures and sizes objects, but with the screen's pixels discarded.
//
// On X11 with GLX_MESA_copy_sub_buffer a frame is shown by copying only the
// areas it changed from the back buffer into the window (tr_CopyPresenter_SDL),
// and the renderer keeps its picture in the never swapped back buffer;
// elsewhere, or when told to swap, buffers are swapped.
//
// Owns the window and the GL context; the GL renderer (made through the
// engine's renderer factory once the context exists) lives only while the
// context does. Without a usable context the engine keeps running and draws
// nothing. Destroying it without Release releases first.
#pragma once

#include "engine/core/tr_Platform.h"
#include "engine/host/Tarrow.h"
#include "engine/host/tr_InputScriptPlayer.h"
#include "engine/platform/sdl/tr_CopyPresenter_SDL.h"
#include "engine/render/tr_ScreenChanges.h"

#include <SDL2/SDL.h>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class Tarrow_SDL : public Tarrow, private tr_Platform {
public:
    Tarrow_SDL();
    ~Tarrow_SDL() override;

    // False when the window or the GL context cannot be created; a later
    // call (another mode) tries again.
    bool Init(int x, int y, int width, int height, bool fullscreen, const char* title) override;
    void Release() override;
    // On a live window: changes the window, re-sizes what depends on the
    // back buffer, then calls the mode changed hook and refreshes the
    // display. False when the window could not take the mode.
    bool SetDisplayMode(int width, int height, bool fullscreen) override;
    void Run() override;
    float GetFPS() override { return GetMeasuredFPS(); }
    void RequestClose() override;

    // Before Init: a non-empty script drives the window on the virtual clock.
    void SetInput(std::vector<tr_ScriptedInput> events);
    // With a script: which frames (numbered as the frame-drawn callback's)
    // reach the screen's pixels; empty shows them all.
    void SetShownFrames(std::function<bool(uint64_t frame)> shown) { shown_ = std::move(shown); }

    // Before Init: false always swaps buffers, even where copying changed
    // areas into the window is possible.
    void SetPresentByCopy(bool allowed) { copy_allowed_ = allowed; }
    // Whether frames are shown by copying changed areas (known once the
    // context exists).
    bool IsPresentingByCopy() const { return presenter_.IsAttached(); }

    SDL_Window* GetWindow() const { return window_; }
    bool HasContext() const { return context_ != nullptr; }

private:
    tr_PollResult PollEvent() override;
    uint32_t GetTicks() override { return scripted() ? clock_ : SDL_GetTicks(); }
    // The virtual clock counts microseconds, as the headless host's does.
    uint32_t GetTickRate() const override { return scripted() ? 1000000 : 1000; }
    void WaitUntil(uint32_t ticks) override;
    tr_DeviceState GetDeviceState() override;
    bool ResetDevice() override;
    void Present() override;

    bool CreateWindow(int width, int height, bool fullscreen, const char* title);
    bool CreateContext();
    // Makes the renderer and tells it where its picture is kept.
    void StartRenderer();
    bool ApplyWindowMode(int width, int height, bool fullscreen);
    void CheckDrawableSize();
    void DestroyWindow();

    bool scripted() const { return !input_.IsEmpty(); }
    void HandleEvent(const SDL_Event& event);
    void HandleKeyDown(const SDL_KeyboardEvent& key);
    void HandleKeyUp(const SDL_KeyboardEvent& key);
    void HandleText(const char* text);
    void HandleWindowEvent(const SDL_WindowEvent& window);
    void HandleMouse(int type, int x, int y);
    void Deliver(int type, int key, int character, float x, float y);
    void SetActive(bool active);

    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    bool video_started_ = false;
    bool active_ = true;
    float last_mouse_x_ = 0.0f;
    float last_mouse_y_ = 0.0f;
    tr_InputScriptPlayer input_;
    uint32_t clock_ = 0;
    std::function<bool(uint64_t)> shown_;
    bool copy_allowed_ = true;
    tr_CopyPresenter_SDL presenter_;
    tr_ScreenChanges changes_;
};
