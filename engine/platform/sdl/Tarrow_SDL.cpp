#include "engine/platform/sdl/Tarrow_SDL.h"

#include "engine/core/tr_Backends.h"
#include "engine/core/tr_InputEvent.h"
#include "engine/core/tr_Log.h"
#include "engine/platform/sdl/tr_AudioBackend_SDL.h"
#include "engine/platform/sdl/tr_KeyTranslator_SDL.h"
#include "engine/render/tr_Render.h"
#include "engine/resources/files/tr_ContentPath.h"
#include "engine/resources/images/tr_PngDecoder.h"
#include "engine/resources/media/tr_SoundHub.h"

#include <string>
#include <utility>

namespace {

constexpr int kVirtualKeyF10 = 0x79;

// The window icon, when the game ships one (8-bit RGBA PNG).
const char* const kIconPath = "assets/icon.png";

bool IsAltKey(SDL_Keycode key) {
    return key == SDLK_LALT || key == SDLK_RALT;
}

void SetWindowIcon(SDL_Window* window) {
    if (!tr_ContentPath::Exists(kIconPath)) {
        return;
    }
    tr_DecodedImage icon;
    if (!tr_PngDecoder::Decode(tr_ContentPath::Resolve(kIconPath), icon)) {
        return;
    }
    // Decoded pixels are blue, green, red, alpha in memory.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        icon.pixels.data(), icon.width, icon.height, 32, icon.width * 4, SDL_PIXELFORMAT_BGRA32);
    if (surface) {
        SDL_SetWindowIcon(window, surface);
        SDL_FreeSurface(surface);
    }
}

void SetContextAttributes() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, 0);
}

} // namespace

Tarrow_SDL::Tarrow_SDL() {
    SetRendererFactory([] { return tr_Backends::MakeRenderer("gl"); });
}

// The renderer and the scene's textures must go before the context does.
Tarrow_SDL::~Tarrow_SDL() {
    Release();
}

bool Tarrow_SDL::Init(int x, int y, int width, int height, bool fullscreen, const char* title) {
    if (!window_ && !CreateWindow(width, height, fullscreen, title)) {
        tr_Log("Error: could not create the window: %s", SDL_GetError());
        return false;
    }
    // The base Init sets the display mode, which makes the context and the
    // renderer.
    const bool ready = Tarrow::Init(x, y, width, height, fullscreen, title);
    if (CreatePlatformObjectsOnce()) {
        // The audio output plays into the sound hub the services made.
        if (tr_SoundHub* hub = tr_SoundHub::Get()) {
            hub->InitOutput(tr_AudioBackend_SDL::Create());
        }
    }
    if (ready) {
        RunInitHookOnce();
    }
    StartClock(*this);
    return ready;
}

void Tarrow_SDL::Release() {
    if (IsStarted()) {
        CallShutdownHook();
        ReleasePlatformObjects();
        // Textures held by the scene and the renderer's own objects are GL
        // objects: they go while the context is still current.
        Tarrow::Release();
    }
    DestroyWindow();
}

bool Tarrow_SDL::SetDisplayMode(int width, int height, bool fullscreen) {
    if (!window_) {
        return Tarrow::SetDisplayMode(width, height, fullscreen);
    }
    if (!context_) {
        // The first mode: the context is made for it.
        Tarrow::SetDisplayMode(width, height, fullscreen);
        if (!ApplyWindowMode(width, height, fullscreen)) {
            tr_Log("Error: could not set the display mode %dx%d: %s", width, height,
                   SDL_GetError());
            return false;
        }
        if (!CreateContext()) {
            return false;
        }
        StartRenderer();
        return true;
    }
    const int old_width = static_cast<int>(GetWidth());
    const int old_height = static_cast<int>(GetHeight());
    const bool old_fullscreen = IsFullscreen();
    if (!ApplyWindowMode(width, height, fullscreen)) {
        tr_Log("Error: could not change the display mode to %dx%d: %s", width, height,
               SDL_GetError());
        ApplyWindowMode(old_width, old_height, old_fullscreen);
        return false;
    }
    Tarrow::SetDisplayMode(width, height, fullscreen);
    ResetDevice();
    NotifyModeChanged();
    return true;
}

void Tarrow_SDL::Run() {
    if (!window_) {
        tr_Log("Error: there is no window to run in.");
        return;
    }
    RunLoop(*this);
}

void Tarrow_SDL::RequestClose() {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}

void Tarrow_SDL::SetInput(std::vector<tr_ScriptedInput> events) {
    input_.SetEvents(std::move(events));
}

tr_PollResult Tarrow_SDL::PollEvent() {
    tr_PollResult scripted_result = tr_PollResult::None;
    if (scripted() && PlayScriptedInput(input_, scripted_result)) {
        return scripted_result;
    }
    SDL_Event event;
    if (!SDL_PollEvent(&event)) {
        return tr_PollResult::None;
    }
    if (event.type == SDL_QUIT) {
        return tr_PollResult::Quit;
    }
    HandleEvent(event);
    return tr_PollResult::Handled;
}

