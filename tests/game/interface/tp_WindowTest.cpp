// The window: content windows found or loaded by name, stacked above each
// other under the frame module, returned to the hub on close, and refused
// when they would cut the frame or its ancestors out of the scene.
#include "WidgetTestSupport.h"

#include "engine/scene/tr_ObjectRef.h"
#include "game/interface/tp_Window.h"

namespace {

class WindowTest : public WidgetFixture {
protected:
    void SetUp() override {
        Begin();
        window = AddWithStandIn<tp_Window>(InterfaceWidget_Window, "int_window");
        ASSERT_NE(window, nullptr);
        frame = window->GetModuleObject();
        ASSERT_NE(frame, nullptr);
        menu_path = WriteModule("menu", "wnd_menu", {{"trg_wnd_menu_open", Opened("menu")}});
        options_path =
            WriteModule("options", "wnd_options", {{"trg_wnd_options_open", Opened("options")}});
        Calls();
    }
    static std::string Opened(const std::string& what) {
        return "opened = (opened or '') .. '" + what + ":' .. tr_params.table.window_name .. ' '";
    }
    void Show(const std::string& name, const std::string& path, const std::string& trigger) {
        tr_MediatorDataTable data;
        data.SetString("window_name", name);
        data.SetString("window_module_path", path);
        data.SetString("window_trigger", trigger);
        Send(Command_Window_Show, data);
    }
    void CloseEnd(const std::string& name) {
        tr_MediatorDataTable data;
        data.SetString("window_name", name);
        Send(Event_Window_CloseEnd, data);
    }
    tr_Object* Find(const std::string& name) { return Core().GetScene().FindObject(name); }

    tp_Window* window = nullptr;
    tr_Object* frame = nullptr;
    std::string menu_path, options_path;
};

TEST_F(WindowTest, ContentsStackAndSurviveRepeatedOpenAndClose) {
    tr_ObjectRef menu, options;
    for (int cycle = 0; cycle < 3; ++cycle) {
        SCOPED_TRACE(cycle);
        Show("wnd_menu", menu_path, "trg_wnd_menu_open");
        Show("wnd_options", options_path, "trg_wnd_options_open");
        if (cycle == 0) {
            menu.Set(Find("wnd_menu"));
            options.Set(Find("wnd_options"));
        }
        // The same objects every time: found again, never loaded twice.
        ASSERT_TRUE(menu && options);
        EXPECT_EQ(Find("wnd_menu"), menu.Get());
        EXPECT_EQ(menu->GetParent(), frame);
        EXPECT_EQ(options->GetParent(), frame);
        EXPECT_FLOAT_EQ(options->GetPosZ(), menu->GetPosZ() + 1.0f);
        EXPECT_EQ(Global("opened"), "menu:wnd_menu options:wnd_options ");
        Run("opened = nil");

        SendEmpty(Command_Window_Close);
        CloseEnd("wnd_options");
        EXPECT_EQ(options->GetParent(), hub->GetStorage());
        EXPECT_EQ(menu->GetParent(), frame);
        CloseEnd("wnd_menu");
        EXPECT_EQ(menu->GetParent(), hub->GetStorage());
        // Not a child of the frame any more: nothing happens.
        CloseEnd("wnd_menu");
        EXPECT_EQ(menu->GetParent(), hub->GetStorage());
        EXPECT_EQ(Calls(), "30 30 31");
    }
}

TEST_F(WindowTest, ContentsThatWouldCutTheSceneApartAreRefused) {
    const std::string refused[] = {"int_window", "widget_window", hub->GetName(), "tr_storage",
                                   "interface_hub"};
    for (const std::string& name : refused) {
        SCOPED_TRACE(name);
        tr_Object* before = Find(name);
        tr_Object* parent = before ? before->GetParent() : nullptr;
        log.lines.clear();
        Show(name, "", "");
        EXPECT_EQ(Calls(), "");
        EXPECT_EQ(log.CountStartingWith("Warning: window"), 1);
        EXPECT_EQ(Find(name), before);
        if (before) {
            EXPECT_EQ(before->GetParent(), parent);
        }
    }
    EXPECT_EQ(frame->GetParent(), window);
    EXPECT_EQ(window->GetParent(), hub);

    // A name that is nowhere, even after its module loaded, does nothing.
    Show("wnd_missing", menu_path, "");
    Show("", menu_path, "");
    EXPECT_EQ(Calls(), "");
}

TEST_F(WindowTest, TheWindowIgnoresWidgetFades) {
    tr_MediatorDataTable data;
    data.SetString("name", window->GetName());
    data.SetInt("visible", 0);
    data.SetInt("need_fade", 0);
    Send(Command_InterfaceWidget_SetVisible, data);
    EXPECT_FLOAT_EQ(window->GetAlpha(), 1.0f);
    EXPECT_TRUE(window->IsShown());
}

} // namespace
