// Script functions for the animation object types: animated sprites, flash
// and complex animations, mesh grids and particle systems.
#include "engine/bindings/tr_ScriptApi.h"
#include "engine/objects/tr_AnimSprite.h"

#include <lua.hpp>

namespace {

int AnmPlay(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_AnimSprite* sprite = tr_ScriptFindObjectAs<tr_AnimSprite>(args, 1)) {
        sprite->Play(args.GetText(2), args.GetText(3));
    }
    return 0;
}

int AnmStop(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_AnimSprite* sprite = tr_ScriptFindObjectAs<tr_AnimSprite>(args, 1)) {
        sprite->Stop();
    }
    return 0;
}

int AnmPause(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_AnimSprite* sprite = tr_ScriptFindObjectAs<tr_AnimSprite>(args, 1)) {
        sprite->SetPaused(args.GetFlag(2) > 0);
    }
    return 0;
}

// The flash animation, complex animation, grid and particle system object
// types are not part of the engine yet, so no object can be of their type and
// their functions do what they do for an object of another type: nothing.
// Each function gets its own body when its type is added.
int NoObjectOfThisType(lua_State*) {
    return 0;
}

const char* const kFunctionsOfMissingTypes[] = {
    "FlashAnmPlay",   "FlashAnmStop",   "FlashAnmPause",   "FlashAnmAttachChildToObj",
    "ComplexAnmPlay", "ComplexAnmStop", "ComplexAnmPause", "GridSet",
    "GridPlay",       "GridStop",       "GridPause",       "PartSysStart",
    "PartSysPause",   "PartSysStop",    "PartSysRestart",  "PartSysSetMaskObj",
};

} // namespace

void tr_RegisterAnimScriptApi(lua_State* L) {
    lua_register(L, "AnmPlay", AnmPlay);
    lua_register(L, "AnmStop", AnmStop);
    lua_register(L, "AnmPause", AnmPause);
    for (const char* name : kFunctionsOfMissingTypes) {
        lua_register(L, name, NoObjectOfThisType);
    }
}
