// Rooms, layers and keys the level does not control: objects deleted by
// script while the level points at them, and the cheat-key path.
#include "LevelFixture.h"

#include "engine/bindings/tr_ModuleLoader.h"
#include "engine/objects/tr_ObjectFactory.h"
#include "game/core/tp_Config.h"

#include <algorithm>

namespace {

using LevelSafetyTest = LevelFixture;

TEST_F(LevelSafetyTest, CurrentRoomDeletedByScriptReadsAsNoRoom) {
    StartPlayingIn("hall");
    EXPECT_TRUE(Scene().DeleteObject(Room("hall")));
    Frame();
    EXPECT_EQ(level->GetCurrentRoom(), nullptr);
    tr_MediatorDataTable query;
    Send(LevelGetCurrentRoom, query);
    EXPECT_EQ(query.Find("room")->GetPointer(), nullptr);

    // Blur and switches go on without it.
    SendFlag(LevelShowBlur, "show", 1);
    Frame();
    SendSwitch("attic", true);
    ASSERT_TRUE(RunUntilState(tp_Level::STATE_PLAYING));
    EXPECT_EQ(level->GetCurrentRoom(), Room("attic"));
}

TEST_F(LevelSafetyTest, RoomsDeletedDuringAnAnimatedSwitchDoNotHoldTheLevel) {
    StartPlayingIn("hall");
    SendSwitch("attic", true);
    Frame();
    Scene().DeleteObject(Room("hall"));
    Scene().DeleteObject(Room("attic"));
    ASSERT_TRUE(RunUntilState(tp_Level::STATE_PLAYING, 5));
    EXPECT_EQ(level->GetOldRoom(), nullptr);
    EXPECT_TRUE(level->IsInputEnabled());
}

TEST_F(LevelSafetyTest, SwitchesToRoomsOnShowAreNotFoundAndChangeNothing) {
    // Only rooms waiting in the hub can be entered: the room on show, or
    // one still closing behind it, would otherwise be both the old and
    // the new room and the switch would never end.
    StartPlayingIn("hall");
    tp_Room* hall = Room("hall");
    SendSwitch("hall", true);
    EXPECT_EQ(level->GetState(), tp_Level::STATE_PLAYING);
    EXPECT_EQ(hall->GetRoomState(), tp_Room::STATE_OPEN);
    EXPECT_EQ(hall->GetParent(), level->GetLevelInternal());

    SendSwitch("attic", true);
    Frame();
    ASSERT_EQ(hall->GetRoomState(), tp_Room::STATE_CLOSING);
    SendSwitch("hall", true);
    EXPECT_EQ(level->GetCurrentRoom(), Room("attic"));
    EXPECT_EQ(level->GetOldRoom(), hall);
    ASSERT_TRUE(RunUntilState(tp_Level::STATE_PLAYING));
    EXPECT_EQ(hall->GetParent(), level->GetRoomsHub());
    EXPECT_TRUE(level->IsInputEnabled());
}

TEST_F(LevelSafetyTest, SubRoomDeletedWhileOpenGivesTheRoomBack) {
    StartPlayingIn("hall");
    SendSubRoom("desk", false, false);
    ASSERT_EQ(level->GetState(), tp_Level::STATE_SUBROOM_OPEN);
    Scene().DeleteObject(Room("desk"));
    Frame();
    EXPECT_EQ(level->GetState(), tp_Level::STATE_PLAYING);
    EXPECT_EQ(level->GetCurrentSubRoom(), nullptr);
    EXPECT_TRUE(Room("hall")->IsInputEnabled() && Room("hall")->IsActive());
}

// Deletes a room when the open sub-room announces it has closed, as the
// script of a widget listening to the sub-room's placement could.
class RoomDeleterOnClose : public tr_Listener {
public:
    explicit RoomDeleterOnClose(std::string room) : room_(std::move(room)) {
        tr_Mediator::Get()->Subscribe(SubRoomTransform, this);
    }
    ~RoomDeleterOnClose() override { tr_Mediator::Get()->Unsubscribe(this); }
    void OnMessage(int, tr_MediatorDataTable& data) override {
        tr_Scene& scene = tr_EngineCore::Get()->GetScene();
        if (data.Find("alpha")->GetFloat() == 0.0f)
            scene.DeleteObject(scene.FindObject(room_));
    }

private:
    std::string room_;
};

TEST_F(LevelSafetyTest, RoomDeletedWhileTheSwitchClosesTheSubRoomIsNotEntered) {
    StartPlayingIn("hall");
    SendSubRoom("box", false, false);
    RoomDeleterOnClose deleter("attic");
    SendSwitch("attic", false);
    EXPECT_EQ(Room("attic"), nullptr);
    EXPECT_EQ(level->GetCurrentRoom(), nullptr);
    EXPECT_EQ(level->GetCurrentSubRoom(), nullptr);
    EXPECT_EQ(Room("hall")->GetParent(), level->GetRoomsHub());
    SendSwitch("cellar", true);
    ASSERT_TRUE(RunUntilState(tp_Level::STATE_PLAYING));
    EXPECT_EQ(level->GetCurrentRoom(), Room("cellar"));
}

TEST_F(LevelSafetyTest, RoomsHubDeletedByScriptParksRoomsInStorage) {
    StartPlayingIn("hall");
    SendSubRoom("desk", false, false);
    tr_Object* desk = Room("desk");
    // The open sub-room and the room sit in the room layer: the hub's
    // deletion takes only the rooms not on show.
    Scene().DeleteObject(level->GetRoomsHub());
    EXPECT_EQ(level->GetRoomsHub(), nullptr);
    SendSubRoom("", false, true);
    EXPECT_EQ(desk->GetParent(), Scene().GetStorageRoot());
    SendSwitch("attic", false); // gone with the hub: nothing happens
    EXPECT_EQ(level->GetCurrentRoom(), Room("hall"));
    Frame();
}

TEST_F(LevelSafetyTest, CheatKeysNeedTheCheatProfileAndTheConfigurationFlag) {
    CountingProfile profile;
    StartPlayingIn("hall");
    tr_InputEvent key;
    key.type = TR_EVENT_KEY_DOWN;
    key.key = 9;

    // No configuration: no cheat keys, yet the level takes the event.
    EXPECT_TRUE(level->HandleInput(key, nullptr, tr_DrawState()));
    EXPECT_TRUE(app.Heard(Event_Level_CheatKeyPressed).empty());

    struct ConfigScope {
        ~ConfigScope() { tp_Config::Destroy(); }
    } config_scope;
    tp_Config* config = tp_Config::Create();
    config->edition_flags = tp_Config::EDITION_CHEAT;
    EXPECT_TRUE(level->HandleInput(key, nullptr, tr_DrawState()));
    auto heard = app.Heard(Event_Level_CheatKeyPressed);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].Find("key")->GetInt(), 9);
    EXPECT_EQ(QueuedBy("tp_level").back(), "trg_int_cheater_hotkey(9)");

    tr_InputEvent up = key;
    up.type = TR_EVENT_KEY_UP;
    EXPECT_TRUE(level->HandleInput(up, nullptr, tr_DrawState()));
    profile.cheat = false;
    EXPECT_TRUE(level->HandleInput(key, nullptr, tr_DrawState()));
    profile.cheat = true;
    level->SetActive(false);
    EXPECT_TRUE(level->HandleInput(key, nullptr, tr_DrawState()));
    EXPECT_EQ(app.Heard(Event_Level_CheatKeyPressed).size(), 1u);

    // Without a profile nobody is the cheat profile.
    level->SetActive(true);
    tp_ProfileSeam::Install(nullptr);
    EXPECT_TRUE(level->HandleInput(key, nullptr, tr_DrawState()));
    EXPECT_EQ(app.Heard(Event_Level_CheatKeyPressed).size(), 1u);
    tp_ProfileSeam::Install(&profile);
    EXPECT_TRUE(level->HandleInput(key, nullptr, tr_DrawState()));
    EXPECT_EQ(app.Heard(Event_Level_CheatKeyPressed).size(), 2u);
}

