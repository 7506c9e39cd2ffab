#include "engine/render/tr_QuadGeometry.h"
#include "engine/render/tr_GeneratedTexture.h"

#include <gtest/gtest.h>

namespace {

TEST(QuadGeometryTest, PixelExactAtWholePositionsOnlyWithUnitScale) {
    EXPECT_TRUE(tr_IsPixelExact(tr_MakeTransform(100, 50, 0, 1, 1), -8, -8, 8, 8));
    EXPECT_FALSE(tr_IsPixelExact(tr_MakeTransform(100.5f, 50, 0, 1, 1), -8, -8, 8, 8));
    EXPECT_FALSE(tr_IsPixelExact(tr_MakeTransform(100, 50, 0, 1, 1), -8.5f, -8, 7.5f, 8));
    EXPECT_FALSE(tr_IsPixelExact(tr_MakeTransform(100, 50, 0, 2, 1), -8, -8, 8, 8));
    EXPECT_FALSE(tr_IsPixelExact(tr_MakeTransform(100, 50, 0.01f, 1, 1), -8, -8, 8, 8));
    // Mirroring keeps pixels whole.
    EXPECT_TRUE(tr_IsPixelExact(tr_MakeTransform(100, 50, 0, -1, 1), -8, -8, 8, 8));
    EXPECT_TRUE(tr_IsPixelExact(tr_MakeTransform(100, 50, 0, 1, -1), -8, -8, 8, 8));
    // The tolerance is one ten-thousandth above a whole number, not below.
    EXPECT_TRUE(tr_IsPixelExact(tr_MakeTransform(100.00005f, 50, 0, 1, 1), -8, -8, 8, 8));
    EXPECT_FALSE(tr_IsPixelExact(tr_MakeTransform(99.999f, 50, 0, 1, 1), -8, -8, 8, 8));
    EXPECT_TRUE(tr_IsPixelExact(tr_MakeTransform(0, 0, 0, 1.00005f, 1), 0, 0, 8, 8));
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
