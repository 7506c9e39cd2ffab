// tp_Level: one loaded game module with its rooms. The application creates a
// level for a module and a start trigger and destroys it when the next level
// replaces it. The level builds its layers as children (the interface hub,
// "tp_level_internal" showing the current room, blur and sub-room, and the
// loading screen while it shows), keeps every room not on show in
// "tp_rooms_hub" under the storage root (the scene owns it), runs the state
// machine of loading, room switches, sub-room zooms and the fade-out before a
// level switch, and answers the level messages of the mediator.
//
// Everything the level points at but scripts may delete (rooms, layers, the
// loading screen) is held through tr_ObjectRef: a deleted object reads as
// none. Escape pressed while the level is active queues the content's
// "tp_escape" trigger when the content defines one (menus open and close on
// it). Saving the player's progress and the cheat-profile check go through
// tp_ProfileSeam.
#pragma once

#include "engine/core/tr_Listener.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_ObjectRef.h"

#include <string>

class tp_Interface;
class tp_Room;
class tp_SubRoom;
class tr_Sprite;

class tp_Level : public tr_Object, public tr_Listener {
public:
    enum State : int {
        STATE_LOADING = 0,
        STATE_LOADING_FADE = 1,
        STATE_PLAYING = 2,
        STATE_ROOM_SWITCH = 3,
        STATE_SUBROOM_OPENING = 6,
        STATE_SUBROOM_OPEN = 7,
        STATE_SUBROOM_CLOSING = 8,
        STATE_SUBROOM_CLOSED = 9,
        STATE_FADING_OUT = 10,
        STATE_FADED_OUT = 11,
    };

    static constexpr float kBlurFadeTime = 0.6f;
    static constexpr float kLoadingFadeTime = 0.4f;
    // state_time falls by this much on every update while loading.
    static constexpr float kLoadingStep = 0.1f;
    // Where state_time must have fallen to before a pending room is entered.
    static constexpr float kPendingRoomTime = 0.7f;
    static constexpr int kEscapeKey = 0x1B;
    static constexpr const char* kEscapeTrigger = "tp_escape";

    // Builds the layers, loads module (its objects land in the rooms hub)
    // and remembers start_trigger for the first update.
    tp_Level(const std::string& module, const std::string& start_trigger);
    ~tp_Level() override;

    void Refresh(bool recursive) override;
    void ResetDefaults() override;
    void Update(const tr_FrameInfo& frame) override;
    bool HandleInput(tr_InputEvent& event, tr_Object* picked, const tr_DrawState& state) override;
    void OnMessage(int id, tr_MediatorDataTable& data) override;

    void SetState(int state);
    void SwitchRoom(const std::string& name, bool animate);
    void OpenSubRoom(const std::string& name, int start_x, int start_y, int end_x, int end_y,
                     bool animate);
    void CloseSubRoom(bool animate);

    int GetState() const { return state_; }
    float GetStateTime() const { return state_time_; }
    bool IsLoading() const { return state_ == STATE_LOADING || state_ == STATE_LOADING_FADE; }
    // Fading out for, or waiting for, the next level.
    bool IsLeaving() const { return state_ == STATE_FADING_OUT || state_ == STATE_FADED_OUT; }
    tp_Room* GetCurrentRoom() const;
    tp_Room* GetOldRoom() const;
    tp_SubRoom* GetCurrentSubRoom() const;
    tr_Object* GetLoadingScreen() const { return loading_.Get(); }
    tr_Object* GetRoomsHub() const { return rooms_hub_.Get(); }
    tr_Object* GetLevelInternal() const { return level_internal_.Get(); }
    tp_Interface* GetInterface() const;
    tr_Sprite* GetBlur() const;
    const std::string& GetPendingRoom() const { return pending_room_; }
    const std::string& GetStartTrigger() const { return start_trigger_; }
    // The module and start trigger the level was made with.
    const std::string& GetModule() const { return module_; }
    const std::string& GetFirstTrigger() const { return first_trigger_; }
    // Development: the level opens in room (and then sub-room, when not
    // empty) whatever room its start trigger asks for; the start trigger
    // still runs. An unknown name is logged when the level tries it.
    void SetStartRoom(const std::string& room, const std::string& subroom);
    bool IsAutoSave() const { return autosave_; }
    bool IsSubRoomCloseBlocked() const { return block_subroom_close_; }
    bool IsBlurShown() const { return blur_show_; }
    float GetBlurTime() const { return blur_time_; }

private:
    void SubscribeMessages();
    void CreateLayers();
    void CreateLoadingScreen();
    void LoadLevelModule(const std::string& module);

    void UpdateState(const tr_FrameInfo& frame);
    void UpdateBlur(const tr_FrameInfo& frame);
    void RebuildBlur();
    void SetLoadingAlpha(float alpha);
    // Moves the loading screen under the level (shown) or the rooms hub.
    void ShowLoadingScreen(bool shown);
    // Enters the room asked for while loading, without animation.
    void EnterPendingRoom();
    void FinishSubRoomClose();
    // Moves object into the rooms hub, or into the storage root when a
    // script has deleted the hub.
    void ParkInHub(tr_Object* object);
    void OnSwitchRoom(const tr_MediatorDataTable& data);
    void HandleCheatKey(int key);
    void HandleEscapeKey();

    tr_ObjectRef rooms_hub_;
    tr_ObjectRef level_internal_;
    tr_ObjectRef interface_;
    tr_ObjectRef blur_;
    tr_ObjectRef loading_;
    tr_ObjectRef current_room_;
    tr_ObjectRef old_room_;
    tr_ObjectRef current_subroom_;
    bool block_subroom_close_ = false;
    bool autosave_ = false;
    bool blur_show_ = false;
    bool blur_refresh_ = false;
    float blur_time_ = 0.0f;
    int state_ = STATE_LOADING;
    float state_time_ = 1.0f;
    std::string start_trigger_;
    std::string pending_room_;
    std::string module_;
    std::string first_trigger_;
    std::string start_room_;
    std::string start_subroom_;
};
