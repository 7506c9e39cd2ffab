// Frames shown by copying the areas they changed into the window: what the
// window itself shows (read from the X server) must be, after a series of
// partial presents, the frame drawn whole. (Tarrow_SDLPresentTest covers
// exposes and mode changes through the host.)
#include "engine/platform/sdl/tr_CopyPresenter_SDL.h"
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/render/tr_ChangedOnlyRender.h"
#include "engine/render/tr_GeneratedTexture.h"

#include "tests/support/GlTestWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// Last: X11's macros (None, Bool, ...) would break the headers above.
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

const int kWidth = 160;
const int kHeight = 120;

class CopyPresenterSDLTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { window_.Open("CopyPresenterSDLTest", kWidth, kHeight); }
    static void TearDownTestSuite() { window_.Close(); }

    void SetUp() override {
        if (!window_.IsOpen())
            GTEST_SKIP() << "no GL 3.3 core context";
        window_.MakeCurrent();
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (!SDL_GetWindowWMInfo(window_.GetWindow(), &info) || info.subsystem != SDL_SYSWM_X11)
            GTEST_SKIP() << "not an X11 window";
        display_ = info.info.x11.display;
        xwindow_ = info.info.x11.window;
        if (!presenter_.Attach(window_.GetWindow()))
            GTEST_SKIP() << "no GLX_MESA_copy_sub_buffer";
        render_ = std::make_unique<tr_ChangedOnlyRender>(std::make_unique<tr_Render_GL>());
        render_->Init(kWidth, kHeight);
        render_->SetWindowKeepsPicture(true);
        const float colours[3][3] = {{0.2f, 0.3f, 0.9f}, {1.0f, 0.1f, 0.0f}, {0.1f, 0.8f, 0.3f}};
        for (const auto& rgb : colours) {
            squares_.push_back(std::make_shared<tr_GeneratedTexture>());
            ASSERT_TRUE(squares_.back()->Create(12, 12, rgb));
        }
    }
    void TearDown() override {
        squares_.clear();
        render_.reset();
        presenter_.Detach();
    }

    // Draws frame number step (a still square and two moving ones) and
    // presents it; returns what the host was told to show.
    tr_ScreenChanges Show(int step) {
        render_->BeginFrame();
        render_->BeginDraw();
        const float places[3][2] = {{40.0f, 40.0f},
                                    {10.0f + 9.0f * step, 20.0f + 4.5f * step},
                                    {150.0f - 7.0f * step, 100.0f - 3.0f * step}};
        for (int i = 0; i < 3; ++i) {
            tr_DrawState state;
            state.transform = tr_MakeTransform(places[i][0], places[i][1], 0.1f * step * i,
                                               1.0f + 0.5f * i, 1.0f + 0.25f * i);
            render_->DrawQuad(squares_[i], state);
        }
        render_->EndDraw();
        render_->EndFrame();
        tr_ScreenChanges changes;
        EXPECT_TRUE(render_->GetScreenChanges(changes));
        presenter_.Present(changes, kWidth, kHeight);
        return changes;
    }

    // What the X server shows in the window, rows top first, 0xRRGGBB.
    std::vector<uint32_t> ReadWindow() const {
        XSync(display_, False);
        std::vector<uint32_t> pixels;
        XImage* image = XGetImage(display_, xwindow_, 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
        if (!image)
            return pixels;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                pixels.push_back(static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF);
        XDestroyImage(image);
        return pixels;
    }

    std::vector<uint32_t> ReadBackBuffer() const {
        std::vector<uint32_t> pixels;
        int width = 0;
        int height = 0;
        EXPECT_TRUE(render_->ReadFrame(pixels, width, height));
        for (uint32_t& pixel : pixels)
            pixel &= 0xFFFFFF;
        return pixels;
    }

    static int CountDiffering(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
        int count = a.size() == b.size() ? 0 : kWidth * kHeight;
        for (size_t i = 0; i < a.size() && i < b.size(); ++i)
            count += a[i] != b[i];
        return count;
    }

    static GlTestWindow window_;
    Display* display_ = nullptr;
    Window xwindow_ = 0;
    tr_CopyPresenter_SDL presenter_;
    std::unique_ptr<tr_ChangedOnlyRender> render_;
    std::vector<std::shared_ptr<tr_GeneratedTexture>> squares_;
};

GlTestWindow CopyPresenterSDLTest::window_;

TEST_F(CopyPresenterSDLTest, WindowAfterPartialPresentsEqualsTheFrameDrawnWhole) {
    EXPECT_TRUE(Show(0).whole);
    const std::vector<uint32_t> first = ReadWindow();
    int partial = 0;
    for (int step = 1; step <= 8; ++step) {
        const tr_ScreenChanges changes = Show(step);
        partial += !changes.whole && !changes.areas.empty();
    }
    EXPECT_EQ(partial, 8) << "frames of moving squares were not shown in parts";
    const std::vector<uint32_t> shown = ReadWindow();
    EXPECT_GT(CountDiffering(shown, first), 0) << "the window did not follow the frames";
    // A fresh start draws the last frame whole, into the back buffer only.
    render_->Init(kWidth, kHeight);
    render_->SetWindowKeepsPicture(true);
    render_->BeginFrame();
    render_->EndFrame();
    EXPECT_EQ(CountDiffering(shown, ReadWindow()), 0) << "a frame not presented reached the window";
    Show(8);
    EXPECT_EQ(CountDiffering(shown, ReadBackBuffer()), 0);
    EXPECT_EQ(CountDiffering(shown, ReadWindow()), 0);
}

int x_errors = 0;
int CountXError(Display*, XErrorEvent*) {
    ++x_errors;
    return 0;
}

TEST_F(CopyPresenterSDLTest, AWindowSmallerThanThePictureIsShownWithoutAnXError) {
    // A window manager may hold the window below the size asked for; the
    // driver then sizes its back buffer to the window at the next swap, and
    // a whole copy of the picture's size would read past it (an X error,
    // which ends a program by default).
    Show(0);
    SDL_SetWindowSize(window_.GetWindow(), kWidth / 2, kHeight / 2);
    XSync(display_, False);
    SDL_PumpEvents();
    SDL_GL_SwapWindow(window_.GetWindow());
    x_errors = 0;
    XErrorHandler previous = XSetErrorHandler(CountXError);
    presenter_.InvalidateWindow();
    Show(1);
    XSync(display_, False);
    XSetErrorHandler(previous);
    SDL_SetWindowSize(window_.GetWindow(), kWidth, kHeight);
    XSync(display_, False);
    SDL_PumpEvents();
    SDL_GL_SwapWindow(window_.GetWindow());
    EXPECT_EQ(x_errors, 0);
}

} // namespace
