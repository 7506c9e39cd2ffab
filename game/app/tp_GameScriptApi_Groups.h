// tp_GameScriptApi_Groups: what the groups of the game's script functions
// share. Each tp_GameScriptApi_<Group>.cpp registers its functions with one
// of the calls below; tp_RegisterGameScriptApi (tp_GameScriptApi.h) calls
// them all in a fixed order. The helpers reach the mediator at call time,
// so the functions work whatever exists and answer with an empty result
// when nobody replies.
#pragma once

#include "engine/script/tr_ScriptArgs.h"

struct lua_State;
class tr_MediatorDataTable;
class tr_Object;

void tp_RegisterRoomScriptApi(lua_State* L);
void tp_RegisterObjectScriptApi(lua_State* L);
void tp_RegisterSoundScriptApi(lua_State* L);
void tp_RegisterSettingsScriptApi(lua_State* L);
void tp_RegisterMachineScriptApi(lua_State* L);
void tp_RegisterProfileScriptApi(lua_State* L);
void tp_RegisterDesktopScriptApi(lua_State* L);
void tp_RegisterMobileScriptApi(lua_State* L);

// Sends message id with data through the process-wide mediator, when there
// is one.
void tp_ScriptSend(int id, tr_MediatorDataTable& data);

// The room the level shows (its open sub-room first), asked of the level
// with LevelGetCurrentRoom; null without a level or a room.
tr_Object* tp_ScriptCurrentRoom();

// A script number as a float: false when it is not finite or lies beyond
// the float range (converting such a double is undefined and would give an
// infinity that no setting should keep).
bool tp_ScriptFloat(double value, float& out);
