// Where the design space sits in the window: crop rectangles, the design-to-
// pixel transform and the layout width reported to scripts.
#include "game/app/tp_Layout.h"

#include "game/app/tp_DisplayMode.h"
#include "game/app/tp_DisplayModeSelection.h"

#include <gtest/gtest.h>

namespace {

tp_DisplayMode FullScreen1080(bool widescreen) {
    tp_DisplayModeSelection::Desktop desktop;
    desktop.known = true;
    desktop.width = 1920;
    desktop.height = 1080;
    desktop.monitor_ratio = 16.0f / 9.0f;
    return tp_DisplayModeSelection::Choose(true, widescreen, desktop);
}

TEST(LayoutTest, CropRectangles) {
    const tr_Rect wide = tp_Layout::CropRect(true);
    EXPECT_FLOAT_EQ(wide.x, -171.0f);
    EXPECT_FLOAT_EQ(wide.y, 0.0f);
    EXPECT_FLOAT_EQ(wide.w, 1366.0f);
    EXPECT_FLOAT_EQ(wide.h, 768.0f);
    const tr_Rect normal = tp_Layout::CropRect(false);
    EXPECT_FLOAT_EQ(normal.x, 0.0f);
    EXPECT_FLOAT_EQ(normal.y, 0.0f);
    EXPECT_FLOAT_EQ(normal.w, 1024.0f);
    EXPECT_FLOAT_EQ(normal.h, 768.0f);
}

TEST(LayoutTest, TransformMapsTheDesignAreaIntoTheWindow) {
    const tp_DisplayMode mode = FullScreen1080(true);
    const tr_Matrix transform = tp_Layout::Transform(mode);
    float x = 0.0f, y = 0.0f;
    transform.TransformPoint(x, y);
    EXPECT_FLOAT_EQ(x, 240.0f);
    EXPECT_FLOAT_EQ(y, 0.0f);
    x = 1024.0f;
    y = 768.0f;
    transform.TransformPoint(x, y);
    EXPECT_FLOAT_EQ(x, 1680.0f);
    EXPECT_FLOAT_EQ(y, 1080.0f);
    // The wide margins reach the window's edges.
    x = -171.0f;
    transform.TransformPoint(x, y);
    EXPECT_NEAR(x, 0.0f, 1.0f);

    float px = 960.0f, py = 540.0f;
    tp_Layout::PixelToDesign(mode, px, py);
    EXPECT_FLOAT_EQ(px, 512.0f);
    EXPECT_FLOAT_EQ(py, 384.0f);

    tp_DisplayMode broken = mode;
    broken.scale_x = 0.0f;
    px = 5.0f;
    py = 6.0f;
    tp_Layout::PixelToDesign(broken, px, py);
    EXPECT_FLOAT_EQ(px, 5.0f);
    EXPECT_FLOAT_EQ(py, 6.0f);
}

TEST(LayoutTest, LayoutWidth) {
    const tp_DisplayMode wide = FullScreen1080(true);
    EXPECT_FLOAT_EQ(tp_Layout::LayoutWidth(true, 1920.0f, wide.scale_x), 1366.0f);
    EXPECT_FLOAT_EQ(tp_Layout::LayoutWidth(false, 1920.0f, wide.scale_x), 1024.0f);
    // A 1280-pixel window at scale 1.40625 shows only 910.2 units.
    EXPECT_FLOAT_EQ(tp_Layout::LayoutWidth(true, 1280.0f, 1.40625f), 1280.0f / 1.40625f);
    // Up to 2 pixels short still counts as the full width.
    EXPECT_FLOAT_EQ(tp_Layout::LayoutWidth(true, 1364.5f, 1.0f), 1366.0f);
    EXPECT_FLOAT_EQ(tp_Layout::LayoutWidth(true, 1363.0f, 1.0f), 1363.0f);
    EXPECT_FLOAT_EQ(tp_Layout::LayoutWidth(false, 800.0f, 1.0f), 800.0f);
    EXPECT_FLOAT_EQ(tp_Layout::LayoutWidth(false, 800.0f, 0.0f), 1024.0f);
}

} // namespace
