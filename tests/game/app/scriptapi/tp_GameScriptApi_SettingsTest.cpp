// Settings and sound categories: the toggle-fullscreen hook asked only for a
// change, values reaching the engine, the cursor and the sound hub, and the
// category volumes kept in the settings.
#include "GameScriptApiFixture.h"

#include "../AppTestSupport.h"
#include "engine/platform/headless/tr_Cursor_Headless.h"
#include "engine/resources/media/tr_SoundHub.h"

namespace {

const std::string kShort = std::string(TARROW_TEST_CONTENT) + "/media/tone_short";
const std::string kLong = std::string(TARROW_TEST_CONTENT) + "/media/tone_long";

class SettingsScriptTest : public GameScriptApiTest {
protected:
    void TearDown() override {
        tr_SoundHub::Destroy();
        GameScriptApiTest::TearDown();
    }
    void InstallToggle() { engine->SetToggleFullscreenHook(&ToggleRecord::Hook); }
};

} // namespace

TEST_F(SettingsScriptTest, SetFullScreenTogglesOnlyForAChangeAndZeroMeansTrue) {
    settings->fullscreen = false;
    EXPECT_EQ(Eval("SetFullScreen(0)"), "false"); // a change, but no hook to make it
    InstallToggle();
    EXPECT_EQ(Eval("SetFullScreen(0)"), "true"); // 0 is true in Lua: full screen asked for
    ASSERT_EQ(ToggleRecord::asked.size(), 1u);
    EXPECT_TRUE(ToggleRecord::asked[0]);

    ToggleRecord::answer = false;
    EXPECT_EQ(Eval("SetFullScreen(true)"), "false"); // the toggle's own answer
    EXPECT_EQ(Eval("SetFullScreen(false)"), "true"); // already windowed: nothing to do
    EXPECT_EQ(Eval("SetFullScreen()"), "true");
    EXPECT_EQ(ToggleRecord::asked.size(), 2u);
    EXPECT_EQ(Eval("type(GetFullScreen())"), "boolean");
    EXPECT_EQ(Eval("GetFullScreen()"), "false");
}

TEST_F(SettingsScriptTest, SetWideScreenWithTheCurrentValueDoesNothing) {
    InstallToggle();
    settings->fullscreen = false;
    settings->widescreen = true;
    EXPECT_EQ(Eval("SetWideScreen(1)"), "true");
    EXPECT_TRUE(ToggleRecord::asked.empty());
    EXPECT_TRUE(settings->widescreen);

    ToggleRecord::answer = false;
    EXPECT_EQ(Eval("SetWideScreen(nil)"), "false");
    EXPECT_FALSE(settings->widescreen); // stored before the toggle
    ASSERT_EQ(ToggleRecord::asked.size(), 1u);
    EXPECT_FALSE(ToggleRecord::asked[0]); // at the current full-screen value
    EXPECT_EQ(Eval("GetWideScreen()"), "false");
}

TEST_F(SettingsScriptTest, PlainSettingsReachTheEngineAndTheCursor) {
    tr_Cursor_Headless cursor;
    Run("SetGamma(1.5); SetSysCursor(0); SetPerformanceMode(2.6)");
    EXPECT_FLOAT_EQ(settings->gamma, 1.5f);
    EXPECT_FLOAT_EQ(engine->GetGamma(), 1.5f);
    EXPECT_TRUE(settings->syscursor);
    EXPECT_TRUE(cursor.IsSystemMode());
    EXPECT_EQ(settings->performance, 3);
    EXPECT_EQ(Eval("GetGamma()"), "1.5");
    EXPECT_EQ(Eval("GetSysCursor()"), "true");
    EXPECT_EQ(Eval("GetPerformanceMode()"), "3");

    Run("SetSysCursor(false); SetPerformanceMode('fast'); SetGamma(0/0)");
    EXPECT_FALSE(cursor.IsSystemMode());
    EXPECT_EQ(settings->performance, 0);
    EXPECT_FLOAT_EQ(settings->gamma, 1.5f);  // not a number: ignored
    Run("SetGamma(1e300); SetGamma(-1e39)"); // beyond any float: ignored too
    EXPECT_FLOAT_EQ(settings->gamma, 1.5f);
    EXPECT_FLOAT_EQ(engine->GetGamma(), 1.5f);
}

