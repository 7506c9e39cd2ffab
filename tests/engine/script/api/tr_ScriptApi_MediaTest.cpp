// Sound and video script functions: arguments reaching the sound hub (on its
// null audio output) and a video object's playback state.
#include "ScriptApiFixture.h"

#include "engine/objects/tr_Video.h"
#include "engine/resources/media/tr_SoundHub.h"

namespace {

const std::string kShort = std::string(TARROW_TEST_CONTENT) + "/media/tone_short";
const std::string kLong = std::string(TARROW_TEST_CONTENT) + "/media/tone_long";

class ScriptApiMediaTest : public ScriptApiTest {
protected:
    void TearDown() override {
        tr_SoundHub::Destroy();
        ScriptApiTest::TearDown();
    }
    const tr_Sound* Sound(const std::string& name) {
        return tr_SoundHub::GetOrCreate()->FindSound(name);
    }
    // Sets the Lua globals short and long to the two test sounds.
    void NameSounds() { Run("short = '" + kShort + "'; long = '" + kLong + "'"); }
};

} // namespace

TEST_F(ScriptApiMediaTest, SndPlayReadsItsFlagsAsTextAndTheFadeInTime) {
    NameSounds();
    Run("SndPlay(long, 'music', '1', 0, 2)");
    const tr_Sound* looped = Sound(kLong);
    ASSERT_NE(looped, nullptr);
    EXPECT_EQ(looped->GetCategory(), "music");
    EXPECT_TRUE(looped->IsLooped());
    EXPECT_FALSE(looped->GetKeepFlag());
    EXPECT_EQ(looped->GetState(), tr_Sound::STATE_FADING_IN);
    EXPECT_FLOAT_EQ(looped->GetCurrentVolume(), 0.0f);

    // Text-to-integer, not rounding: "0.9" and 0.5 are 0, 1.9 is 1.
    Run("SndPlay(short, 'sfx', 0.5, 1.9)");
    const tr_Sound* once = Sound(kShort);
    ASSERT_NE(once, nullptr);
    EXPECT_FALSE(once->IsLooped());
    EXPECT_TRUE(once->GetKeepFlag());
    EXPECT_EQ(once->GetState(), tr_Sound::STATE_PLAYING); // no fade-in given
    EXPECT_FLOAT_EQ(once->GetCurrentVolume(), 1.0f);
    EXPECT_EQ(tr_SoundHub::GetOrCreate()->CountSounds(), 2);
}

TEST_F(ScriptApiMediaTest, SndPlayOfAMissingFileLogsAndPlaysNothing) {
    Run("SndPlay('no/such/sound', 'sfx', 0, 0)");
    EXPECT_TRUE(log.Contains("Error:: sound could not find \"no/such/sound\" file!"));
    Run("SndPlay(nil, 'sfx', 0, 0)");
    EXPECT_EQ(tr_SoundHub::GetOrCreate()->CountSounds(), 0);
}

TEST_F(ScriptApiMediaTest, SndStopFadesOrStopsAtOnce) {
    NameSounds();
    Run("SndPlay(long, 'music', 1, 0); SndPlay(short, 'sfx', 1, 0)");
    Run("SndStop(long, 2)");
    EXPECT_EQ(Sound(kLong)->GetState(), tr_Sound::STATE_FADING_OUT);
    Run("SndStop(short)");
    EXPECT_EQ(Sound(kShort)->GetState(), tr_Sound::STATE_FINISHED);
    Run("SndStop(nil); SndStop('nobody', 1)");
    EXPECT_EQ(Sound(kLong)->GetState(), tr_Sound::STATE_FADING_OUT);
}

// An endless fade would keep a sound silent, or playing, for ever; a number
// beyond the float range does not even convert.
TEST_F(ScriptApiMediaTest, FadeTimesThatAreNotFiniteFloatsMeanNoFade) {
    NameSounds();
    Run("SndPlay(long, 'music', 1, 0, math.huge); SndPlay(short, 'sfx', 1, 0, 1e300)");
    EXPECT_EQ(Sound(kLong)->GetState(), tr_Sound::STATE_PLAYING);
    EXPECT_FLOAT_EQ(Sound(kLong)->GetCurrentVolume(), 1.0f);
    EXPECT_EQ(Sound(kShort)->GetState(), tr_Sound::STATE_PLAYING);
    Run("SndStop(long, math.huge); SndStop(short, -1e300)");
    EXPECT_EQ(Sound(kLong)->GetState(), tr_Sound::STATE_FINISHED);
    EXPECT_EQ(Sound(kShort)->GetState(), tr_Sound::STATE_FINISHED);
}

TEST_F(ScriptApiMediaTest, SndPauseAllPausesUnlessTheFlagIsNilOrFalse) {
    NameSounds();
    Run("SndPlay(long, 'music', 1, 0)");
    Run("SndPauseAll(0)"); // 0 is true in Lua
    EXPECT_TRUE(Sound(kLong)->IsPaused());
    Run("SndPauseAll(false)");
    EXPECT_FALSE(Sound(kLong)->IsPaused());
    Run("SndPauseAll(true)");
    EXPECT_TRUE(Sound(kLong)->IsPaused());
    Run("SndPauseAll()");
    EXPECT_FALSE(Sound(kLong)->IsPaused());
}

TEST_F(ScriptApiMediaTest, VideoFunctionsDriveAVideoObject) {
    tr_Video* video = AddOwned(new tr_Video("clip"));
    video->SetRes(std::string(TARROW_TEST_CONTENT) + "/media/sample");
    ASSERT_NE(video->GetTexture(), nullptr); // the clip opened
    Run("VidPlay('clip', 'trg_clip_done')");
    EXPECT_TRUE(video->IsPlaying());
    tr_FrameInfo frame;
    frame.dt = frame.raw_dt = 0.1f;
    video->Update(frame);
    EXPECT_GT(video->GetFrame(), 0);

    Run("VidPause('clip', 1)");
    EXPECT_FALSE(video->IsPlaying());
    Run("VidPause('clip', 0.5)"); // rounds to 0: resume
    EXPECT_TRUE(video->IsPlaying());
    Run("VidPause('clip', 1.5)"); // rounds to 2
    EXPECT_FALSE(video->IsPlaying());
    Run("VidPause('clip', 'no')");
    EXPECT_TRUE(video->IsPlaying());

    Run("VidStop('clip')");
    EXPECT_FALSE(video->IsPlaying());
    EXPECT_EQ(video->GetFrame(), 0);

    // Objects of another type and unknown names are left alone.
    Add("plain");
    Run("VidPlay('plain', 'x'); VidStop('nobody'); VidPause(nil, 1)");
    EXPECT_FALSE(video->IsPlaying());
}
