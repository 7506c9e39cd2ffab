#include "engine/render/tr_FrameDraws.h"
#include "engine/render/tr_DirtyRegion.h"
#include "engine/render/tr_GeneratedTexture.h"
#include "engine/render/tr_IndexList.h"
#include "engine/render/tr_Matrix.h"
#include "engine/render/tr_VertexList.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

// A 1000 x 500 screen; the pictures are 10 x 10, centred where they are
// drawn, so a quad at (x, y) reaches x - 6 .. x + 6 with the one-pixel margin.
const tr_Rect kScreen{0, 0, 1000, 500};

tr_PixelRect Around(int x, int y) {
    return {x - 6, y - 6, x + 6, y + 6};
}

struct Scene {
    std::shared_ptr<tr_GeneratedTexture> a = Make();
    std::shared_ptr<tr_GeneratedTexture> b = Make();

    static std::shared_ptr<tr_GeneratedTexture> Make() {
        auto texture = std::make_shared<tr_GeneratedTexture>();
        const float grey[3] = {0.5f, 0.5f, 0.5f};
        EXPECT_TRUE(texture->Create(10, 10, grey));
        return texture;
    }
};

void Quad(tr_FrameDraws& frame, const std::shared_ptr<tr_Texture>& texture, float x, float y,
          float alpha = 1.0f, const tr_Rect& view = kScreen) {
    tr_DrawState state;
    state.alpha = alpha;
    state.transform = tr_Matrix::Translation(x, y);
    frame.AddQuad(texture, state, view);
}

using Build = std::function<void(Scene&, tr_FrameDraws&)>;

struct DiffCase {
    const char* what;
    Build before;
    Build after;
    std::vector<tr_PixelRect> expected;
};

void Three(Scene& s, tr_FrameDraws& f) {
    Quad(f, s.a, 100, 100);
    Quad(f, s.b, 500, 300);
    Quad(f, s.a, 900, 100);
}

TEST(FrameDrawsTest, OnlyWhatCanLookDifferentIsMarked) {
    const DiffCase cases[] = {
        {"the same frame again", Three, Three, {}},
        {"one quad moved: where it was and where it is",
         Three,
         [](Scene& s, tr_FrameDraws& f) {
             Quad(f, s.a, 100, 100);
             Quad(f, s.b, 520, 300);
             Quad(f, s.a, 900, 100);
         },
         {{494, 294, 526, 306}}},
        {"fading changes the colour",
         Three,
         [](Scene& s, tr_FrameDraws& f) {
             Quad(f, s.a, 100, 100);
             Quad(f, s.b, 500, 300, 0.5f);
             Quad(f, s.a, 900, 100);
         },
         {Around(500, 300)}},
        {"a draw inserted in the middle marks only itself",
         Three,
         [](Scene& s, tr_FrameDraws& f) {
             Quad(f, s.a, 100, 100);
             Quad(f, s.b, 300, 400);
             Quad(f, s.b, 500, 300);
             Quad(f, s.a, 900, 100);
         },
         {Around(300, 400)}},
        {"a draw removed marks where it was",
         Three,
         [](Scene& s, tr_FrameDraws& f) {
             Quad(f, s.a, 100, 100);
             Quad(f, s.a, 900, 100);
         },
         {Around(500, 300)}},
        {"two draws swapped in order",
         Three,
         [](Scene& s, tr_FrameDraws& f) {
             Quad(f, s.b, 500, 300);
             Quad(f, s.a, 100, 100);
             Quad(f, s.a, 900, 100);
         },
         {Around(500, 300), Around(100, 100)}},
        {"another texture in the same place",
         Three,
         [](Scene& s, tr_FrameDraws& f) {
             Quad(f, s.a, 100, 100);
             Quad(f, s.a, 500, 300);
             Quad(f, s.a, 900, 100);
         },
         {Around(500, 300)}},
        {"a clip that cuts the draw",
         Three,
         [](Scene& s, tr_FrameDraws& f) {
             Quad(f, s.a, 100, 100);
             Quad(f, s.b, 500, 300, 1.0f, tr_Rect{0, 0, 1000, 302});
             Quad(f, s.a, 900, 100);
         },
         {Around(500, 300)}},
        {"a quad the renderer skips is not kept",
         Three,
         [](Scene& s, tr_FrameDraws& f) {
             Three(s, f);
             Quad(f, s.b, 700, 400, 2.0f);
         },
         {}},
        {"a line moved",
         [](Scene&, tr_FrameDraws& f) { f.AddLine(10, 400, 60, 400, 1, 0, 0, {}, kScreen); },
         [](Scene&, tr_FrameDraws& f) { f.AddLine(10, 400, 60, 410, 1, 0, 0, {}, kScreen); },
         {{8, 398, 62, 412}}},
    };
    for (const DiffCase& c : cases) {
        Scene scene;
        tr_FrameDraws before;
        tr_FrameDraws after;
        c.before(scene, before);
        c.after(scene, after);
        tr_DirtyRegion region;
        region.Reset(1000, 500);
        tr_FrameDraws::Diff(before, after, region);
        EXPECT_EQ(region.GetRects(), c.expected) << c.what;
    }
}

