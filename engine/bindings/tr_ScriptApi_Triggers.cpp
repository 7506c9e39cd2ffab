// Script functions for triggers, modules and object creation, and the two
// functions content calls that the engine ignores.
#include "engine/bindings/tr_EngineCore.h"
#include "engine/bindings/tr_ModuleLoader.h"
#include "engine/bindings/tr_ScriptApi.h"
#include "engine/core/tr_Log.h"
#include "engine/objects/tr_ObjectFactory.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_Scene.h"
#include "engine/script/tr_Trigger.h"
#include "engine/script/tr_TriggerRegistry.h"

#include <lua.hpp>

#include <string>

namespace {

tr_TriggerRegistry& Triggers() {
    return tr_EngineCore::Get()->GetTriggers();
}

// TrgExecute(code): runs code at once, as if an object named "tr_undef" had
// asked for it.
int TrgExecute(lua_State* L) {
    tr_ScriptArgs args(L);
    std::string code;
    if (!args.GetName(1, code)) {
        tr_Log("Error: TrgExecute try execute with null code!");
        return 0;
    }
    Triggers().CallNow("tr_undef", code);
    return 0;
}

// TrgGet(name): { name = ..., code = ... }, or nil for an unknown trigger.
int TrgGet(lua_State* L) {
    tr_ScriptArgs args(L);
    std::string name;
    const tr_Trigger* trigger = args.GetName(1, name) ? Triggers().FindTrigger(name) : nullptr;
    if (!trigger) {
        lua_pushnil(L);
        return 1;
    }
    lua_createtable(L, 0, 2);
    lua_pushlstring(L, trigger->GetName().data(), trigger->GetName().size());
    lua_setfield(L, -2, "name");
    lua_pushlstring(L, trigger->GetCode().data(), trigger->GetCode().size());
    lua_setfield(L, -2, "code");
    return 1;
}

// TrgSet(name, { code = ... }): new code, compiled at the trigger's next call.
// A code that is neither a string nor a number has no text and is ignored.
int TrgSet(lua_State* L) {
    tr_ScriptArgs args(L);
    std::string name;
    tr_Trigger* trigger = args.GetName(1, name) ? Triggers().FindTrigger(name) : nullptr;
    if (!trigger || !args.IsTable(2)) {
        return 0;
    }
    lua_pushstring(L, "code");
    lua_rawget(L, 2);
    const int type = lua_type(L, -1);
    if (type == LUA_TSTRING || type == LUA_TNUMBER) {
        size_t length = 0;
        const char* code = lua_tolstring(L, -1, &length);
        trigger->SetCode(std::string(code, length));
    }
    lua_pop(L, 1);
    return 0;
}

int TrgDelete(lua_State* L) {
    tr_ScriptArgs args(L);
    std::string name;
    if (args.GetName(1, name)) {
        Triggers().DeleteTrigger(name);
    }
    return 0;
}

int ModLoad(lua_State* L) {
    tr_ScriptArgs args(L);
    std::string path;
    if (args.GetName(1, path)) {
        tr_LoadModule(path);
    }
    return 0;
}

// ObjCreate(type, name): a new object with default attributes, parked under
// the storage root until content attaches it somewhere. A scene root's name
// is refused: the new object would take the root's place in name lookups.
int ObjCreate(lua_State* L) {
    tr_ScriptArgs args(L);
    std::string type;
    if (!args.GetName(1, type)) {
        return 0;
    }
    const std::string name = args.GetText(2);
    tr_Scene& scene = tr_ScriptScene();
    if (name == scene.GetDisplayRoot()->GetName() || name == scene.GetStorageRoot()->GetName()) {
        tr_Log("Warning: ObjCreate refused: the name %s belongs to a scene root", name.c_str());
        return 0;
    }
    if (tr_Object* object = tr_ObjectFactory::Get().CreateObject(type, name)) {
        tr_Object::Attach(scene.GetStorageRoot(), object);
    }
    return 0;
}

// Debug output and the cheat counter reset are not part of the engine;
// content still calls them, so they exist and do nothing.
int Ignored(lua_State*) {
    return 0;
}

} // namespace

void tr_RegisterTriggerScriptApi(lua_State* L) {
    lua_register(L, "TrgExecute", TrgExecute);
    lua_register(L, "TrgGet", TrgGet);
    lua_register(L, "TrgSet", TrgSet);
    lua_register(L, "TrgDelete", TrgDelete);
    lua_register(L, "ModLoad", ModLoad);
    lua_register(L, "ObjCreate", ObjCreate);
    lua_register(L, "DbgTrace", Ignored);
    lua_register(L, "CheaterReset", Ignored);
}
