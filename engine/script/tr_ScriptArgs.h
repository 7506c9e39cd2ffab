// tr_ScriptArgs: loose, non-throwing reading of the arguments a native script
// function receives, by position from 1. Names accept strings and numbers
// (a number stands for its Lua text form); numbers accept numbers and
// numeric strings; flags are numbers rounded to the nearest integer with
// halves to even, 0 when missing or not numeric. Nothing here raises a Lua
// error, so the native functions built on it can fail silently.
//
// Lives on the native function's own stack frame and reads the stack it was
// made from; it never changes that stack.
#pragma once

#include <string>

struct lua_State;

class tr_ScriptArgs {
public:
    explicit tr_ScriptArgs(lua_State* state);

    lua_State* GetLua() const { return state_; }
    int Count() const { return count_; }
    // Passed by the caller, even as nil.
    bool IsGiven(int index) const { return index >= 1 && index <= count_; }
    // Passed as an explicit nil (a missing argument is not nil here).
    bool IsNil(int index) const;
    bool IsString(int index) const;
    bool IsNumber(int index) const;
    bool IsTable(int index) const;
    // A Lua string or a Lua number.
    bool IsNameLike(int index) const;

    // The name at index (numbers in their Lua text form); false otherwise.
    bool GetName(int index, std::string& name) const;
    // GetName, or the empty string.
    std::string GetText(int index) const;
    // A number or a numeric string; false otherwise.
    bool GetNumber(int index, double& value) const;
    double GetNumberOr(int index, double fallback) const;
    // The rounded number (halves to even); 0 when missing or not numeric.
    int GetFlag(int index) const;
    // The text form read the way C's atoi reads it (SndPlay's flags).
    int GetTextAsInt(int index) const;

private:
    lua_State* state_;
    int count_;
};
