// Complex animations: track evaluation (cubic, easing, steps, looping
// tracks), function playback with the end trigger, the hidden subtrees of
// unreached nodes, and drawing.
#include "engine/objects/tr_ComplexAnim.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/scene/tr_AnimCurve.h"

#include "tests/engine/objects/anim/AnimTestContent.h"
#include "tests/engine/objects/cutout/CaptureRender.h"
#include "tests/engine/resources/text/LogCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

tr_ComplexAnimTrack Track(std::vector<tr_ComplexAnimKey> keys, bool loop = false) {
    tr_ComplexAnimTrack track;
    track.keys = std::move(keys);
    track.loop = loop;
    return track;
}

tr_ComplexAnimKey Key(float time, float value, int interp = 0) {
    tr_ComplexAnimKey key;
    key.time = key.forward_time = key.backward_time = time;
    key.value = key.forward_value = key.backward_value = value;
    key.interp = interp;
    return key;
}

TEST(ComplexAnimTrack, InterpolatesByTheFirstKeysCurve) {
    for (float s : {0.0f, 0.1f, 0.25f, 0.5f, 0.8f, 1.0f}) {
        float value = -1.0f;
        // A cubic without handles is the smooth step.
        tr_ComplexAnimTrack cubic = Track({Key(0, 0, 4), Key(1, 10)});
        ASSERT_TRUE(cubic.Evaluate(s, value));
        EXPECT_NEAR(value, 10.0f * s * s * (3.0f - 2.0f * s), 1e-4f) << s;
        for (int interp : {0, 1, 2, 3, 7}) {
            tr_ComplexAnimTrack eased = Track({Key(2, 4, interp), Key(4, -6)});
            ASSERT_TRUE(eased.Evaluate(2 + 2 * s, value));
            EXPECT_NEAR(value, tr_AnimCurve::Ease(interp, 4, -6, s), 1e-5f) << interp;
        }
    }
    // Handles shape the cubic; their times are not used.
    tr_ComplexAnimKey from = Key(0, 0, 4);
    from.forward_value = 30;
    from.forward_time = 99;
    tr_ComplexAnimTrack handled = Track({from, Key(1, 10)});
    float value = 0.0f;
    handled.Evaluate(0.5f, value);
    EXPECT_NEAR(value, 3 * 0.5f * 0.25f * 30 + 3 * 0.25f * 0.5f * 10 + 0.125f * 10, 1e-4f);
}

TEST(ComplexAnimTrack, EdgesStepsAndLooping) {
    const struct {
        const char* what;
        tr_ComplexAnimTrack track;
        float at;
        bool has_value;
        float value;
    } cases[] = {
        {"before the first key", Track({Key(1, 5), Key(2, 6)}), 0.5f, false, 0},
        {"no keys", Track({}), 0.5f, false, 0},
        {"past the end holds", Track({Key(0, 5), Key(2, 6)}), 9.0f, true, 6},
        {"equal times step", Track({Key(0, 5), Key(1, 7), Key(1, 8)}), 1.0f, true, 8},
        {"a key time that is no number steps", Track({Key(0, 1), Key(NAN, 3)}), 0.5f, true, 3},
        {"loop wraps", Track({Key(1, 0), Key(3, 10)}, true), 4.0f, true, 5},
        {"loop wraps many periods", Track({Key(1, 0), Key(3, 10)}, true), 40.5f, true, 7.5f},
        {"loop of period 0 holds", Track({Key(2, 4), Key(2, 9)}, true), 1e6f, true, 9},
    };
    for (const auto& c : cases) {
        tr_ComplexAnimTrack track = c.track;
        float value = -123.0f;
        EXPECT_EQ(track.Evaluate(c.at, value), c.has_value) << c.what;
        if (c.has_value) {
            EXPECT_NEAR(value, c.value, 1e-4f) << c.what;
        }
    }
}

const char* const kPuppet =
    "<anim><objs>"
    "<obj name=\"body\" res=\"body\" pos_x=\"100\" drawoff_x=\"-5\" blendmode=\"2\">"
    "  <obj name=\"arm\" res=\"arm\" pos_x=\"10\"><obj name=\"hand\" res=\"arm\"/></obj>"
    "</obj>"
    "<obj name=\"ghost\" res=\"arm\"><obj name=\"eye\" res=\"arm\"/></obj>"
    "</objs><funcs>"
    "<func name=\"wave\" loop=\"0\">"
    "  <obj name=\"body\"><anim tp=\"alpha\"><fr t=\"0\" v=\"1\"/><fr t=\"2\" v=\"0.5\"/></anim>"
    "  </obj>"
    "  <obj name=\"arm\"><anim tp=\"angle\"><fr t=\"0\" v=\"0\"/><fr t=\"1\" v=\"1\"/></anim>"
    "    <anim tp=\"scale_x\"><fr t=\"0\" v=\"2\"/></anim></obj>"
    "  <obj name=\"hand\"><anim tp=\"frame\"><fr t=\"0\" v=\"0\"/><fr t=\"2\" v=\"3\"/></anim>"
    "  </obj>"
    "  <obj name=\"eye\"><anim tp=\"pos_y\"><fr t=\"0\" v=\"7\"/></anim></obj>"
    "  <obj name=\"nobody\"><anim tp=\"pos_y\"><fr t=\"0\" v=\"7\"/></anim></obj>"
    "</func>"
    "<func name=\"spin\" loop=\"1\">"
    "  <obj name=\"ghost\"><anim tp=\"color_g\"><fr t=\"0\" v=\"0\"/><fr t=\"0.5\" v=\"1\"/></anim>"
    "  </obj></func>"
    "</funcs></anim>";

