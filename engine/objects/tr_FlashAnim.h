// tr_FlashAnim: a scene object (type "flashanim") that plays a cut-out
// animation (tr_FlashAnimData, read once from "res" + ".xml"). It advances
// at most one frame per update at the file's rate, loops back to the loop
// frame or stops on the last frame and queues "endtrig", and draws each
// instance of the current frame as a quad of its part's image. Direct
// children can be attached to named parts: they then ride on the part's
// position (not its rotation or scale) and keep their own z. Attached
// children are held as weak references, so deleting one is always safe.
// Part images are held while the object's resources are loaded.
#pragma once

#include "engine/objects/tr_FlashAnimData.h"
#include "engine/scene/tr_Object.h"
#include "engine/scene/tr_ObjectRef.h"

#include <memory>
#include <string>
#include <vector>

class tr_Texture;

class tr_FlashAnim : public tr_Object {
public:
    tr_FlashAnim();
    explicit tr_FlashAnim(std::string name);
    ~tr_FlashAnim() override;

    void Load(tr_SLHelper& helper) override;
    void Save(tr_SLHelper& helper) override;
    std::string GetType() const override { return "flashanim"; }
    void ResetDefaults() override;
    void Initialise() override;
    void Deinitialise() override;
    void LoadResources() override;
    void UnloadResources() override;
    void Update(const tr_FrameInfo& frame) override;
    void Draw(tr_Render* render, const tr_DrawState& state) override;

    // From frame 0 with a whole frame time ahead; end_trigger is queued when
    // a non-looping animation ends. An animation without frames stays still.
    void Play(const std::string& end_trigger);
    void Stop() { playing_ = false; }
    void SetPaused(bool paused);
    // Every part with identifier part_id carries the direct child named
    // child_name from now on (no change when there is no such child).
    void AttachChildToPart(const std::string& child_name, const std::string& part_id);

    bool IsPlaying() const { return playing_; }
    int GetFrame() const { return frame_; }
    const std::string& GetEndTrigger() const { return endtrig_; }
    const tr_FlashAnimData& GetData() const { return data_; }
    // The object riding on part index part, or null.
    tr_Object* GetAttached(int part) const;

private:
    // Moves the attached children onto their parts in the current frame.
    void PlaceAttached();

    bool playing_ = false;
    int frame_ = 0;
    float time_to_next_ = 0.0f;
    std::string endtrig_;
    tr_FlashAnimData data_;
    std::vector<std::shared_ptr<tr_Texture>> textures_; // one per part
    std::vector<tr_ObjectRef> attached_;                // one per part
};
