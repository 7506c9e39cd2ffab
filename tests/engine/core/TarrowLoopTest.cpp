// The frame loop over a fake platform with a hand-driven millisecond clock:
// pacing, clamping, FPS measurement, event draining, device states.
#include "engine/core/tr_FrameInfo.h"
#include "engine/core/tr_InputEvent.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_Platform.h"
#include "engine/host/Tarrow.h"
#include "engine/render/tr_Render.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

// What the hooks saw; hooks are plain function pointers, so they report here.
struct Record {
    std::vector<tr_FrameInfo> frames;
    std::vector<float> fps_seen;
    std::vector<tr_InputEvent> inputs;
    std::vector<std::string> calls;
    int init_calls = 0;
    int mode_changes = 0;
};
Record* record = nullptr;

class RecordingRender : public tr_Render {
public:
    void BeginFrame() override { record->calls.push_back("begin_frame"); }
    void EndFrame() override { record->calls.push_back("end_frame"); }
    void BeginDraw() override { record->calls.push_back("begin_draw"); }
    void EndDraw() override { record->calls.push_back("end_draw"); }
    void BeginRenderToTexture(int, int) override {}
    std::shared_ptr<tr_Texture> EndRenderToTexture() override { return nullptr; }
    void DrawQuad(const std::shared_ptr<tr_Texture>&, const tr_DrawState&) override {}
    void DrawVertexList(const std::shared_ptr<tr_Texture>&, tr_VertexList&,
                        const tr_DrawState&) override {}
    void DrawIndexed(const std::shared_ptr<tr_Texture>&, tr_VertexList&, tr_IndexList&,
                     const tr_DrawState&) override {}
    void DrawLine(float, float, float, float, float, float, float, float, float,
                  const tr_DrawState&) override {}
};

struct PendingEvent {
    bool quit = false;
    tr_InputEvent event;
};

class FakeEngine : public Tarrow, public tr_Platform {
public:
    bool Init(int x, int y, int width, int height, bool fullscreen, const char* title) override {
        const bool ready = Tarrow::Init(x, y, width, height, fullscreen, title) && !fail_init;
        if (ready && !GetRender()) {
            CreateRenderer();
        }
        if (ready) {
            RunInitHookOnce();
        }
        StartClock(*this);
        return ready;
    }
    void Run() override { RunLoop(*this); }
    float GetFPS() override { return GetMeasuredFPS(); }

    tr_PollResult PollEvent() override {
        if (pending.empty()) {
            return tr_PollResult::None;
        }
        const PendingEvent next = pending.front();
        pending.pop_front();
        if (next.quit) {
            return tr_PollResult::Quit;
        }
        DispatchInput(next.event);
        return tr_PollResult::Handled;
    }
    uint32_t GetTicks() override {
        ++tick_reads;
        return clock;
    }
    uint32_t GetTickRate() const override { return 1000; }
    void WaitUntil(uint32_t ticks) override {
        ++waits;
        clock = ticks;
    }
    tr_DeviceState GetDeviceState() override { return device_state; }
    bool ResetDevice() override {
        ++reset_attempts;
        if (reset_succeeds) {
            device_state = tr_DeviceState::Ready;
        }
        return reset_succeeds;
    }
    void Present() override { record->calls.push_back("present"); }

    std::deque<PendingEvent> pending;
    uint32_t clock = 1000;
    int tick_reads = 0;
    int waits = 0;
    tr_DeviceState device_state = tr_DeviceState::Ready;
    bool reset_succeeds = true;
    int reset_attempts = 0;
    bool fail_init = false;
};

class TarrowLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        record = &seen;
        engine.SetUpdateHook([](const tr_FrameInfo* frame) {
            record->frames.push_back(*frame);
            record->fps_seen.push_back(Tarrow::Get()->GetFPS());
            record->calls.push_back("update");
        });
        engine.SetInputHook([](const tr_InputEvent* event) { record->inputs.push_back(*event); });
        engine.SetInitHook([] { ++record->init_calls; });
        engine.SetModeChangedHook([] { ++record->mode_changes; });
        engine.SetDrawHook([](tr_Render*) { record->calls.push_back("draw"); });
    }
    void TearDown() override { record = nullptr; }

    void WithRenderer() {
        engine.SetRendererFactory([] { return std::make_unique<RecordingRender>(); });
    }
    int Count(const std::string& call) const {
        int count = 0;
        for (const std::string& name : seen.calls) {
            count += name == call ? 1 : 0;
        }
        return count;
    }

    Record seen;
    FakeEngine engine;
};

TEST_F(TarrowLoopTest, FirstFrameAfterSlowStartIsClampedButKeepsRawTime) {
    engine.Init(0, 0, 1024, 768, false, "t");
    engine.clock += 500; // start-up work after Init took half a second
    engine.SetFrameLimit(1);
    engine.Run();

    ASSERT_EQ(seen.frames.size(), 1u);
    EXPECT_FLOAT_EQ(seen.frames[0].dt, 3.0f / 60.0f);
    EXPECT_FLOAT_EQ(seen.frames[0].raw_dt, 0.5f);
    EXPECT_FLOAT_EQ(seen.frames[0].time, 1.5f);
}

TEST_F(TarrowLoopTest, ThirtyFpsFramesAreAFrameTimeApartAndTheLoopSleeps) {
    engine.Init(0, 0, 1024, 768, false, "t");
    engine.SetFPS(30.0f);
    engine.SetFrameLimit(20);
    engine.Run();

    ASSERT_EQ(seen.frames.size(), 20u);
    for (size_t i = 1; i < seen.frames.size(); ++i) {
        const float gap = seen.frames[i].time - seen.frames[i - 1].time;
        EXPECT_GE(gap, 1.0f / 30.0f - 1e-4f) << "frame " << i;
        EXPECT_GE(seen.frames[i].dt, 1.0f / 30.0f);
    }
    // Waiting means one sleep per frame, not a spin on the timer.
    EXPECT_LE(engine.waits, 20);
    EXPECT_LE(engine.tick_reads, 2 * 20 + 2);
}

TEST_F(TarrowLoopTest, MeasuredFpsIsZeroUntilTheFirstWindowThenAboutThirty) {
    engine.Init(0, 0, 1024, 768, false, "t");
    engine.SetFPS(30.0f);
    EXPECT_EQ(engine.GetFPS(), 0.0f);
    engine.SetFrameLimit(40);
    engine.Run();

    ASSERT_EQ(seen.fps_seen.size(), 40u);
    // Frames come every 34 ms: seven of them fit in the first 250 ms.
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(seen.fps_seen[i], 0.0f) << "frame " << i;
    }
    EXPECT_GT(seen.fps_seen[7], 0.0f);
    EXPECT_NEAR(engine.GetFPS(), 30.0f, 1.0f);
}

TEST_F(TarrowLoopTest, QuitAmongPendingEventsEndsRunAtOnce) {
    engine.Init(0, 0, 1024, 768, false, "t");
    PendingEvent key;
    key.event.type = TR_EVENT_KEY_DOWN;
    key.event.key = 65;
    PendingEvent quit;
    quit.quit = true;
    PendingEvent later;
    later.event.type = TR_EVENT_KEY_DOWN;
    later.event.key = 66;
    engine.pending = {key, quit, later};
    engine.clock += 100; // a frame would be due
    engine.Run();

    ASSERT_EQ(seen.inputs.size(), 1u);
    EXPECT_EQ(seen.inputs[0].key, 65);
    EXPECT_TRUE(seen.frames.empty());
    EXPECT_EQ(engine.pending.size(), 1u);
}