class ComplexAnimTest : public ::testing::Test {
protected:
    void SetUp() override {
        content.WriteText("parts/puppet.xml", kPuppet);
        content.WriteStripImage("parts/body", 1, 20, 10);
        content.WriteStrip("parts/arm", 4, 6, 6);
        anim.SetRes(content.Path("parts\\puppet"));
        anim.LoadResources();
    }
    void Step(float dt) {
        tr_FrameInfo frame;
        frame.dt = frame.raw_dt = dt;
        anim.Update(frame);
    }
    const tr_ComplexAnimNode& Node(const char* name) { return *anim.GetData().FindNode(name); }

    AnimTestContent content{"tr_complexanim_test"};
    tr_ResourceRegistry registry;
    LogCapture log;
    RecordingQueue queue;
    tr_ComplexAnim anim{"puppet"};
};

TEST_F(ComplexAnimTest, AOneShotStopsAtItsDurationKeepsItsLastPoseAndFiresOnce) {
    EXPECT_FALSE(anim.Play("no_such_function", "x"));
    EXPECT_FALSE(anim.IsPlaying());
    ASSERT_TRUE(anim.Play("wave", "trg_waved"));
    for (int i = 0; i < 59; ++i)
        Step(1.0f / 30.0f);
    EXPECT_TRUE(anim.IsPlaying());
    EXPECT_NEAR(Node("body").state.alpha, 0.5f + 0.5f / 60.0f, 1e-3f);
    for (int i = 0; i < 30; ++i)
        Step(1.0f / 30.0f);
    EXPECT_FALSE(anim.IsPlaying());
    EXPECT_FLOAT_EQ(anim.GetElapsed(), 2.0f);
    ASSERT_EQ(queue.calls.size(), 1u);
    EXPECT_EQ(queue.calls[0], std::make_pair(std::string("puppet"), std::string("trg_waved")));
    EXPECT_FLOAT_EQ(Node("body").state.alpha, 0.5f);
    EXPECT_EQ(Node("hand").state.frame, 3);
    EXPECT_FLOAT_EQ(Node("arm").angle, 1.0f);
}

TEST_F(ComplexAnimTest, UnreachedNodesHideTheirSubtreeAndTheRestDrawsComposed) {
    anim.Play("wave", "");
    Step(1.0f); // body alpha 0.75, arm angle 1, hand frame 1
    tr_DrawState state;
    state.alpha = 0.8f;
    state.transform = tr_MakeTransform(0, 50, 0, 1, 1);
    CaptureRender render;
    anim.Draw(&render, state);
    // ghost is in no track, so eye is hidden although "wave" animates it.
    EXPECT_FALSE(Node("ghost").visible);
    ASSERT_EQ(render.draws.size(), 3u);
    const tr_DrawState& body = render.draws[0].state;
    EXPECT_NEAR(body.alpha, 0.6f, 1e-5f);
    EXPECT_FLOAT_EQ(body.offset_x, -5.0f);
    EXPECT_EQ(body.blend, 2);
    EXPECT_FLOAT_EQ(body.transform[12], 100.0f);
    EXPECT_FLOAT_EQ(body.transform[13], 50.0f);
    const tr_DrawState& arm = render.draws[1].state;
    EXPECT_NEAR(arm.alpha, 0.6f, 1e-5f); // the parent node's colour carries down
    const tr_Matrix expected =
        tr_MakeTransform(10, 0, 1, 2, 1) * tr_MakeTransform(100, 0, 0, 1, 1) * state.transform;
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(arm.transform[i], expected[i], 1e-4f) << i;
    EXPECT_EQ(render.draws[2].state.frame, 1);
    EXPECT_EQ(render.draws[2].texture, render.draws[1].texture);

    anim.Play("spin", "");
    Step(0.25f);
    EXPECT_TRUE(Node("ghost").visible);
    EXPECT_FALSE(Node("body").visible);
    EXPECT_FALSE(Node("eye").visible);
    EXPECT_NEAR(Node("ghost").state.green, 0.5f, 1e-5f);
    Step(0.5f); // wraps: 0.75 - 0.5
    EXPECT_TRUE(anim.IsPlaying());
    EXPECT_NEAR(anim.GetElapsed(), 0.25f, 1e-5f);
    EXPECT_TRUE(queue.calls.empty());
}

TEST_F(ComplexAnimTest, AttributesSelectAndRestartFunctions) {
    MapHelper helper;
    helper.values = {{"animfunc", "wave"}, {"endtrig", "trg_a"}};
    anim.Load(helper);
    EXPECT_FALSE(anim.IsPlaying());
    EXPECT_TRUE(Node("body").visible); // posed once at elapsed 0
    helper.values = {{"animfunc", "spin"}, {"playing", "1"}};
    anim.Load(helper);
    EXPECT_TRUE(anim.IsPlaying());
    EXPECT_EQ(anim.GetFunction(), "spin");
    EXPECT_EQ(anim.GetEndTrigger(), "trg_a");
    EXPECT_FALSE(Node("body").visible);
    anim.SetPaused(true);
    Step(0.2f);
    EXPECT_FLOAT_EQ(anim.GetElapsed(), 0.0f);
    MapHelper saved;
    anim.Save(saved);
    EXPECT_EQ(saved.values["animfunc"], "spin");
    EXPECT_EQ(saved.values["playing"], "0");

    tr_ComplexAnim missing("missing");
    missing.SetRes(content.Path("nothing"));
    EXPECT_EQ(log.CountStartingWith("Error: resource file not found"), 1);
    EXPECT_FALSE(missing.Play("wave", ""));
    CaptureRender render;
    missing.Draw(&render, tr_DrawState());
    EXPECT_TRUE(render.draws.empty());
}

} // namespace
