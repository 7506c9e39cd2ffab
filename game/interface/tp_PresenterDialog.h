// tp_PresenterDialog: the three dialogs that present a borrowed scene object
// with skip and continue buttons: the character dialog (type 19,
// "widget_dialog_character", module "int_dialog_character"), the story
// dialog (type 18, "widget_dialog_story", "int_dialog_story") and the video
// dialog (type 17, "widget_dialog_video", "int_dialog_video"). The show
// command names the object ("obj") and the triggers its buttons run
// ("trg_skip", and "trg_click" for the continue button the video dialog
// lacks); the video dialog also turns video subtitles (message 1) into its
// own subtitle commands.
//
// The borrowed object belongs to the scene, never to the dialog: it rests
// under the hub's storage object "interface_hub" and, while presented, under
// the dialog's module at z -1000. The dialog holds it only weakly and puts it
// back when the hide animation ends, when a later show presents another
// object and when the dialog itself is destroyed, so that no object is lost
// with the dialog. It never borrows a reserved object, a widget, an ancestor
// of the dialog or a part of the dialog itself. Rows are static data.
#pragma once

#include "game/interface/tp_InterfaceWidget.h"

#include <string>

struct tp_PresenterDialogRow {
    int type;
    const char* module;
    const char* type_name;
    int show, hide, skip_click, continue_click, hide_end; // continue_click -1: none
    bool subtitles;
};

class tp_PresenterDialog : public tp_InterfaceWidget {
public:
    static constexpr float kPresentedZ = -1000.0f;

    static const tp_PresenterDialogRow& CharacterRow();
    static const tp_PresenterDialogRow& StoryRow();
    static const tp_PresenterDialogRow& VideoRow();

    tp_PresenterDialog(const std::string& name, const std::string& module_override,
                       const tp_PresenterDialogRow& row);
    ~tp_PresenterDialog() override;

    tr_Object* GetPresented() const { return presented_.Get(); }
    const std::string& GetSkipTrigger() const { return skip_trigger_; }
    const std::string& GetContinueTrigger() const { return continue_trigger_; }

    std::string GetType() const override { return row_.type_name; }

protected:
    void HandleMessage(int id, tr_MediatorDataTable& data) override;

private:
    void Show(tr_MediatorDataTable& data);
    // The object named by a show, or null when there is none or it may not
    // be borrowed (logged).
    tr_Object* FindBorrowable(const std::string& name) const;
    // Puts the presented object back under "interface_hub" and forgets it.
    void GiveBack();
    void ForwardSubtitle(const tr_MediatorDataTable& data);

    const tp_PresenterDialogRow& row_;
    tr_ObjectRef presented_;
    std::string skip_trigger_;
    std::string continue_trigger_;
};
