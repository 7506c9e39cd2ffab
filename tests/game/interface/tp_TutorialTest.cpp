// The tutorial: its four states and the messages dropped out of turn, the
// clicks it swallows while it animates, the click outside it while shown,
// and the trigger call a button's btn_id becomes (split like any call text).
#include "WidgetTestSupport.h"

#include "engine/core/tr_InputEvent.h"
#include "game/interface/tp_Tutorial.h"

namespace {

class TutorialTest : public WidgetFixture {
protected:
    void SetUp() override {
        Begin();
        tutorial = AddWithStandIn<tp_Tutorial>(InterfaceWidget_Tutorial, "int_tutorial");
        ASSERT_NE(tutorial, nullptr);
        Triggers().AddTrigger(std::make_unique<tr_Trigger>(
            "trg_int_tutorial_click", "fired = (fired or '') .. 'tutorial(' .. "
                                      "tostring(tr_params.param_0) .. '|' .. "
                                      "tostring(tr_params.param_1) .. ') '"));
        RecordTrigger("trg_floor_down");
        RecordTrigger("trg_button_down");
        // The scene below the interface and a button of the module, both
        // under the same point.
        floor = new tr_Object("floor");
        floor->SetPosZ(hub->GetPosZ() - 10.0f);
        tr_Object::Attach(Core().GetScene().GetDisplayRoot(), floor);
        button = Core().GetScene().FindObject("int_tutorial_part");
        ASSERT_NE(button, nullptr);
        floor->SetInputRect(tr_Rect{0.0f, 0.0f, 100.0f, 100.0f});
        floor->SetEventCode(TR_EVENT_MDOWN, "trg_floor_down");
        button->SetInputRect(tr_Rect{0.0f, 0.0f, 10.0f, 10.0f});
        button->SetEventCode(TR_EVENT_MDOWN, "trg_button_down");
        Calls();
        Fired();
    }

    // The object picked by a mouse-down at (x, y).
    tr_Object* Click(float x, float y) {
        tr_InputEvent down;
        down.type = TR_EVENT_MOUSE_DOWN;
        down.key = TR_MOUSE_KEY;
        down.x = x;
        down.y = y;
        return Core().GetScene().DispatchInput(down);
    }

    tp_Tutorial* tutorial = nullptr;
    tr_Object* floor = nullptr;
    tr_Object* button = nullptr;
};

TEST_F(TutorialTest, MessagesOutOfTurnAreDropped) {
    const struct {
        int message;
        int state;
    } steps[] = {
        {Command_Tutorial_Hide, tp_Tutorial::STATE_HIDDEN},
        {Command_Tutorial_Show, tp_Tutorial::STATE_SHOWING},
        {Command_Tutorial_Hide, tp_Tutorial::STATE_SHOWING},
        {Command_Tutorial_Show, tp_Tutorial::STATE_SHOWING},
        {Event_Tutorial_HideEnd, tp_Tutorial::STATE_SHOWING},
        {Event_Tutorial_ShowEnd, tp_Tutorial::STATE_SHOWN},
        {Event_Tutorial_ShowEnd, tp_Tutorial::STATE_SHOWN},
        {Command_Tutorial_Hide, tp_Tutorial::STATE_HIDING},
        {Event_Tutorial_ShowEnd, tp_Tutorial::STATE_HIDING},
        {Event_Tutorial_HideEnd, tp_Tutorial::STATE_HIDDEN},
    };
    for (const auto& step : steps) {
        SendEmpty(step.message);
        EXPECT_EQ(tutorial->GetState(), step.state) << "after " << step.message;
    }
    EXPECT_EQ(Calls(), "107 108");
}

TEST_F(TutorialTest, ClicksInEachState) {
    const struct {
        int to_state; // message that leads there, or 0 for none
        float x;
        const char* picked;
        const char* fired;
    } cases[] = {
        {0, 50.0f, "floor", "trg_floor_down "},
        {Command_Tutorial_Show, 50.0f, "widget_tutorial", ""},
        {0, 5.0f, "int_tutorial_part", "trg_button_down "},
        {Event_Tutorial_ShowEnd, 50.0f, "floor", "tutorial(empty|nil) trg_floor_down "},
        {0, 5.0f, "int_tutorial_part", "trg_button_down "},
        {Command_Tutorial_Hide, 50.0f, "widget_tutorial", ""},
        {Event_Tutorial_HideEnd, 50.0f, "floor", "trg_floor_down "},
    };
    for (const auto& c : cases) {
        if (c.to_state)
            SendEmpty(c.to_state);
        SCOPED_TRACE(testing::Message() << "state " << tutorial->GetState() << " x " << c.x);
        tr_Object* picked = Click(c.x, c.x);
        ASSERT_NE(picked, nullptr);
        EXPECT_EQ(picked->GetName(), c.picked);
        EXPECT_EQ(Fired(), c.fired);
    }
}

TEST_F(TutorialTest, ButtonIdsBecomeTheTriggerArguments) {
    const struct {
        const char* btn_id;
        const char* fired;
    } cases[] = {
        {"next", "tutorial(next|nil) "},
        {"a,b", "tutorial(a|b) "}, // the comma splits the call text
        {"f(1,2)", "tutorial(f(1,2)|nil) "},
        {"", "tutorial(nil|nil) "},
    };
    for (const auto& c : cases) {
        tr_MediatorDataTable data;
        data.SetString("btn_id", c.btn_id);
        Send(Event_Tutorial_Btn_Click, data);
        EXPECT_EQ(Fired(), c.fired) << c.btn_id;
    }
}

} // namespace
