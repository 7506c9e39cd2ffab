// The demo game's cursor art drawn by the cursor through the GL renderer into
// a real window (Xvfb in the test run), read back pixel by pixel: the shape's
// hot spot lands on the mouse position.
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/platform/headless/tr_Cursor_Headless.h"
#include "engine/resources/files/tr_ResourceRegistry.h"

#include "tests/support/GlRenderTest.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const int kWidth = 320;
const int kHeight = 200;

std::string ShapePath(const std::string& shape) {
    return std::string(TARROW_SOURCE_DIR) + "/assets/cursors/" + shape;
}

class CursorDrawGLTest : public GlRenderTest<kWidth, kHeight> {
protected:
    // One frame with only the cursor on black, read back.
    void DrawFrame(tr_Cursor& cursor) {
        render_->BeginFrame();
        cursor.Draw(render_.get());
        render_->EndFrame();
        int width = 0, height = 0;
        ASSERT_TRUE(render_->ReadFrame(frame_, width, height));
        ASSERT_EQ(width, kWidth);
        ASSERT_EQ(height, kHeight);
    }
    int Channel(int x, int y, int shift) const {
        return static_cast<int>((frame_[static_cast<size_t>(y) * kWidth + x] >> shift) & 0xFF);
    }
    int Red(int x, int y) const { return Channel(x, y, 16); }
    int Green(int x, int y) const { return Channel(x, y, 8); }
    int Blue(int x, int y) const { return Channel(x, y, 0); }

    std::vector<uint32_t> frame_;
};

TEST_F(CursorDrawGLTest, TheArrowsTipIsAtTheMousePosition) {
    tr_ResourceRegistry registry;
    tr_Cursor_Headless cursor;
    // The arrow's tip is pixel (2, 2) of a 32 x 32 picture drawn centred.
    cursor.SetCurrent(cursor.AddShape(ShapePath("cursor"), 14, 14, 32512));
    cursor.SetPosition(100, 80);
    DrawFrame(cursor);
    // Ink on the tip, parchment inside the body, nothing right of the body.
    EXPECT_LT(Red(100, 80), 90);
    EXPECT_GT(Red(100, 80), 30);
    EXPECT_GT(Red(102, 90), 200);
    EXPECT_GT(Green(102, 90), 190);
    EXPECT_EQ(frame_[static_cast<size_t>(83) * kWidth + 123] & 0xFFFFFF, 0u);
    EXPECT_EQ(frame_[static_cast<size_t>(78) * kWidth + 96] & 0xFFFFFF, 0u);

    // Outside the window: a black frame.
    cursor.SetOutside();
    DrawFrame(cursor);
    EXPECT_EQ(Red(102, 90), 0);
}

TEST_F(CursorDrawGLTest, TheLoupesLensIsCentredOnTheMousePosition) {
    tr_ResourceRegistry registry;
    tr_Cursor_Headless cursor;
    cursor.SetCurrent(cursor.AddShape(ShapePath("cursor_magglass"), 0, 0, 32646));
    cursor.SetPosition(200, 120);
    DrawFrame(cursor);
    // Glass (bluish) at the centre, the brass ring nine pixels above it.
    EXPECT_GT(Blue(200, 120), Red(200, 120));
    EXPECT_GT(Blue(200, 120), 120);
    EXPECT_GT(Red(200, 111), 180);
    EXPECT_GT(Red(200, 111), Blue(200, 111) + 60);
}

} // namespace
