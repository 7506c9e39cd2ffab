#include "game/interface/tp_Interface.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_Log.h"
#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/scene/tr_SceneTraversal.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_BuiltinWidgetTypes.h"
#include "game/interface/tp_CustomWidget.h"
#include "game/interface/tp_InterfaceScriptGlobals.h"
#include "game/interface/tp_MessageData.h"
#include "game/interface/tp_Top.h"
#include "game/interface/tp_Transporter.h"

#include <algorithm>

tp_Interface* tp_Interface::instance_ = nullptr;

namespace {

constexpr float kHubFadeRate = 4.0f;

// Creators that widget classes installed for the built-in types.
std::map<int, tp_WidgetCreator>& BuiltinCreators() {
    static std::map<int, tp_WidgetCreator> creators;
    return creators;
}

tp_WidgetCreator DefaultCreator(int type) {
    switch (type) {
    case InterfaceWidget_Top:
        return [](const tp_WidgetTypeRecord& record, const std::string&) -> tr_Object* {
            return new tp_Top(record.name);
        };
    case InterfaceWidget_Transporter:
        return [](const tp_WidgetTypeRecord& record, const std::string&) -> tr_Object* {
            return new tp_Transporter(record.name);
        };
    default:
        // The class of this type is not part of the game yet: say so, since
        // content that adds it would otherwise wait for a widget in silence.
        return [](const tp_WidgetTypeRecord& record, const std::string&) -> tr_Object* {
            tr_Log("Warning: interface widget \"%s\" has no class; nothing is created.",
                   record.name.c_str());
            return nullptr;
        };
    }
}

const int kHubMessages[] = {
    Command_Interface_WidgetAdd,
    Command_Interface_WidgetDelete,
    LevelPause,
    Command_Interface_SetVisible,
    Command_Interface_SetInput,
    Command_Interface_WidgetSetInput,
    Command_Interface_Refresh,
    Command_Interface_SubscribeCustomWidget,
    Command_Interface_WidgetSetVisible,
};

} // namespace

tp_Interface::tp_Interface() : tr_Object("tp_interface") {
    Build();
}

tp_Interface::~tp_Interface() {
    types_.clear();
    if (tr_Mediator* mediator = tr_Mediator::Get())
        mediator->Unsubscribe(this);
    if (instance_ == this)
        instance_ = nullptr;
}

void tp_Interface::SetBuiltinCreator(int type, tp_WidgetCreator creator) {
    if (type >= 0 && type < InterfaceWidget_Custom)
        BuiltinCreators()[type] = std::move(creator);
}

void tp_Interface::Build() {
    instance_ = this;
    hub_alpha_ = 1.0f;
    hub_hidden_ = false;

    tr_Scene& scene = tr_EngineCore::Get()->GetScene();
    tr_Object* storage = new tr_Object("interface_hub");
    tr_Object::Attach(scene.GetStorageRoot(), storage);
    storage_.Set(storage);

    RegisterBuiltinTypes();
    tr_ScriptState& script = tr_EngineCore::Get()->GetScript();
    tp_RegisterMessageGlobals(script);
    tp_RegisterWidgetGlobals(script);

    AddWidget(InterfaceWidget_Top, 1000.0f, std::string());
    AddWidget(InterfaceWidget_Transporter, 999.0f, std::string());
    tr_Object* top = GetWidget(InterfaceWidget_Top);
    tp_RegisterTopNameGlobal(script, top ? top->GetName() : types_[InterfaceWidget_Top].name);

    if (tr_Mediator* mediator = tr_Mediator::Get())
        for (int id : kHubMessages)
            mediator->Subscribe(id, this);
}

void tp_Interface::RegisterBuiltinTypes() {
    size_t count = 0;
    const tp_BuiltinWidgetType* rows = tp_GetBuiltinWidgetTypes(&count);
    const std::map<int, tp_WidgetCreator>& installed = BuiltinCreators();
    for (size_t i = 0; i < count; ++i) {
        tp_WidgetTypeRecord& record = types_[rows[i].type];
        record.name = rows[i].object_name;
        record.flags = rows[i].flags;
        auto found = installed.find(rows[i].type);
        record.creator = found != installed.end() && found->second ? found->second
                                                                   : DefaultCreator(rows[i].type);
    }
}

const tp_WidgetTypeRecord* tp_Interface::GetTypeRecord(int type) const {
    auto found = types_.find(type);
    return found == types_.end() ? nullptr : &found->second;
}

tr_Object* tp_Interface::GetWidget(int type) {
    const tp_WidgetTypeRecord* record = GetTypeRecord(type);
    return record ? tr_Object::FindChild(this, record->name, true) : nullptr;
}

void tp_Interface::AddWidget(int type, float z, const std::string& module) {
    const tp_WidgetTypeRecord* record = GetTypeRecord(type);
    if (!record)
        return;
    if (GetWidget(type)) {
        tr_Log("Warning: interface widget \"%s\" is already exist.", record->name.c_str());
        return;
    }
    if (!record->creator)
        return;
    // The creator runs module triggers, which may send hub commands that
    // change the table; work on a copy of the record.
    const tp_WidgetTypeRecord copy = *record;
    PlaceWidget(copy.creator(copy, module), z);
}

