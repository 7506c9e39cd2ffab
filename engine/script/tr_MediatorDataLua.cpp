#include "engine/script/tr_MediatorDataLua.h"

#include "engine/core/tr_Log.h"
#include "engine/core/tr_MediatorDataArray.h"
#include "engine/core/tr_MediatorDataFloat.h"
#include "engine/core/tr_MediatorDataInt.h"
#include "engine/core/tr_MediatorDataString.h"
#include "engine/core/tr_MediatorDataTable.h"

#include <algorithm>
#include <cmath>
#include <lua.hpp>
#include <string>

namespace {

// A whole number that fits in 32 bits is an Int; anything else (fractions,
// huge values, inf, nan) stays a Float rather than being converted with
// undefined results.
tr_MediatorData* ConvertNumber(lua_Number value) {
    if (std::isfinite(value) && value == std::floor(value) && value >= -2147483648.0 &&
        value <= 2147483647.0) {
        return new tr_MediatorDataInt(static_cast<int>(value));
    }
    return new tr_MediatorDataFloat(static_cast<float>(value));
}

} // namespace

bool tr_MediatorDataLua::CanEnter(int index) {
    const void* table = lua_topointer(state_, index);
    if (static_cast<int>(path_.size()) >= kMaxDepth ||
        std::find(path_.begin(), path_.end(), table) != path_.end() || !lua_checkstack(state_, 4)) {
        tr_Log("Error while parsing LUA table: nested table is recursive or too deep.");
        return false;
    }
    return true;
}

bool tr_MediatorDataLua::Enter(int index) {
    if (!CanEnter(index)) {
        return false;
    }
    path_.push_back(lua_topointer(state_, index));
    return true;
}

void tr_MediatorDataLua::FillTable(int index, tr_MediatorDataTable& table) {
    lua_State* L = state_;
    const int t = index < 0 ? lua_gettop(L) + index + 1 : index;
    if (!lua_istable(L, t) || !Enter(t)) {
        return;
    }
    lua_pushnil(L);
    while (lua_next(L, t) != 0) {
        // Never lua_tostring a number key: it would change the key under next().
        if (lua_type(L, -2) != LUA_TSTRING || lua_objlen(L, -2) == 0) {
            tr_Log("Error while parsing LUA table: no string key value.");
            lua_pop(L, 2);
            break;
        }
        size_t length = 0;
        const char* key = lua_tolstring(L, -2, &length);
        if (tr_MediatorData* value = Convert(lua_gettop(L))) {
            table.Set(std::string(key, length), value);
        }
        lua_pop(L, 1);
    }
    Leave();
}

void tr_MediatorDataLua::FillArray(int index, tr_MediatorDataArray& array) {
    lua_State* L = state_;
    const int t = index < 0 ? lua_gettop(L) + index + 1 : index;
    if (!lua_istable(L, t) || !Enter(t)) {
        return;
    }
    lua_pushnil(L);
    while (lua_next(L, t) != 0) {
        array.Add(Convert(lua_gettop(L)));
        lua_pop(L, 1);
    }
    Leave();
}

tr_MediatorData* tr_MediatorDataLua::Convert(int index) {
    switch (lua_type(state_, index)) {
    case LUA_TNUMBER:
        return ConvertNumber(lua_tonumber(state_, index));
    case LUA_TSTRING: {
        size_t length = 0;
        const char* text = lua_tolstring(state_, index, &length);
        return new tr_MediatorDataString(std::string(text, length));
    }
    case LUA_TTABLE:
        return ConvertTable(index);
    default:
        return nullptr;
    }
}

tr_MediatorData* tr_MediatorDataLua::ConvertTable(int index) {
    lua_State* L = state_;
    if (!CanEnter(index)) {
        return nullptr;
    }
    lua_pushnil(L);
    if (lua_next(L, index) == 0) {
        return new tr_MediatorDataTable();
    }
    const bool string_key = lua_type(L, -2) == LUA_TSTRING;
    lua_pop(L, 2);
    if (string_key) {
        auto* nested = new tr_MediatorDataTable();
        FillTable(index, *nested);
        return nested;
    }
    auto* nested = new tr_MediatorDataArray();
    FillArray(index, *nested);
    return nested;
}
