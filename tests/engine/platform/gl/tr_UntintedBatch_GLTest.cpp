// Batches whose quads are all white at full alpha are drawn without the
// vertex colour; a batch with one tinted quad keeps it for every quad.
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/render/tr_GeneratedTexture.h"

#include "tests/support/GlRenderTest.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

const int kWidth = 160;
const int kHeight = 120;

class UntintedBatchGLTest : public GlRenderTest<kWidth, kHeight> {};

struct Tint {
    float red, green, blue, alpha;
};

// Channel c of a texel 0xAARRGGBB drawn with a tint over black.
int Expected(uint32_t texel, const Tint& tint, int shift) {
    const float channel = static_cast<float>((texel >> shift) & 0xFF);
    const float factor = shift == 16 ? tint.red : (shift == 8 ? tint.green : tint.blue);
    const float alpha = static_cast<float>(texel >> 24) / 255.0f * tint.alpha;
    return static_cast<int>(channel * factor * alpha + 0.5f);
}

TEST_F(UntintedBatchGLTest, EveryQuadShowsItsOwnTint) {
    // Partly transparent, so that blending shows; the second texture makes
    // batches of two texture slots.
    const uint32_t texels[2] = {0xC0E08020u, 0xFF2080E0u};
    std::shared_ptr<tr_GeneratedTexture> textures[2];
    for (int i = 0; i < 2; ++i) {
        textures[i] = std::make_shared<tr_GeneratedTexture>();
        const std::vector<uint32_t> pixels(16, texels[i]);
        ASSERT_TRUE(
            textures[i]->CreateFromPixels(reinterpret_cast<const uint8_t*>(pixels.data()), 4, 4));
    }
    const Tint white{1, 1, 1, 1};
    const Tint tinted{0.5f, 1, 0.25f, 0.75f};
    struct Case {
        const char* what;
        std::vector<Tint> tints; // of quads side by side, in one batch
        int textures;            // alternated from quad to quad
    };
    const Case cases[] = {
        {"white alone", {white}, 1},
        {"white then tinted", {white, white, tinted}, 1},
        {"tinted then white", {tinted, white}, 1},
        {"two textures in white", {white, white, white}, 2},
        {"two textures, one tinted", {white, tinted, white}, 2},
    };
    for (const Case& c : cases) {
        render_->BeginFrame();
        render_->BeginDraw();
        for (size_t i = 0; i < c.tints.size(); ++i) {
            tr_DrawState state;
            state.red = c.tints[i].red;
            state.green = c.tints[i].green;
            state.blue = c.tints[i].blue;
            state.alpha = c.tints[i].alpha;
            state.transform = tr_MakeTransform(20.0f + 40.0f * static_cast<float>(i), 60, 0, 2, 2);
            render_->DrawQuad(textures[i % static_cast<size_t>(c.textures)], state);
        }
        render_->EndDraw();
        render_->EndFrame();
        std::vector<uint32_t> frame;
        int width = 0;
        int height = 0;
        ASSERT_TRUE(render_->ReadFrame(frame, width, height));
        EXPECT_EQ(render_->GetDrawCallCount(), 1) << c.what;
        for (size_t i = 0; i < c.tints.size(); ++i) {
            const uint32_t pixel = frame[static_cast<size_t>(60) * width + 20 + 40 * i];
            for (int shift : {16, 8, 0}) {
                EXPECT_NEAR(
                    static_cast<int>((pixel >> shift) & 0xFF),
                    Expected(texels[i % static_cast<size_t>(c.textures)], c.tints[i], shift), 1)
                    << c.what << ", quad " << i << ", shift " << shift;
            }
        }
    }
}

} // namespace
