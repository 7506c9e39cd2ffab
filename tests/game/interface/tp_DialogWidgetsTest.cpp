// The dialog widgets: the caption strip and the message box closing on a
// click once fully shown, and the three presenter dialogs with their
// triggers, the video subtitles and the borrowed object, which is always
// either in the dialog or under "interface_hub" whatever the script does.
#include "WidgetTestSupport.h"

#include "engine/core/tr_InputEvent.h"
#include "game/interface/tp_ClickClosePanel.h"
#include "game/interface/tp_PresenterDialog.h"

namespace {

class DialogWidgetsTest : public WidgetFixture {
protected:
    void SetUp() override {
        Begin();
        floor = new tr_Object("floor");
        floor->SetPosZ(hub->GetPosZ() - 10.0f);
        floor->SetInputRect(tr_Rect{0.0f, 0.0f, 100.0f, 100.0f});
        floor->SetEventCode(TR_EVENT_MDOWN, "trg_floor_down");
        tr_Object::Attach(Core().GetScene().GetDisplayRoot(), floor);
        RecordTrigger("trg_floor_down");
        for (const char* name : {"trg_s", "trg_c"})
            RecordTrigger(name);
        Run("on_command = function(n, t) if t.text_id then "
            "calls[#calls] = calls[#calls] .. '=' .. t.text_id end end");
    }

    tr_Object* Click(float x) {
        tr_InputEvent down;
        down.type = TR_EVENT_MOUSE_DOWN;
        down.key = TR_MOUSE_KEY;
        down.x = down.y = x;
        return Core().GetScene().DispatchInput(down);
    }

    tp_PresenterDialog* AddPresenter(const tp_PresenterDialogRow& row) {
        auto* dialog = AddWithStandIn<tp_PresenterDialog>(row.type, row.module);
        Calls();
        return dialog;
    }
    void Show(const tp_PresenterDialogRow& row, const std::string& obj,
              const std::string& click = "trg_c") {
        tr_MediatorDataTable data;
        data.SetString("obj", obj);
        data.SetString("trg_skip", "trg_s");
        data.SetString("trg_click", click);
        Send(row.show, data);
    }
    tr_Object* Storage() { return hub->GetStorage(); }

