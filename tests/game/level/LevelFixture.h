// Fixture of the level tests: a scratch working folder holding a level
// module with four rooms and, when asked for, the loading-screen module;
// the engine core made afresh for each test with the recording call queue
// installed over its trigger registry; frames driven like the frame loop
// (draw, then core update).
#pragma once

#include "LevelTestSupport.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/scene/tr_Object.h"
#include "game/level/tp_Level.h"
#include "game/level/tp_LevelObjectTypes.h"
#include "game/level/tp_ProfileSeam.h"
#include "game/level/tp_Room.h"
#include "game/level/tp_SubRoom.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

// Counts saves; the cheat answer is the test's to choose.
class CountingProfile : public tp_ProfileSeam {
public:
    CountingProfile() { tp_ProfileSeam::Install(this); }
    ~CountingProfile() override { tp_ProfileSeam::Install(nullptr); }
    bool IsCheatProfile() const override { return cheat; }
    void SaveGameData() override { ++saves; }

    bool cheat = true;
    int saves = 0;
};

class LevelFixture : public LevelTestBase {
protected:
    void SetUp() override {
        old_dir_ = std::filesystem::current_path();
        dir_ = std::filesystem::path(::testing::TempDir()) /
               ("tp_level_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_ / "assets/shared/interface");
        std::filesystem::current_path(dir_);
        Write("level1.xml", R"(<module name="level1"><objs><obj name="c">
              <room name="hall" trg_open="hall_open"/>
              <room name="attic"/>
              <room name="cellar"/>
              <subroom name="desk" start_x="10" start_y="20" end_x="300" end_y="200"/>
              <subroom name="box"/>
            </obj></objs></module>)");
        tr_EngineCore::Get();
        tr_CallQueue::Install(&queue);
        tp_RegisterLevelObjectTypes();
    }

    void TearDown() override {
        delete level;
        level = nullptr;
        tr_EngineCore::Destroy();
        std::filesystem::current_path(old_dir_);
        std::filesystem::remove_all(dir_);
    }

    void Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name) << text;
    }

    void WithLoadingScreen() {
        Write("assets/shared/interface/int_loading.xml",
              R"(<module name="int_loading"><objs><obj name="c">
                 <obj name="int_loading"/></obj></objs></module>)");
    }

    // Builds the level and puts it on show, as the application does.
    void MakeLevel(const std::string& start_trigger = "") {
        level = new tp_Level(dir_.string() + "/level1", start_trigger);
        tr_Object::Attach(Scene().GetDisplayRoot(), level);
    }

    static tr_Scene& Scene() { return tr_EngineCore::Get()->GetScene(); }

    // One pass of the frame loop: draw, then update by dt.
    void Frame(float dt = 0.1f) {
        tr_EngineCore::Get()->Draw(&render);
        tr_FrameInfo frame;
        frame.dt = dt;
        tr_EngineCore::Get()->Update(&frame);
    }

    // Frames until the level reaches state (at most limit frames).
    bool RunUntilState(int state, int limit = 40) {
        for (int i = 0; i < limit && level->GetState() != state; ++i)
            Frame();
        return level->GetState() == state;
    }

    void Send(int id, tr_MediatorDataTable& data) { mediator.Send(id, data); }

    void SendSwitch(const std::string& room, bool fade) {
        tr_MediatorDataTable data;
        data.SetString("room_name", room);
        data.SetInt("fade", fade ? 1 : 0);
        data.SetInt("subroom", 0);
        Send(LevelSwitchRoom, data);
    }

    void SendSubRoom(const std::string& room, bool fade, bool close) {
        tr_MediatorDataTable data;
        data.SetString("room_name", room);
        data.SetInt("fade", fade ? 1 : 0);
        data.SetInt("subroom", 1);
        data.SetInt("subroom_close", close ? 1 : 0);
        Send(LevelSwitchRoom, data);
    }

    void SendFlag(int id, const char* key, int value) {
        tr_MediatorDataTable data;
        data.SetInt(key, value);
        Send(id, data);
    }

    // The level playing in room, entered while loading.
    void StartPlayingIn(const std::string& room) {
        MakeLevel();
        SendSwitch(room, false);
        ASSERT_TRUE(RunUntilState(tp_Level::STATE_PLAYING));
    }

    tp_Room* Room(const std::string& name) {
        return dynamic_cast<tp_Room*>(Scene().FindObject(name));
    }

    tp_Level* level = nullptr;

private:
    std::filesystem::path old_dir_;
    std::filesystem::path dir_;
};
