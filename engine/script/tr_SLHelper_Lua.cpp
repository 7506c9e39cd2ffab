#include "engine/script/tr_SLHelper_Lua.h"

#include "engine/core/tr_SLHelper_Text.h"

#include <climits>
#include <cmath>
#include <lua.hpp>

int tr_SLHelper_Lua::RoundHalfEven(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    double rounded = std::floor(value);
    const double fraction = value - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) {
        rounded += 1.0;
    }
    if (rounded >= 2147483647.0) {
        return INT_MAX;
    }
    if (rounded <= -2147483648.0) {
        return INT_MIN;
    }
    return static_cast<int>(rounded);
}

bool tr_SLHelper_Lua::PushField(const char* key) {
    if (state_ == nullptr || !lua_istable(state_, -1) || !lua_checkstack(state_, 2)) {
        return false;
    }
    lua_getfield(state_, -1, key);
    if (lua_isnil(state_, -1)) {
        lua_pop(state_, 1);
        return false;
    }
    return true;
}

void tr_SLHelper_Lua::SetField(const char* key) {
    lua_setfield(state_, -2, key);
}

void tr_SLHelper_Lua::WriteString(const char* key, const std::string& value) {
    if (WritesSkipped() || state_ == nullptr || !lua_istable(state_, -1)) {
        return;
    }
    lua_pushlstring(state_, value.data(), value.size());
    SetField(key);
}

void tr_SLHelper_Lua::WriteFloat(const char* key, const float& value) {
    if (WritesSkipped() || state_ == nullptr || !lua_istable(state_, -1)) {
        return;
    }
    lua_pushnumber(state_, static_cast<lua_Number>(value));
    SetField(key);
}

void tr_SLHelper_Lua::WriteInt(const char* key, const int& value) {
    if (WritesSkipped() || state_ == nullptr || !lua_istable(state_, -1)) {
        return;
    }
    lua_pushnumber(state_, static_cast<lua_Number>(value));
    SetField(key);
}

void tr_SLHelper_Lua::WriteInt2(const char* key, const int& value) {
    WriteInt(key, value);
}

void tr_SLHelper_Lua::WriteBool(const char* key, const bool& value) {
    if (WritesSkipped() || state_ == nullptr || !lua_istable(state_, -1)) {
        return;
    }
    lua_pushboolean(state_, value ? 1 : 0);
    SetField(key);
}

bool tr_SLHelper_Lua::ReadString(const char* key, std::string& value) {
    if (!PushField(key)) {
        return false;
    }
    const int type = lua_type(state_, -1);
    if (type == LUA_TSTRING || type == LUA_TNUMBER) {
        size_t length = 0;
        const char* text = lua_tolstring(state_, -1, &length);
        value.assign(text, length);
    } else {
        value.clear();
    }
    lua_pop(state_, 1);
    return true;
}

bool tr_SLHelper_Lua::ReadFloat(const char* key, float& value) {
    if (!PushField(key)) {
        return false;
    }
    double number = lua_isnumber(state_, -1) ? lua_tonumber(state_, -1) : 0.0;
    if (std::isfinite(number) && std::fabs(number) > 3.4028234663852886e38) {
        number = number > 0 ? HUGE_VAL : -HUGE_VAL;
    }
    value = static_cast<float>(number);
    lua_pop(state_, 1);
    return true;
}

bool tr_SLHelper_Lua::ReadInt(const char* key, int& value) {
    if (!PushField(key)) {
        return false;
    }
    value = lua_isnumber(state_, -1) ? RoundHalfEven(lua_tonumber(state_, -1)) : 0;
    lua_pop(state_, 1);
    return true;
}

bool tr_SLHelper_Lua::ReadInt2(const char* key, int& value) {
    return ReadInt(key, value);
}

bool tr_SLHelper_Lua::ReadBool(const char* key, bool& value) {
    if (!PushField(key)) {
        return false;
    }
    switch (lua_type(state_, -1)) {
    case LUA_TBOOLEAN:
        value = lua_toboolean(state_, -1) != 0;
        break;
    case LUA_TNUMBER:
        value = lua_tonumber(state_, -1) != 0;
        break;
    case LUA_TSTRING:
        value = tr_SLHelper_Text::ToInt(lua_tostring(state_, -1)) != 0;
        break;
    default:
        value = false;
        break;
    }
    lua_pop(state_, 1);
    return true;
}
