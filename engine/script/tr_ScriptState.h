// tr_ScriptState: the one Lua 5.1 state of the process, with every standard
// library open. Created and owned by tr_EngineCore (reach it as
// tr_EngineCore::Get()->GetScript()); it lives exactly as long as the core.
// Everything that runs Lua code goes through protected calls, so a script
// error never unwinds through C++ frames; the state's panic handler only
// fires for errors outside protected calls. Those calls run under the
// state's tr_ScriptGuard (time and memory limits of a runaway script).
#pragma once

#include "engine/script/tr_ScriptGuard.h"

#include <memory>
#include <string>
#include <vector>

struct lua_State;

class tr_ScriptState {
public:
    tr_ScriptState();
    ~tr_ScriptState();
    tr_ScriptState(const tr_ScriptState&) = delete;
    tr_ScriptState& operator=(const tr_ScriptState&) = delete;

    lua_State* GetLua() const { return lua_; }
    tr_ScriptGuard& GetGuard() const { return *guard_; }

    // lua_pcall under the guard: the function and its nargs arguments on top
    // of the stack are replaced by nresults results, or by nothing on an
    // error, whose message goes to *error (when given).
    bool Call(int nargs, int nresults, std::string* error = nullptr) const;

    // Compiles code (chunk_name names it in error messages) and runs it in
    // protected mode, discarding any results. On a compile or run error
    // returns false with the Lua message in *error (when given); nothing is
    // logged here: each caller has its own report. The stack is left as it
    // was in every case.
    bool RunChunk(const std::string& code, const std::string& chunk_name,
                  std::string* error = nullptr);
    // Compiles code without running it; the same error contract as RunChunk.
    bool CompileChunk(const std::string& code, const std::string& chunk_name,
                      std::string* error = nullptr);

    // Global access in protected mode: content may give the globals table
    // metamethods that raise errors (undeclared-variable guards), and such an
    // error outside a protected call would end the process. Both return
    // false with the Lua message in *error (when given) when that happens.
    // SetGlobalFromTop pops the value on top of the stack and assigns it;
    // PushGlobal pushes the global's value (nil after an error).
    bool SetGlobalFromTop(const std::string& name, std::string* error = nullptr);
    bool PushGlobal(const std::string& name, std::string* error = nullptr) const;

    // Plain global access for native callers and tests, protected as above.
    void SetGlobalString(const std::string& name, const std::string& value);
    void SetGlobalNumber(const std::string& name, double value);
    void SetGlobalNil(const std::string& name);
    // False when the global is not a string or number (value untouched).
    bool GetGlobalString(const std::string& name, std::string& value) const;
    // False when the global is not a number or numeric string.
    bool GetGlobalNumber(const std::string& name, double& value) const;
    bool IsGlobalNil(const std::string& name) const;
    // The names of the globals (only those holding native functions when
    // native_functions_only), sorted: what content can call by name.
    std::vector<std::string> GlobalNames(bool native_functions_only) const;

private:
    // Made before the state, which allocates through it, and freed after it.
    std::unique_ptr<tr_ScriptGuard> guard_;
    lua_State* lua_;
    // Registry references of the protected global assignment and read.
    int assign_global_ = 0;
    int read_global_ = 0;
};
