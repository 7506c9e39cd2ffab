#include "game/interface/tp_FrameSubroom.h"

#include "game/core/tp_Messages.h"
#include "game/interface/tp_MessageData.h"
#include "game/interface/tp_WidgetTriggers.h"

tp_FrameSubroom::tp_FrameSubroom(const std::string& name, const std::string& module_override)
    : tp_InterfaceWidget(name) {
    LoadClassModule(module_override, kModule);
    Subscribe(Command_FrameSubroom_Show);
    Subscribe(SubRoomTransform);
    Subscribe(Event_FrameSubroom_BtnClose_Click);
}

void tp_FrameSubroom::HandleMessage(int id, tr_MediatorDataTable& data) {
    tp_InterfaceWidget::HandleMessage(id, data);
    if (id == Command_FrameSubroom_Show)
        ForwardToModule(id, data);
    else if (id == SubRoomTransform)
        ApplyTransform(data);
    else if (id == Event_FrameSubroom_BtnClose_Click)
        tp_QueueTrigger(GetName(), kClickTrigger);
}

void tp_FrameSubroom::ApplyTransform(const tr_MediatorDataTable& data) {
    tr_Object* frame = GetModuleObject();
    if (!frame)
        return;
    // A key the sender left out keeps the frame's current value.
    float x = frame->GetPosX();
    float y = frame->GetPosY();
    float scale = frame->GetScaleX();
    float alpha = frame->GetAlpha();
    tp_ReadFloat(data, "pos_x", x);
    tp_ReadFloat(data, "pos_y", y);
    tp_ReadFloat(data, "scale", scale);
    tp_ReadFloat(data, "alpha", alpha);
    frame->SetPosition(x, y);
    frame->SetScale(scale, scale);
    frame->SetAlpha(alpha);
    frame->SetInputEnabled(alpha == 1.0f);
    frame->SetVisible(alpha > 0.0f);
}
