// Script functions kept for scripts written for a mobile build. On this
// platform they do nothing, echo their argument as an integer, or say "no".
#include "game/app/tp_GameScriptApi_Groups.h"

#include <lua.hpp>

namespace {

int DoNothing(lua_State*) {
    return 0;
}

// The first argument rounded to an integer; 0 when absent or not a number.
int FirstArgumentAsInteger(lua_State* L) {
    lua_pushnumber(L, tr_ScriptArgs(L).GetFlag(1));
    return 1;
}

int Zero(lua_State* L) {
    lua_pushnumber(L, 0);
    return 1;
}

} // namespace

void tp_RegisterMobileScriptApi(lua_State* L) {
    static const char* const kDoNothing[] = {"iOS_QuilloPressed",
                                             "iOS_TellFriendPressed",
                                             "iOS_MoreGamesPressed",
                                             "iOS_RateItPressed",
                                             "iOS_Terms",
                                             "iOS_Policy",
                                             "iOS_Support",
                                             "iOS_RateMe",
                                             "iOS_RegisterGameplay",
                                             "iOS_ManageAds",
                                             "iOS_LogEvents",
                                             "iOS_EnableMultiTouch",
                                             "iOS_InstallVantor"};
    for (const char* name : kDoNothing) {
        lua_register(L, name, DoNothing);
    }
    lua_register(L, "iOS_IsQuilloPressed", FirstArgumentAsInteger);
    lua_register(L, "iOS_IsRated", FirstArgumentAsInteger);
    lua_register(L, "iOS_isIOS", Zero);
    lua_register(L, "iOS_IsVantorInstalled", Zero);
}
