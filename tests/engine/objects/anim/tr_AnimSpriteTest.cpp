#include "engine/objects/tr_AnimSprite.h"
#include "engine/objects/tr_ObjectFactory.h"
#include "engine/platform/headless/tr_Render_Null.h"
#include "engine/render/tr_FrameTexture.h"
#include "engine/render/tr_Matrix.h"
#include "engine/resources/files/tr_ResourceRegistry.h"

#include "tests/engine/objects/anim/AnimTestContent.h"
#include "tests/engine/resources/text/LogCapture.h"
#include "tests/engine/scene/SceneTestDoubles.h"

#include <gtest/gtest.h>
#include <tinyxml2.h>

namespace {

const char* const kWalk =
    "<animation frame_texture=\"strip\">\n"
    "  <function name=\"loop3\" frametime=\"100\" loop=\"1\">\n"
    "    <frame idx=\"0\"/><frame idx=\"1\"/><frame idx=\"2\"/>\n"
    "  </function>\n"
    "  <function name=\"once3\" frametime=\"100\" loop=\"0\">\n"
    "    <frame idx=\"0\"/><frame idx=\"1\"/><frame idx=\"2\"/>\n"
    "  </function>\n"
    "  <function name=\"fade\" frametime=\"200\" loop=\"0\" alpha=\"1\">\n"
    "    <frame idx=\"1\"/><frame idx=\"3\"/>\n"
    "  </function>\n"
    "  <function name=\"fadeloop\" frametime=\"200\" loop=\"1\" alpha=\"1\">\n"
    "    <frame idx=\"2\"/><frame idx=\"3\"/>\n"
    "  </function>\n"
    "  <function name=\"instant\" frametime=\"0\" loop=\"1\" alpha=\"1\">\n"
    "    <frame idx=\"0\"/><frame idx=\"1\"/>\n"
    "  </function>\n"
    "  <function name=\"past_end\" frametime=\"100\" loop=\"1\">\n"
    "    <frame idx=\"9\"/><frame idx=\"-4\"/>\n"
    "  </function>\n"
    "  <function name=\"hollow\" frametime=\"100\" loop=\"1\"/>\n"
    "</animation>\n";

class AnimSpriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        content.WriteStrip("strip", 4, 10, 8);
        content.WriteText("walk.xml", kWalk);
        sprite.SetRes(content.Path("walk"));
        sprite.LoadResources();
        render.Init(200, 100);
        render.SetRecording(true);
    }

    // Runs one update of dt seconds and returns the frame shown after it.
    int Step(float dt) {
        tr_FrameInfo frame;
        frame.dt = dt;
        sprite.Update(frame);
        return sprite.GetFrame();
    }

    const std::vector<tr_Render_Null::RecordedDraw>& DrawOnce() {
        render.ClearRecordedDraws();
        render.BeginDraw();
        // As the scene draws it: the object's own state under a parent at
        // alpha 0.8.
        tr_DrawState parent;
        parent.alpha = 0.8f;
        parent.transform = tr_MakeTransform(50, 50, 0, 1, 1);
        sprite.Draw(&render, tr_Object::ComputeDrawState(&sprite, parent, 0));
        render.EndDraw();
        return render.GetRecordedDraws();
    }

    AnimTestContent content{"tr_animsprite_test"};
    tr_ResourceRegistry registry;
    LogCapture log;
    RecordingQueue queue;
    tr_Render_Null render;
    tr_AnimSprite sprite{"walker"};
};

TEST_F(AnimSpriteTest, TakesItsFunctionsAndFrameTextureFromTheResource) {
    EXPECT_EQ(sprite.GetType(), "anim");
    EXPECT_EQ(sprite.GetFunctions().size(), 7u);
    EXPECT_EQ(sprite.GetFrameTextureName(), content.Path("strip"));
    ASSERT_TRUE(sprite.GetTexture());
    EXPECT_NE(std::dynamic_pointer_cast<tr_FrameTexture>(sprite.GetTexture()), nullptr);
    EXPECT_FALSE(sprite.IsPlaying());
    EXPECT_EQ(sprite.GetCurrentFunction(), -1);
}

TEST_F(AnimSpriteTest, LoopingFunctionCyclesThroughItsFrames) {
    ASSERT_EQ(sprite.Play("loop3", "trg_never"), 1);
    std::vector<int> shown{sprite.GetFrame()};
    for (int i = 0; i < 6; ++i)
        shown.push_back(Step(0.1f));
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
    EXPECT_TRUE(sprite.IsPlaying());
    EXPECT_TRUE(queue.calls.empty());
}

