// Draws through the GL renderer into a real window (Xvfb in the test run)
// and reads the pixels back.
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/render/tr_GeneratedTexture.h"
#include "engine/render/tr_IndexList.h"
#include "engine/render/tr_Screenshot.h"
#include "engine/render/tr_VertexList.h"
#include "engine/resources/images/tr_PngDecoder.h"

#include "tests/support/GlRenderTest.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int kWidth = 320;
const int kHeight = 240;

struct Rgb {
    int r, g, b;
};

class RenderGLTest : public GlRenderTest<kWidth, kHeight> {
protected:
    void TearDown() override {
        background_.reset();
        GlRenderTest::TearDown();
    }

    std::shared_ptr<tr_GeneratedTexture> Solid(float r, float g, float b, int size = 4) {
        auto texture = std::make_shared<tr_GeneratedTexture>();
        const float rgb[3] = {r, g, b};
        EXPECT_TRUE(texture->Create(size, size, rgb));
        return texture;
    }

    // Fills the screen with an opaque colour.
    void Background(float r, float g, float b) {
        tr_DrawState state;
        state.transform =
            tr_MakeTransform(kWidth / 2.0f, kHeight / 2.0f, 0, kWidth / 4.0f, kHeight / 4.0f);
        // Kept alive: a texture that dies sends the queued quads at once.
        background_ = Solid(r, g, b);
        render_->DrawQuad(background_, state);
    }

    void Finish() {
        render_->EndDraw();
        render_->EndFrame();
        ASSERT_TRUE(render_->ReadFrame(frame_, frame_width_, frame_height_));
        ASSERT_EQ(frame_width_, kWidth);
        ASSERT_EQ(frame_height_, kHeight);
    }

    Rgb Pixel(int x, int y) const {
        const uint32_t p = frame_[static_cast<size_t>(y) * frame_width_ + x];
        return Rgb{static_cast<int>((p >> 16) & 255), static_cast<int>((p >> 8) & 255),
                   static_cast<int>(p & 255)};
    }

    void ExpectPixel(int x, int y, int r, int g, int b, int tolerance = 2) const {
        const Rgb p = Pixel(x, y);
        EXPECT_NEAR(p.r, r, tolerance) << "at " << x << "," << y;
        EXPECT_NEAR(p.g, g, tolerance) << "at " << x << "," << y;
        EXPECT_NEAR(p.b, b, tolerance) << "at " << x << "," << y;
    }

    std::shared_ptr<tr_GeneratedTexture> background_;
    std::vector<uint32_t> frame_;
    int frame_width_ = 0;
    int frame_height_ = 0;
};

// A 4 x 4 texture whose texels are all different.
std::shared_ptr<tr_GeneratedTexture> Checker() {
    std::vector<uint32_t> texels(16);
    for (int i = 0; i < 16; ++i)
        texels[static_cast<size_t>(i)] = 0xFF000000u | static_cast<uint32_t>(i * 16) << 16 |
                                         static_cast<uint32_t>(255 - i * 16) << 8 |
                                         static_cast<uint32_t>((i % 2) * 255);
    auto texture = std::make_shared<tr_GeneratedTexture>();
    EXPECT_TRUE(texture->CreateFromPixels(reinterpret_cast<const uint8_t*>(texels.data()), 4, 4));
    return texture;
}

TEST_F(RenderGLTest, WholePixelQuadsArePointSampledExactlyAndHalfPixelsAreFiltered) {
    auto checker = Checker();
    render_->BeginFrame();
    render_->BeginDraw();
    tr_DrawState state;
    state.transform = tr_MakeTransform(102, 52, 0, 1, 1); // covers 100..103 x 50..53
    render_->DrawQuad(checker, state);
    state.transform = tr_MakeTransform(202.5f, 52, 0, 1, 1);
    render_->DrawQuad(checker, state);
    Finish();
    for (int i = 0; i < 16; ++i)
        ExpectPixel(100 + i % 4, 50 + i / 4, i * 16, 255 - i * 16, (i % 2) * 255, 0);
    // Shifted by half a pixel: linear filtering mixes neighbouring texels.
    const Rgb mixed = Pixel(201, 50);
    EXPECT_GT(mixed.b, 20);
    EXPECT_LT(mixed.b, 235);
}

