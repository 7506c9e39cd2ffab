// tp_Room: one full-screen scene of a level (factory type "room"): a
// background sprite with everything on it as children. The level keeps its
// rooms in the rooms hub and moves the one on show into its display layer,
// then drives it through Open / Close. An animated opening cross-fades a
// snapshot of the room over whatever lies underneath for 0.6 s; the clock
// only runs once the room has been drawn, so a room parked in a hidden layer
// never finishes a transition. The room owns its snapshot; the four trigger
// names are queued with the room as sender.
#pragma once

#include "engine/objects/tr_Sprite.h"

#include <memory>
#include <string>

class tr_Texture;

class tp_Room : public tr_Sprite {
public:
    enum State : int {
        STATE_CLOSED = 0,
        STATE_OPENING = 1,
        STATE_OPEN = 2,
        STATE_CLOSING = 3,
    };

    // Length of every opening and closing, in seconds.
    static constexpr float kTransitionTime = 0.6f;

    tp_Room();
    explicit tp_Room(std::string name);
    ~tp_Room() override;

    void Load(tr_SLHelper& helper) override;
    void Save(tr_SLHelper& helper) override;
    std::string GetType() const override { return "room"; }
    void ResetDefaults() override;
    void Update(const tr_FrameInfo& frame) override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;

    virtual void Open(bool animate);
    virtual void Close(bool animate);
    virtual void TakeSnapshot();
    virtual void SetRoomState(int state);

    int GetRoomState() const { return room_state_; }
    float GetTransitionTime() const { return transition_time_; }
    bool WasDrawnSinceOpen() const { return drawn_since_open_; }
    const std::shared_ptr<tr_Texture>& GetSnapshot() const { return snapshot_; }

    const std::string& GetOpenTrigger() const { return trg_open_; }
    const std::string& GetCloseTrigger() const { return trg_close_; }
    const std::string& GetPreOpenTrigger() const { return trg_preopen_; }
    const std::string& GetPreCloseTrigger() const { return trg_preclose_; }
    void SetTriggers(const std::string& open, const std::string& close, const std::string& preopen,
                     const std::string& preclose);

protected:
    // Queues trigger with this room as sender; an empty name queues nothing.
    void RunTrigger(const std::string& trigger) const;
    // Renders this room's tree into a new texture of width x height with
    // parent as the parent draw state. drawn_since_open is left as it was:
    // a snapshot is not a frame the player saw.
    std::shared_ptr<tr_Texture> RenderTree(int width, int height, const tr_DrawState& parent);

    std::string trg_open_;
    std::string trg_close_;
    std::string trg_preopen_;
    std::string trg_preclose_;
    std::shared_ptr<tr_Texture> snapshot_;
    float transition_time_ = 0.0f;
    int room_state_ = STATE_CLOSED;
    bool drawn_since_open_ = false;
};
