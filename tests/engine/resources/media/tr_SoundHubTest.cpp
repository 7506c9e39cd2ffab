#include "engine/resources/media/tr_SoundHub.h"

#include "engine/core/tr_FrameInfo.h"
#include "engine/platform/headless/tr_AudioBackend_Null.h"
#include "tests/engine/resources/media/MediaTestSupport.h"

#include <map>

namespace {

using media_test::ContentDir;

// A back end whose streams stay active until the test ends them, recording
// what the hub asked of them.
class FakeBackend : public tr_AudioBackend {
public:
    struct Stream {
        std::string path;
        bool loop = false;
        bool active = false;
        bool paused = false;
        int restarts = 0;
        float volume = -1.0f;
    };

    bool HasDevice() const override { return true; }
    tr_AudioStreamHandle Open(const char* path, bool loop) override {
        Stream stream;
        stream.path = path;
        stream.loop = loop;
        streams[++last] = stream;
        return last;
    }
    void Play(tr_AudioStreamHandle h, bool restart) override {
        streams.at(h).active = true;
        streams.at(h).paused = false;
        streams.at(h).restarts += restart ? 1 : 0;
    }
    void Pause(tr_AudioStreamHandle h) override { streams.at(h).paused = true; }
    void Stop(tr_AudioStreamHandle h) override { streams.at(h).active = false; }
    void Free(tr_AudioStreamHandle h) override { streams.erase(h); }
    void SetVolume(tr_AudioStreamHandle h, float v) override { streams.at(h).volume = v; }
    bool IsActive(tr_AudioStreamHandle h) const override {
        auto it = streams.find(h);
        return it != streams.end() && it->second.active;
    }

    std::map<tr_AudioStreamHandle, Stream> streams;
    tr_AudioStreamHandle last = 0;
};

class SoundHubTest : public ::testing::Test {
protected:
    SoundHubTest() {
        auto owned = std::make_unique<FakeBackend>();
        backend = owned.get();
        hub = std::make_unique<tr_SoundHub>(std::move(owned));
    }

    void Step(float dt) {
        tr_FrameInfo info;
        info.dt = dt;
        info.raw_dt = dt;
        hub->Update(&info);
    }
    FakeBackend::Stream& StreamOf(tr_AudioStreamHandle h) { return backend->streams.at(h); }