TEST(FrameDrawsTest, RewrittenPixelsCountOnlyOnceRefreshed) {
    Scene scene;
    tr_FrameDraws before;
    tr_FrameDraws after;
    Three(scene, before);
    Three(scene, after);
    std::vector<uint8_t> pixels(10 * 10 * 4, 0xFF);
    ASSERT_TRUE(scene.b->UpdatePixels(pixels.data(), 10, 10));
    tr_DirtyRegion region;
    region.Reset(1000, 500);
    tr_FrameDraws::Diff(before, after, region);
    EXPECT_TRUE(region.IsEmpty()) << "both frames kept the id from when they drew";
    after.RefreshContent();
    tr_FrameDraws::Diff(before, after, region);
    EXPECT_EQ(region.GetRects(), std::vector<tr_PixelRect>{Around(500, 300)});
}

TEST(FrameDrawsTest, ReleasedListsStillTellTexturesAndTheirContentApart) {
    Scene scene;
    tr_FrameDraws before;
    Three(scene, before);
    before.ReleaseTextures();
    // Nothing but the scene holds the textures any more: a video's texture
    // can be rewritten in place.
    EXPECT_EQ(scene.a.use_count(), 1);
    EXPECT_EQ(scene.b.use_count(), 1);
    struct Case {
        const char* what;
        std::function<void(Scene&)> change;
        std::vector<tr_PixelRect> expected;
    };
    const Case cases[] = {
        {"nothing changed", [](Scene&) {}, {}},
        {"b rewritten in place",
         [](Scene& s) {
             std::vector<uint8_t> pixels(10 * 10 * 4, 0xFF);
             ASSERT_TRUE(s.b->UpdatePixels(pixels.data(), 10, 10));
         },
         {Around(500, 300)}},
        {"b replaced by a new texture", [](Scene& s) { s.b = Scene::Make(); }, {Around(500, 300)}},
    };
    for (const Case& c : cases) {
        c.change(scene);
        tr_FrameDraws after;
        Three(scene, after);
        tr_DirtyRegion region;
        region.Reset(1000, 500);
        tr_FrameDraws::Diff(before, after, region);
        EXPECT_EQ(region.GetRects(), c.expected) << c.what;
    }
}

