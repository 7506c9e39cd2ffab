#include "engine/script/tr_ScriptState.h"

#include <algorithm>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}

namespace {

// Pops the error message on top of the stack into *error (when given).
void TakeError(lua_State* lua, std::string* error) {
    if (error) {
        const char* message = lua_tostring(lua, -1);
        *error = message ? message : "(error object is not a string)";
    }
    lua_pop(lua, 1);
}

// (name, value): globals[name] = value, metamethods included.
int AssignGlobal(lua_State* lua) {
    lua_settable(lua, LUA_GLOBALSINDEX);
    return 0;
}

// (name): globals[name], metamethods included.
int ReadGlobal(lua_State* lua) {
    lua_gettable(lua, LUA_GLOBALSINDEX);
    return 1;
}

} // namespace

tr_ScriptState::tr_ScriptState()
    : guard_(std::make_unique<tr_ScriptGuard>()), lua_(guard_->NewState()) {
    if (!lua_)
        return;
    luaL_openlibs(lua_);
    // Kept in the registry: pushing a fresh C function allocates, and these
    // run twice for every trigger call.
    lua_pushcfunction(lua_, AssignGlobal);
    assign_global_ = luaL_ref(lua_, LUA_REGISTRYINDEX);
    lua_pushcfunction(lua_, ReadGlobal);
    read_global_ = luaL_ref(lua_, LUA_REGISTRYINDEX);
}

tr_ScriptState::~tr_ScriptState() {
    if (lua_)
        lua_close(lua_);
}

bool tr_ScriptState::Call(int nargs, int nresults, std::string* error) const {
    tr_ScriptGuard::Scope run(*guard_);
    if (lua_pcall(lua_, nargs, nresults, 0) != 0) {
        TakeError(lua_, error);
        return false;
    }
    return true;
}

bool tr_ScriptState::CompileChunk(const std::string& code, const std::string& chunk_name,
                                  std::string* error) {
    if (!lua_)
        return false;
    if (luaL_loadbuffer(lua_, code.data(), code.size(), chunk_name.c_str()) != 0) {
        TakeError(lua_, error);
        return false;
    }
    lua_pop(lua_, 1);
    return true;
}

bool tr_ScriptState::RunChunk(const std::string& code, const std::string& chunk_name,
                              std::string* error) {
    if (!lua_)
        return false;
    const int top = lua_gettop(lua_);
    if (luaL_loadbuffer(lua_, code.data(), code.size(), chunk_name.c_str()) != 0) {
        TakeError(lua_, error);
        return false;
    }
    const bool ok = Call(0, LUA_MULTRET, error);
    lua_settop(lua_, top);
    return ok;
}

bool tr_ScriptState::SetGlobalFromTop(const std::string& name, std::string* error) {
    if (!lua_)
        return false;
    lua_rawgeti(lua_, LUA_REGISTRYINDEX, assign_global_);
    lua_pushlstring(lua_, name.data(), name.size());
    lua_pushvalue(lua_, -3);
    lua_remove(lua_, -4);
    return Call(2, 0, error);
}

bool tr_ScriptState::PushGlobal(const std::string& name, std::string* error) const {
    if (!lua_)
        return false;
    lua_rawgeti(lua_, LUA_REGISTRYINDEX, read_global_);
    lua_pushlstring(lua_, name.data(), name.size());
    if (!Call(1, 1, error)) {
        lua_pushnil(lua_);
        return false;
    }
    return true;
}

void tr_ScriptState::SetGlobalString(const std::string& name, const std::string& value) {
    if (!lua_)
        return;
    lua_pushlstring(lua_, value.data(), value.size());
    SetGlobalFromTop(name);
}

void tr_ScriptState::SetGlobalNumber(const std::string& name, double value) {
    if (!lua_)
        return;
    lua_pushnumber(lua_, value);
    SetGlobalFromTop(name);
}

void tr_ScriptState::SetGlobalNil(const std::string& name) {
    if (!lua_)
        return;
    lua_pushnil(lua_);
    SetGlobalFromTop(name);
}

bool tr_ScriptState::GetGlobalString(const std::string& name, std::string& value) const {
    if (!lua_)
        return false;
    PushGlobal(name);
    const bool ok = lua_isstring(lua_, -1) != 0;
    if (ok) {
        size_t length = 0;
        const char* text = lua_tolstring(lua_, -1, &length);
        value.assign(text, length);
    }
    lua_pop(lua_, 1);
    return ok;
}

bool tr_ScriptState::GetGlobalNumber(const std::string& name, double& value) const {
    if (!lua_)
        return false;
    PushGlobal(name);
    const bool ok = lua_isnumber(lua_, -1) != 0;
    if (ok)
        value = lua_tonumber(lua_, -1);
    lua_pop(lua_, 1);
    return ok;
}

bool tr_ScriptState::IsGlobalNil(const std::string& name) const {
    if (!lua_)
        return true;
    PushGlobal(name);
    const bool nil = lua_isnil(lua_, -1);
    lua_pop(lua_, 1);
    return nil;
}

std::vector<std::string> tr_ScriptState::GlobalNames(bool native_functions_only) const {
    std::vector<std::string> names;
    if (!lua_)
        return names;
    const int top = lua_gettop(lua_);
    // Raw access: content's metamethods on the globals table do not run here.
    lua_pushvalue(lua_, LUA_GLOBALSINDEX);
    lua_pushnil(lua_);
    while (lua_next(lua_, -2) != 0) {
        if (lua_type(lua_, -2) == LUA_TSTRING &&
            (!native_functions_only || lua_iscfunction(lua_, -1)))
            names.emplace_back(lua_tostring(lua_, -2));
        lua_pop(lua_, 1);
    }
    lua_settop(lua_, top);
    std::sort(names.begin(), names.end());
    return names;
}
