// tp_GameScriptApi_Groups: what the groups of the game's script functions
// share. Each tp_GameScriptApi_<Group>.cpp registers its functions with one
// of the calls below; tp_RegisterGameScriptApi (tp_GameScriptApi.h) calls
// them all in a fixed order. The helpers reach the mediator, the scene and
// the display mode at call time, so they work whatever exists and answer
// with an empty result when something is missing.
#pragma once

#include "engine/render/tr_Matrix.h"
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

// Sends message id with data through the process-wide mediator; false when
// there is no mediator (nothing was sent).
bool tp_ScriptSend(int id, tr_MediatorDataTable& data);

// The room the level shows (its open sub-room first), asked of the level
// with LevelGetCurrentRoom; null without a level or a room.
tr_Object* tp_ScriptCurrentRoom();

// The object's world transform composed afresh from its root down, as the
// engine's ObjIntersect does, so a transform changed since the last frame
// already counts.
tr_Matrix tp_ScriptWorldMatrix(tr_Object* object);

// The application's transform from design units to pixels, asked of the
// application with AppGetMatrix. Without an answer it is the placement the
// current display mode gives the application.
tr_Matrix tp_ScriptAppMatrix();

// Pushes {[1] = x, [2] = y} onto the Lua stack.
void tp_ScriptPushPoint(lua_State* L, float x, float y);
