#include "engine/platform/headless/tr_Render_Null.h"
#include "engine/render/tr_GeneratedTexture.h"
#include "engine/render/tr_IndexList.h"
#include "engine/render/tr_Matrix.h"
#include "engine/render/tr_VertexList.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<tr_Texture> MakeTexture(int width, int height) {
    auto texture = std::make_shared<tr_GeneratedTexture>();
    const float grey[3] = {0.5f, 0.5f, 0.5f};
    EXPECT_TRUE(texture->Create(width, height, grey));
    return texture;
}

void ExpectRect(const tr_Rect& r, float x, float y, float w, float h) {
    EXPECT_FLOAT_EQ(r.x, x);
    EXPECT_FLOAT_EQ(r.y, y);
    EXPECT_FLOAT_EQ(r.w, w);
    EXPECT_FLOAT_EQ(r.h, h);
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        render.Init(800.0f, 600.0f);
        render.SetRecording(true);
    }
    tr_Render_Null render;
};

TEST_F(RenderTest, InitMakesTheRendererCurrentAndDestructionForgetsIt) {
    EXPECT_EQ(tr_Render::Current(), &render);
    {
        tr_Render_Null other;
        other.Init(10.0f, 10.0f);
        EXPECT_EQ(tr_Render::Current(), &other);
    }
    EXPECT_EQ(tr_Render::Current(), nullptr);
}

TEST_F(RenderTest, ClipStackIntersectsNestedRectanglesAndPopsBack) {
    ExpectRect(render.GetViewRect(), 0, 0, 800, 600);
    ASSERT_TRUE(render.PushClip(tr_Rect{100, 50, 400, 300}));
    ASSERT_TRUE(render.PushClip(tr_Rect{300, 200, 400, 400}));
    ExpectRect(render.GetViewRect(), 300, 200, 200, 150);
    render.PopClip();
    ExpectRect(render.GetViewRect(), 100, 50, 400, 300);
    render.PopClip();
    render.PopClip(); // empty stack: nothing happens
    ExpectRect(render.GetViewRect(), 0, 0, 800, 600);
}

TEST_F(RenderTest, DisjointClipsGiveAZeroSizeViewAndZeroSizedClipsAreRefused) {
    EXPECT_FALSE(render.PushClip(tr_Rect{10, 10, 0, 50}));
    EXPECT_FALSE(render.PushClip(tr_Rect{10, 10, 50, 0}));
    ExpectRect(render.GetViewRect(), 0, 0, 800, 600);
    ASSERT_TRUE(render.PushClip(tr_Rect{0, 0, 100, 100}));
    ASSERT_TRUE(render.PushClip(tr_Rect{200, 300, 50, 50}));
    const tr_Rect view = render.GetViewRect();
    EXPECT_FLOAT_EQ(view.w, 0.0f);
    EXPECT_FLOAT_EQ(view.h, 0.0f);
    render.BeginDraw(); // a new drawing pass starts with an empty stack
    ExpectRect(render.GetViewRect(), 0, 0, 800, 600);
}

TEST_F(RenderTest, DrawsOutsideTheBracketOrWithBadAlphaAreIgnored) {
    auto texture = MakeTexture(8, 8);
    tr_DrawState state;
    render.DrawQuad(texture, state);
    EXPECT_EQ(render.GetDrawCount(), 0);

    render.BeginDraw();
    render.DrawQuad(texture, state);
    render.DrawQuad(nullptr, state);
    state.alpha = 1.01f;
    render.DrawQuad(texture, state);
    state.alpha = -0.01f;
    render.DrawQuad(texture, state);
    render.EndDraw();
    render.DrawQuad(texture, tr_DrawState());
    EXPECT_EQ(render.GetDrawCount(), 1);
}

TEST_F(RenderTest, RenderTargetViewAndDrawsWithoutDrawingBracket) {
    render.BeginRenderToTexture(64, 32);
    ExpectRect(render.GetViewRect(), 0, 0, 64, 32);
    render.DrawQuad(MakeTexture(4, 4), tr_DrawState());
    std::shared_ptr<tr_Texture> target = render.EndRenderToTexture();
    ASSERT_TRUE(target);
    EXPECT_FLOAT_EQ(target->GetWidth(), 64.0f);
    EXPECT_FLOAT_EQ(target->GetHeight(), 32.0f);
    ASSERT_EQ(render.GetRecordedDraws().size(), 1u);
    EXPECT_TRUE(render.GetRecordedDraws()[0].to_render_target);
    ExpectRect(render.GetViewRect(), 0, 0, 800, 600);
}

TEST_F(RenderTest, FailedRenderTargetLeavesDrawingOnTheScreen) {
    render.GetDevice().SetMaxSize(256);
    render.BeginRenderToTexture(1000, 1000);
    ExpectRect(render.GetViewRect(), 0, 0, 800, 600);
    render.DrawQuad(MakeTexture(4, 4), tr_DrawState());
    EXPECT_EQ(render.GetDrawCount(), 0);
    EXPECT_FALSE(render.EndRenderToTexture());
}

