// tp_Map: the level map (type 10, "widget_map", module "int_map"). Its module
// rests parked in storage while the map is closed; an open attaches it under
// the widget and queues its "_set", the end of the close animation (message
// 132) parks it under "interface_hub" again. The map is closed, opening, open
// or closing; show and hide commands that arrive while an animation runs are
// dropped. A module deleted by script cannot answer, so the map then counts
// as closed instead of waiting for an end event that never comes.
#pragma once

#include "game/interface/tp_InterfaceWidget.h"

class tp_Map : public tp_InterfaceWidget {
public:
    static constexpr const char* kModule = "int_map";
    // The command the module receives with the data of a game-mode change.
    static constexpr int kModuleGameMode = 26;

    tp_Map(const std::string& name, const std::string& module_override);

    bool IsOpen() const { return open_; }
    bool IsBusy() const { return busy_; }
    std::string GetType() const override { return "map"; }

    void Update(const tr_FrameInfo& frame) override;

protected:
    void HandleMessage(int id, tr_MediatorDataTable& data) override;

private:
    void Show(const tr_MediatorDataTable& data);
    void Hide(const tr_MediatorDataTable& data);
    // A module deleted by script never sends its end events: the map is
    // then closed and idle.
    void ForgetLostModule();

    bool open_ = false;
    bool busy_ = false;
};
