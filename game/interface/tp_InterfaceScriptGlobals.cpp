#include "game/interface/tp_InterfaceScriptGlobals.h"

#include "engine/script/tr_ScriptState.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_BuiltinWidgetTypes.h"
#include "game/interface/tp_Interface.h"
#include "game/interface/tp_Transporter.h"

void tp_RegisterMessageGlobals(tr_ScriptState& script) {
    size_t count = 0;
    const tp_MessageName* messages = tp_GetScriptMessages(&count);
    for (size_t i = 0; i < count; ++i)
        script.SetGlobalNumber(messages[i].name, messages[i].number);
}

void tp_RegisterWidgetGlobals(tr_ScriptState& script) {
    size_t count = 0;
    const tp_BuiltinWidgetType* types = tp_GetBuiltinWidgetTypes(&count);
    for (size_t i = 0; i < count; ++i)
        script.SetGlobalNumber(types[i].script_constant, types[i].type);
    script.SetGlobalNumber("InterfaceWidget_Custom", InterfaceWidget_Custom);
}

void tp_RegisterTopNameGlobal(tr_ScriptState& script, const std::string& top_name) {
    script.SetGlobalString("InterfaceWidget_Top_Name", top_name);
}

void tp_RegisterTransferGlobals(tr_ScriptState& script) {
    script.SetGlobalNumber("Trans_SceneToInventory", tp_Transporter::TRANS_SCENE_TO_INVENTORY);
    script.SetGlobalNumber("Trans_SceneToTaskPanel", tp_Transporter::TRANS_SCENE_TO_TASK_PANEL);
    script.SetGlobalNumber("Trans_InventoryToCursor", tp_Transporter::TRANS_INVENTORY_TO_CURSOR);
    script.SetGlobalNumber("Trans_CursorToInventory", tp_Transporter::TRANS_CURSOR_TO_INVENTORY);
}
