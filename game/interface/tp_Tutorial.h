// tp_Tutorial: the tutorial messages (type 15, "widget_tutorial", module
// "int_tutorial"). The widget walks hidden -> showing -> shown -> hiding ->
// hidden, each step waiting for its command or its module's end event; a
// message that arrives in the wrong state is dropped. While the module
// animates, every mouse-down that reaches the tutorial is swallowed; while it
// is shown, a click outside it still reaches the scene and tells the script
// with "trg_int_tutorial_click(empty)". The module's buttons report
// themselves with message 111 and a "btn_id", queued as the trigger call
// "trg_int_tutorial_click(<btn_id>)" (so a btn_id is split into arguments
// like any trigger call text).
#pragma once

#include "game/interface/tp_InterfaceWidget.h"

class tp_Tutorial : public tp_InterfaceWidget {
public:
    static constexpr const char* kModule = "int_tutorial";

    enum State : int { STATE_HIDDEN = 0, STATE_SHOWING = 1, STATE_SHOWN = 2, STATE_HIDING = 3 };

    tp_Tutorial(const std::string& name, const std::string& module_override);

    int GetState() const { return state_; }

    std::string GetType() const override { return "tutorial"; }
    bool HandleInput(tr_InputEvent& event, tr_Object* picked, const tr_DrawState& state) override;

protected:
    void HandleMessage(int id, tr_MediatorDataTable& data) override;

private:
    int state_ = STATE_HIDDEN;
};
