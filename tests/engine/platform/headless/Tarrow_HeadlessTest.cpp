// The headless host: virtual time, scripted input before the frame it names,
// the end of a run, and display-mode changes on a live engine.
#include "engine/platform/headless/Tarrow_Headless.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_FrameInfo.h"
#include "engine/core/tr_InputEvent.h"
#include "engine/host/tr_EngineServices.h"
#include "engine/platform/headless/tr_Render_Null.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/resources/media/tr_SoundHub.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Seen {
    std::vector<tr_FrameInfo> frames;
    std::vector<std::string> order; // "update N" / "input TYPE"
    std::vector<tr_InputEvent> inputs;
    int mode_changes = 0;
};

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine.SetUpdateHook([this](const tr_FrameInfo* frame) {
            record.frames.push_back(*frame);
            record.order.push_back("update " + std::to_string(record.frames.size()));
        });
        engine.SetInputHook([this](const tr_InputEvent* event) {
            record.inputs.push_back(*event);
            record.order.push_back("input " + std::to_string(event->type));
        });
        engine.SetModeChangedHook([this] { ++record.mode_changes; });
    }
    void TearDown() override { engine.Release(); }

    void Script(const char* text) {
        tr_InputScript script;
        ASSERT_TRUE(script.Parse(text, "test")) << script.GetError();
        engine.SetInput(script.GetEvents());
    }

    Seen record;
    Tarrow_Headless engine;
};

TEST_F(HeadlessTest, EveryFrameAdvancesByTheFrameTime) {
    engine.SetFixedFrameTime(0.02f);
    ASSERT_TRUE(engine.Init(0, 0, 1024, 768, false, "t"));
    engine.SetFrameLimit(100);
    engine.Run();

    ASSERT_EQ(record.frames.size(), 100u);
    for (size_t i = 0; i < record.frames.size(); ++i) {
        EXPECT_FLOAT_EQ(record.frames[i].dt, 0.02f);
        EXPECT_FLOAT_EQ(record.frames[i].raw_dt, 0.02f);
        EXPECT_NEAR(record.frames[i].time, 0.02f * (i + 1), 1e-5f);
    }
    EXPECT_NEAR(engine.GetFPS(), 50.0f, 0.01f);
}

TEST_F(HeadlessTest, DefaultFrameTimeIsASixtiethWithinAMicrosecond) {
    ASSERT_TRUE(engine.Init(0, 0, 1024, 768, false, "t"));
    engine.SetFrameLimit(60);
    engine.Run();
    ASSERT_EQ(record.frames.size(), 60u);
    for (const tr_FrameInfo& frame : record.frames) {
        EXPECT_NEAR(frame.dt, 1.0f / 60.0f, 1e-6f);
    }
    EXPECT_NEAR(record.frames.back().time, 1.0f, 1e-4f);
}

TEST_F(HeadlessTest, ScriptedEventsArriveBeforeTheUpdateOfTheirFrame) {
    Script("2 key 65\n1 move 5 6\n0 char 97\n4 click 7 8\n");
    ASSERT_TRUE(engine.Init(0, 0, 1024, 768, false, "t"));
    engine.SetFrameLimit(4);
    engine.Run();

    const std::vector<std::string> expected = {"input 1", "input 5",  "update 1",
                                               "input 0", "update 2", "update 3",
                                               "input 3", "input 4",  "update 4"};
    EXPECT_EQ(record.order, expected);
}

TEST_F(HeadlessTest, QuitEndsTheRunBeforeItsFrameAndDropsLaterEvents) {
    Script("3 key 65\n3 quit\n3 key 66\n5 key 67\n");
    ASSERT_TRUE(engine.Init(0, 0, 1024, 768, false, "t"));
    engine.Run();

    EXPECT_EQ(record.frames.size(), 2u);
    ASSERT_EQ(record.inputs.size(), 1u);
    EXPECT_EQ(record.inputs[0].key, 65);
}

TEST_F(HeadlessTest, LeaveHappensAtTheLastMousePosition) {
    Script("1 move 30 40\n2 down 50 60\n3 leave\n");
    int cursor_left = 0;
    Tarrow::Services services;
    services.cursor_left_window = [&] { ++cursor_left; };
    engine.SetServices(services);
    ASSERT_TRUE(engine.Init(0, 0, 1024, 768, false, "t"));
    engine.SetFrameLimit(3);
    engine.Run();

    ASSERT_EQ(record.inputs.size(), 3u);
    EXPECT_EQ(record.inputs[2].type, TR_EVENT_MOUSE_LEAVE);
    EXPECT_FLOAT_EQ(record.inputs[2].x, 50.0f);
    EXPECT_FLOAT_EQ(record.inputs[2].y, 60.0f);
    EXPECT_EQ(record.inputs[2].key, 0);
    EXPECT_EQ(cursor_left, 1);
}

