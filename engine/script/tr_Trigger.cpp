#include "engine/script/tr_Trigger.h"

#include "engine/core/tr_Log.h"
#include "engine/script/tr_ScriptState.h"

extern "C" {
#include <lauxlib.h>
#include <lua.h>
}

#include <utility>

tr_Trigger::tr_Trigger(std::string name, std::string code, tr_ScriptSource source)
    : name_(std::move(name)), code_(std::move(code)), source_(std::move(source)) {}

tr_Trigger::~tr_Trigger() = default;

void tr_Trigger::SetCode(const std::string& code) {
    code_ = code;
    source_ = tr_ScriptSource();
    compiled_ = false;
}

bool tr_Trigger::Compile(std::string* error) {
    if (!script_ || !script_->GetLua()) {
        if (error)
            *error = "no script state";
        return false;
    }
    lua_State* lua = script_->GetLua();
    const int top = lua_gettop(lua);
    const std::string placed = source_.Placed(code_);
    const std::string chunk_name = source_.ChunkName(name_);
    if (luaL_loadbuffer(lua, placed.data(), placed.size(), chunk_name.c_str()) != 0) {
        const char* message = lua_tostring(lua, -1);
        if (error)
            *error = message ? message : "";
        lua_settop(lua, top);
        return false;
    }
    if (!script_->SetGlobalFromTop(name_, error)) {
        lua_settop(lua, top);
        return false;
    }
    lua_settop(lua, top);
    compiled_ = true;
    return true;
}

void tr_Trigger::Execute() {
    if (code_.empty() || !script_ || !script_->GetLua())
        return;
    lua_State* lua = script_->GetLua();
    const int top = lua_gettop(lua);
    if (!compiled_) {
        std::string error;
        if (!Compile(&error)) {
            tr_Log("Error: trigger %s try to compile - lua error: %s", name_.c_str(),
                   error.c_str());
            return;
        }
    }
    // The name is copied: the call may change this trigger's code (TrgSet),
    // and the registry keeps the trigger itself alive until we return.
    const std::string name = name_;
    std::string error;
    if (!script_->PushGlobal(name, &error)) {
        tr_Log("Error: trigger %s try to execute - lua error: %s", name.c_str(), error.c_str());
    } else if (!script_->Call(0, LUA_MULTRET, &error)) {
        tr_Log("Error: trigger %s try to execute - lua error: %s", name.c_str(), error.c_str());
    }
    lua_settop(lua, top);
}
