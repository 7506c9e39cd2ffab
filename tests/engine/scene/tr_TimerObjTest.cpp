#include "engine/scene/tr_TimerObj.h"
#include "engine/scene/tr_Scene.h"

#include "tests/engine/scene/SceneTestDoubles.h"

#include <gtest/gtest.h>

namespace {

const tr_FrameInfo kFrame{1.0f / 60.0f, 1.0f / 60.0f, 0.0f};

TEST(tr_TimerObj, FiresOnTheFrameWhereAccumulatedTimeReachesItsTime) {
    RecordingQueue queue;
    tr_Scene scene;
    tr_TimerObj* timer = new tr_TimerObj("countdown");
    tr_Object::Attach(scene.GetDisplayRoot(), timer);
    MapHelper start;
    start.values["time"] = "1.0";
    start.values["playing"] = "1";
    start.values["endtrig"] = "Ring(2)";
    timer->Load(start);

    int fired_on = 0;
    for (int frame = 1; frame <= 70 && fired_on == 0; ++frame) {
        scene.Update(kFrame);
        if (!queue.calls.empty())
            fired_on = frame;
    }
    EXPECT_EQ(fired_on, 60);
    EXPECT_FALSE(timer->IsPlaying());
    EXPECT_EQ(timer->GetTime(), 0.0f);
    ASSERT_EQ(queue.calls.size(), 1u);
    EXPECT_EQ(queue.calls[0], std::make_pair(std::string("countdown"), std::string("Ring(2)")));
    scene.Update(kFrame);
    EXPECT_EQ(queue.calls.size(), 1u);
}

TEST(tr_TimerObj, LongCountdownsEndOnTheExactFrameOfAFixedFrameTime) {
    const struct {
        float time;
        float dt;
        int frames;
    } cases[] = {{30.0f, 1.0f / 60.0f, 1800}, {120.0f, 1.0f / 60.0f, 7200},
                 {45.0f, 1.0f / 90.0f, 4050}, {10.0f, 0.1f, 100}};
    for (const auto& c : cases) {
        RecordingQueue queue;
        tr_TimerObj timer("countdown");
        timer.SetEndTrigger("Ring");
        timer.SetTime(c.time);
        timer.SetPlaying(true);
        const tr_FrameInfo frame{c.dt, c.dt, 0.0f};
        int fired_on = 0;
        for (int n = 1; n <= c.frames + 2 && fired_on == 0; ++n) {
            timer.Update(frame);
            if (!queue.calls.empty())
                fired_on = n;
        }
        EXPECT_EQ(fired_on, c.frames) << c.time << " s at " << c.dt;
    }
}

TEST(tr_TimerObj, ZeroTimeFiresAtOnceAndPausedTimerHolds) {
    RecordingQueue queue;
    tr_TimerObj timer("t");
    timer.SetEndTrigger("Go");
    timer.SetPlaying(true);
    timer.Update(kFrame);
    EXPECT_EQ(queue.calls.size(), 1u);

    timer.SetTime(0.5f);
    timer.Update(kFrame); // not playing: holds
    EXPECT_EQ(timer.GetTime(), 0.5f);
    timer.SetEndTrigger("");
    timer.SetPlaying(true);
    timer.Update(tr_FrameInfo{0.5f, 0.5f, 0.0f});
    EXPECT_FALSE(timer.IsPlaying());
    EXPECT_EQ(queue.calls.size(), 1u); // an empty end trigger queues nothing
}

TEST(tr_TimerObj, InfiniteTimerCountsUpAndNeverFires) {
    RecordingQueue queue;
    tr_TimerObj timer("t");
    timer.SetInfinite(true);
    timer.SetPlaying(true);
    timer.SetEndTrigger("Never");
    for (int i = 0; i < 120; ++i)
        timer.Update(kFrame);
    EXPECT_NEAR(timer.GetTime(), 2.0f, 1e-4f);
    EXPECT_TRUE(timer.IsPlaying());
    EXPECT_TRUE(queue.calls.empty());
}

TEST(tr_TimerObj, AttributesRoundTripAfterTheBaseOnes) {
    tr_TimerObj timer("t");
    timer.SetTime(3.5f);
    timer.SetEndTrigger("*x = 1");
    timer.SetInfinite(true);
    MapHelper helper;
    timer.Save(helper);
    ASSERT_GE(helper.keys.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(helper.keys.end() - 4, helper.keys.end()),
              (std::vector<std::string>{"infinite", "endtrig", "playing", "time"}));
    tr_TimerObj copy;
    copy.Load(helper);
    EXPECT_EQ(copy.GetType(), "timer");
    EXPECT_EQ(copy.GetTime(), 3.5f);
    EXPECT_EQ(copy.GetEndTrigger(), "*x = 1");
    EXPECT_TRUE(copy.IsInfinite());
    EXPECT_FALSE(copy.IsPlaying());
}

TEST(tr_TimerObj, StoredTimerDoesNotCount) {
    tr_Scene scene;
    tr_TimerObj* timer = new tr_TimerObj("stored");
    tr_Object::Attach(scene.GetStorageRoot(), timer);
    timer->SetTime(1.0f);
    timer->SetPlaying(true);
    scene.Update(kFrame);
    EXPECT_EQ(timer->GetTime(), 1.0f);
    tr_Object::Attach(scene.GetDisplayRoot(), timer);
    scene.Update(kFrame);
    EXPECT_LT(timer->GetTime(), 1.0f);
}

} // namespace
