#include "game/interface/tp_TaskPanel.h"

#include "engine/core/tr_Log.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataArray.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/core/tr_Random.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_MessageData.h"
#include "game/interface/tp_WidgetSupport.h"
#include "game/interface/tp_WidgetTriggers.h"

#include <vector>

namespace {

const int kMessages[] = {
    Command_TaskPanel_Show,
    Command_TaskPanel_CompleteTask,
    Command_TaskPanel_SetTaskMark,
    Command_TaskPanel_Hide,
    Command_TaskPanel_ShowHoHint,
    Event_TaskPanel_CompleteTaskEnd,
    Command_TaskPanel_IncreaseZ,
    Command_TaskPanel_DecreaseZ,
    Command_TaskPanel_HideForTaskHeader,
    Command_TaskPanel_ShowForTaskHeader,
    Event_Level_CheatKeyPressed,
    Command_Interface_QueryHo,
};

constexpr int kWinCheatKey = 32;

// The tasks of a list: its elements that are tables (anything else in the
// array is no task and is skipped).
std::vector<tr_MediatorDataTable*> TasksOf(const tr_MediatorDataArray& list) {
    std::vector<tr_MediatorDataTable*> tasks;
    tasks.reserve(list.Count());
    for (int i = 0; i < list.Count(); ++i)
        if (tr_MediatorDataTable* task = list.Get(i) ? list.Get(i)->AsTable() : nullptr)
            tasks.push_back(task);
    return tasks;
}

int IntOf(const tr_MediatorDataTable& task, const char* key) {
    int value = 0;
    tp_ReadInt(task, key, value);
    return value;
}

// The objects of the first group whose every name is a live object that
// takes input; empty when no group is usable.
std::vector<tr_Object*> FirstUsableGroup(const tr_MediatorDataTable& task) {
    const tr_MediatorDataArray* groups = nullptr;
    if (!tp_ReadArray(task, "hint", groups))
        return {};
    for (int g = 0; g < groups->Count(); ++g) {
        const tr_MediatorDataArray* group = tp_AsArray(groups->Get(g));
        if (!group || group->Count() == 0)
            continue;
        std::vector<tr_Object*> objects;
        for (int i = 0; i < group->Count(); ++i) {
            const tr_MediatorData* name = group->Get(i);
            tr_Object* object = name && name->GetType() == tr_MediatorData::TYPE_STRING
                                    ? tp_FindSceneObject(name->GetString())
                                    : nullptr;
            if (!object || !object->IsInputEnabled())
                break;
            objects.push_back(object);
        }
        if (static_cast<int>(objects.size()) == group->Count())
            return objects;
    }
    return {};
}

} // namespace

tp_TaskPanel::tp_TaskPanel(const std::string& name, const std::string& module_override)
    : tp_InterfaceWidget(name) {
    LoadClassModule(module_override, kModule);
    for (int id : kMessages)
        Subscribe(id);
    SetRefreshRunsSet(true);
}

tp_TaskPanel::~tp_TaskPanel() = default;

void tp_TaskPanel::HandleMessage(int id, tr_MediatorDataTable& data) {
    tp_InterfaceWidget::HandleMessage(id, data);
    switch (id) {
    case Command_TaskPanel_Show:
    case Command_TaskPanel_ShowForTaskHeader:
        Show(data, id);
        break;
    case Command_TaskPanel_Hide:
    case Command_TaskPanel_HideForTaskHeader:
        if (tasks_) {
            tasks_.reset();
            ++list_number_;
            ForwardToModule(id, data);
        }
        break;
    case Command_TaskPanel_CompleteTask:
        CountFind(data);
        break;
    case Command_TaskPanel_SetTaskMark:
        ForwardToModule(id, data);
        break;
    case Command_TaskPanel_ShowHoHint:
        ShowHint();
        break;
    case Command_TaskPanel_IncreaseZ:
        SetPosZ(GetPosZ() + 1.0f);
        break;
    case Command_TaskPanel_DecreaseZ:
        SetPosZ(GetPosZ() - 1.0f);
        break;
    case Event_TaskPanel_CompleteTaskEnd:
        FinishFind(data);
        break;
    case Event_Level_CheatKeyPressed: {
        int key = 0;
        if (tp_ReadInt(data, "key", key) && key == kWinCheatKey && tasks_)
            Win();
        break;
    }
    case Command_Interface_QueryHo:
        if (tasks_)
            data.SetInt("result", 1);
        break;
    default:
        break;
    }
}

