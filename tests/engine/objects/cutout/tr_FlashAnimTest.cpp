// Flash animations: reading files (values carried over between a part's
// instances, refused part indices and rates), frame stepping with the loop
// frame and the end trigger, drawing, and children riding on parts.
#include "engine/objects/tr_FlashAnim.h"
#include "engine/resources/files/tr_ResourceRegistry.h"

#include "tests/engine/objects/anim/AnimTestContent.h"
#include "tests/engine/objects/cutout/CaptureRender.h"
#include "tests/engine/resources/text/LogCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// frames frames of one instance of part 0 (a 20 x 10 texture "body") whose
// pos_x is the frame number.
std::string Numbered(const std::string& attributes, int frames) {
    std::string xml = "<animation " + attributes +
                      "><objects><object res=\"body\" type=\"texture\" w=\"20\" h=\"10\" "
                      "id=\"body\"/><object res=\"strip\" type=\"frametexture\" w=\"10\" "
                      "h=\"8\" id=\"hand\"/></objects><frames>";
    for (int i = 0; i < frames; ++i)
        xml += "<frame><object id=\"0\" pos_x=\"" + std::to_string(i) + "\"/></frame>";
    return xml + "</frames></animation>";
}

TEST(FlashAnimData, AbsentValuesCarryOverFromThePartsLatestInstance) {
    const std::string xml =
        "<animation fps=\"10\"><objects><object res=\"a\" id=\"a\"/><object res=\"b\" "
        "id=\"b\"/></objects><frames>"
        "<frame><object id=\"0\" pos_x=\"1\" pos_y=\"2\" m00=\"2\" m01=\"0.5\" m10=\"-0.5\" "
        "m11=\"3\" color_g=\"0.25\" alp=\"0.5\" frame=\"4\" blendmode=\"2\"/>"
        "<object id=\"1\" pos_y=\"9\"/></frame>"
        "<frame><object id=\"1\"/><object id=\"0\" pos_x=\"7\"/><object id=\"5\"/>"
        "<object id=\"-1\"/></frame></frames></animation>";
    LogCapture log;
    tr_FlashAnimData data;
    ASSERT_TRUE(data.LoadFromBuffer(xml.data(), xml.size(), "dir/", "anim"));
    ASSERT_EQ(data.GetFrameCount(), 2);
    EXPECT_EQ(data.GetParts()[1].path, "dir/b");
    const std::vector<tr_FlashAnimInstance>& second = data.GetFrames()[1];
    ASSERT_EQ(second.size(), 2u); // ids 5 and -1 name no part
    EXPECT_EQ(log.Count("Warning: flashanim \"anim\" has 2 instances of parts it does not have; "
                        "dropped."),
              1);
    EXPECT_EQ(second[0].part, 1);
    EXPECT_FLOAT_EQ(second[0].state.transform[13], 9.0f);
    const tr_DrawState& moved = second[1].state;
    EXPECT_EQ(second[1].part, 0);
    const tr_DrawState& first = data.GetFrames()[0][0].state;
    EXPECT_FLOAT_EQ(moved.transform[12], 7.0f);
    for (int i : {0, 1, 4, 5, 13})
        EXPECT_FLOAT_EQ(moved.transform[i], first.transform[i]) << i;
    EXPECT_FLOAT_EQ(moved.transform[1], 0.5f);
    EXPECT_FLOAT_EQ(moved.transform[4], -0.5f);
    EXPECT_FLOAT_EQ(moved.green, 0.25f);
    EXPECT_FLOAT_EQ(moved.alpha, 0.5f);
    EXPECT_EQ(moved.frame, 4);
    EXPECT_EQ(moved.blend, 2);
    // A part's first instance starts from the default state.
    EXPECT_FLOAT_EQ(data.GetFrames()[0][1].state.transform[0], 1.0f);
    EXPECT_FLOAT_EQ(data.GetFrames()[0][1].state.alpha, 1.0f);

    for (const char* rate : {"", "fps=\"0\"", "fps=\"-25\""}) {
        const std::string bad = Numbered(rate, 2);
        ASSERT_TRUE(data.LoadFromBuffer(bad.data(), bad.size(), "", "r"));
        EXPECT_FLOAT_EQ(data.GetFrameTime(), 1.0f / 25.0f) << rate;
    }
    EXPECT_EQ(log.CountStartingWith("Warning: flashanim \"r\" has no usable fps"), 3);
    EXPECT_FALSE(data.LoadFromBuffer("<animation><", 12, "", "x"));
    EXPECT_EQ(data.GetFrameCount(), 0);
}

