// The SDL host driven by an input script (screenshots of a scripted game):
// virtual time, the script's events before the frame they name, the real
// mouse and keyboard ignored while window events still count.
#include "engine/platform/sdl/Tarrow_SDL.h"

#include "engine/core/tr_FrameInfo.h"
#include "engine/core/tr_InputEvent.h"
#include "engine/core/tr_Mediator.h"
#include "engine/host/tr_InputScript.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

class SdlScriptTest : public ::testing::Test {
protected:
    // Holds the video subsystem for the whole program (see Tarrow_SDLTest).
    static void SetUpTestSuite() { SDL_InitSubSystem(SDL_INIT_VIDEO); }

    void Start(const char* script_text) {
        setenv("XDG_DATA_HOME", ::testing::TempDir().c_str(), 1);
        tr_InputScript script;
        ASSERT_TRUE(script.Parse(script_text, "test")) << script.GetError();
        engine = std::make_unique<Tarrow_SDL>();
        engine->SetInput(script.GetEvents());
        engine->SetFixedFrameTime(0.02f);
        engine->SetUpdateHook([this](const tr_FrameInfo* frame) {
            frames.push_back(*frame);
            order.push_back("update " + std::to_string(frames.size()));
        });
        engine->SetInputHook([this](const tr_InputEvent* event) {
            inputs.push_back(*event);
            order.push_back("input " + std::to_string(event->type));
        });
        engine->SetDeactivateHook([this] { order.push_back("deactivate"); });
        ASSERT_TRUE(engine->Init(0, 0, 640, 480, false, "Tarrow script test"));
    }
    void TearDown() override {
        if (engine)
            engine->Release();
    }
    void Push(SDL_Event event) {
        event.window.windowID = SDL_GetWindowID(engine->GetWindow());
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    }

    tr_Mediator mediator;
    std::unique_ptr<Tarrow_SDL> engine;
    std::vector<tr_FrameInfo> frames;
    std::vector<tr_InputEvent> inputs;
    std::vector<std::string> order;
};

TEST_F(SdlScriptTest, FramesKeepVirtualTimeAndEventsArriveBeforeTheirFrameUntilQuit) {
    Start("1 move 30 40\n3 click 50 60\n3 leave\n6 quit\n7 key 65\n");
    engine->SetFrameLimit(100);
    engine->Run();

    const std::vector<std::string> expected = {"input " + std::to_string(TR_EVENT_MOUSE_MOVE),
                                               "update 1",
                                               "update 2",
                                               "input " + std::to_string(TR_EVENT_MOUSE_DOWN),
                                               "input " + std::to_string(TR_EVENT_MOUSE_UP),
                                               "input " + std::to_string(TR_EVENT_MOUSE_LEAVE),
                                               "update 3",
                                               "update 4",
                                               "update 5"};
    EXPECT_EQ(order, expected);
    ASSERT_EQ(inputs.size(), 4u);
    EXPECT_FLOAT_EQ(inputs[3].x, 50.0f);
    EXPECT_FLOAT_EQ(inputs[3].y, 60.0f);
    // The clock starts at Init and moves by exactly one frame time a frame,
    // whatever the real time taken.
    ASSERT_EQ(frames.size(), 5u);
    for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_NEAR(frames[i].time, 0.02 * double(i + 1), 1e-6) << "frame " << i + 1;
        EXPECT_FLOAT_EQ(frames[i].dt, 0.02f) << "frame " << i + 1;
    }
}

TEST_F(SdlScriptTest, RealInputIsIgnoredButTheWindowStillLosesFocus) {
    Start("3 key 66\n");
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_a;
    key.key.keysym.scancode = SDL_SCANCODE_A;
    Push(key);
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 10;
    motion.motion.y = 10;
    Push(motion);
    SDL_Event focus{};
    focus.type = SDL_WINDOWEVENT;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    Push(focus);
    engine->SetFrameLimit(4);
    engine->Run();

    ASSERT_EQ(inputs.size(), 1u);
    EXPECT_EQ(inputs[0].type, TR_EVENT_KEY_DOWN);
    EXPECT_EQ(inputs[0].key, 66);
    EXPECT_NE(std::find(order.begin(), order.end(), "deactivate"), order.end());
}

} // namespace
