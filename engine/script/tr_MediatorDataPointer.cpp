#include "engine/script/tr_MediatorDataPointer.h"

#include <lua.hpp>

void tr_MediatorDataPointer::PushToLua(lua_State* state) const {
    lua_pushlightuserdata(state, value_);
}
