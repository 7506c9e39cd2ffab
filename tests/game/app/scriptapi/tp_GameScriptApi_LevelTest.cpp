// The room functions against a real level: the room on show as scripts see
// it, and ApplyObj's conditions (the room on show, the level taking input,
// overlapping input rectangles).
#include "tests/game/level/LevelFixture.h"

#include "game/app/tp_GameScriptApi.h"

#include <lua.hpp>

namespace {

class LevelScriptTest : public LevelFixture {
protected:
    void SetUp() override {
        LevelFixture::SetUp();
        L = tr_EngineCore::Get()->GetScript().GetLua();
        tp_RegisterGameScriptApi(L);
    }

    std::string Eval(const std::string& expression) {
        const int top = lua_gettop(L);
        std::string result = "<error>";
        if (luaL_dostring(L, ("return tostring(" + expression + ")").c_str()) == 0)
            result = lua_tostring(L, -1);
        else
            ADD_FAILURE() << lua_tostring(L, -1);
        lua_settop(L, top);
        return result;
    }

    void Run(const std::string& code) {
        const int top = lua_gettop(L);
        if (luaL_dostring(L, code.c_str()) != 0)
            ADD_FAILURE() << lua_tostring(L, -1);
        lua_settop(L, top);
    }

    // A plain object with an input rectangle at (x, y) under parent.
    tr_Object* AddBox(const std::string& name, tr_Object* parent, float x, float y, float size) {
        auto* object = new tr_Object(name);
        object->SetPosition(x, y);
        object->SetInputRect(tr_Rect{0.0f, 0.0f, size, size});
        tr_Object::Attach(parent, object);
        return object;
    }

    lua_State* L = nullptr;
};

} // namespace

TEST_F(LevelScriptTest, GetCurrentRoomNamesTheOpenSubRoomFirst) {
    EXPECT_EQ(Eval("GetCurrentRoom()"), ""); // no level yet
    StartPlayingIn("hall");
    EXPECT_EQ(Eval("GetCurrentRoom()"), "hall");

    Run("OpenSubRoom('desk', 10, 20, 300, 200)");
    EXPECT_EQ(level->GetState(), tp_Level::STATE_SUBROOM_OPENING);
    EXPECT_EQ(Eval("GetCurrentRoom()"), "desk");
    ASSERT_TRUE(RunUntilState(tp_Level::STATE_SUBROOM_OPEN));
    EXPECT_EQ(Eval("GetCurrentRoom()"), "desk");

    Run("CloseSubRoom()");
    ASSERT_TRUE(RunUntilState(tp_Level::STATE_PLAYING));
    EXPECT_EQ(Eval("GetCurrentRoom()"), "hall");

    Run("SwitchRoom('attic', 0)");
    EXPECT_EQ(Eval("GetCurrentRoom()"), "attic");
}

TEST_F(LevelScriptTest, ApplyObjNeedsATargetOfTheRoomOnShowAndALevelTakingInput) {
    StartPlayingIn("hall");
    tp_Room* hall = Room("hall");
    ASSERT_TRUE(hall);
    tr_Object* keyhole = AddBox("keyhole", hall, 100.0f, 100.0f, 50.0f);
    AddBox("key", hall, 130.0f, 130.0f, 20.0f);
    AddBox("far_key", hall, 400.0f, 400.0f, 20.0f);
    EXPECT_EQ(Eval("ApplyObj('key', 'keyhole')"), "true");
    EXPECT_EQ(Eval("ApplyObj('far_key', 'keyhole')"), "false");
    Run("ObjIntersect = nil"); // the engine's test was taken at registration
    EXPECT_EQ(Eval("ApplyObj('key', 'keyhole')"), "true");
    EXPECT_EQ(Eval("ApplyObj('key', 'nobody')"), "false");
    EXPECT_EQ(Eval("ApplyObj('nobody', 'keyhole')"), "false");

    // A target moved deeper into the room still counts; one outside does not.
    tr_Object* shelf = AddBox("shelf", hall, 0.0f, 0.0f, 1.0f);
    tr_Object::Attach(shelf, keyhole);
    EXPECT_EQ(Eval("ApplyObj('key', 'keyhole')"), "true");
    AddBox("door", Room("attic"), 120.0f, 120.0f, 50.0f); // the attic is not on show
    EXPECT_EQ(Eval("ApplyObj('key', 'door')"), "false");

    // The room itself is a target of the room on show.
    hall->SetInputRect(tr_Rect{0.0f, 0.0f, 1024.0f, 768.0f});
    EXPECT_EQ(Eval("ApplyObj('far_key', 'hall')"), "true");

    level->SetInputEnabled(false);
    EXPECT_EQ(Eval("ApplyObj('key', 'keyhole')"), "false");
}
