// The player's settings file: defaults from the configuration, the file
// written back when missing or damaged, the reading rules, the round trip and
// the volumes per sound category.
#include "game/core/tp_Settings.h"

#include "AppTestSupport.h"
#include "engine/resources/media/tr_SoundHub.h"
#include "game/core/tp_Config.h"
#include "tests/engine/resources/text/LogCapture.h"

#include <tinyxml2.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() {
        config.default_fullscreen = false;
        config.default_widescreen = true;
        config.default_syscursor = true;
        config.default_performance = 3;
        config.default_sfx_volume = 0.5f;
        config.default_env_volume = 0.25f;
        config.default_soundtrack_volume = 0.75f;
        config.default_voice_volume = 0.125f;
    }

    void ExpectDefaults(const tp_Settings& settings) const {
        EXPECT_FALSE(settings.fullscreen);
        EXPECT_TRUE(settings.widescreen);
        EXPECT_TRUE(settings.syscursor);
        EXPECT_EQ(settings.performance, 3);
        EXPECT_FLOAT_EQ(settings.sfx_volume, 0.5f);
        EXPECT_FLOAT_EQ(settings.env_volume, 0.25f);
        EXPECT_FLOAT_EQ(settings.soundtrack_volume, 0.75f);
        EXPECT_FLOAT_EQ(settings.voice_volume, 0.125f);
        EXPECT_FLOAT_EQ(settings.gamma, 1.0f);
    }

    // A settings file in the user folder is valid when it parses and its one
    // element carries every field.
    void ExpectValidFileWithDefaults() const {
        tp_Settings reread(tp_Config{});
        ASSERT_TRUE(reread.ReadXml(TempUserFolder::Read(folder.UserFile("settings.xml"))));
        ExpectDefaults(reread);
    }

    TempUserFolder folder;
    tp_Config config;
};

TEST_F(SettingsTest, FreshSettingsTakeTheConfigurationDefaults) {
    tp_Settings settings(config);
    ExpectDefaults(settings);
}

TEST_F(SettingsTest, MissingFileIsWrittenWithTheDefaults) {
    tp_Settings settings(config);
    EXPECT_FALSE(settings.Load());
    ExpectDefaults(settings);
    ExpectValidFileWithDefaults();
}

TEST_F(SettingsTest, DamagedFilesFallBackToDefaultsAndAreRewritten) {
    tp_Settings good(config);
    good.fullscreen = true;
    good.sfx_volume = 0.9f;
    const std::string valid = good.ToXml();
    const std::vector<std::string> damaged{valid.substr(0, valid.size() / 2), // cut off mid-write
                                           "",                                // empty
                                           "<!-- only a comment -->",         // no element
                                           "<settings fullscreen=\"1\" <oops/>",   // not XML
                                           std::string("\0\xff\xfe garbage", 12)}; // binary junk
    for (const std::string& text : damaged) {
        SCOPED_TRACE(text);
        TempUserFolder::Write(folder.UserFile("settings.xml"), text);
        LogCapture log;
        tp_Settings settings(config);
        EXPECT_FALSE(settings.Load());
        ExpectDefaults(settings);
        EXPECT_EQ(log.Count("Warning: settings.xml could not be read; using the default settings."),
                  1);
        ExpectValidFileWithDefaults();
    }
}

TEST_F(SettingsTest, RoundTripThroughTheFile) {
    tp_Settings saved(config);
    saved.fullscreen = true;
    saved.widescreen = false;
    saved.syscursor = false;
    saved.performance = -7;
    saved.sfx_volume = 0.7f;
    saved.env_volume = 0.0f;
    saved.soundtrack_volume = 1.0f;
    saved.voice_volume = 0.333f;
    saved.gamma = 1.25f;
    ASSERT_TRUE(saved.Save());

    tp_Settings loaded(config);
    ASSERT_TRUE(loaded.Load());
    EXPECT_TRUE(loaded.fullscreen);
    EXPECT_FALSE(loaded.widescreen);
    EXPECT_FALSE(loaded.syscursor);
    EXPECT_EQ(loaded.performance, -7);
    EXPECT_FLOAT_EQ(loaded.sfx_volume, 0.7f);
    EXPECT_FLOAT_EQ(loaded.env_volume, 0.0f);
    EXPECT_FLOAT_EQ(loaded.soundtrack_volume, 1.0f);
    EXPECT_FLOAT_EQ(loaded.voice_volume, 0.333f);
    EXPECT_FLOAT_EQ(loaded.gamma, 1.25f);
}

TEST_F(SettingsTest, FileLayout) {
    tp_Settings settings(config);
    settings.sfx_volume = 0.7f;
    settings.gamma = 1.5f;
    const std::string text = settings.ToXml();
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.Parse(text.c_str()), tinyxml2::XML_SUCCESS);
    const tinyxml2::XMLElement* root = document.RootElement();
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->Name(), "settings");
    EXPECT_EQ(root->NextSiblingElement(), nullptr);
    EXPECT_EQ(root->FirstChild(), nullptr);
    const std::vector<std::pair<std::string, std::string>> expected{{"performance", "3"},
                                                                    {"fullscreen", "0"},
                                                                    {"widescreen", "1"},
                                                                    {"syscursor", "1"},
                                                                    {"sfx_volume", "0.7"},
                                                                    {"env_volume", "0.25"},
                                                                    {"soundtrack_volume", "0.75"},
                                                                    {"voice_volume", "0.125"},
                                                                    {"gamma", "1.5"}};
    std::vector<std::pair<std::string, std::string>> actual;
    for (const tinyxml2::XMLAttribute* a = root->FirstAttribute(); a != nullptr; a = a->Next()) {
        actual.emplace_back(a->Name(), a->Value());
    }
    EXPECT_EQ(actual, expected);
}

