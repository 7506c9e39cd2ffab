#include "engine/objects/tr_Cursor.h"
#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_FrameInfo.h"
#include "engine/core/tr_InputEvent.h"
#include "engine/host/tr_EngineServices.h"
#include "engine/objects/tr_AnimSprite.h"
#include "engine/platform/headless/Tarrow_Headless.h"
#include "engine/platform/headless/tr_Cursor_Headless.h"
#include "engine/host/tr_InputScript.h"
#include "engine/platform/headless/tr_Render_Null.h"
#include "engine/render/tr_Texture.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/resources/media/tr_SoundHub.h"

#include "tests/engine/objects/anim/AnimTestContent.h"

#include <gtest/gtest.h>

namespace {

const char* const kGlint = "<animation frame_texture=\"glint_frames\">\n"
                           "  <function name=\"DoAnim\" frametime=\"100\" loop=\"1\">\n"
                           "    <frame idx=\"0\"/><frame idx=\"1\"/><frame idx=\"2\"/>\n"
                           "  </function>\n"
                           "</animation>\n";

class CursorTest : public ::testing::Test {
protected:
    void SetUp() override {
        content.WriteStrip("glint_frames", 3, 16, 16);
        content.WriteText("glint.xml", kGlint);
        // Both files: the animation must win over the picture.
        content.WriteStripImage("glint", 1, 8, 8);
        content.WriteStripImage("arrow", 1, 12, 20);
        render.Init(800, 600);
        render.SetRecording(true);

        none = cursor.AddShape("", 0, 0, tr_Cursor::SYSTEM_CURSOR_NONE);
        arrow = cursor.AddShape(content.Path("arrow"), 6, 10, tr_Cursor::SYSTEM_CURSOR_ARROW);
        glint = cursor.AddShape(content.Path("glint"), -3, 4, tr_Cursor::SYSTEM_CURSOR_SIZE_ALL);
        lost = cursor.AddShape(content.Path("no_such_art"), 0, 0, tr_Cursor::SYSTEM_CURSOR_HAND);
    }

    void Advance(float dt) {
        tr_FrameInfo frame;
        frame.dt = dt;
        cursor.Update(frame);
    }

    // Draws one frame's cursor and returns what reached the renderer.
    const std::vector<tr_Render_Null::RecordedDraw>& DrawCursor() {
        render.ClearRecordedDraws();
        render.BeginFrame();
        cursor.Draw(&render);
        render.EndFrame();
        return render.GetRecordedDraws();
    }

    int GlintFrame() const {
        return static_cast<const tr_AnimSprite*>(cursor.GetShape(glint)->object.get())->GetFrame();
    }

