// Mesh grids: reading descriptions (refusing what would read outside the
// vertex lists), playback with interpolation and the end trigger, and drawing.
#include "engine/objects/tr_Grid.h"
#include "engine/render/tr_FrameTexture.h"
#include "engine/resources/files/tr_ResourceRegistry.h"
#include "engine/scene/tr_AnimCurve.h"

#include "tests/engine/objects/anim/AnimTestContent.h"
#include "tests/engine/objects/cutout/CaptureRender.h"
#include "tests/engine/resources/text/LogCapture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

// Two key frames of a square: key 1 moves every corner by (+10, +20) and
// shifts the texture by 0.5 in u; key 1 is reached with curve interp1.
std::string Square(const std::string& attributes, int interp1) {
    auto key = [](int interp, float dx, float du) {
        std::string xml = "<frame interp=\"" + std::to_string(interp) + "\">";
        const float corners[4][2] = {{0, 0}, {100, 0}, {0, 50}, {100, 50}};
        for (int i = 0; i < 4; ++i)
            xml += "<vertex pos_x=\"" + std::to_string(corners[i][0] + dx) + "\" pos_y=\"" +
                   std::to_string(corners[i][1] + 2 * dx) + "\" tu=\"" +
                   std::to_string(i % 2 + du) + "\" tv=\"" + std::to_string(i / 2) + "\" id=\"" +
                   std::to_string(i + 7) + "\"/>";
        return xml + "</frame>";
    };
    return "<grid " + attributes + "><frames>" + key(0, 0, 0) + key(interp1, 10, 0.5f) +
           "</frames><triangles><triangle vertex_0=\"0\" vertex_1=\"1\" vertex_2=\"2\"/>"
           "<triangle vertex_0=\"1\" vertex_1=\"3\" vertex_2=\"2\"/></triangles></grid>";
}

TEST(GridMesh, RefusesWhatWouldReadOutsideTheVertexLists) {
    const std::string v = "<vertex pos_x=\"1\"/>";
    struct Case {
        std::string xml;
        int key_frames;
        int indices;
        const char* log; // a line starting with this, or null for no line
    } cases[] = {
        {"<grid fps=\"5\"><frames><frame>" + v + v + v + "</frame><frame>" + v + v +
             "</frame><frame>" + v + v + v + "</frame></frames></grid>",
         2, 0, "Warning: grid \"m\" key frame 1 has 2 vertices, the first has 3; skipped."},
        {"<grid fps=\"5\"><frames><frame>" + v + v + v +
             "</frame></frames><triangles><triangle vertex_0=\"0\" vertex_1=\"1\" "
             "vertex_2=\"3\"/><triangle vertex_0=\"2\" vertex_1=\"-1\" vertex_2=\"0\"/>"
             "<triangle vertex_0=\"2\" vertex_1=\"1\" vertex_2=\"0\"/></triangles></grid>",
         1, 3, "Warning: grid \"m\" has 2 triangles naming vertices outside its 3; skipped."},
        {"<grid fps=\"5\"><triangles><triangle/></triangles></grid>", 0, 0,
         "Warning: grid \"m\" has 1 triangles naming vertices outside its 0; skipped."},
        {"<grid><frames><frame>" + v + "</frame></frames></grid>", 1, 0,
         "Warning: grid \"m\" has no usable fps; 25 is used."},
        {"<grid fps=\"0\"/>", 0, 0, "Warning: grid \"m\" has no usable fps"},
        {"<grid fps=\"-4\"/>", 0, 0, "Warning: grid \"m\" has no usable fps"},
        {"<grid fps=\"10\"/>", 0, 0, nullptr},
    };
    for (const Case& c : cases) {
        LogCapture log;
        tr_GridMesh mesh;
        ASSERT_TRUE(mesh.LoadFromBuffer(c.xml.data(), c.xml.size(), "", "m")) << c.xml;
        EXPECT_EQ(mesh.GetKeyFrameCount(), c.key_frames) << c.xml;
        EXPECT_EQ(mesh.GetIndices().size(), static_cast<size_t>(c.indices)) << c.xml;
        EXPECT_EQ(log.CountStartingWith(c.log ? c.log : "W"), c.log ? 1 : 0) << c.xml;
        EXPECT_GT(mesh.GetFrameDuration(), 0.0f);
    }
    tr_GridMesh mesh;
    EXPECT_FALSE(mesh.LoadFromBuffer("<grid", 5, "", "m"));
    EXPECT_FALSE(mesh.LoadFromBuffer(nullptr, 0, "", "m"));
}

