#include "ApplicationTestSupport.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/host/tr_EngineServices.h"
#include "engine/objects/tr_Cursor.h"
#include "engine/platform/headless/tr_Cursor_Headless.h"
#include "engine/resources/media/tr_SoundHub.h"
#include "game/app/tp_Application.h"
#include "game/app/tp_GameStartup.h"
#include "game/core/tp_Config.h"
#include "game/core/tp_Messages.h"
#include "game/core/tp_Settings.h"
#include "game/level/tp_Level.h"

#include <memory>

namespace {

const char* const kUserFolder = "data/Brightfold/Startup Test/";

class GameStartupTest : public ::testing::Test {
protected:
    GameStartupTest() {
        ScratchFolder::UseDesktop(1920, 1080);
        std::filesystem::copy(std::string(TARROW_SOURCE_DIR) + "/assets/cursors", "assets/cursors");
        folder.Write("assets/config.xml", R"(<config>
            <start_point module="assets/level" trigger="trg_start"/>
            <default_settings fullscreen="2" widescreen="1" env_volume="0.5"/>
            <save_settings folder="Startup Test"/>
        </config>)");
        folder.Write("assets/strings.xml", R"(<?xml version="1.0"?>
            <Workbook xmlns="urn:schemas-microsoft-com:office:spreadsheet"
             xmlns:ss="urn:schemas-microsoft-com:office:spreadsheet"><Worksheet><Table>
              <Row><Cell><Data ss:Type="String">window_title</Data></Cell>
                   <Cell><Data ss:Type="String">Startup Test Game</Data></Cell></Row>
            </Table></Worksheet></Workbook>)");
        folder.WriteLevel("assets/level", "hall",
                          R"(<trig name="trg_start"><code>started = 1</code></trig>
                             <trig name="tp_close"><code>SetSoundVolume("sfx", 0.25)</code></trig>)");
    }

    // Pre-initialisation and initialisation on a recording headless engine.
    bool Start() {
        game.PreInitialise();
        return game.Initialise([this] {
            auto made = std::make_unique<RecordingEngine>();
            made->SetServices(
                tr_MakeEngineServices([] { return std::make_unique<tr_Cursor_Headless>(); }));
            made->fail_windowed_init = fail_windowed_init;
            made->after_init = [this] {
                tp_Application* application = tp_Application::Get();
                objects_after_init =
                    application && application->GetLevel() &&
                    application->GetParent() == tr_EngineCore::Get()->GetScene().GetDisplayRoot();
            };
            engine = made.get();
            return made;
        });
    }

