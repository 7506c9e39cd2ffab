// Script functions for the animation object types: animated sprites, flash
// and complex animations and mesh grids.
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

} // namespace

void tr_RegisterAnimScriptApi(lua_State* L) {
    lua_register(L, "AnmPlay", AnmPlay);
    lua_register(L, "AnmStop", AnmStop);
    lua_register(L, "AnmPause", AnmPause);
    tr_RegisterCutoutScriptApi(L);
}
