#include "game/interface/tp_TaskHeader.h"

#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_Interface.h"

namespace {

void SendEmpty(int id) {
    tr_MediatorDataTable data;
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Send(id, data);
}

} // namespace

tp_TaskHeader::tp_TaskHeader(const std::string& name, const std::string& module_override)
    : tp_InterfaceWidget(name) {
    LoadClassModule(module_override, kModule);
    for (int id = Command_TaskHeader_Show; id <= Event_TaskHeader_HideEnd; ++id)
        Subscribe(id);
    SetRefreshRunsSet(true);
}

void tp_TaskHeader::HandleMessage(int id, tr_MediatorDataTable& data) {
    tp_InterfaceWidget::HandleMessage(id, data);
    switch (id) {
    case Command_TaskHeader_Show:
        if (state_ == STATE_SHOWN)
            break;
        BringTasksToFront();
        state_ = STATE_SHOWN;
        if (!CallModule(id, data))
            return;
        SetInventoryInput(false);
        break;
    case Command_TaskHeader_Hide:
        if (state_ == STATE_HIDING)
            break;
        state_ = STATE_HIDING;
        if (!CallModule(id, data))
            return;
        SetInventoryInput(false);
        break;
    case Event_TaskHeader_BtnTask_Click:
        if (state_ != STATE_SHOWN)
            break;
        BringTasksToFront();
        SetInventoryInput(false);
        break;
    case Event_TaskHeader_BtnInv_Click:
        if (state_ != STATE_SHOWN)
            break;
        BringInventoryToFront();
        SetInventoryInput(true);
        break;
    case Event_TaskHeader_HideEnd:
        if (state_ != STATE_HIDING)
            break;
        state_ = STATE_HIDDEN;
        BringTasksToFront();
        SetInventoryInput(true);
        break;
    default:
        break;
    }
}

void tp_TaskHeader::BringTasksToFront() {
    if (tasks_in_front_)
        return;
    tasks_in_front_ = true;
    SendEmpty(Command_TaskPanel_IncreaseZ);
    SendEmpty(Command_Inventory_DecreaseZ);
}

void tp_TaskHeader::BringInventoryToFront() {
    if (!tasks_in_front_)
        return;
    tasks_in_front_ = false;
    SendEmpty(Command_TaskPanel_DecreaseZ);
    SendEmpty(Command_Inventory_IncreaseZ);
}

void tp_TaskHeader::SetInventoryInput(bool on) {
    tr_MediatorDataTable data;
    data.SetInt("type", InterfaceWidget_Inventory);
    data.SetInt("input", on ? 1 : 0);
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Send(Command_Interface_WidgetSetInput, data);
}
