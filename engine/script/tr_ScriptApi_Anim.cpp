// Script functions for the animation object types: animated sprites, flash
// and complex animations, mesh grids and particle systems.
#include "engine/objects/tr_AnimSprite.h"
#include "engine/script/tr_ScriptApi.h"

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

// The particle system type is not part of the engine yet, so no object can
// be of its type and its functions do what they do for an object of another
// type: nothing. Each function gets its own body when the type is added.
int NoObjectOfThisType(lua_State*) {
    return 0;
}

const char* const kFunctionsOfMissingTypes[] = {
    "PartSysStart", "PartSysPause", "PartSysStop", "PartSysRestart", "PartSysSetMaskObj",
};

} // namespace

void tr_RegisterAnimScriptApi(lua_State* L) {
    lua_register(L, "AnmPlay", AnmPlay);
    lua_register(L, "AnmStop", AnmStop);
    lua_register(L, "AnmPause", AnmPause);
    tr_RegisterCutoutScriptApi(L);
    for (const char* name : kFunctionsOfMissingTypes) {
        lua_register(L, name, NoObjectOfThisType);
    }
}
