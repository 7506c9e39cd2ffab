#include "game/level/tp_SubRoom.h"

#include "engine/core/tr_Mediator.h"
#include "engine/core/tr_MediatorDataTable.h"
#include "engine/core/tr_SLHelper.h"
#include "engine/render/tr_Render.h"
#include "engine/render/tr_Texture.h"
#include "engine/scene/tr_ObjectRef.h"
#include "game/core/tp_Messages.h"
#include "game/interface/tp_TransferEasing.h"
#include "game/level/tp_TreeRender.h"

#include <cmath>

tp_SubRoom::tp_SubRoom() : tp_SubRoom("tp_subroom") {}

tp_SubRoom::tp_SubRoom(std::string name) : tp_Room(std::move(name)) {
    tp_SubRoom::ResetDefaults();
}

tp_SubRoom::~tp_SubRoom() = default;

float tp_SubRoom::EaseIn(float t) {
    return tp_TransferEasing::EaseIn(t);
}

float tp_SubRoom::EaseLerp(float a, float b, float t) {
    return a + (b - a) * EaseIn(t);
}

void tp_SubRoom::Load(tr_SLHelper& helper) {
    tp_Room::Load(helper);
    helper.ReadInt("start_x", start_x_);
    helper.ReadInt("start_y", start_y_);
    helper.ReadInt("end_x", end_x_);
    helper.ReadInt("end_y", end_y_);
}

void tp_SubRoom::Save(tr_SLHelper& helper) {
    tp_Room::Save(helper);
    helper.WriteInt("start_x", start_x_);
    helper.WriteInt("start_y", start_y_);
    helper.WriteInt("end_x", end_x_);
    helper.WriteInt("end_y", end_y_);
}

void tp_SubRoom::ResetDefaults() {
    tp_Room::ResetDefaults();
    own_state_.offset_x = 0.0f;
    own_state_.offset_y = 0.0f;
    start_x_ = start_y_ = end_x_ = end_y_ = 0;
}

void tp_SubRoom::LoadResources() {
    tp_Room::LoadResources();
    if (texture_)
        SetCropRect(texture_->GetRect(own_state_));
}

void tp_SubRoom::SendTransform() const {
    tr_MediatorDataTable data;
    data.SetFloat("pos_x", GetPosX());
    data.SetFloat("pos_y", GetPosY());
    data.SetFloat("scale", GetScaleX());
    data.SetFloat("alpha", GetAlpha());
    tr_Mediator::SendIfAny(SubRoomTransform, data);
}

void tp_SubRoom::SetRoomState(int state) {
    tp_Room::SetRoomState(state);
    switch (state) {
    case STATE_CLOSED:
        SetPosition(static_cast<float>(end_x_), static_cast<float>(end_y_));
        SetScale(0.0f, 0.0f);
        SetAlpha(0.0f);
        snapshot_.reset();
        SendTransform();
        break;
    case STATE_OPENING:
    case STATE_CLOSING:
        SetDrawChildren(false);
        break;
    case STATE_OPEN:
        SetDrawChildren(true);
        SetPosition(static_cast<float>(end_x_), static_cast<float>(end_y_));
        SetScale(1.0f, 1.0f);
        SetAlpha(1.0f);
        SendTransform();
        break;
    default:
        break;
    }
}

void tp_SubRoom::Close(bool animate) {
    if (animate && room_state_ != STATE_CLOSING)
        TakeSnapshot();
    tp_Room::Close(animate);
}

void tp_SubRoom::Update(const tr_FrameInfo& frame) {
    tp_Room::Update(frame);
    float t;
    if (room_state_ == STATE_OPENING)
        t = transition_time_ / kTransitionTime;
    else if (room_state_ == STATE_CLOSING)
        t = (kTransitionTime - transition_time_) / kTransitionTime;
    else
        return;
    if (t == 0.0f)
        return;
    SetPosition(EaseLerp(static_cast<float>(start_x_), static_cast<float>(end_x_), t),
                EaseLerp(static_cast<float>(start_y_), static_cast<float>(end_y_), t));
    const float size = EaseLerp(0.0f, 1.0f, t);
    SetScale(size, size);
    SetAlpha(size);
    MarkTransformDirty();
    SendTransform();
}

void tp_SubRoom::Draw(tr_Render* render, const tr_DrawState& state) {
    const bool moving = room_state_ == STATE_OPENING || room_state_ == STATE_CLOSING;
    if (moving && snapshot_) {
        if (render)
            render->DrawQuad(snapshot_, state);
    } else {
        tr_Sprite::Draw(render, state);
    }
    drawn_since_open_ = true;
}

void tp_SubRoom::TakeSnapshot() {
    snapshot_.reset();
    const tr_Rect rect = texture_ ? texture_->GetRect(own_state_) : tr_Rect();
    SetPosition(rect.w / 2.0f, rect.h / 2.0f);
    SetScale(1.0f, 1.0f);
    SetDrawChildren(true);
    snapshot_ =
        RenderTree(tp_PixelSize(input_rect_.w), tp_PixelSize(input_rect_.h), tr_DrawState());
    SetDrawChildren(false);
    SetScale(0.0f, 0.0f);
}

void tp_SubRoom::StartZoom(int start_x, int start_y, int end_x, int end_y, bool animate) {
    if (start_x != 0 || start_y != 0 || end_x != 0 || end_y != 0) {
        start_x_ = start_x;
        start_y_ = start_y;
        end_x_ = end_x;
        end_y_ = end_y;
    }
    tr_MediatorDataTable show;
    show.SetInt("width", tp_PixelSize(input_rect_.w));
    show.SetFloat("height", input_rect_.h);
    // Listeners run script code that may delete this sub-room.
    tr_ObjectRef alive(this);
    tr_Mediator::SendIfAny(Command_FrameSubroom_Show, show);
    if (alive)
        Open(animate);
}
