#include "ApplicationTestSupport.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_MediatorDataArray.h"
#include "engine/script/tr_Trigger.h"
#include "game/app/tp_Application.h"
#include "game/app/tp_DisplayMode.h"
#include "game/app/tp_DisplayModeSelection.h"
#include "game/app/tp_ProfileManager.h"
#include "game/core/tp_Config.h"
#include "game/core/tp_Messages.h"
#include "game/core/tp_Settings.h"
#include "game/level/tp_Level.h"
#include "game/level/tp_LevelObjectTypes.h"

#include <memory>

namespace {

// Counts the recursive refreshes that reach it through the tree.
class RefreshProbe : public tr_Object {
public:
    RefreshProbe() : tr_Object("refresh_probe") {}
    void Refresh(bool recursive) override {
        recursive_refreshes += recursive ? 1 : 0;
        tr_Object::Refresh(recursive);
    }
    int recursive_refreshes = 0;
};

class ApplicationTest : public ::testing::Test {
protected:
    ApplicationTest() {
        engine.SetCompanyName("Brightfold");
        engine.SetGameName("Application Test");
        settings = tp_Settings::Create(*tp_Config::Create());
        ScratchFolder::UseDesktop(1920, 1080);
        tp_RegisterLevelObjectTypes();
        app = new tp_Application();
        tr_Object::Attach(Scene().GetDisplayRoot(), app);
        Triggers().AddTrigger(std::make_unique<tr_Trigger>(
            "tp_togglefullscreen", "toggled = tr_params.param_0 .. ',' .. tr_params.param_1"));
    }
    ~ApplicationTest() override {
        tr_EngineCore::Destroy();
        tp_Settings::Destroy();
        tp_Config::Destroy();
    }

    static tr_Scene& Scene() { return tr_EngineCore::Get()->GetScene(); }
    static tr_TriggerRegistry& Triggers() { return tr_EngineCore::Get()->GetTriggers(); }

    // Puts the window, the application and the settings in mode, as the
    // start-up leaves them.
    void UseMode(const tp_DisplayMode& mode) {
        tp_DisplayMode::SetCurrent(mode);
        engine.SetDisplayMode(mode.width, mode.height, mode.fullscreen);
        engine.mode_calls.clear();
        app->ApplyDisplayMode(mode);
        settings->fullscreen = mode.fullscreen;
        settings->widescreen = mode.widescreen;
    }

    std::string Toggled() const {
        std::string value;
        tr_EngineCore::Get()->GetScript().GetGlobalString("toggled", value);
        return value;
    }

    float AskWidth() {
        tr_MediatorDataTable data;
        mediator.Send(AppGetWidth, data);
        const tr_MediatorData* width = data.Find("width");
        return width ? width->GetFloat() : -1.0f;
    }

    void Frames(int count) {
        for (int i = 0; i < count; ++i) {
            tr_FrameInfo frame;
            frame.dt = 0.1f;
            tr_EngineCore::Get()->Update(&frame);
        }
    }

    void SendSwitch(const std::string& module, const std::string& trigger) {
        tr_MediatorDataTable data;
        data.SetString("module", module);
        data.SetString("start_triger", trigger);
        mediator.Send(AppSwitchLevel, data);
    }

