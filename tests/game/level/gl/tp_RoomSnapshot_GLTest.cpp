// Room and sub-room snapshots drawn through the GL renderer into a real
// window (Xvfb in the test run): the picture a transition shows must keep the
// room's orientation and, for rooms, include the wide layout's margins.
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/render/tr_Matrix.h"
#include "engine/scene/tr_Scene.h"
#include "game/level/tp_Room.h"
#include "game/level/tp_SubRoom.h"
#include "game/level/tp_TreeRender.h"

#include "tests/game/level/LevelTestSupport.h"
#include "tests/support/GlRenderTest.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const int kWidth = 320;
const int kHeight = 240;
// The window shows the 1024 x 768 design area at this scale.
const float kScale = kWidth / 1024.0f;

class RoomSnapshotGLTest : public GlRenderTest<kWidth, kHeight> {
protected:
    // Top half red, bottom half blue (bytes in the engine's B, G, R, A order).
    static std::shared_ptr<tr_GeneratedTexture> TwoTone(int width, int height) {
        std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4, 255);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
                const bool top = y < height / 2;
                p[0] = top ? 0 : 255;
                p[1] = 0;
                p[2] = top ? 255 : 0;
            }
        auto texture = std::make_shared<tr_GeneratedTexture>();
        EXPECT_TRUE(texture->CreateFromPixels(pixels.data(), width, height));
        return texture;
    }

    static std::shared_ptr<tr_GeneratedTexture> Green() {
        auto texture = std::make_shared<tr_GeneratedTexture>();
        const float rgb[3] = {0.0f, 1.0f, 0.0f};
        EXPECT_TRUE(texture->Create(8, 8, rgb));
        return texture;
    }

    // Draws object's tree over black at the window's design scale and reads
    // the frame back.
    void Show(tr_Object& object) {
        render_->BeginFrame();
        render_->BeginDraw();
        tr_DrawState parent;
        parent.transform = tr_Matrix::Scale(kScale, kScale);
        tr_Scene::DrawSubtree(&object, render_.get(), parent);
        render_->EndDraw();
        render_->EndFrame();
        ASSERT_TRUE(render_->ReadFrame(frame_, frame_width_, frame_height_));
    }

    void ExpectColour(int x, int y, int r, int g, int b) const {
        const uint32_t p = frame_[static_cast<size_t>(y) * frame_width_ + x];
        EXPECT_NEAR(static_cast<int>((p >> 16) & 255), r, 8) << "at " << x << "," << y;
        EXPECT_NEAR(static_cast<int>((p >> 8) & 255), g, 8) << "at " << x << "," << y;
        EXPECT_NEAR(static_cast<int>(p & 255), b, 8) << "at " << x << "," << y;
    }

    static void Step(tr_Object& object, float dt) {
        tr_FrameInfo frame;
        frame.dt = dt;
        object.Update(frame);
    }

    tr_Mediator mediator_;
    AppStand app_{1366.0f}; // wide layout: the snapshot has margins
    std::vector<uint32_t> frame_;
    int frame_width_ = 0;
    int frame_height_ = 0;
};

TEST_F(RoomSnapshotGLTest, OpeningRoomShowsItsSnapshotUprightAndEdgeToEdge) {
    tp_Room room("hall");
    auto picture = TwoTone(1024, 768);
    room.SetTexture(picture);
    room.SetInputRect(picture->GetRect(room.GetOwnState()));
    room.Open(true);
    ASSERT_TRUE(room.GetSnapshot());
    auto green = Green();
    room.SetTexture(green); // what shows from here on can only be the snapshot

    Show(room); // first draw starts the clock
    Step(room, 0.6f * 0.99f);
    Show(room);
    const int red = static_cast<int>(255 * 0.99f);
    ExpectColour(kWidth / 2, 20, red, 0, 0);
    ExpectColour(kWidth / 2, kHeight - 20, 0, 0, red);
    // The picture's own edges, which a snapshot not shifted for the margins
    // would lose on one side.
    ExpectColour(2, 20, red, 0, 0);
    ExpectColour(kWidth - 3, kHeight - 20, 0, 0, red);
}

TEST_F(RoomSnapshotGLTest, ZoomingSubRoomShowsItsSnapshotUpright) {
    tp_SubRoom sub("desk");
    auto picture = TwoTone(200, 100);
    sub.SetTexture(picture);
    sub.SetInputRect(picture->GetRect(sub.GetOwnState()));
    sub.StartZoom(100, 100, 512, 384, true);
    ASSERT_TRUE(sub.GetSnapshot());
    auto green = Green();
    sub.SetTexture(green);

    Show(sub);
    Step(sub, 0.6f * 0.99f); // nearly there: about full size at the end point
    Show(sub);
    const int cx = static_cast<int>(512 * kScale);
    const int cy = static_cast<int>(384 * kScale);
    ExpectColour(cx, cy - 8, 255, 0, 0);
    ExpectColour(cx, cy + 8, 0, 0, 255);
    ExpectColour(cx, cy - 40, 0, 0, 0); // nothing beyond the picture
}

} // namespace
