// tr_AnimSprite: a sprite (type "anim") whose "res" names an animation
// resource. It copies the resource's functions when initialised, draws from
// the resource's frame texture, plays one function at a time from the frame
// loop's time step, and when a non-looping function ends queues its end
// trigger (event code, with the sprite as sender). It holds its share of the
// resource while initialised and of the frame texture while its resources
// are loaded, like any sprite.
#pragma once

#include "engine/objects/tr_Sprite.h"
#include "engine/resources/anim/tr_AnimFunction.h"

#include <memory>
#include <string>
#include <vector>

class tr_AnimRes;

class tr_AnimSprite : public tr_Sprite {
public:
    tr_AnimSprite();
    explicit tr_AnimSprite(std::string name);
    ~tr_AnimSprite() override;

    void Load(tr_SLHelper& helper) override;
    void Save(tr_SLHelper& helper) override;
    std::string GetType() const override { return "anim"; }
    void ResetDefaults() override;
    void Initialise() override;
    void Deinitialise() override;
    void LoadResources() override;
    void Update(const tr_FrameInfo& frame) override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;

    // Starts the first function named exactly name from its first frame;
    // end_trigger is queued when it ends (non-looping only). Returns 1, or 0
    // without any change for an unknown name or a function without frames.
    virtual int Play(const std::string& name, const std::string& end_trigger);
    // Frame 0, not playing, no function.
    virtual void Stop();
    // Pausing and resuming keep the position and the time left on the frame.
    virtual void SetPaused(bool paused);
    virtual bool IsPlaying() const { return playing_; }
    virtual int GetFrame() const { return own_state_.frame; }
    // For an empty name: the function being played (0 when not playing).
    // 0 for an unknown name.
    virtual int GetFunctionFrameCount(const std::string& name) const;
    // Shows frame; the input rectangle follows it unless one was loaded.
    virtual void SetFrame(int frame);
    // Seconds the named function lasts; same name rules as the frame count.
    virtual float GetFunctionDuration(const std::string& name) const;

    const std::vector<tr_AnimFunction>& GetFunctions() const { return functions_; }
    // Index into GetFunctions() of the function being played, -1 when none.
    int GetCurrentFunction() const { return current_; }
    // Position inside the current function's frame list.
    int GetPosition() const { return position_; }
    // Seconds left on the current frame (negative after a long frame).
    float GetTimer() const { return timer_; }
    const std::string& GetEndTrigger() const { return endtrig_; }
    const std::string& GetFrameTextureName() const { return frame_texture_name_; }

private:
    void ClearPlayback();
    // The function being played, or null.
    const tr_AnimFunction* CurrentFunction() const;
    // The named function (empty name: the one being played), or null.
    const tr_AnimFunction* FunctionFor(const std::string& name) const;

    std::vector<tr_AnimFunction> functions_;
    float timer_ = 0.0f;
    bool playing_ = false;
    std::string endtrig_;
    int current_ = -1;
    int position_ = 0;
    std::string frame_texture_name_;
    std::shared_ptr<tr_AnimRes> resource_;
};
