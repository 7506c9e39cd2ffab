// The renderer's fast paths (indexed programs, normal and additive quads
// sharing one plain blend state on the screen) draw the same pictures as the
// general paths: every batch of mixed textures and modes, drawn both ways,
// on the screen and into a render target, within one level per channel.
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/render/tr_GeneratedTexture.h"
#include "engine/render/tr_VertexList.h"

#include "tests/support/GlRenderTest.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

const int kWidth = 200;
const int kHeight = 150;

class FastPathsGLTest : public GlRenderTest<kWidth, kHeight> {
protected:
    void SetUp() override {
        GlRenderTest::SetUp();
        if (IsSkipped())
            return;
        for (int t = 0; t < 3; ++t)
            textures_.push_back(Texture(t));
        const float grey[3] = {0.3f, 0.45f, 0.6f};
        background_ = std::make_shared<tr_GeneratedTexture>();
        ASSERT_TRUE(background_->Create(4, 4, grey));
    }
    void TearDown() override {
        textures_.clear();
        background_.reset();
        GlRenderTest::TearDown();
    }

    // 8 x 8 texels of varied colour and alpha, different for each t.
    static std::shared_ptr<tr_GeneratedTexture> Texture(int t) {
        std::vector<uint32_t> texels(64);
        for (uint32_t i = 0; i < 64; ++i) {
            const uint32_t alpha = (i * 37u + t * 90u) % 256u;
            texels[i] = alpha << 24 | ((i * 11u + t * 70u) % 256u) << 16 |
                        ((i * 29u + 40u) % 256u) << 8 | ((200u - i * 3u * t) % 256u);
        }
        auto texture = std::make_shared<tr_GeneratedTexture>();
        EXPECT_TRUE(
            texture->CreateFromPixels(reinterpret_cast<const uint8_t*>(texels.data()), 8, 8));
        return texture;
    }

    // Overlapping turned quads, cycling through the given blend modes and
    // the first `textures` textures, tinted or all white.
    void DrawQuads(const std::vector<int>& modes, int textures, bool tinted) {
        for (int i = 0; i < 30; ++i) {
            tr_DrawState state;
            state.blend = modes[static_cast<size_t>(i) % modes.size()];
            if (tinted) {
                state.red = 0.5f + 0.5f * static_cast<float>(i % 3) / 2.0f;
                state.green = 1.0f - 0.1f * static_cast<float>(i % 4);
                state.alpha = 0.35f + 0.65f * static_cast<float>(i % 5) / 4.0f;
            }
            state.transform = tr_MakeTransform(30.0f + 5.0f * i, 40.0f + 3.0f * (i % 7), 0.3f * i,
                                               3.0f + 0.1f * (i % 4), 3.0f);
            render_->DrawQuad(textures_[static_cast<size_t>(i % textures)], state);
        }
    }

    void DrawBackground() {
        tr_DrawState state;
        state.transform =
            tr_MakeTransform(kWidth / 2.0f, kHeight / 2.0f, 0, kWidth / 4.0f, kHeight / 4.0f);
        render_->DrawQuad(background_, state);
    }

    // The frame drawn with the fast paths on or off. Into a render target,
    // the quads land on a cleared (transparent) picture, which is then drawn
    // over the background so that its alpha shows.
    std::vector<uint32_t> Frame(bool fast, const std::vector<int>& modes, int textures, bool tinted,
                                bool to_target) {
        render_->SetFastPaths(fast);
        std::shared_ptr<tr_Texture> target;
        if (to_target) {
            render_->BeginRenderToTexture(kWidth, kHeight);
            DrawQuads(modes, textures, tinted);
            target = render_->EndRenderToTexture();
            EXPECT_TRUE(target);
        }
        render_->BeginFrame();
        render_->BeginDraw();
        DrawBackground();
        if (target) {
            tr_DrawState at;
            at.transform = tr_MakeTransform(kWidth / 2.0f, kHeight / 2.0f, 0, 1, 1);
            render_->DrawQuad(target, at);
        } else {
            DrawQuads(modes, textures, tinted);
        }
        render_->EndDraw();
        render_->EndFrame();
        std::vector<uint32_t> frame;
        int width = 0;
        int height = 0;
        EXPECT_TRUE(render_->ReadFrame(frame, width, height));
        return frame;
    }

