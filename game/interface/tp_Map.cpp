#include "game/interface/tp_Map.h"

#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "game/core/tp_Messages.h"

tp_Map::tp_Map(const std::string& name, const std::string& module_override)
    : tp_InterfaceWidget(name) {
    LoadClassModule(module_override, kModule, ModulePlacement::kParked);
    Subscribe(Command_Map_Show);
    Subscribe(Command_Map_Hide);
    Subscribe(Event_Map_ShowEnd);
    Subscribe(Event_Map_HideEnd);
    Subscribe(Event_Map_BtnClose_Click);
    Subscribe(AppUpdateGameMode);
    SetRefreshRunsSet(true);
}

void tp_Map::Update(const tr_FrameInfo& frame) {
    tp_InterfaceWidget::Update(frame);
    ForgetLostModule();
}

void tp_Map::ForgetLostModule() {
    if (GetModuleObject())
        return;
    open_ = false;
    busy_ = false;
}

void tp_Map::HandleMessage(int id, tr_MediatorDataTable& data) {
    tp_InterfaceWidget::HandleMessage(id, data);
    ForgetLostModule();
    switch (id) {
    case Command_Map_Show:
        Show(data);
        break;
    case Command_Map_Hide:
        Hide(data);
        break;
    case Event_Map_BtnClose_Click:
        if (!busy_ && open_) {
            tr_MediatorDataTable empty;
            if (tr_Mediator* mediator = tr_Mediator::Get())
                mediator->Send(Command_Map_Hide, empty);
        }
        break;
    case Event_Map_ShowEnd:
        busy_ = false;
        break;
    case Event_Map_HideEnd:
        busy_ = false;
        ParkModule();
        ForwardToModule(id, data);
        break;
    case AppUpdateGameMode:
        ForwardToModule(kModuleGameMode, data);
        break;
    default:
        break;
    }
}

void tp_Map::Show(const tr_MediatorDataTable& data) {
    if (busy_ || open_ || !GetModuleObject())
        return;
    open_ = true;
    busy_ = true;
    UnparkModule();
    QueueModuleSet();
    ForwardToModule(Command_Map_Show, data);
}

void tp_Map::Hide(const tr_MediatorDataTable& data) {
    if (busy_ || !open_)
        return;
    open_ = false;
    busy_ = true;
    ForwardToModule(Command_Map_Hide, data);
}
