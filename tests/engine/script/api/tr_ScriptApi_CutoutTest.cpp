// Script functions of flash animations, complex animations and grids.
#include "ScriptApiFixture.h"

#include "engine/objects/tr_ComplexAnim.h"
#include "engine/objects/tr_FlashAnim.h"
#include "engine/objects/tr_Grid.h"
#include "tests/engine/objects/anim/AnimTestContent.h"

namespace {

class ScriptApiCutoutTest : public ScriptApiTest {
protected:
    void SetUp() override {
        ScriptApiTest::SetUp();
        content.WriteText("flash.xml",
                          "<animation fps=\"25\" loop=\"0\"><objects><object res=\"a\" "
                          "id=\"wing\"/></objects><frames><frame><object id=\"0\" pos_x=\"4\"/>"
                          "</frame><frame/><frame/></frames></animation>");
        content.WriteText("puppet.xml",
                          "<anim><objs><obj name=\"body\"/></objs><funcs><func name=\"wave\">"
                          "<obj name=\"body\"><anim tp=\"pos_x\"><fr t=\"0\" v=\"0\"/>"
                          "<fr t=\"1\" v=\"8\"/></anim></obj></func></funcs></anim>");
        std::string vertices;
        for (int i = 0; i < 3; ++i)
            vertices += "<vertex pos_x=\"" + std::to_string(i) + "\"/>";
        content.WriteText("cloth.xml", "<grid fps=\"10\"><frames><frame>" + vertices +
                                           "</frame><frame>" + vertices +
                                           "</frame></frames></grid>");
        flash = AddOwned(new tr_FlashAnim("flash"));
        flash->SetRes(content.Path("flash"));
        rider = Add("rider", flash);
        puppet = AddOwned(new tr_ComplexAnim("puppet"));
        puppet->SetRes(content.Path("puppet"));
        grid = AddOwned(new tr_Grid("cloth"));
        grid->SetRes(content.Path("cloth"));
    }
    float KeyX(int key, int vertex) { return grid->GetKeyVertex(key, vertex)->pos_x; }

    AnimTestContent content{"script_api_cutout"};
    tr_FlashAnim* flash = nullptr;
    tr_Object* rider = nullptr;
    tr_ComplexAnim* puppet = nullptr;
    tr_Grid* grid = nullptr;
};

} // namespace

TEST_F(ScriptApiCutoutTest, PlayStopAndPauseDriveEachType) {
    struct Case {
        const char* code;
        bool flash_playing, puppet_playing, grid_playing;
    } cases[] = {
        {"FlashAnmPlay('flash', 'trg_f'); ComplexAnmPlay('puppet', 'wave', 'trg_c');"
         "GridPlay('cloth', 'trg_g')",
         true, true, true},
        {"FlashAnmPause('flash', 1); ComplexAnmPause('puppet', 1); GridPause('cloth', 1)", false,
         false, false},
        {"FlashAnmPause('flash', 0.5); ComplexAnmPause('puppet', '0'); GridPause('cloth')", true,
         true, true},
        {"FlashAnmStop('cloth'); ComplexAnmStop('flash'); GridStop('puppet')", true, true, true},
        {"ComplexAnmPlay('puppet', 'nope', 'x'); FlashAnmPause('flash', 2)", false, true, true},
        {"FlashAnmStop('flash'); ComplexAnmStop('puppet'); GridStop('cloth')", false, false, false},
    };
    for (const Case& c : cases) {
        Run(c.code);
        EXPECT_EQ(flash->IsPlaying(), c.flash_playing) << c.code;
        EXPECT_EQ(puppet->IsPlaying(), c.puppet_playing) << c.code;
        EXPECT_EQ(grid->IsPlaying(), c.grid_playing) << c.code;
    }
    EXPECT_EQ(flash->GetEndTrigger(), "trg_f");
    EXPECT_EQ(puppet->GetEndTrigger(), "trg_c");
    EXPECT_EQ(puppet->GetFunction(), "wave");
    EXPECT_EQ(grid->GetEndTrigger(), "trg_g");
}

TEST_F(ScriptApiCutoutTest, AttachChildToObjTakesOnlyDirectChildren) {
    Add("stranger");
    Run("FlashAnmAttachChildToObj('flash', 'stranger', 'wing');"
        "FlashAnmAttachChildToObj('flash', 'rider', 'tail')");
    EXPECT_EQ(flash->GetAttached(0), nullptr);
    Run("FlashAnmAttachChildToObj('flash', 'rider', 'wing')");
    EXPECT_EQ(flash->GetAttached(0), rider);
    EXPECT_FLOAT_EQ(rider->GetPosX(), 4.0f);
}

TEST_F(ScriptApiCutoutTest, GridSetEditsKeyFrameVerticesPairByPair) {
    Run("GridSet('cloth', 1.4, {2, {pos_x = 5, tu = 0.5, tv = 0.25, id = 9}, 7, {pos_x = 1},"
        " 0, 'not a table', 1, {pos_y = -3}})");
    EXPECT_FLOAT_EQ(KeyX(1, 2), 5.0f);
    EXPECT_FLOAT_EQ(grid->GetKeyVertex(1, 2)->tu, 0.5f);
    EXPECT_FLOAT_EQ(grid->GetKeyVertex(1, 2)->tv, 0.25f);
    EXPECT_EQ(grid->GetKeyVertex(1, 2)->id, 0);
    EXPECT_FLOAT_EQ(KeyX(1, 0), 0.0f);
    EXPECT_FLOAT_EQ(grid->GetKeyVertex(1, 1)->pos_y, -3.0f);
    EXPECT_FLOAT_EQ(KeyX(0, 2), 2.0f);
    EXPECT_TRUE(log.lines.empty());

    // A key frame that is not a number is key frame 0; one out of range
    // changes nothing; a missing partner is logged.
    Run("GridSet('cloth', 'x', {0, {pos_x = 40}}); GridSet('cloth', 2, {0, {pos_x = 50}});"
        "GridSet('cloth', -1, {0, {pos_x = 60}}); GridSet('cloth', 0, {1, {pos_x = 70}, 2})");
    EXPECT_FLOAT_EQ(KeyX(0, 0), 40.0f);
    EXPECT_FLOAT_EQ(KeyX(0, 1), 70.0f);
    EXPECT_FLOAT_EQ(KeyX(1, 0), 0.0f);
    EXPECT_TRUE(log.Contains("Error: try to get NULL from tr_MediatorDataArray by index 3."));

    // The edit shows at the grid's next update.
    EXPECT_FLOAT_EQ(grid->GetCurrentVertices()[0].pos_x, 0.0f);
    tr_FrameInfo frame;
    frame.dt = 0.01f;
    Scene().Update(frame);
    EXPECT_FLOAT_EQ(grid->GetCurrentVertices()[0].pos_x, 40.0f);
}
