#include "game/level/tp_Room.h"

#include "engine/core/tr_SLHelper.h"
#include "engine/render/tr_Render.h"
#include "engine/render/tr_Texture.h"
#include "engine/script/tr_CallQueue.h"
#include "game/level/tp_TreeRender.h"

#include <algorithm>

tp_Room::tp_Room() : tp_Room("tp_room") {}

tp_Room::tp_Room(std::string name) : tr_Sprite(std::move(name)) {
    tp_Room::ResetDefaults();
}

tp_Room::~tp_Room() = default;

void tp_Room::Load(tr_SLHelper& helper) {
    tr_Sprite::Load(helper);
    helper.ReadString("trg_open", trg_open_);
    helper.ReadString("trg_close", trg_close_);
    helper.ReadString("trg_preopen", trg_preopen_);
    helper.ReadString("trg_preclose", trg_preclose_);
}

void tp_Room::Save(tr_SLHelper& helper) {
    tr_Sprite::Save(helper);
    helper.WriteString("trg_open", trg_open_);
    helper.WriteString("trg_close", trg_close_);
    helper.WriteString("trg_preopen", trg_preopen_);
    helper.WriteString("trg_preclose", trg_preclose_);
}

void tp_Room::ResetDefaults() {
    tr_Sprite::ResetDefaults();
    transition_time_ = 0.0f;
    // The 1024 x 768 picture is centred on the position: this offset makes it
    // cover the design area from (0, 0) when the room sits at (0, 0).
    own_state_.offset_x = 512.0f;
    own_state_.offset_y = 384.0f;
    MarkTransformDirty();
    SetRoomState(STATE_CLOSED);
}

void tp_Room::SetTriggers(const std::string& open, const std::string& close,
                          const std::string& preopen, const std::string& preclose) {
    trg_open_ = open;
    trg_close_ = close;
    trg_preopen_ = preopen;
    trg_preclose_ = preclose;
}

void tp_Room::RunTrigger(const std::string& trigger) const {
    tr_QueueObjectCall(name_, trigger);
}

void tp_Room::SetRoomState(int state) {
    switch (state) {
    case STATE_CLOSED:
        RunTrigger(trg_close_);
        SetAlpha(0.0f);
        SetUpdateChildren(false);
        SetInputEnabled(false);
        break;
    case STATE_OPENING:
        transition_time_ = 0.0f;
        SetInputEnabled(false);
        break;
    case STATE_OPEN:
        RunTrigger(trg_open_);
        SetInputEnabled(true);
        SetUpdateChildren(true);
        snapshot_.reset();
        SetAlpha(1.0f);
        break;
    case STATE_CLOSING:
        SetUpdateChildren(false);
        transition_time_ = 0.0f;
        SetInputEnabled(false);
        break;
    default:
        break;
    }
    room_state_ = state;
}

void tp_Room::Open(bool animate) {
    RunTrigger(trg_preopen_);
    drawn_since_open_ = false;
    if (animate) {
        SetAlpha(1.0f);
        TakeSnapshot();
        SetAlpha(0.0f);
        SetRoomState(STATE_OPENING);
    } else {
        SetRoomState(STATE_OPEN);
    }
}

void tp_Room::Close(bool animate) {
    RunTrigger(trg_preclose_);
    SetRoomState(animate ? STATE_CLOSING : STATE_CLOSED);
}

void tp_Room::Update(const tr_FrameInfo& frame) {
    if (!drawn_since_open_)
        return;
    tr_Sprite::Update(frame);
    int target;
    if (room_state_ == STATE_OPENING)
        target = STATE_OPEN;
    else if (room_state_ == STATE_CLOSING)
        target = STATE_CLOSED;
    else
        return;
    transition_time_ = std::min(transition_time_ + frame.dt, kTransitionTime);
    if (transition_time_ >= kTransitionTime)
        SetRoomState(target);
}

void tp_Room::Draw(tr_Render* render, const tr_DrawState& state) {
    if (room_state_ == STATE_OPENING && snapshot_) {
        tr_DrawState faded = state;
        faded.alpha = transition_time_ / kTransitionTime;
        if (render)
            render->DrawQuad(snapshot_, faded);
    } else {
        tr_Sprite::Draw(render, state);
    }
    drawn_since_open_ = true;
}

std::shared_ptr<tr_Texture> tp_Room::RenderTree(int width, int height, const tr_DrawState& parent) {
    const bool drawn = drawn_since_open_;
    std::shared_ptr<tr_Texture> texture = tp_RenderTreeToTexture(this, width, height, parent);
    drawn_since_open_ = drawn;
    return texture;
}

void tp_Room::TakeSnapshot() {
    snapshot_.reset();
    const float width = tp_AskLayoutWidth();
    snapshot_ =
        RenderTree(tp_PixelSize(width), tp_PixelSize(input_rect_.h), tp_WideLayoutState(width));
}