    ScratchFolder folder;
    tr_Mediator mediator;
    RecordingEngine engine;
    tp_Settings* settings = nullptr;
    tp_Application* app = nullptr;
};

TEST_F(ApplicationTest, WideFullScreenLayoutMapsDesignSpaceIntoTheWindow) {
    const tp_DisplayMode mode = tp_DisplayModeSelection::Select(true, true);
    ASSERT_EQ(mode.width, 1920);
    UseMode(mode);

    EXPECT_TRUE(app->IsWidescreen());
    ASSERT_TRUE(app->IsCropRectDefined());
    EXPECT_FLOAT_EQ(app->GetCropRect().x, -171.0f);
    EXPECT_FLOAT_EQ(app->GetCropRect().w, 1366.0f);
    EXPECT_FLOAT_EQ(app->GetCropRect().h, 768.0f);

    tr_MediatorDataTable data;
    mediator.Send(AppGetMatrix, data);
    tr_MediatorData* reply = data.Find("matrix");
    ASSERT_NE(reply, nullptr);
    tr_MediatorDataArray* numbers = reply->AsArray();
    ASSERT_NE(numbers, nullptr);
    ASSERT_EQ(numbers->Count(), 16);
    tr_Matrix matrix;
    for (int i = 0; i < 16; ++i)
        matrix.m[i] = numbers->Get(i)->GetFloat();
    // The design area's corners land on the centred 1440x1080 picture.
    float x = 0.0f, y = 0.0f;
    matrix.TransformPoint(x, y);
    EXPECT_FLOAT_EQ(x, 240.0f);
    EXPECT_FLOAT_EQ(y, 0.0f);
    x = 1024.0f;
    y = 768.0f;
    matrix.TransformPoint(x, y);
    EXPECT_FLOAT_EQ(x, 1680.0f);
    EXPECT_FLOAT_EQ(y, 1080.0f);

    UseMode(tp_DisplayModeSelection::Select(false, false));
    EXPECT_FALSE(app->IsWidescreen());
    EXPECT_FLOAT_EQ(app->GetCropRect().x, 0.0f);
    EXPECT_FLOAT_EQ(app->GetCropRect().w, 1024.0f);
}

TEST_F(ApplicationTest, WidthMessageAnswersTheUsableLayoutWidth) {
    UseMode(tp_DisplayModeSelection::Select(false, true));
    EXPECT_FLOAT_EQ(AskWidth(), 1366.0f);
    UseMode(tp_DisplayModeSelection::Select(false, false));
    EXPECT_FLOAT_EQ(AskWidth(), 1024.0f);

    // On a 16:10 desktop the short 1068x600 window holds the whole wide
    // layout, but full screen, scaled to the height, is narrower than it.
    ScratchFolder::UseDesktop(1280, 800);
    const tp_DisplayMode short_mode = tp_DisplayModeSelection::Select(false, true);
    ASSERT_EQ(short_mode.width, 1068);
    ASSERT_TRUE(short_mode.widescreen);
    UseMode(short_mode);
    EXPECT_FLOAT_EQ(AskWidth(), 1366.0f);
    const tp_DisplayMode full_mode = tp_DisplayModeSelection::Select(true, true);
    ASSERT_EQ(full_mode.width, 1280);
    ASSERT_TRUE(full_mode.widescreen);
    UseMode(full_mode);
    const float width = AskWidth();
    EXPECT_LT(width, 1366.0f);
    EXPECT_NEAR(width, 1280.0f / full_mode.scale_x, 0.01f);
}

TEST_F(ApplicationTest, SuspendAndResumeShowAndHideThePauseOnlyOnChange) {
    MessageRecorder pause({Command_Pause_Show, Command_Pause_Hide});
    app->SetSuspended(true);
    app->SetSuspended(true);
    EXPECT_TRUE(app->IsSuspended());
    EXPECT_FALSE(app->IsActive());
    EXPECT_FALSE(app->IsInputEnabled());
    app->SetSuspended(false);
    app->SetSuspended(false);
    EXPECT_EQ(pause.heard, (std::vector<int>{Command_Pause_Show, Command_Pause_Hide}));
    EXPECT_TRUE(app->IsActive());
    EXPECT_TRUE(app->IsInputEnabled());
}

TEST_F(ApplicationTest, LevelSwitchReplacesAPendingOneAndWaitsForTheFadeOut) {
    folder.WriteLevel("level_a", "room_a");
    folder.WriteLevel("level_b", "room_b");
    folder.WriteLevel("level_c", "room_c",
                      "<trig name=\"trg_c\"><code>started = 'c'</code></trig>");
    app->CreateLevel("level_a", "");
    ASSERT_NE(app->GetLevel(), nullptr);
    ASSERT_NE(Scene().FindObject("room_a"), nullptr);
    tr_ObjectRef old_level(app->GetLevel());

    SendSwitch("level_b", "trg_b");
    EXPECT_EQ(app->GetLevel()->GetState(), tp_Level::STATE_FADING_OUT);
    SendSwitch("level_c", "trg_c");
    EXPECT_EQ(app->GetPendingModule(), "level_c");
    EXPECT_TRUE(old_level) << "the old level must fade out first";

    for (int i = 0; i < 50 && old_level; ++i)
        Frames(1);
    ASSERT_FALSE(old_level) << "the old level was never replaced";
    ASSERT_NE(app->GetLevel(), nullptr);
    EXPECT_EQ(app->GetLevel()->GetParent(), app);
    EXPECT_FALSE(app->HasPendingSwitch());
    Frames(2);
    std::string started;
    EXPECT_TRUE(tr_EngineCore::Get()->GetScript().GetGlobalString("started", started));
    EXPECT_EQ(started, "c") << "the replacing request's start trigger did not run";
    EXPECT_NE(Scene().FindObject("room_c"), nullptr);
    EXPECT_EQ(Scene().FindObject("room_b"), nullptr);
    EXPECT_EQ(Scene().FindObject("room_a"), nullptr);
}

TEST_F(ApplicationTest, LevelSwitchWithoutALevelStartsAtTheNextUpdate) {
    folder.WriteLevel("level_b", "room_b");
    SendSwitch("level_b", "");
    EXPECT_EQ(app->GetLevel(), nullptr);
    Frames(1);
    ASSERT_NE(app->GetLevel(), nullptr);
    EXPECT_NE(Scene().FindObject("room_b"), nullptr);
}

TEST_F(ApplicationTest, ToggleToSameSizeWithOtherLayoutRefreshesWithoutResetting) {
    UseMode(tp_DisplayModeSelection::Select(true, false));
    settings->widescreen = true;
    auto* probe = new RefreshProbe();
    tr_Object::Attach(app, probe);

    EXPECT_TRUE(app->ToggleFullscreen(true));
    EXPECT_TRUE(engine.mode_calls.empty());
    EXPECT_EQ(Toggled(), "0,1");
    EXPECT_EQ(probe->recursive_refreshes, 1) << "the tree was not refreshed for the new layout";
    EXPECT_TRUE(app->IsWidescreen());
    EXPECT_TRUE(tp_DisplayMode::GetCurrent().widescreen);
    // The wide layout's placement on the same 1920x1080 screen.
    EXPECT_FLOAT_EQ(app->GetScaleX(), 1.40625f);
    EXPECT_FLOAT_EQ(app->GetPosX(), 240.0f);
    EXPECT_FLOAT_EQ(app->GetCropRect().x, -171.0f);
    EXPECT_TRUE(settings->fullscreen);
    EXPECT_TRUE(settings->widescreen);

    // The same request again changes nothing and refreshes nothing.
    EXPECT_FALSE(app->ToggleFullscreen(true));
    EXPECT_EQ(Toggled(), "0,0");
    EXPECT_EQ(probe->recursive_refreshes, 1);
}

TEST_F(ApplicationTest, ToggleToFullScreenChangesTheWindowAndTheLayout) {
    UseMode(tp_DisplayModeSelection::Select(false, true));

    EXPECT_TRUE(app->ToggleFullscreen(true));
    ASSERT_EQ(engine.mode_calls.size(), 1u);
    EXPECT_EQ(engine.mode_calls[0], std::make_pair(1920, 1080));
    EXPECT_EQ(Toggled(), "1,0");
    EXPECT_FLOAT_EQ(app->GetScaleX(), 1.40625f);
    EXPECT_FLOAT_EQ(app->GetPosX(), 240.0f);
    EXPECT_TRUE(settings->fullscreen);
    EXPECT_FLOAT_EQ(AskWidth(), 1366.0f);

    // Asking for what is already there changes nothing.
    engine.mode_calls.clear();
    EXPECT_FALSE(app->ToggleFullscreen(true));
    EXPECT_TRUE(engine.mode_calls.empty());
    EXPECT_EQ(Toggled(), "0,0");
}

TEST_F(ApplicationTest, RefusedModeKeepsTheOldModeAndSettings) {
    const tp_DisplayMode window = tp_DisplayModeSelection::Select(false, true);
    UseMode(window);
    engine.refuse_modes = true;

    EXPECT_FALSE(app->ToggleFullscreen(true));
    EXPECT_EQ(engine.mode_calls.size(), 1u);
    EXPECT_EQ(Toggled(), "0,0");
    EXPECT_FALSE(tp_DisplayMode::GetCurrent().fullscreen);
    EXPECT_EQ(tp_DisplayMode::GetCurrent().width, window.width);
    EXPECT_FLOAT_EQ(app->GetScaleX(), window.scale_x);
    EXPECT_FALSE(settings->fullscreen);
}

} // namespace

namespace {

TEST_F(ApplicationTest, TheLevelSavesIntoTheProfilesBeforeTheyGoWithTheApplication) {
    folder.WriteLevel("level_p", "room_p",
                      "<trig name=\"trg_p\"><code>AddProfile('Ann') SetCurrentProfile('Ann') "
                      "tp_global.room = 'hall' SwitchRoom('room_p')</code></trig>");
    app->CreateLevel("level_p", "trg_p");
    for (int i = 0; i < 50 && app->GetLevel()->IsLoading(); ++i)
        Frames(1);
    ASSERT_FALSE(app->GetLevel()->IsLoading());
    ASSERT_EQ(tp_ProfileManager::Get()->CurrentName(), "Ann");
    EXPECT_EQ(&tp_ProfileSeam::Get(), tp_ProfileManager::Get());
    delete app;
    EXPECT_EQ(tp_ProfileManager::Get(), nullptr);
    EXPECT_NE(
        folder.Read("data/Brightfold/Application Test/p_000000.xml").find("<s_room v=\"hall\"/>"),
        std::string::npos);
    EXPECT_NE(folder.Read("data/Brightfold/Application Test/profile_list.xml")
                  .find("<profiles current=\"0\">"),
              std::string::npos);
}

} // namespace
