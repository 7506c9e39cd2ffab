// tr_ScriptApi: what the groups of the engine's script functions share. Each
// tr_ScriptApi_<Group>.cpp registers its functions with one of the calls
// below; tr_RegisterEngineScriptApi (tr_EngineScriptApi.h) calls them all.
// The lookups reach the engine core's scene at call time.
#pragma once

#include "engine/script/tr_ScriptArgs.h"

struct lua_State;
class tr_Object;
class tr_Scene;

void tr_RegisterObjectScriptApi(lua_State* L);
void tr_RegisterTriggerScriptApi(lua_State* L);
void tr_RegisterMediaScriptApi(lua_State* L);
void tr_RegisterAnimScriptApi(lua_State* L);
// Flash and complex animations and grids (tr_ScriptApi_Cutout.cpp); called
// by tr_RegisterAnimScriptApi.
void tr_RegisterCutoutScriptApi(lua_State* L);
void tr_RegisterPartSysScriptApi(lua_State* L);
void tr_RegisterEngineInfoScriptApi(lua_State* L);

// The scene the script functions work on: the engine core's.
tr_Scene& tr_ScriptScene();

// The object named by argument index (string or number), or null when the
// argument is not a name or no such object exists.
tr_Object* tr_ScriptFindObject(const tr_ScriptArgs& args, int index);

// tr_ScriptFindObject, then the run-time type check of the functions for one
// type: null when the object is of another type.
template <class T> T* tr_ScriptFindObjectAs(const tr_ScriptArgs& args, int index) {
    return dynamic_cast<T*>(tr_ScriptFindObject(args, index));
}
