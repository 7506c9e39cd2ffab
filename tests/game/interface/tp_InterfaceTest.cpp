// The interface hub: its creation, the widget type table, the hub commands,
// the hub fade and the pause rule.
#include "InterfaceTestSupport.h"

#include "game/core/tp_Messages.h"
#include "game/interface/tp_BuiltinWidgetTypes.h"
#include "game/interface/tp_CustomWidget.h"
#include "game/interface/tp_Top.h"
#include "game/interface/tp_Transporter.h"

namespace {

// Counts the messages of one number that reach it.
class MessageCounter : public tr_Listener {
public:
    explicit MessageCounter(int id) { tr_Mediator::Get()->Subscribe(id, this); }
    void OnMessage(int, tr_MediatorDataTable& data) override {
        ++count;
        if (tr_MediatorData* name = data.Find("name"))
            last_name = name->GetString();
    }
    int count = 0;
    std::string last_name;
};

const std::vector<int> kFollowingTypes = {InterfaceWidget_Inventory, InterfaceWidget_TaskPanel,
                                          InterfaceWidget_BtnHint, InterfaceWidget_BtnSkip};
const std::vector<int> kOtherTypes = {InterfaceWidget_Window,      InterfaceWidget_Popup,
                                      InterfaceWidget_Pause,       InterfaceWidget_Effects,
                                      InterfaceWidget_DialogVideo, InterfaceWidget_StrategyGuide};

class InterfaceHubTest : public InterfaceFixture {
protected:
    // Hub with probe widgets of every type of both lists.
    void MakeHubWithMixedWidgets() {
        MakeHub({InterfaceWidget_Inventory, InterfaceWidget_TaskPanel, InterfaceWidget_BtnHint,
                 InterfaceWidget_BtnSkip, InterfaceWidget_Window, InterfaceWidget_Popup,
                 InterfaceWidget_Pause, InterfaceWidget_Effects, InterfaceWidget_DialogVideo,
                 InterfaceWidget_StrategyGuide});
        for (int type : kFollowingTypes)
            AddWidget(type, 1.0f);
        for (int type : kOtherTypes)
            AddWidget(type, 1.0f);
    }
    void SetHubVisible(int visible, int fade) {
        tr_MediatorDataTable data;
        data.SetInt("visible", visible);
        data.SetInt("fade", fade);
        Send(Command_Interface_SetVisible, data);
    }
};

TEST_F(InterfaceHubTest, CreationBuildsStorageTopTransporterAndScriptConstants) {
    MakeHub();
    EXPECT_EQ(hub->GetName(), "tp_interface");
    EXPECT_EQ(tp_Interface::Get(), hub);
    tr_Object* storage = hub->GetStorage();
    ASSERT_NE(storage, nullptr);
    EXPECT_EQ(storage->GetName(), "interface_hub");
    EXPECT_EQ(storage->GetParent(), Core().GetScene().GetStorageRoot());

    tr_Object* top = hub->GetWidget(InterfaceWidget_Top);
    tr_Object* transporter = hub->GetWidget(InterfaceWidget_Transporter);
    ASSERT_NE(dynamic_cast<tp_Top*>(top), nullptr);
    ASSERT_NE(dynamic_cast<tp_Transporter*>(transporter), nullptr);
    EXPECT_EQ(top->GetParent(), hub);
    EXPECT_FLOAT_EQ(top->GetPosZ(), 1000.0f);
    EXPECT_FLOAT_EQ(transporter->GetPosZ(), 999.0f);
    EXPECT_EQ(transporter->GetName(), "widget_transporter");

    EXPECT_EQ(Global("InterfaceWidget_Inventory"), "1");
    EXPECT_EQ(Global("InterfaceWidget_StrategyGuide"), "26");
    EXPECT_EQ(Global("InterfaceWidget_Custom"), "27");
    EXPECT_EQ(Global("InterfaceWidget_Top_Name"), "widget_top");
    EXPECT_EQ(Global("Trans_CursorToInventory"), "3");
    EXPECT_EQ(Global("Command_Transporter_MoveObject"), "151");
    EXPECT_EQ(Global("Message_CustomWidget"), "165");
    // Numbers only native code names have no script global.
    EXPECT_EQ(Global("Command_InterfaceWidget_SetVisible"), "<nil>");
    EXPECT_EQ(Global("Command_Transporter_Finish"), "<nil>");
}

TEST_F(InterfaceHubTest, TypeTableHoldsTheBuiltInRowsAndTypesWithoutClassesCreateNothing) {
    MakeHub();
    size_t count = 0;
    const tp_BuiltinWidgetType* rows = tp_GetBuiltinWidgetTypes(&count);
    ASSERT_EQ(count, 27u);
    for (size_t i = 0; i < count; ++i) {
        const tp_WidgetTypeRecord* record = hub->GetTypeRecord(rows[i].type);
        ASSERT_NE(record, nullptr) << rows[i].type;
        EXPECT_EQ(record->name, rows[i].object_name);
    }
    EXPECT_EQ(hub->GetTypeRecord(InterfaceWidget_Inventory)->flags, 0x11u);
    EXPECT_EQ(hub->GetTypeRecord(InterfaceWidget_DialogVideo)->flags, 0x10u);
    EXPECT_EQ(hub->GetTypeRecord(InterfaceWidget_Window)->flags, 0x00u);
    EXPECT_EQ(hub->GetTypeRecord(InterfaceWidget_BlackBarText)->name, "widget_bbt");
    EXPECT_EQ(hub->GetTypeRecord(InterfaceWidget_Custom), nullptr);

    const size_t children = hub->GetChildren().size();
    AddWidget(InterfaceWidget_Map, 3.0f);
    EXPECT_EQ(hub->GetWidget(InterfaceWidget_Map), nullptr);
    EXPECT_EQ(hub->GetChildren().size(), children);
    EXPECT_EQ(hub->GetWidget(-4), nullptr);
    EXPECT_EQ(
        log.Count("Warning: interface widget \"widget_map\" has no class; nothing is created."), 1);
    EXPECT_EQ(log.CountStartingWith("Warning"), 1);
}

TEST_F(InterfaceHubTest, SecondAddOfABuiltInTypeOnlyWarns) {
    MakeHub({InterfaceWidget_Inventory});
    AddWidget(InterfaceWidget_Inventory, 4.0f);
    tr_Object* first = hub->GetWidget(InterfaceWidget_Inventory);
    ASSERT_NE(first, nullptr);
    EXPECT_FLOAT_EQ(first->GetPosZ(), 4.0f);
    const size_t children = hub->GetChildren().size();

    AddWidget(InterfaceWidget_Inventory, 9.0f);
    EXPECT_EQ(log.Count("Warning: interface widget \"widget_inventory\" is already exist."), 1);
    EXPECT_EQ(hub->GetWidget(InterfaceWidget_Inventory), first);
    EXPECT_FLOAT_EQ(first->GetPosZ(), 4.0f);
    EXPECT_EQ(hub->GetChildren().size(), children);
}

TEST_F(InterfaceHubTest, GetWidgetFindsWidgetsBelowOtherWidgets) {
    MakeHub({InterfaceWidget_Popup});
    // A script may attach a widget somewhere below the top layer.
    tr_Object* nested = new ProbeWidget("widget_popup");
    tr_Object::Attach(hub->GetWidget(InterfaceWidget_Top), nested);
    EXPECT_EQ(hub->GetWidget(InterfaceWidget_Popup), nested);
    // A direct child of the same name is preferred.
    AddWidget(InterfaceWidget_Popup, 1.0f);
    EXPECT_EQ(log.CountStartingWith("Warning: interface widget"), 1);
    tr_Object* direct = new ProbeWidget("widget_popup");
    tr_Object::Attach(hub, direct);
    EXPECT_EQ(hub->GetWidget(InterfaceWidget_Popup), direct);
}

TEST_F(InterfaceHubTest, SetVisibleWithoutFadeTouchesOnlyWidgetsFollowingTheHubFade) {
    MakeHubWithMixedWidgets();
    SetHubVisible(0, 0);
    EXPECT_TRUE(hub->IsHubHidden());
    EXPECT_FLOAT_EQ(hub->GetHubAlpha(), 0.0f);
    for (int type : kFollowingTypes)
        EXPECT_FLOAT_EQ(hub->GetWidget(type)->GetAlpha(), 0.0f) << type;
    for (int type : kOtherTypes)
        EXPECT_FLOAT_EQ(hub->GetWidget(type)->GetAlpha(), 1.0f) << type;
    EXPECT_FLOAT_EQ(hub->GetWidget(InterfaceWidget_Top)->GetAlpha(), 0.0f);

    SetHubVisible(1, 0);
    for (int type : kFollowingTypes)
        EXPECT_FLOAT_EQ(hub->GetWidget(type)->GetAlpha(), 1.0f) << type;
}

TEST_F(InterfaceHubTest, HubFadeTakesAQuarterSecondEachWay) {
    MakeHubWithMixedWidgets();
    tr_Object* inventory = hub->GetWidget(InterfaceWidget_Inventory);
    tr_Object* popup = hub->GetWidget(InterfaceWidget_Popup);
    SetHubVisible(0, 1);
    EXPECT_FLOAT_EQ(hub->GetHubAlpha(), 1.0f);
    EXPECT_FLOAT_EQ(inventory->GetAlpha(), 1.0f);

    Step(hub, 0.1f);
    EXPECT_NEAR(hub->GetHubAlpha(), 0.6f, 1e-5f);
    EXPECT_NEAR(inventory->GetAlpha(), 0.6f, 1e-5f);
    Step(hub, 0.1f);
    EXPECT_NEAR(inventory->GetAlpha(), 0.2f, 1e-5f);
    Step(hub, 0.05f);
    EXPECT_NEAR(inventory->GetAlpha(), 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(popup->GetAlpha(), 1.0f);
    Step(hub, 0.05f);
    EXPECT_FLOAT_EQ(hub->GetHubAlpha(), 0.0f);

    // Nothing is written once the end is reached.
    inventory->SetAlpha(0.5f);
    Step(hub, 0.1f);
    EXPECT_FLOAT_EQ(inventory->GetAlpha(), 0.5f);

    SetHubVisible(1, 1);
    Step(hub, 0.2f);
    EXPECT_NEAR(inventory->GetAlpha(), 0.8f, 1e-5f);
    Step(hub, 1.0f);
    EXPECT_FLOAT_EQ(hub->GetHubAlpha(), 1.0f);
    EXPECT_FLOAT_EQ(inventory->GetAlpha(), 1.0f);
}

TEST_F(InterfaceHubTest, LevelPauseSparesWindowPopupAndPause) {
    MakeHubWithMixedWidgets();
    tr_MediatorDataTable data;
    data.SetInt("pause", 1);
    Send(LevelPause, data);
    for (int type : kFollowingTypes)
        EXPECT_FALSE(hub->GetWidget(type)->IsActive()) << type;
    for (int type :
         {InterfaceWidget_Effects, InterfaceWidget_DialogVideo, InterfaceWidget_StrategyGuide,
          InterfaceWidget_Top, InterfaceWidget_Transporter})
        EXPECT_FALSE(hub->GetWidget(type)->IsActive()) << type;
    for (int type : {InterfaceWidget_Window, InterfaceWidget_Popup, InterfaceWidget_Pause})
        EXPECT_TRUE(hub->GetWidget(type)->IsActive()) << type;
    EXPECT_TRUE(hub->IsActive());

    data.SetInt("pause", 0);
    Send(LevelPause, data);
    for (const auto& entry : hub->GetTypes()) {
        if (tr_Object* widget = hub->GetWidget(entry.first)) {
            EXPECT_TRUE(widget->IsActive()) << entry.first;
        }
    }
}

TEST_F(InterfaceHubTest, WidgetSetVisibleSendsTheBroadcastOnlyForALiveWidget) {
    MakeHub({InterfaceWidget_BtnHint, InterfaceWidget_BtnSkip});
    AddWidget(InterfaceWidget_BtnHint, 1.0f);
    AddWidget(InterfaceWidget_BtnSkip, 1.0f);
    MessageCounter broadcasts(Command_InterfaceWidget_SetVisible);
    auto* hint = static_cast<tp_InterfaceWidget*>(hub->GetWidget(InterfaceWidget_BtnHint));
    auto* skip = static_cast<tp_InterfaceWidget*>(hub->GetWidget(InterfaceWidget_BtnSkip));

    tr_MediatorDataTable data;
    data.SetInt("type", InterfaceWidget_Map);
    data.SetInt("visible", 0);
    data.SetInt("need_fade", 0);
    Send(Command_Interface_WidgetSetVisible, data);
    EXPECT_EQ(broadcasts.count, 0);

    data.SetInt("type", InterfaceWidget_BtnHint);
    Send(Command_Interface_WidgetSetVisible, data);
    EXPECT_EQ(broadcasts.count, 1);
    EXPECT_EQ(broadcasts.last_name, "widget_btn_hint");
    EXPECT_FALSE(hint->IsShown());
    EXPECT_FLOAT_EQ(hint->GetAlpha(), 0.0f);
    EXPECT_TRUE(skip->IsShown());
    EXPECT_FLOAT_EQ(skip->GetAlpha(), 1.0f);
}

TEST_F(InterfaceHubTest, InputCommandsSetTheWidgetAndHubInputFlags) {
    MakeHub({InterfaceWidget_Map});
    AddWidget(InterfaceWidget_Map, 1.0f);
    tr_MediatorDataTable data;
    data.SetInt("type", InterfaceWidget_Map);
    data.SetInt("input", 0);
    Send(Command_Interface_WidgetSetInput, data);
    EXPECT_FALSE(hub->GetWidget(InterfaceWidget_Map)->IsInputEnabled());
    data.SetInt("input", 1);
    Send(Command_Interface_WidgetSetInput, data);
    EXPECT_TRUE(hub->GetWidget(InterfaceWidget_Map)->IsInputEnabled());

    tr_MediatorDataTable hub_input;
    hub_input.SetInt("input", 0);
    Send(Command_Interface_SetInput, hub_input);
    EXPECT_FALSE(hub->IsInputEnabled());
    EXPECT_TRUE(hub->GetWidget(InterfaceWidget_Map)->IsInputEnabled());
}

TEST_F(InterfaceHubTest, MissingKeysAreLoggedAndChangeNothing) {
    MakeHub({InterfaceWidget_Inventory});
    const size_t children = hub->GetChildren().size();
    tr_MediatorDataTable empty;
    Send(Command_Interface_WidgetAdd, empty);
    Send(Command_Interface_WidgetDelete, empty);
    Send(Command_Interface_SubscribeCustomWidget, empty);
    EXPECT_EQ(hub->GetChildren().size(), children);
    EXPECT_EQ(log.Count("Error: try to get NULL from tr_MediatorDataTable by key type."), 3);

    tr_MediatorDataTable custom;
    custom.SetInt("type", 31);
    Send(Command_Interface_WidgetAdd, custom);
    EXPECT_EQ(log.Count("Error: try to get NULL from tr_MediatorDataTable by key name."), 1);
    EXPECT_EQ(hub->GetWidget(31), nullptr);
}

TEST_F(InterfaceHubTest, DeleteDestroysTheWidgetAndAllowsANewOne) {
    MakeHub({InterfaceWidget_Inventory});
    AddWidget(InterfaceWidget_Inventory, 1.0f);
    tr_ObjectRef first(hub->GetWidget(InterfaceWidget_Inventory));
    ASSERT_TRUE(first);
    tr_MediatorDataTable data;
    data.SetInt("type", InterfaceWidget_Inventory);
    Send(Command_Interface_WidgetDelete, data);
    EXPECT_FALSE(first);
    EXPECT_EQ(hub->GetWidget(InterfaceWidget_Inventory), nullptr);
    // Deleting again names no widget and does nothing.
    Send(Command_Interface_WidgetDelete, data);

    AddWidget(InterfaceWidget_Inventory, 2.0f);
    EXPECT_NE(hub->GetWidget(InterfaceWidget_Inventory), nullptr);
    EXPECT_EQ(log.CountStartingWith("Warning"), 0);
}

TEST_F(InterfaceHubTest, DestroyedHubLeavesNoSubscriptions) {
    MakeHub({InterfaceWidget_Inventory});
    AddWidget(InterfaceWidget_Inventory, 1.0f);
    tr_Mediator* mediator = tr_Mediator::Get();
    EXPECT_EQ(mediator->CountListeners(Command_Interface_WidgetAdd), 1);
    EXPECT_EQ(mediator->CountListeners(Command_InterfaceWidget_SetVisible), 2);
    EXPECT_EQ(mediator->CountListeners(Command_Transporter_MoveObject), 1);
    tr_Object::RemoveChild(hub->GetParent(), hub, false);
    delete hub;
    hub = nullptr;
    EXPECT_EQ(tp_Interface::Get(), nullptr);
    EXPECT_EQ(mediator->CountListeners(Command_Interface_WidgetAdd), 0);
    EXPECT_EQ(mediator->CountListeners(Command_InterfaceWidget_SetVisible), 0);
    EXPECT_EQ(mediator->CountListeners(Command_Transporter_MoveObject), 0);
}

} // namespace
