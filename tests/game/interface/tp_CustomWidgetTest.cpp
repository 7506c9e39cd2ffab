// Script-defined widgets: creation through the hub, module loading and its
// triggers, subscriptions and forwarding, refresh, and a widget deleted by
// its own module while it handles a message.
#include "InterfaceTestSupport.h"

#include "game/core/tp_Messages.h"
#include "game/interface/tp_CustomWidget.h"

namespace {

// The module's triggers record what reached them in Lua globals.
const char* const kInitCode = "inits = (inits or 0) + 1";
const char* const kSetCode = "sets = (sets or 0) + 1";
const char* const kMessageCode = R"(
messages = (messages or 0) + 1
last_msg = tr_params.param_0
last_sender = tr_params.sender
last_value = tr_params.table and tr_params.table.value
)";
const char* const kStoredCode = R"(
stored = (stored or 0) + 1
stored_value = tr_params.table and tr_params.table.value
)";

class CustomWidgetTest : public InterfaceFixture {
protected:
    void SetUp() override {
        MakeHub();
        module = WriteModule("custom_box", "box",
                             {{"trg_box_init", kInitCode},
                              {"trg_box_set", kSetCode},
                              {"trg_box_message", kMessageCode},
                              {"trg_box_stored", kStoredCode}});
    }
    void AddCustom(int type, const std::string& name) {
        tr_MediatorDataTable data;
        data.SetInt("type", type);
        data.SetFloat("pos_z", 7.0f);
        data.SetString("module", module);
        data.SetString("name", name);
        Send(Command_Interface_WidgetAdd, data);
    }
    void Subscribe(int type, int msg, const std::string& trigger) {
        tr_MediatorDataTable data;
        data.SetInt("type", type);
        data.SetInt("msg", msg);
        data.SetString("trigger", trigger);
        Send(Command_Interface_SubscribeCustomWidget, data);
    }
    void SendValue(int id, int value) {
        tr_MediatorDataTable data;
        data.SetInt("value", value);
        Send(id, data);
    }
    std::string module;
};

TEST_F(CustomWidgetTest, TypeThirtyIsNamedAfterTheScriptNameAndLoadsItsModule) {
    AddCustom(30, "box");
    auto* widget = dynamic_cast<tp_CustomWidget*>(hub->GetWidget(30));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->GetName(), "widget_box");
    EXPECT_EQ(widget->GetParent(), hub);
    EXPECT_FLOAT_EQ(widget->GetPosZ(), 7.0f);
    EXPECT_EQ(widget->GetModulePath(), module);
    const tp_WidgetTypeRecord* record = hub->GetTypeRecord(30);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->name, "widget_box");
    EXPECT_EQ(record->flags, 0x11u);

    tr_Object* root = widget->GetModuleObject();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), "box");
    EXPECT_EQ(root->GetParent(), widget);
    // "_init" ran at once, "_set" waits for the queue.
    EXPECT_EQ(Global("inits"), "1");
    EXPECT_EQ(Global("sets"), "<nil>");
    Triggers().RunQueue();
    EXPECT_EQ(Global("sets"), "1");
}

TEST_F(CustomWidgetTest, CustomTypesFollowTheHubFadeAndPause) {
    AddCustom(30, "box");
    tr_MediatorDataTable hide;
    hide.SetInt("visible", 0);
    hide.SetInt("fade", 0);
    Send(Command_Interface_SetVisible, hide);
    EXPECT_FLOAT_EQ(hub->GetWidget(30)->GetAlpha(), 0.0f);
    tr_MediatorDataTable pause;
    pause.SetInt("pause", 1);
    Send(LevelPause, pause);
    EXPECT_FALSE(hub->GetWidget(30)->IsActive());
}

TEST_F(CustomWidgetTest, MessageWithoutSubscriptionEntryRunsTheModuleMessageTriggerAtOnce) {
    AddCustom(30, "box");
    Subscribe(30, Message_CustomWidget, "");
    SendValue(Message_CustomWidget, 42);
    EXPECT_EQ(Global("messages"), "1");
    EXPECT_EQ(Global("last_msg"), "165");
    EXPECT_EQ(Global("last_sender"), "widget_box");
    EXPECT_EQ(Global("last_value"), "42");
    EXPECT_TRUE(dynamic_cast<tp_CustomWidget*>(hub->GetWidget(30))->GetSubscriptions().empty());
}

TEST_F(CustomWidgetTest, SubscribedMessageQueuesTheStoredTriggerWithTheData) {
    AddCustom(30, "box");
    Triggers().RunQueue();
    Subscribe(30, Command_Inventory_ZoomIn, "trg_box_stored");
    SendValue(Command_Inventory_ZoomIn, 5);
    EXPECT_EQ(Global("stored"), "<nil>");
    EXPECT_EQ(Global("messages"), "<nil>");
    Triggers().RunQueue();
    EXPECT_EQ(Global("stored"), "1");
    EXPECT_EQ(Global("stored_value"), "5");

    // A second subscription keeps the first trigger but doubles delivery.
    Subscribe(30, Command_Inventory_ZoomIn, "trg_other");
    SendValue(Command_Inventory_ZoomIn, 6);
    Triggers().RunQueue();
    EXPECT_EQ(Global("stored"), "3");
    EXPECT_EQ(dynamic_cast<tp_CustomWidget*>(hub->GetWidget(30))
                  ->GetSubscriptions()
                  .at(Command_Inventory_ZoomIn),
              "trg_box_stored");
}

