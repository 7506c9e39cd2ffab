// tr_DeviceTexture_GL: one GL texture (and, for render targets, the
// framebuffer object drawing into it). Owned by its tr_Texture; created by
// tr_RenderDevice_GL. The GL context must still be current when it dies.
#pragma once

#include "engine/render/tr_RenderDevice.h"

#include <epoxy/gl.h>

class tr_DeviceTexture_GL : public tr_DeviceTexture {
public:
    tr_DeviceTexture_GL(GLuint texture, GLuint framebuffer, int alloc_width, int alloc_height);
    ~tr_DeviceTexture_GL() override;

    void WriteRows(const uint8_t* pixels, int width, int height, int stride) override;
    void Fill(uint32_t argb) override;
    uintptr_t GetNativeHandle() const override { return texture_; }

    GLuint GetTexture() const { return texture_; }
    // 0 unless the texture is a render target.
    GLuint GetFramebuffer() const { return framebuffer_; }

private:
    GLuint texture_;
    GLuint framebuffer_;
};
