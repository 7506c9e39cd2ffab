// Rooms and flow: the level and application messages the functions send,
// with the keys and values the level and the application read.
#include "GameScriptApiFixture.h"

#include "game/core/tp_Messages.h"

namespace {

class RoomScriptTest : public GameScriptApiTest {
protected:
    void SetUp() override {
        GameScriptApiTest::SetUp();
        level = std::make_unique<Listener>(
            std::vector<int>{LevelSwitchRoom, LevelPause, LevelSetAutoSave, LevelBlockSubRoomClose,
                             LevelShowBlur, AppSwitchLevel, AppUpdateGameMode});
    }
    void TearDown() override {
        level.reset();
        GameScriptApiTest::TearDown();
    }
    std::unique_ptr<Listener> level;
};

} // namespace

TEST_F(RoomScriptTest, SwitchRoomAnimatesUnlessTheSecondArgumentSaysOtherwise) {
    Run("SwitchRoom('hall')");
    tr_MediatorDataTable sent = level->Last(LevelSwitchRoom);
    EXPECT_EQ(Listener::Text(sent, "room_name"), "hall");
    EXPECT_EQ(Listener::Int(sent, "fade"), 1);
    EXPECT_EQ(Listener::Int(sent, "subroom"), 0);
    EXPECT_EQ(Listener::Int(sent, "subroom_close"), 0);

    Run("SwitchRoom('attic', 0)");
    EXPECT_EQ(Listener::Int(level->Last(LevelSwitchRoom), "fade"), 0);
    Run("SwitchRoom('attic', nil)"); // nil is no argument
    EXPECT_EQ(Listener::Int(level->Last(LevelSwitchRoom), "fade"), 1);
    Run("SwitchRoom(12, 0.4)"); // a number names a room by its text; 0.4 rounds to 0
    sent = level->Last(LevelSwitchRoom);
    EXPECT_EQ(Listener::Text(sent, "room_name"), "12");
    EXPECT_EQ(Listener::Int(sent, "fade"), 0);
}

TEST_F(RoomScriptTest, SubRoomsOpenOnlyForANameAndCloseWithoutOne) {
    Run("OpenSubRoom('desk', 10.4, 20.6, '300', 200)");
    tr_MediatorDataTable sent = level->Last(LevelSwitchRoom);
    EXPECT_EQ(Listener::Text(sent, "room_name"), "desk");
    EXPECT_EQ(Listener::Int(sent, "fade"), 1);
    EXPECT_EQ(Listener::Int(sent, "subroom"), 1);
    EXPECT_EQ(Listener::Int(sent, "subroom_close"), 0);
    EXPECT_EQ(Listener::Int(sent, "subroom_start_x"), 10);
    EXPECT_EQ(Listener::Int(sent, "subroom_start_y"), 21);
    EXPECT_EQ(Listener::Int(sent, "subroom_end_x"), 300);
    EXPECT_EQ(Listener::Int(sent, "subroom_end_y"), 200);

    Run("OpenSubRoom(nil, 1, 2, 3, 4); OpenSubRoom({}, 1, 2, 3, 4); OpenSubRoom()");
    EXPECT_EQ(level->Count(LevelSwitchRoom), 1);

    Run("CloseSubRoom()");
    sent = level->Last(LevelSwitchRoom);
    EXPECT_EQ(Listener::Int(sent, "fade"), 1);
    EXPECT_EQ(Listener::Int(sent, "subroom"), 1);
    EXPECT_EQ(Listener::Int(sent, "subroom_close"), 1);
}

TEST_F(RoomScriptTest, LevelSwitchesCarryTheKeysTheLevelAndApplicationRead) {
    Run("BlockSubRoomClose(1); SetAutoSave('1'); ShowBlur(0.6); PauseLevel(); UpdateGameMode(2)");
    EXPECT_EQ(Listener::Int(level->Last(LevelBlockSubRoomClose), "block"), 1);
    EXPECT_EQ(Listener::Int(level->Last(LevelSetAutoSave), "autosave"), 1);
    EXPECT_EQ(Listener::Int(level->Last(LevelShowBlur), "show"), 1);
    EXPECT_EQ(Listener::Int(level->Last(LevelPause), "pause"), 0);
    EXPECT_EQ(Listener::Int(level->Last(AppUpdateGameMode), "mode"), 2);

    Run("SwitchLevel('assets/levels/two', 'trg_two_start')");
    const tr_MediatorDataTable sent = level->Last(AppSwitchLevel);
    EXPECT_EQ(Listener::Text(sent, "module"), "assets/levels/two");
    EXPECT_EQ(Listener::Text(sent, "start_triger"), "trg_two_start");
}

TEST_F(RoomScriptTest, AppWidthAndQuitReachTheApplicationAndTheEngine) {
    EXPECT_EQ(Number("GetAppWidth()"), 0); // nobody answers
    Listener app({AppGetWidth},
                 [](int, tr_MediatorDataTable& data) { data.SetFloat("width", 1194.5f); });
    EXPECT_EQ(Number("GetAppWidth()"), 1194.5);

    Run("Quit()");
    EXPECT_EQ(engine->close_requests, 1);
}