    AnimTestContent content{"tr_cursor_test"};
    tr_ResourceRegistry registry;
    tr_Render_Null render;
    tr_Cursor_Headless cursor;
    int none = -1, arrow = -1, glint = -1, lost = -1;
};

TEST_F(CursorTest, ShapesComeFromAnimationsThenPicturesThenNothing) {
    EXPECT_EQ(tr_Cursor::Get(), &cursor);
    EXPECT_EQ(cursor.GetShapeCount(), 4);
    EXPECT_EQ((std::vector<int>{none, arrow, glint, lost}), (std::vector<int>{0, 1, 2, 3}));

    const tr_CursorShape* animated = cursor.GetShape(glint);
    ASSERT_TRUE(animated && animated->object);
    EXPECT_TRUE(animated->animated);
    const auto* sprite = dynamic_cast<const tr_AnimSprite*>(animated->object.get());
    ASSERT_NE(sprite, nullptr);
    EXPECT_TRUE(sprite->IsPlaying());
    EXPECT_EQ(sprite->GetFunctions()[static_cast<size_t>(sprite->GetCurrentFunction())].name,
              "DoAnim");
    EXPECT_TRUE(sprite->GetEndTrigger().empty());
    EXPECT_TRUE(sprite->GetTexture());

    const tr_CursorShape* still = cursor.GetShape(arrow);
    ASSERT_TRUE(still && still->object);
    EXPECT_FALSE(still->animated);
    EXPECT_EQ(still->object->GetType(), "spr");
    EXPECT_EQ(still->offset_x, 6);
    EXPECT_EQ(still->offset_y, 10);
    EXPECT_EQ(still->system_cursor, static_cast<tr_SystemCursor>(32512));

    EXPECT_FALSE(cursor.GetShape(lost)->object);
    EXPECT_NE(cursor.GetShape(lost)->system_cursor, 0u);
    EXPECT_FALSE(cursor.GetShape(none)->object);
    EXPECT_EQ(cursor.GetShape(none)->system_cursor, 0u);
    EXPECT_EQ(cursor.GetShape(4), nullptr);
    EXPECT_EQ(cursor.GetShape(-1), nullptr);
}

TEST_F(CursorTest, SetCurrentIgnoresBadIndicesAndKeepsThePhaseOfTheShapeInUse) {
    cursor.SetCurrent(glint);
    Advance(0.1f);
    Advance(0.1f);
    ASSERT_EQ(GlintFrame(), 2);
    cursor.SetCurrent(glint);
    EXPECT_EQ(GlintFrame(), 2);
    Advance(0.1f);
    EXPECT_EQ(GlintFrame(), 0); // the loop went on from where it was

    cursor.SetCurrent(-1);
    cursor.SetCurrent(4);
    EXPECT_EQ(cursor.GetCurrent(), glint);
    cursor.SetCurrent(arrow);
    EXPECT_EQ(cursor.GetCurrent(), arrow);
}

TEST_F(CursorTest, OnlyTheCurrentAnimatedShapeAdvancesAndOnlyInEngineMode) {
    cursor.SetCurrent(arrow);
    Advance(0.1f);
    EXPECT_EQ(GlintFrame(), 0);
    cursor.SetCurrent(glint);
    cursor.SetSystemMode(true);
    Advance(0.1f);
    EXPECT_EQ(GlintFrame(), 0);
    cursor.SetSystemMode(false);
    Advance(0.1f);
    EXPECT_EQ(GlintFrame(), 1);
}

TEST_F(CursorTest, DrawsTheShapeAtThePositionPlusItsHotSpot) {
    cursor.SetCurrent(arrow);
    cursor.SetPosition(100, 200);
    EXPECT_FLOAT_EQ(cursor.GetX(), 100.0f);
    EXPECT_FLOAT_EQ(cursor.GetY(), 200.0f);
    auto draws = DrawCursor();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(static_cast<const tr_Resource*>(draws[0].texture),
              cursor.GetShape(arrow)->object->GetResource().get());
    EXPECT_FLOAT_EQ(draws[0].state.transform[12], 106.0f);
    EXPECT_FLOAT_EQ(draws[0].state.transform[13], 210.0f);
    EXPECT_FLOAT_EQ(draws[0].state.alpha, 1.0f);

    // The animated shape draws its current frame.
    cursor.SetCurrent(glint);
    Advance(0.1f);
    cursor.SetPosition(5, 7);
    draws = DrawCursor();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].state.frame, 1);
    EXPECT_FLOAT_EQ(draws[0].state.transform[12], 2.0f);
    EXPECT_FLOAT_EQ(draws[0].state.transform[13], 11.0f);
}

TEST_F(CursorTest, ShapesWithoutArtAndBadIndicesDrawNothing) {
    cursor.SetPosition(10, 10);
    EXPECT_TRUE(DrawCursor().empty()); // nothing selected yet
    cursor.SetCurrent(lost);
    EXPECT_TRUE(DrawCursor().empty());
    cursor.SetCurrent(none);
    EXPECT_TRUE(DrawCursor().empty());
    cursor.Draw(nullptr); // no renderer: nothing, no crash
}

TEST_F(CursorTest, HiddenAfterLeavingTheWindowUntilTheNextMove) {
    cursor.SetCurrent(arrow);
    cursor.SetPosition(30, 40);
    ASSERT_EQ(DrawCursor().size(), 1u);
    cursor.SetOutside();
    EXPECT_TRUE(cursor.IsOutside());
    EXPECT_TRUE(DrawCursor().empty());
    cursor.SetCurrent(glint); // switching shapes does not bring it back
    EXPECT_TRUE(DrawCursor().empty());
    cursor.SetPosition(31, 40);
    EXPECT_FALSE(cursor.IsOutside());
    EXPECT_EQ(DrawCursor().size(), 1u);
}

TEST_F(CursorTest, SystemModeDrawsNothingAndThePlatformCursorFollowsTheShape) {
    cursor.SetCurrent(arrow);
    cursor.SetPosition(50, 50);
    EXPECT_EQ(cursor.GetShown(), 0u); // engine mode hides the platform cursor

    cursor.SetSystemMode(true);
    EXPECT_TRUE(cursor.IsSystemMode());
    EXPECT_EQ(cursor.GetShown(), cursor.GetShape(arrow)->system_cursor);
    EXPECT_TRUE(DrawCursor().empty());

    cursor.SetCurrent(glint);
    EXPECT_EQ(cursor.GetShown(), cursor.GetShape(glint)->system_cursor);
    EXPECT_TRUE(DrawCursor().empty());

    // A shape without a system cursor keeps the last one until the mouse
    // moves, which then shows none.
    cursor.SetCurrent(none);
    EXPECT_EQ(cursor.GetShown(), cursor.GetShape(glint)->system_cursor);
    cursor.SetPosition(51, 50);
    EXPECT_EQ(cursor.GetShown(), 0u);

    // Moves over an unchanged shape leave the platform cursor alone.
    cursor.SetCurrent(lost);
    const int shows = cursor.GetShowCount();
    cursor.SetPosition(60, 60);
    cursor.SetPosition(61, 60);
    EXPECT_EQ(cursor.GetShowCount(), shows);

    cursor.SetSystemMode(false);
    EXPECT_EQ(cursor.GetShown(), 0u);
}

