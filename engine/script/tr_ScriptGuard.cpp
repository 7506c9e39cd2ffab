#include "engine/script/tr_ScriptGuard.h"

#include "engine/core/tr_Log.h"

extern "C" {
#include <lauxlib.h>
#include <lua.h>
}

#include <cstdio>
#include <cstdlib>

namespace {

// Instructions between two looks at the clock: often enough to stop within a
// millisecond or so, rarely enough to cost nothing measurable.
constexpr int kHookInterval = 10000;

int Panic(lua_State* lua) {
    const char* message = lua_tostring(lua, -1);
    tr_Log("Error: unprotected error in Lua: %s", message ? message : "");
    return 0;
}

} // namespace

lua_State* tr_ScriptGuard::NewState() {
    lua_State* lua = lua_newstate(Allocate, this);
    if (!lua)
        return nullptr;
    main_ = lua;
    lua_atpanic(lua, Panic);
    lua_sethook(lua, Hook, LUA_MASKCOUNT, kHookInterval);
    lua_register(lua, "SetScriptLimits", SetScriptLimits);
    return lua;
}

void* tr_ScriptGuard::Allocate(void* user, void* block, size_t old_size, size_t new_size) {
    tr_ScriptGuard* guard = static_cast<tr_ScriptGuard*>(user);
    if (new_size == 0) {
        std::free(block);
        guard->memory_used_ -= old_size;
        return nullptr;
    }
    // Shrinking must not fail; growing past the limit is refused, but only
    // inside a run: there the error lands in the run's protected call, while
    // outside one it would end the process through the panic handler.
    if (new_size > old_size && guard->depth_ > 0 && guard->memory_limit_ != 0 &&
        guard->memory_used_ + (new_size - old_size) > guard->memory_limit_)
        return nullptr;
    void* moved = std::realloc(block, new_size);
    if (moved)
        guard->memory_used_ = guard->memory_used_ - old_size + new_size;
    return moved;
}

void tr_ScriptGuard::Hook(lua_State* lua, lua_Debug*) {
    void* user = nullptr;
    lua_getallocf(lua, &user);
    const tr_ScriptGuard* guard = static_cast<const tr_ScriptGuard*>(user);
    const bool expired =
        guard->depth_ > 0 && guard->time_limit_ > 0 &&
        std::chrono::duration<double>(std::chrono::steady_clock::now() - guard->run_start_)
                .count() > guard->time_limit_;
    if (!expired) {
        if (lua_gethookcount(lua) != kHookInterval)
            lua_sethook(lua, Hook, LUA_MASKCOUNT, kHookInterval);
        return;
    }
    // From now on every instruction raises the error, so a loop that catches
    // it with pcall fails at its next instruction outside the pcall. The main
    // thread too, for errors that end a coroutine.
    lua_sethook(lua, Hook, LUA_MASKCOUNT, 1);
    lua_sethook(guard->main_, Hook, LUA_MASKCOUNT, 1);
    char message[96];
    std::snprintf(message, sizeof message, "script stopped: it ran for more than %g seconds",
                  guard->time_limit_);
    luaL_error(lua, "%s", message);
}

// SetScriptLimits(seconds, megabytes): either may be nil to keep its value;
// 0 lifts a limit.
int tr_ScriptGuard::SetScriptLimits(lua_State* lua) {
    void* user = nullptr;
    lua_getallocf(lua, &user);
    tr_ScriptGuard* guard = static_cast<tr_ScriptGuard*>(user);
    const lua_Number seconds = lua_tonumber(lua, 1);
    if (lua_isnumber(lua, 1) && seconds >= 0)
        guard->time_limit_ = seconds;
    const lua_Number megabytes = lua_tonumber(lua, 2);
    if (lua_isnumber(lua, 2) && megabytes >= 0) {
        // Beyond what the address space could hold means no limit.
        const lua_Number bytes = megabytes * 1024 * 1024;
        guard->memory_limit_ = bytes < 1e18 ? static_cast<size_t>(bytes) : size_t(0);
    }
    return 0;
}

tr_ScriptGuard::Scope::Scope(tr_ScriptGuard& guard) : guard_(guard) {
    if (guard_.depth_++ == 0)
        guard_.run_start_ = std::chrono::steady_clock::now();
}

tr_ScriptGuard::Scope::~Scope() {
    --guard_.depth_;
}
