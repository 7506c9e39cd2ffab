#include "game/interface/tp_ForwardingWidget.h"

#include "game/core/tp_Messages.h"
#include "game/interface/tp_Interface.h"
#include "game/interface/tp_WidgetTriggers.h"

#include <algorithm>
#include <iterator>

namespace {

const int kPopupMessages[] = {Command_Popup_Show, Command_Popup_Hide};
const int kEffectsMessages[] = {Command_Effect_ShowHoHint};
const int kPauseMessages[] = {Command_Pause_Show, Command_Pause_Hide};
const int kInfoMessages[] = {Command_BtnInfo_Show, Command_BtnInfo_Hide};
const int kResetMessages[] = {Command_BtnReset_Show, Command_BtnReset_Hide};

#define TP_FORWARDING_ROW(type, module, messages, refresh)                                         \
    { type, module, messages, std::size(messages), refresh }
// Buttons lay themselves out per display. The menu, guide and map buttons
// forward nothing: scripts show and hide them through the hub.
#define TP_BUTTON_ROW(type, module, messages, click, call)                                         \
    { type, module, messages, std::size(messages), true, click, call }
#define TP_PLAIN_BUTTON_ROW(type, module, click, call)                                             \
    { type, module, nullptr, 0, true, click, call }

const tp_ForwardingWidgetRow kRows[] = {
    TP_BUTTON_ROW(InterfaceWidget_BtnInfo, "int_button_info", kInfoMessages, Event_BtnInfo_Click,
                  "trg_int_button_info_click"),
    TP_BUTTON_ROW(InterfaceWidget_BtnReset, "int_button_reset", kResetMessages,
                  Event_BtnReset_Click, "trg_int_button_reset_click"),
    TP_PLAIN_BUTTON_ROW(InterfaceWidget_BtnGuide, "int_button_guide", Event_BtnGuide_Click,
                        "trg_int_button_guide_click"),
    TP_PLAIN_BUTTON_ROW(InterfaceWidget_BtnMap, "int_button_map", Event_BtnMap_Click,
                        "trg_int_button_map_click"),
    TP_PLAIN_BUTTON_ROW(InterfaceWidget_BtnMenu, "int_button_menu", Event_BtnMenu_Click,
                        "trg_int_button_menu_click"),
    TP_FORWARDING_ROW(InterfaceWidget_Popup, "int_popup", kPopupMessages, false),
    // The effects layer draws the hint pointer at the positions message 95
    // carries (already in the space of the hub).
    TP_FORWARDING_ROW(InterfaceWidget_Effects, "int_effects", kEffectsMessages, false),
    TP_FORWARDING_ROW(InterfaceWidget_Pause, "int_pause", kPauseMessages, false),
};

#undef TP_FORWARDING_ROW
#undef TP_BUTTON_ROW
#undef TP_PLAIN_BUTTON_ROW

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
    if (row.click_call)
        Subscribe(row.click_event);
    SetRefreshRunsSet(row.refresh_runs_set);
}

void tp_ForwardingWidget::HandleMessage(int id, tr_MediatorDataTable& data) {
    tp_InterfaceWidget::HandleMessage(id, data);
    const int* end = row_.messages + row_.message_count;
    if (std::find(row_.messages, end, id) != end)
        ForwardToModule(id, data);
    else if (row_.click_call && id == row_.click_event)
        tp_QueueTrigger(GetName(), row_.click_call);
}
