// tp_TaskHeader: the strip above the task panel (type 3, "widget_task_header",
// module "int_taskheader") whose two buttons bring the task list or the
// inventory to the front. It owns no other widget: it arbitrates their z
// order and the inventory's input by messages only (57/58 to the panel,
// 80/81 to the inventory, 22 for the inventory's input), each sent once per
// change of the front. It cycles shown -> hiding -> hidden, waiting in hiding
// for its module's Event_TaskHeader_HideEnd.
#pragma once

#include "game/interface/tp_InterfaceWidget.h"

class tp_TaskHeader : public tp_InterfaceWidget {
public:
    static constexpr const char* kModule = "int_taskheader";

    enum State : int { STATE_SHOWN = 0, STATE_HIDDEN = 1, STATE_HIDING = 2 };

    tp_TaskHeader(const std::string& name, const std::string& module_override);

    int GetState() const { return state_; }
    bool AreTasksInFront() const { return tasks_in_front_; }

    std::string GetType() const override { return "task_header"; }

protected:
    void HandleMessage(int id, tr_MediatorDataTable& data) override;

private:
    void BringTasksToFront();
    void BringInventoryToFront();
    void SetInventoryInput(bool on);

    bool tasks_in_front_ = true;
    int state_ = STATE_HIDDEN;
};
