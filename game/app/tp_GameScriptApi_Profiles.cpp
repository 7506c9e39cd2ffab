// Script functions for the player profiles. Until profiles are kept, they
// answer as the game does with no profile at all: an empty list, the current
// name "tp_noprofiles", and failures (0) for adding and loading; setting,
// deleting and saving change nothing.
#include "game/app/tp_GameScriptApi_Groups.h"

#include <lua.hpp>

namespace {

constexpr const char* kNoProfiles = "tp_noprofiles";

int GetProfileList(lua_State* L) {
    lua_newtable(L);
    return 1;
}

int GetCurrentProfile(lua_State* L) {
    lua_pushstring(L, kNoProfiles);
    return 1;
}

int SetCurrentProfile(lua_State*) {
    return 0;
}

int AddProfile(lua_State* L) {
    lua_pushnumber(L, 0);
    return 1;
}

int DeleteProfile(lua_State*) {
    return 0;
}

int LoadCurrentProfile(lua_State* L) {
    lua_pushnumber(L, 0);
    return 1;
}

int SaveProfiles(lua_State*) {
    return 0;
}

} // namespace

void tp_RegisterProfileScriptApi(lua_State* L) {
    lua_register(L, "GetProfileList", GetProfileList);
    lua_register(L, "GetCurrentProfile", GetCurrentProfile);
    lua_register(L, "SetCurrentProfile", SetCurrentProfile);
    lua_register(L, "AddProfile", AddProfile);
    lua_register(L, "DeleteProfile", DeleteProfile);
    lua_register(L, "LoadCurrentProfile", LoadCurrentProfile);
    lua_register(L, "SaveProfiles", SaveProfiles);
}
