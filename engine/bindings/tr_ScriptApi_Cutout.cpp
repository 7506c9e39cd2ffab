// Script functions for the cut-out and mesh animation types: flash
// animations, complex animations and grids.
#include "engine/bindings/tr_ScriptApi.h"
#include "engine/core/tr_MediatorDataArray.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/objects/tr_ComplexAnim.h"
#include "engine/objects/tr_FlashAnim.h"
#include "engine/objects/tr_Grid.h"

#include <lua.hpp>

namespace {

int FlashAnmPlay(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_FlashAnim* anim = tr_ScriptFindObjectAs<tr_FlashAnim>(args, 1))
        anim->Play(args.GetText(2));
    return 0;
}

int FlashAnmStop(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_FlashAnim* anim = tr_ScriptFindObjectAs<tr_FlashAnim>(args, 1))
        anim->Stop();
    return 0;
}

int FlashAnmPause(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_FlashAnim* anim = tr_ScriptFindObjectAs<tr_FlashAnim>(args, 1))
        anim->SetPaused(!(args.GetFlag(2) < 1));
    return 0;
}

int FlashAnmAttachChildToObj(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_FlashAnim* anim = tr_ScriptFindObjectAs<tr_FlashAnim>(args, 1))
        anim->AttachChildToPart(args.GetText(2), args.GetText(3));
    return 0;
}

int ComplexAnmPlay(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_ComplexAnim* anim = tr_ScriptFindObjectAs<tr_ComplexAnim>(args, 1))
        anim->Play(args.GetText(2), args.GetText(3));
    return 0;
}

int ComplexAnmStop(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_ComplexAnim* anim = tr_ScriptFindObjectAs<tr_ComplexAnim>(args, 1))
        anim->Stop();
    return 0;
}

int ComplexAnmPause(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_ComplexAnim* anim = tr_ScriptFindObjectAs<tr_ComplexAnim>(args, 1))
        anim->SetPaused(!(args.GetFlag(2) < 1));
    return 0;
}

// GridSet(name, key frame, {vertex, {pos_x = ..}, vertex, {..}, ...}): the
// pairs are read from the table as a message array; pairs that name a key
// frame or vertex the grid does not have, or whose partner is not a table,
// are skipped.
int GridSet(lua_State* L) {
    tr_ScriptArgs args(L);
    tr_Grid* grid = tr_ScriptFindObjectAs<tr_Grid>(args, 1);
    if (!grid || !args.IsTable(3))
        return 0;
    const int key = args.GetFlag(2);
    tr_MediatorDataArray pairs;
    lua_pushvalue(L, 3);
    pairs.FromLua(L);
    lua_pop(L, 1);
    static const char* const kFields[4] = {"pos_x", "pos_y", "tu", "tv"};
    for (int i = 0; i < pairs.Count(); i += 2) {
        tr_MediatorData* index = pairs.Get(i);
        tr_MediatorData* partner = pairs.Get(i + 1);
        tr_MediatorDataTable* values = partner ? partner->AsTable() : nullptr;
        tr_GridVertex* vertex = index ? grid->GetKeyVertex(key, index->GetInt()) : nullptr;
        if (!values || !vertex)
            continue;
        float* targets[4] = {&vertex->pos_x, &vertex->pos_y, &vertex->tu, &vertex->tv};
        for (int field = 0; field < 4; ++field)
            if (tr_MediatorData* value = values->Find(kFields[field]))
                *targets[field] = value->GetFloat();
        grid->MarkDirty();
    }
    return 0;
}

int GridPlay(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_Grid* grid = tr_ScriptFindObjectAs<tr_Grid>(args, 1))
        grid->Play(args.GetText(2));
    return 0;
}

int GridStop(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_Grid* grid = tr_ScriptFindObjectAs<tr_Grid>(args, 1))
        grid->Stop();
    return 0;
}

int GridPause(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_Grid* grid = tr_ScriptFindObjectAs<tr_Grid>(args, 1))
        grid->SetPaused(!(args.GetFlag(2) < 1));
    return 0;
}

} // namespace

void tr_RegisterCutoutScriptApi(lua_State* L) {
    lua_register(L, "FlashAnmPlay", FlashAnmPlay);
    lua_register(L, "FlashAnmStop", FlashAnmStop);
    lua_register(L, "FlashAnmPause", FlashAnmPause);
    lua_register(L, "FlashAnmAttachChildToObj", FlashAnmAttachChildToObj);
    lua_register(L, "ComplexAnmPlay", ComplexAnmPlay);
    lua_register(L, "ComplexAnmStop", ComplexAnmStop);
    lua_register(L, "ComplexAnmPause", ComplexAnmPause);
    lua_register(L, "GridSet", GridSet);
    lua_register(L, "GridPlay", GridPlay);
    lua_register(L, "GridStop", GridStop);
    lua_register(L, "GridPause", GridPause);
}
