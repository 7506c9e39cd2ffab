// The SDL host showing frames by copying the areas they changed: what the
// window shows (read from the X server) is the renderer's picture, a window
// painted over from outside is repaired by the frame after its expose event,
// a mode change shows the whole frame at the new size, and a host told to
// swap never presents by copying.
#include "engine/platform/sdl/Tarrow_SDL.h"

#include "engine/render/tr_GeneratedTexture.h"
#include "engine/render/tr_Render.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

// Last: X11's macros (None, Bool, ...) would break the headers above.
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

const int kWidth = 160;
const int kHeight = 120;

class SdlPresentTest : public ::testing::Test {
protected:
    // Holds the video subsystem for the whole program (see Tarrow_SDLTest).
    static void SetUpTestSuite() { SDL_InitSubSystem(SDL_INIT_VIDEO); }

    void Start(bool copy_allowed) {
        setenv("XDG_DATA_HOME", ::testing::TempDir().c_str(), 1);
        engine_ = std::make_unique<Tarrow_SDL>();
        engine_->SetRedrawChangedOnly(true);
        engine_->SetPresentByCopy(copy_allowed);
        engine_->SetDrawHook([this](tr_Render* render) {
            if (!square_) {
                const float rgb[3] = {0.9f, 0.2f, 0.1f};
                square_ = std::make_shared<tr_GeneratedTexture>();
                square_->Create(30, 20, rgb);
            }
            tr_DrawState state;
            state.transform = tr_MakeTransform(60.0f, 50.0f, 0.3f, 1.0f, 1.0f);
            render->DrawQuad(square_, state);
        });
        engine_->SetFrameDrawnCallback([this](tr_Render& render, uint64_t) {
            picture_.clear();
            render.ReadFrame(picture_, width_, height_);
            for (uint32_t& pixel : picture_)
                pixel &= 0xFFFFFF;
        });
        ASSERT_TRUE(engine_->Init(0, 0, kWidth, kHeight, false, "Tarrow present test"));
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        ASSERT_TRUE(SDL_GetWindowWMInfo(engine_->GetWindow(), &info));
        display_ = info.subsystem == SDL_SYSWM_X11 ? info.info.x11.display : nullptr;
        xwindow_ = display_ ? info.info.x11.window : 0;
    }
    void TearDown() override {
        if (engine_)
            engine_->Release();
        square_.reset();
        engine_.reset();
    }

    void RunFrames(uint64_t count) {
        engine_->SetFrameLimit(engine_->GetFrameCount() + count);
        engine_->Run();
    }

    // Pixels where the window differs from the renderer's last picture.
    int WindowDiffers() const {
        XSync(display_, False);
        if (picture_.size() != static_cast<size_t>(width_) * height_)
            return -1;
        XImage* image = XGetImage(display_, xwindow_, 0, 0, width_, height_, AllPlanes, ZPixmap);
        if (!image)
            return -1;
        int count = 0;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                count += (static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF) !=
                         picture_[static_cast<size_t>(y) * width_ + x];
        XDestroyImage(image);
        return count;
    }

    void PaintOver() const {
        GC gc = XCreateGC(display_, xwindow_, 0, nullptr);
        XSetForeground(display_, gc, 0x00FFFF);
        XFillRectangle(display_, xwindow_, gc, 40, 40, 60, 30);
        XFreeGC(display_, gc);
    }

    std::unique_ptr<Tarrow_SDL> engine_;
    std::shared_ptr<tr_GeneratedTexture> square_;
    std::vector<uint32_t> picture_;
    int width_ = 0;
    int height_ = 0;
    Display* display_ = nullptr;
    Window xwindow_ = 0;
};

TEST_F(SdlPresentTest, ExposedWindowIsShownWholeByTheNextFrame) {
    Start(true);
    if (!display_ || !engine_->IsPresentingByCopy())
        GTEST_SKIP() << "the window cannot be presented by copying areas";
    RunFrames(3);
    ASSERT_EQ(WindowDiffers(), 0);
    PaintOver();
    RunFrames(1);
    const int damaged = WindowDiffers();
    EXPECT_GT(damaged, 0) << "a frame in which nothing changed repainted the window";
    SDL_Event exposed{};
    exposed.type = SDL_WINDOWEVENT;
    exposed.window.windowID = SDL_GetWindowID(engine_->GetWindow());
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    ASSERT_EQ(SDL_PushEvent(&exposed), 1);
    RunFrames(1);
    EXPECT_EQ(WindowDiffers(), 0);
}

TEST_F(SdlPresentTest, AModeChangeShowsTheWholeFrameAtTheNewSize) {
    Start(true);
    if (!display_ || !engine_->IsPresentingByCopy())
        GTEST_SKIP() << "the window cannot be presented by copying areas";
    RunFrames(3);
    ASSERT_TRUE(engine_->SetDisplayMode(kWidth + 50, kHeight + 30, false));
    RunFrames(2);
    EXPECT_EQ(width_, kWidth + 50);
    EXPECT_EQ(WindowDiffers(), 0);
}

TEST_F(SdlPresentTest, AHostToldToSwapSwapsAndStillShowsTheFrame) {
    Start(false);
    EXPECT_FALSE(engine_->IsPresentingByCopy());
    if (!display_)
        GTEST_SKIP() << "not an X11 window";
    RunFrames(3);
    EXPECT_EQ(WindowDiffers(), 0);
}

} // namespace
