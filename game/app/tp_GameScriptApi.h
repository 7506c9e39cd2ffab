// tp_GameScriptApi: the game's global script functions (rooms and flow, sound
// categories, settings, configuration and machine queries, messages and
// objects, desktop integration, profiles, mobile leftovers). Registered once
// by the application when it initialises, after the engine's functions
// (tr_RegisterEngineScriptApi).
//
// The functions are thin: they read their arguments loosely, then send a
// mediator message to the level or the application, or call the settings,
// configuration, sound hub or cursor singletons, all reached at call time.
// None raises a Lua error; missing singletons make a call do nothing and
// return its empty result.
#pragma once

struct lua_State;

void tp_RegisterGameScriptApi(lua_State* L);
