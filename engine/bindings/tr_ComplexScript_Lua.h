// tr_ComplexScript_Lua: the private Lua state of one scripted particle system.
// It opens the standard libraries, publishes the property indices and the
// eleven particle functions, and runs the system's scripts in protected
// mode. Each script is compiled once per state and the compiled chunk is
// reused, which runs exactly as compiling the same text again would. The
// functions find their system through an upvalue, never a global a script
// could overwrite. Owned by tr_PartSysImpl_Complex; the only particle code
// that touches Lua. Install() makes it the maker of every new scripted system.
#pragma once

#include "engine/objects/particles/tr_ComplexScript.h"

#include <string>
#include <vector>

struct lua_State;

class tr_ComplexScript_Lua final : public tr_ComplexScript {
public:
    explicit tr_ComplexScript_Lua(tr_PartSysImpl_Complex* system);
    ~tr_ComplexScript_Lua() override;
    tr_ComplexScript_Lua(const tr_ComplexScript_Lua&) = delete;
    tr_ComplexScript_Lua& operator=(const tr_ComplexScript_Lua&) = delete;

    static void Install();

    void SetFrameGlobals(int state, float dt) override;
    int ReadState() override;
    void Run(int id, const std::string& text, const char* chunk_name) override;

    lua_State* GetLua() const { return lua_; }

private:
    lua_State* lua_;
    // Per id: a registry reference to the compiled chunk, LUA_REFNIL when
    // the text does not compile, LUA_NOREF before the first run.
    std::vector<int> compiled_;
};
