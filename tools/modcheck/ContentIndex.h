// ContentIndex: what the modules of a game declare and use, gathered while
// they are read so that uses can be checked against every module at the end
// (an event in one module may call a trigger of another, a script may switch
// to a room of another level). Plain data, filled by ModuleChecker and read
// by ScriptChecker.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

struct ContentPlace {
    std::string file; // as shown in findings
    int line = 0;
};

struct ContentIndex {
    // Trigger call code from an attribute ("Name(args)" or "*code").
    struct Call {
        ContentPlace place;
        std::string object;
        std::string attribute;
        std::string code;
    };
    // Lua code with the file line its first line sits on.
    struct Chunk {
        ContentPlace place;
        std::string what;    // "trigger "x"", "module code", ...
        std::string trigger; // the trigger's name, "" for other code
        std::string code;
    };

    std::map<std::string, ContentPlace> objects;
    std::map<std::string, ContentPlace> triggers;
    std::set<std::string> rooms;
    std::set<std::string> subrooms;
    std::vector<Call> calls;
    std::vector<Chunk> chunks;
    // Start triggers named outside modules (the configuration's start point).
    std::vector<std::pair<ContentPlace, std::string>> required_triggers;
};