TEST_F(RenderGLTest, BlendModesOnAKnownBackground) {
    // Background (0.4, 0.6, 0.8), source (1.0, 0.5, 0.25) at alpha 0.5.
    const int modes[4] = {TR_BLEND_NORMAL, TR_BLEND_ADD, TR_BLEND_INV_MULTIPLY, TR_BLEND_MULTIPLY};
    const float bg[3] = {0.4f, 0.6f, 0.8f};
    const float src[3] = {1.0f, 0.5f, 0.25f};
    render_->BeginFrame();
    render_->BeginDraw();
    Background(bg[0], bg[1], bg[2]);
    auto source = Solid(src[0], src[1], src[2], 20);
    for (int i = 0; i < 4; ++i) {
        tr_DrawState state;
        state.alpha = 0.5f;
        state.blend = modes[i];
        state.transform = tr_MakeTransform(30.0f + 40 * i, 30, 0, 1, 1);
        render_->DrawQuad(source, state);
    }
    Finish();
    for (int i = 0; i < 4; ++i) {
        for (int c = 0; c < 3; ++c) {
            float expected = 0.0f;
            switch (modes[i]) {
            case TR_BLEND_ADD:
                expected = src[c] * 0.5f + bg[c];
                break;
            case TR_BLEND_INV_MULTIPLY:
                expected = bg[c] * (1.0f - src[c]);
                break;
            case TR_BLEND_MULTIPLY:
                expected = bg[c] * src[c];
                break;
            default:
                expected = src[c] * 0.5f + bg[c] * 0.5f;
                break;
            }
            const int expected_byte = static_cast<int>(std::min(expected, 1.0f) * 255.0f + 0.5f);
            const Rgb p = Pixel(30 + 40 * i, 30);
            const int got = c == 0 ? p.r : (c == 1 ? p.g : p.b);
            EXPECT_NEAR(got, expected_byte, 3) << "mode " << modes[i] << " channel " << c;
        }
    }
}

// A batch of one blend mode uses that mode's own blend state; the result must
// be the one the shared dual-source state gives in a mixed batch.
TEST_F(RenderGLTest, EachBlendModeAloneMatchesItInAMixedBatch) {
    const int modes[4] = {TR_BLEND_NORMAL, TR_BLEND_ADD, TR_BLEND_INV_MULTIPLY, TR_BLEND_MULTIPLY};
    auto source = Solid(1.0f, 0.5f, 0.25f, 20);
    auto draw = [&](int mode, int i) {
        tr_DrawState state;
        state.alpha = 0.5f;
        state.blend = mode;
        state.transform = tr_MakeTransform(30.0f + 40 * i, 30, 0, 1, 1);
        render_->DrawQuad(source, state);
    };
    render_->BeginFrame();
    render_->BeginDraw();
    Background(0.4f, 0.6f, 0.8f);
    for (int i = 0; i < 4; ++i)
        draw(modes[i], i);
    Finish();
    Rgb mixed[4];
    for (int i = 0; i < 4; ++i)
        mixed[i] = Pixel(30 + 40 * i, 30);
    for (int i = 0; i < 4; ++i) {
        render_->BeginFrame();
        render_->BeginDraw();
        Background(0.4f, 0.6f, 0.8f);
        draw(modes[i], i);
        Finish();
        ExpectPixel(30 + 40 * i, 30, mixed[i].r, mixed[i].g, mixed[i].b, 0);
    }
}

TEST_F(RenderGLTest, QuadsThatChangeNoPixelAreNotSent) {
    auto red = Solid(1, 0, 0, 20);
    render_->BeginFrame();
    render_->BeginDraw();
    tr_DrawState state;
    state.alpha = 0.0f;
    state.transform = tr_MakeTransform(50, 50, 0, 1, 1);
    render_->DrawQuad(red, state);
    state.blend = TR_BLEND_ADD;
    render_->DrawQuad(red, state);
    state.alpha = 1.0f;
    state.blend = TR_BLEND_NORMAL;
    for (const tr_Matrix& away :
         {tr_MakeTransform(kWidth + 10.0f, 50, 0, 1, 1), tr_MakeTransform(-10, 50, 0, 1, 1),
          tr_MakeTransform(50, -10, 0, 1, 1), tr_MakeTransform(50, kHeight + 10.0f, 0, 1, 1)}) {
        state.transform = away;
        render_->DrawQuad(red, state);
    }
    Finish();
    EXPECT_EQ(render_->GetDrawCallCount(), 0);
    ExpectPixel(50, 50, 0, 0, 0, 0);

    // Multiplying ignores alpha, so a transparent multiply still darkens.
    render_->BeginFrame();
    render_->BeginDraw();
    Background(0.5f, 0.5f, 0.5f);
    auto cyan = Solid(0, 1, 1, 20);
    state.alpha = 0.0f;
    state.blend = TR_BLEND_MULTIPLY;
    state.transform = tr_MakeTransform(50, 50, 0, 1, 1);
    render_->DrawQuad(cyan, state);
    Finish();
    ExpectPixel(50, 50, 0, 128, 128);
}