TEST_F(CursorTest, SelectsByIndexTextOrShapeName) {
    EXPECT_TRUE(cursor.SetCurrentByName("2"));
    EXPECT_EQ(cursor.GetCurrent(), glint);
    EXPECT_TRUE(cursor.SetCurrentByName("arrow"));
    EXPECT_EQ(cursor.GetCurrent(), arrow);
    EXPECT_TRUE(cursor.SetCurrentByName(content.Path("no_such_art")));
    EXPECT_EQ(cursor.GetCurrent(), lost);
    EXPECT_FALSE(cursor.SetCurrentByName("9"));
    EXPECT_FALSE(cursor.SetCurrentByName("2x"));
    EXPECT_FALSE(cursor.SetCurrentByName("cursor_hand"));
    EXPECT_FALSE(cursor.SetCurrentByName(""));
    EXPECT_FALSE(cursor.SetCurrentByName("99999999999999999999"));
    EXPECT_EQ(cursor.GetCurrent(), lost);
}

TEST(CursorServicesTest, TheEngineServicesMakeUpdateDrawAndReleaseTheCursor) {
    AnimTestContent content("tr_cursor_services_test");
    content.WriteStrip("spin_frames", 2, 8, 8);
    content.WriteText("spin.xml", "<animation frame_texture=\"spin_frames\"><function "
                                  "name=\"DoAnim\" frametime=\"50\" loop=\"1\"><frame idx=\"0\"/>"
                                  "<frame idx=\"1\"/></function></animation>");
    ASSERT_EQ(tr_Cursor::Get(), nullptr);
    Tarrow::Services services = tr_MakeEngineServices();
    services.create_platform_objects();
    tr_Cursor* cursor = tr_Cursor::Get();
    ASSERT_NE(cursor, nullptr);
    ASSERT_NE(tr_ResourceRegistry::Get(), nullptr); // made first: shapes load through it
    cursor->SetCurrent(cursor->AddShape(content.Path("spin"), 0, 0, 32649));
    cursor->SetPosition(3, 4);

    tr_FrameInfo frame;
    frame.dt = 0.05f;
    services.update_frame(&frame);
    EXPECT_EQ(static_cast<const tr_AnimSprite*>(cursor->GetShape(0)->object.get())->GetFrame(), 1);

    tr_Render_Null render;
    render.Init(64, 64);
    render.BeginFrame();
    services.draw_cursor(&render);
    EXPECT_EQ(render.GetDrawCount(), 1);
    services.cursor_left_window();
    EXPECT_TRUE(cursor->IsOutside());
    services.draw_cursor(&render);
    EXPECT_EQ(render.GetDrawCount(), 1);
    render.EndFrame();

    services.release_platform_objects();
    EXPECT_EQ(tr_Cursor::Get(), nullptr);
    EXPECT_EQ(tr_SoundHub::Get(), nullptr);
    services.release_engine_core();
    EXPECT_EQ(tr_ResourceRegistry::Get(), nullptr);
}

// The same rule in the running engine: the host marks the cursor outside when
// the mouse leaves, the mouse-move the core makes up every frame for hover
// must not bring it back, and the next real move does.
TEST(CursorEngineTest, StaysHiddenWhileFramesRunAfterTheMouseLeftUntilItMovesAgain) {
    AnimTestContent content("tr_cursor_engine_test");
    content.WriteStripImage("arrow", 1, 12, 20);
    tr_InputScript script;
    ASSERT_TRUE(script.Parse("1 move 30 40\n3 leave\n7 move 31 41\n", "test")) << script.GetError();

    Tarrow_Headless engine;
    engine.SetServices(tr_MakeEngineServices());
    engine.SetInput(script.GetEvents());
    engine.SetUpdateHook([](const tr_FrameInfo* frame) { tr_EngineCore::Get()->Update(frame); });
    engine.SetInputHook([](const tr_InputEvent* event) { tr_EngineCore::Get()->Input(event); });
    std::vector<int> draws_per_frame;
    int draws_before = 0;
    engine.SetFrameDrawnCallback([&](tr_Render& render, uint64_t) {
        const int draws = static_cast<tr_Render_Null&>(render).GetDrawCount();
        draws_per_frame.push_back(draws - draws_before);
        draws_before = draws;
    });
    ASSERT_TRUE(engine.Init(0, 0, 320, 240, false, "t"));
    tr_Cursor* cursor = tr_Cursor::Get();
    ASSERT_NE(cursor, nullptr);
    cursor->SetCurrent(cursor->AddShape(content.Path("arrow"), 0, 0, 32512));
    engine.SetFrameLimit(8);
    engine.Run();
    engine.Release();

    // Only the cursor draws: frames 3 to 6 run with the mouse outside.
    EXPECT_EQ(draws_per_frame, (std::vector<int>{1, 1, 0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(tr_Cursor::Get(), nullptr);
}

} // namespace
