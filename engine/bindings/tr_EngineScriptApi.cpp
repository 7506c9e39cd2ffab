#include "engine/bindings/tr_EngineScriptApi.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/bindings/tr_ScriptApi.h"
#include "engine/scene/tr_Scene.h"

void tr_RegisterEngineScriptApi(lua_State* L) {
    if (!L) {
        return;
    }
    tr_RegisterObjectScriptApi(L);
    tr_RegisterTriggerScriptApi(L);
    tr_RegisterMediaScriptApi(L);
    tr_RegisterAnimScriptApi(L);
    tr_RegisterPartSysScriptApi(L);
    tr_RegisterEngineInfoScriptApi(L);
}

tr_Scene& tr_ScriptScene() {
    return tr_EngineCore::Get()->GetScene();
}

tr_Object* tr_ScriptFindObject(const tr_ScriptArgs& args, int index) {
    std::string name;
    // An empty name would find whichever unnamed object comes first.
    if (!args.GetName(index, name) || name.empty()) {
        return nullptr;
    }
    return tr_ScriptScene().FindObject(name);
}