class GridTest : public ::testing::Test {
protected:
    void Make(const std::string& attributes, int interp1 = 0) {
        content.WriteText("mesh/cloth.xml", Square(attributes, interp1));
        grid.SetRes(content.Path("mesh\\cloth"));
        grid.LoadResources();
    }
    void Step(float dt) {
        tr_FrameInfo frame;
        frame.dt = frame.raw_dt = dt;
        grid.Update(frame);
    }
    const tr_GridVertex& Vertex(int i) const {
        return grid.GetCurrentVertices()[static_cast<size_t>(i)];
    }

    AnimTestContent content{"tr_grid_test"};
    tr_ResourceRegistry registry;
    LogCapture log;
    RecordingQueue queue;
    tr_Grid grid{"cloth"};
};

TEST_F(GridTest, HalfwayThroughAStepEachVertexFollowsTheCurveOfTheNextKeyFrame) {
    // fps 10: after 0.05 s the first step is half done.
    for (int interp : {0, 1, 2, 3, 9}) {
        Make("fps=\"10\" loop=\"1\"", interp);
        grid.Play("trg_end");
        Step(0.05f);
        ASSERT_EQ(grid.GetCurrentVertices().size(), 4u);
        EXPECT_EQ(grid.GetFrame(), 0);
        for (int i = 0; i < 4; ++i) {
            const float x0 = static_cast<float>(i % 2 * 100);
            EXPECT_NEAR(Vertex(i).pos_x, tr_AnimCurve::Ease(interp, x0, x0 + 10, 0.5f), 1e-4f);
            EXPECT_NEAR(Vertex(i).pos_y,
                        tr_AnimCurve::Ease(interp, i / 2 * 50.0f, i / 2 * 50.0f + 20, 0.5f), 1e-4f);
            EXPECT_NEAR(Vertex(i).tu, tr_AnimCurve::Ease(interp, i % 2, i % 2 + 0.5f, 0.5f), 1e-5f);
            EXPECT_EQ(Vertex(i).tv, static_cast<float>(i / 2)); // equal values stay exact
            EXPECT_EQ(Vertex(i).id, i + 7);
        }
        grid.SetRes("");
    }
    // Linear halfway is exactly the midpoint.
    Make("fps=\"10\"");
    grid.Play("");
    Step(0.05f);
    EXPECT_FLOAT_EQ(Vertex(3).pos_x, 105.0f);
    EXPECT_FLOAT_EQ(Vertex(3).pos_y, 60.0f);
}

TEST_F(GridTest, OneShotShowsItsLastKeyFrameExactlyAndFiresOnce) {
    Make("fps=\"10\" loop=\"0\"", 3);
    grid.Play("trg_done");
    for (int i = 0; i < 30; ++i)
        Step(1.0f / 60.0f);
    EXPECT_FALSE(grid.IsPlaying());
    EXPECT_EQ(grid.GetFrame(), 1);
    ASSERT_EQ(queue.calls.size(), 1u);
    EXPECT_EQ(queue.calls[0], std::make_pair(std::string("cloth"), std::string("trg_done")));
    const tr_GridKeyFrame& last = grid.GetMesh().GetKeyFrames()[1];
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Vertex(i).pos_x, last.vertices[static_cast<size_t>(i)].pos_x);
        EXPECT_EQ(Vertex(i).pos_y, last.vertices[static_cast<size_t>(i)].pos_y);
        EXPECT_EQ(Vertex(i).tu, last.vertices[static_cast<size_t>(i)].tu);
    }
}

