#include "game/interface/tp_ItemPanel.h"

#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataArray.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/core/tr_Random.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_MessageData.h"
#include "game/interface/tp_WidgetSupport.h"
#include "game/interface/tp_WidgetTriggers.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

const tp_ItemRowWidget::Commands kCommands = {
    Command_ItemPanel_MoveObjects,  Command_ItemPanel_FlyToCursor, Command_ItemPanel_FlyToPanel,
    Command_ItemPanel_ZoomIn,       Command_ItemPanel_ZoomOut,     Command_ItemPanel_StopDrag,
    Command_ItemPanel_DeleteObject,
};

const int kMessages[] = {
    Command_ItemPanel_DeleteObject, Command_ItemPanel_MoveObjects, Event_ItemPanel_LeftBtn_Click,
    Event_ItemPanel_RightBtn_Click, Event_ItemPanel_MoveEnd,       Event_ItemPanel_FlyToCursorEnd,
    Event_ItemPanel_FlyToPanelEnd,  Command_ItemPanel_Show,        Command_ItemPanel_Hide,
    Command_ItemPanel_ShowHoHint,   Event_Level_CheatKeyPressed,   Command_ItemPanel_TryCompleteHo,
    Command_Interface_QueryHo,
};

constexpr int kWinCheatKey = 32;

void AddPoint(tr_MediatorDataArray& points, tr_Object* object, tr_Object* space) {
    float x = 0.0f;
    float y = 0.0f;
    tp_PositionInSpaceOf(object, space, x, y);
    tr_MediatorDataTable* point = points.AddTable();
    point->SetFloat("pos_x", x);
    point->SetFloat("pos_y", y);
    point->SetString("obj_name", object->GetName());
}

} // namespace

tp_ItemPanel::tp_ItemPanel(const std::string& name, const std::string& module_override)
    : tp_ItemRowWidget(name, kCommands) {
    LoadClassModule(module_override, kModule);
    for (int id : kMessages)
        Subscribe(id);
    SetRefreshRunsSet(true);
}

void tp_ItemPanel::HandleMessage(int id, tr_MediatorDataTable& data) {
    tp_ItemRowWidget::HandleMessage(id, data);
    switch (id) {
    case Command_ItemPanel_Show:
        Show(data);
        break;
    case Command_ItemPanel_Hide:
        ClearRow();
        ForwardToModule(id, data);
        break;
    case Command_ItemPanel_DeleteObject: {
        std::string name;
        if (tp_ReadString(data, "name", name) && IndexOf(name) >= 0 && RemoveItem(name, data))
            (void)SendLayout();
        break;
    }
    case Command_ItemPanel_ShowHoHint:
        ShowHint();
        break;
    case Command_ItemPanel_TryCompleteHo:
        if (items_.empty())
            Win();
        break;
    case Event_ItemPanel_LeftBtn_Click:
        (void)PageLeft();
        break;
    case Event_ItemPanel_RightBtn_Click:
        (void)PageRight();
        break;
    case Event_ItemPanel_MoveEnd:
        moving_ = false;
        break;
    case Event_ItemPanel_FlyToCursorEnd:
        if (tr_Object* held = GetHeldObject())
            held->SetInputEnabled(true);
        break;
    case Event_ItemPanel_FlyToPanelEnd: {
        std::string name;
        if (tp_ReadString(data, "name", name))
            if (tr_Object* object = tp_FindSceneObject(name))
                object->SetInputEnabled(true);
        break;
    }
    case Event_Level_CheatKeyPressed: {
        int key = 0;
        if (tp_ReadInt(data, "key", key) && key == kWinCheatKey && !items_.empty())
            Win();
        break;
    }
    case Command_Interface_QueryHo:
        if (!items_.empty())
            data.SetInt("result", 1);
        break;
    default:
        break;
    }
}

void tp_ItemPanel::Show(const tr_MediatorDataTable& data) {
    items_.clear();
    won_ = false;
    const tr_MediatorDataArray* objects = nullptr;
    if (tp_ReadArray(data, "objects", objects)) {
        for (int i = 0; i < objects->Count(); ++i) {
            const tr_MediatorDataTable* entry =
                objects->Get(i) ? objects->Get(i)->AsTable() : nullptr;
            std::string name;
            if (!entry || !tp_ReadString(*entry, "name", name))
                continue;
            Item item = MakeItem(name);
            tp_ReadString(*entry, "hint", item.detail);
            items_.push_back(std::move(item));
        }
    }
    // The window stays where it was, unless that leaves a shorter row
    // wholly to its left, where nothing of it would show.
    const int count = static_cast<int>(items_.size());
    if (first_visible_ >= count)
        first_visible_ = std::max(0, count - slot_count_);
    if (CallModule(Command_ItemPanel_Show, data))
        (void)SendLayout();
}

void tp_ItemPanel::ShowHint() {
    const int count = static_cast<int>(items_.size());
    const int end = first_visible_ + std::min(slot_count_, count - first_visible_);
    std::vector<std::pair<tr_Object*, tr_Object*>> pairs;
    for (int i = first_visible_; i < end; ++i) {
        tr_Object* item = tp_FindSceneObject(items_[i].name);
        tr_Object* target = tp_FindSceneObject(items_[i].detail);
        if (item && target && target->IsInputEnabled())
            pairs.emplace_back(item, target);
    }
    // No visible item has a target left: nothing to point at.
    if (pairs.empty())
        return;
    const auto& chosen = pairs[static_cast<size_t>(tr_Random::Next()) % pairs.size()];
    tr_MediatorDataTable hint;
    tr_MediatorDataArray* points = hint.AddArray("hint");
    AddPoint(*points, chosen.first, GetParent());
    AddPoint(*points, chosen.second, GetParent());
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Send(Command_Effect_ShowHoHint, hint);
}

void tp_ItemPanel::Win() {
    if (won_)
        return;
    won_ = true;
    tp_QueueTrigger(GetName(), "trg_ho_win");
}

void tp_ItemPanel::Update(const tr_FrameInfo& frame) {
    tp_ItemRowWidget::Update(frame);
    if (DropDeadObjects())
        (void)TrackDrag();
}