TEST_F(SettingsScriptTest, SaveSettingsWritesTheFile) {
    TempUserFolder folder;
    engine->SetCompanyName("Brightfold");
    engine->SetGameName("App Test");
    settings->performance = 7;
    Run("SaveSettings()");
    EXPECT_NE(TempUserFolder::Read(folder.UserFile("settings.xml")).find("performance=\"7\""),
              std::string::npos);
}

TEST_F(SettingsScriptTest, PlayVoiceLoopsForTheStringOneAndTheNumberOne) {
    tr_SoundHub* hub = tr_SoundHub::GetOrCreate();
    // Read as text, then as atoi reads it: "1", 1 and 1.9 loop; 0.9 does not.
    for (const char* loop : {"'1'", "1", "1.9", "0.9"}) {
        Run("PlayVoice('" + kLong + "', " + loop + ")");
        const tr_Sound* voice = hub->FindSound(kLong);
        ASSERT_NE(voice, nullptr) << loop;
        EXPECT_EQ(voice->IsLooped(), std::string(loop) != "0.9") << loop;
        EXPECT_EQ(voice->GetCategory(), "voice");
        EXPECT_FALSE(voice->GetKeepFlag());
        hub->StopAll();
    }
}

TEST_F(SettingsScriptTest, EachPlayFunctionUsesItsCategoryKeepFlagAndFade) {
    tr_SoundHub* hub = tr_SoundHub::GetOrCreate();
    Run("PlaySfx('" + kShort + "'); PlayEnv('" + kLong + "', 1, 2)");
    ASSERT_TRUE(hub->FindSound(kShort) && hub->FindSound(kLong));
    EXPECT_EQ(hub->FindSound(kShort)->GetCategory(), "sfx");
    EXPECT_TRUE(hub->FindSound(kShort)->GetKeepFlag());
    EXPECT_EQ(hub->FindSound(kShort)->GetState(), tr_Sound::STATE_PLAYING);
    EXPECT_EQ(hub->FindSound(kLong)->GetCategory(), "env");
    EXPECT_EQ(hub->FindSound(kLong)->GetState(), tr_Sound::STATE_FADING_IN);
    hub->StopAll();

    Run("PlaySoundtrack('" + kLong + "', 0, 0/0)"); // a fade that is no number: none
    ASSERT_NE(hub->FindSound(kLong), nullptr);
    EXPECT_EQ(hub->FindSound(kLong)->GetCategory(), "soundtrack");
    EXPECT_EQ(hub->FindSound(kLong)->GetState(), tr_Sound::STATE_PLAYING);
}

TEST_F(SettingsScriptTest, CategoryVolumesAreClampedKeptAndPassedToTheSoundHub) {
    tr_SoundHub* hub = tr_SoundHub::GetOrCreate();
    Run("SetSoundVolume('voice', 0.3)");
    EXPECT_FLOAT_EQ(settings->voice_volume, 0.3f);
    EXPECT_FLOAT_EQ(hub->GetCategoryVolume("voice"), 0.3f);
    EXPECT_NEAR(Number("GetSoundVolume('voice')"), 0.3, 1e-6);

    Run("SetSoundVolume('sfx', 1.7); SetSoundVolume('env', -2)");
    EXPECT_FLOAT_EQ(settings->sfx_volume, 1.0f);
    EXPECT_FLOAT_EQ(settings->env_volume, 0.0f);
    EXPECT_FLOAT_EQ(hub->GetCategoryVolume("env"), 0.0f);

    // Other categories reach the hub only.
    Run("SetSoundVolume('music', 0.25)");
    EXPECT_FLOAT_EQ(hub->GetCategoryVolume("music"), 0.25f);
    EXPECT_EQ(Eval("GetSoundVolume('music')"), "0");

    // A voice started now starts at the category volume.
    Run("PlayVoice('" + kShort + "')");
    ASSERT_NE(hub->FindSound(kShort), nullptr);
    EXPECT_FLOAT_EQ(hub->FindSound(kShort)->GetVolume(), 0.3f);
}
