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
        {"two draws swapped in order: one keeps its place in the run, the other marks",
         Three,
         [](Scene& s, tr_FrameDraws& f) {
             Quad(f, s.b, 500, 300);
             Quad(f, s.a, 100, 100);
             Quad(f, s.a, 900, 100);
         },
         {Around(100, 100)}},
        {"a draw inserted while the last one moves: the draws between keep still",
         Three,
         [](Scene& s, tr_FrameDraws& f) {
             Quad(f, s.a, 100, 100);
             Quad(f, s.b, 300, 400);
             Quad(f, s.b, 500, 300);
             Quad(f, s.a, 900, 120);
         },
         {Around(300, 400), {894, 94, 906, 126}}},
        {"a draw removed while the first one fades",
         [](Scene& s, tr_FrameDraws& f) {
             Three(s, f);
             Quad(f, s.b, 700, 400);
         },
         [](Scene& s, tr_FrameDraws& f) {
             Quad(f, s.a, 100, 100, 0.5f);
             Quad(f, s.b, 500, 300);
             Quad(f, s.b, 700, 400);
         },
         {Around(100, 100), Around(900, 100)}},
        {"overlapping draws swapped: the one out of the run marks where it is",
         [](Scene& s, tr_FrameDraws& f) {
             Quad(f, s.a, 100, 100);
             Quad(f, s.b, 105, 100);
             Quad(f, s.a, 900, 100);
         },
         [](Scene& s, tr_FrameDraws& f) {
             Quad(f, s.b, 105, 100);
             Quad(f, s.a, 100, 100);
             Quad(f, s.a, 900, 120);
         },
         {Around(100, 100), {894, 94, 906, 126}}},
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
// that moved, were born or are gone mark where they were and are, plain or
// indexed alike; a list with an index past its vertices marks its whole box.
TEST(FrameDrawsTest, ListsMarkOnlyTheTrianglesThatChanged) {
    struct Case {
        const char* what;
        bool indexed;
        std::vector<float> before; // x of each triangle, at y = 100 + 200 * (i % 2)
        std::vector<float> after;
        float colour;   // the second frame's colour of every vertex
        bool reorder;   // the second frame's indices run backwards
        bool bad_index; // the second frame's last index is past its vertices
        std::vector<tr_PixelRect> expected;
    };
    const std::vector<float> two{100, 800};
    const Case cases[] = {
        {"nothing changed", false, two, two, 1, false, false, {}},
        {"one moved", false, two, {100, 820}, 1, false, false, {{799, 299, 831, 311}}},
        {"one moved, indexed", true, two, {100, 820}, 1, false, false, {{799, 299, 831, 311}}},
        {"every colour changed",
         false,
         two,
         two,
         0.5f,
         false,
         false,
         {{99, 99, 111, 111}, {799, 299, 811, 311}}},
        {"indices changed: each triangle is another",
         true,
         two,
         two,
         1,
         true,
         false,
         {{799, 299, 811, 311}, {99, 99, 111, 111}}},
        {"one born", false, two, {100, 800, 400}, 1, false, false, {{399, 99, 411, 111}}},
        {"one born, indexed", true, two, {100, 800, 400}, 1, false, false, {{399, 99, 411, 111}}},
        {"one gone", false, two, {100}, 1, false, false, {{799, 299, 811, 311}}},
        {"one gone, indexed", true, two, {100}, 1, false, false, {{799, 299, 811, 311}}},
        {"the first gone: the rest moved up one place",
         false,
         {100, 800, 400},
         {800, 400},
         1,
         false,
         false,
         // Where each was and is; the two places of a triangle merge.
         {{99, 99, 111, 111}, {799, 99, 811, 311}, {399, 99, 411, 311}}},
        {"all gone", false, two, {}, 1, false, false, {{99, 99, 111, 111}, {799, 299, 811, 311}}},
        {"an index past the vertices", true, two, two, 1, false, true, {{99, 99, 811, 311}}},
    };
    for (const Case& c : cases) {
        tr_FrameDraws frames[2];
        for (int f = 0; f < 2; ++f) {
            const std::vector<float>& xs = f == 0 ? c.before : c.after;
            tr_VertexList vertices;
            tr_IndexList indices;
            ASSERT_TRUE(vertices.Create(16));
            ASSERT_TRUE(indices.Create(16));
            const float colour = f == 0 ? 1.0f : c.colour;
            for (size_t t = 0; t < xs.size(); ++t) {
                const float y = t % 2 == 0 ? 100.0f : 300.0f;
                vertices.AddVertex(xs[t], y, 0, 0, 0, colour, 1, 1);
                vertices.AddVertex(xs[t] + 10, y, 0, 1, 0, colour, 1, 1);
                vertices.AddVertex(xs[t], y + 10, 0, 0, 1, colour, 1, 1);
            }
            const size_t corners = xs.size() * 3;
            for (size_t i = 0; i < corners; ++i)
                indices.AddIndex(static_cast<uint16_t>(f == 1 && c.reorder ? corners - 1 - i : i));
            if (f == 1 && c.bad_index)
                indices.AddIndex(static_cast<uint16_t>(corners));
            frames[f].AddList(nullptr, vertices, c.indexed ? &indices : nullptr, {}, kScreen);
        }
        tr_DirtyRegion region;
        region.Reset(1000, 500);
        tr_FrameDraws::Diff(frames[0], frames[1], region);
        EXPECT_EQ(region.GetRects(), c.expected) << c.what;
    }
}

} // namespace
