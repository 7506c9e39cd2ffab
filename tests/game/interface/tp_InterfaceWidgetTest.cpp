// The widget base: its own fade, message 28, the module of a built-in class
// (default folder or override) and deletion while a handler runs.
#include "InterfaceTestSupport.h"

#include "engine/scene/tr_ObjectRef.h"
#include "game/core/tp_Messages.h"

namespace {

// A built-in style widget: class module "int_probe", forwarding message 165.
class ModuleWidget : public tp_InterfaceWidget {
public:
    ModuleWidget(const std::string& name, const std::string& module_override)
        : tp_InterfaceWidget(name) {
        LoadClassModule(module_override, "int_probe");
        Subscribe(Message_CustomWidget);
    }

protected:
    void HandleMessage(int id, tr_MediatorDataTable& data) override {
        tp_InterfaceWidget::HandleMessage(id, data);
        if (id == Message_CustomWidget)
            ForwardToModule(id, data);
    }
};

class InterfaceWidgetTest : public InterfaceFixture {
protected:
    void SetUp() override { MakeHub(); }

    ModuleWidget* MakeWidget(const std::string& module_override) {
        auto* widget = new ModuleWidget("widget_probe", module_override);
        tr_Object::Attach(hub, widget);
        return widget;
    }
    void SendVisible(const std::string& name, int visible, int need_fade) {
        tr_MediatorDataTable data;
        data.SetString("name", name);
        data.SetInt("visible", visible);
        data.SetInt("need_fade", need_fade);
        Send(Command_InterfaceWidget_SetVisible, data);
    }
};

TEST_F(InterfaceWidgetTest, OverrideModuleIsLoadedButItsRootIsLookedUpByTheClassName) {
    // A module whose root has another name leaves the widget without one.
    const std::string wrong = WriteModule("wrong_root", "int_other", {});
    auto* bare = new ModuleWidget("widget_bare", wrong);
    tr_Object::Attach(hub, bare);
    EXPECT_EQ(bare->GetModuleObject(), nullptr);
    EXPECT_NE(Core().GetScene().FindObject("int_other"), nullptr);

    const std::string path =
        WriteModule("other_file", "int_probe",
                    {{"trg_int_probe_init", "probe_inits = 1"},
                     {"trg_int_probe_message", "probe_msg = tr_params.param_0"}});
    ModuleWidget* widget = MakeWidget(path);
    EXPECT_EQ(widget->GetModuleOverride(), path);
    ASSERT_NE(widget->GetModuleObject(), nullptr);
    EXPECT_EQ(widget->GetModuleObject()->GetParent(), widget);
    EXPECT_EQ(Global("probe_inits"), "1");
    tr_MediatorDataTable data;
    Send(Message_CustomWidget, data);
    EXPECT_EQ(Global("probe_msg"), "165");
}

TEST_F(InterfaceWidgetTest, WithoutOverrideTheInterfaceFolderIsUsed) {
    ModuleWidget* widget = MakeWidget("");
    EXPECT_EQ(widget->GetModuleObject(), nullptr);
    EXPECT_EQ(widget->GetModuleName(), "int_probe");
    // The "_set" call is queued all the same and reported as missing.
    Triggers().RunQueue();
    EXPECT_EQ(
        log.CountStartingWith("Error: object widget_probe try to call trigger trg_int_probe_set"),
        1);
}

TEST_F(InterfaceWidgetTest, SetVisibleAnswersOnlyItsOwnNameAndFadesAtFourPerSecond) {
    ModuleWidget* widget = MakeWidget("");
    SendVisible("widget_other", 0, 0);
    EXPECT_TRUE(widget->IsShown());
    EXPECT_FLOAT_EQ(widget->GetAlpha(), 1.0f);

    SendVisible("widget_probe", 0, 1);
    EXPECT_FALSE(widget->IsShown());
    EXPECT_FLOAT_EQ(widget->GetAlpha(), 1.0f);
    Step(widget, 0.05f);
    EXPECT_NEAR(widget->GetFade(), 0.8f, 1e-5f);
    EXPECT_NEAR(widget->GetAlpha(), 0.8f, 1e-5f);
    Step(widget, 0.5f);
    EXPECT_FLOAT_EQ(widget->GetFade(), 0.0f);
    EXPECT_FLOAT_EQ(widget->GetAlpha(), 0.0f);
    // At its end the fade writes nothing, so another writer keeps its value.
    widget->SetAlpha(0.3f);
    Step(widget, 0.1f);
    EXPECT_FLOAT_EQ(widget->GetAlpha(), 0.3f);

    SendVisible("widget_probe", 1, 0);
    EXPECT_FLOAT_EQ(widget->GetFade(), 1.0f);
    EXPECT_FLOAT_EQ(widget->GetAlpha(), 1.0f);
}

TEST_F(InterfaceWidgetTest, WidgetDeletedByNameFromItsOwnHandlerIsNotTouchedAgain) {
    const std::string path = WriteModule("probe", "int_probe", {});
    ModuleWidget* widget = MakeWidget(path);
    tr_ObjectRef ref(widget);
    Triggers().AddTrigger(
        std::make_unique<NativeTrigger>("trg_int_probe_message", [&](NativeTrigger&) {
            Core().GetScene().DeleteObject(Core().GetScene().FindObject("widget_probe"));
        }));
    tr_MediatorDataTable data;
    Send(Message_CustomWidget, data);
    EXPECT_FALSE(ref);
    Send(Message_CustomWidget, data);
    EXPECT_EQ(tr_Mediator::Get()->CountListeners(Message_CustomWidget), 0);
}

TEST_F(InterfaceWidgetTest, WidgetDeletedWhileItsHandlerIsNestedDiesAtTheOutermostReturn) {
    const std::string path = WriteModule("probe", "int_probe", {});
    ModuleWidget* widget = MakeWidget(path);
    tr_ObjectRef ref(widget);
    int depth = 0;
    bool alive_after_inner = false;
    Triggers().AddTrigger(
        std::make_unique<NativeTrigger>("trg_int_probe_message", [&](NativeTrigger&) {
            if (++depth == 1) {
                tr_MediatorDataTable inner;
                tr_Mediator::Get()->Send(Message_CustomWidget, inner);
                alive_after_inner = static_cast<bool>(ref);
            } else {
                widget->Destroy();
                EXPECT_EQ(widget->GetParent(), nullptr);
            }
        }));
    tr_MediatorDataTable data;
    Send(Message_CustomWidget, data);
    EXPECT_EQ(depth, 2);
    EXPECT_TRUE(alive_after_inner);
    EXPECT_FALSE(ref);
}

} // namespace
