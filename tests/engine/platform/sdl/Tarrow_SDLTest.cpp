// The SDL host on a real window (under Xvfb in the test run): events pushed
// into SDL's queue must reach the hooks the way Windows delivered them.
#include "engine/platform/sdl/Tarrow_SDL.h"

#include "engine/core/tr_FrameInfo.h"
#include "engine/core/tr_InputEvent.h"
#include "engine/core/tr_Listener.h"
#include "engine/core/tr_Mediator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Seen {
    std::vector<tr_InputEvent> inputs;

    // Keyboard and character events only: the X server may add pointer
    // events of its own (a window mapped under the pointer) at any time.
    std::vector<tr_InputEvent> Keyboard() const {
        std::vector<tr_InputEvent> keys;
        for (const tr_InputEvent& event : inputs) {
            if (event.type == TR_EVENT_KEY_DOWN || event.type == TR_EVENT_CHAR ||
                event.type == TR_EVENT_KEY_UP)
                keys.push_back(event);
        }
        return keys;
    }
    std::vector<std::string> calls;
    std::vector<bool> toggle_requests;
    bool toggle_result = true;
    int updates = 0;
    std::vector<float> frame_times;
    std::vector<float> raw_frame_times;
};
Seen* seen = nullptr;

class MessageCounter : public tr_Listener {
public:
    void OnMessage(int id, tr_MediatorDataTable&) override {
        seen->calls.push_back("message " + std::to_string(id));
    }
};

class SdlHostTest : public ::testing::Test {
protected:
    // Holds the video subsystem for the whole program: the host's own
    // shutdown would otherwise unload the GL driver, after which the leak
    // checker cannot tell the driver's leftovers from ours.
    static void SetUpTestSuite() { SDL_InitSubSystem(SDL_INIT_VIDEO); }

    void SetUp() override {
        // Log lines go to the log file in the user folder: keep it out of $HOME.
        setenv("XDG_DATA_HOME", ::testing::TempDir().c_str(), 1);
        seen = &record;
        engine = std::make_unique<Tarrow_SDL>();
        engine->SetInputHook([](const tr_InputEvent* event) { seen->inputs.push_back(*event); });
        engine->SetUpdateHook([](const tr_FrameInfo* frame) {
            ++seen->updates;
            seen->frame_times.push_back(frame->dt);
        });
        engine->SetActivateHook([] { seen->calls.push_back("activate"); });
        engine->SetDeactivateHook([] { seen->calls.push_back("deactivate"); });
        engine->SetModeChangedHook([] { seen->calls.push_back("mode changed"); });
        engine->SetToggleFullscreenHook([](bool wanted) {
            seen->toggle_requests.push_back(wanted);
            seen->calls.push_back("toggle");
            return seen->toggle_result;
        });
        Tarrow::Services services;
        services.pause_sound = [] { seen->calls.push_back("pause sound"); };
        services.resume_sound = [] { seen->calls.push_back("resume sound"); };
        services.cursor_left_window = [] { seen->calls.push_back("cursor left"); };
        services.refresh_display = [] { seen->calls.push_back("refresh"); };
        engine->SetServices(services);
        mediator.Subscribe(2, &listener);

        ASSERT_TRUE(engine->Init(0, 0, 640, 480, false, "Tarrow test"));
        // Whatever the window system sends at start-up is not under test.
        RunFrames(1);
        record = Seen();
    }
    void TearDown() override {
        engine->Release();
        engine.reset();
        seen = nullptr;
    }

    void RunFrames(uint64_t count) {
        engine->SetFrameLimit(engine->GetFrameCount() + count);
        engine->Run();
    }
    void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }
    void PushKey(Uint32 type, SDL_Keycode key, SDL_Scancode scancode, Uint16 mod = KMOD_NONE,
                 bool repeat = false) {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = SDL_GetWindowID(engine->GetWindow());
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat ? 1 : 0;
        event.key.keysym.sym = key;
        event.key.keysym.scancode = scancode;
        event.key.keysym.mod = mod;
        Push(event);
    }
    void PushWindowEvent(Uint8 what) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = SDL_GetWindowID(engine->GetWindow());
        event.window.event = what;
        Push(event);
    }
    void PushMotion(int x, int y) {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.windowID = SDL_GetWindowID(engine->GetWindow());
        event.motion.x = x;
        event.motion.y = y;
        Push(event);
    }

    Seen record;
    tr_Mediator mediator;
    MessageCounter listener;
    std::unique_ptr<Tarrow_SDL> engine;
};

TEST_F(SdlHostTest, WindowOpensWithAContextAtTheRequestedSize) {
    SDL_Window* window = engine->GetWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(engine->HasContext());
    EXPECT_NE(engine->GetRender(), nullptr);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    EXPECT_STREQ(SDL_GetWindowTitle(window), "Tarrow test");
    EXPECT_FALSE(SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN);
    EXPECT_EQ(engine->GetWidth(), 640.0f);
}

