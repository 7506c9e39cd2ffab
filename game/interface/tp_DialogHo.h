// tp_DialogHo: the closing panel of a won hidden-object scene (type 13,
// "widget_dialog_ho", module "int_dialog_ho"). Show is forwarded to the
// module; its close button queues "trg_ho_win_end" and starts the module's
// hide at once, so the panel is already leaving when the scene's end runs.
#pragma once

#include "game/interface/tp_InterfaceWidget.h"

class tp_DialogHo : public tp_InterfaceWidget {
public:
    static constexpr const char* kModule = "int_dialog_ho";

    tp_DialogHo(const std::string& name, const std::string& module_override);

    std::string GetType() const override { return "dialog_ho"; }

protected:
    void HandleMessage(int id, tr_MediatorDataTable& data) override;
};