TEST_F(RenderGLTest, NestedClipsDrawOnlyTheirIntersectionAndDisjointClipsNothing) {
    auto white = Solid(1, 1, 1);
    tr_DrawState full;
    full.transform =
        tr_MakeTransform(kWidth / 2.0f, kHeight / 2.0f, 0, kWidth / 4.0f, kHeight / 4.0f);
    render_->BeginFrame();
    render_->BeginDraw();
    ASSERT_TRUE(render_->PushClip(tr_Rect{20, 10, 100, 100}));
    ASSERT_TRUE(render_->PushClip(tr_Rect{60, 40, 100, 100}));
    render_->DrawQuad(white, full);
    render_->PopClip();
    render_->PopClip();
    ASSERT_TRUE(render_->PushClip(tr_Rect{200, 10, 30, 30}));
    ASSERT_TRUE(render_->PushClip(tr_Rect{250, 100, 30, 30}));
    render_->DrawQuad(white, full);
    Finish();
    ExpectPixel(60, 40, 255, 255, 255);
    ExpectPixel(119, 109, 255, 255, 255);
    ExpectPixel(59, 40, 0, 0, 0);
    ExpectPixel(60, 39, 0, 0, 0);
    ExpectPixel(120, 109, 0, 0, 0);
    ExpectPixel(119, 110, 0, 0, 0);
    ExpectPixel(210, 20, 0, 0, 0);
    ExpectPixel(260, 110, 0, 0, 0);
}

TEST_F(RenderGLTest, RenderToTextureKeepsOrientationAndSoftCopyKeepsFlatColour) {
    render_->BeginRenderToTexture(64, 32);
    tr_DrawState top_left;
    top_left.transform = tr_MakeTransform(16, 8, 0, 8, 4); // 32 x 16 in the top-left quarter
    render_->DrawQuad(Solid(1, 0, 0), top_left);
    std::shared_ptr<tr_Texture> target = render_->EndRenderToTexture();
    ASSERT_TRUE(target);
    EXPECT_FLOAT_EQ(target->GetWidth(), 64.0f);

    auto flat = Solid(0, 0.5f, 1, 32);
    std::shared_ptr<tr_Texture> soft = render_->MakeSoftCopy(flat, 41, 0, 2.0f);
    ASSERT_TRUE(soft);
    EXPECT_FLOAT_EQ(soft->GetWidth(), 42.0f);
    EXPECT_FLOAT_EQ(soft->GetHeight(), 32.0f);

    render_->BeginFrame();
    render_->BeginDraw();
    tr_DrawState at;
    at.transform = tr_MakeTransform(32, 16, 0, 1, 1); // target covers 0..63 x 0..31
    render_->DrawQuad(target, at);
    at.transform = tr_MakeTransform(221, 116, 0, 1, 1); // soft copy covers 200..241 x 100..131
    render_->DrawQuad(soft, at);
    Finish();
    ExpectPixel(2, 2, 255, 0, 0);
    ExpectPixel(30, 14, 255, 0, 0);
    ExpectPixel(34, 2, 0, 0, 0);
    ExpectPixel(2, 18, 0, 0, 0);
    // Inside, every shifted copy has the same colour, so blurring changes nothing.
    ExpectPixel(221, 116, 0, 128, 255, 3);
}

