// Registration of the engine's script functions on any Lua state.
#include "engine/bindings/tr_EngineScriptApi.h"

#include <gtest/gtest.h>
#include <lua.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace {

int CountGlobals(lua_State* L) {
    int count = 0;
    lua_pushnil(L);
    while (lua_next(L, LUA_GLOBALSINDEX)) {
        lua_pop(L, 1);
        ++count;
    }
    return count;
}

} // namespace

TEST(EngineScriptApiRegistration, EveryFunctionBecomesAGlobalFunction) {
    std::vector<std::string> names;
    std::istringstream list(
        "ObjSet ObjGet ObjAttach ObjDetach ObjDelete ObjIntersect ObjAnimate ObjStopAnimate "
        "ObjDoNotDrop ObjStopDrag ObjStartDrag ObjCreate ObjWaitForMouseUp ObjGetRelations "
        "TrgExecute TrgGet TrgSet TrgDelete ModLoad DbgTrace CheaterReset SndPlay SndStop "
        "SndPauseAll AnmPlay AnmStop AnmPause FlashAnmPlay FlashAnmStop FlashAnmPause "
        "FlashAnmAttachChildToObj ComplexAnmPlay ComplexAnmStop ComplexAnmPause GridSet GridPlay "
        "GridStop GridPause VidPlay VidStop VidPause PartSysStart PartSysPause PartSysStop "
        "PartSysRestart PartSysSetMaskObj SetCursor CursorPosX CursorPosY StringGet "
        "GetEngineVersion GetFPS");
    for (std::string name; list >> name;)
        names.push_back(name);
    ASSERT_EQ(names.size(), 52u);

    lua_State* L = luaL_newstate();
    luaL_openlibs(L);
    const int globals_before = CountGlobals(L);
    tr_RegisterEngineScriptApi(L);
    for (const std::string& name : names) {
        lua_getglobal(L, name.c_str());
        EXPECT_EQ(lua_type(L, -1), LUA_TFUNCTION) << name;
        EXPECT_TRUE(lua_iscfunction(L, -1)) << name;
        lua_pop(L, 1);
    }
    EXPECT_EQ(CountGlobals(L) - globals_before, 52);
    lua_close(L);
}

TEST(EngineScriptApiRegistration, VersionAndNoOpFunctionsWorkWithoutTheEngine) {
    lua_State* L = luaL_newstate();
    luaL_openlibs(L);
    tr_RegisterEngineScriptApi(L);
    ASSERT_EQ(luaL_dostring(L,
                            "return GetEngineVersion(), select('#', DbgTrace('x')),"
                            " select('#', CheaterReset(1, 2)), select('#', GetEngineVersion(1))"),
              0);
    EXPECT_STREQ(lua_tostring(L, 1), "0.5");
    // Functions without a result return nothing, even when given arguments;
    // those with one return exactly one.
    EXPECT_EQ(lua_tonumber(L, 2), 0);
    EXPECT_EQ(lua_tonumber(L, 3), 0);
    EXPECT_EQ(lua_tonumber(L, 4), 1);
    lua_close(L);
}
