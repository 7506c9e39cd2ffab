#include "game/interface/tp_ForwardingWidget.h"

#include "game/core/tp_Messages.h"
#include "game/interface/tp_Interface.h"

#include <algorithm>
#include <iterator>

namespace {

const int kPopupMessages[] = {Command_Popup_Show, Command_Popup_Hide};
const int kEffectsMessages[] = {Command_Effect_ShowHoHint};
const int kPauseMessages[] = {Command_Pause_Show, Command_Pause_Hide};

#define TP_FORWARDING_ROW(type, module, messages, refresh)                                         \
    { type, module, messages, std::size(messages), refresh }

const tp_ForwardingWidgetRow kRows[] = {
    TP_FORWARDING_ROW(InterfaceWidget_Popup, "int_popup", kPopupMessages, false),
    // The effects layer draws the hint pointer at the positions message 95
    // carries (already in the space of the hub).
    TP_FORWARDING_ROW(InterfaceWidget_Effects, "int_effects", kEffectsMessages, false),
    TP_FORWARDING_ROW(InterfaceWidget_Pause, "int_pause", kPauseMessages, false),
};

#undef TP_FORWARDING_ROW

} // namespace

const tp_ForwardingWidgetRow* tp_ForwardingWidget::GetRows(size_t* count) {
    *count = std::size(kRows);
    return kRows;
}

tp_ForwardingWidget::tp_ForwardingWidget(const std::string& name,
                                         const std::string& module_override,
                                         const tp_ForwardingWidgetRow& row)
    : tp_InterfaceWidget(name), row_(row) {
    LoadClassModule(module_override, row.module);
    for (size_t i = 0; i < row.message_count; ++i)
        Subscribe(row.messages[i]);
    SetRefreshRunsSet(row.refresh_runs_set);
}

void tp_ForwardingWidget::HandleMessage(int id, tr_MediatorDataTable& data) {
    tp_InterfaceWidget::HandleMessage(id, data);
    const int* end = row_.messages + row_.message_count;
    if (std::find(row_.messages, end, id) != end)
        ForwardToModule(id, data);
}