    std::vector<std::shared_ptr<tr_GeneratedTexture>> textures_;
    std::shared_ptr<tr_GeneratedTexture> background_;
};

TEST_F(FastPathsGLTest, MixedBatchesLookTheSameOnBothPaths) {
    const std::vector<int> normal_add = {TR_BLEND_NORMAL, TR_BLEND_ADD};
    const std::vector<int> all_modes = {TR_BLEND_NORMAL, TR_BLEND_ADD, TR_BLEND_MULTIPLY,
                                        TR_BLEND_NORMAL, TR_BLEND_INV_MULTIPLY};
    struct Case {
        const char* what;
        std::vector<int> modes;
        int textures;
        bool tinted;
        bool to_target;
    };
    const Case cases[] = {
        {"normal and add, two textures", normal_add, 2, true, false},
        {"normal and add, three textures, white", normal_add, 3, false, false},
        {"normal and add, one texture", normal_add, 1, true, false},
        {"every mode, three textures", all_modes, 3, true, false},
        {"normal and add into a render target", normal_add, 2, true, true},
        {"every mode into a render target", all_modes, 3, true, true},
    };
    for (const Case& c : cases) {
        const std::vector<uint32_t> general =
            Frame(false, c.modes, c.textures, c.tinted, c.to_target);
        const std::vector<uint32_t> fast = Frame(true, c.modes, c.textures, c.tinted, c.to_target);
        ASSERT_EQ(fast.size(), general.size()) << c.what;
        int differing = 0;
        for (size_t i = 0; i < fast.size(); ++i) {
            for (int shift : {16, 8, 0}) {
                const int a = static_cast<int>((fast[i] >> shift) & 0xFF);
                const int b = static_cast<int>((general[i] >> shift) & 0xFF);
                if (std::abs(a - b) > 1 && differing++ < 3)
                    ADD_FAILURE() << c.what << ": pixel " << i % kWidth << "," << i / kWidth
                                  << " shift " << shift << ": " << a << " instead of " << b;
            }
        }
        EXPECT_EQ(differing, 0) << c.what;
        // The quads did draw: the frame is not the bare background.
        EXPECT_NE(general[static_cast<size_t>(45) * kWidth + 100], general[5]) << c.what;
    }
}

// Quads take one corner's colour on the fast paths; vertex lists, whose
// corners differ, still blend their colours across each triangle.
TEST_F(FastPathsGLTest, VertexListsBlendTheirCornerColours) {
    tr_VertexList vertices;
    ASSERT_TRUE(vertices.Create(6));
    // Red on the left edge, blue on the right, over 20..120 x 20..60.
    const float corners[6][2] = {{20, 20}, {120, 20}, {20, 60}, {120, 20}, {20, 60}, {120, 60}};
    for (const auto& c : corners) {
        const float right = c[0] > 100 ? 1.0f : 0.0f;
        vertices.AddVertex(c[0], c[1], 0, 0, 1 - right, 0, right, 1);
    }
    for (bool fast : {true, false}) {
        render_->SetFastPaths(fast);
        render_->BeginFrame();
        render_->BeginDraw();
        render_->DrawVertexList(nullptr, vertices, tr_DrawState());
        render_->EndDraw();
        render_->EndFrame();
        std::vector<uint32_t> frame;
        int width = 0;
        int height = 0;
        ASSERT_TRUE(render_->ReadFrame(frame, width, height));
        const uint32_t middle = frame[static_cast<size_t>(40) * width + 70];
        EXPECT_NEAR(static_cast<int>((middle >> 16) & 0xFF), 128, 3) << "fast " << fast;
        EXPECT_NEAR(static_cast<int>(middle & 0xFF), 128, 3) << "fast " << fast;
    }
}

} // namespace
