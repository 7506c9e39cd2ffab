// Script functions for the cursor, the string table and engine facts, and
// Lua's print routed through the log.
#include "engine/bindings/tr_EngineCore.h"
#include "engine/bindings/tr_ScriptApi.h"
#include "engine/core/tr_Log.h"
#include "engine/objects/tr_Cursor.h"
#include "engine/resources/text/tr_StringTable.h"

#include <lua.hpp>

#include <cmath>
#include <string>

namespace {

// SetCursor(index): content passes the CURSOR_* numbers; a registered
// shape name works too. An explicit nil is a content mistake worth a line.
int SetCursor(lua_State* L) {
    tr_ScriptArgs args(L);
    if (args.IsNil(1)) {
        tr_Log("Warning: SetCursor try set cursor to nil!\n");
        return 0;
    }
    std::string name;
    tr_Cursor* cursor = tr_Cursor::Get();
    if (cursor && args.GetName(1, name)) {
        cursor->SetCurrentByName(name);
    }
    return 0;
}

// A cursor coordinate truncated toward zero; 0 when there is no cursor.
lua_Number Truncated(float value) {
    return std::isfinite(value) ? std::trunc(static_cast<lua_Number>(value)) : 0;
}

int CursorPosX(lua_State* L) {
    const tr_Cursor* cursor = tr_Cursor::Get();
    lua_pushnumber(L, cursor ? Truncated(cursor->GetX()) : 0);
    return 1;
}

int CursorPosY(lua_State* L) {
    const tr_Cursor* cursor = tr_Cursor::Get();
    lua_pushnumber(L, cursor ? Truncated(cursor->GetY()) : 0);
    return 1;
}

// StringGet(key, p1, ..., p5): missing substitutions are empty strings.
int StringGet(lua_State* L) {
    tr_ScriptArgs args(L);
    const std::string text =
        tr_StringTable::GetOrCreate()->StringGet(args.GetText(1), args.GetText(2), args.GetText(3),
                                                 args.GetText(4), args.GetText(5), args.GetText(6));
    lua_pushlstring(L, text.data(), text.size());
    return 1;
}

int GetEngineVersion(lua_State* L) {
    lua_pushstring(L, "0.5");
    return 1;
}

int GetFPS(lua_State* L) {
    const tr_EngineCore* core = tr_EngineCore::GetIfCreated();
    lua_pushnumber(L, core ? static_cast<lua_Number>(core->GetHostFrameRate()) : 0);
    return 1;
}

// print(...): Lua's own writes to standard output only, and block-buffered
// when that is a file or pipe. Through the log each call is one line,
// flushed at once and kept in the log file too. Values are converted with
// the global tostring and joined by tabs, as Lua's print does.
int Print(lua_State* L) {
    const int count = lua_gettop(L);
    std::string line;
    lua_getglobal(L, "tostring");
    for (int i = 1; i <= count; ++i) {
        lua_pushvalue(L, -1);
        lua_pushvalue(L, i);
        lua_call(L, 1, 1);
        size_t length = 0;
        const char* text = lua_tolstring(L, -1, &length);
        if (!text)
            return luaL_error(L, "'tostring' must return a string to 'print'");
        if (i > 1)
            line.push_back('\t');
        line.append(text, length);
        lua_pop(L, 1);
    }
    tr_Log("%s", line.c_str());
    return 0;
}

} // namespace

void tr_RegisterEngineInfoScriptApi(lua_State* L) {
    lua_register(L, "print", Print);
    lua_register(L, "SetCursor", SetCursor);
    lua_register(L, "CursorPosX", CursorPosX);
    lua_register(L, "CursorPosY", CursorPosY);
    lua_register(L, "StringGet", StringGet);
    lua_register(L, "GetEngineVersion", GetEngineVersion);
    lua_register(L, "GetFPS", GetFPS);
}