TEST_F(AnimSpriteTest, NonLoopingFunctionStopsOnItsLastFrameAndQueuesTheEndTriggerOnce) {
    ASSERT_EQ(sprite.Play("once3", "trg_done(1)"), 1);
    EXPECT_EQ(Step(0.1f), 1);
    EXPECT_EQ(Step(0.1f), 2);
    EXPECT_TRUE(queue.calls.empty());
    EXPECT_EQ(Step(0.1f), 2);
    EXPECT_FALSE(sprite.IsPlaying());
    EXPECT_EQ(sprite.GetPosition(), 2);
    ASSERT_EQ(queue.calls.size(), 1u);
    EXPECT_EQ(queue.calls[0], std::make_pair(std::string("walker"), std::string("trg_done(1)")));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Step(0.1f), 2);
    EXPECT_EQ(queue.calls.size(), 1u);
}

TEST_F(AnimSpriteTest, ALongFrameAdvancesOneFrameAndCarriesTheOverrun) {
    sprite.Play("loop3", "");
    EXPECT_EQ(Step(0.35f), 1);
    EXPECT_NEAR(sprite.GetTimer(), -0.15f, 1e-5f);
    // The overrun is still owed: a tiny step advances again.
    EXPECT_EQ(Step(0.01f), 2);
    EXPECT_NEAR(sprite.GetTimer(), -0.06f, 1e-5f);
    EXPECT_EQ(Step(0.0f), 0);
    EXPECT_NEAR(sprite.GetTimer(), 0.04f, 1e-5f);
    EXPECT_EQ(Step(0.0f), 0); // time left on the frame: no advance
}

TEST_F(AnimSpriteTest, CrossFadeDrawsTheNextFrameOverTheCurrentOne) {
    ASSERT_EQ(sprite.Play("fade", ""), 1);
    Step(0.1f); // halfway through the first frame
    const auto& draws = DrawOnce();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].state.frame, 1);
    EXPECT_FLOAT_EQ(draws[0].state.alpha, 0.8f);
    EXPECT_EQ(draws[1].state.frame, 3);
    EXPECT_NEAR(draws[1].state.alpha, 0.4f, 1e-5f);

    // The last frame of a function that does not loop has nothing to fade into.
    Step(0.1f);
    EXPECT_EQ(sprite.GetFrame(), 3);
    Step(0.1f);
    EXPECT_TRUE(sprite.IsPlaying());
    EXPECT_EQ(DrawOnce().size(), 1u);
}

TEST_F(AnimSpriteTest, CrossFadeOfALoopWrapsToTheFirstFrame) {
    sprite.Play("fadeloop", "");
    Step(0.2f);
    EXPECT_EQ(sprite.GetFrame(), 3);
    Step(0.15f); // a quarter of the frame time left
    const auto& draws = DrawOnce();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[1].state.frame, 2);
    EXPECT_NEAR(draws[1].state.alpha, 0.75f * 0.8f, 1e-5f);

    // No cross-fade once paused, and none when stopped.
    sprite.SetPaused(true);
    EXPECT_EQ(DrawOnce().size(), 1u);
}

TEST_F(AnimSpriteTest, ZeroFrameTimeAdvancesEveryUpdateWithoutFading) {
    ASSERT_EQ(sprite.Play("instant", ""), 1);
    const auto& draws = DrawOnce();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].state.frame, 0);
    EXPECT_EQ(Step(0.016f), 1);
    EXPECT_EQ(Step(0.016f), 0);
    EXPECT_EQ(Step(0.0f), 1);
}

TEST_F(AnimSpriteTest, PauseFreezesAndResumeKeepsTheTimeLeft) {
    sprite.Play("loop3", "");
    Step(0.06f);
    sprite.SetPaused(true);
    EXPECT_FALSE(sprite.IsPlaying());
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(Step(0.1f), 0);
    sprite.SetPaused(false);
    EXPECT_EQ(Step(0.03f), 0);
    EXPECT_EQ(Step(0.02f), 1); // 0.04 was left when paused
}

TEST_F(AnimSpriteTest, PlayRefusesUnknownAndEmptyFunctionsWithoutChange) {
    sprite.Play("loop3", "trg_a");
    Step(0.1f);
    EXPECT_EQ(sprite.Play("LOOP3", "trg_b"), 0); // names compare exactly
    EXPECT_EQ(sprite.Play("hollow", "trg_b"), 0);
    EXPECT_EQ(sprite.GetCurrentFunction(), 0);
    EXPECT_EQ(sprite.GetFrame(), 1);
    EXPECT_EQ(sprite.GetEndTrigger(), "trg_a");

    sprite.Stop();
    EXPECT_FALSE(sprite.IsPlaying());
    EXPECT_EQ(sprite.GetFrame(), 0);
    EXPECT_EQ(sprite.GetCurrentFunction(), -1);
    EXPECT_EQ(Step(1.0f), 0);
}