TEST_F(CustomWidgetTest, UnsubscribedModuleCommandsReachNoWidget) {
    AddCustom(30, "box");
    for (int id : {67, 68, 72, 73, 74, 75, 76, 93, 137, 138, 139, 140, 141})
        SendValue(id, 1);
    EXPECT_EQ(Global("messages"), "<nil>");
}

TEST_F(CustomWidgetTest, SubscribeNamingABuiltInWidgetDoesNothing) {
    Subscribe(InterfaceWidget_Transporter, Message_CustomWidget, "trg_box_stored");
    Subscribe(44, Message_CustomWidget, "trg_box_stored");
    EXPECT_EQ(tr_Mediator::Get()->CountListeners(Message_CustomWidget), 0);
}

TEST_F(CustomWidgetTest, RefreshQueuesTheModuleSetTrigger) {
    AddCustom(30, "box");
    Triggers().RunQueue();
    tr_MediatorDataTable none;
    Send(Command_Interface_Refresh, none);
    Triggers().RunQueue();
    EXPECT_EQ(Global("sets"), "2");
}

TEST_F(CustomWidgetTest, MissingModuleLeavesAWidgetWithoutModuleObject) {
    module = folder.Path() + "/absent";
    AddCustom(31, "ghost");
    auto* widget = dynamic_cast<tp_CustomWidget*>(hub->GetWidget(31));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->GetModuleObject(), nullptr);
    SendValue(Message_CustomWidget, 1);
    Subscribe(31, Message_CustomWidget, "");
    SendValue(Message_CustomWidget, 1);
    EXPECT_EQ(log.Count("Error: object widget_ghost try to call trigger trg_ghost_message - no "
                        "such trigger"),
              1);
}

TEST_F(CustomWidgetTest, WidgetDeletedByItsOwnHandlerDiesAfterTheHandlerReturns) {
    AddCustom(30, "box");
    Subscribe(30, Message_CustomWidget, "");
    tr_ObjectRef widget(hub->GetWidget(30));
    int calls = 0;
    bool alive_inside = false;
    // Replace the module's message trigger by one that deletes its widget.
    Triggers().DeleteTrigger("trg_box_message");
    Triggers().AddTrigger(std::make_unique<NativeTrigger>("trg_box_message", [&](NativeTrigger&) {
        ++calls;
        tr_MediatorDataTable data;
        data.SetInt("type", 30);
        tr_Mediator::Get()->Send(Command_Interface_WidgetDelete, data);
        // Detached and deaf at once, but still in memory.
        alive_inside = static_cast<bool>(widget);
        EXPECT_EQ(hub->GetWidget(30), nullptr);
        tr_MediatorDataTable again;
        tr_Mediator::Get()->Send(Message_CustomWidget, again);
    }));
    tr_MediatorDataTable data;
    Send(Message_CustomWidget, data);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(alive_inside);
    EXPECT_FALSE(widget);
    EXPECT_EQ(tr_Mediator::Get()->CountListeners(Message_CustomWidget), 0);
    EXPECT_EQ(tr_Mediator::Get()->CountListeners(Command_InterfaceWidget_SetVisible), 1);
}

TEST_F(CustomWidgetTest, SecondAddOfACustomTypeReplacesTheRecord) {
    AddCustom(30, "box");
    tr_Object* first = hub->GetWidget(30);
    AddCustom(30, "crate");
    tr_Object* second = hub->GetWidget(30);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->GetName(), "widget_crate");
    EXPECT_EQ(first->GetParent(), hub);
}

TEST_F(CustomWidgetTest, ModuleNamingAReservedObjectLeavesThatObjectWithItsOwner) {
    tr_Object* display_root = Core().GetScene().GetDisplayRoot();
    tr_Object* storage_root = Core().GetScene().GetStorageRoot();
    module = folder.Path() + "/absent";
    AddCustom(30, "tp_interface");
    AddCustom(31, "tr_origin");
    AddCustom(32, "tr_storage");
    EXPECT_EQ(hub->GetParent(), display_root);
    EXPECT_EQ(display_root->GetParent(), nullptr);
    EXPECT_EQ(storage_root->GetParent(), nullptr);
    for (int type : {30, 31, 32}) {
        auto* widget = dynamic_cast<tp_CustomWidget*>(hub->GetWidget(type));
        ASSERT_NE(widget, nullptr) << type;
        EXPECT_EQ(widget->GetParent(), hub);
        EXPECT_EQ(widget->GetModuleObject(), nullptr);
    }
    EXPECT_EQ(log.Count("Warning: interface widget \"widget_tp_interface\" can not take reserved "
                        "object \"tp_interface\" as its module."),
              1);
}

} // namespace
