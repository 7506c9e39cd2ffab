// The demo played from its scripted walk under a virtual clock and drawn
// through the GL renderer twice: every frame drawn whole (the full redraw)
// and only what changed. Changed-only frames must equal the full redraw's
// pixel for pixel (the dirty bookkeeping misses nothing, and replayed draws
// land exactly as drawn ones) while redrawing less. The window is the game's
// own size, as in play: the picture then sits where the game puts it.
#include "engine/core/tr_Desktop.h"
#include "engine/core/tr_DisplayEnumerator.h"
#include "engine/core/tr_Random.h"
#include "engine/host/tr_EngineServices.h"
#include "engine/host/tr_InputScript.h"
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/platform/headless/Tarrow_Headless.h"
#include "engine/platform/headless/tr_Desktop_Headless.h"
#include "engine/platform/headless/tr_DisplayEnumerator_Headless.h"
#include "engine/render/tr_ChangedOnlyRender.h"
#include "game/app/tp_GameStartup.h"

#include "tests/support/GlTestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The demo's window. The walk switches to full screen near its end, which
// only TARROW_REDRAW_WALK_FRAMES=all reaches; the frames are compared while
// they fit in this window.
const int kWindowWidth = 1366;
const int kWindowHeight = 768;
// By default the walk is followed through the profile screen, the level's
// loading screen and into the study with its pendulum, rain and tutorial;
// TARROW_REDRAW_WALK_FRAMES=all (or a frame count) follows it further,
// which is too slow for every test run on a software renderer.
const uint64_t kDefaultFrames = 130;
const uint64_t kWholeWalk = 1700;
// Frames read back and compared: a changed-only frame that missed an area
// leaves it wrong in every later frame until it changes again, so a sample
// every few frames catches a miss.
const uint64_t kSampleEvery = 4;

// Changed-only frames keep their picture where a swapping window needs it
// (a picture of their own), or in the window's back buffer where the window
// is shown by copying changed areas.
enum class Mode { kFull, kChangedOnly, kChangedOnlyInWindow };

struct Walk {
    uint64_t frames_run = 0;
    std::vector<uint64_t> frames;
    std::vector<std::vector<uint32_t>> pictures;
    long long redrawn_pixels = 0;
    long long screen_pixels = 0;
};

// Largest difference of one colour channel between two pictures.
int LargestChannelStep(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    int largest = a.size() == b.size() ? 0 : 256;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            const int step = std::abs(static_cast<int>((a[i] >> shift) & 0xFF) -
                                      static_cast<int>((b[i] >> shift) & 0xFF));
            largest = std::max(largest, step);
        }
    }
    return largest;
}

class RedrawWalkGLTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { window_.Open("RedrawWalkGLTest", kWindowWidth, kWindowHeight); }
    static void TearDownTestSuite() { window_.Close(); }

    void SetUp() override {
        if (!window_.IsOpen())
            GTEST_SKIP() << "no GL 3.3 core context";
        window_.MakeCurrent();
        const std::string root = TARROW_SOURCE_DIR;
        std::ifstream file(root + "/tests/content/demo/walkthrough.input");
        std::ostringstream text;
        text << file.rdbuf();
        ASSERT_TRUE(input_.Parse(text.str(), "walkthrough.input")) << input_.GetError();
        ASSERT_EQ(chdir(root.c_str()), 0);
        const char* frames = std::getenv("TARROW_REDRAW_WALK_FRAMES");
        frame_limit_ = frames && std::string(frames) == "all"
                           ? kWholeWalk
                           : (frames ? std::strtoull(frames, nullptr, 10) : kDefaultFrames);
        if (frame_limit_ == 0)
            frame_limit_ = kDefaultFrames;
        data_ =
            std::filesystem::temp_directory_path() / ("redraw_walk_" + std::to_string(getpid()));
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(data_, ignored);
    }

    // Plays the walk; every kSampleEvery-th frame is read back and kept.
    Walk Play(Mode mode) {
        Walk walk;
        // Particles draw from the one random sequence; every walk starts it afresh.
        tr_Random::Reset();
        const std::string name = std::to_string(static_cast<int>(mode));
        setenv("XDG_DATA_HOME", (data_ / name).c_str(), 1);
        tr_DisplayEnumerator::Install(new tr_DisplayEnumerator_Headless());
        tr_Desktop::Install(new tr_Desktop_Headless());
        {
            tp_GameStartup game;
            game.PreInitialise();
            game.Initialise([&]() -> std::unique_ptr<Tarrow> {
                auto engine = std::make_unique<Tarrow_Headless>();
                engine->SetInput(input_.GetEvents());
                engine->SetServices(tr_MakeEngineServices());
                engine->SetFrameLimit(frame_limit_);
                engine->SetRedrawChangedOnly(mode != Mode::kFull);
                engine->SetRendererFactory([mode]() -> std::unique_ptr<tr_Render> {
                    auto render = std::make_unique<tr_Render_GL>();
                    render->SetWindowKeepsPicture(mode == Mode::kChangedOnlyInWindow);
                    return render;
                });
                engine->SetFrameDrawnCallback([&walk](tr_Render& render, uint64_t frame) {
                    walk.frames_run = frame;
                    if (auto* changed = dynamic_cast<tr_ChangedOnlyRender*>(&render)) {
                        walk.redrawn_pixels += changed->GetLastRegion().GetArea();
                        walk.screen_pixels += static_cast<long long>(render.GetScreenWidth()) *
                                              static_cast<long long>(render.GetScreenHeight());
                    }
                    if (frame % kSampleEvery != 0)
                        return;
                    std::vector<uint32_t> pixels;
                    int width = 0;
                    int height = 0;
                    if (!render.ReadFrame(pixels, width, height))
                        return;
                    walk.frames.push_back(frame);
                    walk.pictures.push_back(std::move(pixels));
                });
                return engine;
            });
            game.Run();
            game.Shutdown();
        }
        tr_Desktop::Destroy();
        tr_DisplayEnumerator::Destroy();
        return walk;
    }

    void ExpectWalkedToTheLimit(const Walk& walk) const {
        if (frame_limit_ == kWholeWalk) {
            // The walk quits the game from its menu before the limit.
            EXPECT_GT(walk.frames_run, 1400u);
            EXPECT_LT(walk.frames_run, kWholeWalk);
        } else {
            EXPECT_EQ(walk.frames_run, frame_limit_);
        }
    }

    static GlTestWindow window_;
    tr_InputScript input_;
    std::filesystem::path data_;
    uint64_t frame_limit_ = kDefaultFrames;
};

GlTestWindow RedrawWalkGLTest::window_;

TEST_F(RedrawWalkGLTest, ChangedOnlyEqualsTheFullRedrawPixelForPixel) {
    const Walk full = Play(Mode::kFull);
    ExpectWalkedToTheLimit(full);
    EXPECT_EQ(full.screen_pixels, 0) << "the full redraw went through the changed-only renderer";
    ASSERT_FALSE(full.pictures.empty());
    for (const Mode mode : {Mode::kChangedOnly, Mode::kChangedOnlyInWindow}) {
        SCOPED_TRACE(mode == Mode::kChangedOnly ? "picture of its own" : "picture in the window");
        const Walk changed = Play(mode);
        EXPECT_EQ(changed.frames_run, full.frames_run);
        ASSERT_EQ(changed.frames, full.frames);
        std::string differing;
        int count = 0;
        for (size_t i = 0; i < full.pictures.size(); ++i) {
            const int step = LargestChannelStep(full.pictures[i], changed.pictures[i]);
            if (step != 0 && ++count <= 10)
                differing +=
                    " " + std::to_string(full.frames[i]) + " (by " + std::to_string(step) + ")";
        }
        EXPECT_EQ(count, 0) << count << " of " << full.frames.size()
                            << " sampled frames differ:" << differing;

        // The profile and loading screens twinkle all over, so the saving
        // shows mostly once the study is open.
        ASSERT_GT(changed.screen_pixels, 0);
        EXPECT_LT(changed.redrawn_pixels, changed.screen_pixels * 9 / 10)
            << "redrawn " << changed.redrawn_pixels << " of " << changed.screen_pixels;
        std::printf("changed-only redraw: %lld of %lld pixels (%.1f %%)\n", changed.redrawn_pixels,
                    changed.screen_pixels, 100.0 * changed.redrawn_pixels / changed.screen_pixels);
    }
}

} // namespace
