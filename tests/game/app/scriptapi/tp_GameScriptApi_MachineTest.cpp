// Configuration and machine queries, the profile functions before profiles
// exist, the desktop functions on the window-less desktop, the mobile
// leftovers, and the promise every function keeps: no Lua error, whatever
// the arguments.
#include "GameScriptApiFixture.h"

#include "../AppTestSupport.h"
#include "engine/platform/headless/tr_Desktop_Headless.h"
#include "engine/resources/media/tr_SoundHub.h"
#include "game/core/tp_Messages.h"

#include <filesystem>

namespace {

const char* const kGameFunctions[] = {"SwitchRoom",
                                      "OpenSubRoom",
                                      "CloseSubRoom",
                                      "BlockSubRoomClose",
                                      "GetCurrentRoom",
                                      "SetAutoSave",
                                      "ShowBlur",
                                      "PauseLevel",
                                      "SwitchLevel",
                                      "Quit",
                                      "ApplyObj",
                                      "GetObjPosByObj",
                                      "GetGameCursorPos",
                                      "GetAppWidth",
                                      "SendMessage",
                                      "UpdateGameMode",
                                      "PlaySfx",
                                      "PlayEnv",
                                      "PlaySoundtrack",
                                      "PlayVoice",
                                      "SetSoundVolume",
                                      "GetSoundVolume",
                                      "GetPerformanceMode",
                                      "SetPerformanceMode",
                                      "GetGamma",
                                      "SetGamma",
                                      "SetFullScreen",
                                      "GetFullScreen",
                                      "SetWideScreen",
                                      "GetWideScreen",
                                      "SetSysCursor",
                                      "GetSysCursor",
                                      "SaveSettings",
                                      "GetUrl",
                                      "GetGuideUrl",
                                      "IsCollectorsEdition",
                                      "IsSurveyEdition",
                                      "IsCheater",
                                      "IsStreaming",
                                      "IsMac",
                                      "IsNoSoundDevice",
                                      "IsForceFullscreen",
                                      "GetProfileList",
                                      "GetCurrentProfile",
                                      "SetCurrentProfile",
                                      "AddProfile",
                                      "DeleteProfile",
                                      "LoadCurrentProfile",
                                      "SaveProfiles",
                                      "CopyFileToMyDocs",
                                      "SetWallpaper",
                                      "OpenBrowser",
                                      "SetScreensaver",
                                      "iOS_QuilloPressed",
                                      "iOS_TellFriendPressed",
                                      "iOS_MoreGamesPressed",
                                      "iOS_RateItPressed",
                                      "iOS_Terms",
                                      "iOS_Policy",
                                      "iOS_Support",
                                      "iOS_RateMe",
                                      "iOS_RegisterGameplay",
                                      "iOS_ManageAds",
                                      "iOS_LogEvents",
                                      "iOS_EnableMultiTouch",
                                      "iOS_InstallVantor",
                                      "iOS_IsQuilloPressed",
                                      "iOS_IsRated",
                                      "iOS_isIOS",
                                      "iOS_IsVantorInstalled"};

class MachineScriptTest : public GameScriptApiTest {
protected:
    void TearDown() override {
        tr_Desktop::Destroy();
        tr_SoundHub::Destroy();
        GameScriptApiTest::TearDown();
    }
};

} // namespace

TEST_F(MachineScriptTest, EditionFlagsAreNumbersAndFollowTheConfiguration) {
    config->edition_flags = tp_Config::EDITION_COLLECTORS | tp_Config::EDITION_STREAMING;
    EXPECT_EQ(Eval("IsCollectorsEdition() .. IsSurveyEdition() .. IsCheater() .. IsStreaming()"),
              "1001");
    tp_Config::Destroy();
    config = nullptr;
    EXPECT_EQ(Eval("GetUrl() .. IsCollectorsEdition()"), "0"); // no configuration: nothing set
}

TEST_F(MachineScriptTest, MachineQueriesAskTheSoundHubAndTheApplication) {
    EXPECT_EQ(Eval("IsNoSoundDevice()"), "1"); // no hub, no output
    tr_SoundHub::GetOrCreate();                // the null output has no device
    EXPECT_EQ(Eval("IsNoSoundDevice()"), "1");

    EXPECT_EQ(Eval("IsForceFullscreen()"), "0");
    Listener app({AppIsForceFullscreen},
                 [](int, tr_MediatorDataTable& data) { data.SetInt("result", 1); });
    EXPECT_EQ(Eval("IsForceFullscreen()"), "1");
}