TEST_F(TarrowLoopTest, AllPendingEventsAreHandledBeforeTheFrame) {
    engine.Init(0, 0, 1024, 768, false, "t");
    PendingEvent move;
    move.event.type = TR_EVENT_MOUSE_MOVE;
    engine.pending = {move, move, move};
    engine.SetInputHook([](const tr_InputEvent*) { record->calls.push_back("input"); });
    engine.SetFrameLimit(1);
    engine.Run();

    const std::vector<std::string> expected = {"input", "input", "input", "update"};
    EXPECT_EQ(seen.calls, expected);
}

TEST_F(TarrowLoopTest, ElapsedExactlyOneFrameTimeRunsAFrame) {
    engine.Init(0, 0, 1024, 768, false, "t");
    engine.SetFPS(50.0f); // 20 ms, exact in milliseconds
    engine.clock += 20;
    engine.SetFrameLimit(1);
    engine.Run();

    ASSERT_EQ(seen.frames.size(), 1u);
    EXPECT_EQ(engine.waits, 0);
    EXPECT_FLOAT_EQ(seen.frames[0].dt, 0.02f);
}

TEST_F(TarrowLoopTest, TimerWrapKeepsFramesComing) {
    engine.clock = 0xFFFFFFF0u; // 16 ms before the 32-bit counter wraps
    engine.Init(0, 0, 1024, 768, false, "t");
    engine.SetFrameLimit(5);
    engine.Run();

    ASSERT_EQ(seen.frames.size(), 5u);
    for (const tr_FrameInfo& frame : seen.frames) {
        EXPECT_NEAR(frame.dt, 0.017f, 1e-6f);
        EXPECT_NEAR(frame.raw_dt, 0.017f, 1e-6f);
    }
    EXPECT_LT(engine.clock, 0x1000u);
}

TEST_F(TarrowLoopTest, LostDeviceSkipsDrawingButNotUpdates) {
    WithRenderer();
    int service_updates = 0;
    Tarrow::Services services;
    services.update_frame = [&](const tr_FrameInfo*) { ++service_updates; };
    int refreshes = 0;
    services.refresh_display = [&] { ++refreshes; };
    engine.SetServices(services);
    engine.Init(0, 0, 1024, 768, false, "t");

    engine.device_state = tr_DeviceState::Lost;
    engine.SetFrameLimit(5);
    engine.Run();
    EXPECT_EQ(seen.frames.size(), 5u);
    EXPECT_EQ(service_updates, 5);
    EXPECT_EQ(Count("begin_frame"), 0);
    EXPECT_EQ(Count("present"), 0);
    EXPECT_EQ(engine.reset_attempts, 0);

    // Can be reset now, but the resets fail: retried every frame, no drawing.
    engine.device_state = tr_DeviceState::NeedsReset;
    engine.reset_succeeds = false;
    engine.SetFrameLimit(8);
    engine.Run();
    EXPECT_EQ(engine.reset_attempts, 3);
    EXPECT_EQ(Count("begin_frame"), 0);
    EXPECT_EQ(seen.mode_changes, 0);

    engine.reset_succeeds = true;
    engine.SetFrameLimit(10);
    engine.Run();
    EXPECT_EQ(engine.reset_attempts, 4);
    EXPECT_EQ(seen.mode_changes, 1);
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(Count("begin_frame"), 2);
    EXPECT_EQ(Count("present"), 2);
    EXPECT_EQ(service_updates, 10);
}