TEST_F(RenderGLTest, ADiscardedScreenKeepsItsPixelsWhileRenderTargetsStillDraw) {
    render_->BeginFrame();
    render_->BeginDraw();
    Background(0, 0, 1);
    Finish();
    ExpectPixel(160, 120, 0, 0, 255);

    // Neither the clear nor the quads of a discarded frame reach the screen,
    // but a texture drawn meanwhile holds what was drawn into it.
    render_->SetScreenDiscarded(true);
    render_->BeginFrame();
    render_->BeginDraw();
    Background(1, 0, 0);
    render_->BeginRenderToTexture(64, 32);
    tr_DrawState whole;
    whole.transform = tr_MakeTransform(32, 16, 0, 16, 8);
    render_->DrawQuad(Solid(0, 1, 0), whole);
    std::shared_ptr<tr_Texture> target = render_->EndRenderToTexture();
    ASSERT_TRUE(target);
    Background(1, 1, 0);
    Finish();
    ExpectPixel(160, 120, 0, 0, 255);

    render_->SetScreenDiscarded(false);
    render_->BeginFrame();
    render_->BeginDraw();
    tr_DrawState at;
    at.transform = tr_MakeTransform(32, 16, 0, 1, 1);
    render_->DrawQuad(target, at);
    Finish();
    ExpectPixel(10, 10, 0, 255, 0);
    ExpectPixel(160, 120, 0, 0, 0);
}

TEST_F(RenderGLTest, ClipsInsideARenderTargetKeepTheTargetsOrientation) {
    render_->BeginRenderToTexture(64, 32);
    ASSERT_TRUE(render_->PushClip(tr_Rect{8, 4, 16, 8}));
    tr_DrawState full;
    full.transform = tr_MakeTransform(32, 16, 0, 16, 8);
    render_->DrawQuad(Solid(0, 0, 1), full);
    render_->PopClip();
    std::shared_ptr<tr_Texture> target = render_->EndRenderToTexture();
    ASSERT_TRUE(target);

    render_->BeginFrame();
    render_->BeginDraw();
    tr_DrawState at;
    at.transform = tr_MakeTransform(132, 116, 0, 1, 1); // covers 100..163 x 100..131
    render_->DrawQuad(target, at);
    Finish();
    ExpectPixel(108, 104, 0, 0, 255);
    ExpectPixel(123, 111, 0, 0, 255);
    ExpectPixel(107, 104, 0, 0, 0);
    ExpectPixel(108, 103, 0, 0, 0);
    ExpectPixel(124, 111, 0, 0, 0);
    ExpectPixel(123, 112, 0, 0, 0);
}

TEST_F(RenderGLTest, BrightnessOverlayAddsWhiteOrDarkens) {
    for (float brightness : {1.5f, 0.5f, 1.0f}) {
        render_->BeginFrame();
        render_->BeginDraw();
        Background(0.5f, 0.5f, 0.5f);
        render_->EndDraw();
        render_->DrawBrightnessOverlay(brightness);
        render_->EndFrame();
        ASSERT_TRUE(render_->ReadFrame(frame_, frame_width_, frame_height_));
        const int expected = brightness > 1.0f ? 166 : (brightness < 1.0f ? 64 : 128);
        ExpectPixel(10, 10, expected, expected, expected, 2);
        ExpectPixel(kWidth - 1, kHeight - 1, expected, expected, expected, 2);
    }
}

TEST_F(RenderGLTest, QuadsShareDrawCallsAcrossTexturesAndBlendModes) {
    auto a = Solid(1, 0, 0);
    auto b = Solid(0, 1, 0);
    render_->BeginFrame();
    render_->BeginDraw();
    for (int i = 0; i < 50; ++i) {
        tr_DrawState state;
        state.transform = tr_MakeTransform(4.0f + 6 * i, 100, 0, 1, 1);
        render_->DrawQuad(a, state);
    }
    Finish();
    EXPECT_EQ(render_->GetDrawCallCount(), 1);
    ExpectPixel(4 + 6 * 49, 100, 255, 0, 0);

    // Alternating textures and blend modes (normal red, additive green on a
    // grey background) still go out together.
    render_->BeginFrame();
    render_->BeginDraw();
    Background(0.5f, 0.5f, 0.5f);
    for (int i = 0; i < 50; ++i) {
        tr_DrawState state;
        state.alpha = 0.5f;
        state.blend = i % 2 ? TR_BLEND_ADD : TR_BLEND_NORMAL;
        state.transform = tr_MakeTransform(4.0f + 6 * i, 100, 0, 1, 1);
        render_->DrawQuad(i % 2 ? b : a, state);
    }
    Finish();
    // The opaque background goes out alone, without blending.
    EXPECT_EQ(render_->GetDrawCallCount(), 2);
    ExpectPixel(4 + 6 * 48, 100, 191, 64, 64);
    ExpectPixel(4 + 6 * 49, 100, 128, 255, 128);

    // More texture / sampling pairs than texture units split the batch, as
    // does a change of clip rectangle.
    std::vector<std::shared_ptr<tr_GeneratedTexture>> many;
    for (int i = 0; i < 20; ++i)
        many.push_back(Solid(i / 20.0f, 0, 1));
    render_->BeginFrame();
    render_->BeginDraw();
    for (int i = 0; i < 20; ++i) {
        tr_DrawState state;
        state.transform = tr_MakeTransform(4.0f + 6 * i, 150, 0, 1, 1);
        render_->DrawQuad(many[static_cast<size_t>(i)], state);
    }
    ASSERT_TRUE(render_->PushClip(tr_Rect{0, 0, 100, 100}));
    render_->DrawQuad(a, tr_DrawState());
    Finish();
    EXPECT_EQ(render_->GetDrawCallCount(), 4);
    ExpectPixel(4 + 6 * 19, 150, 242, 0, 255);
}

