// The game configuration: defaults, every element and attribute, the reading
// rules for flags and numbers, the edition flags and the save folder.
#include "game/core/tp_Config.h"

#include "AppTestSupport.h"
#include "tests/engine/resources/text/LogCapture.h"

#include <gtest/gtest.h>

namespace {

const char* const kFullConfig = R"(<?xml version="1.0"?>
<config>
  <start_point module="assets/levels/start/start.xml" trigger="trg_start"/>
  <save_settings folder="Tarrow Demo"/>
  <default_settings performance="2" fullscreen="0" widescreen="1" syscursor="1"
      sfx_volume="0.8" env_volume="0.6" soundtrack_volume="0.5" voice_volume="0.25"/>
  <interface_settings hint_casual_time="30" hint_adv_time="90.5" skip_casual_time="45"
      skip_adv_time="120" inventory_size="7"/>
  <publisher_settings url="https://example.org/" guide_url="https://example.org/guide"/>
  <developer_settings ignore_module="assets/levels/test"/>
  <strings_list>
    <strings res="assets/strings_extra"/>
    <other res="assets/not_a_strings_entry"/>
    <strings res="assets/strings_more"/>
  </strings_list>
  <protected data="collectors cheat"/>
</config>
)";

TEST(ConfigTest, DefaultsAndMissingFile) {
    LogCapture log;
    tp_Config config;
    EXPECT_FALSE(config.Load("/nonexistent/folder/config"));
    EXPECT_EQ(log.Count("Error: could not find config file /nonexistent/folder/config.xml."), 1);
    EXPECT_EQ(config.start_module, "");
    EXPECT_EQ(config.save_folder, "");
    EXPECT_TRUE(config.default_fullscreen);
    EXPECT_TRUE(config.default_widescreen);
    EXPECT_FALSE(config.default_syscursor);
    EXPECT_EQ(config.default_performance, 0);
    EXPECT_FLOAT_EQ(config.default_sfx_volume, 1.0f);
    EXPECT_FLOAT_EQ(config.default_voice_volume, 1.0f);
    EXPECT_FLOAT_EQ(config.default_gamma, 1.0f);
    EXPECT_EQ(config.inventory_size, 0);
    EXPECT_EQ(config.edition_flags, 0u);
    EXPECT_EQ(config.string_files, std::vector<std::string>{"assets/strings"});
}

TEST(ConfigTest, ReadsEveryElementFromAFile) {
    TempUserFolder folder;
    TempUserFolder::Write(folder.Root() + "/config.xml", kFullConfig);
    tp_Config config;
    ASSERT_TRUE(config.Load(folder.Root() + "/config"));
    EXPECT_EQ(config.start_module, "assets/levels/start/start.xml");
    EXPECT_EQ(config.start_trigger, "trg_start");
    EXPECT_EQ(config.default_performance, 2);
    EXPECT_FALSE(config.default_fullscreen);
    EXPECT_TRUE(config.default_widescreen);
    EXPECT_TRUE(config.default_syscursor);
    EXPECT_FLOAT_EQ(config.default_sfx_volume, 0.8f);
    EXPECT_FLOAT_EQ(config.default_env_volume, 0.6f);
    EXPECT_FLOAT_EQ(config.default_soundtrack_volume, 0.5f);
    EXPECT_FLOAT_EQ(config.default_voice_volume, 0.25f);
    EXPECT_FLOAT_EQ(config.hint_casual_time, 30.0f);
    EXPECT_FLOAT_EQ(config.hint_adv_time, 90.5f);
    EXPECT_FLOAT_EQ(config.skip_casual_time, 45.0f);
    EXPECT_FLOAT_EQ(config.skip_adv_time, 120.0f);
    EXPECT_EQ(config.inventory_size, 7);
    EXPECT_EQ(config.url, "https://example.org/");
    EXPECT_EQ(config.guide_url, "https://example.org/guide");
    EXPECT_EQ(config.ignore_module, "assets/levels/test");
    const std::vector<std::string> files{"assets/strings", "assets/strings_extra",
                                         "assets/strings_more"};
    EXPECT_EQ(config.string_files, files);
    EXPECT_TRUE(config.IsCollectorsEdition());
    EXPECT_TRUE(config.IsCheater());
    EXPECT_FALSE(config.IsSurveyEdition());
    EXPECT_FALSE(config.IsStreaming());
    // The folder is read after the flags even though it comes first in the file.
    EXPECT_EQ(config.save_folder, "Tarrow Demo CE");
    EXPECT_FLOAT_EQ(config.default_gamma, 1.0f);
}

TEST(ConfigTest, FlagsAreOnOnlyForTheIntegerOne) {
    tp_Config config;
    ASSERT_TRUE(config.LoadFromText(
        R"(<config><default_settings fullscreen="2" widescreen="true" syscursor="1abc"/></config>)",
        "test"));
    EXPECT_FALSE(config.default_fullscreen);
    EXPECT_FALSE(config.default_widescreen);
    EXPECT_TRUE(config.default_syscursor); // read like atoi: the leading 1 counts
}

