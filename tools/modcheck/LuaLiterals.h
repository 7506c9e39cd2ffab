// LuaLiterals: the calls in a piece of Lua code whose first argument is a
// plain string literal (SwitchRoom("garden"), StringGet("room_study")),
// with the line of the call counted from the code's first line. Comments
// and other strings are skipped; a first argument that is an expression
// ("a" .. b, a variable) is not a literal and is left out, since only a
// run can tell its value. Every use of a global-looking name (not after "."
// or ":") is listed too, with whether it is called there or declared
// ("function name", "local name").
#pragma once

#include <string>
#include <vector>

class LuaLiterals {
public:
    struct Call {
        std::string function;
        std::string literal;
        int line; // 0 for the code's first line
    };
    struct Name {
        std::string name;
        int line; // 0 for the code's first line
        bool called;
        bool declared;
    };
    struct Result {
        std::vector<Call> calls;
        std::vector<Name> names;
    };
    static Result Find(const std::string& code);
};
