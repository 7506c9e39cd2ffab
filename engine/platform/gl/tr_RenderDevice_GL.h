// tr_RenderDevice_GL: the OpenGL 3.3 render device. Textures are GL_RGBA8
// textures filled from the engine's byte order (blue, green, red, alpha):
// loaded ones store those bytes unchanged and swap red and blue when
// sampled, render targets are filled as GL_BGRA and also get a framebuffer
// object. Needs a current GL context
// while it and anything it made live. The renderer that owns it registers a
// flush callback, called before any texture changes or dies, so quads
// already batched draw what they were given.
#pragma once

#include "engine/render/tr_RenderDevice.h"

#include <functional>

class tr_RenderDevice_GL : public tr_RenderDevice {
public:
    tr_RenderDevice_GL();
    ~tr_RenderDevice_GL() override;

    std::unique_ptr<tr_DeviceBuffer> CreateBuffer(size_t bytes, bool index_buffer) override;

    void SetFlushCallback(std::function<void()> flush) { flush_ = std::move(flush); }
    // Runs the flush callback of the live GL device, if there is one.
    static void FlushPending();

    // The symbolic name of a GL error code, for log lines.
    static const char* ErrorName(unsigned error);

protected:
    std::unique_ptr<tr_DeviceTexture> AllocateTexture(int width, int height, bool render_target,
                                                      std::string& error) override;

private:
    static tr_RenderDevice_GL* live_;
    std::function<void()> flush_;
};
