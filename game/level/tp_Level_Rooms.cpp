// tp_Level: switching rooms and opening and closing sub-rooms. Rooms not on
// show wait in the rooms hub; the one on show sits in tp_level_internal at
// z 1, a sub-room over it at z 4.
#include "game/level/tp_Level.h"

#include "engine/core/tr_Log.h"

#include "engine/objects/tr_Sprite.h"
#include "game/level/tp_ProfileSeam.h"
#include "game/level/tp_Room.h"
#include "game/level/tp_SubRoom.h"

namespace {

template <class T> T* FindIn(tr_Object* hub, const std::string& name) {
    if (!hub)
        return nullptr;
    return dynamic_cast<T*>(tr_Object::FindChild(hub, name, true));
}

constexpr float kRoomZ = 1.0f;
constexpr float kSubRoomZ = 4.0f;

} // namespace

void tp_Level::SwitchRoom(const std::string& name, bool animate) {
    // Closing the rooms on show announces the sub-room's placement, and its
    // listeners may run script that deletes the room asked for.
    const tr_ObjectRef found(FindIn<tp_Room>(rooms_hub_.Get(), name));
    if (!found)
        tr_Log("Warning: SwitchRoom: level %s has no room %s", module_.c_str(), name.c_str());
    if (found) {
        if (tp_Room* current = GetCurrentRoom()) {
            if (tp_Room* still_closing = GetOldRoom())
                ParkInHub(still_closing);
            old_room_.Set(current);
            current->SetPosZ(0.0f);
            current->Close(animate);
            if (!animate) {
                // Listeners of a closing sub-room's announcement may have
                // deleted it: look again.
                if (tp_Room* closed = GetOldRoom())
                    ParkInHub(closed);
                old_room_.Reset();
            }
        }
        if (tp_SubRoom* sub = GetCurrentSubRoom()) {
            sub->Close(false);
            FinishSubRoomClose();
        }
        if (tp_Room* room = found.GetAs<tp_Room>()) {
            current_room_.Set(room);
            Attach(level_internal_.Get(), room);
            room->SetPosZ(kRoomZ);
            room->Open(animate);
            // A level on its way out stays on its way out: the application
            // waits for the faded-out state to build the next level.
            if (animate && !IsLeaving())
                SetState(STATE_ROOM_SWITCH);
        } else {
            current_room_.Reset();
        }
    }
    if (autosave_)
        tp_ProfileSeam::Get().SaveGameData();
}

void tp_Level::OpenSubRoom(const std::string& name, int start_x, int start_y, int end_x, int end_y,
                           bool animate) {
    tp_SubRoom* sub = FindIn<tp_SubRoom>(rooms_hub_.Get(), name);
    if (!sub) {
        tr_Log("Warning: OpenSubRoom: level %s has no sub-room %s", module_.c_str(), name.c_str());
        return;
    }
    if (tp_SubRoom* open = GetCurrentSubRoom())
        ParkInHub(open);
    current_subroom_.Set(sub);
    Attach(level_internal_.Get(), sub);
    sub->SetPosZ(kSubRoomZ);
    sub->StartZoom(start_x, start_y, end_x, end_y, animate);
    if (tp_Room* room = GetCurrentRoom()) {
        room->SetInputEnabled(false);
        room->SetActive(false);
        blur_show_ = true;
        blur_refresh_ = true;
    }
    if (!IsLeaving())
        SetState(animate ? STATE_SUBROOM_OPENING : STATE_SUBROOM_OPEN);
}

void tp_Level::CloseSubRoom(bool animate) {
    tp_SubRoom* sub = GetCurrentSubRoom();
    if (!sub || block_subroom_close_ || state_ != STATE_SUBROOM_OPEN)
        return;
    sub->Close(animate);
    SetState(animate ? STATE_SUBROOM_CLOSING : STATE_SUBROOM_CLOSED);
}

void tp_Level::FinishSubRoomClose() {
    blur_time_ = 0.0f;
    blur_show_ = false;
    if (tr_Sprite* blur = GetBlur()) {
        blur->SetAlpha(0.0f);
        blur->SetVisible(false);
    }
    if (tp_Room* room = GetCurrentRoom()) {
        room->SetInputEnabled(true);
        room->SetActive(true);
    }
    if (tp_SubRoom* sub = GetCurrentSubRoom())
        ParkInHub(sub);
    current_subroom_.Reset();
}
