#include "engine/render/tr_DirtyRegion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

const float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();

struct RegionCase {
    const char* what;
    std::vector<tr_Rect> added;
    std::vector<tr_PixelRect> expected; // in order of the list
    bool whole_screen;
};

TEST(DirtyRegionTest, RectanglesAreSnappedClippedMergedOrCollapsed) {
    // The screen is 1000 x 500.
    const RegionCase cases[] = {
        {"nothing added", {}, {}, false},
        {"fractions grow outwards", {{10.5f, 20.25f, 5.0f, 5.5f}}, {{10, 20, 16, 26}}, false},
        {"clipped at every edge",
         {{-20, -30, 60, 70}, {990, 480, 50, 50}},
         {{0, 0, 40, 40}, {990, 480, 1000, 500}},
         false},
        {"empty, negative or outside ignored",
         {{5, 5, 0, 10}, {5, 5, 10, -1}, {1200, 10, 50, 50}, {10, -90, 20, 40}},
         {},
         false},
        {"far apart stay apart",
         {{0, 0, 10, 10}, {900, 400, 10, 10}},
         {{0, 0, 10, 10}, {900, 400, 910, 410}},
         false},
        {"overlapping merge", {{0, 0, 100, 100}, {20, 20, 100, 100}}, {{0, 0, 120, 120}}, false},
        {"overlapping with much waste stay two",
         {{0, 0, 100, 100}, {50, 50, 100, 100}},
         {{0, 0, 100, 100}, {50, 50, 150, 150}},
         false},
        {"touching neighbours merge",
         {{0, 0, 100, 100}, {100, 0, 100, 100}},
         {{0, 0, 200, 100}},
         false},
        {"a merge that reaches a third takes it too",
         {{0, 0, 100, 100}, {300, 0, 100, 100}, {90, 0, 220, 100}},
         {{0, 0, 400, 100}},
         false},
        {"most of the screen becomes all of it", {{0, 0, 800, 400}}, {{0, 0, 1000, 500}}, true},
        {"infinite edges are clipped", {{0, 10, kInf, 10}}, {{0, 10, 1000, 20}}, false},
        {"an infinite width from minus infinity is unknown",
         {{-kInf, 10, kInf, 10}},
         {{0, 0, 1000, 500}},
         true},
        {"not a number stands for everything", {{kNaN, 0, 10, 10}}, {{0, 0, 1000, 500}}, true},
        {"nothing more is added once whole",
         {{kNaN, 0, 10, 10}, {5, 5, 5, 5}},
         {{0, 0, 1000, 500}},
         true},
    };
    for (const RegionCase& c : cases) {
        tr_DirtyRegion region;
        region.Reset(1000, 500);
        for (const tr_Rect& rect : c.added)
            region.Add(rect);
        EXPECT_EQ(region.GetRects(), c.expected) << c.what;
        EXPECT_EQ(region.IsWholeScreen(), c.whole_screen) << c.what;
        EXPECT_EQ(region.IsEmpty(), c.expected.empty()) << c.what;
    }
}

TEST(DirtyRegionTest, ALongListTakesNewRectanglesIntoTheNearest) {
    tr_DirtyRegion region;
    region.Reset(2000, 1000);
    // A grid far enough apart that no two merge on their own.
    static_assert(tr_DirtyRegion::kMaxRects <= 32, "the grid holds 32");
    for (int i = 0; i < tr_DirtyRegion::kMaxRects; ++i)
        region.Add(tr_Rect{(i % 8) * 250.0f, (i / 8) * 250.0f, 20.0f, 20.0f});
    EXPECT_EQ(region.GetRects().size(), static_cast<size_t>(tr_DirtyRegion::kMaxRects));
    EXPECT_EQ(region.GetArea(), tr_DirtyRegion::kMaxRects * 400);
    // Nearest to the third rectangle of the first row (500..520, 0..20).
    region.Add(tr_Rect{560.0f, 100.0f, 20.0f, 20.0f});
    EXPECT_FALSE(region.IsWholeScreen());
    EXPECT_EQ(region.GetRects().size(), static_cast<size_t>(tr_DirtyRegion::kMaxRects));
    EXPECT_EQ(region.GetRects().back(), (tr_PixelRect{500, 0, 580, 120}));
    EXPECT_EQ(region.GetArea(), (tr_DirtyRegion::kMaxRects - 1) * 400 + 80 * 120);
    // Covering most of the screen still collapses into the whole screen.
    region.Add(tr_Rect{0.0f, 400.0f, 2000.0f, 600.0f});
    EXPECT_TRUE(region.IsWholeScreen());
    EXPECT_EQ(region.GetArea(), 2000 * 1000);
}

TEST(DirtyRegionTest, ResetEmptiesAndResizes) {
    tr_DirtyRegion region;
    region.Reset(100, 100);
    region.AddWholeScreen();
    region.Reset(50, 40);
    EXPECT_TRUE(region.IsEmpty());
    EXPECT_FALSE(region.IsWholeScreen());
    region.Add(tr_Rect{30, 30, 100, 100});
    EXPECT_EQ(region.GetRects(), (std::vector<tr_PixelRect>{{30, 30, 50, 40}}));
}

} // namespace
