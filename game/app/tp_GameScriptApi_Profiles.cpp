// Script functions for the player profiles, on the application's profile
// manager. Without one (before the application exists or after it died)
// they answer as a game with no profiles: an empty list, the current name
// "tp_noprofiles", and failures (0) for adding and loading.
#include "game/app/tp_GameScriptApi_Groups.h"
#include "game/app/tp_ProfileManager.h"

#include <lua.hpp>

#include <string>

namespace {

std::string NameArg(lua_State* L) {
    size_t size = 0;
    const char* text = lua_isstring(L, 1) ? lua_tolstring(L, 1, &size) : nullptr;
    return text ? std::string(text, size) : std::string();
}

int GetProfileList(lua_State* L) {
    lua_newtable(L);
    if (tp_ProfileManager* profiles = tp_ProfileManager::Get()) {
        int key = 1;
        for (const tp_ProfileRecord& record : profiles->GetProfiles()) {
            lua_pushlstring(L, record.name.data(), record.name.size());
            lua_rawseti(L, -2, key++);
        }
    }
    return 1;
}

int GetCurrentProfile(lua_State* L) {
    tp_ProfileManager* profiles = tp_ProfileManager::Get();
    const std::string name =
        profiles ? profiles->CurrentName() : tp_ProfileManager::kNoProfilesName;
    lua_pushlstring(L, name.data(), name.size());
    return 1;
}

int SetCurrentProfile(lua_State* L) {
    if (tp_ProfileManager* profiles = tp_ProfileManager::Get())
        profiles->SetCurrent(NameArg(L));
    return 0;
}

int AddProfile(lua_State* L) {
    tp_ProfileManager* profiles = tp_ProfileManager::Get();
    lua_pushnumber(L, profiles && profiles->Add(NameArg(L)) ? 1 : 0);
    return 1;
}

int DeleteProfile(lua_State* L) {
    if (tp_ProfileManager* profiles = tp_ProfileManager::Get())
        profiles->Delete(NameArg(L));
    return 0;
}

int LoadCurrentProfile(lua_State* L) {
    tp_ProfileManager* profiles = tp_ProfileManager::Get();
    lua_pushnumber(L, profiles && profiles->LoadGameData() ? 1 : 0);
    return 1;
}

int SaveProfiles(lua_State*) {
    if (tp_ProfileManager* profiles = tp_ProfileManager::Get())
        profiles->SaveGameData();
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
