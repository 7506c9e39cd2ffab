#include "game/interface/tp_Transporter.h"

#include "engine/bindings/tr_EngineCore.h"
#include "engine/core/tr_Log.h"
#include "engine/objects/tr_Cursor.h"
#include "engine/scene/tr_InputFocus.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_InterfaceScriptGlobals.h"
#include "game/interface/tp_MessageData.h"
#include "game/interface/tp_TransferEasing.h"
#include "game/interface/tp_WidgetTriggers.h"

#include <algorithm>
#include <cmath>

using namespace tp_TransferEasing;

namespace {

void CursorPosition(float& x, float& y) {
    const tr_Cursor* cursor = tr_Cursor::Get();
    x = cursor ? cursor->GetX() : 0.0f;
    y = cursor ? cursor->GetY() : 0.0f;
}

// Flight times grow with the distance: one from or to a place at infinity
// (a script's math.huge) counts as none, so the flight still ends.
float Distance(float x0, float y0, float x1, float y1) {
    const float distance = std::hypot(x1 - x0, y1 - y0);
    return std::isfinite(distance) ? distance : 0.0f;
}

bool IsAncestorOrSelf(const tr_Object* candidate, const tr_Object* object) {
    for (const tr_Object* up = object; up; up = up->GetParent())
        if (up == candidate)
            return true;
    return false;
}

} // namespace

tp_Transporter::tp_Transporter(const std::string& name) : tp_InterfaceWidget(name) {
    tp_RegisterTransferGlobals(tr_EngineCore::Get()->GetScript());
    Subscribe(Command_Transporter_MoveObject);
    Subscribe(Command_Transporter_Finish);
}

void tp_Transporter::ToParentSpace(float& x, float& y) {
    tr_Object* parent = GetParent();
    if (!parent)
        return;
    tr_Matrix inverse;
    // A parent scaled to nothing has no inverse; its space then reads as
    // world space rather than producing infinities.
    if (tr_Object::ComputeWorldTransform(parent).Inverse2D(inverse))
        inverse.TransformPoint(x, y);
}

void tp_Transporter::PositionInParentSpace(tr_Object* object, float& x, float& y) {
    const tr_Matrix world = tr_Object::ComputeWorldTransform(object);
    x = world[12];
    y = world[13];
    ToParentSpace(x, y);
}

bool tp_Transporter::MoveObject(const std::string& object_name, const std::string& destination_name,
                                const std::string& end_trigger, int type, bool show_destination,
                                float early_time, float end_scale) {
    tr_Scene& scene = tr_EngineCore::Get()->GetScene();
    // An empty name (a command without the key) names nothing, rather than
    // whichever unnamed object the scene would find first.
    tr_Object* object = object_name.empty() ? nullptr : scene.FindObject(object_name);
    tr_Object* destination =
        destination_name.empty() ? nullptr : scene.FindObject(destination_name);

    Transfer transfer;
    transfer.type = type;
    transfer.end_trigger = end_trigger;
    const bool known_type = type >= TRANS_SCENE_TO_INVENTORY && type <= TRANS_CURSOR_TO_INVENTORY;
    const bool needs_destination = type != TRANS_INVENTORY_TO_CURSOR;
    if (!known_type || !object || scene.IsReserved(object) || IsAncestorOrSelf(object, this) ||
        (needs_destination && !destination)) {
        tr_Log("Warning: transporter can not move object \"%s\" to \"%s\" with type %d.",
               object_name.c_str(), destination_name.c_str(), type);
        QueueEndTrigger(transfer);
        return false;
    }

    transfer.object.Set(object);
    transfer.destination.Set(destination);
    transfer.start_scale = object->GetScaleX();
    transfer.show_destination = show_destination;
    transfer.early_time = early_time;
    transfer.start_z = object->GetPosZ();
    PositionInParentSpace(object, transfer.start_x, transfer.start_y);
    if (destination)
        PositionInParentSpace(destination, transfer.target_x, transfer.target_y);
    const float distance =
        Distance(transfer.start_x, transfer.start_y, transfer.target_x, transfer.target_y);

    switch (type) {
    case TRANS_SCENE_TO_INVENTORY:
        transfer.duration = distance / 900.0f + 0.7f;
        break;
    case TRANS_SCENE_TO_TASK_PANEL:
        transfer.duration = distance / 1000.0f + 1.4f;
        break;
    case TRANS_INVENTORY_TO_CURSOR:
        if (tr_Object* dragged = tr_InputFocus::Dragged().Get()) {
            // The plain transform, not the drag position the engine draws
            // the object at.
            tr_InputFocus::Dragged().Reset();
            const tr_Matrix world = tr_Object::ComputeWorldTransform(dragged);
            tr_InputFocus::Dragged().Set(dragged);
            transfer.start_x = world[12];
            transfer.start_y = world[13];
            dragged->SetDragPosition(transfer.start_x, transfer.start_y, 0.0f);
        }
        transfer.duration = 0.4f;
        break;
    case TRANS_CURSOR_TO_INVENTORY:
        CursorPosition(transfer.start_x, transfer.start_y);
        ToParentSpace(transfer.start_x, transfer.start_y);
        transfer.duration =
            Distance(transfer.start_x, transfer.start_y, transfer.target_x, transfer.target_y) /
                1500.0f +
            0.2f;
        transfer.end_scale = end_scale;
        break;
    default:
        break;
    }

    tr_Object::Attach(this, object);
    transfers_.push_back(std::move(transfer));
    return true;
}