class FlashAnimTest : public ::testing::Test {
protected:
    void Make(const std::string& attributes, int frames = 10) {
        content.WriteText("anim.xml", Numbered(attributes, frames));
        anim.SetRes("");
        anim.SetRes(content.Path("anim"));
        anim.LoadResources();
    }
    void Step(float dt) {
        tr_FrameInfo frame;
        frame.dt = frame.raw_dt = dt;
        anim.Update(frame);
    }

    AnimTestContent content{"tr_flashanim_test"};
    tr_ResourceRegistry registry;
    LogCapture log;
    RecordingQueue queue;
    tr_FlashAnim anim{"flash"};
};

TEST_F(FlashAnimTest, StepsOneFrameAtTheFilesRateAndLoopsToTheLoopFrame) {
    const struct {
        const char* attributes;
        std::vector<int> frames; // shown after each update of 1/25 s
        size_t end_calls;
    } cases[] = {
        {"fps=\"25\" loop=\"1\" loop_frame=\"3\"",
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 3, 4, 5, 6, 7, 8, 9, 3, 4},
         0},
        {"fps=\"25\" loop=\"0\"", {1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9, 9}, 1},
        {"fps=\"25\" loop=\"1\" loop_frame=\"42\"", {1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9}, 0},
        {"fps=\"25\" loop=\"1\" loop_frame=\"-2\"", {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1}, 0},
        {"fps=\"12.5\" loop=\"1\"", {0, 1, 1, 2, 2, 3}, 0},
    };
    for (const auto& c : cases) {
        Make(c.attributes);
        queue.calls.clear();
        anim.Play("trg_end");
        std::vector<int> shown;
        for (size_t i = 0; i < c.frames.size(); ++i) {
            Step(0.04f);
            shown.push_back(anim.GetFrame());
        }
        EXPECT_EQ(shown, c.frames) << c.attributes;
        EXPECT_EQ(queue.calls.size(), c.end_calls) << c.attributes;
        EXPECT_EQ(anim.IsPlaying(), c.end_calls == 0) << c.attributes;
    }
    EXPECT_EQ(queue.calls[0], std::make_pair(std::string("flash"), std::string("trg_end")));
}

TEST_F(FlashAnimTest, PlayRestartsAStoppedAnimationAndPauseKeepsTheFrame) {
    Make("fps=\"25\" loop=\"0\"", 3);
    anim.Play("");
    for (int i = 0; i < 5; ++i)
        Step(0.04f);
    EXPECT_EQ(anim.GetFrame(), 2);
    EXPECT_FALSE(anim.IsPlaying());
    anim.Play("again");
    EXPECT_EQ(anim.GetFrame(), 0);
    Step(0.04f);
    EXPECT_EQ(anim.GetFrame(), 1);
    anim.SetPaused(true);
    Step(1.0f);
    EXPECT_EQ(anim.GetFrame(), 1);
    anim.SetPaused(false);
    Step(0.04f);
    EXPECT_EQ(anim.GetFrame(), 2);

    // Loaded frames stay inside the frame list; "playing" restarts.
    MapHelper helper;
    helper.values = {{"frame", "99"}, {"playing", "0"}};
    anim.Load(helper);
    EXPECT_EQ(anim.GetFrame(), 2);
    helper.values = {{"frame", "-5"}};
    anim.Load(helper);
    EXPECT_EQ(anim.GetFrame(), 0);
    helper.values = {{"frame", "2"}, {"playing", "1"}, {"endtrig", "trg_x"}};
    anim.Load(helper);
    EXPECT_EQ(anim.GetFrame(), 0);
    EXPECT_TRUE(anim.IsPlaying());
    EXPECT_EQ(anim.GetEndTrigger(), "trg_x");
}

TEST_F(FlashAnimTest, AMissingFileLogsAndLeavesAnAnimationThatDoesNothing) {
    anim.SetRes(content.Path("nothing\\here"));
    EXPECT_EQ(log.Count("Error: flashanim could not find \"" + content.Path("nothing\\here") +
                        "\" file!"),
              1);
    anim.Play("trg_end");
    MapHelper helper;
    helper.values = {{"frame", "3"}, {"playing", "1"}};
    anim.Load(helper);
    Step(1.0f);
    CaptureRender render;
    anim.Draw(&render, tr_DrawState());
    EXPECT_FALSE(anim.IsPlaying());
    EXPECT_EQ(anim.GetFrame(), 0);
    EXPECT_TRUE(render.draws.empty());
    EXPECT_TRUE(queue.calls.empty());
}

