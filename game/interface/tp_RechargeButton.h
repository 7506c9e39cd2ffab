// tp_RechargeButton: the hint button (type 5, "widget_btn_hint", module
// "int_button_hint") and the skip button (type 6, "widget_btn_skip", module
// "int_button_skip"), the two buttons that recharge after use. The widget
// keeps the game mode and whether a recharge runs, turns a reload command
// into a recharge time from the configuration and hands it to its module;
// the module draws the filling and reports the click and the end of the
// recharge. What a click does is up to the queued click trigger, which
// receives 1 while recharging, else 0.
//
// The twins differ only through their row: the hint clears the recharge at
// every reload, the skip keeps it on a refused reload, scales its times by
// the reload's multiplier and remembers it for its cheat refill; the cheat
// keys are 72 and 83. Rows are static data; the widget points at its row.
#pragma once

#include "game/interface/tp_InterfaceWidget.h"

#include <string>

class tp_Config;

struct tp_RechargeButtonRow {
    int type;
    const char* module;
    const char* type_name;
    const char* click_call; // printf format with the recharge state
    bool clears_on_reload;
    bool uses_multiplier;
    int cheat_key;
    int show, hide, reload, click, reload_end;
    float tp_Config::*casual;
    float tp_Config::*advanced;
};

class tp_RechargeButton : public tp_InterfaceWidget {
public:
    static const tp_RechargeButtonRow& HintRow();
    static const tp_RechargeButtonRow& SkipRow();

    tp_RechargeButton(const std::string& name, const std::string& module_override,
                      const tp_RechargeButtonRow& row);

    int GetMode() const { return mode_; }
    bool IsRecharging() const { return recharging_; }
    float GetMultiplier() const { return multiplier_; }
    // Full recharge time in the current mode, multiplier included: the
    // configured time of mode 0 or 1, else 0.
    float GetFullTime() const;

    std::string GetType() const override { return row_.type_name; }

protected:
    void HandleMessage(int id, tr_MediatorDataTable& data) override;

private:
    void Reload(const tr_MediatorDataTable& data);
    void SendReload(float full_time, bool refill, float remain_time);

    const tp_RechargeButtonRow& row_;
    int mode_ = 0;
    bool recharging_ = false;
    float multiplier_ = 1.0f;
};
