// Script functions for particle systems. Each acts on the named system's
// implementation; a name that is not a particle system, or a system whose
// effect file gave it no implementation, is ignored.
#include "engine/bindings/tr_ScriptApi.h"
#include "engine/objects/particles/tr_ParticleSystem.h"

#include <lua.hpp>

namespace {

tr_PartSysImpl* FindImpl(const tr_ScriptArgs& args) {
    tr_ParticleSystem* system = tr_ScriptFindObjectAs<tr_ParticleSystem>(args, 1);
    return system ? system->GetImpl() : nullptr;
}

int PartSysStart(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_PartSysImpl* impl = FindImpl(args))
        impl->Start();
    return 0;
}

int PartSysPause(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_PartSysImpl* impl = FindImpl(args))
        impl->Pause(args.GetFlag(2) == 1);
    return 0;
}

int PartSysStop(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_PartSysImpl* impl = FindImpl(args))
        impl->Stop(args.GetFlag(2) == 1);
    return 0;
}

int PartSysRestart(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_PartSysImpl* impl = FindImpl(args)) {
        impl->Stop(true);
        impl->Start();
    }
    return 0;
}

int PartSysSetMaskObj(lua_State* L) {
    tr_ScriptArgs args(L);
    tr_PartSysImpl* impl = FindImpl(args);
    tr_Object* mask = tr_ScriptFindObject(args, 2);
    if (impl && mask)
        impl->SetMaskObject(mask);
    return 0;
}

} // namespace

void tr_RegisterPartSysScriptApi(lua_State* L) {
    lua_register(L, "PartSysStart", PartSysStart);
    lua_register(L, "PartSysPause", PartSysPause);
    lua_register(L, "PartSysStop", PartSysStop);
    lua_register(L, "PartSysRestart", PartSysRestart);
    lua_register(L, "PartSysSetMaskObj", PartSysSetMaskObj);
}
