#include "game/interface/tp_ClickClosePanel.h"

#include "engine/core/tr_InputEvent.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_Interface.h"

namespace {

const tp_ClickClosePanelRow kBlackBarText = {
    InterfaceWidget_BlackBarText,
    "int_blackbartext",
    "black_bar_text",
    Command_BlackBarText_Show,
    Command_BlackBarText_Hide,
    Event_BlackBarText_ShowEnd,
    false,
    true,
};

const tp_ClickClosePanelRow kDialog = {
    InterfaceWidget_Dialog, "int_dialog",         "dialog", Command_Dialog_Show,
    Command_Dialog_Hide,    Event_Dialog_ShowEnd, true,     false,
};

} // namespace

const tp_ClickClosePanelRow& tp_ClickClosePanel::BlackBarTextRow() {
    return kBlackBarText;
}
const tp_ClickClosePanelRow& tp_ClickClosePanel::DialogRow() {
    return kDialog;
}

tp_ClickClosePanel::tp_ClickClosePanel(const std::string& name, const std::string& module_override,
                                       const tp_ClickClosePanelRow& row)
    : tp_InterfaceWidget(name), row_(row) {
    LoadClassModule(module_override, row.module);
    Subscribe(row.show);
    Subscribe(row.hide);
    Subscribe(row.show_end);
    SetRefreshRunsSet(row.refresh_runs_set);
}

void tp_ClickClosePanel::HandleMessage(int id, tr_MediatorDataTable& data) {
    tp_InterfaceWidget::HandleMessage(id, data);
    if (id == row_.show) {
        ForwardToModule(id, data);
    } else if (id == row_.show_end) {
        fully_shown_ = true;
    } else if (id == row_.hide) {
        fully_shown_ = false;
        ForwardToModule(id, data);
    }
}

bool tp_ClickClosePanel::HandleInput(tr_InputEvent& event, tr_Object* picked,
                                     const tr_DrawState& state) {
    const bool taken = tp_InterfaceWidget::HandleInput(event, picked, state);
    if (event.type != TR_EVENT_MOUSE_DOWN || !fully_shown_)
        return false;
    bool keep = false;
    if (row_.keeps_own_clicks) {
        keep = taken;
        for (const tr_Object* up = picked; up && !keep; up = up->GetParent())
            keep = up == this;
    }
    // The hide runs the module's script, which may delete this panel:
    // nothing of it is touched afterwards.
    tr_MediatorDataTable empty;
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Send(row_.hide, empty);
    return keep;
}
