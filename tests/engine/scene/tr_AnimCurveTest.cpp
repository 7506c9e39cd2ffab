#include "engine/scene/tr_AnimCurve.h"
#include "engine/scene/tr_Modifier.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_TimerObj.h"

#include "tests/engine/scene/SceneTestDoubles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

tr_FrameInfo Frame(float dt) {
    return tr_FrameInfo{dt, dt, 0.0f};
}

TEST(tr_AnimCurve, EasingsUseTheirCurvesBetweenKeys) {
    EXPECT_FLOAT_EQ(tr_AnimCurve::Ease(tr_AnimCurve::LINEAR, 10.0f, 20.0f, 0.25f), 12.5f);
    EXPECT_NEAR(tr_AnimCurve::Ease(tr_AnimCurve::EASE_IN, 0.0f, 1.0f, 0.5f), 0.2928932f, 1e-5f);
    EXPECT_NEAR(tr_AnimCurve::Ease(tr_AnimCurve::EASE_OUT, 0.0f, 1.0f, 0.5f), 0.7071068f, 1e-5f);
    EXPECT_NEAR(tr_AnimCurve::Ease(tr_AnimCurve::EASE_IN_OUT, 0.0f, 1.0f, 0.25f), 0.1464466f,
                1e-5f);
    // The easing of the later key shapes the segment; codes match within 0.0001.
    const float keys[] = {0.0f, 0.0f, 0.0f, 1.0f, 2.00005f, 1.0f};
    tr_AnimCurve curve(keys, 2, 1, false);
    float out[3];
    ASSERT_TRUE(curve.Advance(0.5f, out));
    EXPECT_NEAR(out[0], 0.7071068f, 1e-5f);
}

TEST(tr_AnimCurve, ThreeComponentsInterpolateAndEndOnLastKey) {
    const float keys[] = {0.0f, 0.0f, 0.0f, 10.0f, 100.0f, 1.0f, 0.0f, 1.0f, 20.0f, 300.0f};
    tr_AnimCurve curve(keys, 2, 3, false);
    float out[3];
    ASSERT_TRUE(curve.Advance(0.5f, out));
    EXPECT_FLOAT_EQ(out[0], 0.5f);
    EXPECT_FLOAT_EQ(out[1], 15.0f);
    EXPECT_FLOAT_EQ(out[2], 200.0f);
    EXPECT_FALSE(curve.TakeCycleEnded());
    ASSERT_TRUE(curve.Advance(0.75f, out));
    EXPECT_FLOAT_EQ(out[2], 300.0f);
    EXPECT_TRUE(curve.IsFinished());
    EXPECT_TRUE(curve.TakeCycleEnded());
    EXPECT_FALSE(curve.Advance(0.1f, out));
}

TEST(tr_AnimCurve, InvalidInputIsFinishedFromTheStart) {
    const float keys[] = {0.0f, 0.0f, 1.0f};
    float out[3];
    EXPECT_TRUE(tr_AnimCurve(nullptr, 1, 1, false).IsFinished());
    EXPECT_TRUE(tr_AnimCurve(keys, 0, 1, false).IsFinished());
    EXPECT_TRUE(tr_AnimCurve(keys, 1, 0, false).IsFinished());
    tr_AnimCurve four(keys, 1, 4, true);
    EXPECT_FALSE(four.Advance(0.1f, out));
}

TEST(tr_AnimCurve, EqualTimeKeysStepInsteadOfDividingByZero) {
    // First two keys share time 0.5 and elapsed is still before them.
    const float keys[] = {0.5f, 0.0f, 1.0f, 0.5f, 0.0f, 5.0f, 1.0f, 0.0f, 9.0f};
    tr_AnimCurve curve(keys, 3, 1, false);
    float out[3];
    ASSERT_TRUE(curve.Advance(0.1f, out));
    EXPECT_FLOAT_EQ(out[0], 5.0f);
    // A jump written as two keys at time 1.
    const float backwards[] = {0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 4.0f, 1.0f, 0.0f, 8.0f};
    tr_AnimCurve jump(backwards, 3, 1, false);
    ASSERT_TRUE(jump.Advance(0.5f, out));
    EXPECT_FLOAT_EQ(out[0], 2.0f);
    ASSERT_TRUE(jump.Advance(0.6f, out)); // past both keys at 1.0: last key
    EXPECT_FLOAT_EQ(out[0], 8.0f);
    EXPECT_TRUE(std::isfinite(out[0]));
}

TEST(tr_Modifier, KindTableNamesAndStrides) {
    EXPECT_EQ(tr_Modifier::KindFromName("pos_xy"), TR_MOD_POS_XY);
    EXPECT_EQ(tr_Modifier::KindFromName("color_rgb"), TR_MOD_RGB);
    EXPECT_EQ(tr_Modifier::KindFromName("time"), TR_MOD_ATTRIBUTE);
    EXPECT_EQ(tr_Modifier::ValuesPerKey(TR_MOD_POS_XY), 4);
    EXPECT_EQ(tr_Modifier::ValuesPerKey(TR_MOD_RGB), 5);
    EXPECT_EQ(tr_Modifier::ValuesPerKey(TR_MOD_NONE), 3);
    EXPECT_EQ(tr_Modifier::ValuesPerKey(14), 0);
    EXPECT_EQ(tr_Modifier::ValuesPerKey(-1), 0);
}

