// The quad index pattern: both triangles of a quad wind the same way (what
// lets a software rasteriser take an axis-aligned pair for one rectangle),
// and together they cover the quad exactly once.
#include "engine/platform/gl/tr_QuadIndices_GL.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Point {
    float x, y;
};

float TwiceSignedArea(const Point& a, const Point& b, const Point& c) {
    return (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
}

// Corners top-left, top-right, bottom-left, bottom-right of a w x h quad
// turned by angle and mirrored when w or h is negative.
std::vector<Point> Corners(float w, float h, float angle) {
    const Point local[4] = {{0, 0}, {w, 0}, {0, h}, {w, h}};
    std::vector<Point> out;
    for (const Point& p : local)
        out.push_back({p.x * std::cos(angle) - p.y * std::sin(angle),
                       p.x * std::sin(angle) + p.y * std::cos(angle)});
    return out;
}

TEST(QuadIndicesGLTest, TrianglesWindAlikeAndCoverTheQuadOnce) {
    struct Case {
        const char* what;
        float w, h, angle;
    };
    const Case cases[] = {
        {"upright", 64, 32, 0.0f},
        {"turned", 8, 8, 0.7f},
        {"mirrored", -16, 16, 0.0f},
        {"flipped and turned", 10, -20, 2.5f},
    };
    const int quads = 3;
    std::vector<uint16_t> indices(quads * tr_QuadIndices_GL::kPerQuad);
    tr_QuadIndices_GL::Fill(indices.data(), quads);
    for (const Case& c : cases) {
        const std::vector<Point> corners = Corners(c.w, c.h, c.angle);
        for (int q = 0; q < quads; ++q) {
            const uint16_t* t = &indices[static_cast<size_t>(q) * tr_QuadIndices_GL::kPerQuad];
            for (int i = 0; i < tr_QuadIndices_GL::kPerQuad; ++i) {
                ASSERT_GE(t[i], q * 4) << c.what;
                ASSERT_LT(t[i], q * 4 + 4) << c.what;
            }
            auto at = [&](int i) { return corners[static_cast<size_t>(t[i] - q * 4)]; };
            const float first = TwiceSignedArea(at(0), at(1), at(2));
            const float second = TwiceSignedArea(at(3), at(4), at(5));
            EXPECT_GT(first * second, 0.0f) << c.what << ": the triangles wind apart";
            EXPECT_NEAR(std::fabs(first) + std::fabs(second), 2.0f * std::fabs(c.w * c.h), 1e-2f)
                << c.what;
            // The triangles share two opposite corners: they meet on a
            // diagonal instead of overlapping along an edge.
            int shared = 0;
            int shared_sum = 0;
            for (int i = 0; i < 3; ++i) {
                if (std::count(t + 3, t + 6, t[i]) > 0) {
                    ++shared;
                    shared_sum += t[i] - q * 4;
                }
            }
            EXPECT_EQ(shared, 2) << c.what;
            EXPECT_EQ(shared_sum, 3) << c.what;
        }
    }
}

} // namespace