TEST_F(MachineScriptTest, ProfileFunctionsAnswerAsWithNoProfiles) {
    EXPECT_EQ(Eval("GetCurrentProfile()"), "tp_noprofiles");
    EXPECT_EQ(Eval("AddProfile('Ann')"), "0");
    Run("SetCurrentProfile('Ann'); SaveProfiles(); DeleteProfile('Ann')");
    EXPECT_EQ(Eval("type(GetProfileList())"), "table");
    EXPECT_EQ(Eval("next(GetProfileList())"), "nil");
    EXPECT_EQ(Eval("LoadCurrentProfile()"), "0");
    EXPECT_EQ(Eval("GetCurrentProfile()"), "tp_noprofiles");
}

TEST_F(MachineScriptTest, DesktopFilesAreCopiedIntoTheDocumentsSaveFolder) {
    TempUserFolder folder;
    const std::string content = folder.Root() + "/content";
    const std::string documents = folder.Root() + "/docs";
    std::filesystem::create_directories(content + "/extras");
    TempUserFolder::Write(content + "/extras/wallpaper.png", "picture");
    tr_Desktop::Install(new tr_Desktop_Headless(documents));
    config->save_folder = "My Game CE";

    Run("CopyFileToMyDocs('" + content + "/extras/wallpaper.png')");
    const std::string copy = documents + "/My Game CE/wallpaper.png";
    EXPECT_EQ(TempUserFolder::Read(copy), "picture");

    // An older copy is replaced; a wallpaper is copied and noted in the log.
    TempUserFolder::Write(content + "/extras/wallpaper.png", "new picture");
    Run("SetWallpaper('" + content + "/extras/wallpaper.png')");
    EXPECT_EQ(TempUserFolder::Read(copy), "new picture");
    EXPECT_EQ(LoggedStartingWith("SetWallpaper: copied the picture to " + copy), 1);

    TempUserFolder::Write(content + "/extras/stars.scr", "saver");
    Run("SetScreensaver('" + content + "/extras/stars.scr')");
    EXPECT_EQ(TempUserFolder::Read(documents + "/My Game CE/stars.scr"), "saver");
    EXPECT_EQ(LoggedStartingWith("SetScreensaver: copied"), 1);

    // Nothing that names no file is copied, and nothing raises.
    Run("CopyFileToMyDocs('" + content + "/extras/..'); CopyFileToMyDocs('" + content +
        "/extras/'); CopyFileToMyDocs('no/such/file.png'); CopyFileToMyDocs()");
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(documents + "/My Game CE"))
        entries += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(entries, 2);
}

TEST_F(MachineScriptTest, OpenBrowserHandsTheAddressToTheDesktop) {
    Run("OpenBrowser('https://example.org')"); // no desktop: nothing happens
    auto* desktop = new tr_Desktop_Headless();
    tr_Desktop::Install(desktop);
    Run("OpenBrowser('https://example.org/a'); OpenBrowser(); OpenBrowser(nil)");
    ASSERT_EQ(desktop->GetOpenedUrls().size(), 1u);
    EXPECT_EQ(desktop->GetOpenedUrls()[0], "https://example.org/a");
}

TEST_F(MachineScriptTest, MobileLeftoversEchoTheirArgumentAsAnInteger) {
    EXPECT_EQ(Eval("iOS_IsRated(2.6) .. iOS_IsQuilloPressed('4') .. iOS_IsQuilloPressed()"), "340");
}

TEST_F(MachineScriptTest, EveryFunctionIsRegisteredAndNeverRaises) {
    Listener anything({LevelSwitchRoom, AppSwitchLevel});
    for (const char* name : kGameFunctions) {
        const std::string function = name;
        ASSERT_EQ(Eval("type(" + function + ")"), "function") << function;
        // Odd arguments of every kind: tables, functions, booleans, nil gaps.
        const std::string call = "return pcall(" + function + ", {}, print, true, nil, {1}, 0/0)";
        EXPECT_EQ(Eval("(function() " + call + " end)()"), "true") << function;
        EXPECT_EQ(Eval("select(1, pcall(" + function + "))"), "true") << function;
    }
    // Quit was called twice among them.
    EXPECT_EQ(engine->close_requests, 2);
}
