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
    const uint32_t texel = 0xC0E08020u; // partly transparent, so blending shows
    auto texture = std::make_shared<tr_GeneratedTexture>();
    const std::vector<uint32_t> texels(16, texel);
    ASSERT_TRUE(texture->CreateFromPixels(reinterpret_cast<const uint8_t*>(texels.data()), 4, 4));
    const Tint white{1, 1, 1, 1};
    const Tint tinted{0.5f, 1, 0.25f, 0.75f};
    struct Case {
        const char* what;
        std::vector<Tint> tints; // of quads side by side, in one batch
        float scale;
    };
    const Case cases[] = {
        {"white alone", {white}, 2},
        {"white then tinted", {white, white, tinted}, 2},
        {"tinted then white", {tinted, white}, 2},
        {"tinted alone", {tinted}, 2},
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
            state.transform =
                tr_MakeTransform(20.0f + 40.0f * static_cast<float>(i), 60, 0, c.scale, c.scale);
            render_->DrawQuad(texture, state);
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
                EXPECT_NEAR(static_cast<int>((pixel >> shift) & 0xFF),
                            Expected(texel, c.tints[i], shift), 1)
                    << c.what << ", quad " << i << ", shift " << shift;
            }
        }
    }
}

} // namespace
