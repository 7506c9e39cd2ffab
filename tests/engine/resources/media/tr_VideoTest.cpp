#include "engine/objects/tr_Video.h"

#include "engine/core/tr_SLHelper_XML.h"
#include "engine/platform/headless/tr_DeviceTexture_Null.h"
#include "engine/render/tr_GeneratedTexture.h"
#include "engine/script/tr_CallQueue.h"
#include "tests/engine/resources/media/MediaTestSupport.h"

#include <tinyxml2.h>

namespace {

using media_test::FrameLevel;
using media_test::LevelToFrame;

class RecordingQueue : public tr_CallQueue {
public:
    bool QueueCall(const std::string& sender, const std::string& code) override {
        calls.push_back(sender + ":" + code);
        return true;
    }
    std::vector<std::string> calls;
};

class VideoTest : public ::testing::Test {
protected:
    void SetUp() override {
        media_test::MakeVideo(dir / "intro", media_test::VideoParams());
        tr_CallQueue::Install(&queue);
        video.SetRes(dir / "intro");
    }
    void TearDown() override { tr_CallQueue::Install(nullptr); }

    // The frame the texture shows, from the red byte of an opaque texel.
    int TextureFrame() const {
        const auto* device =
            dynamic_cast<const tr_DeviceTexture_Null*>(video.GetTexture()->GetDeviceTexture(0));
        return device ? LevelToFrame((device->GetTexel(20, 12) >> 16) & 0xff) : -1;
    }
    void Step(float raw_dt) {
        tr_FrameInfo frame;
        frame.dt = raw_dt > 0.05f ? 0.05f : raw_dt;
        frame.raw_dt = raw_dt;
        video.Update(frame);
    }

    media_test::ScratchDir dir;
    RecordingQueue queue;
    tr_Video video{"cutscene"};
};

TEST_F(VideoTest, LoadingResourcesShowsTheFirstFrameInATexture) {
    EXPECT_EQ(video.GetType(), "video");
    EXPECT_EQ(video.GetResource(), nullptr);
    video.LoadResources();
    ASSERT_NE(video.GetTexture(), nullptr);
    EXPECT_EQ(video.GetResource(), video.GetTexture());
    EXPECT_EQ(TextureFrame(), 0);
    const tr_Rect rect = video.GetDrawRect();
    EXPECT_GE(rect.w, 33.0f);
    EXPECT_GE(rect.h, 25.0f);
    EXPECT_TRUE(video.GetInputRect().w > 0.0f);
    const auto* device =
        dynamic_cast<const tr_DeviceTexture_Null*>(video.GetTexture()->GetDeviceTexture(0));
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->GetTexel(1, 1), 0u); // zalpha 0: transparent black
    video.UnloadResources();
    EXPECT_EQ(video.GetTexture(), nullptr);
}

TEST_F(VideoTest, PlaybackUsesTheRawStepAndQueuesTheEndTriggerOnce) {
    video.LoadResources();
    video.Play("trg_intro_done");
    Step(0.2f);
    EXPECT_EQ(video.GetFrame(), 5);
    EXPECT_EQ(TextureFrame(), 5);
    for (int i = 0; i < 10; ++i) {
        Step(0.2f);
    }
    EXPECT_FALSE(video.IsPlaying());
    EXPECT_EQ(queue.calls, (std::vector<std::string>{"cutscene:trg_intro_done"}));
}

TEST_F(VideoTest, AHeldFrameIsKeptAndTheVideoMovesToANewTexture) {
    video.LoadResources();
    video.Play("");
    Step(0.04f);
    const tr_GeneratedTexture* in_place = video.GetTexture().get();
    Step(0.04f);
    EXPECT_EQ(video.GetTexture().get(), in_place); // rewritten, nobody else holds it
    std::shared_ptr<tr_Resource> held = video.GetResource();
    Step(0.04f);
    EXPECT_NE(video.GetTexture(), held);
    EXPECT_EQ(TextureFrame(), 3);
}

TEST_F(VideoTest, RefreshUploadsTheCurrentFrameAgainAndRewindStops) {
    video.LoadResources();
    video.Seek(9);
    EXPECT_EQ(TextureFrame(), 9);
    video.Refresh(true);
    EXPECT_EQ(TextureFrame(), 9);
    video.Play("");
    Step(0.2f);
    video.Rewind();
    EXPECT_FALSE(video.IsPlaying());
    EXPECT_EQ(TextureFrame(), 0);
    video.SetPaused(false);
    EXPECT_TRUE(video.IsPlaying());
    video.SetPaused(true);
    Step(0.2f);
    EXPECT_EQ(video.GetFrame(), 0);
}

TEST_F(VideoTest, AttributesSaveAndLoadTheFrameAndSettings) {
    video.LoadResources();
    video.Seek(6);
    video.SetLooped(true);
    tinyxml2::XMLDocument doc;
    tinyxml2::XMLElement* element = doc.NewElement("video");
    doc.InsertFirstChild(element);
    tr_SLHelper_XML saver(element);
    video.Save(saver);
    element->SetAttribute("endtrig", "trg_after");
    EXPECT_EQ(std::string(element->Attribute("frame")), "6");

    tr_Video copy("copy");
    copy.SetRes(dir / "intro");
    tr_SLHelper_XML loader(element);
    copy.Load(loader);
    EXPECT_EQ(copy.GetFrame(), 6);
    EXPECT_TRUE(copy.IsLooped());
    EXPECT_FALSE(copy.IsPlaying());
    copy.LoadResources();
    ASSERT_NE(copy.GetTexture(), nullptr);
    const auto* device =
        dynamic_cast<const tr_DeviceTexture_Null*>(copy.GetTexture()->GetDeviceTexture(0));
    EXPECT_EQ(LevelToFrame((device->GetTexel(20, 12) >> 16) & 0xff), 6);
    copy.SetPaused(false); // plays on with the loaded end trigger
    for (int i = 0; i < 8; ++i) {
        tr_FrameInfo frame;
        frame.raw_dt = 0.2f;
        copy.Update(frame);
    }
    ASSERT_FALSE(queue.calls.empty());
    EXPECT_EQ(queue.calls.front(), copy.GetName() + ":trg_after");
}

} // namespace
