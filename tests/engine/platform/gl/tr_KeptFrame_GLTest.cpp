// The GL renderer with a kept picture (what the changed-only redraw uses):
// a frame drawn whole, and a frame of which only a scissored part is drawn
// again over the kept older frame, are compared pixel for pixel with the
// same frame drawn without a kept picture; outside the scissor the older
// frame must stay. The scene is made of what is most sensitive to how a
// surface is addressed: rotated, sub-pixel, linearly filtered quads in every
// blend mode, thin triangle lists, an indexed list, a line, a clip and a
// render target drawn in the middle of the frame. Both places the picture
// is kept in are tried: a picture of its own (the host swaps buffers) and
// the window's back buffer (the host copies changed areas into the window),
// which also reports the areas to copy.
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/render/tr_GeneratedTexture.h"
#include "engine/render/tr_IndexList.h"
#include "engine/render/tr_Texture.h"
#include "engine/render/tr_VertexList.h"

#include "tests/support/GlRenderTest.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kWidth = 256;
const int kHeight = 192;

class KeptFrameGLTest : public GlRenderTest<kWidth, kHeight>,
                        public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        GlRenderTest::SetUp();
        if (IsSkipped())
            return;
        render_->SetWindowKeepsPicture(GetParam());
        std::vector<uint32_t> texels(64);
        for (size_t i = 0; i < texels.size(); ++i)
            texels[i] = static_cast<uint32_t>((0x40 + i * 3) << 24 | (i * 37 % 256) << 16 |
                                              (255 - i * 11 % 256) << 8 | (i * 53 % 256));
        texture_ = std::make_shared<tr_GeneratedTexture>();
        ASSERT_TRUE(
            texture_->CreateFromPixels(reinterpret_cast<const uint8_t*>(texels.data()), 8, 8));
        ASSERT_TRUE(streaks_.Create(6 * kStreaks));
        ASSERT_TRUE(fan_.Create(4));
        ASSERT_TRUE(fan_indices_.Create(6));
    }
    void TearDown() override {
        texture_.reset();
        GlRenderTest::TearDown();
    }

    // One frame of the scene; phase moves everything, so two phases differ
    // almost everywhere.
    void DrawScene(float phase) {
        const int blends[] = {TR_BLEND_NORMAL, TR_BLEND_ADD, TR_BLEND_MULTIPLY,
                              TR_BLEND_INV_MULTIPLY};
        for (int i = 0; i < 24; ++i) {
            tr_DrawState state;
            const float x = std::fmod(17.3f * i + 40.0f * phase, kWidth);
            const float y = std::fmod(11.7f * i + 23.0f * phase, kHeight);
            state.transform = tr_MakeTransform(x, y, 0.37f * i + phase, 2.3f + 0.1f * i, 1.7f);
            state.alpha = 0.35f + 0.025f * i;
            state.blend = blends[i % 4];
            render_->DrawQuad(texture_, state);
        }
        streaks_.Clear();
        for (int i = 0; i < kStreaks; ++i) {
            // Thin slanted streaks, as rain is drawn.
            const float x = std::fmod(7.13f * i + 9.0f * phase, kWidth);
            const float y = std::fmod(13.37f * i + 5.0f * phase, kHeight);
            const float corners[6][2] = {
                {x, y},        {x + 1.3f, y},       {x + 2.1f, y + 9.7f}, {x + 2.1f, y + 9.7f},
                {x + 1.3f, y}, {x + 3.4f, y + 9.7f}};
            for (const auto& c : corners)
                streaks_.AddVertex(c[0], c[1], (c[0] - x) / 3.4f, (c[1] - y) / 9.7f, 0.8f, 0.9f,
                                   1.0f, 0.55f);
        }
        render_->DrawVertexList(texture_, streaks_, tr_DrawState());
        tr_Rect clip{31.5f, 20.25f, 120.0f, 90.75f};
        ASSERT_TRUE(render_->PushClip(clip));
        fan_.Clear();
        fan_indices_.Clear();
        fan_.AddVertex(20.4f + phase, 30.6f, 0, 0, 1, 0.5f, 0.2f, 0.7f);
        fan_.AddVertex(170.2f, 25.1f + phase, 1, 0, 0.2f, 1, 0.5f, 0.7f);
        fan_.AddVertex(40.7f, 140.3f, 0, 1, 0.5f, 0.2f, 1, 0.7f);
        fan_.AddVertex(150.9f - phase, 120.8f, 1, 1, 1, 1, 1, 0.7f);
        for (uint16_t index : {0, 1, 2, 1, 2, 3})
            fan_indices_.AddIndex(index);
        render_->DrawIndexed(texture_, fan_, fan_indices_, tr_DrawState());
        render_->PopClip();
        // A render target in the middle of the frame draws with its own
        // orientation and hands the screen back unchanged.
        render_->BeginRenderToTexture(32, 16);
        tr_DrawState inner;
        inner.transform = tr_MakeTransform(9.5f + phase, 6.25f, 0.2f, 1.5f, 1.0f);
        render_->DrawQuad(texture_, inner);
        const std::shared_ptr<tr_Texture> target = render_->EndRenderToTexture();
        tr_DrawState shown;
        shown.transform = tr_MakeTransform(200.3f, 150.6f - phase, 0.5f, 1.9f, 2.2f);
        render_->DrawQuad(target, shown);
        tr_DrawState line;
        line.transform = tr_MakeTransform(0.3f * phase, 0.0f, 0.0f, 1.0f, 1.0f);
        render_->DrawLine(5.2f, 180.7f, 0, 250.6f, 60.3f, 0, 1, 1, 0.5f, line);
    }

    // Draws the scene at phase as a whole frame and reads it back.
    std::vector<uint32_t> Frame(float phase) {
        render_->BeginFrame();
        render_->BeginDraw();
        render_->ClearScreenArea();
        DrawScene(phase);
        render_->EndDraw();
        render_->EndFrame();
        return Read();
    }

    std::vector<uint32_t> Read() {
        std::vector<uint32_t> pixels;
        int width = 0;
        int height = 0;
        EXPECT_TRUE(render_->ReadFrame(pixels, width, height));
        EXPECT_EQ(width, kWidth);
        EXPECT_EQ(height, kHeight);
        return pixels;
    }

    static int CountDiffering(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
        int count = a.size() == b.size() ? 0 : kWidth * kHeight;
        for (size_t i = 0; i < a.size() && i < b.size(); ++i)
            count += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF);
        return count;
    }

    static const int kStreaks = 120;
    std::shared_ptr<tr_GeneratedTexture> texture_;
    tr_VertexList streaks_;
    tr_VertexList fan_;
    tr_IndexList fan_indices_;
};