TEST_F(SdlHostTest, KeysArriveAsVirtualKeyCodes) {
    PushKey(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A);
    PushKey(SDL_KEYUP, SDLK_a, SDL_SCANCODE_A);
    PushKey(SDL_KEYDOWN, SDLK_LEFT, SDL_SCANCODE_LEFT);
    RunFrames(1);

    const std::vector<tr_InputEvent> keys = record.Keyboard();
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0].type, TR_EVENT_KEY_DOWN);
    EXPECT_EQ(keys[0].key, 0x41);
    EXPECT_EQ(keys[0].character, 0);
    EXPECT_EQ(keys[1].type, TR_EVENT_KEY_UP);
    EXPECT_EQ(keys[1].key, 0x41);
    EXPECT_EQ(keys[2].key, 0x25);
    EXPECT_EQ(record.updates, 1);
}

TEST_F(SdlHostTest, EditingKeysAlsoSendTheirCharacter) {
    PushKey(SDL_KEYDOWN, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE);
    PushKey(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN);
    RunFrames(1);

    const std::vector<tr_InputEvent> keys = record.Keyboard();
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[0].key, 8);
    EXPECT_EQ(keys[1].type, TR_EVENT_CHAR);
    EXPECT_EQ(keys[1].character, 8);
    EXPECT_EQ(keys[2].key, 13);
    EXPECT_EQ(keys[3].type, TR_EVENT_CHAR);
    EXPECT_EQ(keys[3].character, 13);
}

TEST_F(SdlHostTest, TextInputArrivesAsUtf16Units) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = SDL_GetWindowID(engine->GetWindow());
    std::strcpy(event.text.text, "a\xC3\xA9\xF0\x9F\x98\x80"); // a, e acute, a non-BMP emoji
    Push(event);
    RunFrames(1);

    const std::vector<tr_InputEvent> keys = record.Keyboard();
    ASSERT_EQ(keys.size(), 4u);
    const int expected[] = {0x61, 0xE9, 0xD83D, 0xDE00};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(keys[i].type, TR_EVENT_CHAR);
        EXPECT_EQ(keys[i].character, expected[i]);
        EXPECT_EQ(keys[i].key, 0);
    }
}

TEST_F(SdlHostTest, AltEnterTogglesThroughTheHookAndTellsTheMediator) {
    PushKey(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT);
    PushKey(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT, true); // auto-repeat
    PushKey(SDL_KEYUP, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT);
    RunFrames(1);

    const std::vector<std::string> expected = {"toggle", "message 2", "mode changed"};
    EXPECT_EQ(record.calls, expected);
    ASSERT_EQ(record.toggle_requests.size(), 1u);
    EXPECT_TRUE(record.toggle_requests[0]); // windowed now, so full screen is wanted
    EXPECT_TRUE(record.inputs.empty());

    record = Seen();
    record.toggle_result = false;
    PushKey(SDL_KEYDOWN, SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, KMOD_RALT);
    RunFrames(1);
    const std::vector<std::string> unchanged = {"toggle", "message 2"};
    EXPECT_EQ(record.calls, unchanged);
}

TEST_F(SdlHostTest, AltEnterWithoutAHookDoesNothing) {
    engine->SetToggleFullscreenHook(nullptr);
    PushKey(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT);
    RunFrames(1);
    EXPECT_TRUE(record.calls.empty());
    EXPECT_TRUE(record.inputs.empty());
}

TEST_F(SdlHostTest, AltAloneAndAltCombinationsAreSwallowedButF10IsAKeyDown) {
    PushKey(SDL_KEYDOWN, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT);
    PushKey(SDL_KEYDOWN, SDLK_f, SDL_SCANCODE_F, KMOD_LALT);
    PushKey(SDL_KEYUP, SDLK_f, SDL_SCANCODE_F, KMOD_LALT);
    PushKey(SDL_KEYUP, SDLK_LALT, SDL_SCANCODE_LALT);
    PushKey(SDL_KEYDOWN, SDLK_F10, SDL_SCANCODE_F10);
    PushKey(SDL_KEYUP, SDLK_F10, SDL_SCANCODE_F10);
    RunFrames(1);

    const std::vector<tr_InputEvent> keys = record.Keyboard();
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].type, TR_EVENT_KEY_DOWN);
    EXPECT_EQ(keys[0].key, 0x79);
    EXPECT_TRUE(record.calls.empty());
}

TEST_F(SdlHostTest, FocusChangesPauseAndResumeOnce) {
    // Without a window manager the server's own focus events arrive whenever
    // they like: start from a known active window.
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    RunFrames(1);
    record = Seen();

    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED); // already inactive
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    RunFrames(1);

    const std::vector<std::string> expected = {"pause sound", "deactivate", "activate",
                                               "resume sound"};
    EXPECT_EQ(record.calls, expected);
}

