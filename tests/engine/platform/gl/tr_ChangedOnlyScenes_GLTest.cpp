// Scenes that change the way the demo's rooms do, drawn through the GL back
// end whole and through the changed-only renderer: translucent quads move,
// appear, go and change places in the middle of the frame, a particle list
// gains and loses triangles (first and last), an indexed list grows and
// shrinks. Every changed-only frame must equal the whole one pixel for pixel,
// and after the first frame none may need the whole screen.
#include "engine/core/tr_Random.h"
#include "engine/platform/gl/tr_Render_GL.h"
#include "engine/render/tr_ChangedOnlyRender.h"
#include "engine/render/tr_GeneratedTexture.h"
#include "engine/render/tr_IndexList.h"
#include "engine/render/tr_VertexList.h"

#include "tests/support/GlTestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kWidth = 240;
const int kHeight = 160;
const int kFrames = 48;

struct Spot {
    float x = 0.0f;
    float y = 0.0f;
    int texture = 0;
};

struct Scene {
    std::vector<Spot> quads;     // translucent, drawn in order over the ground
    std::vector<Spot> particles; // one additive list of small triangles
    int fan = 3;                 // triangles of the indexed list
};

float Coordinate(int limit) {
    return static_cast<float>(tr_Random::Next() % limit);
}

// The next frame's scene: each frame makes one change of the kinds listed
// above, in turn, at random places.
void Change(Scene& scene, int frame) {
    std::vector<Spot>& quads = scene.quads;
    std::vector<Spot>& particles = scene.particles;
    const Spot spot{Coordinate(kWidth), Coordinate(kHeight), tr_Random::Next() % 2};
    const size_t at = quads.empty() ? 0 : static_cast<size_t>(tr_Random::Next()) % quads.size();
    switch (frame % 7) {
    case 0:
        quads.insert(quads.begin() + static_cast<long>(at), spot);
        break;
    case 1:
        if (quads.size() > 2)
            quads.erase(quads.begin() + static_cast<long>(at));
        break;
    case 2:
        if (at + 1 < quads.size())
            std::swap(quads[at], quads[at + 1]);
        break;
    case 3:
        if (!quads.empty())
            quads[at].x += 3.0f;
        particles.push_back(spot);
        break;
    case 4:
        if (!particles.empty())
            particles.erase(particles.begin());
        break;
    case 5:
        if (!particles.empty())
            particles[at % particles.size()].y += 2.0f;
        scene.fan = 1 + tr_Random::Next() % 5;
        break;
    default:
        break; // nothing changes
    }
}

class ChangedOnlyScenesGLTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { window_.Open("ChangedOnlyScenesGLTest", kWidth, kHeight); }
    static void TearDownTestSuite() { window_.Close(); }

    void SetUp() override {
        if (!window_.IsOpen())
            GTEST_SKIP() << "no GL 3.3 core context";
        window_.MakeCurrent();
    }

    // Draws every scene through render (after Init) and reads each back.
    static std::vector<std::vector<uint32_t>> Play(tr_Render& render,
                                                   const std::vector<Scene>& scenes) {
        const float ground_rgb[3] = {0.2f, 0.4f, 0.3f};
        const float rgb[2][3] = {{0.9f, 0.3f, 0.1f}, {0.2f, 0.5f, 1.0f}};
        auto ground = std::make_shared<tr_GeneratedTexture>();
        EXPECT_TRUE(ground->Create(kWidth, kHeight, ground_rgb));
        std::shared_ptr<tr_GeneratedTexture> textures[2];
        for (int i = 0; i < 2; ++i) {
            textures[i] = std::make_shared<tr_GeneratedTexture>();
            EXPECT_TRUE(textures[i]->Create(24, 16, rgb[i]));
        }
        tr_VertexList list;
        tr_VertexList fan_vertices;
        tr_IndexList fan_indices;
        EXPECT_TRUE(list.Create(3 * kFrames));
        EXPECT_TRUE(fan_vertices.Create(8));
        EXPECT_TRUE(fan_indices.Create(16));
        std::vector<std::vector<uint32_t>> pictures;
        for (const Scene& scene : scenes) {
            render.BeginFrame();
            render.BeginDraw();
            tr_DrawState state;
            state.transform = tr_MakeTransform(kWidth / 2.0f, kHeight / 2.0f, 0.0f, 1.0f, 1.0f);
            render.DrawQuad(ground, state);
            state.alpha = 0.6f;
            for (const Spot& quad : scene.quads) {
                state.transform = tr_MakeTransform(quad.x, quad.y, 0.0f, 1.0f, 1.0f);
                render.DrawQuad(textures[quad.texture], state);
            }
            list.Clear();
            for (const Spot& p : scene.particles) {
                list.AddVertex(p.x, p.y, 0, 0, 0.5f, 0.5f, 0.2f, 0.7f);
                list.AddVertex(p.x + 9, p.y + 2, 1, 0, 0.5f, 0.5f, 0.2f, 0.7f);
                list.AddVertex(p.x + 3, p.y + 8, 0, 1, 0.5f, 0.5f, 0.2f, 0.7f);
            }
            tr_DrawState additive;
            additive.blend = TR_BLEND_ADD;
            render.DrawVertexList(nullptr, list, additive);
            fan_vertices.Clear();
            fan_indices.Clear();
            for (int i = 0; i < 7; ++i)
                fan_vertices.AddVertex(i == 0 ? 60.0f : 60.0f + 25.0f * (i % 3),
                                       i == 0 ? 60.0f : 40.0f + 12.0f * i, 0, 0, 1, 1, 1, 0.5f);
            for (int t = 0; t < scene.fan; ++t) {
                fan_indices.AddIndex(0);
                fan_indices.AddIndex(static_cast<uint16_t>(t + 1));
                fan_indices.AddIndex(static_cast<uint16_t>(t + 2));
            }
            tr_DrawState plain;
            render.DrawIndexed(nullptr, fan_vertices, fan_indices, plain);
            render.EndDraw();
            render.EndFrame();
            std::vector<uint32_t> pixels;
            int width = 0;
            int height = 0;
            EXPECT_TRUE(render.ReadFrame(pixels, width, height));
            pictures.push_back(std::move(pixels));
        }
        return pictures;
    }

    static GlTestWindow window_;
};

GlTestWindow ChangedOnlyScenesGLTest::window_;

TEST_F(ChangedOnlyScenesGLTest, EveryFrameEqualsTheWholeRedrawWithoutRedrawingWhole) {
    tr_Random::Reset();
    std::vector<Scene> scenes(1);
    for (int i = 0; i < 6; ++i)
        scenes[0].quads.push_back({Coordinate(kWidth), Coordinate(kHeight), i % 2});
    for (int frame = 1; frame < kFrames; ++frame) {
        scenes.push_back(scenes.back());
        Change(scenes.back(), frame);
    }

    std::vector<std::vector<uint32_t>> whole;
    {
        tr_Render_GL render;
        render.Init(kWidth, kHeight);
        whole = Play(render, scenes);
    }
    tr_ChangedOnlyRender render(std::make_unique<tr_Render_GL>());
    render.Init(kWidth, kHeight);
    if (!render.GetInner().KeepFrame(true))
        GTEST_SKIP() << "no kept picture on this device";
    const std::vector<std::vector<uint32_t>> changed = Play(render, scenes);

    ASSERT_EQ(changed.size(), whole.size());
    std::string differing;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (changed[i] != whole[i])
            differing += " " + std::to_string(i);
    }
    EXPECT_EQ(differing, "") << "frames that differ from the whole redraw";
    const tr_ChangedOnlyRender::Totals& totals = render.GetTotals();
    EXPECT_EQ(totals.frames, kFrames);
    EXPECT_EQ(totals.whole_frames, 1) << "only the first frame is drawn whole";
    EXPECT_LT(totals.pixels, totals.screen * kFrames / 4);
}

} // namespace
