// tp_GameScriptSaveData: the Lua side of a saved game. Turns the global table
// "tp_global" into the compact saved-game document and merges a document's
// data element back into it. Nested tables are written in traversal order;
// a table that contains itself (at any depth) or nesting deeper than
// kMaxDepth stops that branch with a log line instead of recursing without
// end. Loading stores entries into the existing table (entries absent from
// the file stay) and makes a fresh table for every nested one. Works on the
// Lua state it is given; owns nothing.
#pragma once

#include <string>

struct lua_State;
namespace tinyxml2 {
class XMLElement;
}

class tp_GameScriptSaveData {
public:
    static constexpr int kMaxDepth = 64;
    static constexpr const char* kGlobalName = "tp_global";

    // The whole document (profile / game_data / data) for tp_global; an
    // empty data element when tp_global is not a table.
    static std::string SaveGlobal(lua_State* L);
    // Merges the entries under data into tp_global (made when it is not a
    // table).
    static void LoadGlobal(lua_State* L, const tinyxml2::XMLElement& data);
};
