// The hint and skip buttons: recharge times by mode and multiplier, the
// guards of the reload, the difference of the twins on a refused reload,
// relative times and multipliers out of range, the cheat refill, and a
// recharge driven by a module timer that ends on the exact frame.
#include "WidgetTestSupport.h"

#include "engine/scene/tr_TimerObj.h"
#include "game/interface/tp_RechargeButton.h"

#include <cmath>

namespace {

class RechargeButtonTest : public WidgetFixture {
protected:
    void SetUp() override {
        Begin();
        tp_Config& config = *tp_Config::Get();
        config.hint_casual_time = 60.0f;
        config.hint_adv_time = 120.0f;
        config.skip_casual_time = 45.0f;
        config.skip_adv_time = 90.0f;
        hint = AddWithStandIn<tp_RechargeButton>(InterfaceWidget_BtnHint, "int_button_hint");
        skip = AddWithStandIn<tp_RechargeButton>(InterfaceWidget_BtnSkip, "int_button_skip");
        ASSERT_NE(hint, nullptr);
        ASSERT_NE(skip, nullptr);
        for (const char* name : {"trg_int_button_hint_click", "trg_int_button_skip_click"})
            Triggers().AddTrigger(std::make_unique<tr_Trigger>(
                name, "fired = (fired or '') .. tr_params.param_0 .. ' '"));
        Run("on_command = function(n, t) if t.full_time then "
            "times = (times or '') .. n .. ':' .. t.full_time .. '/' .. t.remain_time .. ' ' end "
            "end");
        Calls();
    }

    void Mode(int mode) {
        tr_MediatorDataTable data;
        data.SetInt("mode", mode);
        Send(AppUpdateGameMode, data);
    }
    void Reload(int id, float relative, float multiplier = NAN) {
        tr_MediatorDataTable data;
        data.SetFloat("remain_time_relative", relative);
        if (!std::isnan(multiplier))
            data.SetFloat("multiplier", multiplier);
        Send(id, data);
    }
    std::string Times() {
        const std::string times = Global("times");
        Run("times = nil");
        return times == "<nil>" ? "" : times;
    }
    // The argument each click trigger receives, hint first.
    std::string Clicks() {
        SendEmpty(Event_BtnHint_Click);
        SendEmpty(Event_BtnSkip_Click);
        return Fired();
    }

    tp_RechargeButton* hint = nullptr;
    tp_RechargeButton* skip = nullptr;
};

TEST_F(RechargeButtonTest, ReloadTimesByModeAndMultiplier) {
    struct Case {
        int mode;
        int command;
        float relative;
        float multiplier;
        const char* times;
        const char* clicks;
    };
    const Case cases[] = {
        {0, Command_BtnHint_Reload, 0.5f, NAN, "36:60/30 ", "1 0 "},
        {1, Command_BtnSkip_Reload, 1.0f, 2.0f, "43:180/180 ", "0 1 "},
        {1, Command_BtnSkip_Reload, 1.0f, NAN, "43:90/90 ", "0 1 "}, // back to 1.0
        {2, Command_BtnHint_Reload, 1.0f, NAN, "", "0 0 "},          // no time in mode 2
        {0, Command_BtnHint_Reload, 3.0f, NAN, "36:60/60 ", "1 0 "}, // clamped to the whole
        {0, Command_BtnHint_Reload, -1.0f, NAN, "", "0 0 "},
        {0, Command_BtnHint_Reload, NAN, NAN, "", "0 0 "},
        {0, Command_BtnHint_Reload, INFINITY, NAN, "36:60/60 ", "1 0 "},
        {0, Command_BtnSkip_Reload, 1.0f, INFINITY, "43:45/45 ", "0 1 "},
        {0, Command_BtnSkip_Reload, 1.0f, -2.0f, "", "0 0 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " command " << c.command
                                        << " relative " << c.relative);
        Mode(c.mode);
        Reload(c.command, c.relative, c.multiplier);
        EXPECT_EQ(Times(), c.times);
        EXPECT_EQ(Clicks(), c.clicks);
        SendEmpty(Event_BtnHint_ReloadEnd);
        SendEmpty(Event_BtnSkip_ReloadEnd);
        EXPECT_EQ(Clicks(), "0 0 ") << "ready after the reload end";
    }
    EXPECT_EQ(Calls().rfind("26 26 36 26 26 43 ", 0), 0u) << "mode changes reach modules as 26";
}

TEST_F(RechargeButtonTest, RefusedReloadClearsTheHintButNotTheSkip) {
    Reload(Command_BtnHint_Reload, 1.0f);
    Reload(Command_BtnSkip_Reload, 1.0f);
    EXPECT_EQ(Clicks(), "1 1 ");
    Reload(Command_BtnHint_Reload, 0.0f);
    Reload(Command_BtnSkip_Reload, 0.0f);
    EXPECT_EQ(Times(), "36:60/60 43:45/45 ");
    EXPECT_EQ(Clicks(), "0 1 ");
}

TEST_F(RechargeButtonTest, CheatKeysRefillAtOnceWithoutChangingTheState) {
    Mode(1);
    Reload(Command_BtnSkip_Reload, 0.5f, 3.0f);
    Times();
    struct Case {
        int key;
        const char* times;
    };
    for (const Case& c : {Case{72, "36:120/0 "}, Case{83, "43:270/0 "}, Case{32, ""}}) {
        tr_MediatorDataTable data;
        data.SetInt("key", c.key);
        Send(Event_Level_CheatKeyPressed, data);
        EXPECT_EQ(Times(), c.times) << "key " << c.key;
    }
    EXPECT_EQ(Clicks(), "0 1 ");
}

TEST_F(RechargeButtonTest, ModuleTimerEndsTheRechargeOnTheExactFrame) {
    // A module that counts the remaining time down with a timer and reports
    // the end, as the shipped one does.
    auto* timer = new tr_TimerObj("hint_fill");
    tr_Object::Attach(hint->GetModuleObject(), timer);
    Triggers().AddTrigger(
        std::make_unique<tr_Trigger>("trg_fill_end", "SendMessage(Event_BtnHint_ReloadEnd, {})"));
    timer->SetEndTrigger("trg_fill_end");
    Run("on_command = function(n, t) if n == 36 then remain = t.remain_time end end");
    Reload(Command_BtnHint_Reload, 0.5f);
    timer->SetTime(std::stof(Global("remain")));
    timer->SetPlaying(true);
    const int frames = 30 * 60; // 30 s at a fixed 1/60 s
    int ended = -1;
    for (int frame = 1; frame <= frames + 2 && ended < 0; ++frame) {
        Step(timer, 1.0f / 60.0f);
        Triggers().RunQueue();
        if (!hint->IsRecharging())
            ended = frame;
    }
    EXPECT_EQ(ended, frames);
}

} // namespace
