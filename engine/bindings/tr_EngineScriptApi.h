// tr_EngineScriptApi: the engine's global script functions (objects,
// triggers, modules, media, animation types, cursor, strings, version).
// Registered once on the engine's Lua state right after the state is created;
// the game layer adds its own functions afterwards. The functions reach the
// scene, trigger registry and services through tr_EngineCore::Get() at call
// time, so registering them before those exist is fine.
//
// Every function reads its arguments loosely and fails silently (or with the
// documented log line); none raises a Lua error, so no error unwinds through
// C++ frames.
#pragma once

struct lua_State;

void tr_RegisterEngineScriptApi(lua_State* L);
