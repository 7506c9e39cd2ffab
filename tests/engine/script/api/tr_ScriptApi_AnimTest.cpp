// Animated sprite script functions, and the functions of the particle type
// the engine does not have yet leaving every object alone.
#include "ScriptApiFixture.h"

#include "engine/objects/tr_AnimSprite.h"
#include "tests/engine/objects/anim/AnimTestContent.h"

namespace {

const char* const kSpin = "<animation frame_texture=\"strip\">\n"
                          "  <function name=\"spin\" frametime=\"100\" loop=\"1\">\n"
                          "    <frame idx=\"0\"/><frame idx=\"1\"/><frame idx=\"2\"/>\n"
                          "  </function>\n"
                          "  <function name=\"once\" frametime=\"100\" loop=\"0\">\n"
                          "    <frame idx=\"2\"/><frame idx=\"1\"/>\n"
                          "  </function>\n"
                          "</animation>\n";

class ScriptApiAnimTest : public ScriptApiTest {
protected:
    void SetUp() override {
        ScriptApiTest::SetUp();
        content.WriteStrip("strip", 3, 8, 8);
        content.WriteText("spin.xml", kSpin);
        sprite = AddOwned(new tr_AnimSprite("spinner"));
        sprite->SetRes(content.Path("spin"));
        ASSERT_EQ(sprite->GetFunctions().size(), 2u);
    }
    void Step(float dt) {
        tr_FrameInfo frame;
        frame.dt = frame.raw_dt = dt;
        Scene().Update(frame);
    }

    AnimTestContent content{"script_api_anim"};
    tr_AnimSprite* sprite = nullptr;
};

} // namespace

TEST_F(ScriptApiAnimTest, AnmPlayStopAndPauseDriveTheSprite) {
    Run("AnmPlay('spinner', 'spin', 'trg_spun')");
    EXPECT_TRUE(sprite->IsPlaying());
    EXPECT_EQ(sprite->GetEndTrigger(), "trg_spun");
    Step(0.15f);
    EXPECT_EQ(sprite->GetFrame(), 1);

    Run("AnmPause('spinner', 1)");
    EXPECT_FALSE(sprite->IsPlaying());
    Step(0.3f);
    EXPECT_EQ(sprite->GetFrame(), 1);
    Run("AnmPause('spinner', 0)");
    EXPECT_TRUE(sprite->IsPlaying());
    Run("AnmPause('spinner', 0.5)"); // rounds to 0: not a pause
    EXPECT_TRUE(sprite->IsPlaying());
    Run("AnmPause('spinner', 2)");
    EXPECT_FALSE(sprite->IsPlaying());

    Run("AnmPlay('spinner', 'once')");
    EXPECT_TRUE(sprite->IsPlaying());
    EXPECT_EQ(sprite->GetEndTrigger(), "");
    EXPECT_EQ(sprite->GetFrame(), 2);
    Run("AnmStop('spinner')");
    EXPECT_FALSE(sprite->IsPlaying());
    EXPECT_EQ(sprite->GetFrame(), 0);
    EXPECT_EQ(sprite->GetCurrentFunction(), -1);

    // An unknown function changes nothing.
    Run("AnmPlay('spinner', 'nope', 'x')");
    EXPECT_FALSE(sprite->IsPlaying());
}

TEST_F(ScriptApiAnimTest, AnimationFunctionsIgnoreOtherTypesAndUnknownNames) {
    tr_Object* plain = Add("plain");
    plain->SetPosition(1.0f, 2.0f);
    Run("AnmPlay('plain', 'spin', 'x'); AnmStop('plain'); AnmPause('plain', 1)");
    Run("AnmPlay('nobody', 'spin'); AnmPlay(nil, 'spin'); AnmStop({})");
    for (const char* call :
         {"PartSysStart('spinner')", "PartSysPause('spinner', 1)", "PartSysStop('spinner', 1)",
          "PartSysRestart('plain')", "PartSysSetMaskObj('spinner', 'plain')",
          "FlashAnmPlay('spinner', 'x')", "FlashAnmStop('spinner')", "FlashAnmPause('spinner', 1)",
          "FlashAnmAttachChildToObj('spinner', 'plain', 3)", "ComplexAnmPlay('spinner', 'spin')",
          "ComplexAnmStop('spinner')", "ComplexAnmPause('spinner', 1)",
          "GridSet('spinner', 0, {0, {pos_x = 1}})", "GridPlay('spinner', 'x')",
          "GridStop('spinner')", "GridPause('spinner', 1)"}) {
        Run(call);
    }
    EXPECT_FALSE(sprite->IsPlaying());
    EXPECT_EQ(sprite->GetFrame(), 0);
    EXPECT_FLOAT_EQ(plain->GetPosX(), 1.0f);
    EXPECT_EQ(plain->GetChildren().size(), 0u);
    EXPECT_TRUE(log.lines.empty());
}
