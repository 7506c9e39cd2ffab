#include "engine/render/tr_QuadGeometry.h"
#include "engine/render/tr_GeneratedTexture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iterator>

namespace {

TEST(QuadGeometryTest, PixelExactWhenEveryTransformedCornerIsWhole) {
    struct Case {
        const char* what;
        tr_Matrix m;
        float x0, y0, x1, y1;
        bool exact;
    };
    const Case cases[] = {
        {"whole position", tr_MakeTransform(100, 50, 0, 1, 1), -8, -8, 8, 8, true},
        {"half-pixel position", tr_MakeTransform(100.5f, 50, 0, 1, 1), -8, -8, 8, 8, false},
        {"half-pixel corners", tr_MakeTransform(100, 50, 0, 1, 1), -8.5f, -8, 7.5f, 8, false},
        // An odd-sized picture centred on a half pixel lands on whole pixels.
        {"odd size on a half pixel", tr_MakeTransform(100.5f, 50, 0, 1, 1), -7.5f, -8, 7.5f, 8,
         true},
        {"scaled", tr_MakeTransform(100, 50, 0, 2, 1), -8, -8, 8, 8, false},
        {"turned", tr_MakeTransform(100, 50, 0.01f, 1, 1), -8, -8, 8, 8, false},
        {"mirrored across", tr_MakeTransform(100, 50, 0, -1, 1), -8, -8, 8, 8, true},
        {"mirrored upright", tr_MakeTransform(100, 50, 0, 1, -1), -8, -8, 8, 8, true},
        // Rounding error either side of a whole number is no offset.
        {"a little above", tr_MakeTransform(100.00005f, 50, 0, 1, 1), -8, -8, 8, 8, true},
        {"a little below", tr_MakeTransform(99.9999f, 50, 0, 1, 1), -8, -8, 8, 8, true},
        {"a hundredth below", tr_MakeTransform(99.99f, 50, 0, 1, 1), -8, -8, 8, 8, false},
        // A layout scale a float step from 1 keeps a full-width picture exact;
        // one that stretches it by a fraction of a pixel does not.
        {"layout rounding", tr_MakeTransform(170.99998f, 0, 0, 0.99999994f, 1), -683, -384, 683,
         384, true},
        {"layout stretch", tr_MakeTransform(170.75f, 0, 0, 1.00049f, 1), -683, -384, 683, 384,
         false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tr_IsPixelExact(c.m, c.x0, c.y0, c.x1, c.y1), c.exact) << c.what;
}

TEST(QuadGeometryTest, OnlyDrawsThatChangeNoPixelAreInvisible) {
    struct Case {
        int blend;
        float alpha;
        bool invisible;
    };
    const Case cases[] = {
        {TR_BLEND_NORMAL, 0.0f, true},        {TR_BLEND_ADD, 0.0f, true},
        {TR_BLEND_NORMAL, 0.001f, true},      {TR_BLEND_NORMAL, 0.003f, false},
        {TR_BLEND_ADD, 0.5f, false},          {TR_BLEND_MULTIPLY, 0.0f, false},
        {TR_BLEND_INV_MULTIPLY, 0.0f, false},
    };
    for (const Case& c : cases) {
        tr_DrawState state;
        state.blend = c.blend;
        state.alpha = c.alpha;
        EXPECT_EQ(tr_IsInvisible(state), c.invisible) << c.blend << " at " << c.alpha;
    }
}

TEST(QuadGeometryTest, QuadsBeyondAnEdgeOfTheViewAreOutside) {
    const int view[4] = {10, 20, 100, 50};
    struct Case {
        const char* what;
        float x0, y0, x1, y1;
        bool outside;
    };
    const Case cases[] = {
        {"inside", 20, 30, 40, 40, false},
        {"over the left edge", 0, 30, 11, 40, false},
        {"left of it", -30, 30, 10, 40, true},
        {"right of it", 110, 30, 200, 40, true},
        {"above it", 20, 0, 40, 20, true},
        {"below it", 20, 70, 40, 90, true},
        {"around it", -100, -100, 500, 500, false},
        {"a corner beyond two edges, the rest left of it", -30, -30, 5, 40, true},
        {"a corner beyond two edges, the rest above it", -30, -30, 60, 10, true},
        {"a corner beyond two edges, the rest inside", -30, -30, 60, 40, false},
        {"not a number", std::nanf(""), 30, 40, 40, false},
    };
    for (const Case& c : cases) {
        tr_Vertex quad[4];
        const float xs[4] = {c.x0, c.x1, c.x0, c.x1};
        const float ys[4] = {c.y0, c.y0, c.y1, c.y1};
        for (int i = 0; i < 4; ++i) {
            quad[i].x = xs[i];
            quad[i].y = ys[i];
        }
        EXPECT_EQ(tr_IsOutsideView(quad, 4, view), c.outside) << c.what;
    }
}

TEST(QuadGeometryTest, OpaqueOnlyForOpaqueTexturesInTheNormalModeAtFullAlpha) {
    const float grey[3] = {0.5f, 0.5f, 0.5f};
    auto solid = std::make_shared<tr_GeneratedTexture>();
    ASSERT_TRUE(solid->Create(8, 8, grey));
    auto clear = std::make_shared<tr_GeneratedTexture>();
    ASSERT_TRUE(clear->Create(8, 8));
    EXPECT_TRUE(solid->IsOpaque());
    EXPECT_FALSE(clear->IsOpaque());
    struct Case {
        bool solid;
        int blend;
        float alpha;
        bool opaque;
    };
    const Case cases[] = {
        {true, TR_BLEND_NORMAL, 1.0f, true},   {true, TR_BLEND_NORMAL, 0.99f, false},
        {true, TR_BLEND_ADD, 1.0f, false},     {true, TR_BLEND_MULTIPLY, 1.0f, false},
        {false, TR_BLEND_NORMAL, 1.0f, false},
    };
    for (const Case& c : cases) {
        tr_DrawState state;
        state.blend = c.blend;
        state.alpha = c.alpha;
        tr_QuadGeometry quad;
        ASSERT_TRUE(quad.Build(c.solid ? solid.get() : clear.get(), state));
        EXPECT_EQ(quad.opaque, c.opaque) << c.solid << " " << c.blend << " " << c.alpha;
    }
    // Pixels written later may hold transparency.
    const uint8_t pixels[8 * 8 * 4] = {};
    ASSERT_TRUE(solid->UpdatePixels(pixels, 8, 8, 32));
    EXPECT_FALSE(solid->IsOpaque());
}

TEST(QuadGeometryTest, VerticesRunTopLeftTopRightBottomLeftBottomRightWithOffset) {
    auto texture = std::make_shared<tr_GeneratedTexture>();
    ASSERT_TRUE(texture->Create(10, 6));
    tr_DrawState state;
    state.offset_x = 3.0f;
    state.offset_y = -2.0f;
    state.alpha = 0.5f;
    state.red = 1.0f;
    state.green = 0.0f;
    state.blue = 0.25f;
    tr_QuadGeometry quad;
    ASSERT_TRUE(quad.Build(texture.get(), state));
    const float expected[4][4] = {{-2, -5, 0, 0}, {8, -5, 1, 0}, {-2, 1, 0, 1}, {8, 1, 1, 1}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(quad.vertices[i].x, expected[i][0]) << i;
        EXPECT_FLOAT_EQ(quad.vertices[i].y, expected[i][1]) << i;
        EXPECT_FLOAT_EQ(quad.vertices[i].u, expected[i][2]) << i;
        EXPECT_FLOAT_EQ(quad.vertices[i].v, expected[i][3]) << i;
        EXPECT_EQ(quad.vertices[i].color, 0x80FF0040u) << i;
        EXPECT_FLOAT_EQ(quad.vertices[i].z, 0.0f);
    }
    EXPECT_TRUE(quad.point_sampling);
    state.transform = tr_MakeTransform(0.5f, 0, 0, 1, 1);
    ASSERT_TRUE(quad.Build(texture.get(), state));
    EXPECT_FALSE(quad.point_sampling);
}

// The batch builds its quads already moved through the draw matrix; they
// must be exactly the quads moved afterwards, bit for bit, or pictures shift.
TEST(QuadGeometryTest, QuadsBuiltUnderATransformEqualQuadsMovedAfterwards) {
    auto texture = std::make_shared<tr_GeneratedTexture>();
    ASSERT_TRUE(texture->Create(13, 7));
    const tr_Matrix transforms[] = {
        tr_MakeTransform(100, 50, 0, 1, 1),
        tr_MakeTransform(683.3f, 384.7f, 0.61f, 1, 1),
        tr_MakeTransform(-20.25f, 9, 2.5f, 0.125f, 3),
        tr_MakeTransform(7, 8, -1.2f, -1, 0.5f),
        tr_MakeTransform(1e6f, -1e-3f, 3.1f, 1e-3f, 7),
    };
    for (size_t t = 0; t < std::size(transforms); ++t) {
        tr_DrawState state;
        state.offset_x = 1.5f;
        state.offset_y = -0.75f;
        state.transform = transforms[t];
        tr_QuadGeometry moved;
        ASSERT_TRUE(moved.Build(texture.get(), state));
        tr_TransformVertices(moved.vertices, 4, state.transform);
        tr_Vertex built[4];
        tr_QuadGeometry::Flags flags;
        ASSERT_TRUE(
            tr_QuadGeometry::BuildInto(texture.get(), state, &state.transform, built, flags));
        EXPECT_EQ(flags.point_sampling, moved.point_sampling) << t;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(std::memcmp(&built[i], &moved.vertices[i], sizeof(tr_Vertex)), 0)
                << "transform " << t << ", corner " << i;
        }
    }
}

TEST(QuadGeometryTest, ColourPackingRoundsAndClamps) {
    EXPECT_EQ(tr_PackColor(1.0f, 0.0f, 0.5f, 2.0f), 0xFF0080FFu);
    EXPECT_EQ(tr_PackColor(-1.0f, 0.1f, 0.0019f, 0.002f), 0x001A0001u);
}

TEST(QuadGeometryTest, PixelCentreShiftMovesOnlyTheTranslation) {
    const tr_Matrix m = tr_MakeTransform(10, 20, 0.3f, 2, 2);
    const tr_Matrix shifted = tr_ShiftToPixelCentres(m, 0.5f);
    EXPECT_FLOAT_EQ(shifted[12], m[12] - 0.5f);
    EXPECT_FLOAT_EQ(shifted[13], m[13] - 0.5f);
    EXPECT_FLOAT_EQ(shifted[0], m[0]);
    EXPECT_FLOAT_EQ(shifted[1], m[1]);
    EXPECT_TRUE(tr_ShiftToPixelCentres(m, 0.0f) == m);
}

} // namespace
