// Script functions for the four sound categories: playing into "sfx",
// "env", "soundtrack" and "voice", and the category volumes the player's
// settings keep.
#include "engine/resources/media/tr_SoundHub.h"
#include "game/app/tp_GameScriptApi_Groups.h"
#include "game/core/tp_Settings.h"

#include <lua.hpp>

#include <cmath>
#include <string>

namespace {

// Play*(sound, loop, fade): loop is read as text and converted like atoi, so
// the string "1" and the number 1 both loop; fade is in seconds, 0 (no
// fade-in) when absent.
void PlayInto(lua_State* L, const char* category, bool keep) {
    tr_ScriptArgs args(L);
    const std::string sound = args.GetText(1);
    const bool loop = args.GetTextAsInt(2) != 0;
    // A fade that is not a finite number would never reach the volume.
    float fade = 0.0f;
    if (!tp_ScriptFloat(args.GetNumberOr(3, 0.0), fade)) {
        fade = 0.0f;
    }
    tr_SoundHub::GetOrCreate()->Play(sound, category, loop, keep, fade);
}

int PlaySfx(lua_State* L) {
    PlayInto(L, "sfx", true);
    return 0;
}

int PlayEnv(lua_State* L) {
    PlayInto(L, "env", false);
    return 0;
}

int PlaySoundtrack(lua_State* L) {
    PlayInto(L, "soundtrack", false);
    return 0;
}

int PlayVoice(lua_State* L) {
    PlayInto(L, "voice", false);
    return 0;
}

// SetSoundVolume(category, volume): clamped, kept in the settings for the
// four categories, passed to the sound hub for any.
int SetSoundVolume(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tp_Settings* settings = tp_Settings::Get()) {
        // Clamped here already, so no value is out of the float range.
        const double volume = std::fmin(std::fmax(args.GetNumberOr(2, 0.0), 0.0), 1.0);
        settings->SetVolume(args.GetText(1), static_cast<float>(volume));
    }
    return 0;
}

int GetSoundVolume(lua_State* L) {
    tr_ScriptArgs args(L);
    const tp_Settings* settings = tp_Settings::Get();
    const float volume = settings ? settings->GetVolume(args.GetText(1)) : 0.0f;
    lua_pushnumber(L, static_cast<lua_Number>(volume));
    return 1;
}

} // namespace

void tp_RegisterSoundScriptApi(lua_State* L) {
    lua_register(L, "PlaySfx", PlaySfx);
    lua_register(L, "PlayEnv", PlayEnv);
    lua_register(L, "PlaySoundtrack", PlaySoundtrack);
    lua_register(L, "PlayVoice", PlayVoice);
    lua_register(L, "SetSoundVolume", SetSoundVolume);
    lua_register(L, "GetSoundVolume", GetSoundVolume);
}