TEST_F(LevelSafetyTest, EscapeQueuesTheContentsTriggerOnlyWhenItExistsAndTheLevelIsActive) {
    CountingProfile profile;
    profile.cheat = false;
    StartPlayingIn("hall");
    tr_InputEvent escape;
    escape.type = TR_EVENT_KEY_DOWN;
    escape.key = tp_Level::kEscapeKey;
    const auto escapes = [&] {
        const std::vector<std::string> calls = QueuedBy("tp_level");
        return std::count(calls.begin(), calls.end(), tp_Level::kEscapeTrigger);
    };

    // No such trigger: nothing is queued, and the level still takes the key.
    EXPECT_TRUE(level->HandleInput(escape, nullptr, tr_DrawState()));
    EXPECT_EQ(escapes(), 0);

    Write("escape.xml", R"(<module name="escape"><trigs>
          <trig name="tp_escape"><code>escaped = true</code></trig></trigs></module>)");
    ASSERT_TRUE(tr_LoadModule((std::filesystem::current_path() / "escape").string()));
    struct Case {
        int type;
        int key;
        bool active;
        int queued; // escapes queued so far
    };
    const Case cases[] = {
        {TR_EVENT_KEY_DOWN, tp_Level::kEscapeKey, true, 1},
        {TR_EVENT_KEY_UP, tp_Level::kEscapeKey, true, 1},
        {TR_EVENT_CHAR, 0, true, 1},
        {TR_EVENT_KEY_DOWN, 0x0D, true, 1},
        {TR_EVENT_KEY_DOWN, tp_Level::kEscapeKey, false, 1},
        {TR_EVENT_KEY_DOWN, tp_Level::kEscapeKey, true, 2},
    };
    for (const Case& c : cases) {
        tr_InputEvent event;
        event.type = c.type;
        event.key = c.key;
        if (c.type == TR_EVENT_CHAR)
            event.character = tp_Level::kEscapeKey;
        level->SetActive(c.active);
        EXPECT_TRUE(level->HandleInput(event, nullptr, tr_DrawState()));
        EXPECT_EQ(escapes(), c.queued) << "type " << c.type << " key " << c.key;
    }
}

TEST_F(LevelSafetyTest, FactoryMakesRoomsAndSubRoomsByTypeName) {
    std::unique_ptr<tr_Object> room(tr_ObjectFactory::Get().CreateObject("room", "r"));
    std::unique_ptr<tr_Object> sub(tr_ObjectFactory::Get().CreateObject("subroom", "s"));
    ASSERT_TRUE(dynamic_cast<tp_Room*>(room.get()));
    ASSERT_TRUE(dynamic_cast<tp_SubRoom*>(sub.get()));
    EXPECT_EQ(room->GetName(), "r");
    EXPECT_EQ(sub->GetType(), "subroom");
}

} // namespace
