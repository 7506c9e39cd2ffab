// Script functions for the player's settings: performance mode, gamma, full
// screen and wide layout (both through the engine's toggle-fullscreen hook,
// which re-selects the display mode), system cursors, and saving the file.
#include "engine/host/Tarrow.h"
#include "engine/objects/tr_Cursor.h"
#include "game/app/tp_GameScriptApi_Groups.h"
#include "game/core/tp_Settings.h"

#include <lua.hpp>

namespace {

// Lua truth: nil, false and a missing argument are false; 0 is true.
bool ReadFlag(lua_State* L, int index) {
    return lua_toboolean(L, index) != 0;
}

// The engine's toggle-fullscreen hook with the full-screen value wanted;
// false when no engine or no hook is there to switch.
bool CallToggleFullscreen(bool fullscreen) {
    Tarrow* engine = Tarrow::Get();
    Tarrow::ToggleFullscreenHook toggle = engine ? engine->GetToggleFullscreenHook() : nullptr;
    return toggle ? toggle(fullscreen) : false;
}

int GetPerformanceMode(lua_State* L) {
    const tp_Settings* settings = tp_Settings::Get();
    lua_pushnumber(L, settings ? settings->performance : 0);
    return 1;
}

int SetPerformanceMode(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tp_Settings* settings = tp_Settings::Get()) {
        settings->performance = args.GetFlag(1);
    }
    return 0;
}

int GetGamma(lua_State* L) {
    const tp_Settings* settings = tp_Settings::Get();
    lua_pushnumber(L, settings ? static_cast<lua_Number>(settings->gamma) : 1.0);
    return 1;
}

// SetGamma(gamma): a value that is not a finite float is ignored rather
// than stored in the settings file.
int SetGamma(lua_State* L) {
    tr_ScriptArgs args(L);
    float gamma = 0.0f;
    if (!tp_ScriptFloat(args.GetNumberOr(1, 0.0), gamma)) {
        return 0;
    }
    if (tp_Settings* settings = tp_Settings::Get()) {
        settings->gamma = gamma;
    }
    if (Tarrow* engine = Tarrow::Get()) {
        engine->SetGamma(gamma);
    }
    return 0;
}

// SetFullScreen(fullscreen): true when nothing needs to change, else what
// the switch reports.
int SetFullScreen(lua_State* L) {
    const bool wanted = ReadFlag(L, 1);
    tp_Settings* settings = tp_Settings::Get();
    bool result = false;
    if (settings) {
        result = wanted == settings->fullscreen ? true : CallToggleFullscreen(wanted);
    }
    lua_pushboolean(L, result ? 1 : 0);
    return 1;
}

int GetFullScreen(lua_State* L) {
    const tp_Settings* settings = tp_Settings::Get();
    lua_pushboolean(L, settings && settings->fullscreen ? 1 : 0);
    return 1;
}

// SetWideScreen(widescreen): the new layout is stored first, so the toggle
// selects the mode for it at the current full-screen value.
int SetWideScreen(lua_State* L) {
    const bool wanted = ReadFlag(L, 1);
    tp_Settings* settings = tp_Settings::Get();
    bool result = false;
    if (settings) {
        if (wanted == settings->widescreen) {
            result = true;
        } else {
            settings->widescreen = wanted;
            result = CallToggleFullscreen(settings->fullscreen);
        }
    }
    lua_pushboolean(L, result ? 1 : 0);
    return 1;
}

int GetWideScreen(lua_State* L) {
    const tp_Settings* settings = tp_Settings::Get();
    lua_pushboolean(L, settings && settings->widescreen ? 1 : 0);
    return 1;
}

int SetSysCursor(lua_State* L) {
    const bool on = ReadFlag(L, 1);
    if (tp_Settings* settings = tp_Settings::Get()) {
        settings->syscursor = on;
    }
    if (tr_Cursor* cursor = tr_Cursor::Get()) {
        cursor->SetSystemMode(on);
    }
    return 0;
}

int GetSysCursor(lua_State* L) {
    const tp_Settings* settings = tp_Settings::Get();
    lua_pushboolean(L, settings && settings->syscursor ? 1 : 0);
    return 1;
}

int SaveSettings(lua_State*) {
    if (const tp_Settings* settings = tp_Settings::Get()) {
        settings->Save();
    }
    return 0;
}

} // namespace

void tp_RegisterSettingsScriptApi(lua_State* L) {
    lua_register(L, "GetPerformanceMode", GetPerformanceMode);
    lua_register(L, "SetPerformanceMode", SetPerformanceMode);
    lua_register(L, "GetGamma", GetGamma);
    lua_register(L, "SetGamma", SetGamma);
    lua_register(L, "SetFullScreen", SetFullScreen);
    lua_register(L, "GetFullScreen", GetFullScreen);
    lua_register(L, "SetWideScreen", SetWideScreen);
    lua_register(L, "GetWideScreen", GetWideScreen);
    lua_register(L, "SetSysCursor", SetSysCursor);
    lua_register(L, "GetSysCursor", GetSysCursor);
    lua_register(L, "SaveSettings", SaveSettings);
}
