// Script functions for the level, its rooms and sub-rooms, and the flow of
// the game: each one turns its arguments into a level or application message.
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/host/Tarrow.h"
#include "engine/scene/tr_Object.h"
#include "game/app/tp_GameScriptApi_Groups.h"
#include "game/core/tp_Messages.h"

#include <lua.hpp>

#include <string>

namespace {

// Sends id with one int value under key.
void SendInt(int id, const char* key, int value) {
    tr_MediatorDataTable data;
    data.SetInt(key, value);
    tp_ScriptSend(id, data);
}

// SwitchRoom(room_name, fade): fade 1 (animated) unless a second argument
// says otherwise; nil counts as not given.
int SwitchRoom(lua_State* L) {
    tr_ScriptArgs args(L);
    tr_MediatorDataTable data;
    data.SetString("room_name", args.GetText(1));
    data.SetInt("fade", args.IsGiven(2) && !args.IsNil(2) ? args.GetFlag(2) : 1);
    data.SetInt("subroom", 0);
    data.SetInt("subroom_close", 0);
    tp_ScriptSend(LevelSwitchRoom, data);
    return 0;
}

// OpenSubRoom(name, start_x, start_y, end_x, end_y): always animated.
int OpenSubRoom(lua_State* L) {
    tr_ScriptArgs args(L);
    if (!args.IsNameLike(1)) {
        return 0;
    }
    tr_MediatorDataTable data;
    data.SetString("room_name", args.GetText(1));
    data.SetInt("fade", 1);
    data.SetInt("subroom", 1);
    data.SetInt("subroom_close", 0);
    data.SetInt("subroom_start_x", args.GetFlag(2));
    data.SetInt("subroom_start_y", args.GetFlag(3));
    data.SetInt("subroom_end_x", args.GetFlag(4));
    data.SetInt("subroom_end_y", args.GetFlag(5));
    tp_ScriptSend(LevelSwitchRoom, data);
    return 0;
}

int CloseSubRoom(lua_State*) {
    tr_MediatorDataTable data;
    data.SetInt("fade", 1);
    data.SetInt("subroom", 1);
    data.SetInt("subroom_close", 1);
    tp_ScriptSend(LevelSwitchRoom, data);
    return 0;
}

int BlockSubRoomClose(lua_State* L) {
    SendInt(LevelBlockSubRoomClose, "block", tr_ScriptArgs(L).GetFlag(1));
    return 0;
}

// GetCurrentRoom(): the open sub-room's name, else the room's, else "".
int GetCurrentRoom(lua_State* L) {
    const tr_Object* room = tp_ScriptCurrentRoom();
    const std::string name = room ? room->GetName() : std::string();
    lua_pushlstring(L, name.data(), name.size());
    return 1;
}

int SetAutoSave(lua_State* L) {
    SendInt(LevelSetAutoSave, "autosave", tr_ScriptArgs(L).GetFlag(1));
    return 0;
}

int ShowBlur(lua_State* L) {
    SendInt(LevelShowBlur, "show", tr_ScriptArgs(L).GetFlag(1));
    return 0;
}

int PauseLevel(lua_State* L) {
    SendInt(LevelPause, "pause", tr_ScriptArgs(L).GetFlag(1));
    return 0;
}

// SwitchLevel(module, start trigger). The key's spelling is what the
// application reads.
int SwitchLevel(lua_State* L) {
    tr_ScriptArgs args(L);
    tr_MediatorDataTable data;
    data.SetString("module", args.GetText(1));
    data.SetString("start_triger", args.GetText(2));
    tp_ScriptSend(AppSwitchLevel, data);
    return 0;
}

int Quit(lua_State*) {
    if (Tarrow* engine = Tarrow::Get()) {
        engine->RequestClose();
    }
    return 0;
}

// GetAppWidth(): the layout width the application reports; 0 when no
// application answers.
int GetAppWidth(lua_State* L) {
    tr_MediatorDataTable data;
    tp_ScriptSend(AppGetWidth, data);
    const tr_MediatorData* width = data.Find("width");
    lua_pushnumber(L, width ? static_cast<lua_Number>(width->GetFloat()) : 0);
    return 1;
}

int UpdateGameMode(lua_State* L) {
    SendInt(AppUpdateGameMode, "mode", tr_ScriptArgs(L).GetFlag(1));
    return 0;
}

} // namespace

void tp_RegisterRoomScriptApi(lua_State* L) {
    lua_register(L, "SwitchRoom", SwitchRoom);
    lua_register(L, "OpenSubRoom", OpenSubRoom);
    lua_register(L, "CloseSubRoom", CloseSubRoom);
    lua_register(L, "BlockSubRoomClose", BlockSubRoomClose);
    lua_register(L, "GetCurrentRoom", GetCurrentRoom);
    lua_register(L, "SetAutoSave", SetAutoSave);
    lua_register(L, "ShowBlur", ShowBlur);
    lua_register(L, "PauseLevel", PauseLevel);
    lua_register(L, "SwitchLevel", SwitchLevel);
    lua_register(L, "Quit", Quit);
    lua_register(L, "GetAppWidth", GetAppWidth);
    lua_register(L, "UpdateGameMode", UpdateGameMode);
}