TEST(FrameDrawsTest, ListsCompareEveryVertexAndIndex) {
    tr_VertexList vertices;
    tr_IndexList indices;
    ASSERT_TRUE(vertices.Create(8));
    ASSERT_TRUE(indices.Create(8));
    for (int i = 0; i < 3; ++i)
        vertices.AddVertex(200.0f + 10.0f * i, 100.0f + 20.0f * (i % 2), 0, 0, 1, 1, 1, 1);
    for (uint16_t i = 0; i < 3; ++i)
        indices.AddIndex(i);
    tr_FrameDraws before;
    before.AddList(nullptr, vertices, &indices, {}, kScreen);
    ASSERT_EQ(before.GetDraws().size(), 1u);
    EXPECT_EQ(before.GetDraws()[0].kind, tr_FrameDraws::Kind::kIndexed);

    struct Change {
        const char* what;
        std::function<void()> apply;
        bool marked;
    };
    const Change changes[] = {
        {"nothing", [] {}, false},
        {"a vertex colour",
         [&] {
             vertices.Clear();
             for (int i = 0; i < 3; ++i)
                 vertices.AddVertex(200.0f + 10.0f * i, 100.0f + 20.0f * (i % 2), 0, 0, 1, 1, 1,
                                    i == 2 ? 0.5f : 1.0f);
         },
         true},
        {"the index order",
         [&] {
             indices.Clear();
             for (uint16_t i = 3; i > 0; --i)
                 indices.AddIndex(static_cast<uint16_t>(i - 1));
         },
         true},
    };
    for (const Change& change : changes) {
        change.apply();
        tr_FrameDraws after;
        after.AddList(nullptr, vertices, &indices, {}, kScreen);
        tr_DirtyRegion region;
        region.Reset(1000, 500);
        tr_FrameDraws::Diff(before, after, region);
        EXPECT_EQ(!region.IsEmpty(), change.marked) << change.what;
        if (change.marked) {
            EXPECT_EQ(region.GetRects(), std::vector<tr_PixelRect>({{199, 99, 221, 121}}))
                << change.what;
        }
        vertices.Clear();
        indices.Clear();
        for (int i = 0; i < 3; ++i)
            vertices.AddVertex(200.0f + 10.0f * i, 100.0f + 20.0f * (i % 2), 0, 0, 1, 1, 1, 1);
        for (uint16_t i = 0; i < 3; ++i)
            indices.AddIndex(i);
    }
}

// Particles: small triangles far apart in one list. Only the triangles
// that moved mark where they were and are, plain or indexed alike; lists
// that differ in more than their vertices mark their whole box.
TEST(FrameDrawsTest, ListsMarkOnlyTheTrianglesThatChanged) {
    struct Case {
        const char* what;
        bool indexed;
        float moved_x; // where the second triangle goes
        float colour;  // the second frame's colour of every vertex
        bool reorder;  // indices differ between the frames
        std::vector<tr_PixelRect> expected;
    };
    const Case cases[] = {
        {"nothing changed", false, 800, 1, false, {}},
        {"one moved", false, 820, 1, false, {{799, 299, 831, 311}}},
        {"one moved, indexed", true, 820, 1, false, {{799, 299, 831, 311}}},
        {"every colour changed",
         false,
         800,
         0.5f,
         false,
         {{99, 99, 111, 111}, {799, 299, 811, 311}}},
        {"indices changed", true, 800, 1, true, {{99, 99, 811, 311}}},
    };
    for (const Case& c : cases) {
        tr_FrameDraws frames[2];
        for (int f = 0; f < 2; ++f) {
            tr_VertexList vertices;
            tr_IndexList indices;
            ASSERT_TRUE(vertices.Create(8));
            ASSERT_TRUE(indices.Create(8));
            const float colour = f == 0 ? 1.0f : c.colour;
            const float xs[2] = {100, f == 0 ? 800.0f : c.moved_x};
            const float ys[2] = {100, 300};
            for (int t = 0; t < 2; ++t) {
                vertices.AddVertex(xs[t], ys[t], 0, 0, 0, colour, 1, 1);
                vertices.AddVertex(xs[t] + 10, ys[t], 0, 1, 0, colour, 1, 1);
                vertices.AddVertex(xs[t], ys[t] + 10, 0, 0, 1, colour, 1, 1);
            }
            for (uint16_t i = 0; i < 6; ++i)
                indices.AddIndex(f == 1 && c.reorder ? static_cast<uint16_t>(5 - i) : i);
            frames[f].AddList(nullptr, vertices, c.indexed ? &indices : nullptr, {}, kScreen);
        }
        tr_DirtyRegion region;
        region.Reset(1000, 500);
        tr_FrameDraws::Diff(frames[0], frames[1], region);
        EXPECT_EQ(region.GetRects(), c.expected) << c.what;
    }
}

} // namespace
