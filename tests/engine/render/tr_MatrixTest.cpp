#include "engine/render/tr_Matrix.h"

#include <gtest/gtest.h>

namespace {

// The step-by-step product the written-out transform must equal, neutral
// steps skipped as before.
tr_Matrix ProductOfSteps(float x, float y, float angle, float sx, float sy) {
    tr_Matrix r;
    if (sx != 1.0f || sy != 1.0f)
        r = r * tr_Matrix::Scale(sx, sy);
    if (angle != 0.0f)
        r = r * tr_Matrix::Rotation(angle);
    if (x != 0.0f || y != 0.0f)
        r = r * tr_Matrix::Translation(x, y);
    return r;
}

TEST(MatrixTest, MakeTransformEqualsTheProductOfItsSteps) {
    struct Case {
        float x, y, angle, sx, sy;
    };
    const Case cases[] = {
        {0, 0, 0, 1, 1},
        {683, 384, 0, 1, 1},
        {0, 0, 0.5f, 1, 1},
        {0, 0, 0, 0.125f, 0.125f},
        {-12.5f, 7, 2.7f, -1, 3},
        {1366, -768, -4.1f, 0.3f, 0.7f},
        {0.25f, 0.75f, 3.14159f, 0, 1},
    };
    for (const Case& c : cases) {
        const tr_Matrix made = tr_MakeTransform(c.x, c.y, c.angle, c.sx, c.sy);
        const tr_Matrix want = ProductOfSteps(c.x, c.y, c.angle, c.sx, c.sy);
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(made[i], want[i]) << "element " << i << " of " << c.x << ", " << c.y << ", "
                                        << c.angle << ", " << c.sx << ", " << c.sy;
    }
    EXPECT_TRUE(tr_MakeTransform(0, 0, 0, 1, 1) == tr_Matrix::Identity());
}

} // namespace