    ScratchFolder folder;
    tp_GameStartup game;
    RecordingEngine* engine = nullptr;
    bool fail_windowed_init = false;
    bool objects_after_init = false;
};

TEST_F(GameStartupTest, InitReturnsWithTheApplicationAndStartLevelInPlace) {
    ASSERT_TRUE(Start());
    EXPECT_TRUE(objects_after_init);
    ASSERT_EQ(engine->init_calls.size(), 1u);
    // "2" is not a true default: the game opens in a wide window.
    EXPECT_FALSE(tp_Config::Get()->default_fullscreen);
    EXPECT_FALSE(engine->init_calls[0].fullscreen);
    EXPECT_EQ(engine->init_calls[0].width, 1366);
    EXPECT_EQ(engine->init_calls[0].title, "Startup Test Game");

    tp_Application* application = tp_Application::Get();
    ASSERT_NE(application, nullptr);
    EXPECT_TRUE(application->IsWidescreen());
    EXPECT_FALSE(application->IsForcedFullscreen());
    EXPECT_EQ(application->GetLevel()->GetParent(), application);

    // The missing settings file was written with the defaults at once.
    ASSERT_TRUE(folder.Exists(std::string(kUserFolder) + "settings.xml"));
    EXPECT_NE(folder.Read(std::string(kUserFolder) + "settings.xml").find("fullscreen=\"0\""),
              std::string::npos);

    ASSERT_NE(tr_SoundHub::Get(), nullptr);
    EXPECT_FLOAT_EQ(tr_SoundHub::Get()->GetCategoryVolume("env"), 0.5f);

    tr_Cursor* cursor = tr_Cursor::Get();
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(cursor->GetShapeCount(), 11);
    EXPECT_EQ(cursor->GetCurrent(), 1);
    EXPECT_FALSE(cursor->GetShape(0)->object);
    EXPECT_TRUE(cursor->GetShape(2)->animated) << "the loupe is an animation";
    EXPECT_FALSE(cursor->GetShape(3)->animated);
    EXPECT_TRUE(cursor->GetShape(10)->object);

    // The hooks drive the game: the level's start trigger runs in the frames.
    engine->SetFrameLimit(5);
    game.Run();
    double started = 0.0;
    EXPECT_TRUE(tr_EngineCore::Get()->GetScript().GetGlobalNumber("started", started));
    EXPECT_EQ(started, 1.0);
}

TEST_F(GameStartupTest, SettingsFileValueTwoMeansFullScreen) {
    folder.Write(std::string(kUserFolder) + "settings.xml",
                 R"(<settings fullscreen="2" widescreen="1" syscursor="1" gamma="0.8"/>)");
    ASSERT_TRUE(Start());
    ASSERT_EQ(engine->init_calls.size(), 1u);
    EXPECT_TRUE(engine->init_calls[0].fullscreen);
    EXPECT_EQ(engine->init_calls[0].width, 1920);
    EXPECT_EQ(engine->init_calls[0].height, 1080);
    EXPECT_TRUE(tp_Settings::Get()->fullscreen);
    EXPECT_FALSE(tp_Application::Get()->IsForcedFullscreen());
    EXPECT_FLOAT_EQ(engine->GetGamma(), 0.8f);
    EXPECT_TRUE(tr_Cursor::Get()->IsSystemMode());
}

TEST_F(GameStartupTest, FailedWindowIsRetriedInFullScreen) {
    fail_windowed_init = true;
    ASSERT_TRUE(Start());
    ASSERT_EQ(engine->init_calls.size(), 2u);
    EXPECT_FALSE(engine->init_calls[0].fullscreen);
    EXPECT_TRUE(engine->init_calls[1].fullscreen);
    EXPECT_EQ(engine->init_calls[1].width, 1920);
    EXPECT_EQ(engine->init_calls[1].title, engine->init_calls[0].title);
    EXPECT_TRUE(objects_after_init);
    EXPECT_TRUE(tp_Settings::Get()->fullscreen);
    tr_MediatorDataTable forced;
    tr_Mediator::Get()->Send(AppIsForceFullscreen, forced);
    ASSERT_NE(forced.Find("result"), nullptr);
    EXPECT_EQ(forced.Find("result")->GetInt(), 1);
}

TEST_F(GameStartupTest, WindowHooksReachTheApplication) {
    ASSERT_TRUE(Start());
    MessageRecorder pause({Command_Pause_Show, Command_Pause_Hide});
    engine->LoseFocus();
    EXPECT_TRUE(tp_Application::Get()->IsSuspended());
    engine->RegainFocus();
    EXPECT_EQ(pause.heard, (std::vector<int>{Command_Pause_Show, Command_Pause_Hide}));

    engine->mode_calls.clear();
    engine->PressAltEnter();
    ASSERT_EQ(engine->mode_calls.size(), 1u);
    EXPECT_EQ(engine->mode_calls[0], std::make_pair(1920, 1080));
    EXPECT_TRUE(engine->IsFullscreen());
    EXPECT_TRUE(tp_Settings::Get()->fullscreen);
    EXPECT_FLOAT_EQ(tp_Application::Get()->GetScaleY(), 1080.0f / 768.0f);
}

TEST_F(GameStartupTest, ShutdownRunsCloseTriggerBeforeSavingSettings) {
    ASSERT_TRUE(Start());
    game.Shutdown();
    EXPECT_EQ(tp_Application::Get(), nullptr);
    EXPECT_EQ(tp_Settings::Get(), nullptr);
    EXPECT_EQ(tp_Config::Get(), nullptr);
    EXPECT_EQ(tr_Mediator::Get(), nullptr);
    // tp_close changed a volume; the settings saved after it keep the change.
    EXPECT_NE(folder.Read(std::string(kUserFolder) + "settings.xml").find("sfx_volume=\"0.25\""),
              std::string::npos);
}

TEST_F(GameStartupTest, MissingConfigurationRunsAnEmptyLevel) {
    std::filesystem::remove("assets/config.xml");
    ASSERT_TRUE(Start());
    EXPECT_TRUE(tp_Config::Get()->start_module.empty());
    ASSERT_NE(tp_Application::Get(), nullptr);
    EXPECT_NE(tp_Application::Get()->GetLevel(), nullptr);
}

} // namespace