TEST_F(AnimSpriteTest, FrameCountAndDurationByNameOrOfThePlayingFunction) {
    EXPECT_EQ(sprite.GetFunctionFrameCount("fade"), 2);
    EXPECT_FLOAT_EQ(sprite.GetFunctionDuration("fade"), 0.4f);
    EXPECT_EQ(sprite.GetFunctionFrameCount("nope"), 0);
    EXPECT_FLOAT_EQ(sprite.GetFunctionDuration("nope"), 0.0f);
    EXPECT_EQ(sprite.GetFunctionFrameCount(""), 0); // nothing playing
    sprite.Play("once3", "");
    EXPECT_EQ(sprite.GetFunctionFrameCount(""), 3);
    EXPECT_NEAR(sprite.GetFunctionDuration(""), 0.3f, 1e-6f);
}

TEST_F(AnimSpriteTest, TheInputRectangleFollowsTheFrameUnlessOneWasLoaded) {
    content.WriteStrip("mixed", 1, 30, 20);
    content.WriteText("mixed_anim.xml",
                      "<animation frame_texture=\"mixed\"><function name=\"a\" frametime=\"50\" "
                      "loop=\"1\"><frame idx=\"0\"/><frame idx=\"5\"/></function></animation>");
    tr_AnimSprite free_rect("free");
    free_rect.SetRes(content.Path("mixed_anim"));
    free_rect.LoadResources();
    EXPECT_FLOAT_EQ(free_rect.GetInputRect().w, 30.0f);
    EXPECT_FLOAT_EQ(free_rect.GetInputRect().x, -15.0f);
    free_rect.SetFrame(5); // beyond the texture's frames: an empty rectangle
    EXPECT_FLOAT_EQ(free_rect.GetInputRect().w, 0.0f);

    tr_AnimSprite fixed("fixed");
    fixed.SetInputRect(tr_Rect{1, 2, 3, 4});
    fixed.SetRes(content.Path("mixed_anim"));
    fixed.LoadResources();
    fixed.SetFrame(5);
    EXPECT_FLOAT_EQ(fixed.GetInputRect().w, 3.0f);
}

TEST_F(AnimSpriteTest, SavedPlayingSpriteRestartsItsFunctionWhenLoaded) {
    sprite.Play("loop3", "trg_end");
    Step(0.1f);
    Step(0.1f);
    MapHelper saved;
    sprite.Save(saved);
    EXPECT_EQ(saved.values["frame"], "2");
    EXPECT_EQ(saved.values["playing"], "1");
    EXPECT_EQ(saved.values["animfunc"], "loop3");
    EXPECT_EQ(saved.values["endtrig"], "trg_end");

    tr_AnimSprite copy("copy");
    copy.Load(saved);
    EXPECT_TRUE(copy.IsPlaying());
    EXPECT_EQ(copy.GetFrame(), 0); // Play starts at the first frame
    EXPECT_EQ(copy.GetPosition(), 0);
    EXPECT_EQ(copy.GetEndTrigger(), "trg_end");

    // A stopped sprite comes back stopped on its saved frame.
    sprite.SetPaused(true);
    MapHelper paused;
    sprite.Save(paused);
    tr_AnimSprite still("still");
    still.Load(paused);
    EXPECT_FALSE(still.IsPlaying());
    EXPECT_EQ(still.GetFrame(), 2);
    EXPECT_EQ(paused.values["animfunc"], "loop3");
}

