// ScriptChecker: the Lua side of a game's modules, checked once every module
// has been read into the ContentIndex. Every trigger is compiled at once
// through the engine's own trigger compile (a syntax error is otherwise met
// only when the trigger first runs), as are module code and inline event
// code; errors are placed at their line in the module file. Every call an
// attribute makes must name a defined trigger; string literals passed to
// the functions that take a room, a sub-room, a string id, a sound or a
// module must name one that exists. A called name that is neither a script
// function of the engine or the game, nor a Lua library function, nor
// declared, assigned or otherwise used by name anywhere in the content is a
// misspelling that would fail when it runs. Findings go to the report, which must
// outlive the checker.
#pragma once

#include "tools/modcheck/ContentIndex.h"

#include <string>

class CheckReport;

class ScriptChecker {
public:
    ScriptChecker(CheckReport& report, const ContentIndex& index);
    void Run();

private:
    void CompileChunks();
    void CheckCalls();
    void CheckLiterals(const ContentIndex::Chunk& chunk);
    void CheckRoomArguments();
    void CheckFunctionNames();
    void CheckFile(const ContentPlace& place, const std::string& function, const std::string& path,
                   const char* extension, const char* kind);

    CheckReport& report_;
    const ContentIndex& index_;
};