TEST_F(RenderTest, SoftCopyRoundsOddWidthsAndDrawsNinePasses) {
    auto source = MakeTexture(400, 300);
    std::shared_ptr<tr_Texture> copy = render.MakeSoftCopy(source, 801, 0, 3.0f);
    ASSERT_TRUE(copy);
    EXPECT_FLOAT_EQ(copy->GetWidth(), 802.0f);
    EXPECT_FLOAT_EQ(copy->GetHeight(), 300.0f);

    const auto& draws = render.GetRecordedDraws();
    ASSERT_EQ(draws.size(), 10u);
    // Pass 1 stretches the source over the target.
    EXPECT_EQ(draws[0].texture, source.get());
    EXPECT_FLOAT_EQ(draws[0].state.transform[0], 802.0f / 400.0f);
    EXPECT_FLOAT_EQ(draws[0].state.transform[12], 401.0f);
    EXPECT_FLOAT_EQ(draws[0].state.transform[13], 150.0f);
    // Pass 2: centre copy, four diagonal shifts at 0.2, four axis shifts at 0.1.
    const float expected[9][3] = {{0, 0, 1.0f},  {-3, -3, 0.2f}, {3, -3, 0.2f},
                                  {-3, 3, 0.2f}, {3, 3, 0.2f},   {-3, 0, 0.1f},
                                  {3, 0, 0.1f},  {0, -3, 0.1f},  {0, 3, 0.1f}};
    for (int i = 0; i < 9; ++i) {
        const auto& draw = draws[static_cast<size_t>(i) + 1];
        EXPECT_NE(draw.texture, source.get());
        EXPECT_EQ(draw.state.blend, TR_BLEND_NORMAL);
        EXPECT_FLOAT_EQ(draw.state.transform[12], 401.0f + expected[i][0]) << i;
        EXPECT_FLOAT_EQ(draw.state.transform[13], 150.0f + expected[i][1]) << i;
        EXPECT_FLOAT_EQ(draw.state.alpha, expected[i][2]) << i;
    }
    EXPECT_FALSE(render.MakeSoftCopy(nullptr, 10, 10, 1.0f));
}

TEST_F(RenderTest, BrightnessOverlayBrightensDarkensOrStaysAway) {
    render.DrawBrightnessOverlay(1.0f);
    EXPECT_EQ(render.GetDrawCount(), 0);

    render.DrawBrightnessOverlay(1.5f);
    render.DrawBrightnessOverlay(0.5f);
    const auto& draws = render.GetRecordedDraws();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].state.blend, TR_BLEND_ADD);
    EXPECT_FLOAT_EQ(draws[0].state.alpha, 0.15f);
    EXPECT_EQ(draws[1].state.blend, TR_BLEND_NORMAL);
    EXPECT_FLOAT_EQ(draws[1].state.alpha, 0.5f);
    for (const auto& draw : draws) {
        // The 4 x 4 texture stretched over the whole screen.
        float x = draw.quad.vertices[0].x;
        float y = draw.quad.vertices[0].y;
        draw.state.transform.TransformPoint(x, y);
        EXPECT_FLOAT_EQ(x, 0.0f);
        EXPECT_FLOAT_EQ(y, 0.0f);
        x = draw.quad.vertices[3].x;
        y = draw.quad.vertices[3].y;
        draw.state.transform.TransformPoint(x, y);
        EXPECT_FLOAT_EQ(x, 800.0f);
        EXPECT_FLOAT_EQ(y, 600.0f);
    }
    // The overlay closes its own drawing bracket.
    render.DrawQuad(MakeTexture(2, 2), tr_DrawState());
    EXPECT_EQ(render.GetDrawCount(), 2);
}

TEST_F(RenderTest, ListsAreUnlockedAndCountedInWholeTrianglesAndLinesCarryTheirColour) {
    tr_VertexList vertices;
    ASSERT_TRUE(vertices.Create(8));
    for (int i = 0; i < 7; ++i)
        vertices.AddVertex(static_cast<float>(i), 0, 0, 0, 1, 1, 1, 1);
    tr_IndexList indices;
    ASSERT_TRUE(indices.Create(6));
    for (uint16_t index : {0, 1, 2, 2, 1})
        indices.AddIndex(index);
    tr_VertexList without_buffer;

    render.BeginDraw();
    render.DrawVertexList(nullptr, vertices, tr_DrawState());
    render.DrawIndexed(nullptr, vertices, indices, tr_DrawState());
    render.DrawVertexList(nullptr, without_buffer, tr_DrawState());
    tr_DrawState line_state;
    line_state.alpha = 0.5f;
    render.DrawLine(1, 2, 9, 3, 4, 9, 1, 0, 0, line_state);
    render.EndDraw();

    EXPECT_FALSE(vertices.IsLocked());
    EXPECT_FALSE(indices.IsLocked());
    const auto& draws = render.GetRecordedDraws();
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[0].primitive_count, 2); // 7 vertices: two whole triangles
    EXPECT_EQ(draws[1].primitive_count, 1); // 5 indices: one whole triangle
    EXPECT_EQ(draws[2].kind, tr_Render_Null::DrawKind::kLine);
    EXPECT_EQ(draws[2].quad.vertices[0].color, 0x80FF0000u);
    EXPECT_FLOAT_EQ(draws[2].quad.vertices[1].x, 3.0f);
}

} // namespace
