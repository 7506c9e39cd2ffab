// The changed-only renderer over the GL back end, with frames discarded in
// between (a scripted run that only keeps a few screenshots): a discarded
// frame reaches no pixel, and the first frame shown afterwards is whole,
// not the difference to a frame the screen never got. With the picture kept
// in the window's back buffer, what the host is told to show follows the
// same rule: nothing for a discarded frame, the whole screen after them.
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/render/tr_ChangedOnlyRender.h"
#include "engine/render/tr_GeneratedTexture.h"

#include "tests/support/GlTestWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const int kWidth = 160;
const int kHeight = 120;

class ChangedOnlyRenderGLTest : public ::testing::TestWithParam<bool> {
protected:
    static void SetUpTestSuite() { window_.Open("ChangedOnlyRenderGLTest", kWidth, kHeight); }
    static void TearDownTestSuite() { window_.Close(); }

    void SetUp() override {
        if (!window_.IsOpen())
            GTEST_SKIP() << "no GL 3.3 core context";
        window_.MakeCurrent();
        render_ = std::make_unique<tr_ChangedOnlyRender>(std::make_unique<tr_Render_GL>());
        render_->Init(kWidth, kHeight);
        if (!render_->GetInner().KeepFrame(true))
            GTEST_SKIP() << "no kept picture on this device";
        render_->SetWindowKeepsPicture(GetParam());
        const float red[3] = {1.0f, 0.0f, 0.0f};
        square_ = std::make_shared<tr_GeneratedTexture>();
        ASSERT_TRUE(square_->Create(10, 10, red));
    }
    void TearDown() override {
        square_.reset();
        render_.reset();
    }

    // A frame with the square centred at x, y; returns the red of the
    // pixels at the two places the square takes in these tests.
    std::vector<int> Frame(float x, float y, bool discarded) {
        render_->SetScreenDiscarded(discarded);
        render_->BeginFrame();
        render_->BeginDraw();
        tr_DrawState state;
        state.transform = tr_MakeTransform(x, y, 0.0f, 1.0f, 1.0f);
        render_->DrawQuad(square_, state);
        render_->EndDraw();
        render_->EndFrame();
        std::vector<uint32_t> pixels;
        int width = 0;
        int height = 0;
        EXPECT_TRUE(render_->ReadFrame(pixels, width, height));
        if (pixels.size() != static_cast<size_t>(kWidth) * kHeight)
            return {};
        auto red_at = [&](int px, int py) {
            return static_cast<int>(pixels[static_cast<size_t>(py) * kWidth + px] >> 16 & 255);
        };
        return {red_at(30, 30), red_at(100, 80)};
    }

    // What the host is told to show: "none", "whole" or "part"; "swap" when
    // the renderer reports nothing (the host shows the whole frame).
    std::string Shown() const {
        tr_ScreenChanges changes;
        if (!render_->GetScreenChanges(changes))
            return "swap";
        return changes.whole ? "whole" : (changes.areas.empty() ? "none" : "part");
    }

    static GlTestWindow window_;
    std::unique_ptr<tr_ChangedOnlyRender> render_;
    std::shared_ptr<tr_GeneratedTexture> square_;
};

GlTestWindow ChangedOnlyRenderGLTest::window_;

TEST_P(ChangedOnlyRenderGLTest, FirstFrameShownAfterDiscardedOnesIsWhole) {
    const std::string whole = GetParam() ? "whole" : "swap";
    const std::string none = GetParam() ? "none" : "swap";
    const std::string part = GetParam() ? "part" : "swap";
    EXPECT_EQ(Frame(30, 30, false), (std::vector<int>{255, 0}));
    EXPECT_EQ(Shown(), whole);
    // The square moves while frames are discarded: the window keeps the
    // picture it had.
    EXPECT_EQ(Frame(100, 80, true), (std::vector<int>{255, 0}));
    EXPECT_EQ(Shown(), none);
    EXPECT_EQ(Frame(100, 80, true), (std::vector<int>{255, 0}));
    EXPECT_EQ(Shown(), none);
    // Shown again with nothing changed since the last discarded frame: the
    // square's old place is cleared all the same.
    EXPECT_EQ(Frame(100, 80, false), (std::vector<int>{0, 255}));
    EXPECT_TRUE(render_->GetLastRegion().IsWholeScreen());
    EXPECT_EQ(Shown(), whole);
    // And later frames go back to only what changed.
    EXPECT_EQ(Frame(100, 80, false), (std::vector<int>{0, 255}));
    EXPECT_TRUE(render_->GetLastRegion().IsEmpty());
    EXPECT_EQ(Shown(), none);
    EXPECT_EQ(Frame(30, 30, false), (std::vector<int>{255, 0}));
    EXPECT_FALSE(render_->GetLastRegion().IsWholeScreen());
    EXPECT_EQ(Shown(), part);
}

INSTANTIATE_TEST_SUITE_P(PictureInWindow, ChangedOnlyRenderGLTest, ::testing::Bool());

} // namespace
