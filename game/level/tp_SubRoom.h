// tp_SubRoom: a close-up scene (factory type "subroom") that opens over the
// current room by zooming its snapshot from a start point to its end point and
// closes the same way back. It sits at (end_x, end_y) while open; during a
// transition only the snapshot is drawn, scaled and faded along an ease-in
// curve. Every placement change is announced with SubRoomTransform so the
// sub-room frame widget can follow it; StartZoom also asks the frame to show.
#pragma once

#include "game/level/tp_Room.h"

class tp_SubRoom : public tp_Room {
public:
    tp_SubRoom();
    explicit tp_SubRoom(std::string name);
    ~tp_SubRoom() override;

    void Load(tr_SLHelper& helper) override;
    void Save(tr_SLHelper& helper) override;
    std::string GetType() const override { return "subroom"; }
    void ResetDefaults() override;
    void LoadResources() override;
    void Update(const tr_FrameInfo& frame) override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;
    void Close(bool animate) override;
    void TakeSnapshot() override;
    void SetRoomState(int state) override;

    // Stores the four coordinates unless all are 0 (then the loaded ones
    // stay), tells the frame widget the sub-room's size and opens.
    void StartZoom(int start_x, int start_y, int end_x, int end_y, bool animate);

    // f(t) = sin(t * pi/2 - pi/2) + 1 in single precision: 0 at 0, 1 at 1,
    // slow at the start.
    static float EaseIn(float t);
    // a + (b - a) * EaseIn(t).
    static float EaseLerp(float a, float b, float t);

    int GetStartX() const { return start_x_; }
    int GetStartY() const { return start_y_; }
    int GetEndX() const { return end_x_; }
    int GetEndY() const { return end_y_; }

private:
    // Sends SubRoomTransform with the current position, horizontal scale
    // and alpha. Listeners may delete the sub-room: callers send last.
    void SendTransform() const;

    int start_x_ = 0;
    int start_y_ = 0;
    int end_x_ = 0;
    int end_y_ = 0;
};
