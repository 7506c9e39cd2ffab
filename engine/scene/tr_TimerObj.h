// tr_TimerObj: an invisible scene object that counts its "time" down while
// playing and queues its end trigger (sender: the timer's name) on the update
// where the countdown reaches 0; an infinite timer counts up and never fires.
// Updated only while in the display tree and active, like any object.
#pragma once

#include "engine/scene/tr_Object.h"

class tr_TimerObj : public tr_Object {
public:
    tr_TimerObj();
    explicit tr_TimerObj(std::string name);

    void Load(tr_SLHelper& helper) override;
    void Save(tr_SLHelper& helper) override;
    ~tr_TimerObj() override = default;
    std::string GetType() const override { return "timer"; }
    void ResetDefaults() override;
    void Update(const tr_FrameInfo& frame) override;

    float GetTime() const { return static_cast<float>(time_); }
    void SetTime(float seconds) { time_ = seconds; }
    bool IsInfinite() const { return infinite_; }
    void SetInfinite(bool on) { infinite_ = on; }
    bool IsPlaying() const { return playing_; }
    void SetPlaying(bool on) { playing_ = on; }
    const std::string& GetEndTrigger() const { return end_trigger_; }
    void SetEndTrigger(const std::string& code) { end_trigger_ = code; }

private:
    // Counted in double: float steps of a fixed frame time drift by more
    // than the run-out tolerance over a long countdown (30 s at 1/60 s ends
    // a frame late in float).
    double time_ = 0.0;
    bool infinite_ = false;
    bool playing_ = false;
    std::string end_trigger_;
};