// A large quad shares its batch with no other texture (each fragment of a
// batch samples every texture on a software rasteriser), small ones still
// share, and the pictures are those of the shared batch.
TEST_F(RenderGLTest, LargeQuadsAreBatchedWithTheirOwnTextureOnly) {
    auto red = Solid(1, 0, 0);
    auto green = Solid(0, 1, 0);
    struct Case {
        const char* what;
        float scales[3]; // of a red, a green and a red quad, in that order
        int draw_calls;
    };
    const Case cases[] = {
        {"all small", {2, 2, 2}, 1},
        {"large red first", {40, 2, 2}, 2},
        {"large green between", {2, 40, 2}, 3},
        {"large red last", {2, 2, 40}, 2},
    };
    for (const Case& c : cases) {
        render_->BeginFrame();
        render_->BeginDraw();
        for (int i = 0; i < 3; ++i) {
            tr_DrawState state;
            state.alpha = 0.5f;
            state.transform = tr_MakeTransform(60.0f + 100 * i, 100, 0, c.scales[i], c.scales[i]);
            render_->DrawQuad(i == 1 ? green : red, state);
        }
        Finish();
        EXPECT_EQ(render_->GetDrawCallCount(), c.draw_calls) << c.what;
        for (int i = 0; i < 3; ++i)
            ExpectPixel(60 + 100 * i, 100, i == 1 ? 0 : 128, i == 1 ? 128 : 0, 0);
    }
}

// The quad that makes the pending batch go out starts the next one: it is
// drawn, whatever sent the batch.
TEST_F(RenderGLTest, TheQuadThatSendsABatchIsDrawnInTheNext) {
    std::vector<std::shared_ptr<tr_GeneratedTexture>> others;
    for (int i = 0; i < 8; ++i)
        others.push_back(Solid(0, 0, (i + 1) / 8.0f));
    auto red = Solid(1, 0, 0);
    enum Cause { kSlotsFull, kClip, kOpaqueBatch, kLargeQuad };
    struct Case {
        const char* what;
        Cause cause;
        Rgb expected; // at the last quad, (200, 120)
    };
    const Case cases[] = {
        {"every texture slot taken", kSlotsFull, {255, 0, 0}},
        {"a new clip rectangle", kClip, {255, 0, 0}},
        {"a blended quad after an opaque batch", kOpaqueBatch, {128, 128, 128}},
        {"a large quad after small ones", kLargeQuad, {255, 0, 0}},
    };
    for (const Case& c : cases) {
        render_->BeginFrame();
        render_->BeginDraw();
        tr_DrawState last;
        last.transform = tr_MakeTransform(200, 120, 0, 1, 1);
        switch (c.cause) {
        case kSlotsFull:
            for (int i = 0; i < 8; ++i) {
                tr_DrawState state;
                state.transform = tr_MakeTransform(10.0f + 6 * i, 20, 0, 1, 1);
                render_->DrawQuad(others[static_cast<size_t>(i)], state);
            }
            break;
        case kClip:
            render_->DrawQuad(others[0], tr_DrawState());
            ASSERT_TRUE(render_->PushClip(tr_Rect{150, 100, 100, 50}));
            break;
        case kOpaqueBatch:
            Background(0, 1, 1);
            last.alpha = 0.5f;
            break;
        case kLargeQuad:
            render_->DrawQuad(others[0], tr_DrawState());
            last.transform = tr_MakeTransform(200, 120, 0, 40, 40);
            break;
        }
        render_->DrawQuad(red, last);
        if (c.cause == kClip)
            render_->PopClip();
        Finish();
        EXPECT_EQ(render_->GetDrawCallCount(), 2) << c.what;
        ExpectPixel(200, 120, c.expected.r, c.expected.g, c.expected.b);
    }
}

