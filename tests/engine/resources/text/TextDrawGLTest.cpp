// Draws text objects through the GL renderer into a real window (Xvfb in the
// test run) and reads the frame back.
#include "engine/objects/tr_Text.h"
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/resources/text/tr_Font.h"

#include "FontTestSupport.h"

#include "tests/support/GlRenderTest.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

const int kWidth = 400;
const int kHeight = 240;

class TextDrawGLTest : public GlRenderTest<kWidth, kHeight> {
protected:
    // Leftmost and rightmost column with red ink between rows top and bottom.
    void InkColumns(int top, int bottom, int& first, int& last) const {
        first = kWidth;
        last = -1;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (((frame_[static_cast<size_t>(y) * kWidth + x] >> 16) & 0xFF) > 128) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
    }

    std::vector<uint32_t> frame_;
};

TEST_F(TextDrawGLTest, LeftAlignedBlocksStartAtTheirPositionWhateverTheirLength) {
    tr_ResourceRegistry registry;
    tr_Text short_text("short");
    tr_Text long_text("long");
    const float y[2] = {60.0f, 160.0f};
    tr_Text* texts[2] = {&short_text, &long_text};
    for (int i = 0; i < 2; ++i) {
        tr_Text& text = *texts[i];
        text.SetRes(kFontBase);
        text.LoadResources();
        text.SetDispRawText(true);
        text.SetAlign(0);
        text.GetStyle().fontcolor_g = 0.0f;
        text.GetStyle().fontcolor_b = 0.0f;
        text.SetPosition(100.0f, y[i]);
        text.SetText(i == 0 ? "Hi" : "Hidden objects everywhere");
        ASSERT_FALSE(text.GetRendered().IsEmpty());
    }
    render_->BeginFrame();
    render_->BeginDraw();
    for (tr_Text* text : texts)
        text->Draw(render_.get(), tr_Object::ComputeDrawState(text, tr_DrawState(), 0));
    render_->EndDraw();
    render_->EndFrame();
    int width = 0, height = 0;
    ASSERT_TRUE(render_->ReadFrame(frame_, width, height));
    ASSERT_EQ(width, kWidth);

    int short_first = 0, short_last = 0, long_first = 0, long_last = 0;
    InkColumns(30, 90, short_first, short_last);
    InkColumns(130, 190, long_first, long_last);
    // Both start with the same glyph one quarter of the font size in.
    EXPECT_EQ(short_first, long_first);
    EXPECT_GE(short_first, 100 + 20 / 4);
    EXPECT_LE(short_first, 100 + 20 / 4 + 3);
    EXPECT_GT(long_last, short_last + 100);
    EXPECT_LE(long_last, 100 + long_text.GetRendered().width);
    // Nothing left of the position.
    int stray_first = 0, stray_last = 0;
    InkColumns(0, kHeight, stray_first, stray_last);
    EXPECT_GE(stray_first, 100);
    // The ink is the text colour.
    const uint32_t ink = frame_[static_cast<size_t>(60) * kWidth + short_first + 1];
    EXPECT_GT((ink >> 16) & 0xFF, 128u);
    EXPECT_LT((ink >> 8) & 0xFF, 40u);
}

} // namespace
