#include "game/interface/tp_Tutorial.h"

#include "engine/core/tr_InputEvent.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_MessageData.h"
#include "game/interface/tp_WidgetTriggers.h"

namespace {

// Each message is taken only in one state and leads to the next.
struct Step {
    int message;
    int from;
    int to;
    bool forward;
};

const Step kSteps[] = {
    {Command_Tutorial_Show, tp_Tutorial::STATE_HIDDEN, tp_Tutorial::STATE_SHOWING, true},
    {Command_Tutorial_Hide, tp_Tutorial::STATE_SHOWN, tp_Tutorial::STATE_HIDING, true},
    {Event_Tutorial_ShowEnd, tp_Tutorial::STATE_SHOWING, tp_Tutorial::STATE_SHOWN, false},
    {Event_Tutorial_HideEnd, tp_Tutorial::STATE_HIDING, tp_Tutorial::STATE_HIDDEN, false},
};

bool IsWithin(const tr_Object* object, const tr_Object* ancestor) {
    for (; object; object = object->GetParent())
        if (object == ancestor)
            return true;
    return false;
}

} // namespace

tp_Tutorial::tp_Tutorial(const std::string& name, const std::string& module_override)
    : tp_InterfaceWidget(name) {
    LoadClassModule(module_override, kModule);
    for (int id = Command_Tutorial_Show; id <= Event_Tutorial_Btn_Click; ++id)
        Subscribe(id);
}

void tp_Tutorial::HandleMessage(int id, tr_MediatorDataTable& data) {
    tp_InterfaceWidget::HandleMessage(id, data);
    if (id == Event_Tutorial_Btn_Click) {
        std::string button;
        tp_ReadString(data, "btn_id", button);
        tp_QueueTrigger(GetName(), "trg_int_tutorial_click(" + button + ")");
        return;
    }
    for (const Step& step : kSteps) {
        if (step.message != id || step.from != state_)
            continue;
        state_ = step.to;
        if (step.forward)
            ForwardToModule(id, data);
        return;
    }
}

bool tp_Tutorial::HandleInput(tr_InputEvent& event, tr_Object* picked, const tr_DrawState& state) {
    const bool taken = tp_InterfaceWidget::HandleInput(event, picked, state);
    if (event.type != TR_EVENT_MOUSE_DOWN)
        return taken;
    switch (state_) {
    case STATE_SHOWING:
    case STATE_HIDING:
        return true;
    case STATE_SHOWN:
        if (!taken && !IsWithin(picked, this))
            tp_QueueTrigger(GetName(), "trg_int_tutorial_click(empty)");
        return false;
    default:
        return false;
    }
}