TEST(ConfigTest, MissingAttributesOfPresentElementsReadAsEmptyOrZero) {
    tp_Config config;
    config.url = "kept until the element says otherwise";
    ASSERT_TRUE(config.LoadFromText(
        "<config><default_settings performance=\"x\"/><publisher_settings url=\"u\"/>"
        "<start_point module=\"m\"/></config>",
        "test"));
    EXPECT_FALSE(config.default_fullscreen);
    EXPECT_FALSE(config.default_widescreen);
    EXPECT_EQ(config.default_performance, 0);
    EXPECT_FLOAT_EQ(config.default_sfx_volume, 0.0f);
    EXPECT_EQ(config.url, "u");
    EXPECT_EQ(config.guide_url, "");
    EXPECT_EQ(config.start_module, "m");
    EXPECT_EQ(config.start_trigger, "");
    // Absent elements leave their fields alone.
    EXPECT_FLOAT_EQ(config.hint_casual_time, 0.0f);
    EXPECT_EQ(config.save_folder, "");
}

TEST(ConfigTest, DocumentsThatAreNotConfigurationsChangeNothing) {
    LogCapture log;
    tp_Config config;
    EXPECT_FALSE(config.LoadFromText("<settings><start_point module=\"m\"/></settings>", "a"));
    EXPECT_FALSE(config.LoadFromText("<config><start_point module=\"m\"", "b"));
    EXPECT_FALSE(config.LoadFromText("", "c"));
    EXPECT_EQ(config.start_module, "");
    EXPECT_TRUE(config.default_fullscreen);
    EXPECT_EQ(log.CountStartingWith("Error: config file a "), 1);
    EXPECT_EQ(log.CountStartingWith("Error: config file b "), 1);
    EXPECT_EQ(log.CountStartingWith("Error: config file c "), 1);
}

TEST(ConfigTest, EditionFlagsAndSaveFolderSuffixes) {
    EXPECT_EQ(tp_Config::ParseEditionFlags(""), 0u);
    EXPECT_EQ(tp_Config::ParseEditionFlags("Survey,STREAMING"),
              tp_Config::EDITION_SURVEY | tp_Config::EDITION_STREAMING);
    EXPECT_EQ(tp_Config::ParseEditionFlags("  collectors \n survey,cheat  streaming"),
              tp_Config::EDITION_COLLECTORS | tp_Config::EDITION_SURVEY | tp_Config::EDITION_CHEAT |
                  tp_Config::EDITION_STREAMING);
    {
        LogCapture log;
        EXPECT_EQ(tp_Config::ParseEditionFlags("cheat premium"), tp_Config::EDITION_CHEAT);
        EXPECT_EQ(log.Count("Warning: unknown edition flag \"premium\" in the config file."), 1);
    }

    tp_Config both;
    ASSERT_TRUE(both.LoadFromText(
        "<config><protected data=\"survey collectors\"/><save_settings folder=\"Game\"/></config>",
        "test"));
    EXPECT_EQ(both.save_folder, "Game CE Survey");

    tp_Config survey;
    ASSERT_TRUE(survey.LoadFromText(
        "<config><save_settings folder=\"Game\"/><protected data=\"survey\"/></config>", "test"));
    EXPECT_EQ(survey.save_folder, "Game Survey");

    tp_Config plain;
    ASSERT_TRUE(plain.LoadFromText("<config><save_settings folder=\"Game\"/></config>", "test"));
    EXPECT_EQ(plain.save_folder, "Game");
    EXPECT_EQ(plain.WindowTitleKey(), "window_title");
    EXPECT_EQ(both.WindowTitleKey(), "window_title_ce");
    EXPECT_EQ(survey.WindowTitleKey(), "window_title");
}

TEST(ConfigTest, StringListAlwaysStartsWithTheMainTable) {
    tp_Config config;
    config.string_files = {"left over"};
    ASSERT_TRUE(config.LoadFromText(
        "<config><strings_list><strings res=\"a\"/><strings/><strings res=\"b\"/>"
        "</strings_list></config>",
        "test"));
    const std::vector<std::string> expected{"assets/strings", "a", "b"};
    EXPECT_EQ(config.string_files, expected);
}

TEST(ConfigTest, ShippedDemoConfigurationLoads) {
    tp_Config config;
    ASSERT_TRUE(config.Load(std::string(TARROW_SOURCE_DIR) + "/assets/config"));
    EXPECT_FALSE(config.start_module.empty());
    EXPECT_FALSE(config.save_folder.empty());
    EXPECT_EQ(config.string_files.front(), "assets/strings");
}

} // namespace
