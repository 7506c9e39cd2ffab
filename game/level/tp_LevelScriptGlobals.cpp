#include "game/level/tp_LevelScriptGlobals.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_Log.h"
#include "engine/script/tr_ScriptState.h"

#include <string>

namespace {

const tp_CursorConstant kCursors[] = {
    {"CURSOR_NULL", 0}, {"CURSOR_DEFAULT", 1}, {"CURSOR_LOUPE", 2},   {"CURSOR_GET", 3},
    {"CURSOR_HAND", 4}, {"CURSOR_USE", 5},     {"CURSOR_DOWN", 6},    {"CURSOR_UP", 7},
    {"CURSOR_LEFT", 8}, {"CURSOR_RIGHT", 9},   {"CURSOR_FINGER", 10},
};

} // namespace

const tp_CursorConstant* tp_GetCursorConstants(int* count) {
    if (count)
        *count = static_cast<int>(sizeof(kCursors) / sizeof(kCursors[0]));
    return kCursors;
}

void tp_CreateLevelScriptGlobals() {
    tr_ScriptState& script = tr_EngineCore::Get()->GetScript();
    std::string error;
    if (!script.RunChunk("tp_global = {} tp_var = {}", "tp_level", &error))
        tr_Log("Error: level could not create its script tables: %s", error.c_str());
    for (const tp_CursorConstant& cursor : kCursors)
        script.SetGlobalNumber(cursor.name, cursor.index);
}