TEST_P(KeptFrameGLTest, PartRedrawnFramesEqualWholeFramesPixelForPixel) {
    const float phase = 0.61f;
    const std::vector<uint32_t> window = Frame(phase);
    ASSERT_TRUE(render_->KeepFrame(true)) << "no kept picture on this device";
    EXPECT_EQ(CountDiffering(Frame(phase), window), 0) << "drawn whole with a kept picture";
    // The previous picture stays outside the scissor; inside it the same
    // frame is drawn again over an older picture.
    const tr_Rect areas[] = {{0, 0, kWidth, kHeight},
                             {37, 21, 90, 70},
                             {0, kHeight - 13, kWidth, 13},
                             {kWidth - 1, 0, 1, kHeight}};
    for (const tr_Rect& area : areas) {
        Frame(phase + 3.7f);
        render_->BeginFrame();
        render_->BeginDraw();
        render_->SetScreenScissor(&area);
        render_->ClearScreenArea();
        DrawScene(phase);
        render_->SetScreenScissor(nullptr);
        render_->EndDraw();
        render_->EndFrame();
        const std::vector<uint32_t> kept = Read();
        tr_ScreenChanges changes;
        changes.whole = true;
        if (GetParam()) {
            // A scissor over the whole screen changes all of it.
            ASSERT_TRUE(render_->GetScreenChanges(changes));
            const std::array<int, 4> box{static_cast<int>(area.x), static_cast<int>(area.y),
                                         static_cast<int>(area.w), static_cast<int>(area.h)};
            const bool whole = area.w == kWidth && area.h == kHeight;
            EXPECT_EQ(changes.whole, whole);
            using Areas = std::vector<std::array<int, 4>>;
            EXPECT_EQ(changes.areas, whole ? Areas() : Areas{box});
        } else {
            EXPECT_FALSE(render_->GetScreenChanges(changes)) << "a swapped window reports changes";
            EXPECT_TRUE(changes.whole) << "changes touched";
        }
        // Inside the area the frame must be the window's; outside it the
        // kept picture still holds the older frame.
        int inside_differs = 0;
        int outside_kept = 0;
        const std::vector<uint32_t> older = Frame(phase + 3.7f);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const size_t i = static_cast<size_t>(y) * kWidth + x;
                const bool inside =
                    x >= area.x && x < area.x + area.w && y >= area.y && y < area.y + area.h;
                if (inside)
                    inside_differs += (kept[i] & 0xFFFFFF) != (window[i] & 0xFFFFFF);
                else
                    outside_kept += (kept[i] & 0xFFFFFF) == (older[i] & 0xFFFFFF);
            }
        }
        const int outside = kWidth * kHeight - static_cast<int>(area.w * area.h);
        EXPECT_EQ(inside_differs, 0) << "area at " << area.x << "," << area.y;
        EXPECT_EQ(outside_kept, outside) << "area at " << area.x << "," << area.y;
    }
    // A frame drawn without a scissor changes all of the screen.
    Frame(phase);
    tr_ScreenChanges changes;
    EXPECT_EQ(render_->GetScreenChanges(changes), GetParam());
    EXPECT_EQ(changes.whole, GetParam());
    // Without the kept picture again, frames are drawn whole as before.
    ASSERT_FALSE(render_->KeepFrame(false));
    EXPECT_EQ(CountDiffering(Frame(phase), window), 0) << "drawn without a kept picture again";
}

INSTANTIATE_TEST_SUITE_P(PictureInWindow, KeptFrameGLTest, ::testing::Bool());

} // namespace
