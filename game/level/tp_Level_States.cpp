// tp_Level: the state machine (entry actions and per-frame rules), the
// loading screen's fades and the blurred backdrop behind sub-rooms.
#include "game/level/tp_Level.h"

#include "engine/objects/tr_Sprite.h"
#include "engine/render/tr_Render.h"
#include "engine/render/tr_Texture.h"
#include "engine/script/tr_CallQueue.h"
#include "game/level/tp_Room.h"
#include "game/level/tp_SubRoom.h"
#include "game/level/tp_TreeRender.h"

#include <algorithm>

namespace {

constexpr int kDesignHeight = 768;

} // namespace

void tp_Level::SetLoadingAlpha(float alpha) {
    tr_Object* loading = loading_.Get();
    if (!loading)
        return;
    loading->SetVisible(alpha > 0.0f);
    loading->SetAlpha(alpha);
}

void tp_Level::ShowLoadingScreen(bool shown) {
    tr_Object* loading = loading_.Get();
    if (!loading)
        return;
    if (shown)
        Attach(this, loading);
    else
        ParkInHub(loading);
}

void tp_Level::EnterPendingRoom() {
    // Cleared first: the switch may ask for another room.
    const std::string room = pending_room_;
    pending_room_.clear();
    start_room_.clear();
    SwitchRoom(room, false);
}

void tp_Level::SetState(int state) {
    state_ = state;
    state_time_ = 1.0f;
    switch (state) {
    case STATE_LOADING:
        ShowLoadingScreen(true);
        SetInputEnabled(false);
        SetLoadingAlpha(1.0f);
        break;
    case STATE_LOADING_FADE:
        ShowLoadingScreen(true);
        SetLoadingAlpha(state_time_);
        break;
    case STATE_PLAYING:
        ShowLoadingScreen(false);
        SetInputEnabled(true);
        break;
    case STATE_ROOM_SWITCH:
    case STATE_SUBROOM_OPENING:
        SetInputEnabled(false);
        break;
    case STATE_SUBROOM_OPEN:
        SetInputEnabled(true);
        break;
    case STATE_SUBROOM_CLOSING:
        blur_show_ = false;
        SetInputEnabled(false);
        break;
    case STATE_SUBROOM_CLOSED:
        FinishSubRoomClose();
        SetState(STATE_PLAYING);
        break;
    case STATE_FADING_OUT:
        ShowLoadingScreen(true);
        SetInputEnabled(false);
        if (tr_Object* room = current_room_.Get())
            room->SetActive(false);
        SetLoadingAlpha(1.0f - state_time_);
        break;
    default:
        break;
    }
}

void tp_Level::Update(const tr_FrameInfo& frame) {
    tr_Object::Update(frame);
    UpdateState(frame);
    UpdateBlur(frame);
}

void tp_Level::UpdateState(const tr_FrameInfo& frame) {
    switch (state_) {
    case STATE_LOADING:
        state_time_ -= kLoadingStep;
        if (!start_trigger_.empty()) {
            // Cleared first: the call may come back here through a message.
            const std::string trigger = start_trigger_;
            start_trigger_.clear();
            tr_QueueObjectCall(name_, trigger);
            break;
        }
        // Whatever the start trigger asked for, a chosen start room wins.
        if (!start_room_.empty())
            pending_room_ = start_room_;
        if (state_time_ <= kPendingRoomTime && !pending_room_.empty())
            EnterPendingRoom();
        else if (current_room_)
            SetState(STATE_LOADING_FADE);
        break;
    case STATE_LOADING_FADE:
        // A switch asked for during the fade is kept as pending like one
        // asked for while loading; nothing else would ever enter it.
        if (!pending_room_.empty())
            EnterPendingRoom();
        state_time_ = std::max(state_time_ - frame.dt / kLoadingFadeTime, 0.0f);
        SetLoadingAlpha(state_time_);
        if (state_time_ <= 0.0f) {
            SetState(STATE_PLAYING);
            if (!start_subroom_.empty()) {
                const std::string subroom = start_subroom_;
                start_subroom_.clear();
                OpenSubRoom(subroom, 512, 384, 512, 384, false);
            }
        }
        break;
    case STATE_ROOM_SWITCH: {
        tp_Room* old_room = GetOldRoom();
        if (old_room && old_room->GetRoomState() == tp_Room::STATE_CLOSED) {
            ParkInHub(old_room);
            old_room_.Reset();
            old_room = nullptr;
        }
        // A current room deleted meanwhile has nothing left to wait for.
        tp_Room* room = GetCurrentRoom();
        if (!old_room && (!room || room->GetRoomState() == tp_Room::STATE_OPEN))
            SetState(STATE_PLAYING);
        break;
    }
    case STATE_SUBROOM_OPENING:
    case STATE_SUBROOM_OPEN:
    case STATE_SUBROOM_CLOSING: {
        tp_SubRoom* sub = GetCurrentSubRoom();
        // A sub-room deleted by script would otherwise leave the room under
        // it without input for good.
        if (!sub)
            SetState(STATE_SUBROOM_CLOSED);
        else if (state_ == STATE_SUBROOM_OPENING && sub->GetRoomState() == tp_Room::STATE_OPEN)
            SetState(STATE_SUBROOM_OPEN);
        else if (state_ == STATE_SUBROOM_CLOSING && sub->GetRoomState() == tp_Room::STATE_CLOSED)
            SetState(STATE_SUBROOM_CLOSED);
        break;
    }
    case STATE_FADING_OUT:
        state_time_ = std::max(state_time_ - frame.dt / kLoadingFadeTime, 0.0f);
        SetLoadingAlpha(1.0f - state_time_);
        if (state_time_ <= 0.0f) {
            state_ = STATE_FADED_OUT;
            state_time_ = 1.0f;
        }
        break;
    default:
        break;
    }
}

void tp_Level::UpdateBlur(const tr_FrameInfo& frame) {
    if (blur_refresh_) {
        blur_refresh_ = false;
        RebuildBlur();
    }
    tr_Sprite* blur = GetBlur();
    if (blur_show_ && blur_time_ < kBlurFadeTime) {
        blur_time_ = std::min(blur_time_ + frame.dt, kBlurFadeTime);
        if (blur)
            blur->SetAlpha(blur_time_ / kBlurFadeTime);
    } else if (!blur_show_ && blur_time_ > 0.0f) {
        blur_time_ = std::max(blur_time_ - frame.dt, 0.0f);
        if (blur) {
            if (blur_time_ <= 0.0f)
                blur->SetVisible(false);
            blur->SetAlpha(blur_time_ / kBlurFadeTime);
        }
    }
}

void tp_Level::RebuildBlur() {
    tr_Sprite* blur = GetBlur();
    if (!blur)
        return;
    const float width = tp_AskLayoutWidth();
    blur->SetVisible(true);
    tr_Object* room = current_room_.Get();
    tr_Render* render = tr_Render::Current();
    if (!room || !render)
        return;
    std::shared_ptr<tr_Texture> picture =
        tp_RenderTreeToTexture(room, tp_PixelSize(width), kDesignHeight, tp_WideLayoutState(width));
    std::shared_ptr<tr_Texture> soft =
        render->MakeSoftCopy(picture, tp_PixelSize(width) / 2, kDesignHeight / 2, 1.0f);
    if (soft)
        blur->SetTexture(soft);
}