bool tp_Transporter::Finish(int type) {
    auto found = std::find_if(transfers_.begin(), transfers_.end(),
                              [type](const Transfer& transfer) { return transfer.type == type; });
    if (found == transfers_.end())
        return false;
    QueueEndTrigger(*found);
    transfers_.erase(found);
    return true;
}

void tp_Transporter::QueueEndTrigger(Transfer& transfer) {
    if (transfer.end_trigger.empty())
        return;
    tp_QueueTrigger(GetName(), transfer.end_trigger);
    transfer.end_trigger.clear();
}

void tp_Transporter::Update(const tr_FrameInfo& frame) {
    tp_InterfaceWidget::Update(frame);
    for (size_t i = 0; i < transfers_.size();) {
        if (Advance(transfers_[i], frame.dt))
            transfers_.erase(transfers_.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
}

bool tp_Transporter::Advance(Transfer& transfer, float dt) {
    tr_Object* object = transfer.object.Get();
    if (!object) {
        QueueEndTrigger(transfer);
        return true;
    }
    transfer.elapsed = std::min(transfer.elapsed + dt, transfer.duration);
    const float t = transfer.elapsed / transfer.duration;
    tr_Object* destination = transfer.destination.Get();
    if (destination && transfer.type != TRANS_INVENTORY_TO_CURSOR)
        PositionInParentSpace(destination, transfer.target_x, transfer.target_y);

    switch (transfer.type) {
    case TRANS_SCENE_TO_INVENTORY:
        MoveSceneToInventory(transfer);
        break;
    case TRANS_SCENE_TO_TASK_PANEL:
        MoveSceneToTaskPanel(transfer);
        break;
    case TRANS_INVENTORY_TO_CURSOR:
        MoveInventoryToCursor(transfer, t);
        break;
    default:
        MoveCursorToInventory(transfer, t);
        break;
    }

    const float remaining = transfer.duration - transfer.elapsed;
    if (transfer.early_time > 0.0f && remaining <= transfer.early_time)
        QueueEndTrigger(transfer);
    if (transfer.elapsed < transfer.duration)
        return false;
    if (transfer.type == TRANS_CURSOR_TO_INVENTORY) {
        object->SetPosition(0.0f, 0.0f);
        if (destination && !IsAncestorOrSelf(object, destination))
            tr_Object::Attach(destination, object);
    }
    QueueEndTrigger(transfer);
    return true;
}

void tp_Transporter::MoveSceneToInventory(Transfer& transfer) {
    tr_Object* object = transfer.object.Get();
    const float flight = transfer.duration - 0.2f;
    if (transfer.elapsed < flight) {
        const float u = transfer.elapsed / flight;
        const float a = Smooth(u);
        const float b = Smooth(a);
        float scale = u < 0.3f ? 1.0f + 0.5f * u / 0.3f : 1.0f + 0.5f * (1.0f - (u - 0.3f) / 0.7f);
        if (u > 0.7f) {
            const float k = (1.0f - u) / 0.3f;
            scale *= k;
            object->SetAlpha(k);
        }
        object->SetPosition(transfer.start_x + (transfer.target_x - transfer.start_x) * b,
                            transfer.start_y + (transfer.target_y - transfer.start_y) * a);
        object->SetScale(scale, scale);
    }
    tr_Object* destination = transfer.destination.Get();
    if (transfer.show_destination && destination) {
        const float r = std::min(transfer.duration - transfer.elapsed, 0.4f);
        const float k = 1.0f - r / 0.4f;
        destination->SetScale(k, k);
        destination->SetAlpha(k);
    }
}

void tp_Transporter::MoveSceneToTaskPanel(Transfer& transfer) {
    tr_Object* object = transfer.object.Get();
    const float flight = transfer.duration - 0.5f;
    if (transfer.elapsed < flight) {
        const float u = transfer.elapsed / flight;
        const float scale =
            u < 0.4f ? 1.0f + 0.3f * u / 0.4f : 1.0f + 0.3f * (1.0f - (u - 0.4f) / 0.6f);
        object->SetPosition(transfer.start_x + (transfer.target_x - transfer.start_x) * Smooth(u),
                            transfer.start_y + (transfer.target_y - transfer.start_y) * EaseIn(u));
        object->SetScale(scale, scale);
        return;
    }
    const float k = (0.5f - (transfer.duration - transfer.elapsed)) * 2.0f;
    object->SetPosition(transfer.target_x, transfer.target_y);
    object->SetScale(1.0f - k, 1.0f - k);
    object->SetAlpha(1.0f - k);
}

void tp_Transporter::MoveInventoryToCursor(Transfer& transfer, float t) {
    if (tr_Object* dragged = tr_InputFocus::Dragged().Get()) {
        float cursor_x = 0.0f;
        float cursor_y = 0.0f;
        CursorPosition(cursor_x, cursor_y);
        dragged->SetDragPosition(LerpSmooth(transfer.start_x, cursor_x, t),
                                 LerpSmooth(transfer.start_y, cursor_y, t), 0.0f);
    }
    const float scale = transfer.start_scale + t * (1.0f - transfer.start_scale);
    transfer.object->SetScale(scale, scale);
    if (tr_Object* destination = transfer.destination.Get())
        destination->SetAlpha(1.0f - t);
}

void tp_Transporter::MoveCursorToInventory(Transfer& transfer, float t) {
    tr_Object* object = transfer.object.Get();
    const float e = Smooth(t);
    const float scale = 1.0f + (transfer.end_scale - 1.0f) * t;
    object->SetPosition(LerpSmooth(transfer.start_x, transfer.target_x, e),
                        transfer.start_y + (transfer.target_y - transfer.start_y) * e);
    object->SetScale(scale, scale);
    if (tr_Object* destination = transfer.destination.Get())
        destination->SetAlpha(std::min(std::max(4.0f * t - 3.0f, 0.0f), 1.0f));
}

void tp_Transporter::HandleMessage(int id, tr_MediatorDataTable& data) {
    tp_InterfaceWidget::HandleMessage(id, data);
    if (id == Command_Transporter_Finish) {
        int type = 0;
        if (tp_ReadInt(data, "type", type))
            Finish(type);
        return;
    }
    if (id != Command_Transporter_MoveObject)
        return;
    std::string object_name;
    std::string destination_name;
    std::string end_trigger;
    int type = -1;
    tp_ReadString(data, "obj_name", object_name);
    tp_ReadString(data, "toobj_name", destination_name);
    tp_ReadString(data, "end_trig", end_trigger);
    tp_ReadInt(data, "type", type);
    int show = 1;
    tp_ReadOptionalInt(data, "show", show);
    float early_time = 0.0f;
    tp_ReadOptionalFloat(data, "red_time", early_time);
    float end_scale = 1.0f;
    if (type == TRANS_CURSOR_TO_INVENTORY)
        tp_ReadFloat(data, "scale", end_scale);
    MoveObject(object_name, destination_name, end_trigger, type, show == 1, early_time, end_scale);
}