TEST(tr_ObjectModifiers, AbsoluteAlphaClampsRelativeMultiplies) {
    const float keys[] = {0.0f, 0.0f, 1.5f, 10.0f, 0.0f, 1.5f};
    tr_Object absolute("abs");
    ASSERT_TRUE(absolute.AddModifier(TR_MOD_ALPHA, "", false, false, "", keys, 6));
    absolute.Update(Frame(0.1f));
    EXPECT_FLOAT_EQ(absolute.GetAlpha(), 1.0f);
    EXPECT_FLOAT_EQ(tr_Object::ComputeDrawState(&absolute, tr_DrawState(), 0).alpha, 1.0f);

    tr_Object relative("rel");
    relative.SetAlpha(0.5f);
    ASSERT_TRUE(relative.AddModifier(TR_MOD_ALPHA, "", false, true, "", keys, 6));
    relative.Update(Frame(0.1f));
    EXPECT_FLOAT_EQ(relative.GetAlpha(), 0.5f);
    EXPECT_FLOAT_EQ(relative.GetModifierState().alpha, 1.5f);
    EXPECT_FLOAT_EQ(tr_Object::ComputeDrawState(&relative, tr_DrawState(), 0).alpha, 0.75f);
}

TEST(tr_ObjectModifiers, RelativeOffsetsAreRebuiltEachUpdateAndMoveTheMatrix) {
    tr_Object obj("o");
    obj.SetPosition(100.0f, 0.0f);
    const float keys[] = {0.0f, 0.0f, 0.0f, 5.0f, 1.0f, 0.0f, 10.0f, 15.0f};
    ASSERT_TRUE(obj.AddModifier(TR_MOD_POS_XY, "", false, true, "", keys, 8));
    obj.Update(Frame(0.5f));
    tr_Matrix m = tr_Object::ComputeDrawState(&obj, tr_DrawState(), 0).transform;
    EXPECT_FLOAT_EQ(m[12], 105.0f);
    EXPECT_FLOAT_EQ(m[13], 10.0f);
    obj.Update(Frame(0.6f)); // last key, then removed
    EXPECT_EQ(obj.GetModifierCount(), 0u);
    m = tr_Object::ComputeDrawState(&obj, tr_DrawState(), 0).transform;
    EXPECT_FLOAT_EQ(m[12], 110.0f);
    obj.Update(Frame(0.1f)); // offsets back to neutral
    m = tr_Object::ComputeDrawState(&obj, tr_DrawState(), 0).transform;
    EXPECT_FLOAT_EQ(m[12], 100.0f);
    EXPECT_FLOAT_EQ(m[13], 0.0f);
    EXPECT_EQ(obj.GetPosX(), 100.0f);
}

TEST(tr_ObjectModifiers, LoopingCurveRunsEndCodePerCycleOneShotOnceThenRemoved) {
    RecordingQueue queue;
    tr_Object obj("spinner");
    const float keys[] = {0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 6.0f};
    ASSERT_TRUE(obj.AddModifier(TR_MOD_ANGLE, "", true, false, "Cycle", keys, 6));
    ASSERT_TRUE(obj.AddModifier(TR_MOD_SCALE_X, "", false, false, "Once", keys, 6));
    for (int i = 0; i < 4; ++i)
        obj.Update(Frame(0.6f)); // ends at 1.2 (cycle restarts at 0), 1.2, ...
    int cycles = 0;
    int once = 0;
    for (const auto& call : queue.calls) {
        EXPECT_EQ(call.first, "spinner");
        cycles += call.second == "Cycle";
        once += call.second == "Once";
    }
    EXPECT_EQ(cycles, 2);
    EXPECT_EQ(once, 1);
    EXPECT_EQ(obj.GetModifierCount(), 1u);
    EXPECT_FLOAT_EQ(obj.GetScaleX(), 6.0f);
}

TEST(tr_ObjectModifiers, OnePerKindAndRefusedKinds) {
    tr_Object obj("o");
    const float keys[] = {0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 2.0f, 7.0f}; // cut to two keys
    EXPECT_TRUE(obj.AddModifier(TR_MOD_POS_X, "", false, false, "", keys, 7));
    EXPECT_TRUE(obj.AddModifier(TR_MOD_POS_X, "", false, false, "", keys, 7));
    EXPECT_TRUE(obj.AddModifier(TR_MOD_ATTRIBUTE, "pos_z", false, false, "", keys, 7));
    EXPECT_TRUE(obj.AddModifier(TR_MOD_ATTRIBUTE, "scale_y", false, false, "", keys, 7));
    EXPECT_EQ(obj.GetModifierCount(), 3u);
    EXPECT_FALSE(obj.AddModifier(TR_MOD_ATTRIBUTE, "", false, false, "", keys, 7));
    EXPECT_FALSE(obj.AddModifier(14, "", false, false, "", keys, 7));
    EXPECT_FALSE(obj.AddModifier(-3, "", false, false, "", keys, 7));
    EXPECT_TRUE(obj.RemoveModifier(TR_MOD_ATTRIBUTE, "scale_y"));
    EXPECT_FALSE(obj.RemoveModifier(TR_MOD_ATTRIBUTE, "scale_y"));
    EXPECT_EQ(obj.GetModifierCount(), 2u);
    obj.Update(Frame(0.5f));
    EXPECT_FLOAT_EQ(obj.GetPosX(), 1.5f);
    EXPECT_FLOAT_EQ(obj.GetPosZ(), 1.5f); // named attribute through the object's Load
}

TEST(tr_ObjectModifiers, NamedAttributeReachesSubclassLoad) {
    tr_TimerObj timer("t");
    const float keys[] = {0.0f, 0.0f, 2.0f, 2.0f, 0.0f, 4.0f};
    ASSERT_TRUE(timer.AddModifier(TR_MOD_ATTRIBUTE, "time", false, false, "", keys, 6));
    timer.Update(Frame(1.0f));
    EXPECT_FLOAT_EQ(timer.GetTime(), 3.0f);
}

} // namespace