void Tarrow_SDL::WaitUntil(uint32_t ticks) {
    if (scripted()) {
        clock_ = ticks;
        return;
    }
    const int32_t remaining = static_cast<int32_t>(ticks - SDL_GetTicks());
    if (remaining > 0) {
        // Wakes early for an event, which the loop then handles at once.
        SDL_WaitEventTimeout(nullptr, remaining);
    }
}

// The loop asks just before drawing a frame, whose number is already
// counted: the moment to decide whether its pixels are shown.
tr_DeviceState Tarrow_SDL::GetDeviceState() {
    if (scripted() && shown_) {
        if (tr_Render* render = GetRender()) {
            render->SetScreenDiscarded(!shown_(GetFrameCount()));
        }
    }
    return tr_DeviceState::Ready;
}

bool Tarrow_SDL::ResetDevice() {
    // A GL context is never lost; only what depends on the back-buffer size
    // is made again.
    if (presenter_.IsAttached()) {
        // A driver may look at the window's size only when buffers are
        // swapped: one swap makes it size the back buffer to the window
        // before the next draw. What it shows meanwhile is the picture the
        // window has (the back buffer holds what was copied from it).
        SDL_GL_SwapWindow(window_);
    }
    ResetRenderer();
    CheckDrawableSize();
    presenter_.InvalidateWindow();
    return true;
}

void Tarrow_SDL::Present() {
    tr_Render* render = GetRender();
    if (presenter_.IsAttached() && render && render->GetScreenChanges(changes_)) {
        presenter_.Present(changes_, static_cast<int>(render->GetScreenWidth()),
                           static_cast<int>(render->GetScreenHeight()));
        return;
    }
    SDL_GL_SwapWindow(window_);
}

bool Tarrow_SDL::CreateWindow(int width, int height, bool fullscreen, const char* title) {
    if (!video_started_) {
        // Windows never reports the mouse outside the client area while a
        // button is held; SDL's capture would.
        SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            return false;
        }
        video_started_ = true;
    }
    SetContextAttributes();
    const std::string name = tr_KeyTranslator_SDL::SanitizeUtf8(title);
    const Uint32 mode_flags = SDL_WINDOW_SHOWN | (fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    window_ = SDL_CreateWindow(name.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                               height, mode_flags | SDL_WINDOW_OPENGL);
    if (!window_) {
        // No OpenGL at all: keep a plain window so the game still runs and
        // takes input; the context creation then reports the device error.
        tr_Log("Error: could not open an OpenGL window: %s", SDL_GetError());
        window_ = SDL_CreateWindow(name.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                   width, height, mode_flags);
    }
    if (!window_) {
        return false;
    }
    SetWindowIcon(window_);
    SDL_StartTextInput();
    active_ = true;
    return true;
}

bool Tarrow_SDL::CreateContext() {
    context_ = SDL_GL_CreateContext(window_);
    if (!context_) {
        tr_Log("Error: could not create the OpenGL 3.3 context: %s", SDL_GetError());
        return false;
    }
    // Presents never wait for the vertical retrace; the loop paces frames.
    SDL_GL_SetSwapInterval(0);
    CheckDrawableSize();
    if (copy_allowed_ && presenter_.Attach(window_)) {
        tr_Log("Present: by copying the changed areas into the window.");
    }
    return true;
}

void Tarrow_SDL::StartRenderer() {
    CreateRenderer();
    if (tr_Render* render = GetRender()) {
        render->SetWindowKeepsPicture(presenter_.IsAttached());
    }
}

bool Tarrow_SDL::ApplyWindowMode(int width, int height, bool fullscreen) {
    if (fullscreen) {
        // Leaving desktop full screen later restores this size.
        SDL_SetWindowSize(window_, width, height);
        return SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
    }
    if (SDL_SetWindowFullscreen(window_, 0) != 0) {
        return false;
    }
    SDL_SetWindowSize(window_, width, height);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    return true;
}

void Tarrow_SDL::CheckDrawableSize() {
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window_, &width, &height);
    if (width != static_cast<int>(GetWidth()) || height != static_cast<int>(GetHeight())) {
        tr_Log("Warning: the window's drawable size is %dx%d instead of %dx%d.", width, height,
               static_cast<int>(GetWidth()), static_cast<int>(GetHeight()));
    }
}

void Tarrow_SDL::DestroyWindow() {
    presenter_.Detach();
    if (context_) {
        SDL_GL_DeleteContext(context_);
        context_ = nullptr;
    }
    if (window_) {
        SDL_StopTextInput();
        SDL_DestroyWindow(window_);
        window_ = nullptr;
    }
    if (video_started_) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        video_started_ = false;
    }
}

