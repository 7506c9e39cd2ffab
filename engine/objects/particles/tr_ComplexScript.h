// tr_ComplexScript: what a scripted particle system needs from its script
// language: the per-frame globals, the state variable, and running one of its
// scripts. The Lua implementation (tr_ComplexScript_Lua) lives with the script
// bindings, which install its maker when the engine core is made, so that the
// particle code never touches the language itself. Without a maker a scripted
// system runs no script. Made by and owned by tr_PartSysImpl_Complex.
#pragma once

#include <functional>
#include <memory>
#include <string>

class tr_PartSysImpl_Complex;

class tr_ComplexScript {
public:
    using Maker = std::function<std::unique_ptr<tr_ComplexScript>(tr_PartSysImpl_Complex*)>;

    virtual ~tr_ComplexScript() = default;

    // Sets "ps_state" and "ps_dt".
    virtual void SetFrameGlobals(int state, float dt) = 0;
    // "ps_state" rounded to the nearest integer; 0 when it is not a number.
    virtual int ReadState() = 0;
    // Runs text under id (one id per script of the system); chunk_name null
    // uses the text itself. Compile and run errors are dropped silently.
    virtual void Run(int id, const std::string& text, const char* chunk_name) = 0;

    static void SetMaker(Maker maker);
    // A new script state for system; null when no maker is installed.
    static std::unique_ptr<tr_ComplexScript> Make(tr_PartSysImpl_Complex* system);
};
