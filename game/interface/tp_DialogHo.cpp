#include "game/interface/tp_DialogHo.h"

#include "game/core/tp_Messages.h"
#include "game/interface/tp_WidgetTriggers.h"

tp_DialogHo::tp_DialogHo(const std::string& name, const std::string& module_override)
    : tp_InterfaceWidget(name) {
    LoadClassModule(module_override, kModule);
    Subscribe(Command_DialogHo_Show);
    Subscribe(Event_DialogHo_BtnClose_Click);
}

void tp_DialogHo::HandleMessage(int id, tr_MediatorDataTable& data) {
    tp_InterfaceWidget::HandleMessage(id, data);
    if (id == Command_DialogHo_Show) {
        ForwardToModule(id, data);
    } else if (id == Event_DialogHo_BtnClose_Click) {
        tp_QueueTrigger(GetName(), "trg_ho_win_end");
        ForwardToModule(Command_DialogHo_Hide, data);
    }
}
