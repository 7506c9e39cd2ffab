#include "LevelFixture.h"

#include "engine/objects/tr_Sprite.h"
#include "engine/render/tr_Texture.h"
#include "engine/script/tr_ScriptState.h"
#include "game/interface/tp_Interface.h"

namespace {

using LevelTest = LevelFixture;

TEST_F(LevelTest, BuildsItsLayersAndParksTheModuleRoomsInTheHub) {
    tr_Object* stranger = new tr_Object("stranger");
    tr_Object::Attach(Scene().GetStorageRoot(), stranger);
    MakeLevel();
    EXPECT_EQ(stranger->GetParent(), Scene().GetStorageRoot()); // not the module's
    EXPECT_EQ(level->GetName(), "tp_level");
    EXPECT_EQ(level->GetState(), tp_Level::STATE_LOADING);
    EXPECT_FALSE(level->IsInputEnabled());

    tr_Object* internal = level->GetLevelInternal();
    tp_Interface* hub = level->GetInterface();
    ASSERT_TRUE(internal && hub);
    EXPECT_EQ(internal->GetName(), "tp_level_internal");
    EXPECT_EQ(internal->GetParent(), level);
    EXPECT_EQ(hub->GetParent(), level);
    EXPECT_FLOAT_EQ(internal->GetPosZ(), 0.0f);
    EXPECT_FLOAT_EQ(hub->GetPosZ(), 1.0f);

    tr_Object* rooms = level->GetRoomsHub();
    ASSERT_TRUE(rooms);
    EXPECT_EQ(rooms->GetName(), "tp_rooms_hub");
    EXPECT_EQ(rooms->GetParent(), Scene().GetStorageRoot());
    for (const char* name : {"hall", "attic", "cellar", "desk", "box"}) {
        tr_Object* room = Scene().FindObject(name);
        ASSERT_TRUE(room) << name;
        EXPECT_EQ(room->GetParent(), rooms) << name;
    }
    EXPECT_TRUE(dynamic_cast<tp_SubRoom*>(Scene().FindObject("desk")));

    tr_Sprite* blur = level->GetBlur();
    ASSERT_TRUE(blur);
    EXPECT_EQ(blur->GetParent(), internal);
    EXPECT_FALSE(blur->IsVisible() || blur->IsActive() || blur->IsInputEnabled());

    // The level (and with it its hub) listens until it dies.
    const std::vector<int> ids{10, 11, 12, 13, 14, 15, 16, 18};
    for (int id : ids)
        EXPECT_GE(mediator.CountListeners(id), 1) << id;
    delete level;
    level = nullptr;
    for (int id : ids)
        EXPECT_EQ(mediator.CountListeners(id), 0) << id;
}

TEST_F(LevelTest, EveryLevelStartsWithFreshScriptTablesAndTheCursorNumbers) {
    tr_ScriptState& script = tr_EngineCore::Get()->GetScript();
    MakeLevel();
    ASSERT_TRUE(script.RunChunk("tp_global.progress = 3 tp_var.seen = 1", "test"));
    double cursor = 0;
    ASSERT_TRUE(script.GetGlobalNumber("CURSOR_FINGER", cursor));
    EXPECT_EQ(cursor, 10);
    ASSERT_TRUE(script.GetGlobalNumber("CURSOR_LOUPE", cursor));
    EXPECT_EQ(cursor, 2);

    delete level;
    level = nullptr;
    MakeLevel();
    ASSERT_TRUE(script.RunChunk("kept = (tp_global.progress == nil and tp_var.seen == nil "
                                "and type(tp_global) == 'table') and 1 or 0",
                                "test"));
    double kept = 0;
    ASSERT_TRUE(script.GetGlobalNumber("kept", kept));
    EXPECT_EQ(kept, 1);
}

TEST_F(LevelTest, SwitchFromTheStartTriggerEntersTheRoomOnTheThirdUpdateThenFadesTheLoadingScreen) {
    WithLoadingScreen();
    MakeLevel("trg_start");
    tr_Object* loading = level->GetLoadingScreen();
    ASSERT_TRUE(loading);
    EXPECT_EQ(loading->GetParent(), level);
    EXPECT_FLOAT_EQ(loading->GetPosZ(), 10.0f);
    EXPECT_FLOAT_EQ(loading->GetAlpha(), 1.0f);
    EXPECT_TRUE(loading->IsVisible());
    EXPECT_FALSE(loading->IsActive() || loading->IsInputEnabled());

    Frame(); // first update: the start trigger is called, once
    EXPECT_EQ(QueuedBy("tp_level"),
              (std::vector<std::string>{"trg_int_loading_init", "trg_start"}));
    EXPECT_TRUE(level->GetStartTrigger().empty());

    // What the start trigger's SwitchRoom sends while the level loads.
    SendSwitch("hall", true);
    EXPECT_EQ(level->GetPendingRoom(), "hall");
    EXPECT_EQ(level->GetCurrentRoom(), nullptr);
    Frame(); // second update
    EXPECT_EQ(level->GetCurrentRoom(), nullptr);
    Frame(); // third update: entered, without animation
    tp_Room* hall = Room("hall");
    ASSERT_EQ(level->GetCurrentRoom(), hall);
    EXPECT_EQ(hall->GetRoomState(), tp_Room::STATE_OPEN);
    EXPECT_EQ(hall->GetParent(), level->GetLevelInternal());
    EXPECT_FLOAT_EQ(hall->GetPosZ(), 1.0f);
    EXPECT_EQ(level->GetState(), tp_Level::STATE_LOADING);
    EXPECT_TRUE(level->GetPendingRoom().empty());

    Frame(); // fourth: the loading screen starts to fade
    EXPECT_EQ(level->GetState(), tp_Level::STATE_LOADING_FADE);
    EXPECT_FLOAT_EQ(loading->GetAlpha(), 1.0f);
    for (float expected : {0.75f, 0.5f, 0.25f}) {
        Frame(0.1f);
        EXPECT_EQ(level->GetState(), tp_Level::STATE_LOADING_FADE);
        EXPECT_NEAR(loading->GetAlpha(), expected, 1e-5f);
    }
    Frame(0.1f); // 0.4 s after the fade began
    EXPECT_EQ(level->GetState(), tp_Level::STATE_PLAYING);
    EXPECT_TRUE(level->IsInputEnabled());
    EXPECT_EQ(loading->GetParent(), level->GetRoomsHub());
    EXPECT_FALSE(loading->IsVisible());
}

TEST_F(LevelTest, SwitchWhileTheLoadingScreenFadesIsEnteredUnderItAndNotLost) {
    WithLoadingScreen();
    MakeLevel();
    SendSwitch("hall", false);
    ASSERT_TRUE(RunUntilState(tp_Level::STATE_LOADING_FADE));
    Frame(0.1f);
    const float alpha = level->GetLoadingScreen()->GetAlpha();
    ASSERT_LT(alpha, 1.0f);

    SendSwitch("attic", true); // still loading: kept for later
    EXPECT_EQ(level->GetPendingRoom(), "attic");
    EXPECT_EQ(level->GetCurrentRoom(), Room("hall"));
    Frame(0.1f); // entered at once, without animation, while the fade goes on
    EXPECT_EQ(level->GetCurrentRoom(), Room("attic"));
    EXPECT_EQ(Room("attic")->GetRoomState(), tp_Room::STATE_OPEN);
    EXPECT_EQ(Room("hall")->GetParent(), level->GetRoomsHub());
    EXPECT_TRUE(level->GetPendingRoom().empty());
    EXPECT_EQ(level->GetState(), tp_Level::STATE_LOADING_FADE);
    EXPECT_NEAR(level->GetLoadingScreen()->GetAlpha(), alpha - 0.25f, 1e-5f);
    ASSERT_TRUE(RunUntilState(tp_Level::STATE_PLAYING));
    EXPECT_EQ(level->GetCurrentRoom(), Room("attic"));
}

TEST_F(LevelTest, AnimatedSwitchClosesTheOldRoomAndWaitsForBoth) {
    StartPlayingIn("hall");
    tp_Room* hall = Room("hall");
    tp_Room* attic = Room("attic");
    SendSwitch("attic", true);
    EXPECT_EQ(level->GetState(), tp_Level::STATE_ROOM_SWITCH);
    EXPECT_FALSE(level->IsInputEnabled());
    EXPECT_EQ(level->GetOldRoom(), hall);
    EXPECT_EQ(hall->GetRoomState(), tp_Room::STATE_CLOSING);
    EXPECT_FLOAT_EQ(hall->GetPosZ(), 0.0f);
    EXPECT_EQ(attic->GetRoomState(), tp_Room::STATE_OPENING);

    ASSERT_TRUE(RunUntilState(tp_Level::STATE_PLAYING));
    EXPECT_EQ(hall->GetParent(), level->GetRoomsHub());
    EXPECT_EQ(hall->GetRoomState(), tp_Room::STATE_CLOSED);
    EXPECT_EQ(level->GetOldRoom(), nullptr);
    EXPECT_EQ(attic->GetRoomState(), tp_Room::STATE_OPEN);
    EXPECT_TRUE(level->IsInputEnabled());
}

TEST_F(LevelTest, SecondAnimatedSwitchSendsTheStillClosingRoomStraightBack) {
    StartPlayingIn("hall");
    SendSwitch("attic", true);
    Frame();
    tp_Room* hall = Room("hall");
    ASSERT_EQ(hall->GetRoomState(), tp_Room::STATE_CLOSING);

    SendSwitch("cellar", true);
    EXPECT_EQ(hall->GetParent(), level->GetRoomsHub());
    EXPECT_EQ(level->GetOldRoom(), Room("attic"));
    EXPECT_EQ(level->GetCurrentRoom(), Room("cellar"));
    ASSERT_TRUE(RunUntilState(tp_Level::STATE_PLAYING));
    EXPECT_EQ(Room("attic")->GetParent(), level->GetRoomsHub());
    EXPECT_EQ(Room("cellar")->GetRoomState(), tp_Room::STATE_OPEN);
}

TEST_F(LevelTest, UnknownRoomLeavesTheCurrentOneButAutosaveStillSaves) {
    CountingProfile profile;
    StartPlayingIn("hall");
    const int saves_after_start = profile.saves;
    EXPECT_EQ(saves_after_start, 0); // autosave is off by default

    SendFlag(LevelSetAutoSave, "autosave", 1);
    EXPECT_TRUE(level->IsAutoSave());
    SendSwitch("nowhere", false);
    EXPECT_EQ(profile.saves, 1);
    EXPECT_EQ(level->GetCurrentRoom(), Room("hall"));
    SendSwitch("attic", false);
    EXPECT_EQ(profile.saves, 2);
    EXPECT_EQ(level->GetCurrentRoom(), Room("attic"));
    EXPECT_EQ(Room("hall")->GetParent(), level->GetRoomsHub());

    SendFlag(LevelSetAutoSave, "autosave", 0);
    SendSwitch("hall", false);
    EXPECT_EQ(profile.saves, 2);
}

TEST_F(LevelTest, DestroyingALevelSavesOnlyOnceItHasFinishedLoading) {
    CountingProfile profile;
    MakeLevel();
    delete level;
    level = nullptr;
    EXPECT_EQ(profile.saves, 0);

    StartPlayingIn("hall");
    delete level;
    level = nullptr;
    EXPECT_EQ(profile.saves, 1);
}

TEST_F(LevelTest, SubRoomOpensOverTheRoomWithTheBlurAndClosesBack) {
    StartPlayingIn("hall");
    tp_Room* hall = Room("hall");
    auto* desk = dynamic_cast<tp_SubRoom*>(Room("desk"));
    ASSERT_TRUE(desk);

    SendSubRoom("desk", true, false);
    EXPECT_EQ(level->GetState(), tp_Level::STATE_SUBROOM_OPENING);
    EXPECT_EQ(level->GetCurrentSubRoom(), desk);
    EXPECT_EQ(desk->GetParent(), level->GetLevelInternal());
    EXPECT_FLOAT_EQ(desk->GetPosZ(), 4.0f);
    EXPECT_FALSE(hall->IsInputEnabled() || hall->IsActive());
    EXPECT_TRUE(level->IsBlurShown());
    EXPECT_EQ(desk->GetEndX(), 300); // the module's coordinates

    Frame(); // the blur picture is rebuilt from the room at the layout width
    tr_Sprite* blur = level->GetBlur();
    EXPECT_TRUE(blur->IsVisible());
    ASSERT_TRUE(blur->GetTexture());
    EXPECT_FLOAT_EQ(blur->GetTexture()->GetWidth(), 684.0f); // 1366 / 2, made even
    EXPECT_FLOAT_EQ(blur->GetTexture()->GetHeight(), 384.0f);

    ASSERT_TRUE(RunUntilState(tp_Level::STATE_SUBROOM_OPEN));
    EXPECT_FLOAT_EQ(level->GetBlurTime(), 0.6f);
    EXPECT_FLOAT_EQ(blur->GetAlpha(), 1.0f);
    EXPECT_TRUE(level->IsInputEnabled());

    SendSubRoom("", true, true);
    EXPECT_EQ(level->GetState(), tp_Level::STATE_SUBROOM_CLOSING);
    EXPECT_FALSE(level->IsBlurShown());
    ASSERT_TRUE(RunUntilState(tp_Level::STATE_PLAYING));
    EXPECT_EQ(level->GetCurrentSubRoom(), nullptr);
    EXPECT_EQ(desk->GetParent(), level->GetRoomsHub());
    EXPECT_TRUE(hall->IsInputEnabled() && hall->IsActive());
    EXPECT_FALSE(blur->IsVisible());
    EXPECT_FLOAT_EQ(level->GetBlurTime(), 0.0f);
}

TEST_F(LevelTest, SecondSubRoomReplacesTheFirstWithoutClosingIt) {
    StartPlayingIn("hall");
    SendSubRoom("desk", false, false);
    EXPECT_EQ(level->GetState(), tp_Level::STATE_SUBROOM_OPEN);
    tp_Room* desk = Room("desk");
    EXPECT_EQ(desk->GetRoomState(), tp_Room::STATE_OPEN);

    SendSubRoom("box", false, false);
    EXPECT_EQ(level->GetCurrentSubRoom(), Room("box"));
    EXPECT_EQ(desk->GetParent(), level->GetRoomsHub());
    EXPECT_EQ(desk->GetRoomState(), tp_Room::STATE_OPEN); // no closing animation ran
}

TEST_F(LevelTest, CloseRequestsOutsideTheOpenStateOrWhileBlockedAreDropped) {
    StartPlayingIn("hall");
    SendSubRoom("", false, true); // nothing open
    EXPECT_EQ(level->GetState(), tp_Level::STATE_PLAYING);

    SendSubRoom("desk", true, false);
    SendSubRoom("", false, true); // still opening
    EXPECT_EQ(level->GetState(), tp_Level::STATE_SUBROOM_OPENING);
    EXPECT_EQ(level->GetCurrentSubRoom(), Room("desk"));
    EXPECT_EQ(Room("desk")->GetRoomState(), tp_Room::STATE_OPENING);

    ASSERT_TRUE(RunUntilState(tp_Level::STATE_SUBROOM_OPEN));
    SendFlag(LevelBlockSubRoomClose, "block", 1);
    SendSubRoom("", false, true);
    EXPECT_EQ(level->GetState(), tp_Level::STATE_SUBROOM_OPEN);
    SendFlag(LevelBlockSubRoomClose, "block", 0);
    SendSubRoom("", false, true);
    EXPECT_EQ(level->GetState(), tp_Level::STATE_PLAYING);
    EXPECT_EQ(level->GetCurrentSubRoom(), nullptr);
}

TEST_F(LevelTest, QueriesAnswerLoadingAndTheRoomOnShow) {
    MakeLevel();
    tr_MediatorDataTable loading;
    Send(LevelIsLoading, loading);
    EXPECT_EQ(loading.Find("loading")->GetInt(), 1);
    tr_MediatorDataTable none;
    Send(LevelGetCurrentRoom, none);
    ASSERT_TRUE(none.Find("room"));
    EXPECT_EQ(none.Find("room")->GetPointer(), nullptr);

    SendSwitch("hall", false);
    ASSERT_TRUE(RunUntilState(tp_Level::STATE_PLAYING));
    tr_MediatorDataTable playing;
    Send(LevelIsLoading, playing);
    EXPECT_EQ(playing.Find("loading")->GetInt(), 0);
    tr_MediatorDataTable room;
    Send(LevelGetCurrentRoom, room);
    EXPECT_EQ(room.Find("room")->GetPointer(), Room("hall"));
    SendSubRoom("box", false, false);
    tr_MediatorDataTable sub;
    Send(LevelGetCurrentRoom, sub);
    EXPECT_EQ(sub.Find("room")->GetPointer(), Room("box"));
}

TEST_F(LevelTest, PauseStopsTheRoomLayerAndBlurFollowsItsMessage) {
    StartPlayingIn("hall");
    SendFlag(LevelPause, "pause", 1);
    EXPECT_FALSE(level->GetLevelInternal()->IsActive());
    SendFlag(LevelPause, "pause", 0);
    EXPECT_TRUE(level->GetLevelInternal()->IsActive());

    SendFlag(LevelShowBlur, "show", 1);
    Frame(0.3f);
    EXPECT_NEAR(level->GetBlur()->GetAlpha(), 0.5f, 1e-5f);
    SendFlag(LevelShowBlur, "show", 0);
    Frame(0.15f);
    EXPECT_NEAR(level->GetBlur()->GetAlpha(), 0.25f, 1e-5f);
    EXPECT_TRUE(level->GetBlur()->IsVisible());
    Frame(0.3f);
    EXPECT_FLOAT_EQ(level->GetBlur()->GetAlpha(), 0.0f);
    EXPECT_FALSE(level->GetBlur()->IsVisible());

    // A display change rebuilds a blur on show.
    SendFlag(LevelShowBlur, "show", 1);
    Frame();
    level->GetBlur()->SetTexture(nullptr);
    level->Refresh(true);
    Frame();
    EXPECT_TRUE(level->GetBlur()->GetTexture());
}

TEST_F(LevelTest, FadeOutForALevelSwitchEndsFadedOutAfterFourTenths) {
    WithLoadingScreen();
    StartPlayingIn("hall");
    level->SetState(tp_Level::STATE_FADING_OUT);
    tr_Object* loading = level->GetLoadingScreen();
    EXPECT_EQ(loading->GetParent(), level);
    EXPECT_FALSE(loading->IsVisible());
    EXPECT_FALSE(Room("hall")->IsActive());
    EXPECT_FALSE(level->IsInputEnabled());
    Frame(0.2f);
    EXPECT_NEAR(loading->GetAlpha(), 0.5f, 1e-5f);
    Frame(0.2f);
    EXPECT_EQ(level->GetState(), tp_Level::STATE_FADED_OUT);
    EXPECT_FLOAT_EQ(level->GetStateTime(), 1.0f);
    EXPECT_FLOAT_EQ(loading->GetAlpha(), 1.0f);
}

TEST_F(LevelTest, RoomRequestsDuringTheFadeOutDoNotCancelTheLevelSwitch) {
    StartPlayingIn("hall");
    level->SetState(tp_Level::STATE_FADING_OUT);
    SendSwitch("attic", true);
    SendSubRoom("desk", true, false);
    EXPECT_EQ(level->GetCurrentRoom(), Room("attic"));
    EXPECT_EQ(level->GetState(), tp_Level::STATE_FADING_OUT);
    EXPECT_TRUE(RunUntilState(tp_Level::STATE_FADED_OUT, 4));
}

TEST_F(LevelTest, StartAndRoomTriggersRunThroughTheTriggerQueueWithTheirOwnersAsSender) {
    Write("level2.xml", R"(<module name="level2"><objs><obj name="c">
          <room name="porch" trg_open="porch_open"/></obj></objs>
        <trigs>
          <trig name="trg_begin"><code>started = tr_params.sender</code></trig>
          <trig name="porch_open"><code>opened = tr_params.sender</code></trig>
        </trigs></module>)");
    tr_CallQueue::Install(&tr_EngineCore::Get()->GetTriggers());
    level = new tp_Level("level2", "trg_begin");
    tr_Object::Attach(Scene().GetDisplayRoot(), level);
    Frame();
    Frame(); // the queued start trigger ran at this frame's queue step
    tr_ScriptState& script = tr_EngineCore::Get()->GetScript();
    std::string sender;
    ASSERT_TRUE(script.GetGlobalString("started", sender));
    EXPECT_EQ(sender, "tp_level");

    SendSwitch("porch", false);
    Frame();
    Frame();
    ASSERT_TRUE(script.GetGlobalString("opened", sender));
    EXPECT_EQ(sender, "porch");
}

} // namespace