    const std::string tone = ContentDir() + "/tone_short";
    const std::string other = ContentDir() + "/tone_long";
    FakeBackend* backend = nullptr;
    std::unique_ptr<tr_SoundHub> hub;
};

TEST_F(SoundHubTest, FadeInRunsAtOnePerFadeTimeAndCountsAsPlayingOnlyWhenDone) {
    hub->SetCategoryVolume("voice", 0.5f);
    hub->Play(tone, "voice", false, false, 2.0f);
    ASSERT_EQ(hub->CountSounds(), 1);
    EXPECT_EQ(StreamOf(1).path, tone + ".ogg");
    EXPECT_EQ(StreamOf(1).restarts, 1);
    EXPECT_FLOAT_EQ(StreamOf(1).volume, 0.0f);
    EXPECT_FALSE(hub->IsPlaying(tone));

    for (int i = 0; i < 3; ++i) {
        Step(0.25f);
    }
    EXPECT_FLOAT_EQ(StreamOf(1).volume, 0.375f);
    EXPECT_EQ(hub->FindSound(tone)->GetState(), tr_Sound::STATE_FADING_IN);
    EXPECT_FALSE(hub->IsPlaying(tone));

    Step(0.25f); // one second in: a fade to 0.5 over 2 s is complete
    EXPECT_FLOAT_EQ(StreamOf(1).volume, 0.5f);
    EXPECT_TRUE(hub->IsPlaying(tone));
    Step(0.25f);
    EXPECT_FLOAT_EQ(StreamOf(1).volume, 0.5f);
}

TEST_F(SoundHubTest, CategoryVolumeReachesPlayingAndLaterSoundsOfThatCategoryOnly) {
    hub->Play(tone, "voice", false, false, 0.0f);
    hub->Play(other, "voice", true, false, 0.0f);
    hub->Play(tone, "sfx", false, true, 0.0f);
    EXPECT_TRUE(StreamOf(2).loop);
    hub->SetCategoryVolume("voice", 0.3f);
    EXPECT_FLOAT_EQ(StreamOf(1).volume, 0.3f);
    EXPECT_FLOAT_EQ(StreamOf(2).volume, 0.3f);
    EXPECT_FLOAT_EQ(StreamOf(3).volume, 1.0f);

    hub->Play(other, "voice", false, false, 0.0f);
    EXPECT_FLOAT_EQ(StreamOf(4).volume, 0.3f);
    EXPECT_FLOAT_EQ(hub->GetCategoryVolume("voice"), 0.3f);
    EXPECT_FLOAT_EQ(hub->GetCategoryVolume("Voice"), 1.0f); // names are case-sensitive
}

TEST_F(SoundHubTest, FadeOutByNameZeroRemovesOnTheNextUpdateAndFreesTheStream) {
    hub->Play(tone, "sfx", true, false, 0.0f);
    hub->Play(other, "sfx", true, false, 0.0f);
    hub->FadeOutByName(tone, 0.0f);
    EXPECT_EQ(hub->CountSounds(), 2);
    Step(0.016f);
    EXPECT_EQ(hub->CountSounds(), 1);
    EXPECT_EQ(hub->FindSound(tone), nullptr);
    EXPECT_EQ(backend->streams.count(1), 0u);
    EXPECT_EQ(backend->streams.count(2), 1u);
}

TEST_F(SoundHubTest, TimedFadeOutLowersTheVolumeThenDeletesTheSound) {
    hub->Play(tone, "env", true, false, 0.0f);
    hub->FadeOutByName(tone, 2.0f);
    Step(1.0f);
    EXPECT_FLOAT_EQ(StreamOf(1).volume, 0.5f);
    EXPECT_EQ(hub->CountSounds(), 1);
    Step(1.0f);
    EXPECT_EQ(hub->CountSounds(), 0);
}

TEST_F(SoundHubTest, NegativeFadeTimesActAsImmediate) {
    hub->Play(tone, "sfx", true, false, -1.0f);
    EXPECT_TRUE(hub->IsPlaying(tone));
    EXPECT_FLOAT_EQ(StreamOf(1).volume, 1.0f);
    hub->FadeOutAll(-3.0f);
    Step(0.016f);
    EXPECT_EQ(hub->CountSounds(), 0);
}

TEST_F(SoundHubTest, PauseAllFreezesFadesAndResumeAllRestoresCategoryVolumes) {
    hub->SetCategoryVolume("soundtrack", 0.8f);
    hub->Play(tone, "soundtrack", true, false, 4.0f);
    hub->Play(other, "sfx", true, false, 0.0f);
    Step(1.0f);
    EXPECT_FLOAT_EQ(StreamOf(1).volume, 0.25f);

    hub->PauseAll();
    EXPECT_TRUE(StreamOf(1).paused);
    EXPECT_TRUE(StreamOf(2).paused);
    Step(1.0f);
    EXPECT_FLOAT_EQ(StreamOf(1).volume, 0.25f);

    hub->ResumeAll();
    EXPECT_FALSE(StreamOf(1).paused);
    EXPECT_EQ(StreamOf(1).restarts, 1); // resumed where it stopped, not restarted
    EXPECT_FLOAT_EQ(StreamOf(1).volume, 0.8f);
    EXPECT_FLOAT_EQ(StreamOf(2).volume, 1.0f);
    Step(0.016f);
    EXPECT_TRUE(hub->IsPlaying(tone));
}

TEST_F(SoundHubTest, PauseByNameTouchesOnlyTheFirstSoundOfThatName) {
    hub->Play(tone, "sfx", true, false, 0.0f);
    hub->Play(tone, "sfx", true, false, 0.0f);
    hub->SetPausedByName(tone, true);
    EXPECT_TRUE(StreamOf(1).paused);
    EXPECT_FALSE(StreamOf(2).paused);
}

TEST_F(SoundHubTest, SoundsWhoseStreamEndsOrNeverOpensAreDeletedOnTheNextUpdate) {
    hub->Play(tone, "sfx", false, false, 0.0f);
    hub->Play(other, "sfx", false, false, 0.0f);
    Step(0.016f);
    EXPECT_EQ(hub->CountSounds(), 2);
    StreamOf(1).active = false; // played to its end
    EXPECT_EQ(hub->CountSounds(), 2);
    Step(0.016f);
    EXPECT_EQ(hub->CountSounds(), 1);
    EXPECT_NE(hub->FindSound(other), nullptr);
}

TEST_F(SoundHubTest, StopCategoryAndStopAll) {
    hub->Play(tone, "voice", true, false, 0.0f);
    hub->Play(other, "env", true, false, 0.0f);
    hub->StopCategory("voice");
    Step(0.016f);
    EXPECT_EQ(hub->FindSound(tone), nullptr);
    ASSERT_NE(hub->FindSound(other), nullptr);
    hub->StopAll();
    EXPECT_EQ(hub->CountSounds(), 0);
    EXPECT_TRUE(backend->streams.empty());
}

TEST_F(SoundHubTest, MissingFilesAreLoggedAndEmptyNamesIgnored) {
    media_test::MessageRecorder log(3);
    hub->Play("", "sfx", false, false, 0.0f);
    hub->Play("no/such/sound", "sfx", false, false, 0.0f);
    EXPECT_EQ(hub->CountSounds(), 0);
    EXPECT_EQ(backend->last, 0u);
    EXPECT_EQ(log.messages.size(), 1u);
    EXPECT_TRUE(log.Logged("Error:: sound could not find \"no/such/sound\" file!"));
}

TEST(SoundHubNoDeviceTest, ProcessHubStartsWithoutDeviceAndFinishesSoundsAtOnce) {
    ASSERT_EQ(tr_SoundHub::Get(), nullptr);
    tr_SoundHub* hub = tr_SoundHub::GetOrCreate();
    EXPECT_EQ(tr_SoundHub::Get(), hub);
    EXPECT_EQ(tr_SoundHub::GetOrCreate(), hub);
    EXPECT_TRUE(hub->IsNoSoundDevice());

    hub->Play(ContentDir() + "/tone_long", "sfx", true, false, 0.0f);
    EXPECT_EQ(hub->CountSounds(), 1);
    tr_FrameInfo info;
    info.dt = 0.016f;
    hub->Update(&info);
    EXPECT_EQ(hub->CountSounds(), 0);

    hub->InitOutput(std::make_unique<FakeBackend>());
    EXPECT_FALSE(hub->IsNoSoundDevice());
    hub->Play(ContentDir() + "/tone_long", "sfx", true, false, 0.0f);
    tr_SoundHub::Destroy();
    EXPECT_EQ(tr_SoundHub::Get(), nullptr);
}

} // namespace
