#include "game/app/tp_GameScriptApi.h"

#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/scene/tr_Object.h"
#include "game/app/tp_GameScriptApi_Groups.h"
#include "game/core/tp_Messages.h"

#include <cfloat>
#include <cmath>

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

void tp_ScriptSend(int id, tr_MediatorDataTable& data) {
    tr_Mediator::SendIfAny(id, data);
}

tr_Object* tp_ScriptCurrentRoom() {
    tr_MediatorDataTable data;
    tp_ScriptSend(LevelGetCurrentRoom, data);
    const tr_MediatorData* room = data.Find("room");
    return room ? static_cast<tr_Object*>(room->GetPointer()) : nullptr;
}

bool tp_ScriptFloat(double value, float& out) {
    if (!(std::fabs(value) <= static_cast<double>(FLT_MAX))) {
        return false;
    }
    out = static_cast<float>(value);
    return true;
}