TEST_F(RenderGLTest, TextureRewrittenAfterADrawStillShowsWhatWasDrawn) {
    auto texture = std::make_shared<tr_GeneratedTexture>();
    std::vector<uint32_t> red(16, 0xFFFF0000u);
    std::vector<uint32_t> blue(16, 0xFF0000FFu);
    ASSERT_TRUE(texture->CreateFromPixels(reinterpret_cast<const uint8_t*>(red.data()), 4, 4));
    render_->BeginFrame();
    render_->BeginDraw();
    tr_DrawState state;
    state.transform = tr_MakeTransform(10, 10, 0, 1, 1);
    render_->DrawQuad(texture, state);
    ASSERT_TRUE(texture->UpdatePixels(reinterpret_cast<const uint8_t*>(blue.data()), 4, 4));
    state.transform = tr_MakeTransform(20, 10, 0, 1, 1);
    render_->DrawQuad(texture, state);
    Finish();
    ExpectPixel(10, 10, 255, 0, 0);
    ExpectPixel(20, 10, 0, 0, 255);
}

TEST_F(RenderGLTest, VertexListsIndexedListsAndLinesDrawInScreenSpace) {
    tr_VertexList vertices;
    ASSERT_TRUE(vertices.Create(6));
    // Two triangles covering 10..30 x 10..30 in yellow.
    const float corners[6][2] = {{10, 10}, {30, 10}, {10, 30}, {30, 10}, {10, 30}, {30, 30}};
    for (const auto& c : corners)
        vertices.AddVertex(c[0], c[1], 0, 0, 1, 1, 0, 1);
    tr_VertexList quad;
    ASSERT_TRUE(quad.Create(4));
    quad.AddVertex(50, 10, 0, 0, 0, 1, 1, 1);
    quad.AddVertex(70, 10, 0, 0, 0, 1, 1, 1);
    quad.AddVertex(50, 30, 0, 0, 0, 1, 1, 1);
    quad.AddVertex(70, 30, 0, 0, 0, 1, 1, 1);
    tr_IndexList indices;
    ASSERT_TRUE(indices.Create(6));
    for (uint16_t index : {0, 1, 2, 1, 2, 3})
        indices.AddIndex(index);

    render_->BeginFrame();
    render_->BeginDraw();
    render_->DrawVertexList(nullptr, vertices, tr_DrawState());
    render_->DrawIndexed(nullptr, quad, indices, tr_DrawState());
    tr_DrawState line_state;
    line_state.transform = tr_MakeTransform(0, 100, 0, 1, 1);
    render_->DrawLine(10.5f, 0.5f, 0, 100.5f, 0.5f, 0, 1, 0, 1, line_state);
    Finish();
    EXPECT_FALSE(vertices.IsLocked());
    ExpectPixel(20, 20, 255, 255, 0);
    ExpectPixel(31, 20, 0, 0, 0);
    ExpectPixel(60, 20, 0, 255, 255);
    ExpectPixel(50, 100, 255, 0, 255);
    ExpectPixel(50, 102, 0, 0, 0);
}

TEST_F(RenderGLTest, ScreenshotWritesTheFrameAsPng) {
    render_->BeginFrame();
    render_->BeginDraw();
    Background(0, 1, 0);
    render_->EndDraw();
    render_->EndFrame();
    const std::string path = ::testing::TempDir() + "tr_render_gl_shot.png";
    ASSERT_TRUE(tr_WriteScreenshot(*render_, path));
    tr_DecodedImage image;
    ASSERT_TRUE(tr_PngDecoder::Decode(path, image));
    EXPECT_EQ(image.width, kWidth);
    EXPECT_EQ(image.height, kHeight);
    EXPECT_EQ(image.pixels[1], 255); // green of the first pixel (blue, green, red, alpha)
    EXPECT_EQ(image.pixels[2], 0);
    std::remove(path.c_str());
}

} // namespace