TEST_F(SdlHostTest, MouseMovesInsideTheWindowAndLeavesAtItsLastPosition) {
    PushMotion(100, 120);
    PushMotion(700, 120); // outside the 640-pixel client area: dropped
    SDL_Event down{};
    down.type = SDL_MOUSEBUTTONDOWN;
    down.button.windowID = SDL_GetWindowID(engine->GetWindow());
    down.button.button = SDL_BUTTON_LEFT;
    down.button.x = 110;
    down.button.y = 130;
    Push(down);
    down.button.button = SDL_BUTTON_RIGHT; // only the left button is an event
    Push(down);
    PushWindowEvent(SDL_WINDOWEVENT_LEAVE);
    RunFrames(1);

    // The X server moves the pointer of a window mapped under it whenever it
    // likes: only moves to the pushed places count.
    std::vector<tr_InputEvent> inputs;
    for (const tr_InputEvent& event : record.inputs) {
        const bool pushed_place = (event.x == 100.0f || event.x == 700.0f) && event.y == 120.0f;
        if (event.type != TR_EVENT_MOUSE_MOVE || pushed_place)
            inputs.push_back(event);
    }
    ASSERT_EQ(inputs.size(), 3u);
    EXPECT_EQ(inputs[0].type, TR_EVENT_MOUSE_MOVE);
    EXPECT_EQ(inputs[0].key, TR_MOUSE_KEY);
    EXPECT_FLOAT_EQ(inputs[0].x, 100.0f);
    EXPECT_EQ(inputs[1].type, TR_EVENT_MOUSE_DOWN);
    EXPECT_EQ(inputs[2].type, TR_EVENT_MOUSE_LEAVE);
    EXPECT_EQ(inputs[2].key, 0);
    EXPECT_FLOAT_EQ(inputs[2].x, 110.0f);
    EXPECT_FLOAT_EQ(inputs[2].y, 130.0f);
    const std::vector<std::string> expected = {"cursor left"};
    EXPECT_EQ(record.calls, expected);
}

TEST_F(SdlHostTest, QuitEndsRunBeforeLaterEventsAndFrames) {
    PushKey(SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A);
    engine->RequestClose();
    PushKey(SDL_KEYDOWN, SDLK_b, SDL_SCANCODE_B);
    engine->SetFrameLimit(0);
    engine->Run();

    const std::vector<tr_InputEvent> keys = record.Keyboard();
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].key, 0x41);
    EXPECT_EQ(record.updates, 0);
}

TEST_F(SdlHostTest, LiveModeChangeResizesTheWindowAndNotifies) {
    ASSERT_TRUE(engine->SetDisplayMode(800, 600, false));
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(engine->GetWindow(), &width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    EXPECT_EQ(engine->GetWidth(), 800.0f);
    const std::vector<std::string> expected = {"mode changed", "refresh"};
    EXPECT_EQ(record.calls, expected);
}

TEST_F(SdlHostTest, FullScreenIsDesktopFullScreenAndWindowedModeComesBack) {
    SDL_DisplayMode desktop{};
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    ASSERT_TRUE(engine->SetDisplayMode(desktop.w, desktop.h, true));
    EXPECT_TRUE(engine->IsFullscreen());
    EXPECT_EQ(SDL_GetWindowFlags(engine->GetWindow()) & SDL_WINDOW_FULLSCREEN_DESKTOP,
              static_cast<Uint32>(SDL_WINDOW_FULLSCREEN_DESKTOP));
    RunFrames(1);

    ASSERT_TRUE(engine->SetDisplayMode(640, 480, false));
    EXPECT_FALSE(SDL_GetWindowFlags(engine->GetWindow()) & SDL_WINDOW_FULLSCREEN);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(engine->GetWindow(), &width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    RunFrames(1);
}

TEST_F(SdlHostTest, FramesArePacedAtTheFrameTime) {
    engine->SetFPS(50.0f);
    const Uint32 start = SDL_GetTicks();
    RunFrames(10);
    EXPECT_GE(SDL_GetTicks() - start, 9u * 20u);
    EXPECT_EQ(record.updates, 10);
}

TEST_F(SdlHostTest, AFixedFrameTimeIgnoresTheJitterOfTheRealClock) {
    engine->SetFixedFrameTime(0.02f);
    engine->SetFPS(50.0f);
    // A slow frame: the real clock runs ahead by three frame times.
    engine->SetUpdateHook([](const tr_FrameInfo* frame) {
        seen->frame_times.push_back(frame->dt);
        seen->raw_frame_times.push_back(frame->raw_dt);
        if (seen->frame_times.size() == 2)
            SDL_Delay(60);
    });
    RunFrames(5);
    ASSERT_EQ(record.frame_times.size(), 5u);
    for (size_t i = 0; i < record.frame_times.size(); ++i) {
        EXPECT_FLOAT_EQ(record.frame_times[i], 0.02f) << "frame " << i;
        EXPECT_FLOAT_EQ(record.raw_frame_times[i], 0.02f) << "frame " << i;
    }
}

} // namespace