TEST_F(TarrowLoopTest, DrawnFrameOrder) {
    WithRenderer();
    Tarrow::Services services;
    services.update_frame = [](const tr_FrameInfo*) { record->calls.push_back("services"); };
    services.draw_cursor = [](tr_Render*) { record->calls.push_back("cursor"); };
    engine.SetServices(services);
    engine.Init(0, 0, 1024, 768, false, "t");
    engine.SetFrameLimit(1);
    engine.Run();
    const std::vector<std::string> neutral = {"update", "services",  "begin_frame", "draw",
                                              "cursor", "end_frame", "present"};
    EXPECT_EQ(seen.calls, neutral);

    // A brightness other than 1 adds the overlay between the cursor and the
    // end; the drawn-frame callback comes between the end and present.
    seen.calls.clear();
    engine.SetGamma(1.4f);
    engine.SetFrameDrawnCallback([](tr_Render&, uint64_t frame) {
        record->calls.push_back("drawn " + std::to_string(frame));
    });
    engine.SetFrameLimit(2);
    engine.Run();
    const std::vector<std::string> brightened = {
        "update",     "services", "begin_frame", "draw",    "cursor",
        "begin_draw", "end_draw", "end_frame",   "drawn 2", "present"};
    EXPECT_EQ(seen.calls, brightened);
}

TEST_F(TarrowLoopTest, WithoutRendererFramesStillUpdate) {
    engine.Init(0, 0, 1024, 768, false, "t");
    engine.SetFrameLimit(3);
    engine.Run();
    EXPECT_EQ(seen.frames.size(), 3u);
    EXPECT_EQ(Count("present"), 0);
}

TEST_F(TarrowLoopTest, InitHookRunsOnceEvenWhenEveryInitFails) {
    engine.fail_init = true;
    EXPECT_FALSE(engine.Init(0, 0, 1024, 768, false, "t"));
    EXPECT_FALSE(engine.Init(0, 0, 1920, 1080, true, "t"));
    EXPECT_EQ(seen.init_calls, 0);
    engine.SetFrameLimit(1);
    engine.Run();
    EXPECT_EQ(seen.init_calls, 1);
    EXPECT_EQ(seen.frames.size(), 1u);

    FakeEngine second;
    second.SetInitHook([] { ++record->init_calls; });
    second.Init(0, 0, 1024, 768, false, "t");
    second.Init(0, 0, 1024, 768, false, "t");
    second.SetFrameLimit(1);
    second.Run();
    EXPECT_EQ(seen.init_calls, 2);
}

TEST_F(TarrowLoopTest, InitResetsFrameTimeUnlessAFixedOneIsSet) {
    engine.SetFPS(30.0f);
    engine.Init(0, 0, 800, 600, false, "t");
    EXPECT_FLOAT_EQ(engine.GetFrameTime(), 1.0f / 60.0f);
    EXPECT_EQ(engine.GetWidth(), 800.0f);
    EXPECT_EQ(engine.GetHeight(), 600.0f);

    engine.SetFixedFrameTime(0.1f);
    engine.Init(0, 0, 800, 600, false, "t");
    EXPECT_FLOAT_EQ(engine.GetFrameTime(), 0.1f);
}

TEST_F(TarrowLoopTest, RatesThatWouldStopTheLoopAreIgnored) {
    engine.Init(0, 0, 1024, 768, false, "t");
    engine.SetFPS(0.0f);
    engine.SetFPS(-5.0f);
    engine.SetFPS(std::numeric_limits<float>::infinity());
    EXPECT_FLOAT_EQ(engine.GetFrameTime(), 1.0f / 60.0f);
    engine.SetFrameLimit(2);
    engine.Run();
    EXPECT_EQ(seen.frames.size(), 2u);
}

TEST(TarrowTest, EngineListensToTheLogMessageWhileItLives) {
    tr_Mediator mediator;
    {
        FakeEngine engine;
        EXPECT_EQ(mediator.CountListeners(3), 1);
    }
    EXPECT_EQ(mediator.CountListeners(3), 0);
}

TEST_F(TarrowLoopTest, EngineIsReachableWhileItLives) {
    EXPECT_EQ(Tarrow::Get(), &engine);
    {
        FakeEngine other;
        EXPECT_EQ(Tarrow::Get(), &other);
    }
    EXPECT_EQ(Tarrow::Get(), nullptr);
}

} // namespace