    tr_Object* floor = nullptr;
};

TEST_F(DialogWidgetsTest, PanelsCloseOnAClickOnceFullyShown) {
    for (const tp_ClickClosePanelRow* row :
         {&tp_ClickClosePanel::BlackBarTextRow(), &tp_ClickClosePanel::DialogRow()}) {
        SCOPED_TRACE(row->module);
        auto* panel = AddWithStandIn<tp_ClickClosePanel>(row->type, row->module);
        ASSERT_NE(panel, nullptr);
        tr_Object* part = Core().GetScene().FindObject(std::string(row->module) + "_part");
        part->SetInputRect(tr_Rect{0.0f, 0.0f, 10.0f, 10.0f});
        const std::string hide = std::to_string(row->hide);
        const std::string part_name = part->GetName();
        const struct {
            int message; // sent before the click, 0 for none
            float x;
            const char* picked;
            std::string calls;
        } cases[] = {
            {row->show, 50.0f, "floor", std::to_string(row->show)},
            {0, 5.0f, part_name.c_str(), ""},
            {row->show_end, 50.0f, "floor", hide},
            {0, 50.0f, "floor", ""},
            {row->show_end, 5.0f, part_name.c_str(), hide},
        };
        for (const auto& c : cases) {
            if (c.message)
                SendEmpty(c.message);
            tr_Object* picked = Click(c.x);
            ASSERT_NE(picked, nullptr) << c.x;
            EXPECT_EQ(picked->GetName(), c.picked) << c.message << " " << c.x;
            EXPECT_EQ(Calls(), c.calls) << c.message << " " << c.x;
            EXPECT_FALSE(panel->IsFullyShown());
        }
        // Only the message box keeps a click on itself from what lies below.
        tr_InputEvent down;
        down.type = TR_EVENT_MOUSE_DOWN;
        for (tr_Object* picked : {part, floor}) {
            SendEmpty(row->show_end);
            EXPECT_EQ(panel->HandleInput(down, picked, tr_DrawState()),
                      row->keeps_own_clicks && picked == part);
            EXPECT_EQ(Calls(), hide);
        }
        tr_MediatorDataTable remove;
        remove.SetInt("type", row->type);
        Send(Command_Interface_WidgetDelete, remove);
    }
}

TEST_F(DialogWidgetsTest, PresentersBorrowTheObjectAndRunTheirTriggers) {
    for (const tp_PresenterDialogRow* row :
         {&tp_PresenterDialog::CharacterRow(), &tp_PresenterDialog::StoryRow(),
          &tp_PresenterDialog::VideoRow()}) {
        SCOPED_TRACE(row->module);
        tp_PresenterDialog* dialog = AddPresenter(*row);
        ASSERT_NE(dialog, nullptr);
        tr_Object* portrait = Place(std::string("portrait_") + row->module, Storage());
        Show(*row, portrait->GetName());
        EXPECT_EQ(portrait->GetParent(), dialog->GetModuleObject());
        EXPECT_EQ(portrait->GetPosZ(), tp_PresenterDialog::kPresentedZ);
        SendEmpty(row->skip_click);
        SendEmpty(row->continue_click);
        EXPECT_EQ(Fired(), row->continue_click < 0 ? "trg_s " : "trg_s trg_c ");
        SendEmpty(row->hide);
        SendEmpty(row->skip_click);
        SendEmpty(row->continue_click);
        EXPECT_EQ(Fired(), "") << "inert while hiding";
        EXPECT_EQ(portrait->GetParent(), dialog->GetModuleObject()) << "until the hide ends";
        SendEmpty(row->hide_end);
        EXPECT_EQ(portrait->GetParent(), Storage());
        EXPECT_EQ(dialog->GetPresented(), nullptr);
        EXPECT_EQ(Calls(), std::to_string(row->show) + " " + std::to_string(row->hide));
    }
    // An empty continue trigger makes the button inert.
    Show(tp_PresenterDialog::CharacterRow(), "", "");
    SendEmpty(Event_DialogCharacter_BtnContinue_Click);
    EXPECT_EQ(Fired(), "");
}

TEST_F(DialogWidgetsTest, VideoSubtitlesBecomeTheDialogsOwnCommands) {
    ASSERT_NE(AddPresenter(tp_PresenterDialog::VideoRow()), nullptr);
    const struct {
        int show;
        const char* calls;
    } cases[] = {{1, "114=line_7"}, {0, "115"}, {2, "115"}};
    for (const auto& c : cases) {
        tr_MediatorDataTable data;
        data.SetInt("show", c.show);
        data.SetString("text_id", "line_7");
        Send(Event_Video_Subtitle, data);
        EXPECT_EQ(Calls(), c.calls) << c.show;
    }
}

TEST_F(DialogWidgetsTest, ObjectsThatMayNotBeBorrowed) {
    const tp_PresenterDialogRow& row = tp_PresenterDialog::StoryRow();
    tp_PresenterDialog* dialog = AddPresenter(row);
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(AddWithStandIn<tp_InterfaceWidget>(InterfaceWidget_Effects, "int_effects"), nullptr);
    const struct {
        const char* obj;
        bool logged;
    } cases[] = {
        {"missing", false},
        {"tp_interface", false},
        {"tr_origin", false},
        {"widget_effects", true},
        {"interface_hub", true},
        {"int_dialog_story", true},
        {"int_dialog_story_part", true},
        {"widget_dialog_story", true},
    };
    for (const auto& c : cases) {
        tr_Object* object = Core().GetScene().FindObject(c.obj);
        tr_Object* parent = object ? object->GetParent() : nullptr;
        log.lines.clear();
        Show(row, c.obj);
        EXPECT_EQ(dialog->GetPresented(), nullptr) << c.obj;
        if (object) {
            EXPECT_EQ(object->GetParent(), parent) << c.obj;
        }
        EXPECT_EQ(log.CountStartingWith("Warning: interface widget \"widget_dialog_story\" can "
                                        "not present object"),
                  c.logged ? 1 : 0)
            << c.obj;
    }
}

TEST_F(DialogWidgetsTest, TheObjectIsInTheDialogOrUnderTheHubWhateverTheScriptDoes) {
    const tp_PresenterDialogRow& row = tp_PresenterDialog::CharacterRow();
    tp_PresenterDialog* dialog = AddPresenter(row);
    ASSERT_NE(dialog, nullptr);
    tr_Object* first = Place("first", Storage());
    tr_Object* second = Place("second", Storage());
    // A second show gives the first object back; showing it again keeps it.
    Show(row, "first");
    Show(row, "second");
    EXPECT_EQ(first->GetParent(), Storage());
    EXPECT_EQ(second->GetParent(), dialog->GetModuleObject());
    Show(row, "second");
    EXPECT_EQ(second->GetParent(), dialog->GetModuleObject());
    // A show naming nothing gives the object back as well.
    Show(row, "missing");
    EXPECT_EQ(second->GetParent(), Storage());

    // Deleted while shown: the hide end has nothing to return.
    Show(row, "first");
    Run("ObjDelete('first')");
    SendEmpty(row.hide_end);
    EXPECT_EQ(dialog->GetPresented(), nullptr);
    EXPECT_EQ(Core().GetScene().FindObject("first"), nullptr);

    // The dialog deleted by script while it presents: the object survives
    // under the hub.
    Show(row, "second");
    Run("SendMessage(Command_Interface_WidgetDelete, {type = InterfaceWidget_DialogCharacter})");
    ASSERT_EQ(hub->GetWidget(row.type), nullptr);
    ASSERT_EQ(Core().GetScene().FindObject("second"), second);
    EXPECT_EQ(second->GetParent(), Storage());
}

} // namespace
