#include "game/interface/tp_InterfaceWidget.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/bindings/tr_ModuleLoader.h"
#include "engine/core/tr_Log.h"
#include "engine/core/tr_Mediator.h"
#include "engine/scene/tr_SceneTraversal.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_Interface.h"
#include "game/interface/tp_MessageData.h"
#include "game/interface/tp_WidgetTriggers.h"

#include <algorithm>

tp_InterfaceWidget::tp_InterfaceWidget(const std::string& name) : tr_Object(name) {
    Subscribe(Command_InterfaceWidget_SetVisible);
}

tp_InterfaceWidget::~tp_InterfaceWidget() {
    // Before the object part goes: no message may reach a half-destroyed
    // widget.
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Unsubscribe(this);
}

void tp_InterfaceWidget::Subscribe(int id) {
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Subscribe(id, this);
}

void tp_InterfaceWidget::SetShown(bool shown, bool need_fade) {
    shown_ = shown;
    if (!need_fade) {
        fade_ = shown ? 1.0f : 0.0f;
        SetAlpha(fade_);
    }
}

void tp_InterfaceWidget::Destroy() {
    // Deaf at once, even when a running tree walk defers the deletion.
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Unsubscribe(this);
    if (!IsHandlingMessage()) {
        tr_SceneTraversal::DeleteLater(this);
        return;
    }
    if (parent_)
        RemoveChild(parent_, this, false);
    destroy_pending_ = true;
}

void tp_InterfaceWidget::Refresh(bool recursive) {
    tr_Object::Refresh(recursive);
    if (refresh_runs_set_)
        QueueModuleSet();
}

void tp_InterfaceWidget::Update(const tr_FrameInfo& frame) {
    tr_Object::Update(frame);
    const float step = kFadeRate * frame.dt;
    if (shown_ && fade_ < 1.0f) {
        fade_ = std::min(fade_ + step, 1.0f);
        SetAlpha(fade_);
    } else if (!shown_ && fade_ > 0.0f) {
        fade_ = std::max(fade_ - step, 0.0f);
        SetAlpha(fade_);
    }
}

void tp_InterfaceWidget::OnMessage(int id, tr_MediatorDataTable& data) {
    // Script code run by the handler may also delete the widget by other
    // means than the hub (an object deletion by name); then it is gone here.
    const tr_ObjectRef self(this);
    ++handling_depth_;
    HandleMessage(id, data);
    if (!self)
        return;
    --handling_depth_;
    if (handling_depth_ == 0 && destroy_pending_) {
        // Nothing of this widget is touched after this line.
        tr_SceneTraversal::DeleteLater(this);
    }
}

void tp_InterfaceWidget::HandleMessage(int id, tr_MediatorDataTable& data) {
    if (id != Command_InterfaceWidget_SetVisible)
        return;
    std::string name;
    if (!tp_ReadString(data, "name", name) || name != GetName())
        return;
    SetShown(tp_ReadFlag(data, "visible"), tp_ReadFlag(data, "need_fade"));
}

tr_Object* tp_InterfaceWidget::LoadClassModule(const std::string& module_override,
                                               const std::string& default_module,
                                               ModulePlacement placement) {
    module_override_ = module_override;
    const std::string path =
        module_override.empty() ? std::string(kModuleFolder) + default_module : module_override;
    return LoadModule(path, default_module, placement);
}

tr_Object* tp_InterfaceWidget::LoadModule(const std::string& path, const std::string& root_name,
                                          ModulePlacement placement) {
    module_name_ = root_name;
    tr_LoadModule(path);
    tr_Scene& scene = tr_EngineCore::Get()->GetScene();
    tr_Object* root = root_name.empty() ? nullptr : scene.FindObject(root_name);
    // A module naming an object that is already part of this widget's own
    // ancestry cannot become its child.
    for (tr_Object* up = this; root && up; up = up->GetParent())
        if (up == root)
            root = nullptr;
    // Nor can a scene root or an object the game or the engine owns (their
    // names carry the reserved prefixes): a script naming one would pull the
    // hub, the level or a whole root out from under its owner.
    if (scene.IsReserved(root)) {
        tr_Log("Warning: interface widget \"%s\" can not take reserved object \"%s\" as its "
               "module.",
               GetName().c_str(), root_name.c_str());
        root = nullptr;
    }
    module_object_.Set(root);
    if (root) {
        tr_Object::Attach(scene.GetStorageRoot(), root);
        tp_CallTriggerNow(GetName(), tp_ModuleTrigger(root_name, "_init"));
        if (placement == ModulePlacement::kParked)
            return module_object_.Get();
        // The init trigger may have deleted it.
        root = module_object_.Get();
        if (root)
            tr_Object::Attach(this, root);
    }
    if (placement == ModulePlacement::kUnderWidget)
        QueueModuleSet();
    return module_object_.Get();
}

void tp_InterfaceWidget::UnparkModule() {
    if (tr_Object* root = module_object_.Get())
        tr_Object::Attach(this, root);
}

void tp_InterfaceWidget::ParkModule() {
    tr_Object* root = module_object_.Get();
    if (!root)
        return;
    tp_Interface* hub = tp_Interface::Get();
    tr_Object* storage = hub ? hub->GetStorage() : nullptr;
    tr_Object::Attach(storage ? storage : tr_EngineCore::Get()->GetScene().GetStorageRoot(), root);
}

bool tp_InterfaceWidget::CallModule(int id, const tr_MediatorDataTable& data) {
    const tr_ObjectRef self(this);
    ForwardToModule(id, data);
    return static_cast<bool>(self);
}

bool tp_InterfaceWidget::CallModuleWith(int id, std::shared_ptr<tr_MediatorDataTable> data) {
    const tr_ObjectRef self(this);
    if (!module_name_.empty())
        tp_CallTriggerNowWith(GetName(), tp_ModuleMessageCall(module_name_, id), std::move(data));
    return static_cast<bool>(self);
}

void tp_InterfaceWidget::ForwardToModule(int id, const tr_MediatorDataTable& data) {
    if (!module_name_.empty())
        tp_CallTriggerNow(GetName(), tp_ModuleMessageCall(module_name_, id), &data);
}

void tp_InterfaceWidget::QueueModuleSet() {
    if (!module_name_.empty())
        tp_QueueTrigger(GetName(), tp_ModuleTrigger(module_name_, "_set"));
}
