// tr_ComplexScript: the private Lua state of one scripted particle system.
// It opens the standard libraries, publishes the property indices and the
// eleven particle functions, and runs the system's scripts in protected
// mode. Each script is compiled once per state and the compiled chunk is
// reused, which runs exactly as compiling the same text again would. The
// functions find their system through an upvalue, never a global a script
// could overwrite. Owned by tr_PartSysImpl_Complex; the only particle code
// that touches Lua.
#pragma once

#include <string>
#include <vector>

struct lua_State;
class tr_PartSysImpl_Complex;

class tr_ComplexScript {
public:
    explicit tr_ComplexScript(tr_PartSysImpl_Complex* system);
    ~tr_ComplexScript();
    tr_ComplexScript(const tr_ComplexScript&) = delete;
    tr_ComplexScript& operator=(const tr_ComplexScript&) = delete;

    // Sets "ps_state" and "ps_dt".
    void SetFrameGlobals(int state, float dt);
    // "ps_state" rounded to the nearest integer; 0 when it is not a number.
    int ReadState();
    // Runs text under id (one id per script of the system); chunk_name null
    // uses the text itself. Compile and run errors are dropped silently.
    void Run(int id, const std::string& text, const char* chunk_name);

    lua_State* GetLua() const { return lua_; }

private:
    lua_State* lua_;
    // Per id: a registry reference to the compiled chunk, LUA_REFNIL when
    // the text does not compile, LUA_NOREF before the first run.
    std::vector<int> compiled_;
};