void tp_TaskPanel::Show(tr_MediatorDataTable& data, int id) {
    const tr_MediatorDataArray* tasks = nullptr;
    tasks_ = std::make_unique<tr_MediatorDataArray>();
    ++list_number_;
    if (tp_ReadArray(data, "tasks", tasks))
        *tasks_ = *tasks;
    won_ = false;
    for (tr_MediatorDataTable* task : TasksOf(*tasks_)) {
        task->SetInt("collected", 0);
        task->SetInt("completed", IntOf(*task, "count") == 0 ? 1 : 0);
    }
    ForwardToModule(id, data);
}

void tp_TaskPanel::CountFind(tr_MediatorDataTable& data) {
    if (!tasks_)
        return;
    std::string name;
    std::string game_name;
    tp_ReadString(data, "name", name);
    tp_ReadString(data, "game_name", game_name);
    if (tr_Object* found = tp_FindSceneObject(game_name)) {
        if (tp_IsLevelLoading()) {
            tp_DeleteSceneObject(found, this);
            data.SetString("game_name", "");
        }
    }
    // The module may show or hide a list while it shows this find; the
    // remaining finds then belong to a list that is gone.
    const unsigned list = list_number_;
    for (tr_MediatorDataTable* task : TasksOf(*tasks_)) {
        const int count = IntOf(*task, "count");
        const int collected = IntOf(*task, "collected");
        std::string task_name;
        tp_ReadString(*task, "name", task_name);
        if (task_name != name || collected >= count)
            continue;
        task->SetInt("collected", collected + 1);
        data.SetInt("count", count - collected - 1);
        if (!CallModule(Command_TaskPanel_CompleteTask, data) || list_number_ != list)
            return;
    }
}

void tp_TaskPanel::FinishFind(const tr_MediatorDataTable& data) {
    std::string name;
    std::string game_name;
    tp_ReadString(data, "name", name);
    tp_ReadString(data, "game_name", game_name);
    tp_DeleteSceneObject(tp_FindSceneObject(game_name), this);
    if (!tasks_)
        return;
    bool all_done = true;
    for (tr_MediatorDataTable* task : TasksOf(*tasks_)) {
        std::string task_name;
        tp_ReadString(*task, "name", task_name);
        if (task_name == name && IntOf(*task, "collected") == IntOf(*task, "count"))
            task->SetInt("completed", 1);
        if (IntOf(*task, "completed") != 1)
            all_done = false;
    }
    if (all_done)
        Win();
}

void tp_TaskPanel::Win() {
    if (won_)
        return;
    won_ = true;
    tp_QueueTrigger(GetName(), "trg_ho_win");
}

void tp_TaskPanel::ShowHint() {
    if (!tasks_)
        return;
    std::vector<std::vector<tr_Object*>> candidates;
    int starved = 0;
    for (tr_MediatorDataTable* task : TasksOf(*tasks_)) {
        if (IntOf(*task, "collected") >= IntOf(*task, "count"))
            continue;
        std::vector<tr_Object*> group = FirstUsableGroup(*task);
        if (group.empty())
            ++starved;
        else
            candidates.push_back(std::move(group));
    }
    if (candidates.empty()) {
        if (starved == 0)
            tr_Log("Warning! No available tasks for hint.");
        else
            tp_QueueTrigger(GetName(), "trg_ho_hint_noobjects");
        return;
    }
    const std::vector<tr_Object*>& chosen =
        candidates[static_cast<size_t>(tr_Random::Next()) % candidates.size()];
    tr_MediatorDataTable hint;
    tr_MediatorDataArray* points = hint.AddArray("hint");
    for (tr_Object* object : chosen) {
        float x = 0.0f;
        float y = 0.0f;
        tp_PositionInSpaceOf(object, GetParent(), x, y);
        tr_MediatorDataTable* point = points->AddTable();
        point->SetFloat("pos_x", x);
        point->SetFloat("pos_y", y);
        point->SetString("obj_name", object->GetName());
    }
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Send(Command_Effect_ShowHoHint, hint);
}
