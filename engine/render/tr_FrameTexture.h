// tr_FrameTexture: an ordered list of frames, each a sub-rectangle of a
// texture with an anchor, described by name + ".xml" (registry kind 1).
// Animations and the cursor draw it with tr_DrawState::frame choosing the
// frame. Frames hold their textures through shared references; frames that
// name the same image share it through the registry.
#pragma once

#include "engine/render/tr_Texture.h"

#include <memory>
#include <vector>

class tr_FrameTexture : public tr_Texture {
public:
    struct Frame {
        float left = 0.0f;
        float top = 0.0f;
        float width = 0.0f;
        float height = 0.0f;
        float x = 0.0f; // anchor: the sub-image pixel that lands on the origin
        float y = 0.0f;
        std::shared_ptr<tr_Texture> texture;
    };

    bool Load(const char* name) override;
    // The frame of state.frame as (-x, -y, width, height); zeros when out of range.
    tr_Rect GetRect(const tr_DrawState& state) const override;
    tr_Rect GetUV(const tr_DrawState& state) const override;
    bool HitTest(float x, float y, const tr_DrawState& state) const override;
    tr_DeviceTexture* GetDeviceTexture(int frame) const override;
    void GetQuad(const tr_DrawState& state, Quad& quad) const override;

    int GetFrameCount() const { return static_cast<int>(frames_.size()); }
    // Null when index is out of range.
    const Frame* GetFrame(int index) const;

private:
    std::vector<Frame> frames_;
};
