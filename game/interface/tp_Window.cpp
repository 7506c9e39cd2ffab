#include "game/interface/tp_Window.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/bindings/tr_ModuleLoader.h"
#include "engine/core/tr_Log.h"
#include "engine/scene/tr_ObjectRef.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_Interface.h"
#include "game/interface/tp_MessageData.h"
#include "game/interface/tp_WidgetTriggers.h"

namespace {

tr_Scene& Scene() {
    return tr_EngineCore::Get()->GetScene();
}

} // namespace

tp_Window::tp_Window(const std::string& name, const std::string& module_override)
    : tp_InterfaceWidget(name) {
    LoadClassModule(module_override, kModule);
    Subscribe(Command_Window_Show);
    Subscribe(Command_Window_Close);
    Subscribe(Event_Window_CloseEnd);
}

void tp_Window::HandleMessage(int id, tr_MediatorDataTable& data) {
    // The base is not called: the window takes no part in widget fades.
    if (id == Command_Window_Show)
        ShowContent(data);
    else if (id == Command_Window_Close)
        ForwardToModule(id, data);
    else if (id == Event_Window_CloseEnd)
        ReturnContent(data);
}

tr_Object* tp_Window::ContentStore() {
    tp_Interface* hub = tp_Interface::Get();
    tr_Object* storage = hub ? hub->GetStorage() : nullptr;
    return storage ? storage : Scene().GetStorageRoot();
}

bool tp_Window::CanHold(const tr_Object* object) const {
    if (Scene().IsReserved(object) || object == ContentStore())
        return false;
    for (const tr_Object* up = GetModuleObject(); up; up = up->GetParent())
        if (up == object)
            return false;
    return true;
}

void tp_Window::ShowContent(const tr_MediatorDataTable& data) {
    std::string name;
    std::string path;
    std::string trigger;
    tp_ReadString(data, "window_name", name);
    tp_ReadOptionalString(data, "window_module_path", path);
    tp_ReadOptionalString(data, "window_trigger", trigger);
    if (name.empty() || !GetModuleObject())
        return;
    tr_Object* content = Scene().FindObject(name);
    if (!content && !path.empty()) {
        tr_LoadModule(path);
        content = Scene().FindObject(name);
    }
    // Loading ran the module's code, which may have deleted the frame.
    tr_Object* frame = GetModuleObject();
    if (!content || !frame)
        return;
    if (!CanHold(content)) {
        tr_Log("Warning: window \"%s\" can not show object \"%s\".", GetName().c_str(),
               name.c_str());
        return;
    }
    const std::vector<tr_Object*>& stack = frame->GetChildren();
    content->SetPosZ(stack.empty() ? 0.0f : stack.back()->GetPosZ() + 1.0f);
    tr_Object::Attach(frame, content);
    if (!trigger.empty()) {
        const tr_ObjectRef self(this);
        tp_CallTriggerNow(GetName(), trigger, &data);
        if (!self)
            return;
    }
    ForwardToModule(Command_Window_Show, data);
}

void tp_Window::ReturnContent(const tr_MediatorDataTable& data) {
    std::string name;
    tr_Object* frame = GetModuleObject();
    if (!frame || !tp_ReadString(data, "window_name", name))
        return;
    tr_Object* content = tr_Object::FindChild(frame, name, false);
    if (!content)
        return;
    tr_Object::Attach(ContentStore(), content);
}