void Tarrow_SDL::HandleEvent(const SDL_Event& event) {
    // A scripted run takes its input from the script alone.
    if (scripted() && event.type != SDL_WINDOWEVENT) {
        return;
    }
    switch (event.type) {
    case SDL_KEYDOWN:
        HandleKeyDown(event.key);
        break;
    case SDL_KEYUP:
        HandleKeyUp(event.key);
        break;
    case SDL_TEXTINPUT:
        HandleText(event.text.text);
        break;
    case SDL_MOUSEMOTION:
        HandleMouse(TR_EVENT_MOUSE_MOVE, event.motion.x, event.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT) {
            HandleMouse(event.type == SDL_MOUSEBUTTONDOWN ? TR_EVENT_MOUSE_DOWN : TR_EVENT_MOUSE_UP,
                        event.button.x, event.button.y);
        }
        break;
    case SDL_WINDOWEVENT:
        HandleWindowEvent(event.window);
        break;
    default:
        break;
    }
}

void Tarrow_SDL::HandleKeyDown(const SDL_KeyboardEvent& key) {
    const SDL_Keycode symbol = key.keysym.sym;
    // F10 is a system key on Windows that still arrives as a key down, with
    // or without Alt; other keys held with Alt are system keys and never
    // reach the game, except Alt+Enter.
    if (symbol == SDLK_F10) {
        Deliver(TR_EVENT_KEY_DOWN, kVirtualKeyF10, 0, 0.0f, 0.0f);
        return;
    }
    if ((key.keysym.mod & KMOD_ALT) || IsAltKey(symbol)) {
        if ((symbol == SDLK_RETURN || symbol == SDLK_KP_ENTER) && !key.repeat) {
            HandleToggleFullscreenKey();
        }
        return;
    }
    const int virtual_key = tr_KeyTranslator_SDL::ToVirtualKey(symbol, key.keysym.scancode);
    if (virtual_key != 0) {
        Deliver(TR_EVENT_KEY_DOWN, virtual_key, 0, 0.0f, 0.0f);
    }
    const int character = tr_KeyTranslator_SDL::ControlCharacter(symbol);
    if (character != 0 && !(key.keysym.mod & KMOD_CTRL)) {
        Deliver(TR_EVENT_CHAR, 0, character, 0.0f, 0.0f);
    }
}

void Tarrow_SDL::HandleKeyUp(const SDL_KeyboardEvent& key) {
    const SDL_Keycode symbol = key.keysym.sym;
    // System key-ups (F10, Alt and keys released while Alt is held) are not
    // delivered.
    if (symbol == SDLK_F10 || (key.keysym.mod & KMOD_ALT) || IsAltKey(symbol)) {
        return;
    }
    const int virtual_key = tr_KeyTranslator_SDL::ToVirtualKey(symbol, key.keysym.scancode);
    if (virtual_key != 0) {
        Deliver(TR_EVENT_KEY_UP, virtual_key, 0, 0.0f, 0.0f);
    }
}

void Tarrow_SDL::HandleText(const char* text) {
    const SDL_Keymod mod = SDL_GetModState();
    if ((mod & KMOD_ALT) && !(mod & KMOD_CTRL)) {
        return;
    }
    for (const uint16_t unit : tr_KeyTranslator_SDL::ToUtf16Units(text)) {
        Deliver(TR_EVENT_CHAR, 0, unit, 0.0f, 0.0f);
    }
}

void Tarrow_SDL::HandleWindowEvent(const SDL_WindowEvent& window) {
    switch (window.event) {
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_MINIMIZED:
        SetActive(false);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (!(SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED)) {
            SetActive(true);
        }
        break;
    case SDL_WINDOWEVENT_RESTORED:
        if (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) {
            SetActive(true);
        }
        break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        // The window's content may be lost or out of date; its back buffer
        // still holds the whole picture.
        presenter_.InvalidateWindow();
        break;
    case SDL_WINDOWEVENT_LEAVE:
        Deliver(TR_EVENT_MOUSE_LEAVE, 0, 0, last_mouse_x_, last_mouse_y_);
        if (GetServices().cursor_left_window) {
            GetServices().cursor_left_window();
        }
        break;
    default:
        break;
    }
}

void Tarrow_SDL::HandleMouse(int type, int x, int y) {
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return;
    }
    last_mouse_x_ = static_cast<float>(x);
    last_mouse_y_ = static_cast<float>(y);
    Deliver(type, TR_MOUSE_KEY, 0, last_mouse_x_, last_mouse_y_);
}

void Tarrow_SDL::Deliver(int type, int key, int character, float x, float y) {
    tr_InputEvent event;
    event.type = type;
    event.key = key;
    event.character = character;
    event.x = x;
    event.y = y;
    DispatchInput(event);
}

void Tarrow_SDL::SetActive(bool active) {
    if (active == active_) {
        return;
    }
    active_ = active;
    if (active) {
        CallActivateHook();
        if (GetServices().resume_sound) {
            GetServices().resume_sound();
        }
    } else {
        if (GetServices().pause_sound) {
            GetServices().pause_sound();
        }
        CallDeactivateHook();
    }
}
