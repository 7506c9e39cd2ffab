// tr_ScriptGuard: keeps a runaway script from taking the game with it. It
// makes the Lua state (tr_ScriptState owns both and keeps the guard alive
// longer than the state): every allocation of the state goes through the
// guard, which refuses to grow the state past its memory limit (Lua then
// raises "not enough memory" in the script), and a count hook stops a run
// that has gone on longer than the time limit with a Lua error, which the
// caller's usual error line reports under the trigger's or module's name.
//
// A run is the time from the outermost protected call (marked with a Scope)
// to its return; calls nested inside it share its clock, so a script that
// keeps starting triggers is stopped as a whole. Content that runs long or
// large on purpose raises the limits with SetScriptLimits(seconds, megabytes).
#pragma once

#include <chrono>
#include <cstddef>

struct lua_State;
struct lua_Debug;

class tr_ScriptGuard {
public:
    static constexpr double kDefaultTimeLimit = 5.0;
    static constexpr size_t kDefaultMemoryLimit = size_t(256) * 1024 * 1024;

    tr_ScriptGuard() = default;
    tr_ScriptGuard(const tr_ScriptGuard&) = delete;
    tr_ScriptGuard& operator=(const tr_ScriptGuard&) = delete;

    // A new state allocating through this guard, with the hook set and the
    // SetScriptLimits function registered; null when Lua cannot start.
    lua_State* NewState();

    // Seconds a run may take; 0 or less turns the clock off.
    void SetTimeLimit(double seconds) { time_limit_ = seconds; }
    double GetTimeLimit() const { return time_limit_; }
    // Bytes the state may hold; 0 means no limit.
    void SetMemoryLimit(size_t bytes) { memory_limit_ = bytes; }
    size_t GetMemoryLimit() const { return memory_limit_; }
    size_t GetMemoryUsed() const { return memory_used_; }

    // Marks one protected call into Lua for the life of the scope.
    class Scope {
    public:
        explicit Scope(tr_ScriptGuard& guard);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        tr_ScriptGuard& guard_;
    };

private:
    static void* Allocate(void* guard, void* block, size_t old_size, size_t new_size);
    static void Hook(lua_State* lua, lua_Debug* debug);
    static int SetScriptLimits(lua_State* lua);

    double time_limit_ = kDefaultTimeLimit;
    size_t memory_limit_ = kDefaultMemoryLimit;
    size_t memory_used_ = 0;
    lua_State* main_ = nullptr;
    int depth_ = 0;
    std::chrono::steady_clock::time_point run_start_;
};
