// The Lua half of the message values (tr_MediatorData and its kinds): how
// each kind is pushed onto a Lua stack and how Lua tables fill the containers.
// It lives with the script runtime so that the message values themselves, in
// engine/core, need no Lua.
#include "engine/core/tr_MediatorDataArray.h"
#include "engine/core/tr_MediatorDataFloat.h"
#include "engine/core/tr_MediatorDataInt.h"
#include "engine/core/tr_MediatorDataPointer.h"
#include "engine/core/tr_MediatorDataString.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/script/tr_MediatorDataLua.h"

#include <lua.hpp>

void tr_MediatorDataInt::PushToLua(lua_State* state) const {
    lua_pushnumber(state, static_cast<lua_Number>(value_));
}

void tr_MediatorDataFloat::PushToLua(lua_State* state) const {
    lua_pushnumber(state, static_cast<lua_Number>(value_));
}

void tr_MediatorDataString::PushToLua(lua_State* state) const {
    lua_pushlstring(state, value_.data(), value_.size());
}

void tr_MediatorDataPointer::PushToLua(lua_State* state) const {
    lua_pushlightuserdata(state, value_);
}

void tr_MediatorDataArray::FromLua(lua_State* state) {
    tr_MediatorDataLua(state).FillArray(-1, *this);
}

void tr_MediatorDataArray::PushToLua(lua_State* state) const {
    if (!lua_checkstack(state, 3)) {
        lua_pushnil(state);
        return;
    }
    lua_createtable(state, Count(), 0);
    int key = 1;
    for (const auto& element : elements_) {
        const int top = lua_gettop(state);
        element->PushToLua(state);
        if (lua_gettop(state) > top) {
            lua_rawseti(state, -2, key++);
        }
    }
}

void tr_MediatorDataTable::FromLua(lua_State* state) {
    tr_MediatorDataLua(state).FillTable(-1, *this);
}

void tr_MediatorDataTable::PushToLua(lua_State* state) const {
    if (!lua_checkstack(state, 3)) {
        lua_pushnil(state);
        return;
    }
    lua_createtable(state, 0, Count());
    for (const auto& entry : entries_) {
        const int top = lua_gettop(state);
        entry.second->PushToLua(state);
        if (lua_gettop(state) > top) {
            lua_setfield(state, -2, entry.first.c_str());
        }
    }
}
