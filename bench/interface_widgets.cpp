// The hidden-object widgets per frame: an inventory of 200 items paged and
// hovered every frame (target under 0.1 ms a frame), and a task panel of 50
// tasks with 5 hint groups each choosing a hint (target under 0.2 ms). The
// modules are stand-ins that answer at once, as fast content would, so the
// figures are the native side plus the unavoidable Lua calls.
#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataArray.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/script/tr_Trigger.h"
#include "engine/script/tr_TriggerRegistry.h"
#include "game/app/tp_GameScriptApi_Groups.h"
#include "game/core/tp_Config.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_BuiltinWidgets.h"
#include "game/interface/tp_Interface.h"
#include "game/interface/tp_Inventory.h"
#include "game/interface/tp_TaskPanel.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct Game {
    Game() {
        tp_Config::Create()->inventory_size = 8;
        tr_EngineCore* core = tr_EngineCore::Get();
        tp_RegisterObjectScriptApi(core->GetScript().GetLua());
        tp_RegisterBuiltinWidgets();
        hub = new tp_Interface();
        tr_Object::Attach(core->GetScene().GetDisplayRoot(), hub);
    }
    ~Game() {
        tr_EngineCore::Destroy();
        tp_Config::Destroy();
    }
    void Module(const std::string& name, const std::string& code) {
        tr_EngineCore::Get()->GetTriggers().AddTrigger(
            std::make_unique<tr_Trigger>("trg_" + name + "_message", code));
    }
    tr_Object* Add(int type) {
        tr_MediatorDataTable data;
        data.SetInt("type", type);
        data.SetFloat("pos_z", 1.0f);
        tr_Mediator::Get()->Send(Command_Interface_WidgetAdd, data);
        return hub->GetWidget(type);
    }
    void Send(int id) {
        tr_MediatorDataTable data;
        tr_Mediator::Get()->Send(id, data);
    }

    tr_Mediator mediator;
    tp_Interface* hub = nullptr;
};

void BM_InventoryFramePagedAndHovered(benchmark::State& state) {
    Game game;
    game.Module("int_inventory", "if tonumber(tr_params.param_0) == 71 then "
                                 "SendMessage(Event_Inventory_MoveEnd, {}) end");
    auto* inventory = dynamic_cast<tp_Inventory*>(game.Add(InterfaceWidget_Inventory));
    std::vector<tr_Object*> icons;
    for (int i = 0; i < 200; ++i) {
        icons.push_back(new tr_Object("item_" + std::to_string(i)));
        tr_Object::Attach(inventory, icons.back());
        tr_MediatorDataTable data;
        data.SetString("name", icons.back()->GetName());
        data.SetString("game_name", "");
        data.SetString("trigger", "");
        tr_Mediator::Get()->Send(Command_Inventory_AddObject, data);
    }
    const bool paged = state.range(0) != 0;
    tr_FrameInfo frame;
    frame.dt = 1.0f / 60.0f;
    tr_InputEvent move;
    move.type = TR_EVENT_MOUSE_MOVE;
    size_t frame_number = 0;
    for (auto _ : state) {
        if (paged)
            game.Send(frame_number % 2 ? Event_Inventory_RightBtn_Click
                                       : Event_Inventory_LeftBtn_Click);
        inventory->HandleInput(move, icons[frame_number % icons.size()], tr_DrawState());
        inventory->Update(frame);
        ++frame_number;
    }
}
// 0: hover and update only; 1: a page turn (a layout of 200 items) as well.
BENCHMARK(BM_InventoryFramePagedAndHovered)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_TaskPanelHint(benchmark::State& state) {
    Game game;
    game.Module("int_taskpanel", "");
    game.Module("int_effects", "");
    game.Add(InterfaceWidget_TaskPanel);
    game.Add(InterfaceWidget_Effects);
    // 50 tasks, 5 groups of 3 objects each; the first four groups of every
    // task hold a taken object, so each choice walks every group.
    tr_Object* root = tr_EngineCore::Get()->GetScene().GetDisplayRoot();
    tr_MediatorDataTable show;
    tr_MediatorDataArray* tasks = show.AddArray("tasks");
    for (int t = 0; t < 50; ++t) {
        tr_MediatorDataTable* task = tasks->AddTable();
        task->SetString("name", "task_" + std::to_string(t));
        task->SetInt("count", 1);
        tr_MediatorDataArray* groups = task->AddArray("hint");
        for (int g = 0; g < 5; ++g) {
            tr_MediatorDataArray* group = groups->AddArray();
            for (int o = 0; o < 3; ++o) {
                const std::string name =
                    "obj_" + std::to_string(t) + "_" + std::to_string(g) + "_" + std::to_string(o);
                tr_Object* object = new tr_Object(name);
                object->SetInputEnabled(g == 4 || o != 2);
                tr_Object::Attach(root, object);
                group->AddString(name);
            }
        }
    }
    tr_Mediator::Get()->Send(Command_TaskPanel_Show, show);
    for (auto _ : state)
        game.Send(Command_TaskPanel_ShowHoHint);
}
BENCHMARK(BM_TaskPanelHint)->Unit(benchmark::kMicrosecond);

} // namespace
