// tr_Texture: an image on the graphics device plus what drawing and hit tests
// need: logical size, allocated size and the opacity mask. Loaded from
// name.png or name.jpg (registry kind 0); frame, generated and render-target
// textures derive from it. Always held through shared references; the device
// texture is owned here and made by tr_RenderDevice::Current().
#pragma once

#include "engine/render/tr_DrawState.h"
#include "engine/render/tr_Rect.h"
#include "engine/render/tr_RenderDevice.h"
#include "engine/resources/files/tr_Resource.h"
#include "engine/resources/images/tr_OpacityMask.h"

#include <memory>
#include <string>

class tr_Texture : public tr_Resource {
public:
    tr_Texture();
    ~tr_Texture() override;

    bool Load(const char* name) override;
    // The quad in object space for this draw: centred on the origin.
    virtual tr_Rect GetRect(const tr_DrawState& state) const;
    // Texture coordinates (u, v, du, dv) of the image inside the allocation.
    virtual tr_Rect GetUV(const tr_DrawState& state) const;
    // Whether screen point (x, y) hits an opaque pixel of this draw.
    virtual bool HitTest(float x, float y, const tr_DrawState& state) const;
    // Device texture for a frame; null means the draw is untextured.
    virtual tr_DeviceTexture* GetDeviceTexture(int frame) const;
    // GetRect, GetUV and GetDeviceTexture of one draw in a single call, as
    // every quad drawn needs all three: a subclass that overrides any of them
    // overrides this too.
    struct Quad {
        tr_Rect rect;
        tr_Rect uv;
        tr_DeviceTexture* device = nullptr;
    };
    virtual void GetQuad(const tr_DrawState& state, Quad& quad) const;

    float GetWidth() const { return width_; }
    float GetHeight() const { return height_; }
    float GetAllocWidth() const { return alloc_width_; }
    float GetAllocHeight() const { return alloc_height_; }
    const tr_OpacityMask& GetMask() const { return mask_; }
    // Whether every texel the quad can sample is fully opaque, so that a
    // normal draw at full alpha covers what lies beneath: known when the
    // pixels are written (JPEG files, PNG files without a translucent pixel,
    // solid colours) and false for anything that may hold transparency.
    bool IsOpaque() const { return opaque_; }

protected:
    // Allocates the device texture at exactly width x height, then at the
    // next powers of two; records the sizes on success.
    bool AllocateDevice(int width, int height, bool render_target, std::string& error);

    // Quad test of point (x, y) against rect moved by the draw offset and
    // transformed by the state; on a hit, (local_x, local_y) is the point in
    // the rectangle's space (offset removed).
    static bool HitQuad(const tr_Rect& rect, float x, float y, const tr_DrawState& state,
                        float& local_x, float& local_y);
    // Integer part of a texel coordinate; -1 for values no mask can hold.
    static int TexelIndex(float v);

    float width_ = 1.0f;
    float height_ = 1.0f;
    float alloc_width_ = 1.0f;
    float alloc_height_ = 1.0f;
    tr_OpacityMask mask_;
    bool opaque_ = false;
    std::unique_ptr<tr_DeviceTexture> device_;
};
