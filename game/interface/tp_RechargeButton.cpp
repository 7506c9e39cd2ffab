#include "game/interface/tp_RechargeButton.h"

#include "engine/core/tr_Log.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "game/core/tp_Config.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_Interface.h"
#include "game/interface/tp_MessageData.h"
#include "game/interface/tp_WidgetTriggers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace {

const tp_RechargeButtonRow kHint = {
    InterfaceWidget_BtnHint,
    "int_button_hint",
    "btn_hint",
    "trg_int_button_hint_click(%d)",
    true,
    false,
    72,
    Command_BtnHint_Show,
    Command_BtnHint_Hide,
    Command_BtnHint_Reload,
    Event_BtnHint_Click,
    Event_BtnHint_ReloadEnd,
    &tp_Config::hint_casual_time,
    &tp_Config::hint_adv_time,
};

const tp_RechargeButtonRow kSkip = {
    InterfaceWidget_BtnSkip,
    "int_button_skip",
    "btn_skip",
    "trg_int_button_skip_click(%d)",
    false,
    true,
    83,
    Command_BtnSkip_Show,
    Command_BtnSkip_Hide,
    Command_BtnSkip_Reload,
    Event_BtnSkip_Click,
    Event_BtnSkip_ReloadEnd,
    &tp_Config::skip_casual_time,
    &tp_Config::skip_adv_time,
};

} // namespace

const tp_RechargeButtonRow& tp_RechargeButton::HintRow() {
    return kHint;
}
const tp_RechargeButtonRow& tp_RechargeButton::SkipRow() {
    return kSkip;
}

tp_RechargeButton::tp_RechargeButton(const std::string& name, const std::string& module_override,
                                     const tp_RechargeButtonRow& row)
    : tp_InterfaceWidget(name), row_(row) {
    LoadClassModule(module_override, row.module);
    // The subscription order of the two buttons differs; both are kept.
    if (row.uses_multiplier) {
        for (int id :
             std::initializer_list<int>{row.click, row.show, row.hide, row.reload, row.reload_end,
                                        AppUpdateGameMode, Event_Level_CheatKeyPressed})
            Subscribe(id);
    } else {
        for (int id :
             std::initializer_list<int>{row.click, row.reload, row.reload_end, AppUpdateGameMode,
                                        row.show, row.hide, Event_Level_CheatKeyPressed})
            Subscribe(id);
    }
}

float tp_RechargeButton::GetFullTime() const {
    const tp_Config* config = tp_Config::Get();
    if (!config || (mode_ != 0 && mode_ != 1))
        return 0.0f;
    const float time = mode_ == 0 ? config->*row_.casual : config->*row_.advanced;
    const float full = row_.uses_multiplier ? time * multiplier_ : time;
    // A time that is no finite number would never run out: no recharge.
    return std::isfinite(full) ? full : 0.0f;
}

void tp_RechargeButton::HandleMessage(int id, tr_MediatorDataTable& data) {
    tp_InterfaceWidget::HandleMessage(id, data);
    if (id == AppUpdateGameMode) {
        tp_ReadInt(data, "mode", mode_);
        ForwardToModule(Command_Interface_UpdateGameMode, data);
    } else if (id == row_.reload) {
        Reload(data);
    } else if (id == row_.show || id == row_.hide) {
        ForwardToModule(id, data);
    } else if (id == row_.click) {
        char call[64];
        std::snprintf(call, sizeof(call), row_.click_call, recharging_ ? 1 : 0);
        tp_QueueTrigger(GetName(), call);
    } else if (id == row_.reload_end) {
        recharging_ = false;
    } else if (id == Event_Level_CheatKeyPressed) {
        int key = 0;
        if (tp_ReadInt(data, "key", key) && key == row_.cheat_key)
            SendReload(GetFullTime(), true, 0.0f);
    }
}

void tp_RechargeButton::Reload(const tr_MediatorDataTable& data) {
    if (row_.clears_on_reload)
        recharging_ = false;
    float relative = 0.0f;
    tp_ReadFloat(data, "remain_time_relative", relative);
    if (row_.uses_multiplier) {
        multiplier_ = 1.0f;
        tp_ReadFloat(data, "multiplier", multiplier_);
        if (!std::isfinite(multiplier_)) {
            tr_Log("Warning: interface widget \"%s\" ignores a multiplier that is no finite "
                   "number.",
                   GetName().c_str());
            multiplier_ = 1.0f;
        }
    }
    // The part still to run is at most the whole recharge; NaN fails both
    // tests below and so asks for none.
    relative = std::min(relative, 1.0f);
    const float full = GetFullTime();
    if (!(relative > 0.0f) || !(full > 0.0f))
        return;
    recharging_ = true;
    SendReload(full, false, full * relative);
}

void tp_RechargeButton::SendReload(float full_time, bool refill, float remain_time) {
    tr_MediatorDataTable data;
    data.SetFloat("full_time", full_time);
    if (refill)
        data.SetInt("remain_time", 0);
    else
        data.SetFloat("remain_time", remain_time);
    ForwardToModule(row_.reload, data);
}
