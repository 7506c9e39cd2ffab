#include "engine/script/tr_EngineScriptApi.h"

extern "C" {
#include <lua.h>
}

void tr_RegisterEngineScriptApi(lua_State* L) {
    (void)L;
}