TEST_F(GridTest, LoopingWrapsToTheFirstKeyFrameAndNeverFires) {
    Make("fps=\"10\" loop=\"1\"");
    grid.Play("trg_done");
    Step(0.1f);
    EXPECT_EQ(grid.GetFrame(), 1);
    Step(0.05f); // halfway from key 1 back to key 0
    EXPECT_NEAR(Vertex(0).pos_x, 5.0f, 1e-4f);
    Step(0.05f);
    EXPECT_EQ(grid.GetFrame(), 0);
    EXPECT_TRUE(grid.IsPlaying());
    EXPECT_TRUE(queue.calls.empty());
    // A frame long past the step still advances one key frame only.
    Step(5.0f);
    EXPECT_EQ(grid.GetFrame(), 1);
}

TEST_F(GridTest, AttributesRestartOrClampAndAGridWithoutKeyFramesDoesNothing) {
    Make("fps=\"10\"");
    MapHelper helper;
    helper.values = {{"frame", "7"}};
    grid.Load(helper);
    EXPECT_EQ(grid.GetFrame(), 1);
    EXPECT_EQ(Vertex(0).pos_x, 10.0f);
    helper.values = {{"frame", "-3"}, {"playing", "1"}, {"endtrig", "trg_x"}};
    grid.Load(helper);
    EXPECT_TRUE(grid.IsPlaying());
    EXPECT_EQ(grid.GetFrame(), 0);
    EXPECT_FLOAT_EQ(grid.GetTimer(), 0.1f);
    EXPECT_EQ(grid.GetEndTrigger(), "trg_x");

    content.WriteText("empty.xml", "<grid fps=\"10\" texture=\"none\"/>");
    tr_Grid empty("empty");
    empty.SetRes(content.Path("empty"));
    empty.Play("trg_x");
    helper.values = {{"frame", "4"}, {"playing", "1"}};
    empty.Load(helper);
    tr_FrameInfo frame;
    frame.dt = 1.0f;
    empty.Update(frame);
    CaptureRender render;
    empty.Draw(&render, tr_DrawState());
    EXPECT_FALSE(empty.IsPlaying());
    EXPECT_EQ(empty.GetFrame(), 0);
    EXPECT_TRUE(render.draws.empty());
    EXPECT_TRUE(queue.calls.empty());
}

TEST_F(GridTest, DrawsTransformedVerticesWithUvsInsideTheTextureFrame) {
    std::filesystem::create_directories(content.folder + "mesh");
    content.WriteStrip("mesh/strip", 4, 10, 8);
    Make("fps=\"10\" texture=\"strip\" frame=\"2\"");
    ASSERT_NE(grid.GetResource(), nullptr);
    auto* texture = dynamic_cast<tr_FrameTexture*>(grid.GetResource().get());
    ASSERT_NE(texture, nullptr);

    tr_DrawState parent;
    parent.alpha = 0.5f;
    parent.transform = tr_MakeTransform(30, 40, 0, 2, 1);
    grid.SetPosition(1, 2);
    const tr_DrawState state = tr_Object::ComputeDrawState(&grid, parent, 0);
    EXPECT_EQ(state.frame, 2);
    CaptureRender render;
    grid.Draw(&render, state);
    ASSERT_EQ(render.draws.size(), 1u);
    const CaptureRender::Draw& draw = render.draws[0];
    EXPECT_EQ(draw.texture, texture);
    EXPECT_TRUE(draw.state.transform == tr_Matrix::Identity());
    EXPECT_EQ(draw.indices, (std::vector<uint16_t>{0, 1, 2, 1, 3, 2}));
    ASSERT_EQ(draw.vertices.size(), 4u);
    const tr_Rect uv = texture->GetUV(state);
    EXPECT_FLOAT_EQ(draw.vertices[3].x, (100 + 1) * 2 + 30.0f);
    EXPECT_FLOAT_EQ(draw.vertices[3].y, 50 + 2 + 40.0f);
    EXPECT_FLOAT_EQ(draw.vertices[3].u, uv.x + uv.w);
    EXPECT_FLOAT_EQ(draw.vertices[3].v, uv.y + uv.h);
    EXPECT_FLOAT_EQ(draw.vertices[0].u, uv.x);
    EXPECT_EQ(draw.vertices[0].color, tr_PackColor(0.5f, 1, 1, 1));
}

} // namespace
