// The Lua globals every level makes when it initialises: fresh empty tables
// "tp_global" (the player's progress, what the profile save stores) and
// "tp_var" (per-level scratch), replacing those of the previous level, and
// the CURSOR_* numbers of the cursors the application registers. Works on
// the engine core's script state.
#pragma once

struct tp_CursorConstant {
    const char* name;
    int index;
};

// The CURSOR_* names with their cursor indices, in index order.
const tp_CursorConstant* tp_GetCursorConstants(int* count);

void tp_CreateLevelScriptGlobals();
