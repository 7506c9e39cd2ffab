// Script functions that report the configuration (publisher addresses,
// edition flags) and facts about the machine (platform, audio output, a
// full screen imposed at start-up). Truth values are the numbers 1 and 0.
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/resources/media/tr_SoundHub.h"
#include "game/app/tp_GameScriptApi_Groups.h"
#include "game/core/tp_Config.h"
#include "game/core/tp_Messages.h"

#include <lua.hpp>

#include <string>

namespace {

void PushText(lua_State* L, const std::string& text) {
    lua_pushlstring(L, text.data(), text.size());
}

void PushTruth(lua_State* L, bool value) {
    lua_pushnumber(L, value ? 1 : 0);
}

int GetUrl(lua_State* L) {
    const tp_Config* config = tp_Config::Get();
    PushText(L, config ? config->url : std::string());
    return 1;
}

int GetGuideUrl(lua_State* L) {
    const tp_Config* config = tp_Config::Get();
    PushText(L, config ? config->guide_url : std::string());
    return 1;
}

// One edition flag of the configuration; clear without a configuration.
bool HasEdition(tp_Config::EditionFlag flag) {
    const tp_Config* config = tp_Config::Get();
    return config && config->HasEdition(flag);
}

int IsCollectorsEdition(lua_State* L) {
    PushTruth(L, HasEdition(tp_Config::EDITION_COLLECTORS));
    return 1;
}

int IsSurveyEdition(lua_State* L) {
    PushTruth(L, HasEdition(tp_Config::EDITION_SURVEY));
    return 1;
}

int IsCheater(lua_State* L) {
    PushTruth(L, HasEdition(tp_Config::EDITION_CHEAT));
    return 1;
}

int IsStreaming(lua_State* L) {
    PushTruth(L, HasEdition(tp_Config::EDITION_STREAMING));
    return 1;
}

int IsMac(lua_State* L) {
    PushTruth(L, false);
    return 1;
}

// 1 when no audio output is open (also before the sound hub exists).
int IsNoSoundDevice(lua_State* L) {
    const tr_SoundHub* hub = tr_SoundHub::Get();
    PushTruth(L, !hub || hub->IsNoSoundDevice());
    return 1;
}

int IsForceFullscreen(lua_State* L) {
    tr_MediatorDataTable data;
    tp_ScriptSend(AppIsForceFullscreen, data);
    const tr_MediatorData* result = data.Find("result");
    PushTruth(L, result && result->GetInt() != 0);
    return 1;
}

} // namespace

void tp_RegisterMachineScriptApi(lua_State* L) {
    lua_register(L, "GetUrl", GetUrl);
    lua_register(L, "GetGuideUrl", GetGuideUrl);
    lua_register(L, "IsCollectorsEdition", IsCollectorsEdition);
    lua_register(L, "IsSurveyEdition", IsSurveyEdition);
    lua_register(L, "IsCheater", IsCheater);
    lua_register(L, "IsStreaming", IsStreaming);
    lua_register(L, "IsMac", IsMac);
    lua_register(L, "IsNoSoundDevice", IsNoSoundDevice);
    lua_register(L, "IsForceFullscreen", IsForceFullscreen);
}
