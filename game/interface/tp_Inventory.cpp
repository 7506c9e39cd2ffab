#include "game/interface/tp_Inventory.h"

#include "engine/core/tr_MediatorDataTable.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_MessageData.h"
#include "game/interface/tp_WidgetSupport.h"
#include "game/interface/tp_WidgetTriggers.h"

#include <algorithm>

namespace {

const tp_ItemRowWidget::Commands kCommands = {
    Command_Inventory_MoveObjects,  Command_Inventory_FlyToCursor, Command_Inventory_FlyToInventory,
    Command_Inventory_ZoomIn,       Command_Inventory_ZoomOut,     Command_Inventory_StopDrag,
    Command_Inventory_DeleteObject,
};

const int kMessages[] = {
    Command_Inventory_AddObject,
    Command_Inventory_DeleteObject,
    Command_Inventory_MoveObjects,
    Event_Inventory_LeftBtn_Click,
    Event_Inventory_RightBtn_Click,
    Event_Inventory_MoveEnd,
    Event_Inventory_AddEnd,
    Event_Inventory_FlyAnimationStart,
    Event_Inventory_FlyAnimationEnd,
    Event_Inventory_FlyToCursorEnd,
    Event_Inventory_FlyToInventoryEnd,
    Event_Inventory_HideForTaskHeaderEnd,
    Command_TaskPanel_Show,
    Command_Inventory_SetAutohide,
    Command_Inventory_ShowForTaskHeader,
    Command_Inventory_HideForTaskHeader,
    Command_Inventory_IncreaseZ,
    Command_Inventory_DecreaseZ,
    Command_Inventory_ShowObject,
};

} // namespace

tp_Inventory::tp_Inventory(const std::string& name, const std::string& module_override)
    : tp_ItemRowWidget(name, kCommands) {
    LoadClassModule(module_override, kModule);
    for (int id : kMessages)
        Subscribe(id);
    SetRefreshRunsSet(true);
}

void tp_Inventory::HandleMessage(int id, tr_MediatorDataTable& data) {
    tp_ItemRowWidget::HandleMessage(id, data);
    switch (id) {
    case Command_Inventory_AddObject:
        Add(data);
        break;
    case Command_Inventory_DeleteObject:
        Remove(data);
        break;
    case Command_Inventory_SetAutohide:
        autohide_ = tp_ReadFlag(data, "autohide");
        break;
    case Command_Inventory_ShowForTaskHeader:
        shown_for_header_ = true;
        out_ = true;
        ForwardToModule(id, data);
        break;
    case Command_Inventory_HideForTaskHeader:
        ForwardToModule(id, data);
        break;
    case Command_Inventory_IncreaseZ:
        SetPosZ(GetPosZ() + 1.0f);
        break;
    case Command_Inventory_DecreaseZ:
        SetPosZ(GetPosZ() - 1.0f);
        break;
    case Command_Inventory_ShowObject:
        ShowObject(data);
        break;
    case Command_TaskPanel_Show:
        hover_ = false;
        break;
    case Event_Inventory_LeftBtn_Click:
        (void)PageLeft();
        break;
    case Event_Inventory_RightBtn_Click:
        (void)PageRight();
        break;
    case Event_Inventory_MoveEnd:
        moving_ = false;
        break;
    case Event_Inventory_AddEnd:
        FinishAdd(data);
        break;
    case Event_Inventory_FlyAnimationStart:
        ++flights_;
        break;
    case Event_Inventory_FlyAnimationEnd:
        // A stray end must not leave the count below zero, where it would
        // keep the panel out for good.
        flights_ = std::max(flights_ - 1, 0);
        break;
    case Event_Inventory_FlyToCursorEnd:
        if (tr_Object* held = GetHeldObject())
            held->SetInputEnabled(true);
        break;
    case Event_Inventory_FlyToInventoryEnd: {
        std::string name;
        if (tp_ReadString(data, "name", name))
            SetInputOf(name);
        break;
    }
    case Event_Inventory_HideForTaskHeaderEnd:
        shown_for_header_ = false;
        out_ = false;
        break;
    default:
        break;
    }
}

void tp_Inventory::SetInputOf(const std::string& name) {
    if (tr_Object* object = tp_FindSceneObject(name))
        object->SetInputEnabled(true);
}

bool tp_Inventory::Relayout(bool loading) {
    if (!loading)
        return SendLayout();
    layout_pending_ = true;
    return true;
}

void tp_Inventory::Add(tr_MediatorDataTable& data) {
    std::string name;
    if (!tp_ReadString(data, "name", name))
        return;
    const bool loading = tp_IsLevelLoading();
    std::string game_name;
    tp_ReadString(data, "game_name", game_name);
    if (tr_Object* found = tp_FindSceneObject(game_name)) {
        // A saved game being rebuilt has no fly animation to end it.
        if (loading) {
            tp_DeleteSceneObject(found, this);
            data.SetString("game_name", "");
        } else {
            found->SetInputEnabled(false);
        }
    }
    int index = IndexOf(name);
    if (index >= 0) {
        ++items_[index].count;
    } else {
        items_.push_back(MakeItem(name));
        index = static_cast<int>(items_.size()) - 1;
    }
    std::string trigger;
    tp_ReadString(data, "trigger", trigger);
    items_[index].detail = trigger;
    ScrollTo(index);
    data.SetInt("pos", SlotPosition(index));
    data.SetInt("count", items_[index].count);
    if (CallModule(Command_Inventory_AddObject, data))
        (void)Relayout(loading);
}

void tp_Inventory::Remove(const tr_MediatorDataTable& data) {
    std::string name;
    if (!tp_ReadString(data, "name", name) || IndexOf(name) < 0)
        return;
    const bool loading = tp_IsLevelLoading();
    if (RemoveItem(name, data))
        (void)Relayout(loading);
}

void tp_Inventory::ShowObject(const tr_MediatorDataTable& data) {
    std::string name;
    if (!tp_ReadString(data, "name", name))
        return;
    const int index = IndexOf(name);
    if (index < 0)
        return;
    ScrollTo(index);
    (void)SendLayout();
}

void tp_Inventory::FinishAdd(const tr_MediatorDataTable& data) {
    std::string name;
    std::string game_name;
    tp_ReadString(data, "name", name);
    tp_ReadString(data, "game_name", game_name);
    tp_DeleteSceneObject(tp_FindSceneObject(game_name), this);
    const int index = IndexOf(name);
    if (index >= 0 && !items_[index].detail.empty())
        tp_QueueTrigger(GetName(), items_[index].detail);
}

void tp_Inventory::Update(const tr_FrameInfo& frame) {
    tp_ItemRowWidget::Update(frame);
    if (!DropDeadObjects())
        return;
    if (layout_pending_) {
        layout_pending_ = false;
        if (!SendLayout())
            return;
    }
    if (!out_ && (flights_ > 0 || hover_ || !autohide_)) {
        out_ = true;
        if (!CallModule(Command_Inventory_Show, tr_MediatorDataTable()))
            return;
    }
    if (!shown_for_header_ && out_ && flights_ == 0 && !hover_ && autohide_) {
        out_ = false;
        if (!CallModule(Command_Inventory_Hide, tr_MediatorDataTable()))
            return;
    }
    (void)TrackDrag();
}
