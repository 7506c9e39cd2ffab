#include "game/app/tp_GameScriptApi.h"

#include "engine/scene/tr_EngineCore.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_Scene.h"
#include "engine/script/tr_Mediator.h"
#include "engine/script/tr_MediatorDataArray.h"
#include "engine/script/tr_MediatorDataTable.h"
#include "game/app/tp_DisplayMode.h"
#include "game/app/tp_GameScriptApi_Groups.h"
#include "game/app/tp_Layout.h"
#include "game/interface/tp_Messages.h"

#include <lua.hpp>

#include <cmath>
#include <vector>

void tp_RegisterGameScriptApi(lua_State* L) {
    if (!L) {
        return;
    }
    tp_RegisterRoomScriptApi(L);
    tp_RegisterObjectScriptApi(L);
    tp_RegisterSoundScriptApi(L);
    tp_RegisterSettingsScriptApi(L);
    tp_RegisterMachineScriptApi(L);
    tp_RegisterProfileScriptApi(L);
    tp_RegisterDesktopScriptApi(L);
    tp_RegisterMobileScriptApi(L);
}

bool tp_ScriptSend(int id, tr_MediatorDataTable& data) {
    tr_Mediator* mediator = tr_Mediator::Get();
    if (!mediator) {
        return false;
    }
    mediator->Send(id, data);
    return true;
}

tr_Object* tp_ScriptCurrentRoom() {
    tr_MediatorDataTable data;
    tp_ScriptSend(LevelGetCurrentRoom, data);
    const tr_MediatorData* room = data.Find("room");
    return room ? static_cast<tr_Object*>(room->GetPointer()) : nullptr;
}

tr_Matrix tp_ScriptWorldMatrix(tr_Object* object) {
    std::vector<tr_Object*> chain;
    for (tr_Object* at = object; at; at = at->GetParent()) {
        chain.push_back(at);
    }
    tr_DrawState state;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        state = tr_Object::ComputeDrawState(*it, state, 0);
    }
    return state.transform;
}

namespace {

// The "matrix" reply: sixteen numbers in row-major order, the form a script
// sending AppGetMatrix gets too.
bool ReadMatrixReply(const tr_MediatorDataTable& data, tr_Matrix& matrix) {
    tr_MediatorData* value = data.Find("matrix");
    if (!value) {
        return false;
    }
    const tr_MediatorDataArray* numbers = value->AsArray();
    if (!numbers || numbers->Count() != 16) {
        return false;
    }
    tr_Matrix read;
    for (int i = 0; i < 16; ++i) {
        const tr_MediatorData* element = numbers->Get(i);
        if (!element || (element->GetType() != tr_MediatorData::TYPE_INT &&
                         element->GetType() != tr_MediatorData::TYPE_FLOAT)) {
            return false;
        }
        read[i] = element->GetFloat();
    }
    matrix = read;
    return true;
}

} // namespace

tr_Matrix tp_ScriptAppMatrix() {
    tr_MediatorDataTable data;
    tp_ScriptSend(AppGetMatrix, data);
    tr_Matrix matrix;
    if (!ReadMatrixReply(data, matrix)) {
        matrix = tp_Layout::Transform(tp_DisplayMode::GetCurrent());
    }
    return matrix;
}

void tp_ScriptPushPoint(lua_State* L, float x, float y) {
    lua_createtable(L, 2, 0);
    lua_pushnumber(L, static_cast<lua_Number>(x));
    lua_rawseti(L, -2, 1);
    lua_pushnumber(L, static_cast<lua_Number>(y));
    lua_rawseti(L, -2, 2);
}
