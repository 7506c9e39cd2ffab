// tp_TaskPanel: the task list of a hidden-object scene (type 2,
// "widget_task_panel", module "int_taskpanel"). It owns a copy of the list the
// last show command carried, counts finds per task, queues "trg_ho_win" once
// when every task is complete, and chooses a hint target among the incomplete
// tasks' hint groups (sent to the effects layer as message 95). The module
// shows each find and answers Event_TaskPanel_CompleteTaskEnd.
#pragma once

#include "game/interface/tp_InterfaceWidget.h"

#include <memory>

class tr_MediatorDataArray;

class tp_TaskPanel : public tp_InterfaceWidget {
public:
    static constexpr const char* kModule = "int_taskpanel";

    tp_TaskPanel(const std::string& name, const std::string& module_override);
    ~tp_TaskPanel() override;

    // The held list, or null while no list is shown.
    const tr_MediatorDataArray* GetTasks() const { return tasks_.get(); }
    bool HasWon() const { return won_; }

    std::string GetType() const override { return "task_panel"; }

protected:
    void HandleMessage(int id, tr_MediatorDataTable& data) override;

private:
    void Show(tr_MediatorDataTable& data, int id);
    void CountFind(tr_MediatorDataTable& data);
    void FinishFind(const tr_MediatorDataTable& data);
    void ShowHint();
    // Queues "trg_ho_win" unless this list has already won.
    void Win();

    std::unique_ptr<tr_MediatorDataArray> tasks_;
    // Counts every list shown or dropped, so a handler can tell that a
    // module call replaced the list it walks.
    unsigned list_number_ = 0;
    bool won_ = false;
};
