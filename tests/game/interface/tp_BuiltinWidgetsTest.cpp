// The shared widget plumbing: the registration of the built-in classes, the
// table-driven forwarding widget, and a module parked in storage.
#include "WidgetTestSupport.h"

#include "game/interface/tp_ForwardingWidget.h"

namespace {

class BuiltinWidgetsTest : public WidgetFixture {
protected:
    void SetUp() override { Begin(); }
};

TEST_F(BuiltinWidgetsTest, RegisteredTypesBuildTheirClasses) {
    const struct {
        int type;
        const char* class_type;
    } rows[] = {
        {InterfaceWidget_Inventory, "inventory"},
        {InterfaceWidget_TaskPanel, "task_panel"},
        {InterfaceWidget_TaskHeader, "task_header"},
        {InterfaceWidget_ItemPanel, "item_panel"},
        {InterfaceWidget_DialogHo, "dialog_ho"},
        {InterfaceWidget_Popup, "forwarding_widget"},
        {InterfaceWidget_Effects, "forwarding_widget"},
        {InterfaceWidget_Pause, "forwarding_widget"},
        {InterfaceWidget_BtnMenu, "forwarding_widget"},
        {InterfaceWidget_BtnHint, "btn_hint"},
        {InterfaceWidget_BtnSkip, "btn_skip"},
        {InterfaceWidget_Tutorial, "tutorial"},
        {InterfaceWidget_Dialog, "dialog"},
        {InterfaceWidget_BlackBarText, "black_bar_text"},
        {InterfaceWidget_DialogVideo, "dialog_video"},
    };
    for (const auto& row : rows) {
        AddWidget(row.type, 2.0f);
        tr_Object* widget = hub->GetWidget(row.type);
        ASSERT_NE(widget, nullptr) << row.type;
        EXPECT_EQ(widget->GetType(), row.class_type);
    }
    EXPECT_EQ(log.CountStartingWith("Warning: interface widget"), 0);
}

TEST_F(BuiltinWidgetsTest, ForwardingWidgetsForwardTheirMessagesOnly) {
    size_t count = 0;
    const tp_ForwardingWidgetRow* rows = tp_ForwardingWidget::GetRows(&count);
    ASSERT_GT(count, 0u);
    for (size_t r = 0; r < count; ++r) {
        const tp_ForwardingWidgetRow& row = rows[r];
        SCOPED_TRACE(row.module);
        auto* widget = AddWithStandIn<tp_ForwardingWidget>(row.type, row.module);
        ASSERT_NE(widget, nullptr);
        ASSERT_NE(widget->GetModuleObject(), nullptr);
        EXPECT_EQ(widget->GetModuleObject()->GetParent(), widget);
        std::string expected;
        for (size_t i = 0; i < row.message_count; ++i) {
            SendNamed(row.messages[i], "m");
            expected += std::to_string(row.messages[i]) + ":m ";
        }
        SendEmpty(Message_CustomWidget);
        if (!expected.empty())
            expected.pop_back();
        EXPECT_EQ(Calls(), expected);

        // "_set" runs after creation, and after a display change only when
        // the row says so.
        const std::string set = "trg_" + std::string(row.module) + "_set";
        Triggers().RunQueue();
        log.lines.clear();
        widget->Refresh(true);
        Triggers().RunQueue();
        EXPECT_EQ(log.CountStartingWith("Error: object " + widget->GetName() +
                                        " try to call trigger " + set),
                  row.refresh_runs_set ? 1 : 0);

        // A button's click runs its trigger and never reaches the module.
        if (row.click_call) {
            RecordTrigger(row.click_call);
            SendEmpty(row.click_event);
            EXPECT_EQ(Calls(), "");
            EXPECT_EQ(Fired(), std::string(row.click_call) + " ");
        }
    }
}

// A widget whose module rests in storage until it is wanted.
class ParkingWidget : public tp_InterfaceWidget {
public:
    ParkingWidget(const std::string& path) : tp_InterfaceWidget("widget_parking") {
        LoadModule(path, "int_parked", ModulePlacement::kParked);
    }
    using tp_InterfaceWidget::ParkModule;
    using tp_InterfaceWidget::UnparkModule;
};

TEST_F(BuiltinWidgetsTest, AParkedModuleWaitsInStorageWithOnlyItsInitRun) {
    const std::string path = WriteModule("parked", "int_parked",
                                         {{"trg_int_parked_init", "inits = (inits or 0) + 1"},
                                          {"trg_int_parked_set", "sets = (sets or 0) + 1"}});
    auto* widget = new ParkingWidget(path);
    tr_Object::Attach(hub, widget);
    tr_Object* module = widget->GetModuleObject();
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->GetParent(), Core().GetScene().GetStorageRoot());
    Triggers().RunQueue();
    EXPECT_EQ(Global("inits"), "1");
    EXPECT_EQ(Global("sets"), "<nil>");
    widget->UnparkModule();
    EXPECT_EQ(module->GetParent(), widget);
    widget->ParkModule();
    EXPECT_EQ(module->GetParent(), hub->GetStorage());
}

} // namespace