TEST_F(HeadlessTest, FocusChangesRunTheHooksInFrameOrderAndDeliverNoInput) {
    Script("2 unfocus\n2 key 65\n3 focus\n");
    engine.SetActivateHook([this] { record.order.push_back("activate"); });
    engine.SetDeactivateHook([this] { record.order.push_back("deactivate"); });
    ASSERT_TRUE(engine.Init(0, 0, 1024, 768, false, "t"));
    engine.SetFrameLimit(3);
    engine.Run();

    const std::vector<std::string> expected = {"update 1", "deactivate", "input 0",
                                               "update 2", "activate",   "update 3"};
    EXPECT_EQ(record.order, expected);
}

TEST_F(HeadlessTest, RequestCloseEndsTheRun) {
    ASSERT_TRUE(engine.Init(0, 0, 1024, 768, false, "t"));
    engine.SetUpdateHook([this](const tr_FrameInfo* frame) {
        record.frames.push_back(*frame);
        if (record.frames.size() == 3) {
            Tarrow::Get()->RequestClose();
        }
    });
    engine.Run();
    EXPECT_EQ(record.frames.size(), 3u);
}

TEST_F(HeadlessTest, DrawsThroughTheNullRendererAndResizesItOnModeChange) {
    int refreshes = 0;
    Tarrow::Services services;
    services.refresh_display = [&] { ++refreshes; };
    engine.SetServices(services);
    ASSERT_TRUE(engine.Init(0, 0, 1024, 768, false, "t"));
    auto* render = dynamic_cast<tr_Render_Null*>(engine.GetRender());
    ASSERT_NE(render, nullptr);
    EXPECT_EQ(render->GetScreenWidth(), 1024.0f);
    EXPECT_EQ(record.mode_changes, 0);

    engine.SetFrameLimit(3);
    engine.Run();
    EXPECT_EQ(render->GetFrameCount(), 3);

    EXPECT_TRUE(engine.SetDisplayMode(1366, 768, true));
    EXPECT_EQ(render->GetScreenWidth(), 1366.0f);
    EXPECT_TRUE(engine.IsFullscreen());
    EXPECT_EQ(record.mode_changes, 1);
    EXPECT_EQ(refreshes, 1);
}

TEST_F(HeadlessTest, ServicesRunAtTheirPointsOfTheLifecycle) {
    std::vector<std::string> calls;
    Tarrow::Services services;
    services.create_engine_core = [&] { calls.push_back("core"); };
    services.create_platform_objects = [&] {
        calls.push_back(engine.GetRender() ? "platform after renderer" : "platform");
    };
    services.update_frame = [&](const tr_FrameInfo*) { calls.push_back("frame"); };
    services.release_platform_objects = [&] { calls.push_back("release platform"); };
    services.release_engine_core = [&] { calls.push_back("release core"); };
    engine.SetServices(services);
    engine.SetInitHook([this] { record.order.push_back("init"); });
    engine.SetShutdownHook([this](Tarrow*) { record.order.push_back("shutdown"); });

    ASSERT_TRUE(engine.Init(0, 0, 1024, 768, false, "t"));
    ASSERT_TRUE(engine.Init(0, 0, 1024, 768, false, "t"));
    engine.SetFrameLimit(1);
    engine.Run();
    engine.Release();
    engine.Release(); // a second Release has nothing left to undo

    const std::vector<std::string> expected = {"core", "platform after renderer", "frame",
                                               "release platform", "release core"};
    EXPECT_EQ(calls, expected);
    const std::vector<std::string> hooks = {"init", "update 1", "shutdown"};
    EXPECT_EQ(record.order, hooks);
    EXPECT_EQ(engine.GetRender(), nullptr);
}

TEST_F(HeadlessTest, EngineServicesMakeAndReleaseTheSubsystems) {
    engine.SetServices(tr_MakeEngineServices());
    ASSERT_TRUE(engine.Init(0, 0, 1024, 768, false, "t"));
    EXPECT_NE(tr_EngineCore::GetIfCreated(), nullptr);
    EXPECT_NE(tr_ResourceRegistry::Get(), nullptr);
    ASSERT_NE(tr_SoundHub::Get(), nullptr);
    EXPECT_TRUE(tr_SoundHub::Get()->IsNoSoundDevice()); // headless: no audio output

    engine.SetFrameLimit(3);
    engine.Run();
    EXPECT_TRUE(engine.SetDisplayMode(800, 600, false)); // refreshes the display root

    engine.Release();
    EXPECT_EQ(tr_EngineCore::GetIfCreated(), nullptr);
    EXPECT_EQ(tr_ResourceRegistry::Get(), nullptr);
    EXPECT_EQ(tr_SoundHub::Get(), nullptr);
}

} // namespace
