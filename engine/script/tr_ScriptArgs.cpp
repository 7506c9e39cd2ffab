#include "engine/script/tr_ScriptArgs.h"

#include "engine/core/tr_SLHelper_Text.h"
#include "engine/script/tr_SLHelper_Lua.h"

#include <lua.hpp>

tr_ScriptArgs::tr_ScriptArgs(lua_State* state)
    : state_(state), count_(state ? lua_gettop(state) : 0) {}

bool tr_ScriptArgs::IsNil(int index) const {
    return IsGiven(index) && lua_type(state_, index) == LUA_TNIL;
}

bool tr_ScriptArgs::IsString(int index) const {
    return IsGiven(index) && lua_type(state_, index) == LUA_TSTRING;
}

bool tr_ScriptArgs::IsNumber(int index) const {
    return IsGiven(index) && lua_type(state_, index) == LUA_TNUMBER;
}

bool tr_ScriptArgs::IsTable(int index) const {
    return IsGiven(index) && lua_type(state_, index) == LUA_TTABLE;
}

bool tr_ScriptArgs::IsNameLike(int index) const {
    return IsString(index) || IsNumber(index);
}

bool tr_ScriptArgs::GetName(int index, std::string& name) const {
    if (IsString(index)) {
        size_t length = 0;
        const char* text = lua_tolstring(state_, index, &length);
        name.assign(text, length);
        return true;
    }
    if (IsNumber(index)) {
        // lua_tolstring turns a number slot into a string in place; convert
        // a copy so the caller's argument keeps its type.
        lua_pushvalue(state_, index);
        size_t length = 0;
        const char* text = lua_tolstring(state_, -1, &length);
        name.assign(text, length);
        lua_pop(state_, 1);
        return true;
    }
    return false;
}

std::string tr_ScriptArgs::GetText(int index) const {
    std::string text;
    GetName(index, text);
    return text;
}

bool tr_ScriptArgs::GetNumber(int index, double& value) const {
    if (!IsNameLike(index) || !lua_isnumber(state_, index)) {
        return false;
    }
    value = static_cast<double>(lua_tonumber(state_, index));
    return true;
}

double tr_ScriptArgs::GetNumberOr(int index, double fallback) const {
    double value = fallback;
    return GetNumber(index, value) ? value : fallback;
}

int tr_ScriptArgs::GetFlag(int index) const {
    double value = 0.0;
    return GetNumber(index, value) ? tr_SLHelper_Lua::RoundHalfEven(value) : 0;
}

int tr_ScriptArgs::GetTextAsInt(int index) const {
    return tr_SLHelper_Text::ToInt(GetText(index).c_str());
}
