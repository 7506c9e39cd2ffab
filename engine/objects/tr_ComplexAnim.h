// tr_ComplexAnim: a scene object (type "complexanim") that plays skeletal
// cut-out animations: a tree of image nodes and named functions of keyframe
// tracks (tr_ComplexAnimData, read once from "res" + ".xml" through the
// resource XML reader). One function plays at a time, once or looping; a
// one-shot keeps its last pose and queues "endtrig" once. The pose is
// evaluated every update; nodes the current function does not reach are
// hidden with their subtree. Node images are held while the object's
// resources are loaded.
#pragma once

#include "engine/objects/tr_ComplexAnimData.h"
#include "engine/scene/tr_Object.h"

#include <string>

class tr_ComplexAnim : public tr_Object {
public:
    tr_ComplexAnim();
    explicit tr_ComplexAnim(std::string name);
    ~tr_ComplexAnim() override;

    void Load(tr_SLHelper& helper) override;
    void Save(tr_SLHelper& helper) override;
    std::string GetType() const override { return "complexanim"; }
    void ResetDefaults() override;
    void Initialise() override;
    void Deinitialise() override;
    void LoadResources() override;
    void UnloadResources() override;
    void Update(const tr_FrameInfo& frame) override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;

    // Starts function from its beginning; an unknown name changes nothing.
    // Returns whether the function exists.
    bool Play(const std::string& function, const std::string& end_trigger);
    void Stop() { playing_ = false; }
    void SetPaused(bool paused) { playing_ = !paused; }

    bool IsPlaying() const { return playing_; }
    const std::string& GetFunction() const { return function_; }
    float GetElapsed() const { return elapsed_; }
    const std::string& GetEndTrigger() const { return endtrig_; }
    const tr_ComplexAnimData& GetData() const { return data_; }

private:
    void EvaluatePose();

    bool playing_ = false;
    std::string function_;
    float elapsed_ = 0.0f;
    std::string endtrig_;
    tr_ComplexAnimData data_;
};
