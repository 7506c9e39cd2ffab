// tr_Trigger: a named piece of Lua code from a module file. Owned by the
// tr_TriggerRegistry once added (before that by whoever made it). The first
// Execute compiles the code into the global function named like the trigger;
// later calls fetch that global and call it, so script code that reassigns
// the global changes what the trigger runs. SetCode clears the compiled flag
// and the next Execute compiles the new code over the global.
// Execute needs a script state: the registry binds its own when it takes the
// trigger; an unbound trigger does nothing.
// A trigger read from a module carries its tr_ScriptSource, so compile and
// run errors name the module file and the line within it; code set later
// (SetCode) has no file and is named after the trigger.
#pragma once

#include "engine/script/tr_ScriptSource.h"

#include <string>

class tr_ScriptState;

class tr_Trigger {
public:
    tr_Trigger(std::string name, std::string code, tr_ScriptSource source = tr_ScriptSource());
    virtual ~tr_Trigger();
    virtual void Execute();
    // Compiles the code into the global named like the trigger, as the first
    // Execute does. False with the Lua message in *error (when given) on a
    // syntax error, or when no script state is bound; nothing is logged.
    bool Compile(std::string* error = nullptr);

    const std::string& GetName() const { return name_; }
    const std::string& GetCode() const { return code_; }
    void SetCode(const std::string& code);
    bool IsCompiled() const { return compiled_; }
    const tr_ScriptSource& GetSource() const { return source_; }

    void BindScript(tr_ScriptState* script) { script_ = script; }
    tr_ScriptState* GetScript() const { return script_; }

private:
    std::string name_;
    std::string code_;
    tr_ScriptSource source_;
    bool compiled_ = false;
    tr_ScriptState* script_ = nullptr;
};
