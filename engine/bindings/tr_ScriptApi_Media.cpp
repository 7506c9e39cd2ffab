// Script functions for sound (the process-wide sound hub) and video objects.
#include "engine/bindings/tr_ScriptApi.h"
#include "engine/objects/tr_Video.h"
#include "engine/resources/media/tr_SoundHub.h"

#include <lua.hpp>

#include <cfloat>
#include <cmath>
#include <string>

namespace {

// A fade time from a script in seconds. One that is not a finite float (NaN,
// math.huge, 1e300) would never finish its fade, or not convert at all, so it
// counts as no fade.
float FadeSeconds(const tr_ScriptArgs& args, int index) {
    const double seconds = args.GetNumberOr(index, 0.0);
    return std::fabs(seconds) <= static_cast<double>(FLT_MAX) ? static_cast<float>(seconds) : 0.0f;
}

// SndPlay(sound, category, loop, keep, fade-in seconds): the two flags are
// read as text the way content writes them ("1", 1, "0"); the optional fifth
// argument is the hub's fade-in time, 0 (start at full volume) when absent.
int SndPlay(lua_State* L) {
    tr_ScriptArgs args(L);
    const bool loop = args.GetTextAsInt(3) != 0;
    const bool keep = args.GetTextAsInt(4) != 0;
    tr_SoundHub::GetOrCreate()->Play(args.GetText(1), args.GetText(2), loop, keep,
                                     FadeSeconds(args, 5));
    return 0;
}

// SndStop(sound, fade seconds): without a fade the sound stops at once.
int SndStop(lua_State* L) {
    tr_ScriptArgs args(L);
    std::string name;
    if (args.GetName(1, name)) {
        tr_SoundHub::GetOrCreate()->FadeOutByName(name, FadeSeconds(args, 2));
    }
    return 0;
}

// SndPauseAll(flag): Lua truth decides, so SndPauseAll(0) pauses and a
// missing flag resumes.
int SndPauseAll(lua_State* L) {
    tr_ScriptArgs args(L);
    const bool pause = args.IsGiven(1) && lua_toboolean(L, 1) != 0;
    tr_SoundHub::GetOrCreate()->SetPausedAll(pause);
    return 0;
}

int VidPlay(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_Video* video = tr_ScriptFindObjectAs<tr_Video>(args, 1)) {
        video->Play(args.GetText(2));
    }
    return 0;
}

int VidStop(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_Video* video = tr_ScriptFindObjectAs<tr_Video>(args, 1)) {
        video->Rewind();
    }
    return 0;
}

int VidPause(lua_State* L) {
    tr_ScriptArgs args(L);
    if (tr_Video* video = tr_ScriptFindObjectAs<tr_Video>(args, 1)) {
        video->SetPaused(args.GetFlag(2) > 0);
    }
    return 0;
}

} // namespace

void tr_RegisterMediaScriptApi(lua_State* L) {
    lua_register(L, "SndPlay", SndPlay);
    lua_register(L, "SndStop", SndStop);
    lua_register(L, "SndPauseAll", SndPauseAll);
    lua_register(L, "VidPlay", VidPlay);
    lua_register(L, "VidStop", VidStop);
    lua_register(L, "VidPause", VidPause);
}