TEST_F(AnimSpriteTest, ModuleElementsOfTypeAnimStartPlayingFromTheirAttributes) {
    const std::string xml = "<anim name='torch' res='" + content.Path("walk") +
                            "' frame='2' playing='1' animfunc='once3' endtrig='trg_out'/>";
    tinyxml2::XMLDocument document(true, tinyxml2::PRESERVE_WHITESPACE);
    ASSERT_EQ(document.Parse(xml.c_str()), tinyxml2::XML_SUCCESS);
    std::unique_ptr<tr_Object> made(
        tr_ObjectFactory::Get().CreateFromElement(document.FirstChildElement()));
    auto* torch = dynamic_cast<tr_AnimSprite*>(made.get());
    ASSERT_NE(torch, nullptr);
    EXPECT_EQ(torch->GetType(), "anim");
    EXPECT_TRUE(torch->IsPlaying());
    EXPECT_EQ(torch->GetFrame(), 0);
    EXPECT_EQ(torch->GetEndTrigger(), "trg_out");

    // Without "playing" the saved frame is simply shown.
    const std::string still_xml =
        "<anim name='still' res='" + content.Path("walk") + "' frame='2' animfunc='once3'/>";
    ASSERT_EQ(document.Parse(still_xml.c_str()), tinyxml2::XML_SUCCESS);
    std::unique_ptr<tr_Object> still(
        tr_ObjectFactory::Get().CreateFromElement(document.FirstChildElement()));
    auto* still_sprite = dynamic_cast<tr_AnimSprite*>(still.get());
    ASSERT_NE(still_sprite, nullptr);
    EXPECT_FALSE(still_sprite->IsPlaying());
    EXPECT_EQ(still_sprite->GetFrame(), 2);
}

TEST_F(AnimSpriteTest, AnotherResourceForgetsThePlayback) {
    content.WriteText("other.xml", "<animation frame_texture=\"strip\"><function name=\"x\" "
                                   "frametime=\"10\" loop=\"1\"><frame idx=\"3\"/></function>"
                                   "</animation>");
    sprite.Play("loop3", "trg_end");
    sprite.SetRes(content.Path("other"));
    EXPECT_FALSE(sprite.IsPlaying());
    EXPECT_EQ(sprite.GetCurrentFunction(), -1);
    EXPECT_TRUE(sprite.GetEndTrigger().empty());
    ASSERT_EQ(sprite.GetFunctions().size(), 1u);
    EXPECT_EQ(sprite.GetFunctions()[0].name, "x");
    EXPECT_TRUE(sprite.AreResourcesLoaded());
    EXPECT_TRUE(sprite.GetTexture());
}

TEST_F(AnimSpriteTest, BadAnimationFilesLeaveAnInvisibleSprite) {
    // Missing file: logged, no functions, no texture, nothing drawn.
    tr_AnimSprite missing("missing");
    missing.SetRes(content.Path("absent"));
    missing.LoadResources();
    EXPECT_EQ(log.CountStartingWith("Error: animres " + content.Path("absent")), 1);
    EXPECT_TRUE(missing.GetFunctions().empty());
    EXPECT_FALSE(missing.GetTexture());
    EXPECT_EQ(missing.Play("loop3", "trg"), 0);
    render.BeginDraw();
    missing.Draw(&render, tr_DrawState());
    EXPECT_EQ(render.GetDrawCount(), 0);

    // Malformed XML: the same.
    content.WriteText("torn.xml", "<animation frame_texture=\"strip\"><function");
    tr_AnimSprite torn("torn");
    torn.SetRes(content.Path("torn"));
    torn.LoadResources();
    EXPECT_TRUE(torn.GetFunctions().empty());
    EXPECT_FALSE(torn.GetTexture());

    // Functions but no frame texture: they play, nothing shows.
    content.WriteText("blind.xml", "<animation frame_texture=\"nowhere\"><function name=\"a\" "
                                   "frametime=\"10\" loop=\"0\"><frame idx=\"0\"/></function>"
                                   "</animation>");
    tr_AnimSprite blind("blind");
    blind.SetRes(content.Path("blind"));
    blind.LoadResources();
    EXPECT_GE(log.CountStartingWith("Error: frametexture"), 1);
    EXPECT_FALSE(blind.GetTexture());
    EXPECT_EQ(blind.Play("a", "trg_blind"), 1);
    tr_FrameInfo frame;
    frame.dt = 0.02f;
    blind.Update(frame);
    EXPECT_EQ(queue.calls.size(), 1u);
}

TEST_F(AnimSpriteTest, FramesMissingFromTheTextureDrawEmptyAndKeepPlaying) {
    ASSERT_EQ(sprite.Play("past_end", ""), 1);
    EXPECT_EQ(sprite.GetFrame(), 9);
    for (int step = 0; step < 3; ++step) {
        for (const auto& draw : DrawOnce()) {
            const tr_Rect rect = sprite.GetTexture()->GetRect(draw.state);
            EXPECT_FLOAT_EQ(rect.w * rect.h, 0.0f) << "frame " << draw.state.frame;
        }
        EXPECT_EQ(Step(0.1f), step % 2 == 0 ? -4 : 9);
    }
    EXPECT_TRUE(sprite.IsPlaying());
}

} // namespace