TEST_F(SettingsTest, ReadingRules) {
    tp_Settings settings(config);
    // Any element name; booleans true when non-zero (unlike the configuration);
    // absent attributes keep their values.
    ASSERT_TRUE(settings.ReadXml("<prefs fullscreen=\"2\" syscursor=\"0\" env_volume=\".5x\"/>"));
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_FALSE(settings.syscursor);
    EXPECT_FLOAT_EQ(settings.env_volume, 0.5f);
    EXPECT_TRUE(settings.widescreen);
    EXPECT_EQ(settings.performance, 3);

    // Numbers that are not finite would poison the volumes and the gamma.
    ASSERT_TRUE(
        settings.ReadXml("<settings gamma=\"nan\" sfx_volume=\"inf\" voice_volume=\"1e99\"/>"));
    EXPECT_FLOAT_EQ(settings.gamma, 1.0f);
    EXPECT_FLOAT_EQ(settings.sfx_volume, 0.5f);
    EXPECT_FLOAT_EQ(settings.voice_volume, 0.125f);
}

TEST_F(SettingsTest, FailedSaveIsReported) {
    tr_FileManager::SetFolderNames("", ""); // the user folder is unknown now
    LogCapture log;
    tp_Settings settings(config);
    EXPECT_FALSE(settings.Save());
    EXPECT_EQ(log.Count("Error: could not save settings.xml."), 1);
}

class SettingsVolumeTest : public SettingsTest {
protected:
    SettingsVolumeTest() { hub = tr_SoundHub::GetOrCreate(); }
    ~SettingsVolumeTest() override { tr_SoundHub::Destroy(); }
    tr_SoundHub* hub = nullptr;
};

TEST_F(SettingsVolumeTest, VolumesAreClampedStoredAndPassedOn) {
    tp_Settings settings(config);
    settings.SetVolume("sfx", 1.5f);
    EXPECT_FLOAT_EQ(settings.GetVolume("sfx"), 1.0f);
    EXPECT_FLOAT_EQ(hub->GetCategoryVolume("sfx"), 1.0f);
    settings.SetVolume("env", -0.5f);
    EXPECT_FLOAT_EQ(settings.env_volume, 0.0f);
    EXPECT_FLOAT_EQ(hub->GetCategoryVolume("env"), 0.0f);
    settings.SetVolume("voice", std::nanf(""));
    EXPECT_FLOAT_EQ(settings.voice_volume, 0.0f);
    settings.SetVolume("soundtrack", 0.4f);
    EXPECT_FLOAT_EQ(settings.soundtrack_volume, 0.4f);
    EXPECT_FLOAT_EQ(hub->GetCategoryVolume("soundtrack"), 0.4f);

    // Other categories reach the hub but no field.
    settings.SetVolume("ambience", 0.3f);
    EXPECT_FLOAT_EQ(hub->GetCategoryVolume("ambience"), 0.3f);
    EXPECT_FLOAT_EQ(settings.GetVolume("ambience"), 0.0f);
    EXPECT_FLOAT_EQ(settings.GetVolume("SFX"), 0.0f);
    EXPECT_FLOAT_EQ(settings.sfx_volume, 1.0f);
    EXPECT_FLOAT_EQ(settings.env_volume, 0.0f);
}

TEST_F(SettingsVolumeTest, ApplyVolumesPushesTheStoredValues) {
    tp_Settings settings(config);
    settings.sfx_volume = 3.0f; // straight from a hand-edited file
    settings.ApplyVolumes();
    EXPECT_FLOAT_EQ(hub->GetCategoryVolume("sfx"), 1.0f);
    EXPECT_FLOAT_EQ(settings.sfx_volume, 1.0f);
    EXPECT_FLOAT_EQ(hub->GetCategoryVolume("env"), 0.25f);
    EXPECT_FLOAT_EQ(hub->GetCategoryVolume("soundtrack"), 0.75f);
    EXPECT_FLOAT_EQ(hub->GetCategoryVolume("voice"), 0.125f);
}

TEST_F(SettingsTest, VolumesWithoutASoundHub) {
    ASSERT_EQ(tr_SoundHub::Get(), nullptr);
    tp_Settings settings(config);
    settings.SetVolume("env", 0.6f);
    EXPECT_FLOAT_EQ(settings.GetVolume("env"), 0.6f);
}

TEST_F(SettingsTest, FullscreenTwoIsOffInTheConfigurationButOnInTheSettings) {
    tp_Config two;
    ASSERT_TRUE(two.LoadFromText("<config><default_settings fullscreen=\"2\"/></config>", "t"));
    tp_Settings settings(two);
    EXPECT_FALSE(settings.fullscreen);
    TempUserFolder::Write(folder.UserFile("settings.xml"), "<settings fullscreen=\"2\"/>");
    ASSERT_TRUE(settings.Load());
    EXPECT_TRUE(settings.fullscreen);
}

} // namespace