TEST_F(FlashAnimTest, DrawsEachInstanceUnderTheRootStateAndTheParentState) {
    content.WriteStripImage("body", 1, 20, 10);
    content.WriteStrip("strip", 3, 10, 8);
    content.WriteText("anim.xml",
                      "<animation fps=\"10\" alp=\"0.5\" m00=\"2\" m11=\"2\" pos_x=\"100\">"
                      "<objects><object res=\"body\" type=\"texture\" w=\"20\" h=\"10\" "
                      "id=\"body\"/><object res=\"strip\" type=\"frametexture\" w=\"10\" h=\"8\" "
                      "id=\"hand\"/><object res=\"body\" type=\"vector\" id=\"odd\"/></objects>"
                      "<frames><frame><object id=\"1\" frame=\"2\" pos_x=\"3\" color_r=\"0.5\" "
                      "blendmode=\"2\"/><object id=\"2\"/><object id=\"0\" pos_y=\"1\"/></frame>"
                      "</frames></animation>");
    anim.SetRes(content.Path("anim"));
    anim.LoadResources();
    tr_DrawState parent;
    parent.red = 0.5f;
    parent.transform = tr_MakeTransform(10, 20, 0, 1, 1);
    CaptureRender render;
    anim.Draw(&render, parent);
    ASSERT_EQ(render.draws.size(), 2u); // a part of an unknown type has no image
    const tr_DrawState& hand = render.draws[0].state;
    EXPECT_FLOAT_EQ(hand.alpha, 0.5f);
    EXPECT_FLOAT_EQ(hand.red, 0.25f);
    EXPECT_EQ(hand.frame, 2);
    EXPECT_EQ(hand.blend, 2);
    EXPECT_FLOAT_EQ(hand.offset_x, 5.0f);
    EXPECT_FLOAT_EQ(hand.offset_y, 4.0f);
    // (0, 0) of the part: +3 in the instance, x2 +100 in the root, +10 / +20.
    EXPECT_FLOAT_EQ(hand.transform[12], 116.0f);
    EXPECT_FLOAT_EQ(hand.transform[13], 20.0f);
    EXPECT_FLOAT_EQ(hand.transform[0], 2.0f);
    const tr_DrawState& body = render.draws[1].state;
    EXPECT_FLOAT_EQ(body.transform[13], 22.0f);
    EXPECT_FLOAT_EQ(body.offset_x, 10.0f);
    EXPECT_EQ(body.frame, 0);
}

TEST_F(FlashAnimTest, AttachedChildrenRideOnTheirPartsPositionOnlyAndMayDie) {
    content.WriteText("anim.xml",
                      "<animation fps=\"25\" loop=\"1\" m00=\"2\" m11=\"2\" pos_y=\"5\"><objects>"
                      "<object res=\"a\" id=\"wing\"/><object res=\"b\" id=\"tail\"/></objects>"
                      "<frames><frame><object id=\"0\" pos_x=\"1\" m00=\"0\" m01=\"1\" m10=\"-1\" "
                      "m11=\"0\"/></frame><frame><object id=\"0\" pos_x=\"4\" pos_y=\"2\"/>"
                      "<object id=\"1\" pos_x=\"50\"/></frame></frames></animation>");
    anim.SetRes(content.Path("anim"));
    auto* letter = new tr_Object("letter");
    letter->SetPosZ(3.0f);
    letter->SetAngle(0.25f);
    tr_Object::AddChild(&anim, letter);
    anim.AttachChildToPart("nobody", "wing");
    anim.AttachChildToPart("letter", "wing");
    EXPECT_EQ(anim.GetAttached(0), letter);
    EXPECT_EQ(anim.GetAttached(1), nullptr);
    // Placed at once on frame 0: (1, 0) x2 in the root, +5 in y.
    EXPECT_FLOAT_EQ(letter->GetPosX(), 2.0f);
    EXPECT_FLOAT_EQ(letter->GetPosY(), 5.0f);
    anim.Play("");
    Step(0.04f);
    EXPECT_FLOAT_EQ(letter->GetPosX(), 8.0f);
    EXPECT_FLOAT_EQ(letter->GetPosY(), 9.0f);
    EXPECT_FLOAT_EQ(letter->GetPosZ(), 3.0f);
    EXPECT_FLOAT_EQ(letter->GetAngle(), 0.25f);
    EXPECT_FLOAT_EQ(letter->GetScaleX(), 1.0f);
    delete letter;
    EXPECT_EQ(anim.GetAttached(0), nullptr);
    Step(0.04f);
    EXPECT_EQ(anim.GetFrame(), 0);
}

} // namespace