void tp_Interface::AddCustomWidget(int type, float z, const std::string& module,
                                   const std::string& name) {
    tp_WidgetTypeRecord& record = types_[type];
    record.name = "widget_" + name;
    record.flags = TP_WIDGET_FOLLOWS_HUB_FADE | TP_WIDGET_PAUSES_WITH_GAME;
    record.creator = [name](const tp_WidgetTypeRecord& made_for,
                            const std::string& module_path) -> tr_Object* {
        return new tp_CustomWidget(made_for.name, module_path, name);
    };
    const tp_WidgetTypeRecord copy = record;
    PlaceWidget(copy.creator(copy, module), z);
}

void tp_Interface::PlaceWidget(tr_Object* widget, float z) {
    if (!widget)
        return;
    widget->SetPosZ(z);
    tr_Object::Attach(this, widget);
}

bool tp_Interface::DeleteWidget(int type) {
    tr_Object* widget = GetWidget(type);
    if (!widget)
        return false;
    if (tp_InterfaceWidget* interface_widget = dynamic_cast<tp_InterfaceWidget*>(widget))
        interface_widget->Destroy();
    else
        tr_SceneTraversal::DeleteLater(widget);
    return true;
}

void tp_Interface::SetHubVisible(bool visible, bool fade) {
    hub_hidden_ = !visible;
    if (!fade) {
        hub_alpha_ = visible ? 1.0f : 0.0f;
        WriteHubAlphaToWidgets();
    }
}

void tp_Interface::SetPaused(bool paused) {
    for (const auto& entry : types_) {
        if (!(entry.second.flags & TP_WIDGET_PAUSES_WITH_GAME))
            continue;
        if (tr_Object* widget = GetWidget(entry.first))
            widget->SetActive(!paused);
    }
}

void tp_Interface::WriteHubAlphaToWidgets() {
    for (const auto& entry : types_) {
        if (!(entry.second.flags & TP_WIDGET_FOLLOWS_HUB_FADE))
            continue;
        if (tr_Object* widget = GetWidget(entry.first))
            widget->SetAlpha(hub_alpha_);
    }
}

void tp_Interface::Update(const tr_FrameInfo& frame) {
    const float step = kHubFadeRate * frame.dt;
    if (hub_hidden_ && hub_alpha_ > 0.0f) {
        hub_alpha_ = std::max(hub_alpha_ - step, 0.0f);
        WriteHubAlphaToWidgets();
    } else if (!hub_hidden_ && hub_alpha_ < 1.0f) {
        hub_alpha_ = std::min(hub_alpha_ + step, 1.0f);
        WriteHubAlphaToWidgets();
    }
}

void tp_Interface::OnMessage(int id, tr_MediatorDataTable& data) {
    int type = 0;
    switch (id) {
    case Command_Interface_WidgetAdd:
        HandleWidgetAdd(data);
        break;
    case Command_Interface_SubscribeCustomWidget:
        HandleSubscribeCustomWidget(data);
        break;
    case Command_Interface_WidgetDelete:
        if (tp_ReadInt(data, "type", type))
            DeleteWidget(type);
        break;
    case Command_Interface_WidgetSetInput:
        if (tp_ReadInt(data, "type", type))
            if (tr_Object* widget = GetWidget(type))
                widget->SetInputEnabled(tp_ReadFlag(data, "input"));
        break;
    case Command_Interface_WidgetSetVisible:
        HandleWidgetSetVisible(data);
        break;
    case Command_Interface_SetVisible:
        SetHubVisible(tp_ReadFlag(data, "visible"), tp_ReadFlag(data, "fade"));
        break;
    case Command_Interface_SetInput:
        SetInputEnabled(tp_ReadFlag(data, "input"));
        break;
    case LevelPause:
        SetPaused(tp_ReadFlag(data, "pause"));
        break;
    case Command_Interface_Refresh:
        Refresh(true);
        break;
    default:
        break;
    }
}

void tp_Interface::HandleWidgetAdd(tr_MediatorDataTable& data) {
    int type = 0;
    float z = 0.0f;
    if (!tp_ReadInt(data, "type", type))
        return;
    tp_ReadFloat(data, "pos_z", z);
    std::string module;
    tp_ReadOptionalString(data, "module", module);
    if (type < InterfaceWidget_Custom) {
        AddWidget(type, z, module);
        return;
    }
    std::string name;
    if (tp_ReadString(data, "name", name))
        AddCustomWidget(type, z, module, name);
}

void tp_Interface::HandleWidgetSetVisible(tr_MediatorDataTable& data) {
    int type = 0;
    if (!tp_ReadInt(data, "type", type))
        return;
    tr_Object* widget = GetWidget(type);
    if (!widget)
        return;
    data.SetString("name", widget->GetName());
    tr_Mediator::SendIfAny(Command_InterfaceWidget_SetVisible, data);
}

void tp_Interface::HandleSubscribeCustomWidget(tr_MediatorDataTable& data) {
    int type = 0;
    int msg = 0;
    std::string trigger;
    if (!tp_ReadInt(data, "type", type) || !tp_ReadInt(data, "msg", msg))
        return;
    tp_ReadString(data, "trigger", trigger);
    if (tp_CustomWidget* widget = dynamic_cast<tp_CustomWidget*>(GetWidget(type)))
        widget->SubscribeMessage(msg, trigger);
}
