#include "game/interface/tp_PresenterDialog.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_Log.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_Interface.h"
#include "game/interface/tp_MessageData.h"
#include "game/interface/tp_WidgetSupport.h"
#include "game/interface/tp_WidgetTriggers.h"

#include <initializer_list>

namespace {

const tp_PresenterDialogRow kCharacter = {
    InterfaceWidget_DialogCharacter,
    "int_dialog_character",
    "dialog_character",
    Command_DialogCharacter_Show,
    Command_DialogCharacter_Hide,
    Event_DialogCharacter_BtnSkip_Click,
    Event_DialogCharacter_BtnContinue_Click,
    Event_DialogCharacter_HideEnd,
    false,
};

const tp_PresenterDialogRow kStory = {
    InterfaceWidget_DialogStory,
    "int_dialog_story",
    "dialog_story",
    Command_DialogStory_Show,
    Command_DialogStory_Hide,
    Event_DialogStory_BtnSkip_Click,
    Event_DialogStory_BtnContinue_Click,
    Event_DialogStory_HideEnd,
    false,
};

const tp_PresenterDialogRow kVideo = {
    InterfaceWidget_DialogVideo,
    "int_dialog_video",
    "dialog_video",
    Command_DialogVideo_Show,
    Command_DialogVideo_Hide,
    Event_DialogVideo_BtnSkip_Click,
    -1,
    Event_DialogVideo_HideEnd,
    true,
};

bool IsWithin(const tr_Object* object, const tr_Object* ancestor) {
    for (; object; object = object->GetParent())
        if (object == ancestor)
            return true;
    return false;
}

} // namespace

const tp_PresenterDialogRow& tp_PresenterDialog::CharacterRow() {
    return kCharacter;
}
const tp_PresenterDialogRow& tp_PresenterDialog::StoryRow() {
    return kStory;
}
const tp_PresenterDialogRow& tp_PresenterDialog::VideoRow() {
    return kVideo;
}

tp_PresenterDialog::tp_PresenterDialog(const std::string& name, const std::string& module_override,
                                       const tp_PresenterDialogRow& row)
    : tp_InterfaceWidget(name), row_(row) {
    LoadClassModule(module_override, row.module);
    if (row.subtitles) {
        for (int id : std::initializer_list<int>{
                 row.hide, row.show, Event_Video_Subtitle, row.skip_click, row.hide_end,
                 Command_DialogVideo_ShowSubtitle, Command_DialogVideo_HideSubtitle})
            Subscribe(id);
    } else {
        for (int id : std::initializer_list<int>{row.show, row.hide, row.skip_click,
                                                 row.continue_click, row.hide_end})
            Subscribe(id);
    }
    SetRefreshRunsSet(true);
}

tp_PresenterDialog::~tp_PresenterDialog() {
    // The object would otherwise go with the module. Without a hub (the
    // whole scene being torn down) there is nowhere to return it.
    tr_Object* object = presented_.Get();
    if (object && tp_Interface::Get() && IsWithin(object, this))
        GiveBack();
}

void tp_PresenterDialog::HandleMessage(int id, tr_MediatorDataTable& data) {
    tp_InterfaceWidget::HandleMessage(id, data);
    if (id == row_.show) {
        Show(data);
    } else if (id == row_.hide) {
        skip_trigger_.clear();
        continue_trigger_.clear();
        ForwardToModule(id, data);
    } else if (id == row_.skip_click) {
        if (!skip_trigger_.empty())
            tp_QueueTrigger(GetName(), skip_trigger_);
    } else if (id == row_.continue_click) {
        if (!continue_trigger_.empty())
            tp_QueueTrigger(GetName(), continue_trigger_);
    } else if (id == row_.hide_end) {
        GiveBack();
    } else if (row_.subtitles && id == Event_Video_Subtitle) {
        ForwardSubtitle(data);
    } else if (row_.subtitles &&
               (id == Command_DialogVideo_ShowSubtitle || id == Command_DialogVideo_HideSubtitle)) {
        ForwardToModule(id, data);
    }
}

void tp_PresenterDialog::Show(tr_MediatorDataTable& data) {
    skip_trigger_.clear();
    tp_ReadString(data, "trg_skip", skip_trigger_);
    if (row_.continue_click >= 0) {
        continue_trigger_.clear();
        tp_ReadString(data, "trg_click", continue_trigger_);
    }
    std::string name;
    tp_ReadString(data, "obj", name);
    tr_Object* object = FindBorrowable(name);
    // A dialog presents one object at a time: the one shown before goes
    // back, unless it is asked for again.
    if (!presented_.Is(object))
        GiveBack();
    tr_Object* module = GetModuleObject();
    if (object && module) {
        presented_.Set(object);
        object->SetPosZ(kPresentedZ);
        tr_Object::Attach(module, object);
    }
    ForwardToModule(row_.show, data);
}

tr_Object* tp_PresenterDialog::FindBorrowable(const std::string& name) const {
    tr_Object* object = tp_FindSceneObject(name);
    if (!object)
        return nullptr;
    const bool part_of_dialog = IsWithin(object, this) && !presented_.Is(object);
    if (IsWithin(this, object) || part_of_dialog || dynamic_cast<tp_InterfaceWidget*>(object) ||
        object == tp_Interface::Get() ||
        (tp_Interface::Get() && object == tp_Interface::Get()->GetStorage())) {
        tr_Log("Warning: interface widget \"%s\" can not present object \"%s\".", GetName().c_str(),
               name.c_str());
        return nullptr;
    }
    return object;
}

void tp_PresenterDialog::GiveBack() {
    tr_Object* object = presented_.Get();
    presented_.Reset();
    if (!object)
        return;
    tp_Interface* hub = tp_Interface::Get();
    tr_Object* storage = hub ? hub->GetStorage() : nullptr;
    tr_Object::Attach(storage ? storage : tr_EngineCore::Get()->GetScene().GetStorageRoot(),
                      object);
}

void tp_PresenterDialog::ForwardSubtitle(const tr_MediatorDataTable& data) {
    int show = 0;
    tp_ReadInt(data, "show", show);
    tr_MediatorDataTable command;
    if (show == 1) {
        std::string text;
        tp_ReadString(data, "text_id", text);
        command.SetString("text_id", text);
    }
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Send(show == 1 ? Command_DialogVideo_ShowSubtitle
                                 : Command_DialogVideo_HideSubtitle,
                       command);
}
