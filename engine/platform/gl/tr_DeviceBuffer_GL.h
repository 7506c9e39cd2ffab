// tr_DeviceBuffer_GL: a GL buffer object backing a vertex or index list.
// Owned by the list; created by tr_RenderDevice_GL with a fixed size.
#pragma once

#include "engine/render/tr_RenderDevice.h"

#include <epoxy/gl.h>

class tr_DeviceBuffer_GL : public tr_DeviceBuffer {
public:
    tr_DeviceBuffer_GL(GLuint buffer, size_t bytes) : buffer_(buffer), bytes_(bytes) {}
    ~tr_DeviceBuffer_GL() override;

    // Replaces the start of the buffer; bytes beyond the size are ignored.
    void Upload(const void* data, size_t bytes) override;
    uintptr_t GetNativeHandle() const override { return buffer_; }

private:
    GLuint buffer_;
    size_t bytes_;
};
